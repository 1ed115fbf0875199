// Regra 8.3 dos nomes, modelo de documento novo e lista de comandos: sem Qt.

#include "workspace/lista_comandos.h"
#include "workspace/modelo_alg.h"
#include "workspace/valida_nome.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

using namespace vendrilo;

namespace {

struct CasoNome {
    const char* nome;
    const char* caminho;
    int estado, ext;
};

TEST(ValidaNome, RegraOitoPontoTres)
{
    const CasoNome casos[] = {
        {"nominal: oito letras", "/home/ana/ABCDEFGH.ALG", 2, 0},
        {"nominal: minúsculas", "/tmp/a.alg", 2, 0},
        {"nominal: barra invertida", "C:\\VENDRILO\\TESTE.ALG", 2, 0},
        {"nome: nove letras", "/tmp/ABCDEFGHI.ALG", 1, 0},
        {"extensão: .txt.alg", "/tmp/prog.txt.alg", 2, 1},
        {"extensão: ALGX", "/tmp/NOME.ALGX", 2, 1},
        {"extensão: espaços no fim", "/tmp/NOME.ALG  ", 2, 0},
        {"pasta: longa, com espaços e acentos", "/home/mariasilva/Meus Programas/Lógica I/X.ALG", 2, 0},
        {"pasta: unidade", "C:\\ABCDEFGH\\X.ALG", 2, 0},
        {"nome: acentos contam caracteres", "/tmp/ÁÉÍÓÚÇÃÕ.ALG", 2, 0},
        {"borda: sem ponto", "/tmp/SEMPONTO", 0, 1},
        {"borda: sem pasta", "A.ALG", 2, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        const ValidacaoNome v = ValidaNomeArquivo(c.caminho);
        EXPECT_EQ(v.EstadoNome, c.estado);
        EXPECT_EQ(v.ErroExtensao, c.ext);
    }
    const ValidacaoNome v = ValidaNomeArquivo("/tmp/ABCDEFGHI/X.ALG");
    EXPECT_EQ(v.diretorio, "/tmp/ABCDEFGHI");
    EXPECT_EQ(v.nome, "X.ALG");
}

TEST(ModeloAlg, DezoitoLinhasComEspacosETabulacoes)
{
    const auto m = ModeloAlg("SemNome1", "08/12/2026");
    ASSERT_EQ(m.size(), 18u);
    EXPECT_EQ(m[0], "{ALGORITMO....: SemNome1    \t}");
    EXPECT_EQ(m[1], "{AUTOR........:         \t}");
    EXPECT_EQ(m[2], "{DATA.........: 08/12/2026    \t}");
    EXPECT_EQ(m[3], "{DESCRIÇÃO....:                \t}");
    EXPECT_EQ(m[4], "");
    EXPECT_EQ(m[8], "inicio");
    EXPECT_EQ(m[9], "   ");
    EXPECT_EQ(m[13], "   {Código do Algoritmo}");
    EXPECT_EQ(m[17], "fim                     ");
    // Posição 49: campo do autor, linha 2 coluna 17.
    int linha = 0, coluna = 0;
    PosicaoNoTexto(m, 49, linha, coluna);
    EXPECT_EQ(linha, 1);
    EXPECT_EQ(coluna, 16);
}

TEST(ListaComandos, DuzentasEDezEntradasNaOrdem)
{
    const auto lista = ListaComandos();
    ASSERT_EQ(lista.size(), 210u);
    EXPECT_STREQ(lista[0].exibicao, "PROCEDIMENTO \tprocedimento\t <NOME>");
    EXPECT_STREQ(lista[4].insercao, "se <CONDICAO> entao\r\r    senao\r\r    fim-se");
    EXPECT_STREQ(lista[6].exibicao, "REPITA \trepita\t ate-que <CONDICAO");
    EXPECT_STREQ(lista[11].insercao, "leia-pl");
    EXPECT_STREQ(lista[30].insercao, "alfa-numero (<X>, <N>, <ERRO>)");
    EXPECT_STREQ(lista[39].exibicao, "LIMPA-TELA");
    EXPECT_STREQ(lista[39].insercao, "limpa-tela");
    EXPECT_STREQ(lista[96].insercao, "fim-linha");
    EXPECT_STREQ(lista[141].insercao, "fim-linha");
    EXPECT_STREQ(lista[209].exibicao, "BIBLIOTECA");
    // Da 40ª em diante a exibição é a inserção em maiúsculas.
    for (std::size_t i = 39; i < lista.size(); ++i) {
        std::string maiusc = lista[i].insercao;
        for (char& c : maiusc)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(maiusc, lista[i].exibicao) << "entrada " << i + 1;
    }
}

} // namespace
