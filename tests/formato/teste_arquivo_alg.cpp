// Formato .ALG: leitura, gravação e codificação, sem Qt.

#include "formato/arquivo_alg.h"

#include "../apoio/arquivos_incomuns.h"

#include <gtest/gtest.h>

#include <sys/mount.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;
using namespace vendrilo;

namespace {

class PastaTemp {
public:
    PastaTemp()
    {
        std::string modelo = (fs::temp_directory_path() / "algXXXXXX").string();
        caminho_ = ::mkdtemp(modelo.data()) ? modelo : std::string();
    }
    ~PastaTemp()
    {
        std::error_code ec;
        fs::remove_all(caminho_, ec);
    }
    std::string operator/(const std::string& nome) const { return caminho_ + "/" + nome; }
    const std::string& caminho() const { return caminho_; }

private:
    std::string caminho_;
};

// Um tmpfs de verdade, pequeno ou somente leitura; sem privilégio o teste é pulado.
class Tmpfs {
public:
    Tmpfs(const std::string& pasta, const char* opcoes, unsigned long flags)
        : pasta_(pasta)
    {
        fs::create_directories(pasta_);
        montado_ = ::mount("tmpfs", pasta_.c_str(), "tmpfs", flags, opcoes) == 0;
    }
    ~Tmpfs()
    {
        if (montado_)
            ::umount2(pasta_.c_str(), MNT_DETACH);
    }
    bool montado() const { return montado_; }

private:
    std::string pasta_;
    bool montado_ = false;
};

void escreve(const std::string& caminho, const std::string& bytes)
{
    std::ofstream(caminho, std::ios::binary) << bytes;
}

std::string le(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

int arquivosNaPasta(const std::string& pasta)
{
    int n = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(pasta))
        ++n;
    return n;
}

struct CasoQuebra {
    const char* nome;
    std::string bytes;
    std::vector<std::string> linhas;
    EstiloQuebra estilo;
};

} // namespace

TEST(ArquivoAlg, QuebrasDeLinhaSaoLidasELembradas)
{
    const CasoQuebra casos[] = {
        {"nominal: CR LF", "a\r\nb\r\n", {"a", "b"}, EstiloQuebra::CRLF},
        {"nominal: só LF", "a\nb\n", {"a", "b"}, EstiloQuebra::LF},
        {"nominal: só CR", "a\rb\r", {"a", "b"}, EstiloQuebra::CR},
        {"borda: sem quebra", "abc", {"abc"}, EstiloQuebra::CRLF},
        {"borda: arquivo vazio", "", {}, EstiloQuebra::CRLF},
        {"borda: NUL quebra a linha", std::string("a\0b\n", 4), {"a", "b"}, EstiloQuebra::LF},
        {"borda: mistura vira CR LF", "a\nb\r\nc\r", {"a", "b", "c"}, EstiloQuebra::CRLF},
        {"borda: linhas vazias", "\n\n", {"", ""}, EstiloQuebra::LF},
    };
    PastaTemp pasta;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        escreve(pasta / "t.alg", c.bytes);
        DocumentoAlg doc;
        std::string erro;
        ASSERT_TRUE(LeAlg(pasta / "t.alg", doc, erro)) << erro;
        EXPECT_EQ(doc.linhas, c.linhas);
        EXPECT_EQ(doc.quebra, c.estilo);
    }
}

TEST(ArquivoAlg, GravacaoDevolveOMesmoEstiloEQuebraNaUltimaLinha)
{
    const std::pair<const char*, std::string> casos[] = {
        {"só LF", "inicio\n   x <- 1\nfim\n"},
        {"só CR", "inicio\r   x <- 1\rfim\r"},
        {"CR LF", "inicio\r\n   x <- 1\r\nfim\r\n"},
    };
    PastaTemp pasta;
    for (const auto& [nome, bytes] : casos) {
        SCOPED_TRACE(nome);
        escreve(pasta / "t.alg", bytes);
        DocumentoAlg doc;
        std::string erro;
        ASSERT_TRUE(LeAlg(pasta / "t.alg", doc, erro));
        doc.linhas.push_back("{nova}");
        ASSERT_TRUE(GravaAlg(pasta / "t.alg", doc, erro)) << erro;
        const std::string q = textoQuebra(doc.quebra);
        EXPECT_EQ(le(pasta / "t.alg"), bytes + "{nova}" + q);
    }
    // Um arquivo sem quebra no fim ganha a quebra na gravação.
    escreve(pasta / "s.alg", "fim");
    DocumentoAlg doc;
    std::string erro;
    ASSERT_TRUE(LeAlg(pasta / "s.alg", doc, erro));
    ASSERT_TRUE(GravaAlg(pasta / "s.alg", doc, erro));
    EXPECT_EQ(le(pasta / "s.alg"), "fim\r\n");
}

