// O atualizador externo sobre pacotes zip reais, feitos aqui com a libzip e
// assinados com uma chave descartável criada pelo próprio teste.

#include "formato/arquivo_ini.h"
#include "instalador.h"

#include <openssl/evp.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <zip.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>

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
    bool guardada = false; // sem compressão: o conteúdo aparece cru no zip
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
        if (e.guardada)
            zip_set_file_compression(za, zip_uint64_t(i), ZIP_CM_STORE, 0);
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

// Par de chaves Ed25519 descartável; assina os bytes de um arquivo.
struct ParDeChaves {
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> k{EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519"),
                                                         EVP_PKEY_free};
    ChavePublica publica() const
    {
        ChavePublica c{};
        size_t n = c.size();
        EVP_PKEY_get_raw_public_key(k.get(), c.data(), &n);
        return c;
    }
    std::string assina(const std::string& dados) const
    {
        std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
        std::string sig(64, '\0');
        size_t n = sig.size();
        EVP_DigestSignInit(ctx.get(), nullptr, nullptr, nullptr, k.get());
        EVP_DigestSign(ctx.get(), reinterpret_cast<unsigned char*>(sig.data()), &n,
                       reinterpret_cast<const unsigned char*>(dados.data()), dados.size());
        return sig;
    }
};

// Caminhos dentro da pasta do programa, fora de Update/.
std::set<std::string> arvore(const fs::path& pasta)
{
    std::set<std::string> r;
    for (const auto& e : fs::recursive_directory_iterator(pasta)) {
        const std::string rel = fs::relative(e.path(), pasta).generic_string();
        if (rel.rfind("Update", 0) != 0)
            r.insert(rel);
    }
    return r;
}

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
        inicial = arvore(pasta);
    }
    void TearDown() override { fs::remove_all(raiz); }

    fs::path pacote() const { return pasta / "Update/Vendrilo.zip"; }
    fs::path assinatura() const { return pasta / "Update/Vendrilo.zip.sig"; }

    void criaPacote(const std::vector<EntradaZip>& entradas)
    {
        criaZip(pacote(), entradas);
        escreve(assinatura(), chaves.assina(le(pacote())));
    }

    Resultado instala(const Limites& limites = {}) { return InstalaAtualizacao(pasta, chaves.publica(), limites); }

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
        EXPECT_EQ(arvore(pasta), inicial); // nenhuma pasta nova deixada para trás
    }

    ParDeChaves chaves;
    fs::path raiz;
    fs::path pasta;
    std::set<std::string> inicial;
    const std::vector<EntradaZip> bom = {{"exp/", ""},
                                         {"exp/exp000.alg", "novo 0"},
                                         {"exp/exp001.alg", "novo 1"},
                                         {"versao.txt", "lista nova"},
                                         {"hlp\\index.html", "<html>ajuda</html>"}};
};

TEST_F(Atualizador, PacoteBomComSha256ConferidoInstalaEApagaOPacote)
{
    criaPacote(bom);
    publica("2.4", Sha256Arquivo(pacote()));
    const auto r = instala();
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

TEST_F(Atualizador, SoAsPermissoes0755E0644ChegamAPasta)
{
    criaPacote({{"tpc", "#!/bin/sh\n", false, 0755},
                {"leia.txt", "texto", false, 0644},
                {"perigoso", "x", false, 06777},
                {"fechado.txt", "x", false, 0400},
                {"sem_modo.txt", "x"}});
    publica("2.4");
    ASSERT_TRUE(instala().ok);
    const std::map<std::string, unsigned> esperado = {
        {"tpc", 0755}, {"leia.txt", 0644}, {"perigoso", 0755}, {"fechado.txt", 0644}, {"sem_modo.txt", 0644}};
    for (const auto& [nome, modo] : esperado)
        EXPECT_EQ(unsigned(fs::status(pasta / nome).permissions()), modo) << nome;
}

TEST_F(Atualizador, Sha256EmMaiusculasTambemConfere)
{
    criaPacote(bom);
    std::string sha = Sha256Arquivo(pacote());
    for (char& c : sha)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    publica("2.4", sha);
    EXPECT_TRUE(instala().ok);
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
    criaPacote(GetParam().entradas);
    publica("2.4");
    const auto r = instala();
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
                   {{"versao.txt", "lista nova"}, {"nova/funda/a.txt", "x"}, {"exp", "arquivo"}},
                   "Já existe uma pasta"},
        CasoRecusa{"ponto_barra_e_o_mesmo_nome", {{"./versao.txt", "a"}, {"versao.txt", "b"}}, "duas vezes"},
        CasoRecusa{"barra_invertida_e_o_mesmo_nome", {{"exp\\exp000.alg", "a"}, {"exp/exp000.alg", "b"}},
                   "duas vezes"},
        CasoRecusa{"barras_dobradas_e_o_mesmo_nome", {{"exp//exp000.alg", "a"}, {"exp/exp000.alg", "b"}},
                   "duas vezes"},
        CasoRecusa{"arquivo_e_pasta_com_o_mesmo_nome", {{"nova/a", "a"}, {"nova", "b"}}, "duas vezes"}),
    [](const auto& info) { return std::string(info.param.nome); });

