// Reescrita do relatório do compilador: tabela, mensagem e linha do erro.

#include "check/mapeamento.h"
#include "formato/texto_1252.h"
#include "translate/leitor_linhas.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vendrilo {
namespace {

const std::string kDados = VENDRILO_DADOS_TESTE_CHECK;

std::vector<std::string> LeLinhas(const std::string& nome)
{
    LeitorLinhas leitor;
    EXPECT_TRUE(leitor.abre(kDados + "/" + nome)) << nome;
    std::vector<std::string> linhas;
    std::string linha;
    while (leitor.proxima(linha))
        linhas.push_back(linha);
    return linhas;
}

// Transcrição independente dos textos: "N|texto|" por linha, em UTF-8.
std::vector<std::string> TextosEsperados()
{
    std::ifstream arquivo(kDados + "/mensagens_compilador.txt");
    std::vector<std::string> textos;
    std::string linha;
    while (std::getline(arquivo, linha)) {
        const auto a = linha.find('|');
        const auto b = linha.rfind('|');
        EXPECT_EQ(std::stoi(linha.substr(0, a)), static_cast<int>(textos.size()) + 1);
        textos.push_back(linha.substr(a + 1, b - a - 1));
    }
    return textos;
}

TEST(TabelaMensagens, CentoEQuarentaEQuatroLinhasNaFormaDasChaves)
{
    const auto textos = TextosEsperados();
    ASSERT_EQ(textos.size(), 144u);
    ASSERT_EQ(Erropas().size(), 144u);
    ASSERT_EQ(Erropor().size(), 144u);
    for (int n = 1; n <= 144; ++n) {
        EXPECT_EQ(Erropas()[n - 1], ": Error " + std::to_string(n) + ":");
        EXPECT_EQ(De1252(Erropor()[n - 1]), ": Erro " + std::to_string(n) + ": " + textos[n - 1])
            << "mensagem " << n;
    }
}

TEST(TabelaMensagens, SimbolosEntreAspasEEspacosFinais)
{
    EXPECT_EQ(Erropor()[86], ": Erro 87: \",\" esperada.");
    EXPECT_EQ(Erropor()[90], ": Erro 91: \"<-\" esperado.");
    EXPECT_EQ(Erropor()[94], ": Erro 95: \"..\" esperado.");
    EXPECT_EQ(De1252(Erropor()[24]), ": Erro 25: Comprimento do texto inválido. ");
    // Um byte por letra acentuada, como no arquivo do aluno.
    EXPECT_EQ(Erropor()[0], ": Erro 1: Acabou espa\xE7o na mem\xF3ria.");
}

class CadaNumero : public ::testing::TestWithParam<int> {};

TEST_P(CadaNumero, LinhaDoErroGanhaOTextoEmPortugues)
{
    const int n = GetParam();
    std::vector<std::string> memo{"titulo", "X.PAS(30)", "",
                                  "X.PAS(30): Error " + std::to_string(n) + ": English text.",
                                  "  x", "  ^"};
    ASSERT_TRUE(TrocaMsgErro(memo));
    EXPECT_EQ(memo[3], "X.PAS(30)" + Erropor()[n - 1]);
    EXPECT_EQ(memo[1], "X.PAS(30)");
    EXPECT_EQ(memo[4], "  x");
}

INSTANTIATE_TEST_SUITE_P(Todos, CadaNumero, ::testing::Range(1, 145));

struct CasoMensagem {
    const char* nome;
    std::vector<std::string> memo;
    bool traduz;
    std::vector<std::string> esperado;
};

void PrintTo(const CasoMensagem& c, std::ostream* os) { *os << c.nome; }

class TrocaMensagem : public ::testing::TestWithParam<CasoMensagem> {};

TEST_P(TrocaMensagem, SoAPrimeiraLinhaComErro)
{
    auto memo = GetParam().memo;
    EXPECT_EQ(TrocaMsgErro(memo), GetParam().traduz);
    EXPECT_EQ(memo, GetParam().esperado);
}

const CasoMensagem kMensagens[] = {
    {"nominal_so_a_primeira_linha",
     {"t", "A.PAS(9): Error 3: Unknown identifier.", "A.PAS(12): Error 3: Unknown identifier."},
     true,
     {"t", "A.PAS(9)" + Erropor()[2], "A.PAS(12): Error 3: Unknown identifier."}},
    {"nominal_segunda_com_outro_numero_fica_em_ingles",
     {"A.PAS(9): Error 85: x", "A.PAS(10): Error 36: BEGIN expected."}, true,
     {"A.PAS(9)" + Erropor()[84], "A.PAS(10): Error 36: BEGIN expected."}},
    {"robustez_numero_fora_da_tabela",
     {"A.PAS(9): Error 145: x", "A.PAS(9): Error 5: y"}, false,
     {"A.PAS(9): Error 145: x", "A.PAS(9): Error 5: y"}},
    {"robustez_zero_e_zero_a_esquerda",
     {"A.PAS(9): Error 085: x"}, false, {"A.PAS(9): Error 085: x"}},
    {"robustez_sem_dois_pontos_depois_do_numero",
     {"A.PAS(9): Error 85 sem fim", "A.PAS(9): Error 5: y"}, false,
     {"A.PAS(9): Error 85 sem fim", "A.PAS(9): Error 5: y"}},
    {"robustez_chave_no_fim_da_linha", {"A.PAS(9): Error"}, false, {"A.PAS(9): Error"}},
    {"robustez_sem_erro", {"t", "40 lines", "", "x bytes data."}, false,
     {"t", "40 lines", "", "x bytes data."}},
    {"robustez_relatorio_vazio", {}, false, {}},
};

INSTANTIATE_TEST_SUITE_P(Casos, TrocaMensagem, ::testing::ValuesIn(kMensagens),
                         [](const auto& info) { return std::string(info.param.nome); });

struct CasoLinha {
    const char* nome;
    std::string linha3;
    int biblioteca;
    int linhasAlgoritmo;      // o algoritmo tem linhas "a0", "a1", ...
    std::optional<int> n;
    std::string linha3Esperada;
    std::string linha4Esperada;
};

void PrintTo(const CasoLinha& c, std::ostream* os) { *os << c.nome; }

class TrocaLinha : public ::testing::TestWithParam<CasoLinha> {};

TEST_P(TrocaLinha, NumeroInteiroTrocadoELinhaDoAlgoritmo)
{
    const CasoLinha& c = GetParam();
    std::vector<std::string> algoritmo;
    for (int i = 0; i < c.linhasAlgoritmo; ++i)
        algoritmo.push_back("a" + std::to_string(i));
    std::vector<std::string> memo{"t", "L1", "L2", c.linha3, "pascal", "   ^"};
    const auto original = memo;
    const auto n = TrocaLinhaErro(memo, c.biblioteca, algoritmo);
    EXPECT_EQ(n, c.n);
    if (!c.n) {
        EXPECT_EQ(memo, original);
        return;
    }
    EXPECT_EQ(memo[3], c.linha3Esperada);
    EXPECT_EQ(memo[4], c.linha4Esperada);
    EXPECT_EQ(memo[5], "   ^");
}

const CasoLinha kLinhas[] = {
    {"nominal_sem_biblioteca", "S.PAS(35): Erro 85: x", 0, 9, 7, "S.ALG(8): Erro 85: x", "a7"},
    {"nominal_com_biblioteca", "S.PAS(35): Erro 85: x", 1, 9, 8, "S.ALG(9): Erro 85: x", "a8"},
    {"um_digito_antes_do_algoritmo", "S.PAS(5): e", 0, 9, -23, "S.ALG(-22): e", ""},
    {"dois_digitos_primeira_linha", "S.PAS(28): e", 0, 9, 0, "S.ALG(1): e", "a0"},
    {"tres_digitos_sem_sobra", "S.PAS(100): e", 0, 80, 72, "S.ALG(73): e", "a72"},
    {"quatro_digitos_vira_tres", "S.PAS(1027): e", 1, 1001, 1000, "S.ALG(1001): e", "a1000"},
    {"quatro_digitos", "S.PAS(9999): e", 0, 10000, 9971, "S.ALG(9972): e", "a9971"},
    {"ultima_linha_do_algoritmo", "S.PAS(36): e", 0, 9, 8, "S.ALG(9): e", "a8"},
    {"alem_do_fim_linha_vazia", "S.PAS(37): e", 0, 9, 9, "S.ALG(10): e", ""},
    {"linha_da_moldura", "S.PAS(3): e", 1, 9, -24, "S.ALG(-23): e", ""},
    {"pasta_com_PAS_sem_numero_e_pulada", "/x.PAS(velho)/S.PAS(35): e", 0, 9, 7,
     "/x.PAS(velho)/S.ALG(8): e", "a7"},
    {"pasta_com_os_mesmos_digitos", "/alg35/S.PAS(35): Error 35: x", 0, 9, 7,
     "/alg35/S.ALG(8): Error 35: x", "a7"},
    {"robustez_sem_PAS", "S.pas(35): e", 0, 9, std::nullopt, "", ""},
    {"robustez_sem_digitos", "S.PAS(): e", 0, 9, std::nullopt, "", ""},
    {"robustez_sem_fecha_parenteses", "S.PAS(35", 0, 9, std::nullopt, "", ""},
    {"robustez_letra_no_numero", "S.PAS(3a5): e", 0, 9, std::nullopt, "", ""},
    {"robustez_numero_enorme", "S.PAS(99999999999999999999): e", 0, 9, std::nullopt, "", ""},
    {"robustez_linha_vazia", "", 0, 9, std::nullopt, "", ""},
    {"robustez_PAS_no_fim", "S.PAS(", 0, 9, std::nullopt, "", ""},
};

INSTANTIATE_TEST_SUITE_P(Casos, TrocaLinha, ::testing::ValuesIn(kLinhas),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(TrocaLinhaRobustez, RelatoriosCurtosNaoMapeiam)
{
    const std::vector<std::string> algoritmo{"a0"};
    for (std::size_t tamanho = 0; tamanho < 4; ++tamanho) {
        std::vector<std::string> memo(tamanho, "S.PAS(29): Error 5: x");
        const auto original = memo;
        EXPECT_FALSE(TrocaLinhaErro(memo, 0, algoritmo)) << tamanho << " linhas";
        EXPECT_EQ(memo, original);
    }
}

TEST(TrocaLinhaRobustez, SemLinhaQuatroSoOArquivoEONumeroMudam)
{
    std::vector<std::string> memo{"t", "", "", "S.PAS(29): e"};
    EXPECT_EQ(TrocaLinhaErro(memo, 0, {"a0", "a1"}), 1);
    EXPECT_EQ(memo, (std::vector<std::string>{"t", "", "", "S.ALG(2): e"}));
}

TEST(RelatorioReal, FalhaViraMensagemEmPortuguesNaLinhaDoAlgoritmo)
{
    auto memo = LeLinhas("relatorio_falha.txt");
    const auto algoritmo = LeLinhas("soma.alg");
    ASSERT_EQ(memo.size(), 6u);
    memo[0] = "Vendrilo de Algoritmos";
    ASSERT_TRUE(TrocaMsgErro(memo));
    const auto n = TrocaLinhaErro(memo, 0, algoritmo);
    ASSERT_EQ(n, 7);
    EXPECT_EQ(memo[1], "/home/aluno/Meus Algoritmos (1)/SOMA.ALG(35)");
    EXPECT_EQ(memo[2], "");
    EXPECT_EQ(De1252(memo[3]),
              "/home/aluno/Meus Algoritmos (1)/SOMA.ALG(8): Erro 85: Final de linha esperado.");
    EXPECT_EQ(memo[4], Para1252("    mostre \"Até logo, até já\""));
    EXPECT_EQ(memo[5], "                          ^");
}

TEST(RelatorioReal, SucessoPassaPelasDuasRotinasSemPerderOResumo)
{
    auto memo = LeLinhas("relatorio_sucesso.txt");
    const auto algoritmo = LeLinhas("soma.alg");
    ASSERT_EQ(memo.size(), 6u);
    EXPECT_FALSE(TrocaMsgErro(memo));
    EXPECT_EQ(TrocaLinhaErro(memo, 0, algoritmo), 12);
    EXPECT_EQ(memo[3], "/home/aluno/Meus Algoritmos (1)/SOMA.ALG(13)");
    EXPECT_NE(memo[5].find(" bytes data."), std::string::npos);
}

TEST(Correspondencia, LinhaDoPascalParaLinhaDoAlgoritmo)
{
    EXPECT_EQ(LinhaAlgoritmoDaLinhaPascal(28, 0), 0);
    EXPECT_EQ(LinhaAlgoritmoDaLinhaPascal(27, 1), 0);
    EXPECT_EQ(LinhaAlgoritmoDaLinhaPascal(35, 0), 7);
    EXPECT_EQ(LinhaAlgoritmoDaLinhaPascal(35, 1), 8);
}

} // namespace
} // namespace vendrilo