TEST(ArquivoAlg, Windows1252ViraUtf8NoEditorEVoltaIgual)
{
    PastaTemp pasta;
    // Ç, Ã, €, aspas tipográficas e um byte sem caractere (0x81).
    const std::string bytes = "{DESCRI\xC7\xC3O} \x80 \x93x\x94 \x81\r\n";
    escreve(pasta / "a.alg", bytes);
    DocumentoAlg doc;
    std::string erro;
    ASSERT_TRUE(LeAlg(pasta / "a.alg", doc, erro));
    EXPECT_EQ(doc.codificacao, CodificacaoAlg::Windows1252);
    ASSERT_EQ(doc.linhas.size(), 1u);
    EXPECT_EQ(doc.linhas[0], "{DESCRIÇÃO} € “x” \xC2\x81");
    ASSERT_TRUE(GravaAlg(pasta / "a.alg", doc, erro));
    EXPECT_EQ(le(pasta / "a.alg"), bytes);
}

TEST(ArquivoAlg, ArquivoUtf8ComAcentosContinuaUtf8)
{
    PastaTemp pasta;
    const std::string bytes = "mostre (\"Ação → pronta\")\n";
    escreve(pasta / "u.alg", bytes);
    DocumentoAlg doc;
    std::string erro;
    ASSERT_TRUE(LeAlg(pasta / "u.alg", doc, erro));
    EXPECT_EQ(doc.codificacao, CodificacaoAlg::Utf8);
    EXPECT_EQ(doc.linhas[0], "mostre (\"Ação → pronta\")");
    ASSERT_TRUE(GravaAlg(pasta / "u.alg", doc, erro));
    EXPECT_EQ(le(pasta / "u.alg"), bytes);
}

TEST(ArquivoAlg, CaractereForaDaCodificacaoEhRecusadoSemGravarNada)
{
    PastaTemp pasta;
    escreve(pasta / "v.alg", "antigo\r\n");
    DocumentoAlg doc;
    doc.linhas = {"inicio", "   mostre (\"seta → aqui\")"};
    std::string erro;
    EXPECT_FALSE(GravaAlg(pasta / "v.alg", doc, erro));
    EXPECT_NE(erro.find("linha 2"), std::string::npos) << erro;
    EXPECT_NE(erro.find("→"), std::string::npos) << erro;
    EXPECT_EQ(le(pasta / "v.alg"), "antigo\r\n");
    EXPECT_EQ(arquivosNaPasta(pasta.caminho()), 1);
}

TEST(ArquivoAlg, FalhaDeGravacaoNaoDestroiOArquivoAntigo)
{
    PastaTemp pasta;
    DocumentoAlg grande;
    grande.linhas.assign(4000, std::string(60, 'x'));
    std::string erro;

    {
        SCOPED_TRACE("disco cheio: tmpfs de 64 KiB");
        const std::string ponto = pasta / "cheio";
        Tmpfs disco(ponto, "size=64k", 0);
        if (!disco.montado())
            GTEST_SKIP() << "sem permissão para montar tmpfs";
        escreve(ponto + "/p.alg", "original\r\n");
        EXPECT_FALSE(GravaAlg(ponto + "/p.alg", grande, erro));
        EXPECT_NE(erro.find("cheio"), std::string::npos) << erro;
        EXPECT_EQ(le(ponto + "/p.alg"), "original\r\n");
        EXPECT_EQ(arquivosNaPasta(ponto), 1) << "o temporário ficou para trás";
    }
    {
        SCOPED_TRACE("pasta somente leitura");
        const std::string ponto = pasta / "leitura";
        fs::create_directories(ponto);
        escreve(ponto + "/p.alg", "original\r\n");
        Tmpfs ro(ponto + "/ro", "size=64k", MS_RDONLY);
        ASSERT_TRUE(ro.montado());
        DocumentoAlg doc;
        doc.linhas = {"fim"};
        EXPECT_FALSE(GravaAlg(ponto + "/ro/p.alg", doc, erro));
        EXPECT_NE(erro.find("somente leitura"), std::string::npos) << erro;
    }
}

TEST(ArquivoAlg, ArquivoInexistenteDaErroEmPortugues)
{
    DocumentoAlg doc;
    std::string erro;
    EXPECT_FALSE(LeAlg("/nao/existe/x.alg", doc, erro));
    EXPECT_NE(erro.find("não existe"), std::string::npos) << erro;
}

TEST(ArquivoAlg, SoArquivoComumEhLido)
{
    const fs::path pasta = fs::path(::testing::TempDir()) / "vendrilo_especiais";
    fs::remove_all(pasta);
    fs::create_directories(pasta);
    for (const auto& e : teste::CriaArquivosEspeciais(pasta)) {
        DocumentoAlg doc;
        std::string erro;
        EXPECT_FALSE(LeAlg((pasta / e.nome).string(), doc, erro)) << e.nome;
        EXPECT_NE(erro.find("Não foi possível abrir o arquivo " + (pasta / e.nome).string() + ": "),
                  std::string::npos) << erro;
        EXPECT_NE(erro.find(e.motivo), std::string::npos) << erro;
    }
    fs::remove_all(pasta);
}