// Assinaturas que não provam a origem: o pacote fica baixado e nada muda.
TEST_F(Atualizador, SoPacoteAssinadoPelaChaveEhInstalado)
{
    const ParDeChaves outra;
    const struct {
        const char* nome;
        std::function<void()> estraga;
        const char* trecho;
    } casos[] = {
        {"sem_assinatura", [&] { fs::remove(assinatura()); }, "não traz assinatura"},
        {"outra_chave", [&] { escreve(assinatura(), outra.assina(le(pacote()))); }, "não confere"},
        {"pacote_trocado_depois",
         [&] { criaZip(pacote(), {{"tpc", "#!/bin/sh\nrm -rf ~\n", false, 0755}}); }, "não confere"},
        {"assinatura_curta", [&] { escreve(assinatura(), le(assinatura()).substr(0, 63)); }, "danificada"},
        {"assinatura_longa", [&] { escreve(assinatura(), le(assinatura()) + "x"); }, "danificada"},
        {"assinatura_e_pasta", [&] { fs::remove(assinatura()), fs::create_directory(assinatura()); },
         "danificada"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        fs::remove_all(assinatura());
        criaPacote(bom);
        publica("2.4", Sha256Arquivo(pacote()));
        c.estraga();
        publica("2.4", Sha256Arquivo(pacote())); // o SHA-256 da lista não basta
        const auto r = instala();
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.mensagem.find(c.trecho), std::string::npos) << r.mensagem;
        EXPECT_NE(r.mensagem.find("Nada foi alterado"), std::string::npos) << r.mensagem;
        esperaIntocada();
        EXPECT_TRUE(fs::exists(pacote()));
    }
    fs::remove_all(assinatura());
    criaPacote(bom);
    ASSERT_TRUE(instala().ok);
    EXPECT_FALSE(fs::exists(assinatura()));
}

TEST_F(Atualizador, BombaDeCompressaoEhRecusadaAntesDeEncherODisco)
{
    criaPacote({{"exp/exp000.alg", "novo"}, {"zeros.bin", std::string(64u << 20, '\0')}});
    publica("2.4");
    struct statvfs antes, depois;
    ASSERT_EQ(statvfs(pasta.c_str(), &antes), 0);
    const auto r = instala();
    ASSERT_EQ(statvfs(pasta.c_str(), &depois), 0);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.mensagem.find("compressão"), std::string::npos) << r.mensagem;
    esperaIntocada();
    // Os 64 MB nunca chegaram ao disco (folga para o que outros gravam ao lado).
    EXPECT_GT(double(depois.f_bavail) * depois.f_frsize, double(antes.f_bavail) * antes.f_frsize - 32e6);

    Limites poucas;
    poucas.entradas = 2;
    criaPacote(bom);
    EXPECT_NE(instala(poucas).mensagem.find("entradas demais"), std::string::npos);
    Limites pequeno;
    pequeno.total = 20;
    EXPECT_NE(instala(pequeno).mensagem.find("mais de 0 MB"), std::string::npos);
    esperaIntocada();
}

