// O atualizador externo sobre pacotes zip reais, feitos aqui com a libzip.

#include "formato/arquivo_ini.h"
#include "instalador.h"

#include <sys/stat.h>
#include <zip.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <fstream>
#include <iterator>
#include <map>

namespace fs = std::filesystem;

namespace vendrilo::atualizador {
namespace {

std::string le(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void escreve(const fs::path& p, const std::string& s)
{
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << s;
}

struct EntradaZip {
    std::string nome;
    std::string conteudo;
    bool atalho = false; // entrada de atalho simbólico (Unix)
    unsigned modo = 0;   // permissões Unix da entrada; 0: as da libzip
};

void criaZip(const fs::path& destino, const std::vector<EntradaZip>& entradas)
{
    fs::create_directories(destino.parent_path());
    int erro = 0;
    zip_t* za = zip_open(destino.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &erro);
    ASSERT_NE(za, nullptr);
    for (const auto& e : entradas) {
        zip_int64_t i;
        if (!e.nome.empty() && e.nome.back() == '/') {
            i = zip_dir_add(za, e.nome.c_str(), ZIP_FL_ENC_RAW);
        } else {
            // A libzip copia o buffer só no zip_close: ele precisa durar até lá.
            zip_source_t* fonte = zip_source_buffer(za, e.conteudo.data(), e.conteudo.size(), 0);
            i = zip_file_add(za, e.nome.c_str(), fonte, ZIP_FL_ENC_RAW | ZIP_FL_OVERWRITE);
        }
        ASSERT_GE(i, 0) << e.nome << ": " << zip_strerror(za);
        if (e.atalho || e.modo)
            zip_file_set_external_attributes(
                za, zip_uint64_t(i), 0, ZIP_OPSYS_UNIX,
                zip_uint32_t((e.atalho ? S_IFLNK | 0777 : S_IFREG | e.modo)) << 16);
    }
    ASSERT_EQ(zip_close(za), 0);
}

struct CasoNome {
    const char* nome;
    const char* entrada;
    const char* esperado; // nullptr: recusada
};

void PrintTo(const CasoNome& c, std::ostream* os) { *os << c.nome; }

class NomesDeEntrada : public ::testing::TestWithParam<CasoNome> {};

TEST_P(NomesDeEntrada, SoAceitaOQueFicaDentroDaPasta)
{
    const auto r = CaminhoSeguro(GetParam().entrada);
    if (!GetParam().esperado)
        EXPECT_FALSE(r.has_value()) << r->string();
    else {
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->generic_string(), GetParam().esperado);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, NomesDeEntrada,
    ::testing::Values(CasoNome{"nominal", "exp/exp000.alg", "exp/exp000.alg"},
                      CasoNome{"barra_invertida_do_windows", "hlp\\index.html", "hlp/index.html"},
                      CasoNome{"ponto_e_barras_duplas", "./exp//a.alg", "exp/a.alg"},
                      CasoNome{"pasta", "exp/", "exp"},
                      CasoNome{"pontos_no_nome_sao_validos", "a..b/c...txt", "a..b/c...txt"},
                      CasoNome{"zip_slip_sobe", "../fora.txt", nullptr},
                      CasoNome{"zip_slip_no_meio", "exp/../../fora.txt", nullptr},
                      CasoNome{"zip_slip_windows", "exp\\..\\..\\fora.txt", nullptr},
                      CasoNome{"ponto_ponto_mesmo_dentro", "exp/../a.txt", nullptr},
                      CasoNome{"absoluto", "/etc/passwd", nullptr},
                      CasoNome{"absoluto_windows", "\\Windows\\x.dll", nullptr},
                      CasoNome{"letra_de_unidade", "C:/Vendrilo/x", nullptr},
                      CasoNome{"letra_de_unidade_relativa", "c:x", nullptr},
                      CasoNome{"vazio", "", nullptr}),
    [](const auto& info) { return std::string(info.param.nome); });

class Atualizador : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string modelo = (fs::temp_directory_path() / "vendrilo_atualizar_XXXXXX").string();
        ASSERT_NE(mkdtemp(modelo.data()), nullptr);
        raiz = modelo;
        pasta = raiz / "programa"; // o que cair em raiz/ saiu da pasta do programa
        escreve(pasta / "exp/exp000.alg", "antigo 0");
        escreve(pasta / "versao.txt", "lista antiga");
        escreve(pasta / "meu.alg", "trabalho do aluno");
        escreve(pasta / "Update/versao.ini", "; instalado\r\n[Versao]\r\nVendrilo=2.3\r\n");
    }
    void TearDown() override { fs::remove_all(raiz); }

