// Conversão entre UTF-8 e Windows-1252: a tabela única do programa.

#include "formato/texto_1252.h"

#include <gtest/gtest.h>

namespace vendrilo {
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

TEST(De1252, TodoByteVoltaIgualPeloCodificador)
{
    std::string todos;
    for (int b = 0; b < 256; ++b)
        todos += static_cast<char>(b);
    const std::string utf8 = De1252(todos);
    EXPECT_TRUE(Utf8Valido(utf8));
    std::string volta;
    ASSERT_TRUE(Codifica1252(utf8, volta));
    EXPECT_EQ(volta, todos);
    // Os cinco bytes vagos da página viram os controles C1 de mesmo número.
    EXPECT_EQ(De1252("\x81\x9D"), "\xC2\x81\xC2\x9D");
}

TEST(Codifica1252, NomeiaOPrimeiroCaractereQueNaoCabe)
{
    struct Caso {
        const char* nome;
        std::string utf8;
        std::size_t posicao;
        std::string caractere;
    };
    const Caso casos[] = {
        {"seta depois de acento", "é→b€✓", 2, "\"→\" (U+2192)"},
        {"fora do plano básico", "ok \xF0\x9F\x98\x80", 3, "\"\xF0\x9F\x98\x80\" (U+1F600)"},
        {"robustez: forma longa demais", "a\xC0\xAF", 1, "inválido"},
        {"robustez: substituto", "\xED\xA0\x80", 0, "inválido"},
        {"robustez: byte F5", "ab\xF5\x80\x80\x80", 2, "inválido"},
        {"robustez: além de U+10FFFF", "\xF4\x90\x80\x80", 0, "inválido"},
        {"robustez: cortado no fim", "a\xE2\x82", 1, "inválido"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        std::string bytes;
        FalhaCodificacao falha;
        EXPECT_FALSE(Codifica1252(c.utf8, bytes, &falha));
        EXPECT_EQ(falha.posicao, c.posicao);
        EXPECT_EQ(falha.caractere, c.caractere);
    }
}

} // namespace
} // namespace vendrilo
