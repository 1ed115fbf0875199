// Algoritmos inteiros e o programa exato que cada um deve gerar.
#include "apoio_traducao.h"

namespace {

using namespace vendrilo;
using namespace vendrilo::teste;

class ProgramaGerado : public ::testing::TestWithParam<const char*> {};

TEST_P(ProgramaGerado, IgualAoEsperadoByteAByte)
{
    const fs::path dados = VENDRILO_DADOS_TESTE_TRADUCAO;
    const std::string nome = GetParam();
    const auto pasta = PastaDoTeste();
    const fs::path alg = pasta / (nome + ".alg");
    fs::copy_file(dados / (nome + ".alg"), alg);
    Tradutor t;
    std::string erro;
    ASSERT_TRUE(t.TraduzArquivo(alg.string(), erro)) << erro;
    EXPECT_EQ(t.estado().TotalErros, 0);
    const std::string esperado = LeBytes(dados / (nome + ".pas"));
    ASSERT_FALSE(esperado.empty());
    EXPECT_EQ(LeBytes(pasta / (nome + ".pas")), esperado);
}

INSTANTIATE_TEST_SUITE_P(Algoritmos, ProgramaGerado, ::testing::Values("media", "cadastro", "biblioteca"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
