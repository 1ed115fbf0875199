// O tradutor diante de arquivos reais: quebras de linha, entradas enormes ou
// binárias, arquivos que faltam ou não podem ser gravados.
#include "apoio_traducao.h"

#include "translate/leitor_linhas.h"

#include <algorithm>
#include <random>
#include <unistd.h>

namespace {

using namespace vendrilo;
using namespace vendrilo::teste;
using namespace std::string_literals;

std::size_t contaCrLf(const std::string& s)
{
    std::size_t n = 0;
    for (std::size_t i = s.find("\r\n"); i != std::string::npos; i = s.find("\r\n", i + 2))
        ++n;
    return n;
}

// Quantas linhas o leitor de documentos vê no mesmo arquivo (ao menos uma).
std::size_t linhasDoLeitor(const fs::path& p)
{
    LeitorLinhas l;
    EXPECT_TRUE(l.abre(p.string()));
    std::string linha;
    std::size_t n = 0;
    while (l.proxima(linha))
        ++n;
    return std::max<std::size_t>(n, 1);
}

struct CasoQuebras {
    const char* nome;
    std::string bytes;
    std::vector<std::string> corpo;
};

void PrintTo(const CasoQuebras& c, std::ostream* os) { *os << c.nome; }

class QuebrasDeLinha : public ::testing::TestWithParam<CasoQuebras> {};

TEST_P(QuebrasDeLinha, MesmaDivisaoDoLeitorDeDocumentosESaidaCrLf)
{
    const auto pasta = PastaDoTeste();
    Tradutor t;
    EXPECT_EQ(TraduzCom(t, pasta, GetParam().bytes), GetParam().corpo);
    const std::string pas = LeBytes(t.estado().NomePas);
    EXPECT_EQ(std::count(pas.begin(), pas.end(), '\n'), std::count(pas.begin(), pas.end(), '\r'))
        << "só CR LF na saída";
    EXPECT_EQ(contaCrLf(pas), 26 + linhasDoLeitor(pasta / "alg.alg"));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, QuebrasDeLinha,
    ::testing::Values(
        CasoQuebras{"arquivo_vazio_da_uma_linha", "", {""}},
        CasoQuebras{"crlf", "a\r\nFIM\r\n", {"a ", "AUTHORS99; END. "}},
        CasoQuebras{"so_lf", "a\nFIM\n", {"a ", "AUTHORS99; END. "}},
        CasoQuebras{"so_cr", "a\rFIM\r", {"a ", "AUTHORS99; END. "}},
        CasoQuebras{"ultima_sem_quebra", "a\r\nFIM", {"a ", "AUTHORS99; END. "}},
        CasoQuebras{"nul_quebra_linha", "a\0FIM"s, {"a ", "AUTHORS99; END. "}},
        CasoQuebras{"linhas_vazias", "\r\n\r\n", {"", ""}},
        CasoQuebras{"lf_cr_sao_duas_quebras", "a\n\rb", {"a ", "", "b "}},
        CasoQuebras{"misto", "a\r\nb\nc\rd", {"a ", "b ", "c ", "d "}},
        CasoQuebras{"bytes_1252_intactos", "m\xE9" "dia \x80\xFF\r\n", {"m\xE9" "dia \x80\xFF "}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(ArquivosTraducao, ArquivoVazioDaMolduraEUmaLinhaVazia)
{
    Tradutor t;
    const auto pasta = PastaDoTeste();
    TraduzCom(t, pasta, "");
    const std::string pas = LeBytes(t.estado().NomePas);
    EXPECT_EQ(LinhasCrLf(pas).size(), 27u);
    EXPECT_TRUE(pas.ends_with("\r\n\r\n"));
}

TEST(ArquivosTraducao, QuebraCrLfPartidaEntreBlocosEPalavraNaFronteira)
{
    // O CR é o último byte de um bloco de 64 KiB; depois, um FIM cortado ao meio
    // pela fronteira seguinte.
    std::string bytes(64 * 1024 - 1, 'x');
    bytes += "\r\n";
    bytes.resize(2 * 64 * 1024 - 2, 'y'); // " F" antes da fronteira, "IM" depois
    bytes += " FIM FIM\r\n";
    Tradutor t;
    const auto corpo = TraduzCom(t, PastaDoTeste(), bytes);
    ASSERT_EQ(corpo.size(), 2u);
    EXPECT_TRUE(corpo[1].ends_with("y AUTHORS99; END. AUTHORS99; END. "));
    EXPECT_EQ(t.estado().ContadorTipos[2], 2);
}

TEST(ArquivosTraducao, PalavraLongaSaiInteiraENuncaEhPalavraChave)
{
    const std::string longa = std::string(10000, 'a') + "FIM";
    Tradutor t;
    const auto corpo = TraduzCom(t, PastaDoTeste(), ComCrLf({longa + " FIM", longa, longa + "'x'", longa + "\t"}));
    EXPECT_EQ(corpo, (std::vector<std::string>{longa + " AUTHORS99; END. ", longa + " ", longa + "'x'", longa + " "}));
    EXPECT_EQ(t.estado().ContadorTipos[2], 1);
}

TEST(ArquivosTraducao, LinhaUnicaDeCinquentaMegabytes)
{
    // Uma palavra gigante e depois muitas atribuições, tudo numa linha só.
    const std::size_t gigante = 20u << 20;
    std::string bytes(gigante, 'z');
    bytes += " FIM ";
    const std::string atribuicao = "x <- 1 ";
    const std::size_t repeticoes = ((30u << 20) + atribuicao.size() - 1) / atribuicao.size();
    bytes.reserve(bytes.size() + repeticoes * atribuicao.size());
    for (std::size_t i = 0; i < repeticoes; ++i)
        bytes += atribuicao;
    ASSERT_GE(bytes.size(), 50u << 20);

    const auto pasta = PastaDoTeste();
    GravaBytes(pasta / "grande.alg", bytes);
    bytes.clear();
    bytes.shrink_to_fit();

    Tradutor t;
    std::string erro;
    ASSERT_TRUE(t.TraduzArquivo((pasta / "grande.alg").string(), erro)) << erro;
    const std::string pas = LeBytes(t.estado().NomePas);
    EXPECT_EQ(contaCrLf(pas), 27u);
    const auto corpo = pas.find("\r\n" + std::string(10, 'z'));
    ASSERT_NE(corpo, std::string::npos);
    EXPECT_EQ(pas.compare(corpo + 2 + gigante, 17, " AUTHORS99; END. "), 0);
    EXPECT_TRUE(pas.ends_with("x := 1 ;\r\n"));
    EXPECT_EQ(t.estado().ContadorTipos[2], 1);
    EXPECT_EQ(t.estado().ContadorTipos[4], static_cast<int>(repeticoes));
}

TEST(ArquivosTraducao, LixoBinarioNaoDerrubaEVaiUmaLinhaPorLinha)
{
    for (unsigned semente : {1u, 2u, 3u}) {
        SCOPED_TRACE(semente);
        std::mt19937 gerador(semente);
        std::string bytes(256 * 1024, '\0');
        for (char& c : bytes)
            c = static_cast<char>(gerador() & 0xFF);
        const auto pasta = PastaDoTeste();
        GravaBytes(pasta / "lixo.alg", bytes);
        Tradutor t;
        std::string erro;
        ASSERT_TRUE(t.TraduzArquivo((pasta / "lixo.alg").string(), erro)) << erro;
        const std::string pas = LeBytes(t.estado().NomePas);
        EXPECT_EQ(pas.find('\0'), std::string::npos);
        EXPECT_EQ(std::count(pas.begin(), pas.end(), '\n'), std::count(pas.begin(), pas.end(), '\r'));
        const std::size_t linhas = linhasDoLeitor(pasta / "lixo.alg");
        const std::size_t saida = contaCrLf(pas);
        EXPECT_TRUE(saida == 26 + linhas || saida == 27 + linhas) << saida << " para " << linhas;
    }
}

// ------------------------------------------------------------ falhas de E/S

TEST(ArquivosTraducao, AlgoritmoInexistente)
{
    const auto pasta = PastaDoTeste();
    GravaBytes(pasta / "falta.exe", "velho");
    Tradutor t;
    std::string erro;
    EXPECT_FALSE(t.TraduzArquivo((pasta / "falta.alg").string(), erro));
    EXPECT_NE(erro.find("falta.alg"), std::string::npos) << erro;
    EXPECT_NE(erro.find("inexistente"), std::string::npos) << erro;
    EXPECT_FALSE(fs::exists(pasta / "falta.pas"));
    EXPECT_FALSE(fs::exists(pasta / "falta.exe")) << "o programa antigo sai antes de tudo";
}

TEST(ArquivosTraducao, AlgoritmoQueEhPasta)
{
    const auto pasta = PastaDoTeste();
    fs::create_directory(pasta / "pasta.alg");
    Tradutor t;
    std::string erro;
    EXPECT_FALSE(t.TraduzArquivo((pasta / "pasta.alg").string(), erro));
    EXPECT_NE(erro.find("pasta"), std::string::npos) << erro;
    EXPECT_FALSE(fs::exists(pasta / "pasta.pas"));
}

TEST(ArquivosTraducao, ProgramaQueNaoPodeSerCriadoNaoMexeEmNada)
{
    const auto pasta = PastaDoTeste();
    GravaBytes(pasta / "prog.alg", "FIM\r\n");
    fs::create_directories(pasta / "prog.pas" / "dentro");
    Tradutor t;
    std::string erro;
    EXPECT_FALSE(t.TraduzArquivo((pasta / "prog.alg").string(), erro));
    EXPECT_NE(erro.find("prog.pas"), std::string::npos) << erro;
    EXPECT_TRUE(fs::is_directory(pasta / "prog.pas" / "dentro"));
    EXPECT_EQ(LeBytes(pasta / "prog.alg"), "FIM\r\n");

    // Depois da falha o mesmo tradutor segue servindo.
    fs::remove_all(pasta / "prog.pas");
    EXPECT_TRUE(t.TraduzArquivo((pasta / "prog.alg").string(), erro)) << erro;
}

TEST(ArquivosTraducao, PastaSemPermissaoDeGravacao)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "como root a permissão da pasta não impede a gravação";
    const auto pasta = PastaDoTeste();
    GravaBytes(pasta / "prog.alg", "FIM\r\n");
    fs::permissions(pasta, fs::perms::owner_read | fs::perms::owner_exec);
    Tradutor t;
    std::string erro;
    EXPECT_FALSE(t.TraduzArquivo((pasta / "prog.alg").string(), erro));
    fs::permissions(pasta, fs::perms::owner_all);
    EXPECT_NE(erro.find("permissão negada"), std::string::npos) << erro;
    EXPECT_EQ(LeBytes(pasta / "prog.alg"), "FIM\r\n");
}

TEST(ArquivosTraducao, ApagaProgramaEFonteAntigos)
{
    const auto pasta = PastaDoTeste();
    GravaBytes(pasta / "prog.alg", "INICIO\r\nFIM\r\n");
    GravaBytes(pasta / "prog.pas", std::string(100000, 'v'));
    GravaBytes(pasta / "prog.exe", "velho");
    Tradutor t;
    std::string erro;
    ASSERT_TRUE(t.TraduzArquivo((pasta / "prog.alg").string(), erro)) << erro;
    EXPECT_FALSE(fs::exists(pasta / "prog.exe"));
    EXPECT_EQ(LinhasCrLf(LeBytes(pasta / "prog.pas")).size(), 29u) << "nada do .pas velho sobra";
}

TEST(ArquivosTraducao, NomesDerivados)
{
    const auto n = DerivaNomes("C:\\ALGS\\SOMA.ALG");
    EXPECT_EQ(n.NomeAlg, "C:\\ALGS\\SOMA.ALG");
    EXPECT_EQ(n.NomePas, "C:\\ALGS\\SOMA.pas");
    EXPECT_EQ(n.NomeExe, "C:\\ALGS\\SOMA.exe");
    EXPECT_EQ(n.NomePif, "C:\\ALGS\\SOMA.pif");
    EXPECT_EQ(DerivaNomes("/a/prog.alg.txt").NomePas, "/a/prog.alg.pas") << "troca os três últimos, seja qual for a extensão";
    EXPECT_EQ(DerivaNomes("ab").NomePas, "pas");
}

TEST(ArquivosTraducao, AlgoritmoComONomeDoProgramaNaoEhApagado)
{
    // "x.alg.pas": a tradução apagaria o próprio algoritmo e o sobrescreveria.
    const auto pasta = PastaDoTeste();
    for (const char* nome : {"x.alg.pas", "y.alg.exe", "z.alg.pif"}) {
        SCOPED_TRACE(nome);
        GravaBytes(pasta / nome, "INICIO\r\nFIM\r\n");
        Tradutor t;
        std::string erro;
        EXPECT_FALSE(t.TraduzArquivo((pasta / nome).string(), erro));
        EXPECT_NE(erro.find(".ALG"), std::string::npos) << erro;
        EXPECT_EQ(LeBytes(pasta / nome), "INICIO\r\nFIM\r\n");
    }
}

} // namespace
