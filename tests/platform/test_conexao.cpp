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
