#include "translate/leitor_linhas.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using vendrilo::EstiloQuebra;
using vendrilo::LeitorLinhas;

std::filesystem::path grava(const std::string& nome, const std::string& bytes)
{
    auto p = std::filesystem::path(::testing::TempDir()) / nome;
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
}

struct Caso {
    const char* nome;
    std::string bytes;
    std::vector<std::string> linhas;
    EstiloQuebra estilo;
};

class LeitorLinhasTabela : public ::testing::TestWithParam<Caso> {};

TEST_P(LeitorLinhasTabela, DivideComoODocumento)
{
    const Caso& c = GetParam();
    LeitorLinhas l;
    ASSERT_TRUE(l.abre(grava(c.nome, c.bytes).string()));
    std::vector<std::string> lidas;
    std::string linha;
    while (l.proxima(linha))
        lidas.push_back(linha);
    EXPECT_FALSE(l.falhou());
    EXPECT_EQ(lidas, c.linhas);
    EXPECT_EQ(l.estilo(), c.estilo);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Quebras, LeitorLinhasTabela,
    ::testing::Values(
        Caso{"vazio", "", {}, EstiloQuebra::CRLF},
        Caso{"sem_quebra", "abc", {"abc"}, EstiloQuebra::CRLF},
        Caso{"crlf", "a\r\nb\r\n", {"a", "b"}, EstiloQuebra::CRLF},
        Caso{"lf", "a\nb\n", {"a", "b"}, EstiloQuebra::LF},
        Caso{"cr", "a\rb\r", {"a", "b"}, EstiloQuebra::CR},
        Caso{"ultima_sem_quebra", "a\nb", {"a", "b"}, EstiloQuebra::LF},
        Caso{"linhas_vazias", "\r\n\r\n", {"", ""}, EstiloQuebra::CRLF},
        Caso{"nul_quebra", "a\0b"s, {"a", "b"}, EstiloQuebra::CRLF},
        Caso{"cr_nul", "a\r\0b"s, {"a", "", "b"}, EstiloQuebra::CR},
        Caso{"lf_cr_separados", "a\n\rb", {"a", "", "b"}, EstiloQuebra::CRLF},
        Caso{"misto", "a\r\nb\nc\rd", {"a", "b", "c", "d"}, EstiloQuebra::CRLF},
        Caso{"bytes_1252", "m\xe9" "dia\r\n", {"m\xe9" "dia"}, EstiloQuebra::CRLF}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(LeitorLinhas, CrLfPartidoNaFronteiraDoBloco)
{
    // O CR cai no último byte de um bloco de 64 KiB e o LF no primeiro do seguinte.
    std::string bytes(64 * 1024 - 1, 'x');
    bytes += "\r\ny\r\n";
    LeitorLinhas l;
    ASSERT_TRUE(l.abre(grava("fronteira", bytes).string()));
    std::string linha;
    ASSERT_TRUE(l.proxima(linha));
    EXPECT_EQ(linha.size(), 64u * 1024 - 1);
    ASSERT_TRUE(l.proxima(linha));
    EXPECT_EQ(linha, "y");
    EXPECT_FALSE(l.proxima(linha));
    EXPECT_EQ(l.estilo(), EstiloQuebra::CRLF);
}

TEST(LeitorLinhas, LinhaMaiorQueOBloco)
{
    const std::string grande(300 * 1024, 'z');
    LeitorLinhas l;
    ASSERT_TRUE(l.abre(grava("grande", grande + "\nfim").string()));
    std::string linha;
    ASSERT_TRUE(l.proxima(linha));
    EXPECT_EQ(linha, grande);
    ASSERT_TRUE(l.proxima(linha));
    EXPECT_EQ(linha, "fim");
}

TEST(LeitorLinhas, ArquivoInexistenteNaoAbre)
{
    LeitorLinhas l;
    EXPECT_FALSE(l.abre("/nao/existe/algoritmo.alg"));
    std::string linha;
    EXPECT_FALSE(l.proxima(linha));
}

} // namespace
