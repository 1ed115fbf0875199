// Leitura do MI, valores nos termos do algoritmo, declarações e CSV: sem gdb.
#include "depuracao/declaracoes.h"
#include "depuracao/erros_execucao.h"
#include "depuracao/mi.h"
#include "depuracao/teste_mesa.h"
#include "depuracao/valores.h"
#include "platform/ponte_terminal.h"

#include <gtest/gtest.h>

namespace vendrilo::depuracao {
namespace {

TEST(LeituraMi, RegistrosDeResultadoEAssincronos)
{
    auto r = LeRegistroMi(R"(12^done,bkpt={number="1",line="30",thread-groups=["i1"]})");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->ficha, 12u);
    EXPECT_EQ(r->tipo, '^');
    EXPECT_EQ(r->classe, "done");
    const ValorMi* b = r->resultados.campo("bkpt");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->textoDe("line"), "30");
    ASSERT_TRUE(b->campo("thread-groups"));
    EXPECT_EQ(b->campo("thread-groups")->itens.at(0).second.texto, "i1");

    r = LeRegistroMi(
        R"(*stopped,reason="end-stepping-range",frame={func="MUDA",args=[{name="Q",value="2"}],line="24"})");
    ASSERT_TRUE(r);
    EXPECT_FALSE(r->ficha);
    EXPECT_EQ(r->classe, "stopped");
    const ValorMi* args = r->resultados.campo("frame")->campo("args");
    ASSERT_EQ(args->itens.size(), 1u);
    EXPECT_EQ(args->itens[0].second.textoDe("value"), "2");

    // Lista de resultados (nome=valor) e lista vazia.
    r = LeRegistroMi(R"(^done,stack=[frame={level="0"},frame={level="1"}],vazia=[],t={})");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->resultados.campo("stack")->itens.size(), 2u);
    EXPECT_EQ(r->resultados.campo("stack")->itens[1].first, "frame");
    EXPECT_TRUE(r->resultados.campo("vazia")->itens.empty());
}

TEST(LeituraMi, TextosComEscapesEFluxo)
{
    // Aspas, barra, quebra e um byte em octal (Windows-1252 "á").
    auto r = LeRegistroMi(R"(^done,value="'ol\341 \"x\"\\n'")");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->resultados.textoDe("value"), "'ol\xE1 \"x\"\\n'");
    r = LeRegistroMi(R"(~"Breakpoint 1\n")");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->tipo, '~');
    EXPECT_EQ(r->resultados.texto, "Breakpoint 1\n");
    EXPECT_EQ(LeRegistroMi("(gdb) ")->tipo, 0);
    EXPECT_EQ(AspasMi("a \"b\"\\c"), R"("a \"b\"\\c")");
}

TEST(LeituraMi, LinhasMalFormadasSaoRecusadas)
{
    for (const char* linha :
         {"", "^", "^done,", "^done,x=", R"(^done,x="sem fim)", R"(^done,x={a="1")", R"(^done,x=[1])",
          "texto solto do programa", R"(~"a" resto)", R"(^done,x="1"y)"})
        EXPECT_FALSE(LeRegistroMi(linha)) << linha;
}

