// Tabela de correspondência das mensagens do Free Pascal com os números do
// Turbo Pascal: cada caso é um programa pequeno, compilado de verdade pelo
// tpc, que precisa sair com o número esperado.

#include "apoio_tpc.h"
#include "mapa_erros.h"

#include <gtest/gtest.h>

#include <set>

namespace vendrilo::teste {
namespace {

struct CasoErro {
    const char* nome;
    int numero;            // número esperado na linha 3 do relatório
    const char* programa;  // sem a linha PROGRAM
};

const CasoErro casos[] = {
    {"sintaxe_ponto_e_virgula", 85,
     "VAR a: INTEGER;\nBEGIN\n  a := 1\n  a := 2;\nEND."},
    {"sintaxe_else_depois_de_ponto_e_virgula", 113,
     "VAR a: INTEGER;\nBEGIN\n  a := 1;\n  ELSE a := 2;\nEND."},
    {"sintaxe_fecha_parentese", 89,
     "BEGIN\n  WRITELN(1, 2;\nEND."},
    {"sintaxe_abre_parentese", 88,
     "VAR a: INTEGER;\nBEGIN\n  a := ORD 1;\nEND."},
    {"sintaxe_then", 57,
     "VAR a: INTEGER;\nBEGIN\n  IF a > 0 a := 1;\nEND."},
    {"sintaxe_do", 50,
     "VAR a: INTEGER;\nBEGIN\n  WHILE a > 0 a := 1;\nEND."},
    {"sintaxe_of", 54,
     "VAR a: INTEGER;\nBEGIN\n  CASE a 1: ; END;\nEND."},
    {"sintaxe_to", 58,
     "VAR a: INTEGER;\nBEGIN\n  FOR a := 1 10 DO ;\nEND."},
    {"sintaxe_atribuicao", 91,
     "VAR a: INTEGER;\nBEGIN\n  FOR a = 1 TO 2 DO ;\nEND."},
    {"sintaxe_begin", 36,
     "PROCEDURE p;\n  WRITELN(1);\nEND;\nBEGIN\nEND."},
    {"sintaxe_end", 37,
     "TYPE r = RECORD a: INTEGER;\nBEGIN\nEND."},
    {"sintaxe_identificador", 2,
     "VAR 1a: INTEGER;\nBEGIN\nEND."},
    {"sintaxe_dois_pontos", 86,
     "VAR a INTEGER;\nBEGIN\nEND."},
    {"sintaxe_virgula", 87,
     "CONST v: ARRAY[1..2] OF INTEGER = (1 2);\nBEGIN\nEND."},
    {"sintaxe_igual", 90,
     "CONST c 1;\nBEGIN\nEND."},
    {"sintaxe_fecha_colchete", 93,
     "VAR v: ARRAY[1..2 OF INTEGER;\nBEGIN\nEND."},
    {"sintaxe_ponto_final", 94,
     "BEGIN\nEND;"},
    {"leitura_fim_inesperado", 10,
     "BEGIN\n  WRITELN(1);"},
    {"leitura_literal_passa_da_linha", 8,
     "BEGIN\n  WRITELN('abc);\nEND."},
    {"leitura_caractere_ilegal", 5,
     "VAR a: INTEGER;\nBEGIN\n  a := 1 ! 2;\nEND."},
    {"leitura_caractere_constante_ilegal", 5,
     "VAR a: INTEGER;\nBEGIN\n  a := 1 # 2;\nEND."},
    {"leitura_inclusao_inexistente", 15,
     "{$I naoexiste.inc}\nBEGIN\nEND."},
    {"leitura_real_malformado", 6,
     "VAR r: REAL;\nBEGIN\n  r := 1.e;\nEND."},
    {"leitura_inteiro_malformado", 7,
     "VAR r: INTEGER;\nBEGIN\n  r := $;\nEND."},
    {"unidade_inexistente", 68,
     "USES NAOEXISTE;\nBEGIN\nEND."},
    {"identificador_desconhecido", 3,
     "BEGIN\n  b := 1;\nEND."},
    {"identificador_repetido", 4,
     "VAR a: INTEGER;\n    a: REAL;\nBEGIN\nEND."},
    {"tipo_identificador_esperado", 12,
     "VAR b: INTEGER;\nPROCEDURE p(a: b); BEGIN END;\nBEGIN\nEND."},
    {"tipo_erro_na_definicao", 21,
     "VAR a: 5;\nBEGIN\nEND."},
    {"tipo_literal_longo_demais", 25,
     "VAR s: STRING[300];\nBEGIN\nEND."},
    {"tipo_conjunto_grande_demais", 23,
     "TYPE t = SET OF 0..300;\nBEGIN\nEND."},
    {"tipo_limite_inferior_maior", 28,
     "VAR v: ARRAY[10..1] OF INTEGER;\nBEGIN\nEND."},
    {"constante_esperada_no_caso", 31,
     "VAR a, b: INTEGER;\nBEGIN\n  CASE a OF\n   b: ;\n  END;\nEND."},
    {"constante_esperada_no_limite", 31,
     "VAR a: INTEGER;\nTYPE t = ARRAY[1..a] OF INTEGER;\nBEGIN\nEND."},
    {"campo_inexistente", 44,
     "TYPE r = RECORD a: INTEGER; END;\nVAR v: r;\nBEGIN\n  v.b := 1;\nEND."},
    {"com_sobre_nao_registro", 75,
     "VAR a: INTEGER;\nBEGIN\n  WITH a DO ;\nEND."},
    {"forward_sem_corpo", 59,
     "PROCEDURE p; FORWARD;\nBEGIN\nEND."},
    {"rotulo_repetido", 81,
     "LABEL 1;\nBEGIN\n1: ;\n1: ;\nEND."},
    {"para_com_constante", 97,
     "CONST c = 1;\nBEGIN\n  FOR c := 1 TO 2 DO ;\nEND."},
    {"atribuicao_a_constante", 122,
     "CONST c = 1;\nBEGIN\n  c := 2;\nEND."},
    {"variavel_esperada_na_leitura", 20,
     "CONST c = 1;\nBEGIN\n  READLN(c);\nEND."},
    {"para_com_variavel_literal", 97,
     "VAR s: STRING;\nBEGIN\n  FOR s := 1 TO 2 DO ;\nEND."},
    {"ordinal_esperado", 39,
     "VAR a: INTEGER; r: REAL;\nBEGIN\n  a := ORD(r);\nEND."},
    {"ordinal_ou_literal_no_caso", 39,
     "VAR r: REAL;\nBEGIN\n  CASE r OF\n   1: ;\n  END;\nEND."},
    {"logico_esperado", 40,
     "VAR a: INTEGER;\nBEGIN\n  IF a THEN a := 1;\nEND."},
    {"tipos_incompativeis", 26,
     "VAR a: INTEGER;\nBEGIN\n  a := 'abc';\nEND."},
    {"tipos_incompativeis_em_funcao", 26,
     "VAR a: INTEGER;\nBEGIN\n  a := LENGTH(a);\nEND."},
    {"inteiro_esperado_no_argumento", 38,
     "VAR r: REAL; s: STRING;\nBEGIN\n  s := COPY(s, r, 1);\nEND."},
    {"argumento_incompativel", 26,
     "PROCEDURE p(a: INTEGER); BEGIN END;\nBEGIN\n  p('a');\nEND."},
    {"operador_unario_incompativel", 41,
     "VAR a: INTEGER; r: REAL;\nBEGIN\n  a := NOT r;\nEND."},
    {"operador_binario_incompativel", 41,
     "VAR a: INTEGER; r: REAL;\nBEGIN\n  a := r DIV 2;\nEND."},
    {"igual_no_lugar_da_atribuicao", 91,
     "VAR x: INTEGER;\nBEGIN\n  x = 5\nEND."},
    {"comparacao_no_lugar_da_atribuicao_em_vetor", 91,
     "VAR v: ARRAY[1..3] OF INTEGER;\nBEGIN\n  v[1] := 0;\n  v[ 2 ] < 3;\nEND."},
    {"comando_invalido", 113,
     "VAR a: INTEGER;\nBEGIN\n  ) ;\nEND."},
    {"expressao_invalida", 42,
     "VAR a: INTEGER;\nBEGIN\n  a := ;\nEND."},
    {"divisao_por_zero", 62,
     "VAR a: INTEGER;\nBEGIN\n  a := 1 DIV 0;\nEND."},
    {"leitura_de_registro", 64,
     "TYPE r = RECORD a: INTEGER; END;\nVAR v: r;\nBEGIN\n  WRITELN(v);\nEND."},
    {"caso_de_tipo_diferente", 74,
     "VAR a: INTEGER;\nBEGIN\n  CASE a OF\n   'x': ;\n  END;\nEND."},
    {"constante_fora_do_limite", 76,
     "VAR v: ARRAY[1..2] OF INTEGER;\nBEGIN\n  v[3] := 1;\nEND."},
    {"comando_sem_ponto_e_virgula_no_repita", 85,
     "VAR x: INTEGER;\nBEGIN\n  REPEAT\n    READLN x)\n  UNTIL x > 0;\nEND."},
    {"diretiva_sem_fim", 129, "{$IFDEF X}\nBEGIN\nEND."},
    {"fim_de_diretiva_sem_inicio", 128, "{$ENDIF}\nBEGIN\nEND."},
    {"argumentos_a_mais_na_rotina", 89,
     "PROCEDURE p(a: INTEGER); BEGIN END;\nBEGIN\n  p(1, 2);\nEND."},
    {"argumentos_a_mais_na_raiz", 89, "VAR r: REAL;\nBEGIN\n  r := SQRT(r, 2);\nEND."},
    {"tipo_dentro_de_expressao", 42, "VAR a: INTEGER;\nBEGIN\n  a := 1 + INTEGER;\nEND."},
    {"referencia_de_outro_tipo", 26,
     "PROCEDURE p(VAR a: INTEGER); BEGIN END;\nVAR r: REAL;\nBEGIN\n  p(r);\nEND."},
    {"qualificador_invalido", 121, "VAR a: INTEGER;\nBEGIN\n  a := a.b;\nEND."},
    {"indice_no_que_nao_e_vetor", 121, "VAR a: INTEGER;\nBEGIN\n  a[1] := 2;\nEND."},
    {"funcao_sem_tipo", 86, "FUNCTION f;\nBEGIN\nEND;\nBEGIN\nEND."},
    {"funcao_de_tipo_ilegal", 34, "FUNCTION f: FILE;\nBEGIN\nEND;\nBEGIN\nEND."},
    {"ponteiro_esperado", 78, "VAR a: INTEGER;\nBEGIN\n  DISPOSE(a);\nEND."},
    {"mostre_em_arquivo_tipado", 63, "VAR f: FILE OF INTEGER;\nBEGIN\n  WRITELN(f, 1);\nEND."},
    {"mostre_em_arquivo_sem_tipo", 63, "VAR f: FILE;\nBEGIN\n  WRITE(f, 1);\nEND."},
    {"atribuicao_a_rotina", 20, "BEGIN\n  WRITELN := 1;\nEND."},
    {"atribuicao_a_endereco", 122, "VAR a: INTEGER;\nBEGIN\n  @a := NIL;\nEND."},
    {"conversao_ilegal", 61, "VAR s: STRING; a: INTEGER;\nBEGIN\n  a := INTEGER(s);\nEND."},
    {"rotulo_sem_definicao", 82, "LABEL 1;\nBEGIN\n  GOTO 1;\nEND."},
    {"nao_e_rotulo", 35, "VAR a: INTEGER;\nBEGIN\n  GOTO a;\nEND."},
    {"campo_desconhecido_na_constante", 44,
     "TYPE r = RECORD a: INTEGER; END;\nCONST c: r = (b: 1);\nBEGIN\nEND."},
    {"vetor_grande_demais", 22, "VAR v: ARRAY[1..9223372036854775807] OF INTEGER;\nBEGIN\nEND."},
    // Sem linha própria na tabela: o genérico da fase em que o erro nasce.
    {"sem_linha_na_tabela_analise", 5, "VAR a: INTEGER;\nBEGIN\n  CASE a OF 1: ; 1: ; END;\nEND."},
    {"sem_linha_na_tabela_ligacao", 111,
     "VAR v: ARRAY[1..2000000000] OF ARRAY[1..2000000000] OF INTEGER;\nBEGIN\nEND."},
};

void PrintTo(const CasoErro& c, std::ostream* os)
{
    *os << c.nome;
}

class TpcErro : public ::testing::TestWithParam<CasoErro> {};

TEST_P(TpcErro, CompilaDeVerdadeEDaONumeroDoTurboPascal)
{
    const CasoErro& c = GetParam();
    PastaTemp tmp;
    const std::string fonte = tmp / "caso.pas";
    Grava(fonte, std::string("PROGRAM caso;\n") + c.programa + "\n");
    const Execucao e = RodaTpc(fonte, tmp.caminho());
    EXPECT_EQ(e.status, 1) << e.saida;
    ASSERT_GE(e.linhas.size(), 6u) << e.saida;
    EXPECT_EQ(NumeroDoErro(e.linhas), c.numero) << e.saida;
    EXPECT_EQ(e.linhas[3].rfind(tmp / "caso.PAS(", 0), 0u) << e.linhas[3];
    EXPECT_FALSE(Existe(tmp / "caso.exe")) << "compilação com erro não deixa programa";
}

INSTANTIATE_TEST_SUITE_P(Tabela, TpcErro, ::testing::ValuesIn(casos),
                         [](const auto& info) { return std::string(info.param.nome); });

// Toda linha da tabela tem ao menos um caso acima que passa por ela.
TEST(TabelaErros, CadaLinhaTemUmCasoCompiladoDeVerdade)
{
    const std::string fpc = ProcuraPrograma("fpc");
    ASSERT_FALSE(fpc.empty());
    std::set<int> usadas;
    for (const CasoErro& c : casos) {
        PastaTemp tmp;
        Grava(tmp / "c.pas", std::string("PROGRAM caso;\n") + c.programa + "\n");
        Execucao e = Roda({fpc, "-Mtp", "-l-", "-v0ewq", "-Se1", "-Sc-", "-FU" + tmp.caminho(),
                           "-o" + (tmp / "c"), tmp / "c.pas"},
                          tmp.caminho());
        std::vector<std::string> fonte = Linhas(Le(tmp / "c.pas"));
        for (const auto& l : e.linhas) {
            auto m = tpc::LeMensagemFpc(l);
            if (!m || (m->gravidade != "Error" && m->gravidade != "Fatal" && m->numero != 4110))
                continue;
            auto r = tpc::NumeroTurboPascal(*m, fonte);
            EXPECT_EQ(r.numero, c.numero) << c.nome << ": " << l;
            if (r.regra >= 0)
                usadas.insert(r.regra);
            break;
        }
    }
    for (std::size_t i = 0; i < tpc::TabelaErros().size(); ++i)
        EXPECT_TRUE(usadas.count(static_cast<int>(i)))
            << "linha " << i << " (Free Pascal " << tpc::TabelaErros()[i].numeroFpc << " -> "
            << tpc::TabelaErros()[i].numeroTp << ") sem caso";
    std::set<int> distintos;
    for (const CasoErro& c : casos)
        if (c.numero <= 144)
            distintos.insert(c.numero);
    EXPECT_GE(distintos.size(), 40u);
}

} // namespace
} // namespace vendrilo::teste
