// A etapa de compilação: arquivos de apoio, erros de estrutura, compilador
// que não inicia ou não termina, arquivos que ficam e saem, e caminhos com
// caracteres de shell.

#include "apoio_compilacao.h"

#include "formato/texto_1252.h"
#include "translate/execucao.h"

#include <filesystem>
#include <future>
#include <optional>
#include <thread>

namespace vendrilo::teste {
namespace {

namespace fs = std::filesystem;

const char* MensagemIncompletos =
    "Arquivos do Vendrilo de Algoritmos não estão completos!!! Contate a equipe do projeto. (vendrilo@example.org)";

// Um .pas escrito à mão (26 linhas de moldura e a linha do ";"), para
// exercitar a etapa sem depender da tradução.
std::string ProgramaComCorpo(const std::string& corpo)
{
    std::string s;
    for (int i = 1; i <= 22; ++i)
        s += "{ moldura }\r\n";
    s += "PROGRAM Executavel;\r\n\r\nUSES CRT, DOS, AUTORIA\r\n\r\n;\r\n" + corpo;
    return s;
}

EntradaCompilacao Entrada(const std::string& pas, const std::string& pasta)
{
    EntradaCompilacao e;
    e.NomePas = pas;
    e.NomePif = pas.substr(0, pas.size() - 3) + "pif";
    e.PastaPrograma = pasta;
    e.LinhasAlgoritmo = {"BEGIN", "  WRITELN('oi');", "AUTHORS99; END."};
    return e;
}

class EtapaCompilacao : public ::testing::Test {
protected:
    PastaProgramaTeste pasta;
    PastaTemp trabalho;
    std::string pas = trabalho / "prog.pas";
    void SetUp() override { Grava(pas, ProgramaComCorpo("BEGIN\r\n  WRITELN('oi');\r\nAUTHORS99; END.\r\n")); }
};

struct CasoApoio {
    const char* nome;
    const char* falta; // arquivo da pasta do programa que some; vazio: o fpc do PATH
};

void PrintTo(const CasoApoio& c, std::ostream* os) { *os << c.nome; }

class ArquivosDeApoio : public EtapaCompilacao, public ::testing::WithParamInterface<CasoApoio> {};

TEST_P(ArquivosDeApoio, FaltandoUmParaComAMensagemEApagaOPas)
{
    const CasoApoio& c = GetParam();
    std::string pathAntigo = std::getenv("PATH") ? std::getenv("PATH") : "";
    if (*c.falta)
        fs::remove(pasta.caminho() + "/" + c.falta);
    else
        setenv("PATH", trabalho.caminho().c_str(), 1);
    const ResultadoCompilacao r = CompilaPrograma(Entrada(pas, pasta.caminho()));
    setenv("PATH", pathAntigo.c_str(), 1);
    EXPECT_EQ(r.situacao, SituacaoCompilacao::ArquivosIncompletos);
    EXPECT_EQ(r.mensagem, MensagemIncompletos);
    EXPECT_FALSE(Existe(pas));
    EXPECT_FALSE(Existe(trabalho / "prog.exe"));
}

INSTANTIATE_TEST_SUITE_P(Ordem, ArquivosDeApoio,
                         ::testing::Values(CasoApoio{"unidade_autoria", "autoria.ppu"},
                                           CasoApoio{"objeto_da_unidade", "autoria.o"},
                                           CasoApoio{"pif", "tpc.pif"}, CasoApoio{"tpc", "tpc"},
                                           CasoApoio{"free_pascal_no_path", ""}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(EtapaCompilacao, ErrosDeEstruturaNaoCompilamEGuardamOPas)
{
    EntradaCompilacao e = Entrada(pas, pasta.caminho());
    e.TotalErros = 2;
    const ResultadoCompilacao r = CompilaPrograma(e);
    EXPECT_EQ(r.situacao, SituacaoCompilacao::ErrosEstrutura);
    EXPECT_TRUE(Existe(pas));
    EXPECT_FALSE(Existe(trabalho / "prog.exe"));
    EXPECT_FALSE(Existe(trabalho / "prog.pif"));
}

TEST_F(EtapaCompilacao, SucessoApagaPasSemAMarcaEGuardaComEla)
{
    ResultadoCompilacao r = CompilaPrograma(Entrada(pas, pasta.caminho()));
    ASSERT_EQ(r.situacao, SituacaoCompilacao::Sucesso) << (r.Relatorio.size() > 3 ? r.Relatorio[3] : "");
    EXPECT_FALSE(Existe(pas));
    EXPECT_TRUE(Existe(trabalho / "prog.exe"));
    EXPECT_EQ(r.Relatorio.at(0), "Vendrilo de Algoritmos - Vers\xE3o 2.4");
    EXPECT_EQ(r.LinhaComando, "cmd.exe /c " + pasta.caminho() + "/tpc /U" + pasta.caminho() + " " + pas + " > " +
                                  pasta.caminho() + "/ArquiTmp.tmp");

    Grava(pasta.caminho() + "/xpas.xno", "");
    Grava(pas, ProgramaComCorpo("BEGIN\r\nAUTHORS99; END.\r\n"));
    r = CompilaPrograma(Entrada(pas, pasta.caminho()));
    ASSERT_EQ(r.situacao, SituacaoCompilacao::Sucesso);
    EXPECT_TRUE(Existe(pas));
}

TEST_F(EtapaCompilacao, PifExistenteAoLadoNuncaESubstituido)
{
    Grava(trabalho / "prog.pif", "[Console]\nTerminal=meu\n");
    const ResultadoCompilacao r = CompilaPrograma(Entrada(pas, pasta.caminho()));
    ASSERT_EQ(r.situacao, SituacaoCompilacao::Sucesso);
    EXPECT_EQ(Le(trabalho / "prog.pif"), "[Console]\nTerminal=meu\n");
}

TEST_F(EtapaCompilacao, CompiladorQueNaoIniciaDaErroNaExecucao)
{
    fs::remove(pasta.caminho() + "/tpc");
    Grava(pasta.caminho() + "/tpc", "#!/nao/existe/interpretador\n");
    fs::permissions(pasta.caminho() + "/tpc", fs::perms::owner_all);
    const ResultadoCompilacao r = CompilaPrograma(Entrada(pas, pasta.caminho()));
    EXPECT_EQ(r.situacao, SituacaoCompilacao::FalhaExecucao);
    EXPECT_EQ(r.mensagem, "Erro na execução!!!");
    EXPECT_FALSE(Existe(pasta.caminho() + "/ArquiTmp.tmp"));
}

TEST_F(EtapaCompilacao, CompiladorQueNaoTerminaEInterrompido)
{
    fs::remove(pasta.caminho() + "/tpc");
    // O filho também precisa morrer: o grupo inteiro é interrompido.
    Grava(pasta.caminho() + "/tpc", "#!/bin/sh\nsleep 300 &\necho $! > \"$0.filho\"\nwait\n");
    fs::permissions(pasta.caminho() + "/tpc", fs::perms::owner_all);
    EntradaCompilacao e = Entrada(pas, pasta.caminho());
    e.Limite = std::chrono::milliseconds(500);
    const ResultadoCompilacao r = CompilaPrograma(e);
    EXPECT_EQ(r.situacao, SituacaoCompilacao::TempoEsgotado);
    EXPECT_NE(r.mensagem.find("foi interrompido"), std::string::npos) << r.mensagem;
    EXPECT_FALSE(Existe(pasta.caminho() + "/ArquiTmp.tmp"));
    const int filho = std::atoi(Le(pasta.caminho() + "/tpc.filho").c_str());
    ASSERT_GT(filho, 0);
    // Morto (ou já recolhido): não responde mais como processo vivo.
    bool vivo = true;
    for (int i = 0; i < 100 && vivo; ++i) {
        std::string estado = Le("/proc/" + std::to_string(filho) + "/stat");
        vivo = !estado.empty() && estado.find(") Z") == std::string::npos;
        if (vivo)
            usleep(20000);
    }
    EXPECT_FALSE(vivo);
}

TEST_F(EtapaCompilacao, CompiladorSemRelatorioEFalhaClara)
{
    fs::remove(pasta.caminho() + "/tpc");
    Grava(pasta.caminho() + "/tpc", "#!/bin/sh\nexit 2\n");
    fs::permissions(pasta.caminho() + "/tpc", fs::perms::owner_all);
    const ResultadoCompilacao r = CompilaPrograma(Entrada(pas, pasta.caminho()));
    EXPECT_EQ(r.situacao, SituacaoCompilacao::FalhaExecucao);
    EXPECT_NE(r.mensagem.find("sem relatório"), std::string::npos) << r.mensagem;
}

TEST_F(EtapaCompilacao, ErroForaDoAlgoritmoAindaMostraAsTresLinhas)
{
    // Erro numa linha da moldura: não há linha do algoritmo para o cursor,
    // mas a mensagem não pode sumir.
    std::string s;
    for (int i = 1; i <= 22; ++i)
        s += "{ moldura }\r\n";
    s += "PROGRAM Executavel;\r\n\r\nUSES CRT, DOS, AUTORIA, NAOEXISTE\r\n\r\n;\r\nBEGIN END.\r\n";
    Grava(pas, s);
    const ResultadoCompilacao r = CompilaPrograma(Entrada(pas, pasta.caminho()));
    ASSERT_EQ(r.situacao, SituacaoCompilacao::ErroCompilacao);
    EXPECT_TRUE(r.MostraPainel);
    EXPECT_FALSE(r.PosicionaCursor);
    EXPECT_LT(r.LinhaErro, 0);
    EXPECT_NE(r.LinhasErro[0].find(Para1252(": Erro 68: Unidade não foi encontrada.")), std::string::npos)
        << r.LinhasErro[0];
}

TEST_F(EtapaCompilacao, ErroNaPrimeiraLinhaDoAlgoritmoPoeOCursorNela)
{
    Grava(pas, ProgramaComCorpo("BEGIN x := 1;\r\nAUTHORS99; END.\r\n"));
    const ResultadoCompilacao r = CompilaPrograma(Entrada(pas, pasta.caminho()));
    ASSERT_EQ(r.situacao, SituacaoCompilacao::ErroCompilacao);
    EXPECT_EQ(r.LinhaErro, 0);
    EXPECT_TRUE(r.PosicionaCursor);
    EXPECT_EQ(r.LinhaErroExibida, 1);
    EXPECT_EQ(r.ColunaErro, 7);
    EXPECT_EQ(r.LinhasErro[1], "BEGIN") << "a linha 4 traz o texto do algoritmo";
}

TEST_F(EtapaCompilacao, RelatorioProprioNaoEsperaATravaDaPasta)
{
    // A correção de uma turma compila vários alunos ao mesmo tempo, cada um
    // com o seu relatório: a trava da pasta não pode enfileirá-los.
    std::optional<TravaPastaPrograma> trava(std::in_place, pasta.caminho());
    EntradaCompilacao e = Entrada(pas, pasta.caminho());
    e.ArquivoRelatorio = trabalho / "relatorio.tmp";
    auto f = std::async(std::launch::async, [&] { return CompilaPrograma(e); });
    const bool terminou = f.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    trava.reset();
    EXPECT_TRUE(terminou) << "esperou a trava da pasta do programa";
    EXPECT_EQ(f.get().situacao, SituacaoCompilacao::Sucesso);
    EXPECT_FALSE(Existe(e.ArquivoRelatorio));
    EXPECT_FALSE(Existe(pasta.caminho() + "/" + NomeRelatorioCompilador));
}

TEST(CompilacoesSimultaneas, NaMesmaPastaDoProgramaNaoSeMisturam)
{
    // O relatório tem nome fixo: sem a trava, uma compilação leria o da outra.
    PastaProgramaTeste pasta;
    PastaTemp trabalho;
    std::vector<std::string> algs;
    for (const char* nome : {"fatorial", "tabuada", "mdc", "primo"}) {
        algs.push_back(trabalho / (std::string(nome) + ".alg"));
        fs::copy_file(std::string(ALGORITMOS) + "/" + nome + ".alg", algs.back());
    }
    algs.push_back(trabalho / "quebrado.alg");
    fs::copy_file(std::string(ALGORITMOS) + "/erros/falta_operador.alg", algs.back());
    std::vector<ResultadoCompilacao> r(algs.size());
    std::vector<std::thread> linhas;
    for (std::size_t i = 0; i < algs.size(); ++i)
        linhas.emplace_back([&, i] { r[i] = TraduzECompila(algs[i], pasta.caminho()); });
    for (auto& t : linhas)
        t.join();
    for (std::size_t i = 0; i + 1 < algs.size(); ++i)
        EXPECT_EQ(r[i].situacao, SituacaoCompilacao::Sucesso) << algs[i];
    ASSERT_EQ(r.back().situacao, SituacaoCompilacao::ErroCompilacao);
    EXPECT_NE(r.back().LinhasErro[0].find("quebrado.ALG(6)"), std::string::npos) << r.back().LinhasErro[0];
}

TEST(CaminhosEstranhos, TraduzCompilaERodaSemInterpretarNada)
{
    PastaTemp tmp;
    const std::string pastaPrograma = tmp / "prog $(touch PWNED1);x";
    ASSERT_TRUE(PreparaPastaPrograma(pastaPrograma, DADOS_BUILD, TPC_EXE).ok);
    const std::string pasta =
        tmp / "meus 'algs' \"novos\"; $(touch PWNED2) `touch PWNED3`\nsegunda linha \xC3\xA7\xC3\xA3o";
    fs::create_directories(pasta);
    const std::string alg = pasta + "/m\xE9" "dia; $HOME.alg";
    fs::copy_file(std::string(ALGORITMOS) + "/media_tres_notas.alg", alg);
    const ResultadoCompilacao r = TraduzECompila(alg, pastaPrograma);
    ASSERT_EQ(r.situacao, SituacaoCompilacao::Sucesso) << r.mensagem;
    const std::string exe = alg.substr(0, alg.size() - 3) + "exe";
    ASSERT_TRUE(Existe(exe));
    const Execucao e = Roda({exe}, tmp.caminho(), "1 2 3\n");
    EXPECT_EQ(e.saida, Para1252("Notas: Média: 2.00\n"));
    // Com erro, a referência ao algoritmo sai numa linha só.
    const std::string quebrado = pasta + "/erro $(touch PWNED1).alg";
    fs::copy_file(std::string(ALGORITMOS) + "/erros/variavel_nao_declarada.alg", quebrado);
    const ResultadoCompilacao q = TraduzECompila(quebrado, pastaPrograma);
    ASSERT_EQ(q.situacao, SituacaoCompilacao::ErroCompilacao);
    std::string semQuebra = quebrado.substr(0, quebrado.size() - 3);
    std::replace(semQuebra.begin(), semQuebra.end(), '\n', '?');
    EXPECT_EQ(q.LinhasErro[0].rfind(semQuebra + "ALG(5): Erro 3:", 0), 0u) << q.LinhasErro[0];
    EXPECT_EQ(q.LinhaErroExibida, 5);
    for (const char* marca : {"PWNED1", "PWNED2", "PWNED3"}) {
        EXPECT_FALSE(Existe(tmp / marca));
        EXPECT_FALSE(Existe(pasta + "/" + marca));
        EXPECT_FALSE(Existe(pastaPrograma + "/" + marca));
        EXPECT_FALSE(Existe(marca));
    }
}

} // namespace
} // namespace vendrilo::teste
