// Leitura e gravação de INI: versao.ini, update.ini, tpc.pif, email.ini.

#include "formato/arquivo_ini.h"

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
        CasoAlteracao{"arquivo_vazio", "", "[Versao]\r\nVendrilo=2.5\r\n"},
        CasoAlteracao{"bom_troca_sem_segunda_secao", "\xEF\xBB\xBF[Versao]\nVendrilo=2.4\n",
                      "\xEF\xBB\xBF[Versao]\nVendrilo=2.5\n"},
        CasoAlteracao{"bom_acrescenta_na_secao", "\xEF\xBB\xBF[Versao]\r\n",
                      "\xEF\xBB\xBF[Versao]\r\nVendrilo=2.5\r\n"},
        CasoAlteracao{"so_bom", "\xEF\xBB\xBF", "\xEF\xBB\xBF[Versao]\r\nVendrilo=2.5\r\n"}),
    [](const auto& info) { return std::string(info.param.nome); });

std::string leTudo(const std::filesystem::path& p)
{
    std::string s;
    EXPECT_TRUE(LeArquivoInteiro(p, s)) << p;
    return s;
}

int contaSecoes(std::string_view texto, std::string_view nome)
{
    int n = 0;
    for (const LinhaIni& l : LinhasIni(texto))
        n += l.tipo == LinhaIni::Tipo::Secao && NomesIniIguais(l.nome, nome);
    return n;
}

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
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(pasta))
        ++n;
    EXPECT_EQ(n, 1) << "sobrou um temporário";
    EXPECT_EQ(LeValorIni(pasta / "nao-existe.ini", "Versao", "Vendrilo"), "");
    // Pasta inexistente: falha relatada, nada criado.
    EXPECT_FALSE(GravaValorIni(pasta / "falta" / "versao.ini", "Versao", "Vendrilo", "1", &erro));
    EXPECT_FALSE(erro.empty());
    std::filesystem::remove_all(pasta);
}

// Um arquivo que começa com a marca de ordem de bytes continua com uma seção
// só: antes, a gravação acrescentava outra e a versão gravada não era lida.
TEST(GravacaoIni, MarcaDeOrdemDeBytesNaoDuplicaASecao)
{
    const auto pasta = std::filesystem::temp_directory_path() / "vendrilo_teste_ini_bom";
    std::filesystem::remove_all(pasta);
    std::filesystem::create_directories(pasta);
    const auto arquivo = pasta / "versao.ini";
    std::filesystem::copy_file(VENDRILO_DADOS_TESTE_FORMATO "/ini-bom-divergence.bin", arquivo);
    const std::string antes = leTudo(arquivo);
    ASSERT_EQ(antes.substr(0, 3), "\xEF\xBB\xBF");
    const int secoesAntes = contaSecoes(antes, "Versao");

    std::string erro;
    ASSERT_TRUE(GravaValorIni(arquivo, "Versao", "Vendrilo", "9.9", &erro)) << erro;
    const std::string depois = leTudo(arquivo);
    EXPECT_EQ(depois.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(contaSecoes(depois, "Versao"), secoesAntes);
    EXPECT_EQ(LeValorIni(arquivo, "Versao", "Vendrilo"), "9.9");
    // Só a linha da chave mudou; o resto, comentários e lixo incluídos, fica.
    EXPECT_EQ(depois.size() - antes.size(),
              std::string("9.9").size() - std::string(LeIniTexto(antes, "Versao", "Vendrilo")).size());
    std::filesystem::remove_all(pasta);
}

TEST(LinhasIni, ClassificaComoOsTresLeitoresPrecisam)
{
    const auto l = LinhasIni("\xEF\xBB\xBF[Console]\r\n; nota\n\n  Titulo = A B \rsem igual\n[aberta\n=x");
    ASSERT_EQ(l.size(), 7u);
    EXPECT_EQ(l[0].tipo, LinhaIni::Tipo::Secao);
    EXPECT_EQ(l[0].nome, "Console");
    EXPECT_EQ(l[1].tipo, LinhaIni::Tipo::Comentario);
    EXPECT_EQ(l[2].tipo, LinhaIni::Tipo::Vazia);
    EXPECT_EQ(l[3].tipo, LinhaIni::Tipo::Valor);
    EXPECT_EQ(l[3].nome, "Titulo");
    EXPECT_EQ(l[3].valor, "A B");
    EXPECT_EQ(l[3].quebra, "\r");
    EXPECT_EQ(l[4].tipo, LinhaIni::Tipo::Invalida);
    EXPECT_EQ(l[4].numero, 5u);
    EXPECT_EQ(l[5].tipo, LinhaIni::Tipo::Invalida);
    EXPECT_EQ(l[6].tipo, LinhaIni::Tipo::Valor);
    EXPECT_EQ(l[6].nome, "");
}

} // namespace
} // namespace vendrilo
