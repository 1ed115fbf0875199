// Leitura e gravação de versao.ini/update.ini.

#include "comm/atualizacao/arquivo_ini.h"

#include <gtest/gtest.h>

#include <ostream>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace vendrilo {
namespace {

struct CasoLeitura {
    const char* nome;
    const char* conteudo;
    const char* esperado;
};

void PrintTo(const CasoLeitura& c, std::ostream* os) { *os << c.nome; }

class LeituraIni : public ::testing::TestWithParam<CasoLeitura> {};

TEST_P(LeituraIni, ValorDaChaveVendrilo)
{
    EXPECT_EQ(LeIniTexto(GetParam().conteudo, "Versao", "Vendrilo"), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, LeituraIni,
    ::testing::Values(
        CasoLeitura{"nominal_crlf", "[Versao]\r\nVendrilo=2.4\r\n", "2.4"},
        CasoLeitura{"nominal_lf_sem_quebra_final", "[Versao]\nVendrilo=2.4", "2.4"},
        CasoLeitura{"quebra_cr", "[Versao]\rVendrilo=2.5\r", "2.5"},
        CasoLeitura{"caixa_diferente_nos_nomes", "[VERSAO]\nvendrilo=2.4", "2.4"},
        CasoLeitura{"espacos_em_volta", "  [ Versao ]  \n  Vendrilo  =  2.4  \n", "2.4"},
        CasoLeitura{"aspas_retiradas", "[Versao]\nVendrilo=\"2.4 beta\"\n", "2.4 beta"},
        CasoLeitura{"bom_utf8", "\xEF\xBB\xBF[Versao]\nVendrilo=2.4\n", "2.4"},
        CasoLeitura{"outra_secao_nao_conta", "[Outra]\nVendrilo=9\n[Versao]\nVendrilo=2.4\n", "2.4"},
        CasoLeitura{"chave_em_outra_secao_apenas", "[Outra]\nVendrilo=9\n", ""},
        CasoLeitura{"comentario_ignorado", "[Versao]\n;Vendrilo=1.0\nVendrilo=2.4\n", "2.4"},
        CasoLeitura{"primeira_ocorrencia_vale", "[Versao]\nVendrilo=2.4\nVendrilo=3.0\n", "2.4"},
        CasoLeitura{"valor_vazio", "[Versao]\nVendrilo=\n", ""},
        CasoLeitura{"igual_no_valor", "[Versao]\nVendrilo=a=b\n", "a=b"},
        CasoLeitura{"bytes_1252_preservados", "[Versao]\nVendrilo=2.4 vers\xE3o\n", "2.4 vers\xE3o"},
        CasoLeitura{"robustez_vazio", "", ""},
        CasoLeitura{"robustez_pagina_html", "<html><body>404</body></html>", ""},
        CasoLeitura{"robustez_secao_sem_fecha", "[Versao\nVendrilo=2.4\n", ""}),
    [](const auto& info) { return std::string(info.param.nome); });

struct CasoAlteracao {
    const char* nome;
    const char* antes;
    const char* depois;
};

void PrintTo(const CasoAlteracao& c, std::ostream* os) { *os << c.nome; }

class AlteracaoIni : public ::testing::TestWithParam<CasoAlteracao> {};

TEST_P(AlteracaoIni, TrocaOuAcrescentaPreservandoORestante)
{
    EXPECT_EQ(AlteraIniTexto(GetParam().antes, "Versao", "Vendrilo", "2.5"), GetParam().depois);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, AlteracaoIni,
    ::testing::Values(
        CasoAlteracao{"troca_valor", "[Versao]\r\nVendrilo=2.4\r\n", "[Versao]\r\nVendrilo=2.5\r\n"},
        CasoAlteracao{"preserva_outras_linhas",
                      "; nota\n[Versao]\nData=hoje\nvendrilo = 2.4\n[Outra]\nX=1\n",
                      "; nota\n[Versao]\nData=hoje\nVendrilo=2.5\n[Outra]\nX=1\n"},
        CasoAlteracao{"acrescenta_na_secao_existente", "[Versao]\nData=hoje\n[Outra]\nX=1\n",
                      "[Versao]\nData=hoje\nVendrilo=2.5\n[Outra]\nX=1\n"},
        CasoAlteracao{"acrescenta_na_ultima_secao", "[Versao]\nData=hoje", "[Versao]\nData=hoje\nVendrilo=2.5\n"},
        CasoAlteracao{"cria_secao", "[Outra]\r\nX=1\r\n", "[Outra]\r\nX=1\r\n[Versao]\r\nVendrilo=2.5\r\n"},
        CasoAlteracao{"arquivo_vazio", "", "[Versao]\r\nVendrilo=2.5\r\n"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(GravacaoIni, GravaNoArquivoSemDeixarTemporario)
{
    const auto pasta = std::filesystem::temp_directory_path() / "vendrilo_teste_ini";
    std::filesystem::remove_all(pasta);
    std::filesystem::create_directories(pasta);
    const auto arquivo = pasta / "versao.ini";
    {
        std::ofstream(arquivo, std::ios::binary) << "[Versao]\r\nVendrilo=2.4\r\n";
    }
    std::string erro;
    ASSERT_TRUE(GravaValorIni(arquivo, "Versao", "Vendrilo", "2.5", &erro)) << erro;
    EXPECT_EQ(LeValorIni(arquivo, "Versao", "Vendrilo"), "2.5");
    EXPECT_FALSE(std::filesystem::exists(pasta / "versao.ini.novo"));
    EXPECT_EQ(LeValorIni(pasta / "nao-existe.ini", "Versao", "Vendrilo"), "");
    // Pasta inexistente: falha relatada, nada criado.
    EXPECT_FALSE(GravaValorIni(pasta / "falta" / "versao.ini", "Versao", "Vendrilo", "1", &erro));
    EXPECT_FALSE(erro.empty());
    std::filesystem::remove_all(pasta);
}

} // namespace
} // namespace vendrilo
