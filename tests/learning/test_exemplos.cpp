// Os 62 exemplos do catálogo pela cadeia real: tradução sem erro de
// estrutura, compilação pelo tpc sobre o Free Pascal e execução com a
// saída conferida.
//
// Em saidas/, por exemplo: .entrada (teclado, opcional) e exatamente um de
//   .saida   a saída esperada, byte a byte;
//   .padrao  uma expressão regular por linha (sorteios, data e hora);
//   .contem  trechos que precisam aparecer (exemplos de tela e de teclado,
//            cuja saída redirecionada traz os restos da tela).

#include "learning/catalogo.h"
#include "platform/pasta_programa.h"
#include "platform/processo.h"
#include "translate/compilacao.h"
#include "translate/tradutor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <random>
#include <sstream>

namespace vendrilo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const fs::path PastaSaidas = VENDRILO_SAIDAS_EXEMPLOS;

std::string le(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Sufixo aleatório para pastas temporárias de processos de teste paralelos.
std::string unico()
{
    std::random_device r;
    return std::to_string(r()) + std::to_string(r());
}

std::vector<std::string> linhas(const std::string& texto)
{
    std::vector<std::string> r;
    std::istringstream s(texto);
    for (std::string l; std::getline(s, l);) {
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        r.push_back(l);
    }
    return r;
}

// Uma pasta do programa nova, preparada a partir dos dados do build, e uma
// pasta de trabalho para o algoritmo; ambas somem no fim do teste.
class Exemplo : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        std::string nome = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(nome.begin(), nome.end(), '/', '_');
        raiz_ = fs::temp_directory_path() / ("vendrilo-exemplos-" + unico() + "-" + nome);
        fs::remove_all(raiz_);
        pasta_ = raiz_ / "vendrilo";
        trabalho_ = raiz_ / "trabalho";
        fs::create_directories(trabalho_);
        const auto preparo = PreparaPastaPrograma(pasta_.string(), VENDRILO_DADOS_BUILD, VENDRILO_TPC);
        ASSERT_TRUE(preparo.ok) << preparo.erro;
    }
    void TearDown() override { fs::remove_all(raiz_); }

    fs::path raiz_, pasta_, trabalho_;
};