    fs::path pacote() const { return pasta / "Update/Vendrilo.zip"; }

    void publica(const std::string& versao, const std::string& sha = {})
    {
        std::string ini = "[Versao]\r\nVendrilo=" + versao + "\r\n";
        if (!sha.empty())
            ini += "SHA256=" + sha + "\r\n";
        escreve(pasta / "Update/update.ini", ini);
    }

    // Tudo como antes: nada instalado, nada de pastas de trabalho.
    void esperaIntocada()
    {
        EXPECT_EQ(le(pasta / "exp/exp000.alg"), "antigo 0");
        EXPECT_EQ(le(pasta / "versao.txt"), "lista antiga");
        EXPECT_EQ(le(pasta / "meu.alg"), "trabalho do aluno");
        EXPECT_EQ(LeValorIni(pasta / "Update/versao.ini", "Versao", "Vendrilo"), "2.3");
        EXPECT_FALSE(fs::exists(pasta / "exp/exp001.alg"));
        EXPECT_FALSE(fs::exists(pasta / "Update/.atualizacao-nova"));
        EXPECT_FALSE(fs::exists(pasta / "Update/.atualizacao-antiga"));
    }

    fs::path raiz;
    fs::path pasta;
    const std::vector<EntradaZip> bom = {{"exp/", ""},
                                         {"exp/exp000.alg", "novo 0"},
                                         {"exp/exp001.alg", "novo 1"},
                                         {"versao.txt", "lista nova"},
                                         {"hlp\\index.html", "<html>ajuda</html>"}};
};

TEST_F(Atualizador, PacoteBomComSha256ConferidoInstalaEApagaOPacote)
{
    criaZip(pacote(), bom);
    publica("2.4", Sha256Arquivo(pacote()));
    const auto r = InstalaAtualizacao(pasta);
    ASSERT_TRUE(r.ok) << r.mensagem;
    EXPECT_EQ(r.mensagem, "Vendrilo atualizado para a versão 2.4.");
    EXPECT_EQ(le(pasta / "exp/exp000.alg"), "novo 0");
    EXPECT_EQ(le(pasta / "exp/exp001.alg"), "novo 1");
    EXPECT_EQ(le(pasta / "versao.txt"), "lista nova");
    EXPECT_EQ(le(pasta / "hlp/index.html"), "<html>ajuda</html>");
    EXPECT_EQ(le(pasta / "meu.alg"), "trabalho do aluno");
    EXPECT_EQ(le(pasta / "Update/versao.ini"), "; instalado\r\n[Versao]\r\nVendrilo=2.4\r\n");
    EXPECT_FALSE(fs::exists(pacote()));
    EXPECT_FALSE(fs::exists(pasta / "Update/.atualizacao-nova"));
    EXPECT_FALSE(fs::exists(pasta / "Update/.atualizacao-antiga"));
}

TEST_F(Atualizador, ProgramasDoPacoteContinuamExecutaveis)
{
    criaZip(pacote(), {{"tpc", "#!/bin/sh\n", false, 0755}, {"leia.txt", "texto", false, 0644}});
    publica("2.4");
    ASSERT_TRUE(InstalaAtualizacao(pasta).ok);
    const auto exec = fs::perms::owner_exec;
    EXPECT_NE(fs::status(pasta / "tpc").permissions() & exec, fs::perms::none);
    EXPECT_EQ(fs::status(pasta / "leia.txt").permissions() & exec, fs::perms::none);
}

TEST_F(Atualizador, Sha256EmMaiusculasTambemConfere)
{
    criaZip(pacote(), bom);
    std::string sha = Sha256Arquivo(pacote());
    for (char& c : sha)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    publica("2.4", sha);
    EXPECT_TRUE(InstalaAtualizacao(pasta).ok);
}

TEST(Sha256, VetorConhecido)
{
    const auto p = fs::temp_directory_path() / "vendrilo_sha_abc.txt";
    escreve(p, "abc");
    EXPECT_EQ(Sha256Arquivo(p), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    fs::remove(p);
    EXPECT_EQ(Sha256Arquivo(p), "");
}

struct CasoRecusa {
    const char* nome;
    std::vector<EntradaZip> entradas;
    const char* trechoDaMensagem;
};

void PrintTo(const CasoRecusa& c, std::ostream* os) { *os << c.nome; }

class PacotesRecusados : public Atualizador, public ::testing::WithParamInterface<CasoRecusa> {};

TEST_P(PacotesRecusados, NadaMuda)
{
    criaZip(pacote(), GetParam().entradas);
    publica("2.4");
    const auto r = InstalaAtualizacao(pasta);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.mensagem.find(GetParam().trechoDaMensagem), std::string::npos) << r.mensagem;
    esperaIntocada();
    EXPECT_FALSE(fs::exists(raiz / "fora.txt"));
    EXPECT_FALSE(fs::exists(pasta / "Update/fora.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, PacotesRecusados,
    ::testing::Values(
        CasoRecusa{"zip_slip_depois_de_entradas_boas",
                   {{"exp/exp000.alg", "novo"}, {"exp/exp001.alg", "x"}, {"../fora.txt", "mal"}},
                   "fora da pasta do programa"},
        CasoRecusa{"zip_slip_escondido_no_meio",
                   {{"exp/exp000.alg", "novo"}, {"Update/../../fora.txt", "mal"}},
                   "fora da pasta do programa"},
        CasoRecusa{"caminho_absoluto", {{"exp/exp000.alg", "novo"}, {"/tmp/fora.txt", "mal"}},
                   "fora da pasta do programa"},
        CasoRecusa{"atalho_simbolico", {{"exp/exp000.alg", "novo"}, {"exp/exp001.alg", "/etc/passwd", true}},
                   "atalho simbólico"},
        CasoRecusa{"arquivo_onde_ha_pasta_desfaz_o_que_trocou",
                   {{"versao.txt", "lista nova"}, {"exp", "arquivo"}},
                   "Já existe uma pasta"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Atualizador, PacoteQueNaoConfereComOSha256EhRecusado)
{
    criaZip(pacote(), bom);
    publica("2.4", std::string(64, '0'));
    const auto r = InstalaAtualizacao(pasta);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.mensagem.find("SHA-256"), std::string::npos);
    esperaIntocada();
    EXPECT_TRUE(fs::exists(pacote()));
}

TEST_F(Atualizador, PacoteCorrompidoOuAusenteEhRecusado)
{
    const auto r0 = InstalaAtualizacao(pasta);
    EXPECT_FALSE(r0.ok);
    EXPECT_NE(r0.mensagem.find("não encontrado"), std::string::npos);

    escreve(pacote(), "<html>404 Not Found</html>");
    publica("2.4");
    const auto r1 = InstalaAtualizacao(pasta);
    EXPECT_FALSE(r1.ok);
    EXPECT_NE(r1.mensagem.find("zip válido"), std::string::npos);

    // Um zip bom cortado ao meio, como num download interrompido.
    criaZip(pacote(), bom);
    const std::string inteiro = le(pacote());
    escreve(pacote(), inteiro.substr(0, inteiro.size() / 2));
    EXPECT_FALSE(InstalaAtualizacao(pasta).ok);
    esperaIntocada();
}

TEST_F(Atualizador, ProgramaDeLinhaDeComandoInstalaERegistra)
{
    criaZip(pacote(), bom);
    publica("2.4", Sha256Arquivo(pacote()));
    const std::string cmd = std::string("'") + ATUALIZAR_EXE + "' '" + pasta.string() + "' 2>/dev/null";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_EQ(le(pasta / "exp/exp000.alg"), "novo 0");
    EXPECT_NE(le(pasta / "Update/atualizar.log").find("OK: Vendrilo atualizado para a versão 2.4."),
              std::string::npos);

    // Sem argumento, a pasta vem de VENDRILO_PASTA; sem pacote, falha com status 1.
    const std::string cmd2 = "VENDRILO_PASTA='" + pasta.string() + "' '" + ATUALIZAR_EXE + "' 2>/dev/null";
    EXPECT_EQ(WEXITSTATUS(std::system(cmd2.c_str())), 1);
    EXPECT_NE(le(pasta / "Update/atualizar.log").find("FALHA: Pacote de atualização não encontrado"),
              std::string::npos);
}

} // namespace
} // namespace vendrilo::atualizador
