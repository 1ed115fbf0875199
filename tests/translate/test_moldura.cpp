#include "translate/moldura.h"

#include <gtest/gtest.h>

namespace {

using namespace vendrilo;

TEST(Moldura, VinteESeisLinhasComAsFixasNoLugar)
{
    const auto l = LinhasMoldura();
    ASSERT_EQ(l.size(), 26u);
    const std::string tracos = "{ " + std::string(62, '-') + " }";
    for (int i : {0, 2, 7, 12, 16, 20})
        EXPECT_EQ(l[i], tracos) << "linha " << i + 1;
    EXPECT_EQ(l[3], "{    Projeto/Desenvolvimento Profs:                              }");
    EXPECT_EQ(l[8], "{    Alunos que participaram do projeto:                         }");
    EXPECT_EQ(l[13], "{    Professores de Apoio:                                       }");
    EXPECT_EQ(l[19].rfind("{ Contato: ", 0), 0u);
    EXPECT_EQ(l[21], "");
    EXPECT_EQ(l[22], "PROGRAM Executavel;");
    EXPECT_EQ(l[23], "");
    EXPECT_EQ(l[24], "USES CRT, DOS, AUTORIA");
    EXPECT_EQ(l[25], "");
}

TEST(Moldura, FaixaComSessentaESeisColunas)
{
    const auto l = LinhasMoldura();
    for (int i = 0; i <= 20; ++i) {
        if (i == 1)
            continue; // a linha do título acompanha o título
        SCOPED_TRACE("linha " + std::to_string(i + 1));
        ASSERT_EQ(l[i].size(), 66u);
        EXPECT_EQ(l[i].front(), '{');
        EXPECT_EQ(l[i].back(), '}');
        EXPECT_EQ(l[i].find('}'), 65u) << "uma chave no meio fecharia o comentário antes";
    }
    for (int i : {4, 5, 6, 9, 10, 11, 14, 15}) { // créditos: onze espaços e um nome
        EXPECT_EQ(l[i].substr(0, 12), "{" + std::string(11, ' '));
        EXPECT_NE(l[i][12], ' ');
    }
    for (int i : {17, 18, 19}) // uso e contato: um espaço depois da chave
        EXPECT_TRUE(l[i][1] == ' ' && l[i][2] != ' ');
}

TEST(Moldura, LinhaDoTitulo)
{
    EXPECT_EQ(LinhasMoldura("0123456789")[1].size(), 49u);
    EXPECT_EQ(LinhasMoldura()[1], "{   Programa traduzido por Vendrilo de Algoritmos - Vers\xE3o 2.4 - Dez/2003}");
    EXPECT_EQ(TituloAplicacao.size(), 35u) << "um byte por caractere, Windows-1252";
}

} // namespace