TEST_P(Exemplo, TraduzCompilaERodaComASaidaEsperada)
{
    const int i = GetParam();
    const std::string nome = NomeArquivoExemplo(i);
    const fs::path alg = trabalho_ / nome;
    fs::copy_file(CaminhoExemplo(VENDRILO_DADOS_FONTE, i), alg);

    Tradutor tradutor;
    std::string erro;
    ASSERT_TRUE(tradutor.TraduzArquivo(alg.string(), erro)) << erro;
    const auto& estado = tradutor.estado();
    ASSERT_EQ(estado.TotalErros, 0) << [&] {
        std::string s;
        for (const auto& l : estado.Estrutura.ErrosSintaxe)
            s += l + "\n";
        return s;
    }();

    auto entrada = EntradaDe(estado, linhas(le(alg)));
    entrada.PastaPrograma = pasta_.string();
    const auto compilado = CompilaPrograma(entrada);
    ASSERT_EQ(compilado.situacao, SituacaoCompilacao::Sucesso) << [&] {
        std::string s = compilado.mensagem + "\n";
        for (const auto& l : compilado.Relatorio)
            s += l + "\n";
        return s;
    }();
    ASSERT_TRUE(fs::is_regular_file(estado.NomeExe));

    // Um programa que acerta o relógio do sistema nunca roda num teste.
    const std::string pascal = le(estado.NomePas);
    if (pascal.find("SETDATE") != std::string::npos || pascal.find("SETTIME") != std::string::npos) {
        EXPECT_FALSE(fs::exists(PastaSaidas / (fs::path(nome).stem().string() + ".saida")));
        return;
    }

    const std::string base = fs::path(nome).stem().string();
    const fs::path arqEntrada = PastaSaidas / (base + ".entrada");
    const fs::path arqSaida = PastaSaidas / (base + ".saida");
    const fs::path arqPadrao = PastaSaidas / (base + ".padrao");
    const fs::path arqContem = PastaSaidas / (base + ".contem");
    const int conferencias = fs::exists(arqSaida) + fs::exists(arqPadrao) + fs::exists(arqContem);
    ASSERT_EQ(conferencias, 1) << "cada exemplo tem exatamente um jeito de conferir a saída: " << base;

    OpcoesProcesso opcoes;
    opcoes.arquivoSaida = (trabalho_ / "saida.txt").string();
    if (fs::exists(arqEntrada))
        opcoes.arquivoEntrada = arqEntrada.string();
    else
        opcoes.semEntrada = true;
    opcoes.limite = 20s;
    const auto execucao = ExecutaProcesso({estado.NomeExe}, opcoes);
    ASSERT_TRUE(execucao.iniciado) << execucao.erro;
    ASSERT_FALSE(execucao.tempoEsgotado) << "o exemplo não terminou";
    EXPECT_EQ(execucao.status, 0);
    const std::string saida = le(opcoes.arquivoSaida);

    if (fs::exists(arqSaida)) {
        EXPECT_EQ(saida, le(arqSaida));
    } else if (fs::exists(arqPadrao)) {
        const auto padroes = linhas(le(arqPadrao));
        const auto obtidas = linhas(saida);
        ASSERT_EQ(obtidas.size(), padroes.size()) << saida;
        for (std::size_t k = 0; k < padroes.size(); ++k)
            EXPECT_TRUE(std::regex_match(obtidas[k], std::regex(padroes[k])))
                << "linha " << k + 1 << ": [" << obtidas[k] << "] ~ " << padroes[k];
    } else {
        for (const auto& trecho : linhas(le(arqContem)))
            EXPECT_NE(saida.find(trecho), std::string::npos) << "falta: " << trecho << "\n" << saida;
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogo, Exemplo, ::testing::Range(0, TotalExemplos),
                         [](const auto& info) { return "exp" + NomeArquivoExemplo(info.param).substr(3, 3); });

// A janela principal traduz com o mesmo estado um exemplo depois do outro:
// nenhum pode deixar para o seguinte um estado que mude a sua tradução.
TEST(ExemplosNaMesmaSessao, DaoOsMesmosProgramasQueTraduzidosSozinhos)
{
    const fs::path raiz = fs::temp_directory_path() / ("vendrilo-sessao-" + unico());
    fs::remove_all(raiz);
    fs::create_directories(raiz / "sozinho");
    fs::create_directories(raiz / "sessao");
    Tradutor sessao;
    for (int i = 0; i < TotalExemplos; ++i) {
        std::string erro;
        const std::string nome = NomeArquivoExemplo(i);
        for (const char* sub : {"sozinho", "sessao"})
            fs::copy_file(CaminhoExemplo(VENDRILO_DADOS_FONTE, i), raiz / sub / nome);
        Tradutor sozinho;
        ASSERT_TRUE(sozinho.TraduzArquivo((raiz / "sozinho" / nome).string(), erro)) << erro;
        ASSERT_TRUE(sessao.TraduzArquivo((raiz / "sessao" / nome).string(), erro)) << erro;
        EXPECT_EQ(sessao.estado().TotalErros, 0) << nome;
        EXPECT_EQ(le(sozinho.estado().NomePas), le(sessao.estado().NomePas)) << nome;
    }
    fs::remove_all(raiz);
}

// Os arquivos de exemplo como o aluno os recebe: Windows-1252 com CR LF,
// começando pelo cabeçalho do modelo de documento novo.
TEST(ExemplosNoDisco, SaoWindows1252ComCRLFEComecamPeloCabecalho)
{
    for (int i = 0; i < TotalExemplos; ++i) {
        const std::string texto = le(CaminhoExemplo(VENDRILO_DADOS_FONTE, i));
        const std::string nome = NomeArquivoExemplo(i);
        ASSERT_FALSE(texto.empty()) << nome;
        EXPECT_EQ(texto.rfind("{ALGORITMO....: " + nome, 0), 0u) << nome;
        EXPECT_NE(texto.find("{DESCRI\xC7\xC3O....: "), std::string::npos) << nome;
        for (std::size_t p = 0; (p = texto.find('\n', p)) != std::string::npos; ++p)
            ASSERT_TRUE(p > 0 && texto[p - 1] == '\r') << nome << ": quebra sem CR";
        // Bytes de UTF-8 (Ã seguido de continuação) denunciariam a codificação errada.
        EXPECT_EQ(texto.find("\xC3\xA7"), std::string::npos) << nome;
        EXPECT_EQ(texto.find("\xC3\xA3"), std::string::npos) << nome;
    }
}

} // namespace
} // namespace vendrilo