TEST(ValoresDoAlgoritmo, ComoOAlunoEscreve)
{
    const struct {
        const char* gdb;
        const char* algoritmo;
    } casos[] = {
        {"42", "42"},
        {"-7", "-7"},
        {"3.3333333333333335", "3.333333"},
        {"2.5", "2.5"},
        {"1e+20", "100000000000000000000"},
        {"-1.0000000000000001e-07", "0"}, // arredondado a 6 casas, sem "-0"
        {"0 #0", ""},
        {"true", "VERDADEIRO"},
        {"false", "FALSO"},
        {"97 'a'", "a"},
        {"0 '\\000'", ""},
        {"233 #233", "é"},
        {"'Jo'#227'o'", "João"},
        {"'it''s'", "it's"},
        {"''", ""},
        {"{1, 4, 9}", "[1; 4; 9]"},
        {"{{0, 2.5, 0}, {0, 0, 0}}", "[[0; 2.5; 0]; [0; 0; 0]]"},
        {"{NOME = 'Ana', NOTA = 7.25}", "{nome: Ana; nota: 7.25}"},
        {"{{NOME = 'a, b', NOTA = 0}}", "[{nome: a, b; nota: 0}]"},
        {"0x4010a2 <main>", "0x4010a2 <main>"}, // desconhecido: como veio
        {"{1, 2", "{1, 2"},
        // Com os índices impressos (print array-indexes), o mesmo texto.
        {"{[0] = 1, [1] = 4}", "[1; 4]"},
        {"{[1] = {[0] = 0, [1] = 7}}", "[[0; 7]]"},
        {"{[97 'a'] = 0, [93 ']'] = 3}", "[0; 3]"},
        {"{NOME = 'Ana', V = {[0] = 5}}", "{nome: Ana; V: [5]}"},
        {"{[1 = 2}", "{[1 = 2}"},
    };
    const GrafiaDeNome grafia = [](const std::string& n) {
        return n == "NOME" ? "nome" : n == "NOTA" ? "nota" : n;
    };
    for (const auto& c : casos)
        EXPECT_EQ(ValorDoAlgoritmo(c.gdb, grafia), c.algoritmo) << c.gdb;
}

// Rótulo e texto de cada nó, em pré-ordem: "rótulo=texto" separados por " | ".
std::string Planifica(const NoValor& no, const std::string& rotulo = "")
{
    std::string s = rotulo + "=" + no.texto;
    for (const auto& [r, filho] : no.filhos)
        s += " | " + Planifica(filho, rotulo + r);
    return s;
}

TEST(ValoresDoAlgoritmo, ArvoreParaExpandirNoPainel)
{
    const struct {
        const char* gdb;
        const char* arvore;
    } casos[] = {
        {"42", "=42"},
        {"'a, b'", "=a, b"}, // texto com vírgula: uma folha só
        {"{1, 4, 9}", "=[1; 4; 9] | [1]=1 | [2]=4 | [3]=9"},
        {"{{0, 2.5}, {7, 0}}",
         "=[[0; 2.5]; [7; 0]] | [1]=[0; 2.5] | [1][1]=0 | [1][2]=2.5 | [2]=[7; 0] | [2][1]=7 | [2][2]=0"},
        {"{NOME = 'Ana; {x}', NOTA = 7.25}", "={nome: Ana; {x}; nota: 7.25} | nome=Ana; {x} | nota=7.25"},
        {"{{NOME = 'a', NOTA = 0}}",
         "=[{nome: a; nota: 0}] | [1]={nome: a; nota: 0} | [1]nome=a | [1]nota=0"},
        {"{}", "=[]"},
        // Índices declarados (VETOR[0..1], indexado por caractere) em vez da posição.
        {"{[0] = 1, [1] = 4}", "=[1; 4] | [0]=1 | [1]=4"},
        {"{[1] = {[0] = 0, [1] = 7}}", "=[[0; 7]] | [1]=[0; 7] | [1][0]=0 | [1][1]=7"},
        {"{[97 'a'] = 0, [93 ']'] = 3}", "=[0; 3] | [a]=0 | []]=3"},
        {"{NOME = 'Ana', V = {[0] = 5}}", "={nome: Ana; V: [5]} | nome=Ana | V=[5] | V[0]=5"},
        {"{1, 2", "={1, 2"}, // fora da gramática: como veio, sem partes
    };
    const GrafiaDeNome grafia = [](const std::string& n) {
        return n == "NOME" ? "nome" : n == "NOTA" ? "nota" : n;
    };
    for (const auto& c : casos) {
        const NoValor no = ArvoreDoAlgoritmo(c.gdb, grafia);
        EXPECT_EQ(Planifica(no), c.arvore) << c.gdb;
        EXPECT_EQ(no.texto, ValorDoAlgoritmo(c.gdb, grafia)) << c.gdb;
    }
}

