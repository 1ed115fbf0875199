// Verificação da estrutura pelo tradutor real: as contagens vêm da varredura
// das linhas, com comentários, textos, tabulações e a ordem dos laços.

#include "check/estrutura.h"
#include "formato/texto_1252.h"
#include "translate/tradutor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
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

// Uma pasta temporária por teste, para o algoritmo e o .pas gerado.
class PastaDoTeste : public ::testing::Test {
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

class PeloTradutor : public PastaDoTeste, public ::testing::WithParamInterface<CasoAlgoritmo> {};

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

// --- Onde está a falha: a linha do algoritmo de cada mensagem --------------

struct CasoLinhas {
    const char* nome;
    std::vector<std::string> linhas; // o algoritmo, uma linha por elemento
    std::vector<int> testes;         // testes que falham, em ordem
    std::vector<int> linhaDaFalha;   // linha apontada por mensagem (0: nenhuma)
};

void PrintTo(const CasoLinhas& c, std::ostream* os) { *os << c.nome; }

// Linhas das mensagens como a verificação sempre as escreveu, por caso.
std::map<std::string, std::vector<std::string>> LinhasGuardadas()
{
    std::ifstream f(std::string(VENDRILO_DADOS_TESTE_CHECK) + "/linhas_estrutura.txt");
    std::map<std::string, std::vector<std::string>> r;
    std::string linha, caso;
    while (std::getline(f, linha))
        if (linha.size() > 2 && linha.front() == '[' && linha.back() == ']')
            caso = linha.substr(1, linha.size() - 2);
        else if (!linha.empty())
            r[caso].push_back(linha);
    return r;
}

class LinhasDaEstrutura : public PastaDoTeste,
                          public ::testing::WithParamInterface<CasoLinhas> {};

TEST_P(LinhasDaEstrutura, CadaMensagemApontaALinhaProvavel)
{
    const CasoLinhas& caso = GetParam();
    std::string texto;
    for (const std::string& l : caso.linhas)
        texto += l + "\r\n";
    const fs::path alg = pasta / "TESTE.ALG";
    std::ofstream(alg, std::ios::binary) << texto;
    Tradutor tradutor;
    std::string erro;
    ASSERT_TRUE(tradutor.TraduzArquivo(alg.string(), erro)) << erro;
    const ResultadoEstrutura& r = tradutor.estado().Estrutura;
    EXPECT_EQ(r.ListaErros, caso.testes);

    std::vector<std::string> mensagens;
    for (std::size_t i = 2; i < r.ErrosSintaxe.size(); ++i)
        mensagens.push_back(De1252(r.ErrosSintaxe[i]));
    EXPECT_EQ(mensagens, LinhasGuardadas()[caso.nome]) << "as mensagens mudaram";

    std::vector<int> esperado{0, 0};
    esperado.insert(esperado.end(), caso.linhaDaFalha.begin(), caso.linhaDaFalha.end());
    EXPECT_EQ(r.LinhaAlgoritmo, esperado);
}

// Um algoritmo certo em volta da falha; as linhas contam a partir de 1.
const CasoLinhas kLinhas[] = {
    {"se_sem_fimse", {"declare a inteiro", "inicio", "  leia a", "  se a > 0 entao", "    mostre a", "fim"},
     {6}, {4}},
    {"fimse_sobrando",
     {"declare a inteiro", "inicio", "  se a > 0 entao", "    mostre a", "  fim-se", "  fim-se", "fim"},
     {6}, {6}},
    {"se_sem_entao", {"declare a inteiro", "inicio", "  se a > 0", "    mostre a", "  fim-se", "fim"}, {5}, {3}},
    {"entao_sem_se", {"declare a inteiro", "inicio", "  a > 0 entao", "  mostre a", "fim"}, {5}, {3}},
    {"senao_sobrando",
     {"declare a inteiro", "inicio", "  se a > 0 entao", "    a <- 1", "  senao", "    a <- 2", "  senao",
      "  fim-se", "fim"},
     {7}, {7}},
    {"enquanto_sem_fim_e_sem_faca",
     {"declare a inteiro", "inicio", "  enquanto a > 0", "    a <- a - 1", "fim"}, {8, 9}, {3, 3}},
    {"fim_enquanto_e_faca_sobrando",
     {"declare a inteiro", "inicio", "  fim-enquanto", "  enquanto a > 0 faca faca", "  fim-enquanto", "fim"},
     {8, 9}, {3, 4}},
    {"repita_sem_ate_que", {"declare a inteiro", "inicio", "  repita", "    a <- a + 1", "fim"}, {10}, {3}},
    {"ate_que_sobrando", {"declare a inteiro", "inicio", "  a <- 1", "  ate-que a > 9", "fim"}, {10}, {4}},
    {"para_sem_de_ate_faca_e_fim",
     {"declare i inteiro", "inicio", "  mostre 1", "  para i", "    mostre i", "fim"}, {11, 12, 13, 14},
     {4, 4, 4, 4}},
    {"de_ate_faca_e_fim_para_sobrando",
     {"declare i inteiro", "inicio", "  para i de 1 ate 3 faca", "  fim-para", "  de 1 ate 2 faca",
      "  fim-para", "fim"},
     {11, 12, 13, 14}, {5, 5, 5, 6}},
    {"selecione_sem_fim",
     {"declare a inteiro", "inicio", "  selecione a", "    caso 1", "      mostre a", "fim"}, {15}, {3}},
    {"caso_e_caso_contrario_sem_selecione",
     {"declare a inteiro", "inicio", "  caso 1", "    mostre a", "  caso-contrario", "    mostre 0",
      "  fim-selecione", "fim"},
     {15, 16, 17}, {7, 3, 5}},
    {"como_sem_fim_e_fim_como_sobrando",
     {"declare r reg", "inicio", "  como r", "    mostre 1", "fim", "fim-como", "fim-como"}, {18}, {7}},
    {"procedimento_sem_inicio_e_sem_fim",
     {"procedimento p", "  mostre 1", "declare a inteiro", "inicio", "  p", "fim"}, {19, 20}, {1, 1}},
    {"funcao_sem_inicio_e_marcadores_sobrando",
     {"funcao f inteiro", "  mostre 1", "fim-funcao", "inicio", "fim", "fim-funcao"}, {21, 22}, {1, 6}},
    {"inicio_no_lugar_de_inicio_procedimento",
     {"procedimento p", "inicio", "  mostre 1", "fim-procedimento", "inicio", "  p", "fim"}, {2, 19}, {2, 1}},
    {"fim_no_lugar_de_fim_se",
     {"declare a inteiro", "inicio", "  se a > 0 entao", "    mostre a", "  fim", "fim"}, {4, 6}, {5, 3}},
    {"fim_repetido_no_final", {"declare a inteiro", "inicio", "  a <- 1", "fim", "fim"}, {4}, {5}},
    {"sem_inicio_nem_fim_nao_tem_onde_apontar", {"declare a inteiro", "  a <- 1"}, {1, 3}, {0, 0}},
    {"aninhados_aponta_o_mais_interno_aberto",
     {"declare a, b inteiro", "inicio", "  se a > 0 entao", "    enquanto b > 0 faca", "      se b > 5 entao",
      "        b <- 0", "      b <- b - 1", "    fim-enquanto", "  fim-se", "fim"},
     {6}, {5}},
    {"aninhados_abertos_ate_o_fim",
     {"declare a, b inteiro", "inicio", "  se a > 0 entao", "    se b > 0 entao", "      b <- 0", "fim"}, {6},
     {4}},
    {"fechamento_atravessado_deixa_o_laco_aberto",
     {"declare a, b inteiro", "inicio", "  se a > 0 entao", "    enquanto b > 0 faca", "      b <- b - 1",
      "  fim-se", "fim"},
     {8}, {4}},
    {"varias_falhas_de_uma_vez",
     {"declare a, i inteiro", "inicio", "  enquanto a > 0", "    a <- a - 1", "  fim-enquanto",
      "  para i de 1 ate 9 faca", "    repita", "      a <- a + 1", "    ate-que a > 5", "  se a > 0 entao",
      "fim"},
     {6, 9, 14}, {10, 3, 6}},
    {"palavras_em_comentario_e_texto_nao_contam",
     {"declare a inteiro", "inicio", "  { se a > 0 entao fim-se }", "  mostre \"fim-se se entao\"",
      "  { comentario de", "    varias linhas: fim-se fim }", "  se a > 0 entao", "    mostre 'fim-se'", "fim"},
     {6}, {7}},
    {"grafias_alternativas_e_caixa_mista",
     {"declare a inteiro", "proc p", "inicio-proc", "  Enq a > 0 Faca", "    a <- a - 1", "Fim-Proc",
      "INICIO", "  escolha a", "    caso 1", "      mostre a", "  fim-caso", "  Escolha a", "    caso 2",
      "  para a de 9 ate-1 1 faca", "  fim-para", "fim"},
     {8, 15}, {4, 12}},
    {"faca_antes_do_enquanto",
     {"declare a inteiro", "inicio", "  faca", "  enquanto a > 0", "    a <- a - 1", "  fim-enquanto", "fim"},
     {9, 13}, {4, 3}},
    // Aninhamento que nenhum aluno escreve: sem linha em vez de uma duvidosa.
    {"aninhamento_absurdo_nao_aponta_linha", std::vector<std::string>(10001, "se a entao"), {1, 3, 6},
     {0, 0, 0}},
    {"palavra_colada_a_tabulacao_nao_conta",
     {"declare a inteiro", "inicio", "  se a > 0 entao", "    a <- 1", "  fim-se\t", "fim"}, {6}, {3}},
};

INSTANTIATE_TEST_SUITE_P(Algoritmos, LinhasDaEstrutura, ::testing::ValuesIn(kLinhas),
                         [](const auto& info) { return std::string(info.param.nome); });

} // namespace
} // namespace vendrilo
