// A camada de sistema da cadeia do compilador: processos sem shell, a
// pasta do programa e o console do programa compilado.

#include "apoio_tpc.h"

#include "platform/console.h"
#include "platform/pasta_programa.h"
#include "platform/processo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <signal.h>
#include <thread>

namespace vendrilo::teste {
namespace {

namespace fs = std::filesystem;

// Espera um arquivo aparecer (processo desligado), por até 20 s.
bool EsperaArquivo(const std::string& caminho)
{
    for (int i = 0; i < 400; ++i) {
        if (Existe(caminho))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// Filhos deste processo que terminaram sem ser recolhidos (estado Z).
int ZumbisFilhos()
{
    int n = 0;
    for (const auto& e : fs::directory_iterator("/proc")) {
        std::ifstream f(e.path() / "stat");
        std::string linha;
        if (!std::getline(f, linha) || linha.rfind(')') == std::string::npos)
            continue;
        std::istringstream resto(linha.substr(linha.rfind(')') + 1));
        char estado = 0;
        long pai = 0;
        resto >> estado >> pai;
        n += estado == 'Z' && pai == getpid();
    }
    return n;
}

// --- Processos ---

TEST(Processo, ArgumentosChegamLiteraisSemShell)
{
    PastaTemp tmp;
    const std::vector<std::string> args = {"a b", "'q'", "\"d\"", ";", "$(touch PWNED)", "`id`", "*", "\xC3\xA7"};
    std::vector<std::string> argv = {"printf", "%s\\n"};
    argv.insert(argv.end(), args.begin(), args.end());
    const Execucao e = Roda(argv, tmp.caminho());
    EXPECT_EQ(e.status, 0);
    EXPECT_EQ(e.linhas, args);
    EXPECT_FALSE(Existe(tmp / "PWNED"));
}

TEST(Processo, CodigoDeSaidaEntradaDeArquivoESinal)
{
    PastaTemp tmp;
    EXPECT_EQ(Roda({"/bin/sh", "-c", "exit 7"}, tmp.caminho()).status, 7);
    EXPECT_EQ(Roda({"/bin/sh", "-c", "kill -TERM $$"}, tmp.caminho()).status, 128 + SIGTERM);
    EXPECT_EQ(Roda({"cat"}, tmp.caminho(), "linha 1\nlinha 2\n").saida, "linha 1\nlinha 2\n");
}

TEST(Processo, ProgramaInexistenteNaoInicia)
{
    auto r = ExecutaProcesso({"/nao/existe/programa"});
    EXPECT_FALSE(r.iniciado);
    EXPECT_FALSE(r.erro.empty());
    EXPECT_FALSE(ExecutaProcesso({}).iniciado);
    EXPECT_FALSE(IniciaDesligado({"programa-que-nao-existe-em-lugar-nenhum"}));
    EXPECT_EQ(ProcuraPrograma("programa-que-nao-existe-em-lugar-nenhum"), "");
    EXPECT_NE(ProcuraPrograma("sh"), "");
}

TEST(Processo, PrazoEsgotadoMataOGrupo)
{
    OpcoesProcesso op;
    op.limite = std::chrono::milliseconds(200);
    auto r = ExecutaProcesso({"/bin/sh", "-c", "sleep 300"}, op);
    EXPECT_TRUE(r.iniciado);
    EXPECT_TRUE(r.tempoEsgotado);
    // Dentro do prazo nada é morto.
    op.limite = std::chrono::seconds(30);
    r = ExecutaProcesso({"/bin/sh", "-c", "exit 0"}, op);
    EXPECT_FALSE(r.tempoEsgotado);
    EXPECT_EQ(r.status, 0);
}

TEST(Processo, DesligadoRodaSemSerEsperado)
{
    PastaTemp tmp;
    ASSERT_TRUE(IniciaDesligado({"/bin/sh", "-c", "echo pronto > \"$1\"", "sh", tmp / "marca $x"}));
    EXPECT_TRUE(EsperaArquivo(tmp / "marca $x"));
    // Terminado, é recolhido sem outra chamada: nenhum zumbi fica.
    bool semZumbi = false;
    for (int i = 0; i < 200 && !(semZumbi = ZumbisFilhos() == 0); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(semZumbi);
}

// --- Pasta do programa ---

TEST(PastaPrograma, VariavelDeAmbienteOuPastaPessoal)
{
    const char* antiga = std::getenv("VENDRILO_PASTA");
    const std::string guardada = antiga ? antiga : "";
    setenv("VENDRILO_PASTA", "/tmp/outra pasta/", 1);
    EXPECT_EQ(PastaPrograma(), "/tmp/outra pasta");
    EXPECT_EQ(NaPastaPrograma("ArquiTmp.tmp"), "/tmp/outra pasta/ArquiTmp.tmp");
    setenv("VENDRILO_PASTA", "", 1);
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(PastaPrograma(), fs::path(home).lexically_normal().string() + "/vendrilo");
    if (antiga)
        setenv("VENDRILO_PASTA", guardada.c_str(), 1);
    else
        unsetenv("VENDRILO_PASTA");
}

TEST(PastaPrograma, PrimeiroUsoPreencheSemNuncaSubstituir)
{
    PastaTemp tmp;
    const std::string dados = tmp / "dados", pasta = tmp / "vendrilo", tpc = tmp / "bin/tpc";
    for (const char* f : {"tpc.pif", "autoria.ppu", "autoria.o", "versao.txt", "Update/versao.ini",
                          "exp/exp000.alg", "hlp/index.html", "hlp/img/a.png"})
        Grava(dados + "/" + f, std::string("original ") + f);
    Grava(tpc, "#!/bin/sh\n");

    auto r = PreparaPastaPrograma(pasta, dados, tpc);
    ASSERT_TRUE(r.ok) << r.erro;
    EXPECT_EQ(r.criados.size(), 9u);
    EXPECT_TRUE(fs::is_symlink(pasta + "/tpc"));
    EXPECT_EQ(Le(pasta + "/hlp/img/a.png"), "original hlp/img/a.png");
    EXPECT_EQ(Le(pasta + "/Update/versao.ini"), "original Update/versao.ini");

    // O que o aluno mudou fica; o que sumiu volta; link quebrado é refeito.
    Grava(pasta + "/exp/exp000.alg", "meu exemplo");
    fs::remove(pasta + "/tpc.pif");
    fs::remove(pasta + "/tpc");
    fs::create_symlink(tmp / "nao-existe", pasta + "/tpc");
    r = PreparaPastaPrograma(pasta, dados, tpc);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.criados, (std::vector<std::string>{"tpc", "tpc.pif"}));
    EXPECT_EQ(Le(pasta + "/exp/exp000.alg"), "meu exemplo");
    EXPECT_EQ(fs::read_symlink(pasta + "/tpc"), fs::path(tpc));

    // Nada mais a fazer na terceira vez.
    EXPECT_TRUE(PreparaPastaPrograma(pasta, dados, tpc).criados.empty());
}

// As unidades compiladas seguem a instalação: uma pasta de versão anterior
// recebe a AUTORIA nova; a refeita na própria pasta pela verificação fica.
TEST(PastaPrograma, UnidadesAcompanhamAInstalacao)
{
    PastaTemp tmp;
    const std::string dados = tmp / "dados", pasta = tmp / "vendrilo", tpc = tmp / "tpc";
    Grava(dados + "/autoria.ppu", "ppu 1");
    Grava(dados + "/autoria.o", "o 1");
    const std::vector<std::string> ambas{"autoria.ppu", "autoria.o"};

    // Pasta de uma versão sem a marca, com a unidade antiga: trocada.
    Grava(pasta + "/autoria.ppu", "ppu antiga");
    Grava(pasta + "/autoria.o", "o antigo");
    auto r = PreparaPastaPrograma(pasta, dados, tpc);
    ASSERT_TRUE(r.ok) << r.erro;
    EXPECT_EQ(r.atualizados, ambas);
    EXPECT_EQ(Le(pasta + "/autoria.ppu"), "ppu 1");
    EXPECT_EQ(Le(pasta + "/autoria.o"), "o 1");

    // Refeita na pasta (outro compilador), instalação igual: fica.
    Grava(pasta + "/autoria.ppu", "ppu refeita aqui");
    EXPECT_TRUE(PreparaPastaPrograma(pasta, dados, tpc).atualizados.empty());
    EXPECT_EQ(Le(pasta + "/autoria.ppu"), "ppu refeita aqui");

    // Instalação nova: as duas vêm juntas, para .ppu e .o combinarem.
    Grava(dados + "/autoria.ppu", "ppu 2 maior");
    r = PreparaPastaPrograma(pasta, dados, tpc);
    EXPECT_EQ(r.atualizados, ambas);
    EXPECT_EQ(Le(pasta + "/autoria.ppu"), "ppu 2 maior");
    EXPECT_TRUE(PreparaPastaPrograma(pasta, dados, tpc).atualizados.empty());

    // Sem a marca mas com o mesmo conteúdo: nada trocado, só marcado.
    fs::remove(pasta + "/" + NomeMarcaUnidades);
    r = PreparaPastaPrograma(pasta, dados, tpc);
    EXPECT_TRUE(r.atualizados.empty() && r.criados.empty());
    EXPECT_TRUE(Existe(pasta + "/" + NomeMarcaUnidades));
}

TEST(PastaPrograma, PastaImpossivelDaMensagem)
{
    PastaTemp tmp;
    Grava(tmp / "arquivo", "x");
    auto r = PreparaPastaPrograma(tmp / "arquivo/vendrilo", tmp / "dados", tmp / "tpc");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.erro.find("Não foi possível criar a pasta do programa"), std::string::npos);
}

// --- Console ---

struct CasoPif {
    const char* nome;
    const char* conteudo;
    bool maximizada, manterAberta;
    int colunas, linhas, tamanhoFonte;
    const char* mensagemFinal;
    const char* codificacao;
};

void PrintTo(const CasoPif& c, std::ostream* os) { *os << c.nome; }

class LeituraPif : public ::testing::TestWithParam<CasoPif> {};

TEST_P(LeituraPif, LeASecaoConsole)
{
    const CasoPif& c = GetParam();
    PastaTemp tmp;
    if (c.conteudo)
        Grava(tmp / "p.pif", c.conteudo);
    const ConfigConsole cfg = LeConfigConsole(tmp / "p.pif");
    EXPECT_EQ(cfg.maximizada, c.maximizada);
    EXPECT_EQ(cfg.manterAberta, c.manterAberta);
    EXPECT_EQ(cfg.colunas, c.colunas);
    EXPECT_EQ(cfg.linhas, c.linhas);
    EXPECT_EQ(cfg.tamanhoFonte, c.tamanhoFonte);
    EXPECT_EQ(cfg.mensagemFinal, c.mensagemFinal);
    EXPECT_EQ(cfg.codificacao, c.codificacao);
}

INSTANTIATE_TEST_SUITE_P(
    Arquivos, LeituraPif,
    ::testing::Values(
        CasoPif{"ausente_da_o_padrao", nullptr, true, true, 80, 25, 14,
                "Pressione ENTER para fechar esta janela.", "automatica"},
        CasoPif{
            "valores_e_comentarios",
            "; comentario\r\n[Console]\r\nColunas = 100 \r\nLinhas=30\r\nTamanhoFonte=18\r\nMaximizada=0\r\n"
            "ManterAberta=nao\r\nMensagemFinal=Tecle ENTER\r\nCodificacao=UTF-8\r\n",
            false, false, 100, 30, 18, "Tecle ENTER", "UTF-8"},
        CasoPif{"numeros_fora_da_faixa_ou_lixo_ficam_no_padrao",
                "[Console]\nColunas=0\nLinhas=99999\nTamanhoFonte=12pt\n", true, true, 80, 25, 14,
                "Pressione ENTER para fechar esta janela.", "automatica"},
        CasoPif{"texto_em_1252_vira_utf8", "[console]\nMensagemFinal=Aperte a tecla \xC9nter\n", true, true,
                80, 25, 14, "Aperte a tecla \xC3\x89nter", "automatica"},
        CasoPif{"utf8_com_marca_de_ordem", "\xEF\xBB\xBF[Console]\nColunas=132\n", true, true, 132, 25, 14,
                "Pressione ENTER para fechar esta janela.", "automatica"},
        CasoPif{"outra_secao_e_lixo_ignorados", "[Outra]\nColunas=90\n[Console]\nsem igual\n=vazio\n", true,
                true, 80, 25, 14, "Pressione ENTER para fechar esta janela.", "automatica"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Console, CodificacaoAutomaticaSegueOAlgoritmo)
{
    PastaTemp tmp;
    ConfigConsole c;
    Grava(tmp / "a.exe", "");
    EXPECT_FALSE(ConsoleUtf8(tmp / "a.exe", c)) << "sem algoritmo: Windows-1252";
    Grava(tmp / "a.alg", "MOSTRE-PL ('ol\xC3\xA1')\n");
    EXPECT_TRUE(ConsoleUtf8(tmp / "a.exe", c));
    Grava(tmp / "a.alg", "MOSTRE-PL ('ol\xE1')\n");
    EXPECT_FALSE(ConsoleUtf8(tmp / "a.exe", c));
    Grava(tmp / "a.alg", "MOSTRE-PL ('ola')\n");
    EXPECT_FALSE(ConsoleUtf8(tmp / "a.exe", c)) << "só ASCII: o padrão do Vendrilo";
    c.codificacao = "UTF-8";
    EXPECT_TRUE(ConsoleUtf8(tmp / "a.exe", c));
}

// O pedido leva o programa (absoluto), a pasta dele e o .pif ao lado;
// sem quem abra a janela, AbreConsole falha em vez de fingir.
TEST(Console, PedidoLevaOProgramaEOPifAoLado)
{
    PastaTemp tmp;
    const std::string pasta = tmp / "x y;$(touch PWNED)";
    Grava(pasta + "/prog.pif", "[Console]\nColunas=60\nTerminal=/bin/false\n");
    std::vector<PedidoConsole> recebidos;
    DefineLancadorConsole([&](const PedidoConsole& p) {
        recebidos.push_back(p);
        return true;
    });
    EXPECT_TRUE(AbreConsole(pasta + "/prog.exe"));
    DefineLancadorConsole(nullptr);
    EXPECT_FALSE(AbreConsole(pasta + "/prog.exe"));
    ASSERT_EQ(recebidos.size(), 1u);
    EXPECT_EQ(recebidos[0].programa, pasta + "/prog.exe");
    EXPECT_EQ(recebidos[0].pasta, pasta);
    EXPECT_EQ(recebidos[0].config.colunas, 60);
    EXPECT_FALSE(recebidos[0].utf8);
}

} // namespace
} // namespace vendrilo::teste
