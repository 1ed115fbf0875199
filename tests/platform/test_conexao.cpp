#include "platform/conexao.h"

#include <gtest/gtest.h>

TEST(TestaConexao, LoopbackTemRota)
{
    EXPECT_TRUE(vendrilo::TestaConexao("127.0.0.1", 25));
}

TEST(TestaConexao, HostVazioOuInexistenteNaoTemRota)
{
    EXPECT_FALSE(vendrilo::TestaConexao(""));
    EXPECT_FALSE(vendrilo::TestaConexao("nome-que-nao-existe.invalid"));
}

TEST(AlcancaServidor, SoSemRedeNenhumaDizQueNaoHaConexao)
{
    using vendrilo::Alcance;
    struct Caso {
        const char* host;
        bool rede;
        Alcance esperado;
    };
    const Caso casos[] = {
        {"127.0.0.1", false, Alcance::Alcancavel}, // servidor local responde sem rede
        {"nome-que-nao-existe.invalid", true, Alcance::NomeDesconhecido},
        {"", true, Alcance::NomeDesconhecido},
        {"nome-que-nao-existe.invalid", false, Alcance::SemRede},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.host) + (c.rede ? " com rede" : " sem rede"));
        vendrilo::DefineVerificadorRede([&] { return c.rede; });
        EXPECT_EQ(vendrilo::AlcancaServidor(c.host), c.esperado);
    }
    vendrilo::DefineVerificadorRede(nullptr);
}