TEST(Declaracoes, GlobaisParametrosELocaisNaGrafiaDoAluno)
{
    const Declaracoes d = LeDeclaracoes({"PROGRAM Executavel;",
                                         "USES CRT, DOS, AUTORIA",
                                         "{ VAR falsa : INTEGER; }",
                                         ";",
                                         "VAR Soma, i : INTEGER ;",
                                         "CONST maximo = 3 ;",
                                         "TYPE aluno = record",
                                         "   Nome : STRING ;",
                                         "   nota : REAL ;",
                                         "end ;",
                                         "VAR t : ARRAY [1..3] OF aluno ;",
                                         "VAR r : record x, Y : INTEGER; end;",
                                         "FUNCTION Dobro ( v : REAL ; VAR k, w : INTEGER) : REAL ;",
                                         "VAR loc : INTEGER ;",
                                         "BEGIN",
                                         "   CASE k OF 1 : BEGIN loc := 1; END; END;",
                                         "   Dobro := v * 2 ;",
                                         "END ;",
                                         "PROCEDURE vazio ;",
                                         "BEGIN",
                                         "END ;",
                                         "BEGIN",
                                         "   i := 1 ;",
                                         "END."});
    ASSERT_EQ(d.rotinas.size(), 3u);
    EXPECT_EQ(d.rotinas[0].variaveis, (std::vector<std::string>{"Soma", "i", "t", "r"}));
    EXPECT_EQ(d.rotinas[1].nome, "Dobro");
    EXPECT_EQ(d.rotinas[1].variaveis, (std::vector<std::string>{"v", "k", "w", "loc"}));
    EXPECT_EQ(d.rotinas[2].nome, "vazio");
    EXPECT_TRUE(d.rotinas[2].variaveis.empty());
    EXPECT_EQ(d.grafiaCampo("NOME"), "Nome");
    EXPECT_EQ(d.grafiaCampo("soma"), "Soma");
    EXPECT_EQ(d.grafia("SOMA"), "Soma");
    EXPECT_EQ(d.grafia("DESCONHECIDO"), "DESCONHECIDO");
    EXPECT_EQ(d.rotina("DOBRO"), &d.rotinas[1]);
}

TEST(TesteDeMesaCsv, ColunasLinhasEAspas)
{
    Declaracoes d;
    d.rotinas = {{"", {"n", "s"}}, {"calc", {"x"}}};
    TesteDeMesa t(d);
    t.Registra(2, {{"", "n", "1"}, {"", "s", "a, \"b\""}});
    t.Registra(7, {{"", "n", "2"}, {"", "s", " x"}, {"CALC", "X", "3.5"}});
    EXPECT_EQ(t.Csv(), "passo,linha,n,s,calc.x\n"
                       "1,3,1,\"a, \"\"b\"\"\",\n"
                       "2,8,2,\" x\",3.5\n");
    EXPECT_EQ(CampoCsv("linha\nnova"), "\"linha\nnova\"");
}

// Teclas UTF-8 para o programa (Windows-1252), com caracteres cortados
// entre duas leituras, como chegam de um terminal ou de um cano.
TEST(TeclasDoTerminal, Utf8ParaWindows1252EmPedacos)
{
    const struct {
        std::vector<std::string> leituras;
        std::string esperado;
    } casos[] = {
        {{"Jo\xC3", "\xA3o\r"}, "Jo\xE3o\r"},
        {{"\xE2", "\x82", "\xAC 5"}, "\x80 5"}, // o euro em três pedaços
        {{"a→b"}, "a?b"}, // seta: não cabe na página
        {{"abc"}, "abc"},
    };
    for (const auto& c : casos) {
        std::string pendente, saida;
        for (const auto& l : c.leituras)
            saida += TeclasPara1252(pendente, l);
        EXPECT_EQ(saida, c.esperado);
        EXPECT_TRUE(pendente.empty());
    }
}

// A tabela gerada da unidade AUTORIA: os textos e o número trocado.
TEST(ErrosExecucao, TextosDaUnidadeAutoria)
{
    EXPECT_EQ(MensagemErroExecucao(200, 5),
              "Erro de execução 200 na linha 5 do algoritmo: divisão por zero.");
    EXPECT_EQ(MensagemErroExecucao(106, 0), "Erro de execução 106: formato numérico inválido (use ponto como "
                                            "separador decimal, por exemplo 8.5).");
    EXPECT_EQ(ExplicacaoErroExecucao(999), "falha do programa");
    EXPECT_EQ(NumeroErroTurbo(208), 200);
    EXPECT_EQ(NumeroErroTurbo(201), 201);
}

} // namespace
} // namespace vendrilo::depuracao
