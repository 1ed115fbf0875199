// Tradução linha a linha: os exemplos trabalhados do vocabulário e as bordas
// do varredor (literais, comentários, separador do USES, terminadores).
#include "apoio_traducao.h"

namespace {

using namespace vendrilo;
using namespace vendrilo::teste;

struct CasoLinhas {
    const char* nome;
    std::vector<std::string> entrada;
    std::vector<std::string> saida; // linhas do programa depois da moldura
};

void PrintTo(const CasoLinhas& c, std::ostream* os) { *os << c.nome; }

// O INICIO fecha o USES com a linha ";" e, por ser o primeiro, termina em
// "BEGIN" com dois espaços (o terminador " " do separador).
CasoLinhas depoisDeInicio(const char* nome, std::vector<std::string> entrada, std::vector<std::string> saida)
{
    entrada.insert(entrada.begin(), "INICIO");
    saida.insert(saida.begin(), {";", "BEGIN  "});
    return {nome, std::move(entrada), std::move(saida)};
}

class TraducaoDeLinhas : public ::testing::TestWithParam<CasoLinhas> {};

TEST_P(TraducaoDeLinhas, SaiComoEsperado)
{
    Tradutor t;
    EXPECT_EQ(TraduzCom(t, PastaDoTeste(), ComCrLf(GetParam().entrada)), GetParam().saida);
}

INSTANTIATE_TEST_SUITE_P(
    ExemplosTrabalhados, TraducaoDeLinhas,
    ::testing::Values(
        depoisDeInicio("atribuicao", {"x <- x + 1"}, {"x := x + 1 ;"}),
        depoisDeInicio("recuo_de_tres_espacos", {"   SE x > 1 ENTAO"}, {"   IF x > 1 THEN BEGIN "}),
        depoisDeInicio("mostre_pl_aspas_simples", {"MOSTRE-PL ('Soma', s)"}, {"WRITELN ('Soma', s) ;"}),
        depoisDeInicio("mostre_pl_aspas_duplas", {"MOSTRE-PL (\"Soma\", s)"}, {"WRITELN ('Soma', s) ;"}),
        CasoLinhas{"primeira_declaracao", {"DECLARE x INTEIRO"}, {";", "VAR x : INTEGER ;"}},
        CasoLinhas{"comentario", {"{ resultado final }"}, {"{ resultado final }"}},
        CasoLinhas{"tipo_vetor", {"TIPO nota VETOR [1..10] CONTEM-REAL"}, {"TYPE nota = ARRAY [1..10] OF REAL ;"}},
        CasoLinhas{"declare_nao_primeira",
                   {"DECLARE z REAL", "DECLARE a, b INTEIRO"},
                   {";", "VAR z : REAL ;", "VAR a, b : INTEGER ;"}},
        CasoLinhas{"declaracao_sem_declare", {"DECLARE z REAL", "c REAL"}, {";", "VAR z : REAL ;", "c : REAL ;"}},
        depoisDeInicio("procedimento_com_parametros", {"PROCEDIMENTO soma (PARAM-VALOR a, b INTEIRO)"},
                       {"PROCEDURE soma ( a, b : INTEGER) ;"}),
        CasoLinhas{"constante_apos_declare",
                   {"DECLARE z REAL", "CONSTANTE pi = 3.14"},
                   {";", "VAR z : REAL ;", "CONST pi = 3.14 ;"}},
        depoisDeInicio("para", {"PARA i DE 1 ATE 10 FACA"}, {"FOR i := 1 TO 10 DO BEGIN "}),
        depoisDeInicio("se", {"SE x > 0 ENTAO"}, {"IF x > 0 THEN BEGIN "}),
        depoisDeInicio("leia_pl", {"LEIA-PL (x)"}, {"READLN (x) ;"})),
    [](const auto& info) { return std::string(info.param.nome); });

INSTANTIATE_TEST_SUITE_P(
    Bordas, TraducaoDeLinhas,
    ::testing::Values(
        CasoLinhas{"palavra_colada_a_aspas", {"MOSTRE\"oi\""}, {"MOSTRE'oi'"}},
        CasoLinhas{"palavra_colada_a_chave", {"SE{x}"}, {"SE{x}"}},
        CasoLinhas{"palavra_seguida_de_tab", {"FIM\tx"}, {"FIM x "}},
        CasoLinhas{"palavra_colada_a_parentese", {"LEIA(x)"}, {"LEIA(x) "}},
        CasoLinhas{"aspas_dobradas", {"MOSTRE ('it''s')"}, {"WRITE ('it''s') ;"}},
        CasoLinhas{"comentario_em_varias_linhas", {"{ inicio", "FIM }", "FIM"}, {"{ inicio", "FIM }", "AUTHORS99; END. "}},
        CasoLinhas{"chave_fechando_dentro_de_texto", {"MOSTRE ('a} FIM x')"}, {"WRITE ('a} AUTHORS99; END. x') ;"}},
        CasoLinhas{"par_de_aspas_encerra_comentario", {"{ a 'b' FIM }"}, {"{ a 'b' AUTHORS99; END. }"}},
        CasoLinhas{"texto_aberto_continua_na_linha_seguinte",
                   {"MOSTRE ('abc", "SE x' SE' SE"},
                   {"WRITE ('abc;", "SE x' SE' IF "}},
        CasoLinhas{"dois_espacos", {"a  b"}, {"a  b "}},
        CasoLinhas{"so_espacos", {"    "}, {"    "}},
        CasoLinhas{"linha_vazia", {""}, {""}},
        CasoLinhas{"separador_antes_de_inicio", {"  x INICIO"}, {"  x ;", "BEGIN  "}},
        CasoLinhas{"separador_antes_de_declare", {"  x DECLARE"}, {"  x ;", "VAR  "}},
        CasoLinhas{"separador_antes_de_dec", {"  x dec"}, {"  x ;", "VAR  "}},
        CasoLinhas{"separador_antes_de_procedimento", {"  x PROCEDIMENTO p"}, {"  x ;", "PROCEDURE p  "}},
        CasoLinhas{"separador_antes_de_proc", {"  x PROC p"}, {"  x ;", "PROCEDURE p  "}},
        CasoLinhas{"separador_antes_de_funcao", {"  x FUNCAO f"}, {"  x ;", "FUNCTION f  "}},
        CasoLinhas{"so_o_primeiro_tem_separador",
                   {"INICIO", "DECLARE a INTEIRO", "PROCEDIMENTO p"},
                   {";", "BEGIN  ", "VAR a : INTEGER ;", "PROCEDURE p ; "}},
        CasoLinhas{"tipo_e_constante_nao_fecham_o_uses",
                   {"TIPO t INTEIRO", "CONSTANTE c = 1", "TIPO-REG r", "INICIO"},
                   {"TYPE t = INTEGER ;", "CONST c = 1 ;", "TYPE r  ", ";", "BEGIN  "}},
        CasoLinhas{"biblioteca_sem_separador", {"BIBLIOTECA graph", "INICIO"}, {",  graph ;", "BEGIN "}},
        CasoLinhas{"duas_constantes_depois_do_mesmo_declare",
                   {"DECLARE z REAL", "CONSTANTE a = 1", "CONSTANTE b = 2"},
                   {";", "VAR z : REAL ;", "CONST a = 1 ;", "CONST b = 2 ="}},
        CasoLinhas{"constante_tipada_valores_na_linha_seguinte",
                   {"DECLARE z REAL", "CONSTANTE v CONTEM-INTEIRO", "(1, 2)", "TIPO w VETOR [1..2] CONTEM-REAL"},
                   {";", "VAR z : REAL ;", "CONST v OF INTEGER =", "(1, 2) ", "TYPE w = ARRAY [1..2] OF REAL ;"}},
        depoisDeInicio("selecione_caso",
                       {"SELECIONE x", "CASO 1", "MOSTRE (1)", "CASO 2", "CASO-CONTRARIO", "FIM-SELECIONE",
                        "ESCOLHA y", "CASO 3", "FIM-CASO"},
                       {"CASE x  OF ", "     1  : begin ", "WRITE (1) ;", " end;     2  : begin ", "END; ELSE BEGIN ",
                        "END; END; ", "CASE y  OF ", "     3  : begin ", "END; END; "}),
        depoisDeInicio("sinal_com_dois_espacos", {"y <- SINAL x"}, {"y := (-1) *  x ;"}),
        depoisDeInicio("processo_some", {"PROCESSO calcula"}, {" calcula ;"}),
        depoisDeInicio("altera_hora_do_sistema", {"ALT-HORA-SIS (h, m, s, c)"}, {"SETTIME (h, m, s, c) ;"}),
        CasoLinhas{"caixa_das_letras",
                   {"inicio", "Inicio", "INICIO", "in\xED" "cio", "Soma <- 1"},
                   {";", "BEGIN  ", "BEGIN ", "BEGIN ", "in\xED" "cio ", "Soma := 1 ;"}},
        depoisDeInicio("funcao_com_parametro_por_referencia", {"FUNCAO f (PARAM-REF a INTEIRO) REAL"},
                       {"FUNCTION f (VAR a : INTEGER) : REAL ;"}),
        CasoLinhas{"declare_entre_parenteses_nao_fecha_uses", {"(DECLARE x INTEIRO)"}, {"(VAR x : INTEGER) ;"}},
        CasoLinhas{"tipos_ponteiro",
                   {"TIPO p ^INTEIRO", "DECLARE q ^CARACTER"},
                   {"TYPE p = ^INTEGER ;", ";", "VAR q : ^STRING ;"}},
        depoisDeInicio("caracter_ponteiro_em_parametro", {"PROCEDIMENTO p (PARAM-VALOR s ^CARACTER)"},
                       {"PROCEDURE p ( s : ^STRING) ;"}),
        CasoLinhas{"registro", {"TIPO-REG aluno REG", "nome CARACTER", "FIM-REG"}, {"TYPE aluno record  ", "nome : STRING ;", "end ;"}},
        depoisDeInicio("enquanto_e_repita",
                       {"ENQUANTO x < 10 FACA", "x <- x + 1", "FIM-ENQUANTO", "REPITA", "ATE-QUE x = 0"},
                       {"WHILE x < 10 DO BEGIN ", "x := x + 1 ;", "END; ", "REPEAT ", "UNTIL x = 0 ;"}),
        depoisDeInicio("para_decrescente", {"PARA i DE 10 ATE-1 1 FACA"}, {"FOR i := 10 DOWNTO 1 DO BEGIN "}),
        depoisDeInicio("ultimo_terminador_vence", {"x <- 1 REG"}, {"x := 1 record  "})),
    [](const auto& info) { return std::string(info.param.nome); });

// ------------------------------------------------------------ contagens

struct CasoContagem {
    const char* nome;
    std::vector<std::string> entrada;
    std::vector<std::pair<int, int>> contadores; // tipo, valor esperado
};

void PrintTo(const CasoContagem& c, std::ostream* os) { *os << c.nome; }

class ContagemDeTipos : public ::testing::TestWithParam<CasoContagem> {};

TEST_P(ContagemDeTipos, ContaPorTipo)
{
    Tradutor t;
    TraduzCom(t, PastaDoTeste(), ComCrLf(GetParam().entrada));
    for (auto [tipo, valor] : GetParam().contadores)
        EXPECT_EQ(t.estado().ContadorTipos[tipo], valor) << "tipo " << tipo;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ContagemDeTipos,
    ::testing::Values(
        CasoContagem{"faca_de_enquanto_conta_251", {"ENQUANTO x FACA"}, {{43, 1}, {251, 1}, {51, 0}}},
        CasoContagem{"faca_de_para_conta_51", {"PARA i DE 1 ATE 2 FACA"}, {{47, 1}, {51, 1}, {251, 0}}},
        CasoContagem{"enquanto_dentro_de_para",
                     {"PARA i DE 1 ATE 9 FACA", "ENQUANTO x FACA", "FIM-ENQUANTO", "FIM-PARA"},
                     {{47, 1}, {51, 1}, {43, 1}, {251, 1}, {44, 1}, {52, 1}}},
        CasoContagem{"faca_antes_de_laco_conta_para", {"FACA", "ENQUANTO x"}, {{51, 1}, {251, 0}}},
        CasoContagem{"faca_depois_de_enquanto_em_outro_bloco", {"ENQUANTO x", "FIM-ENQUANTO", "FACA"}, {{251, 1}}},
        CasoContagem{"palavras_em_comentario_e_texto_nao_contam",
                     {"{ FIM }", "MOSTRE ('FIM')", "{ SE", "FIM-SE }"},
                     {{2, 0}, {34, 1}, {39, 0}, {42, 0}}},
        CasoContagem{"palavra_colada_nao_conta", {"FIM-SE\t", "SE\"x\"", "FIM{c}"}, {{42, 0}, {39, 0}, {2, 0}}},
        CasoContagem{"maiuscula_nas_duas_formas", {"MAIUSCULA (MAIUSCULA"}, {{131, 2}}},
        CasoContagem{"sinonimos_no_mesmo_tipo", {"ENQ ENQUANTO", "FIM-ENQ FIM-ENQUANTO"}, {{43, 2}, {44, 2}}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Tradutor, IgualSozinhoContaEmContadorIgual)
{
    Tradutor t;
    TraduzCom(t, PastaDoTeste(), ComCrLf({"DECLARE x INTEIRO", "a = b", "c == d", "e = f"}));
    EXPECT_EQ(t.estado().ContadorIgual, 2) << "\"==\" não é a palavra \"=\"";
    EXPECT_EQ(t.estado().TipoPalavra, 0);
}

TEST(Tradutor, EstadosDoSelecione)
{
    Tradutor t;
    const auto pasta = PastaDoTeste();
    TraduzCom(t, pasta, ComCrLf({"SELECIONE x"}));
    EXPECT_EQ(t.estado().EstadoCaso, 0);
    TraduzCom(t, pasta, ComCrLf({"SELECIONE x", "CASO 1"}));
    EXPECT_EQ(t.estado().EstadoCaso, 1);
    TraduzCom(t, pasta, ComCrLf({"SELECIONE x", "CASO 1", "CASO-CONTRARIO"}));
    EXPECT_EQ(t.estado().EstadoCaso, 2);
}

// ------------------------------------------------------------ estado entre traduções

TEST(Tradutor, EstadoPassaDeUmaTraducaoParaAOutra)
{
    Tradutor t;
    const auto pasta = PastaDoTeste();
    // A primeira tradução deixa um comentário aberto, um TIPO à espera, um
    // "=" contado, um ENQUANTO e a BIBLIOTECA.
    TraduzCom(t, pasta, ComCrLf({"BIBLIOTECA graph", "ENQUANTO x", "a = 1", "TIPO", "{ aberto"}), "a.alg");
    EXPECT_TRUE(t.estado().EmLiteral);
    EXPECT_EQ(t.estado().BibliotecaUsada, 1);

    const auto corpo = TraduzCom(t, pasta, ComCrLf({"FIM }", "x INTEIRO", "CONSTANTE c = 2", "DECLARE y", "FACA"}), "b.alg");
    EXPECT_EQ(corpo, (std::vector<std::string>{
                         "FIM }",             // EmLiteral veio da tradução anterior
                         "x = INTEGER ;",     // SecaoTipos também
                         "CONST c = 2 =",     // e ContadorIgual: este é o segundo "="
                         ";",                 // EstadoCabecalho recomeça: o separador volta
                         "VAR y  ",
                         "DO BEGIN ",
                     }));
    const auto& e = t.estado();
    EXPECT_EQ(e.BibliotecaUsada, 0) << "GeraCabecalho recomeça";
    EXPECT_EQ(e.ContadorTipos[51], 1) << "TipoLaco recomeça em 0: FACA conta para PARA";
    EXPECT_EQ(e.ContadorTipos[43], 0) << "contadores zerados";
    EXPECT_EQ(e.ContadorTipos[2], 0) << "o FIM estava no comentário";
}

TEST(Tradutor, TradutorNovoComecaLimpo)
{
    Tradutor primeiro;
    const auto pasta = PastaDoTeste();
    TraduzCom(primeiro, pasta, ComCrLf({"{ aberto", "TIPO"}), "a.alg");
    Tradutor segundo;
    EXPECT_EQ(TraduzCom(segundo, pasta, ComCrLf({"FIM"}), "b.alg"), std::vector<std::string>{"AUTHORS99; END. "});
}

// ------------------------------------------------------------ correspondência de linhas

TEST(Tradutor, LinhaDoAlgoritmoNoProgramaComESemSeparador)
{
    const auto pasta = PastaDoTeste();
    const std::vector<std::string> alg = {"{ cabecalho }", "DECLARE x INTEIRO", "INICIO", "marca <- 1", "FIM"};
    {
        Tradutor t;
        TraduzCom(t, pasta, ComCrLf(alg));
        const auto linhas = LinhasCrLf(LeBytes(t.estado().NomePas));
        ASSERT_EQ(linhas.size(), 26u + alg.size() + 1);
        EXPECT_EQ(linhas[26 + 1 - 1], "{ cabecalho }");  // linha 1 → 26 + 1 (antes do separador)
        EXPECT_EQ(linhas[27 + 4 - 1], "marca := 1 ;");   // linha 4 → 27 + 4
    }
    {
        auto comBiblioteca = alg;
        comBiblioteca[0] = "BIBLIOTECA graph";
        Tradutor t;
        TraduzCom(t, pasta, ComCrLf(comBiblioteca));
        const auto linhas = LinhasCrLf(LeBytes(t.estado().NomePas));
        ASSERT_EQ(linhas.size(), 26u + alg.size());
        EXPECT_EQ(linhas[26 + 4 - 1], "marca := 1 ;");
        EXPECT_EQ(t.estado().BibliotecaUsada, 1);
    }
}

TEST(Tradutor, SemPalavraDeDeclaracaoOUsesFicaAbertoESemFimNaoHaEnd)
{
    Tradutor t;
    const auto pasta = PastaDoTeste();
    const auto corpo = TraduzCom(t, pasta, ComCrLf({"x <- 1", "MOSTRE (x)"}));
    EXPECT_EQ(corpo, (std::vector<std::string>{"x := 1 ;", "WRITE (x) ;"}));
    EXPECT_EQ(LeBytes(t.estado().NomePas).find("END."), std::string::npos);
}

// ------------------------------------------------------------ verificação de estrutura

TEST(Tradutor, VerificacaoDeEstruturaRodaNoFim)
{
    const auto pasta = PastaDoTeste();
    Tradutor t;
    TraduzCom(t, pasta, ComCrLf({"DECLARE x INTEIRO", "INICIO", "SE x > 0 ENTAO", "x <- 1", "FIM-SE", "FIM"}));
    EXPECT_EQ(t.estado().TotalErros, 0);
    EXPECT_EQ(t.estado().Estrutura.ErrosSintaxe.size(), 2u) << "cabeçalho e linha em branco";

    TraduzCom(t, pasta, ComCrLf({"DECLARE x INTEIRO"}));
    EXPECT_EQ(t.estado().TotalErros, 2) << "sem INICIO e sem FIM";
    ASSERT_EQ(t.estado().Estrutura.ErrosSintaxe.size(), 4u);
    EXPECT_EQ(t.estado().Estrutura.ErrosSintaxe[2],
              "   1. Est\xE1 faltando o marcador de bloco de INICIO do algoritmo.");
}

} // namespace
