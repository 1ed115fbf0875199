// vendrilo-traduz por dentro: opções, códigos de saída e relatório, com
// arquivos reais e a saída capturada.
#include "apoio_traducao.h"

#include "../apoio/arquivos_incomuns.h"
#include "formato_gcc.h"
#include "linha_comando.h"

#include <sstream>

namespace {

using namespace vendrilo;
using namespace vendrilo::teste;
namespace cli = vendrilo::cli;

struct CasoOpcoes {
    const char* nome;
    std::vector<std::string> argumentos;
    bool soTraduz;
    bool ajuda;
    std::vector<std::string> arquivos;
    std::string erro;
};

void PrintTo(const CasoOpcoes& c, std::ostream* os) { *os << c.nome; }

class Opcoes : public ::testing::TestWithParam<CasoOpcoes> {};

TEST_P(Opcoes, LeComoEsperado)
{
    const auto& c = GetParam();
    const auto o = cli::LeOpcoes(c.argumentos);
    EXPECT_EQ(o.soTraduz, c.soTraduz);
    EXPECT_EQ(o.ajuda, c.ajuda);
    EXPECT_EQ(o.arquivos, c.arquivos);
    EXPECT_EQ(o.erro, c.erro);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Opcoes,
    ::testing::Values(
        CasoOpcoes{
            "so_traduz_varios", {"--so-traduz", "a.alg", "b.alg"}, true, false, {"a.alg", "b.alg"}, ""},
        CasoOpcoes{"opcao_depois_do_arquivo", {"a.alg", "--so-traduz"}, true, false, {"a.alg"}, ""},
        CasoOpcoes{"ajuda", {"--help"}, false, true, {}, ""},
        CasoOpcoes{"sem_arquivo", {"--so-traduz"}, true, false, {}, "nenhum algoritmo informado"},
        CasoOpcoes{"opcao_desconhecida",
                   {"--rapido", "a.alg"},
                   false,
                   false,
                   {"a.alg"},
                   "opção desconhecida: --rapido"},
        CasoOpcoes{"so_traduz_com_executar",
                   {"--so-traduz", "--executar", "a.alg"},
                   true,
                   false,
                   {"a.alg"},
                   "--so-traduz e --executar não podem ser usadas juntas"},
        CasoOpcoes{
            "traco_duplo_encerra_opcoes", {"--so-traduz", "--", "--x.alg"}, true, false, {"--x.alg"}, ""},
        CasoOpcoes{"versao_dispensa_arquivo", {"--version"}, false, false, {}, ""},
        CasoOpcoes{"diagnostico_dispensa_arquivo", {"--diagnostico"}, false, false, {}, ""},
        CasoOpcoes{"formato_desconhecido",
                   {"--formato", "xml", "a.alg"},
                   false,
                   false,
                   {"a.alg"},
                   "formato desconhecido: xml (o único é gcc)"},
        CasoOpcoes{"formato_sem_nome",
                   {"a.alg", "--formato"},
                   false,
                   false,
                   {"a.alg"},
                   "falta o nome do formato depois de --formato (o único é gcc)"}),
    [](const auto& info) { return std::string(info.param.nome); });

struct Execucao {
    int codigo;
    std::string saida;
    std::string erros;
};

Execucao executa(const std::vector<std::string>& argumentos, bool utf8 = true)
{
    std::ostringstream saida, erros;
    cli::Terminal terminal{saida, erros, utf8};
    const int codigo = cli::Executa(argumentos, terminal);
    return {codigo, saida.str(), erros.str()};
}

const std::string completo = ComCrLf({"DECLARE x INTEIRO", "INICIO", "x <- 1", "FIM"});

TEST(LinhaComando, TraduzEmSilencioESaiComZero)
{
    const auto pasta = PastaDoTeste();
    GravaBytes(pasta / "ok.alg", completo);
    const auto r = executa({"--so-traduz", (pasta / "ok.alg").string()});
    EXPECT_EQ(r.codigo, cli::SaidaSucesso);
    EXPECT_EQ(r.saida, "");
    EXPECT_EQ(r.erros, "");
    EXPECT_TRUE(LeBytes(pasta / "ok.pas").ends_with("AUTHORS99; END. \r\n"));
}

TEST(LinhaComando, ErrosDeEstruturaSaoListadosEmUtf8ESaiComDois)
{
    const auto pasta = PastaDoTeste();
    GravaBytes(pasta / "so_decl.alg", ComCrLf({"DECLARE x INTEIRO"}));
    const auto r = executa({"--so-traduz", (pasta / "so_decl.alg").string()});
    EXPECT_EQ(r.codigo, cli::SaidaErroEstrutura);
    const std::string esperado =
        (pasta / "so_decl.alg").string() + ":\n"
        "O algoritmo não foi traduzido em função dos seguintes erros de sintaxe de comandos:\n"
        " \n"
        "   1. Está faltando o marcador de bloco de INICIO do algoritmo.\n"
        "   2. Está faltando o marcador de bloco de FIM do algoritmo.\n"
        "Atenção!!! O algoritmo apresenta 2 erros de estrutura nos comandos básicos. Será apresentada uma lista "
        "com estes erros, basta clicar na linha numerada com a mensagem para ver a sintaxe correta do comando.\n";
    EXPECT_EQ(r.saida, esperado);
    EXPECT_TRUE(fs::exists(pasta / "so_decl.pas")) << "o programa é gravado antes da verificação";

    const auto bruto = executa({"--so-traduz", (pasta / "so_decl.alg").string()}, false);
    EXPECT_NE(bruto.saida.find("n\xE3o foi traduzido"), std::string::npos) << "terminal Latin-1 recebe os bytes";
}

TEST(LinhaComando, CadaErroDeEstruturaMostraASuaLinhaLogoAbaixo)
{
    const auto pasta = PastaDoTeste();
    GravaBytes(pasta / "se.alg", ComCrLf({"DECLARE x INTEIRO", "INICIO", "\tSE x > 0 ENTAO  ", "  MOSTRE \"não\"",
                                         "  FIM-ENQUANTO", "FIM"}));
    const auto r = executa({"--so-traduz", (pasta / "se.alg").string()});
    EXPECT_EQ(r.codigo, cli::SaidaErroEstrutura);
    EXPECT_NE(r.saida.find(" \n"
                           "   1. Existe algum comando SE que não possui a finalização FIM-SE.\n"
                           "   → linha 3: SE x > 0 ENTAO\n"
                           "   2. Existe alguma finalização FIM-ENQUANTO que não possui o comando ENQUANTO.\n"
                           "   → linha 5: FIM-ENQUANTO\n"
                           "Atenção!!!"),
              std::string::npos)
        << r.saida;

    GravaBytes(pasta / "texto.alg", ComCrLf({"INICIO", "  SE x ENTAO MOSTRE \"ma\xE7\xE3\"", "FIM"}));
    const auto bruto = executa({"--so-traduz", (pasta / "texto.alg").string()}, false);
    EXPECT_NE(bruto.saida.find("\n   -> linha 2: SE x ENTAO MOSTRE \"ma\xE7\xE3\"\n"), std::string::npos)
        << "terminal Latin-1: seta simples e os bytes do algoritmo";
}

TEST(LinhaComando, ArquivoIlegivelDaTresEOsOutrosSeguem)
{
    const auto pasta = PastaDoTeste();
    GravaBytes(pasta / "ok.alg", completo);
    const auto r = executa({"--so-traduz", (pasta / "falta.alg").string(), (pasta / "ok.alg").string()});
    EXPECT_EQ(r.codigo, cli::SaidaErroUso);
    EXPECT_NE(r.erros.find("vendrilo-traduz: "), std::string::npos);
    EXPECT_NE(r.erros.find("falta.alg"), std::string::npos) << r.erros;
    EXPECT_TRUE(fs::exists(pasta / "ok.pas"));
}

TEST(LinhaComando, SoArquivoComumEhLidoOsOutrosDaoTres)
{
    const auto pasta = PastaDoTeste();
    for (const auto& e : teste::CriaArquivosEspeciais(pasta, false)) {
        const auto r = executa({"--so-traduz", (pasta / e.nome).string()});
        EXPECT_EQ(r.codigo, cli::SaidaErroUso) << e.nome;
        EXPECT_NE(r.erros.find((pasta / e.nome).string() + "\": "), std::string::npos) << r.erros;
        EXPECT_NE(r.erros.find(e.motivo), std::string::npos) << r.erros;
        EXPECT_FALSE(fs::exists(pasta / (e.nome.substr(0, e.nome.size() - 3) + "pas"))) << e.nome;
    }
}

TEST(LinhaComando, CadaArquivoComecaDoEstadoInicial)
{
    // O primeiro termina dentro de um comentário; o segundo não pode herdar isso.
    const auto pasta = PastaDoTeste();
    GravaBytes(pasta / "a.alg", ComCrLf({"{ aberto"}));
    GravaBytes(pasta / "b.alg", completo);
    const auto r = executa({"--so-traduz", (pasta / "a.alg").string(), (pasta / "b.alg").string()});
    EXPECT_EQ(r.codigo, cli::SaidaErroEstrutura) << "só o primeiro tem erros";
    EXPECT_EQ(r.saida.find((pasta / "b.alg").string() + ":\n"), std::string::npos) << "nenhum erro em b.alg";
    EXPECT_NE(r.saida.find((pasta / "b.alg").string() + ": traduzido, estrutura correta."),
              std::string::npos);
    EXPECT_NE(LeBytes(pasta / "b.pas").find("\r\nBEGIN "), std::string::npos);
}

TEST(LinhaComando, NomeSemExtensaoAlgERecusado)
{
    const auto pasta = PastaDoTeste();
    GravaBytes(pasta / "prog.pas", "program p; begin end.");
    const auto r = executa({"--so-traduz", (pasta / "prog.pas").string()});
    EXPECT_EQ(r.codigo, cli::SaidaErroUso);
    EXPECT_NE(r.erros.find(".ALG"), std::string::npos);
    EXPECT_EQ(LeBytes(pasta / "prog.pas"), "program p; begin end.");
}

TEST(LinhaComando, ExtensaoEOFimDoNome)
{
    const auto pasta = PastaDoTeste();
    const struct {
        const char* nome;
        int codigo;
    } casos[] = {
        {"notas.alg.txt", cli::SaidaErroUso}, {"notas.alg~", cli::SaidaErroUso}, {"alg", cli::SaidaErroUso},
        {"NOTAS.ALG", cli::SaidaSucesso},     {"notas.Alg", cli::SaidaSucesso},
    };
    for (const auto& c : casos) {
        GravaBytes(pasta / c.nome, completo);
        EXPECT_EQ(executa({"--so-traduz", (pasta / c.nome).string()}).codigo, c.codigo) << c.nome;
    }
}

TEST(LinhaComando, LinhaGccOmiteOQueNaoSeSabe)
{
    EXPECT_EQ(cli::LinhaGcc("a.alg", 4, 13, "texto"), "a.alg:4:13: erro: texto");
    EXPECT_EQ(cli::LinhaGcc("a.alg", 4, 0, "texto"), "a.alg:4: erro: texto");
    EXPECT_EQ(cli::LinhaGcc("a.alg", 0, 7, "texto"), "a.alg: erro: texto");
    EXPECT_EQ(cli::TextoErroCompilador("C:\\X(1): Y\\A.ALG(5): Erro 85: Final de linha esperado."),
              "Final de linha esperado. (erro 85)");
    EXPECT_EQ(cli::TextoErroCompilador("sem formato"), "sem formato");
}

TEST(LinhaComando, FormatoGccDaALinhaDoErroDeEstruturaQuandoSeSabe)
{
    const auto pasta = PastaDoTeste();
    GravaBytes(pasta / "se.alg", ComCrLf({"DECLARE x INTEIRO", "INICIO", "   SE x > 1 ENTAO", "      x <- 2", "FIM"}));
    const auto r = executa({"--so-traduz", "--formato", "gcc", (pasta / "se.alg").string()});
    EXPECT_EQ(r.codigo, cli::SaidaErroEstrutura);
    EXPECT_TRUE(r.saida.starts_with((pasta / "se.alg").string() +
                                    ":3:1: erro: 1. Existe algum comando SE que não possui a finalização FIM-SE.\n"))
        << r.saida;
}

TEST(LinhaComando, VariosArquivosTemResultadoDeCadaUmEResumo)
{
    const auto pasta = PastaDoTeste();
    GravaBytes(pasta / "ok.alg", completo);
    GravaBytes(pasta / "estr.alg", ComCrLf({"DECLARE x INTEIRO"}));
    const std::string ok = (pasta / "ok.alg").string(), estr = (pasta / "estr.alg").string(),
                      txt = (pasta / "notas.alg.txt").string();
    const auto r = executa({"--so-traduz", "--formato", "gcc", ok, estr, txt});
    EXPECT_EQ(r.codigo, cli::SaidaErroUso);
    EXPECT_EQ(r.saida,
              ok + ": traduzido, estrutura correta.\n" + estr +
                  ": erro: 1. Está faltando o marcador de bloco de INICIO do algoritmo.\n" + estr +
                  ": erro: 2. Está faltando o marcador de bloco de FIM do algoritmo.\n" +
                  "Atenção!!! O algoritmo apresenta 2 erros de estrutura nos comandos básicos. Será "
                  "apresentada uma lista com estes erros, basta clicar na linha numerada com a mensagem "
                  "para ver a sintaxe correta do comando.\n" +
                  estr + ": erros de estrutura.\n" + txt + ": não traduzido.\n" +
                  "Resumo: 3 arquivos; 1 traduzido, 1 com erros de estrutura, 1 não traduzido.\n");
}

TEST(LinhaComando, AjudaEUsoIncorreto)
{
    const auto ajuda = executa({"--help"});
    EXPECT_EQ(ajuda.codigo, cli::SaidaSucesso);
    EXPECT_NE(ajuda.saida.find("Uso: vendrilo-traduz"), std::string::npos);
    const auto vazio = executa({});
    EXPECT_EQ(vazio.codigo, cli::SaidaErroUso);
    EXPECT_NE(vazio.erros.find("nenhum algoritmo informado"), std::string::npos);
}

TEST(LinhaComando, SemSoTraduzCompilaAoLadoDoAlgoritmo)
{
    // Pasta do programa própria: o teste não toca na do usuário.
    const auto pasta = PastaDoTeste();
    ::setenv("VENDRILO_PASTA", (pasta / "programa").c_str(), 1);
    GravaBytes(pasta / "ok.alg", completo);
    const auto r = executa({(pasta / "ok.alg").string()});
    ::unsetenv("VENDRILO_PASTA");
    EXPECT_EQ(r.codigo, cli::SaidaSucesso) << r.erros << r.saida;
    EXPECT_TRUE(fs::exists(pasta / "ok.exe"));
    EXPECT_FALSE(fs::exists(pasta / "ok.pas")) << "sem xpas.xno o .pas sai depois do sucesso";
    EXPECT_TRUE(fs::exists(pasta / "ok.pif"));
}

TEST(LinhaComando, FormatoGccComONomeRealEManterPas)
{
    const auto pasta = PastaDoTeste();
    ::setenv("VENDRILO_PASTA", (pasta / "programa").c_str(), 1);
    GravaBytes(pasta / "quebr.alg",
               ComCrLf({"DECLARE x INTEIRO", "INICIO", "   x <- 1", "   x <- x +", "FIM"}));
    GravaBytes(pasta / "ok.alg", completo);
    const auto erro = executa({"--formato", "gcc", (pasta / "quebr.alg").string()});
    const auto mantido = executa({"--manter-pas", (pasta / "ok.alg").string()});
    ::unsetenv("VENDRILO_PASTA");
    EXPECT_EQ(erro.codigo, cli::SaidaErroCompilacao) << erro.erros;
    EXPECT_EQ(erro.saida, (pasta / "quebr.alg").string() + ":4:13: erro: Erro na expressão. (erro 42)\n");
    EXPECT_EQ(mantido.codigo, cli::SaidaSucesso) << mantido.erros << mantido.saida;
    EXPECT_TRUE(fs::exists(pasta / "ok.exe"));
    EXPECT_TRUE(fs::exists(pasta / "ok.pas")) << "--manter-pas guarda o programa Pascal";
}

} // namespace
