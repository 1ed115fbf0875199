// O relatório do tpc, a leitura das mensagens do Free Pascal e o que fica
// (ou não fica) no disco depois de compilar.

#include "apoio_tpc.h"
#include "mapa_erros.h"
#include "relatorio.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace vendrilo::teste {
namespace {

namespace fs = std::filesystem;

const char* ProgramaBom = "PROGRAM bom;\r\nUSES CRT, DOS, AUTORIA;\r\nBEGIN\r\n  WRITELN('ok');\r\n  AUTHORS99;\r\nEND.\r\n";

struct CasoLeitura {
    const char* nome;
    const char* linha;
    bool valida;
    int linhaFonte, coluna, numero;
    const char* gravidade;
    const char* texto;
};

void PrintTo(const CasoLeitura& c, std::ostream* os)
{
    *os << c.nome;
}

class LeituraMensagem : public ::testing::TestWithParam<CasoLeitura> {};

TEST_P(LeituraMensagem, SeparaPosicaoNumeroETexto)
{
    const auto& c = GetParam();
    auto m = tpc::LeMensagemFpc(c.linha);
    ASSERT_EQ(m.has_value(), c.valida);
    if (!m)
        return;
    EXPECT_EQ(m->linha, c.linhaFonte);
    EXPECT_EQ(m->coluna, c.coluna);
    EXPECT_EQ(m->numero, c.numero);
    EXPECT_EQ(m->gravidade, c.gravidade);
    EXPECT_EQ(m->texto, c.texto);
}

INSTANTIATE_TEST_SUITE_P(
    Linhas, LeituraMensagem,
    ::testing::Values(
        CasoLeitura{"com_linha_e_coluna", "p.pas(4,10) Error: (3284) Operator is not overloaded", true, 4, 10,
                    3284, "Error", "Operator is not overloaded"},
        CasoLeitura{"so_com_linha", "p.pas(4) Fatal: (2000) Unexpected end of file", true, 4, 0, 2000, "Fatal",
                    "Unexpected end of file"},
        CasoLeitura{"sem_posicao", "Fatal: (1018) Compilation aborted", true, 0, 0, 1018, "Fatal",
                    "Compilation aborted"},
        CasoLeitura{"aviso", "p.pas(4,8) Warning: (4110) range check error", true, 4, 8, 4110, "Warning",
                    "range check error"},
        CasoLeitura{"texto_com_parenteses_e_aspas", "a (b).pas(1,2) Error: (5000) Identifier not found \"x(1)\"",
                    true, 1, 2, 5000, "Error", "Identifier not found \"x(1)\""},
        CasoLeitura{"robustez_linha_do_fpc_sem_numero", "Error: /usr/bin/ppcx64 returned an error exitcode", false,
                    0, 0, 0, "", ""},
        CasoLeitura{"robustez_posicao_sem_fechar", "p.pas(4,10 Error: (1) x", false, 0, 0, 0, "", ""},
        CasoLeitura{"robustez_vazia", "", false, 0, 0, 0, "", ""},
        CasoLeitura{"robustez_coluna_negativa_minima", "programa.pas(1,-2147483648) Error: (4004) x", false, 0,
                    0, 0, "", ""},
        CasoLeitura{"robustez_linha_alem_de_int", "p.pas(99999999999,1) Error: (4004) x", false, 0, 0, 0, "", ""},
        CasoLeitura{"robustez_sinal_mais", "p.pas(+4,1) Error: (4004) x", false, 0, 0, 0, "", ""}),
    [](const auto& info) { return std::string(info.param.nome); });

// O "^" nunca passa do caractere seguinte ao fim da linha do fonte.
TEST(RelatorioErro, CircunflexoLimitadoPelaLinhaDoFonte)
{
    const struct {
        int coluna;
        const char* linha;
        const char* esperado;
    } casos[] = {{3, "\tab", "\t ^"}, {4, "\tab", "\t  ^"}, {34072560, "\tab", "\t  ^"},
                 {2147483647, "", "^"}, {0, "abc", ""}, {-5, "abc", ""}};
    for (const auto& c : casos)
        EXPECT_EQ(tpc::RelatorioErro("p.pas", 1, 3, "x", c.linha, c.coluna)[5], c.esperado) << c.coluna;
}

// O tpc morto no limite de tempo, junto com o compilador, não deixa a sua
// pasta temporária: um compilador de mentira que nunca termina.
TEST(Tpc, MortoNoLimiteDeTempoNaoDeixaPastaTemporaria)
{
    PastaTemp tmp;
    Grava(tmp / "bin/ppcx64", "#!/bin/sh\nexec sleep 60\n");
    fs::permissions(tmp / "bin/ppcx64", fs::perms(0755));
    fs::copy_file(tmp / "bin/ppcx64", tmp / "bin/fpc");
    fs::create_directory(tmp / "t");
    Grava(tmp / "p.pas", "PROGRAM p;\nBEGIN\nEND.\n");
    OpcoesProcesso op;
    op.semEntrada = true;
    op.arquivoSaida = tmp / "saida.txt";
    op.limite = std::chrono::milliseconds(700);
    const auto r = ExecutaProcesso(
        {"/usr/bin/env", "PATH=" + (tmp / "bin") + ":/usr/bin:/bin", "TMPDIR=" + (tmp / "t"), TPC_EXE, tmp / "p.pas"}, op);
    ASSERT_TRUE(r.tempoEsgotado);
    const auto vazia = [&] { return fs::is_empty(tmp / "t"); };
    for (int i = 0; i < 200 && !vazia(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(vazia());
}

TEST(SimboloEsperado, LeOXDoErroDeSintaxe)
{
    EXPECT_EQ(tpc::SimboloEsperado("Syntax error, \";\" expected but \"identifier B\" found"), ";");
    EXPECT_EQ(tpc::SimboloEsperado("Syntax error, \"..\" expected but \"ordinal const\" found"), "..");
    EXPECT_EQ(tpc::SimboloEsperado("Identifier not found \"x\""), "");
}

TEST(Tpc, SucessoEscreveOProgramaEOResumo)
{
    PastaTemp tmp;
    const std::string fonte = tmp / "bom.pas";
    Grava(fonte, ProgramaBom);
    const Execucao e = RodaTpc(fonte, tmp.caminho());
    EXPECT_EQ(e.status, 0) << e.saida;
    ASSERT_EQ(e.linhas.size(), 6u) << e.saida;
    EXPECT_EQ(e.linhas[1], tmp / "bom.PAS(6)");
    EXPECT_EQ(e.linhas[3], tmp / "bom.PAS(6)");
    EXPECT_NE(e.linhas[5].find(" bytes data."), std::string::npos);
    EXPECT_EQ(e.linhas[5].rfind("6 lines, ", 0), 0u) << e.linhas[5];
    // Só o fonte e o programa ficam na pasta: nada de .o, .ppu ou link.res.
    std::vector<std::string> nomes;
    for (const auto& en : fs::directory_iterator(tmp.caminho()))
        nomes.push_back(en.path().filename().string());
    std::sort(nomes.begin(), nomes.end());
    EXPECT_EQ(nomes, (std::vector<std::string>{"bom.exe", "bom.pas"}));
    const Execucao run = Roda({tmp / "bom.exe"}, tmp.caminho());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.saida, "ok\n") << "saída redirecionada traz só o que o programa escreveu";
}

TEST(Tpc, ErroApagaProgramaAntigoENaoDeixaIntermediarios)
{
    PastaTemp tmp;
    const std::string fonte = tmp / "p.pas";
    Grava(tmp / "p.exe", "programa velho");
    Grava(fonte, "PROGRAM p;\nBEGIN\n  x := 1;\nEND.\n");
    const Execucao e = RodaTpc(fonte, tmp.caminho());
    EXPECT_EQ(e.status, 1);
    EXPECT_FALSE(Existe(tmp / "p.exe"));
    EXPECT_EQ(std::distance(fs::directory_iterator(tmp.caminho()), fs::directory_iterator()), 1);
    ASSERT_EQ(e.linhas.size(), 6u);
    EXPECT_EQ(e.linhas[1], tmp / "p.PAS(3)");
    EXPECT_EQ(e.linhas[2], "");
    EXPECT_EQ(e.linhas[3], tmp / "p.PAS(3): Error 3: Identifier not found \"x\".");
    EXPECT_EQ(e.linhas[4], "  x := 1;");
    EXPECT_EQ(e.linhas[5], "  ^");
}

TEST(Tpc, CircunflexoSobOSimboloComTabulacoesEBytes1252)
{
    PastaTemp tmp;
    const std::string fonte = tmp / "t.pas";
    // Tabulação e "ção" em Windows-1252: a coluna do Free Pascal é em bytes.
    Grava(fonte, "PROGRAM t;\nVAR a: INTEGER;\nBEGIN\n\ta := LENGTH('\xE7\xE3o') + zz;\nEND.\n");
    const Execucao e = RodaTpc(fonte, tmp.caminho());
    ASSERT_EQ(e.linhas.size(), 6u);
    EXPECT_EQ(e.linhas[4], "\ta := LENGTH('\xE7\xE3o') + zz;");
    EXPECT_EQ(e.linhas[5], "\t" + std::string(21, ' ') + "^");
    EXPECT_EQ(e.linhas[4].substr(e.linhas[5].find('^'), 2), "zz");
}

TEST(Tpc, CaminhosComCaracteresDeShellNuncaSaoInterpretados)
{
    PastaTemp tmp;
    const std::string pasta = tmp / "a b;'c\"$(touch PWNED)`id`" "\xC3\xA7\xC3\xA3o";
    fs::create_directories(pasta);
    const std::string fonte = pasta + "/m\xE9" "dia $x.pas";
    Grava(fonte, ProgramaBom);
    const Execucao e = RodaTpc(fonte, tmp.caminho());
    EXPECT_EQ(e.status, 0) << e.saida;
    EXPECT_TRUE(Existe(pasta + "/m\xE9" "dia $x.exe"));
    EXPECT_FALSE(Existe(tmp / "PWNED"));
    EXPECT_FALSE(Existe(pasta + "/PWNED"));
    EXPECT_FALSE(Existe("PWNED"));
}

TEST(Tpc, QuebraDeLinhaNoCaminhoNaoDesalinhaORelatorio)
{
    PastaTemp tmp;
    const std::string pasta = tmp / "duas\nlinhas";
    fs::create_directories(pasta);
    Grava(pasta + "/bom.pas", ProgramaBom);
    Execucao e = RodaTpc(pasta + "/bom.pas", tmp.caminho());
    EXPECT_EQ(e.status, 0);
    ASSERT_EQ(e.linhas.size(), 6u) << e.saida;
    EXPECT_EQ(e.linhas[3], tmp / "duas?linhas/bom.PAS(6)");
    EXPECT_NE(e.linhas[5].find(" bytes data."), std::string::npos);
    Grava(pasta + "/mau.pas", "PROGRAM m;\nBEGIN\n  y := 2;\nEND.\n");
    e = RodaTpc(pasta + "/mau.pas", tmp.caminho());
    EXPECT_EQ(e.status, 1);
    ASSERT_EQ(e.linhas.size(), 6u) << e.saida;
    EXPECT_EQ(NumeroDoErro(e.linhas), 3);
    EXPECT_EQ(e.linhas[5], "  ^");
}

TEST(Tpc, IgualNoLugarDaAtribuicaoApontaOOperador)
{
    // O Free Pascal acusa a linha seguinte; o relatório aponta o "=".
    PastaTemp tmp;
    Grava(tmp / "a.pas", "PROGRAM a;\nVAR x: INTEGER;\nBEGIN\n  x = 5\nEND.\n");
    const Execucao e = RodaTpc(tmp / "a.pas", tmp.caminho());
    ASSERT_EQ(e.linhas.size(), 6u) << e.saida;
    EXPECT_EQ(NumeroDoErro(e.linhas), 91);
    EXPECT_EQ(e.linhas[1], tmp / "a.PAS(4)");
    EXPECT_EQ(e.linhas[4], "  x = 5");
    EXPECT_EQ(e.linhas[5], "    ^");
}

TEST(Tpc, UsoErradoESemCompiladorSaemCom2)
{
    PastaTemp tmp;
    Grava(tmp / "bom.pas", ProgramaBom);
    EXPECT_EQ(Roda({TPC_EXE}, tmp.caminho()).status, 2);
    EXPECT_EQ(Roda({TPC_EXE, "-x", tmp / "bom.pas"}, tmp.caminho()).status, 2);
    EXPECT_EQ(Roda({TPC_EXE, tmp / "nao-existe.pas"}, tmp.caminho()).status, 2);
    // Sem fpc no PATH: o tpc é chamado por caminho absoluto com PATH vazio.
    const char* antigo = std::getenv("PATH");
    std::string guardado = antigo ? antigo : "";
    setenv("PATH", tmp.caminho().c_str(), 1);
    const Execucao e = Roda({TPC_EXE, "/U" + std::string(DADOS_BUILD), tmp / "bom.pas"}, tmp.caminho());
    setenv("PATH", guardado.c_str(), 1);
    EXPECT_EQ(e.status, 2);
    EXPECT_FALSE(Existe(tmp / "bom.exe"));
}

TEST(Tpc, OpcaoComHifenEUnidadeNaPastaDoFonte)
{
    PastaTemp tmp;
    // Uma unidade do aluno ao lado do programa também é achada.
    Grava(tmp / "minha.pas", "UNIT minha;\nINTERFACE\nFUNCTION dobro(x: INTEGER): INTEGER;\n"
                             "IMPLEMENTATION\nFUNCTION dobro(x: INTEGER): INTEGER; BEGIN dobro := 2 * x; END;\nEND.\n");
    Grava(tmp / "u.pas", "PROGRAM u;\nUSES AUTORIA, minha;\nBEGIN\n  WRITELN(dobro(21));\nEND.\n");
    const Execucao e = Roda({TPC_EXE, "-U" + std::string(DADOS_BUILD), tmp / "u.pas"}, tmp.caminho());
    ASSERT_EQ(e.status, 0) << e.saida;
    EXPECT_EQ(Roda({tmp / "u.exe"}, tmp.caminho()).saida, "42\n");
    EXPECT_FALSE(Existe(tmp / "minha.ppu"));
    EXPECT_FALSE(Existe(tmp / "minha.o"));
}

TEST(Relatorio, CaminhoComExtensaoPAS)
{
    EXPECT_EQ(tpc::CaminhoPasMaiusculo("/a/b.pas"), "/a/b.PAS");
    EXPECT_EQ(tpc::CaminhoPasMaiusculo("/a.x/b"), "/a.x/b.PAS");
    EXPECT_EQ(tpc::CaminhoPasMaiusculo("/a/b.Pas"), "/a/b.PAS");
    EXPECT_EQ(tpc::CaminhoPrograma("/a/b.pas"), "/a/b.exe");
}

} // namespace
} // namespace vendrilo::teste
