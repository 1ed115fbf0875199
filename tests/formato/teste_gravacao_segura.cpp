// Gravação segura: o temporário nasce com as permissões finais e nada sobra.

#include "formato/gravacao_segura.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace vendrilo {
namespace {

class PastaGravacao : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string modelo = (fs::temp_directory_path() / "gravXXXXXX").string();
        ASSERT_NE(::mkdtemp(modelo.data()), nullptr);
        pasta_ = modelo;
    }
    void TearDown() override
    {
        ::umask(umaskAntiga_);
        std::error_code ec;
        fs::remove_all(pasta_, ec);
    }
    static mode_t modo(const fs::path& p)
    {
        struct stat st {};
        EXPECT_EQ(::lstat(p.c_str(), &st), 0) << p;
        return st.st_mode & 07777;
    }
    static std::string le(const fs::path& p)
    {
        std::ifstream f(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    int entradas() const
    {
        int n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(pasta_))
            ++n;
        return n;
    }

    fs::path pasta_;
    mode_t umaskAntiga_ = ::umask(022);
};

// A umask é zerada: se o temporário nascesse largo, nada o esconderia.
TEST_F(PastaGravacao, ArquivoPrivadoNuncaNasceComPermissoesMaisLargas)
{
    ::umask(0);
    struct Caso {
        const char* nome;
        int modoExistente; // -1: arquivo novo
        mode_t modoNovo;
        mode_t esperado;
    };
    const Caso casos[] = {
        {"novo privado", -1, 0600, 0600},
        {"existente privado, pedido largo", 0600, 0666, 0600},
        {"existente só do dono para leitura", 0400, 0666, 0400},
        {"existente de grupo", 0640, 0600, 0640},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        const fs::path arquivo = pasta_ / "senha.ini";
        fs::remove(arquivo);
        if (c.modoExistente >= 0) {
            std::ofstream(arquivo) << "antigo";
            fs::permissions(arquivo, static_cast<fs::perms>(c.modoExistente));
        }
        OpcoesGravacao opcoes;
        opcoes.modoNovo = c.modoNovo;
        int vistos = 0;
        opcoes.aoCriarTemporario = [&](const fs::path& temporario) {
            ++vistos;
            EXPECT_EQ(temporario.parent_path(), pasta_);
            EXPECT_EQ(modo(temporario), c.esperado) << "o temporário nasceu com outro modo";
        };
        std::string erro;
        ASSERT_TRUE(GravaArquivoSeguro(arquivo, "novo", erro, opcoes)) << erro;
        EXPECT_EQ(vistos, 1);
        EXPECT_EQ(modo(arquivo), c.esperado);
        EXPECT_EQ(le(arquivo), "novo");
        EXPECT_EQ(entradas(), 1);
    }
}

TEST_F(PastaGravacao, UmaskNaoTiraAsPermissoesDoArquivoAntigo)
{
    const fs::path arquivo = pasta_ / "a.alg";
    std::ofstream(arquivo) << "x";
    fs::permissions(arquivo, static_cast<fs::perms>(0664));
    ::umask(077);
    std::string erro;
    ASSERT_TRUE(GravaArquivoSeguro(arquivo, "y", erro)) << erro;
    EXPECT_EQ(modo(arquivo), 0664u);
}

TEST_F(PastaGravacao, AtalhoSimbolicoContinuaAtalho)
{
    fs::create_directory(pasta_ / "real");
    std::ofstream(pasta_ / "real" / "a.alg") << "antigo";
    fs::create_symlink("real/a.alg", pasta_ / "atalho.alg");
    std::string erro;
    ASSERT_TRUE(GravaArquivoSeguro(pasta_ / "atalho.alg", "novo", erro)) << erro;
    EXPECT_TRUE(fs::is_symlink(pasta_ / "atalho.alg"));
    EXPECT_EQ(le(pasta_ / "real" / "a.alg"), "novo");
}

TEST_F(PastaGravacao, FalhaNaoDeixaTemporarioNemTocaOAntigo)
{
    fs::create_directory(pasta_ / "uma_pasta");
    std::string erro;
    EXPECT_FALSE(GravaArquivoSeguro(pasta_ / "uma_pasta", "x", erro));
    EXPECT_NE(erro.find("pasta"), std::string::npos) << erro;
    EXPECT_TRUE(fs::is_directory(pasta_ / "uma_pasta"));
    EXPECT_FALSE(GravaArquivoSeguro(pasta_ / "falta" / "a.ini", "x", erro));
    EXPECT_NE(erro.find("não existe"), std::string::npos) << erro;
    EXPECT_EQ(entradas(), 1);
}

} // namespace
} // namespace vendrilo
