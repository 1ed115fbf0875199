// Dados do catálogo de exemplos: textos da lista, regra do caminho e avisos.

#include "learning/catalogo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <set>

namespace vendrilo {
namespace {

struct CasoCaminho {
    const char* nome;
    int indice;
    const char* pasta;
    const char* esperado;
    friend void PrintTo(const CasoCaminho& c, std::ostream* os) { *os << c.nome; }
};

class CaminhoExemplos : public ::testing::TestWithParam<CasoCaminho> {};

TEST_P(CaminhoExemplos, SegueARegraDoNomeDoArquivo)
{
    const auto& c = GetParam();
    EXPECT_EQ(CaminhoExemplo(c.pasta, c.indice), c.esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogo, CaminhoExemplos,
    ::testing::Values(
        CasoCaminho{"nominal_primeiro", 0, "/p", "/p/exp/exp000.alg"},
        CasoCaminho{"nominal_indice_9_usa_exp00", 9, "/p", "/p/exp/exp009.alg"},
        CasoCaminho{"nominal_indice_10_usa_exp0", 10, "/p", "/p/exp/exp010.alg"},
        CasoCaminho{"nominal_ultimo", 61, "/p", "/p/exp/exp061.alg"},
        CasoCaminho{"pasta_com_barra_final", 5, "/p/", "/p/exp/exp005.alg"},
        CasoCaminho{"pasta_com_espacos", 42, "/home/a b/vendrilo", "/home/a b/vendrilo/exp/exp042.alg"},
        CasoCaminho{"robustez_indice_negativo", -1, "/p", ""},
        CasoCaminho{"robustez_indice_62", 62, "/p", ""},
        CasoCaminho{"robustez_indice_100", 100, "/p", ""}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Catalogo, ListaTem62LinhasDeEXP000aEXP061)
{
    EXPECT_EQ(TextoListaExemplo(0), "EXP000.alg");
    EXPECT_EQ(TextoListaExemplo(9), "EXP009.alg");
    EXPECT_EQ(TextoListaExemplo(10), "EXP010.alg");
    EXPECT_EQ(TextoListaExemplo(61), "EXP061.alg");
    EXPECT_EQ(TextoListaExemplo(62), "");
    EXPECT_EQ(TextoListaExemplo(-1), "");
    // A lista mostra maiúsculas; o arquivo e a legenda da janela, minúsculas.
    for (int i = 0; i < TotalExemplos; ++i) {
        std::string nome = NomeArquivoExemplo(i);
        std::string lista = TextoListaExemplo(i);
        ASSERT_EQ(lista.size(), nome.size()) << i;
        EXPECT_EQ(lista.substr(0, 3), "EXP");
        EXPECT_EQ(lista.substr(3), nome.substr(3)) << i;
    }
}

TEST(Catalogo, DescricoesSaoAsDoCatalogoComSeusEspacamentos)
{
    EXPECT_EQ(DescricaoExemplo(0), "Exemplo da estrutura de um algoritmo");
    EXPECT_EQ(DescricaoExemplo(5), "Exemplo da estrutura condicional simples - se...entao...fim-se");
    EXPECT_EQ(DescricaoExemplo(20), "Exemplo da função raiz-quadrada (X) - retorna o valor da raiz "
                                    "quadrada de um númerodo");
    EXPECT_EQ(DescricaoExemplo(25), "Exemplo da função lógica par   (X) - retorna um valor verdadeiro "
                                    "se o número X for par, caso contrário retorna falso");
    EXPECT_EQ(DescricaoExemplo(61), "Exemplo da função exponenciacao-base-inteiro (<Y>, <X>) - retorna "
                                    "o valor da base de número inteiro <y> elevada ao exponte <X>");
    EXPECT_EQ(DescricaoExemplo(62), "");
    std::set<std::string_view> distintas;
    for (int i = 0; i < TotalExemplos; ++i) {
        EXPECT_TRUE(DescricaoExemplo(i).starts_with("Exemplo ")) << i;
        distintas.insert(DescricaoExemplo(i));
    }
    EXPECT_EQ(distintas.size(), 62u);
}

TEST(Catalogo, AvisosDeExemploAusente)
{
    const auto aviso = AvisoExemploAusente("/p/exp/exp007.alg");
    ASSERT_EQ(aviso.size(), 3u);
    EXPECT_EQ(aviso[0], "O algoritmo [/p/exp/exp007.alg]");
    EXPECT_EQ(aviso[1], " não está disponível!!!");
    EXPECT_EQ(aviso[2], "Solicite uma cópia via email (vendrilo@example.org).");
    EXPECT_EQ(MensagemExemploAusente("/p/exp/exp007.alg"),
              "O algoritmo [/p/exp/exp007.alg] não está disponível!! Refaça o download do Vendrilo");
}

// Cada linha do catálogo tem o seu arquivo entre os dados instalados.
TEST(Catalogo, TodosOsArquivosExistemNosDados)
{
    for (int i = 0; i < TotalExemplos; ++i)
        EXPECT_TRUE(std::filesystem::is_regular_file(CaminhoExemplo(VENDRILO_DADOS_FONTE, i))) << i;
}

} // namespace
} // namespace vendrilo
