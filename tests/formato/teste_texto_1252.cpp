// Conversão entre UTF-8 e Windows-1252 dos textos do núcleo.

#include "check/texto_1252.h"

#include <gtest/gtest.h>

namespace vendrilo::verificacao {
namespace {

struct CasoConversao {
    const char* nome;
    std::string utf8;
    std::string cp1252;
};

void PrintTo(const CasoConversao& c, std::ostream* os) { *os << c.nome; }

class IdaEVolta : public ::testing::TestWithParam<CasoConversao> {};

TEST_P(IdaEVolta, NosDoisSentidos)
{
    EXPECT_EQ(Para1252(GetParam().utf8), GetParam().cp1252);
    EXPECT_EQ(De1252(GetParam().cp1252), GetParam().utf8);
}

const CasoConversao kConversoes[] = {
    {"ascii", "FIM-SE <- 1", "FIM-SE <- 1"},
    {"acentos_minusculos", "áéíóúâêôãõçà", "\xE1\xE9\xED\xF3\xFA\xE2\xEA\xF4\xE3\xF5\xE7\xE0"},
    {"acentos_maiusculos", "ÁÉÇÃÕ", "\xC1\xC9\xC7\xC3\xD5"},
    {"faixa_80_propria_da_1252", "€…“”—", "\x80\x85\x93\x94\x97"},
    {"vazio", "", ""},
};

INSTANTIATE_TEST_SUITE_P(Casos, IdaEVolta, ::testing::ValuesIn(kConversoes),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(Para1252, CaractereForaDaPaginaViraInterrogacao)
{
    EXPECT_EQ(Para1252("a→b"), "a?b");
    EXPECT_EQ(Para1252("\xF0\x9F\x98\x80"), "?"); // fora do plano básico
}

TEST(Para1252, Utf8MalFormadoNaoLeAlemDoFim)
{
    EXPECT_EQ(Para1252("a\xC3"), "a?");
    EXPECT_EQ(Para1252("a\xE2\x82"), "a?");
    EXPECT_EQ(Para1252("\xFF" "b"), "?b");
    EXPECT_EQ(Para1252("\xC3" "b"), "?b");
}

TEST(De1252, BytesSemCaractereViramSubstituto)
{
    EXPECT_EQ(De1252("\x81"), "\xEF\xBF\xBD");
    EXPECT_EQ(De1252(std::string("a\0b", 3)), std::string("a\0b", 3));
}

} // namespace
} // namespace vendrilo::verificacao
