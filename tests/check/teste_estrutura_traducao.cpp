// Verificação da estrutura pelo tradutor real: as contagens vêm da varredura
// das linhas, com comentários, textos, tabulações e a ordem dos laços.

#include "check/estrutura.h"
#include "translate/tradutor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace vendrilo {
namespace {

namespace fs = std::filesystem;

struct CasoAlgoritmo {
    const char* nome;
    std::string texto;            // linhas separadas por "\r\n"
    std::vector<int> testes;      // testes da verificação que devem falhar, em ordem
};

void PrintTo(const CasoAlgoritmo& c, std::ostream* os) { *os << c.nome; }

class PeloTradutor : public ::testing::TestWithParam<CasoAlgoritmo> {
protected:
    fs::path pasta;

    void SetUp() override
    {
        std::string nome = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(nome.begin(), nome.end(), '/', '_');
        pasta = fs::temp_directory_path() /
                ("vendrilo-verificacao-" + std::to_string(::getpid()) + "-" + nome);
        fs::remove_all(pasta);
        fs::create_directories(pasta);
    }

    void TearDown() override { fs::remove_all(pasta); }
};

TEST_P(PeloTradutor, ContagensDaVarreduraDaoAsMensagensCertas)
{
    const fs::path alg = pasta / "TESTE.ALG";
    {
        std::ofstream saida(alg, std::ios::binary);
        saida << GetParam().texto;
    }
    Tradutor tradutor;
    std::string erro;
    ASSERT_TRUE(tradutor.TraduzArquivo(alg.string(), erro)) << erro;
    const ResultadoEstrutura& r = tradutor.estado().Estrutura;
    EXPECT_EQ(r.ListaErros, GetParam().testes);
    EXPECT_EQ(r.TotalErros, static_cast<int>(GetParam().testes.size()));
    EXPECT_EQ(r.ErrosSintaxe.size(), GetParam().testes.size() + 2);
}

const CasoAlgoritmo kAlgoritmos[] = {
    {"completo_e_equilibrado",
     "declare a, i inteiro\r\ninicio\r\n  leia a\r\n  se a > 0 entao\r\n    mostre a\r\n"
     "  senao\r\n    mostre 0\r\n  fim-se\r\n  para i de 1 ate 9 faca\r\n"
     "    enquanto a > 0 faca\r\n      a <- a - 1\r\n    fim-enquanto\r\n  fim-para\r\nfim\r\n",
     {}},
    {"so_declaracoes_sem_inicio_nem_fim", "declare a inteiro\r\n", {1, 3}},
    {"dois_inicio", "declare a inteiro\r\ninicio\r\ninicio\r\n  a <- 1\r\nfim\r\n", {2}},
    {"inicio_procedimento_nao_conta_como_inicio",
     "procedimento p\r\ninicio-procedimento\r\n  mostre 1\r\nfim-procedimento\r\n"
     "declare a inteiro\r\n  a <- 1\r\nfim\r\n",
     {1}},
    {"fim_so_dentro_de_comentario",
     "declare a inteiro\r\ninicio\r\n  a <- 1\r\n{ fim }\r\n", {3}},
    {"fim_so_dentro_de_texto",
     "declare a inteiro\r\ninicio\r\n  mostre \"fim\"\r\n", {3}},
    {"fim_se_seguido_de_tabulacao_nao_conta",
     "declare a inteiro\r\ninicio\r\n  se a > 0 entao\r\n    a <- 1\r\n  fim-se\t\r\nfim\r\n",
     {6}},
    {"faca_antes_do_cabecalho_enquanto_conta_para_o_para",
     "declare a inteiro\r\ninicio\r\n  faca\r\n  enquanto a > 0\r\n    a <- a - 1\r\n"
     "  fim-enquanto\r\nfim\r\n",
     {9, 13}},
    {"para_decrescente_equilibrado",
     "declare i inteiro\r\ninicio\r\n  para i de 10 ate-1 1 faca\r\n    mostre i\r\n"
     "  fim-para\r\nfim\r\n",
     {}},
    {"repita_ate_que_nao_conta_como_ate",
     "declare a inteiro\r\ninicio\r\n  repita\r\n    a <- a + 1\r\n  ate-que a > 9\r\nfim\r\n",
     {}},
    {"dois_senao_num_se",
     "declare a inteiro\r\ninicio\r\n  se a > 0 entao\r\n    a <- 1\r\n  senao\r\n    a <- 2\r\n"
     "  senao\r\n  fim-se\r\nfim\r\n",
     {7}},
    {"caso_sem_selecione",
     "declare a inteiro\r\ninicio\r\n  caso 1\r\n    a <- 1\r\nfim\r\n", {16}},
};

INSTANTIATE_TEST_SUITE_P(Algoritmos, PeloTradutor, ::testing::ValuesIn(kAlgoritmos),
                         [](const auto& info) { return std::string(info.param.nome); });

} // namespace
} // namespace vendrilo