TEST_F(Atualizador, EntradaDanificadaDepoisDeUmaPastaNovaNaoDeixaNada)
{
    const std::string marca = "conteudo guardado sem compressao";
    criaZip(pacote(), {{"pasta_nova/a.txt", "a", false, 0, true}, {"b.txt", marca, false, 0, true}});
    std::string zip = le(pacote());
    const auto p = zip.find(marca);
    ASSERT_NE(p, std::string::npos);
    zip[p] = 'C'; // o CRC da segunda entrada deixa de conferir
    escreve(pacote(), zip);
    escreve(assinatura(), chaves.assina(zip));
    publica("2.4");
    const auto r = instala();
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.mensagem.find("Nada foi alterado"), std::string::npos) << r.mensagem;
    esperaIntocada();
}

TEST_F(Atualizador, PacoteQueNaoConfereComOSha256EhRecusado)
{
    criaPacote(bom);
    publica("2.4", std::string(64, '0'));
    const auto r = instala();
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.mensagem.find("SHA-256"), std::string::npos);
    esperaIntocada();
    EXPECT_TRUE(fs::exists(pacote()));
}

TEST_F(Atualizador, PacoteCorrompidoOuAusenteEhRecusado)
{
    const auto r0 = instala();
    EXPECT_FALSE(r0.ok);
    EXPECT_NE(r0.mensagem.find("não encontrado"), std::string::npos);

    escreve(pacote(), "<html>404 Not Found</html>");
    escreve(assinatura(), chaves.assina(le(pacote())));
    publica("2.4");
    const auto r1 = instala();
    EXPECT_FALSE(r1.ok);
    EXPECT_NE(r1.mensagem.find("zip válido"), std::string::npos);

    // Um zip bom cortado ao meio, como num download interrompido.
    criaPacote(bom);
    const std::string inteiro = le(pacote());
    escreve(pacote(), inteiro.substr(0, inteiro.size() / 2));
    escreve(assinatura(), chaves.assina(le(pacote())));
    EXPECT_FALSE(instala().ok);
    esperaIntocada();
}

// A ferramenta de quem publica cria a chave e assina; a cópia de teste do
// atualizador (a única que aceita outra chave) confere.
TEST_F(Atualizador, ProgramaDeLinhaDeComandoInstalaERegistra)
{
    criaZip(pacote(), bom);
    publica("2.4", Sha256Arquivo(pacote()));
    const std::string privada = (raiz / "privada.pem").string();
    const std::string assinar = std::string("'") + ASSINAR_EXE + "' ";
    FILE* f = popen((assinar + "--gera-chave '" + privada + "'").c_str(), "r");
    ASSERT_NE(f, nullptr);
    char hex[80] = {};
    ASSERT_NE(fgets(hex, sizeof hex, f), nullptr);
    ASSERT_EQ(pclose(f), 0);
    EXPECT_EQ(unsigned(fs::status(privada).permissions()), 0600u);
    EXPECT_NE(std::system((assinar + "--gera-chave '" + privada + "' 2>/dev/null").c_str()), 0); // não sobrescreve
    ASSERT_EQ(std::system((assinar + "'" + privada + "' '" + pacote().string() + "' >/dev/null").c_str()), 0);

    // O atualizador instalado não conhece a chave descartável.
    const std::string real = std::string("'") + ATUALIZAR_REAL_EXE + "' '" + pasta.string() + "' 2>/dev/null";
    EXPECT_EQ(WEXITSTATUS(std::system(real.c_str())), 1);
    EXPECT_NE(le(pasta / "Update/atualizar.log").find("FALHA: A assinatura do pacote baixado não confere"),
              std::string::npos);
    esperaIntocada();

    const std::string cmd = "VENDRILO_CHAVE_TESTE=" + std::string(hex, 64) + " '" + ATUALIZAR_EXE + "' '" +
                            pasta.string() + "' 2>/dev/null";
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
