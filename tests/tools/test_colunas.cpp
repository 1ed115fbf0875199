// O relatório de erro na linha de comando, com a cadeia inteira: o "^" sob a
// coluna do algoritmo (as palavras-chave mudam de tamanho no Pascal; literais,
// comentários e símbolos colados passam como estão) e a dica de escrita
// depois das três linhas.

#include "apoio_tpc.h"

#include <gtest/gtest.h>

namespace vendrilo::teste {
namespace {

struct CasoColuna {
    const char* nome;
    const char* algoritmo;
    int linha;         // linha do erro no algoritmo
    const char* marca; // o "^" fica sob o começo deste trecho da linha
};

void PrintTo(const CasoColuna& c, std::ostream* os) { *os << c.nome; }

const CasoColuna casos[] = {
    {"palavra_mais_curta_no_pascal", "declare x inteiro\ninicio\n   mostre-pl (x y)\nfim\n", 3, "y)"},
    {"palavra_mais_longa_no_pascal", "declare x inteiro\ninicio\n   se x > 1 entao mostre-pl (zz)\n   fim-se\nfim\n",
     3, "zz"},
    {"laco_e_operador_por_extenso", "declare x inteiro\ninicio\n   enquanto x < 7 divisao-inteira zz faca\n"
                                    "   fim-enquanto\nfim\n",
     3, "zz"},
    {"depois_de_literal_com_acento", "declare x inteiro\ninicio\n   mostre-pl ('a\xe7\xe3o <- 1', x, zz)\nfim\n", 3,
     "zz"},
    {"depois_de_comentario", "declare x inteiro\ninicio\n   {se entao senao} x <- zz\nfim\n", 3, "zz"},
    {"simbolos_colados", "declare x inteiro\ninicio\n   x <- (x+zz)*2\nfim\n", 3, "zz"},
    {"brancos_repetidos", "declare x inteiro\ninicio\n   x    <-    x   +   zz\nfim\n", 3, "zz"},
    {"depois_do_separador_na_mesma_linha", "{a} declare x inteiro\ninicio\n   x <- zz\nfim\n", 3, "zz"},
    // A BIBLIOTECA depois de DECLARE não fecha o USES: o erro é na linha dela.
    {"biblioteca_depois_de_declare", "declare x inteiro\nbiblioteca math\ninicio\n   x <- 1\nfim\n", 2,
     "biblioteca"},
    {"biblioteca_antes_de_declare", "biblioteca math\ndeclare x inteiro\ninicio\n   x <- zz\nfim\n", 4, "zz"},
};

class Coluna : public ::testing::TestWithParam<CasoColuna> {};

TEST_P(Coluna, CircunflexoSobOTrechoDoAlgoritmo)
{
    const CasoColuna& c = GetParam();
    PastaTemp tmp;
    Grava(tmp / "a.alg", c.algoritmo);
    const Execucao e = Roda({"env", "VENDRILO_PASTA=" + (tmp / "prog"), TRADUZ_EXE, tmp / "a.alg"}, tmp.caminho());
    ASSERT_EQ(e.status, 1) << e.saida;
    ASSERT_EQ(e.linhas.size(), 4u) << e.saida;
    EXPECT_NE(e.linhas[1].find(".ALG(" + std::to_string(c.linha) + "): Erro "), std::string::npos) << e.saida;
    const std::string& fonte = e.linhas[2];
    const std::size_t pos = fonte.find(c.marca);
    ASSERT_NE(pos, std::string::npos) << e.saida;
    // O terminal recebe UTF-8: o "^" conta caracteres, não bytes.
    std::size_t esperada = 0;
    for (std::size_t i = 0; i < pos; ++i)
        esperada += (static_cast<unsigned char>(fonte[i]) & 0xC0) != 0x80;
    EXPECT_EQ(e.linhas[3], std::string(esperada, ' ') + "^") << e.saida;
}

INSTANTIATE_TEST_SUITE_P(Tabela, Coluna, ::testing::ValuesIn(casos),
                         [](const auto& info) { return std::string(info.param.nome); });

struct CasoDica {
    const char* nome;
    const char* algoritmo; // Windows-1252
    const char* dica;      // UTF-8; vazia: nenhuma linha depois do relatório
};

void PrintTo(const CasoDica& c, std::ostream* os) { *os << c.nome; }

const CasoDica dicas[] = {
    {"colada_ao_parentese", "inicio\n   mostre-pl('x')\nfim\n",
     "Dica: separe MOSTRE-PL do parêntese com um espaço."},
    {"parentese_antes", "declare s literal\ndeclare x inteiro\ninicio\n   x <- (tamanho (s))\nfim\n",
     "Dica: separe TAMANHO do parêntese com um espaço."},
    {"colada_as_aspas", "declare x inteiro\ninicio\n   mostre-pl ( tamanho'ab' )\nfim\n",
     "Dica: separe TAMANHO das aspas com um espaço."},
    {"com_acento", "declare x inteiro\ninicio\n   se x > 1 entao\n      x <- 1\n   sen\xe3o\n      x <- 2\n"
                   "   fim-se\nfim\n",
     "Dica: escreva SENAO sem acento."},
    {"reservada_como_nome", "declare palavra literal\ninicio\nfim\n",
     "Dica: PALAVRA é uma palavra do Vendrilo (vira WORD); escolha outro nome para a variável."},
    {"erro_comum_sem_dica", "declare x inteiro\ninicio\n   x <- zz\nfim\n", ""},
    {"palavra_do_texto_entre_aspas", "declare x inteiro\ninicio\n   mostre-pl ('(fim)', zz)\nfim\n", ""},
};

class Dica : public ::testing::TestWithParam<CasoDica> {};

TEST_P(Dica, LinhaDepoisDoRelatorioNaLinhaDeComando)
{
    const CasoDica& c = GetParam();
    PastaTemp tmp;
    Grava(tmp / "a.alg", c.algoritmo);
    const Execucao e = Roda({"env", "VENDRILO_PASTA=" + (tmp / "prog"), TRADUZ_EXE, tmp / "a.alg"}, tmp.caminho());
    ASSERT_EQ(e.status, 1) << e.saida;
    ASSERT_EQ(e.linhas.size(), *c.dica ? 5u : 4u) << e.saida;
    EXPECT_NE(e.linhas[1].find(": Erro "), std::string::npos) << e.saida;
    if (*c.dica) {
        EXPECT_EQ(e.linhas[4], c.dica);
    }
}

INSTANTIATE_TEST_SUITE_P(Tabela, Dica, ::testing::ValuesIn(dicas),
                         [](const auto& info) { return std::string(info.param.nome); });

} // namespace
} // namespace vendrilo::teste
