// Páginas de sintaxe: títulos, largura das linhas, limpeza e escolha da página.

#include "check/paginas_sintaxe.h"
#include "formato/texto_1252.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vendrilo {
namespace {

std::string SemBrancosFinais(const std::string& linha1252)
{
    std::string s = De1252(linha1252);
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

int LinhasComTexto(const MemoSintaxe& memo)
{
    return static_cast<int>(std::count_if(memo.begin(), memo.end(), [](const std::string& l) {
        return l.find_first_not_of(' ') != std::string::npos;
    }));
}

struct CasoPagina {
    int numero;
    const char* titulo;
    // Linhas que os alunos conhecem de cor: índice e texto exato.
    std::vector<std::pair<int, std::string>> linhas;
};

void PrintTo(const CasoPagina& c, std::ostream* os) { *os << "pagina " << c.numero; }

class CadaPagina : public ::testing::TestWithParam<CasoPagina> {};

TEST_P(CadaPagina, TituloLinhasExatasELargura)
{
    const CasoPagina& c = GetParam();
    const PaginaSintaxe* p = PaginaDeSintaxe(c.numero);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(De1252(p->titulo), c.titulo);
    ASSERT_EQ(p->linhas.size(), static_cast<std::size_t>(LinhasPagina));
    for (std::size_t i = 0; i < p->linhas.size(); ++i)
        EXPECT_EQ(p->linhas[i].size(), 91u) << "linha " << i;
    for (const auto& [indice, texto] : c.linhas)
        EXPECT_EQ(SemBrancosFinais(p->linhas.at(static_cast<std::size_t>(indice))), texto)
            << "linha " << indice;
}

const CasoPagina kPaginas[] = {
    {1, "Vendrilo - Sintaxe do Comando INICIO",
     {{0, "O comando INICIO é um marcador de bloco lógico, ou seja, ele é responsável por delimitar"},
      {1, "o início lógico de seu algoritmo."},
      {3, "Por ser um marcador inicial, deve ser colocado logo após a declaração das variáveis e antes"},
      {4, "da inicialização destas variáveis."},
      {6, "Veja abaixo a estrutura de um algoritmo onde está apresentada a delimitação dos marcadores:"},
      {8, "    {Algoritmo: Exemplo.alg}"}, {10, "    {Data.....: Setembro/1999}"},
      {11, "    {Descricao: Estrutura de um algoritmo}"}, {12, ""},
      {13, "    declare <variaveis> <tipo>"}, {14, ""}, {15, "    inicio"},
      {16, "        <comandos>"}, {17, "        <comandos>"}, {18, "    fim"}, {19, ""}, {30, ""}}},
    {2, "Vendrilo - Sintaxe do Comando FIM",
     {{0, "O comando FIM é um marcador de bloco lógico, ou seja, ele é responsável por delimitar"},
      {1, "o final lógico de seu algoritmo."},
      {3, "Por ser um marcador de final, deve ser colocado logo após todo o processo lógico de"},
      {4, "seu algoritmo."}, {15, "    inicio"}, {18, "    fim"}}},
    {3, "Vendrilo - Sintaxe do Comando SE",
     {{0, "A Estrutura Condicional pode ser utilizada de maneira Simples ou Composta."},
      {4, "A sintaxe correta da estrutura condicional simples é:"},
      {6, "    se <CONDIÇÃO> entao"}, {7, "        <AÇÃO-V1>"}, {9, "        <AÇÃO-Vn>"},
      {10, "    fim-se"},
      {15, "falsa. Desta forma a sintaxe correta da estrutura condicional composta é:"},
      {17, "    se <CONDIÇÃO> entao"}, {21, "    senao"}, {22, "        <AÇÃO-F1>"},
      {24, "        <AÇÃO-Fn>"}, {25, "    fim-se"}, {26, ""}}},
    {4, "Vendrilo - Sintaxe do Comando ENQUANTO",
     {{0, "A Estrutura repetitiva com teste no início é representada pelo comando ENQUANTO."},
      {5, "A sintaxe correta da estrutura repetitiva enquanto é:"},
      {7, "    enquanto <CONDIÇÃO> faca"}, {8, "        <AÇÃO-V1>"}, {11, "    fim-enquanto"}}},
    {5, "Vendrilo - Sintaxe do Comando REPITA",
     {{0, "A Estrutura repetitiva com teste no final é representada pelo comando REPITA."},
      {5, "A sintaxe correta da estrutura repetitiva repita é:"}, {7, "    repita"},
      {11, "    ate-que <CONDIÇÃO>"},
      {13, "É importante ressaltar que o grupo de comandos será executado pelo menos uma vez,"},
      {14, "independente do resultado da condição."}}},
    {6, "Vendrilo - Sintaxe do Comando PARA",
     {{0, "A Estrutura repetitiva controlada por incremento é representada pelo comando PARA."},
      {5, "As sintaxes corretas da estrutura repetitiva controlada PARA são:"},
      {6, "    Incremento crescente:"},
      {7, "        para <VARIAVEL-1> de <INICIO> ate <FINAL> faca"},
      {8, "            <AÇÃO-V1>"}, {11, "        fim-para"}, {13, "    Incremento decrescente:"},
      {14, "        para <VARIAVEL-1> de <INICIO> ate-decrescendo <FINAL> faca"},
      {17, "            <AÇÃO-Vn>"}, {18, "        fim-para"},
      {20, "É importante ressaltar que os valores <INICIO> e <FINAL> podem ser substituídos por"}}},
    {7, "Vendrilo - Sintaxe do Comando SELECIONE",
     {{0, "A Estrutura Condicional Seletiva é utilizada para separar grupo de comandos a serem"},
      {4, "A sintaxe correta da estrutura condicional seletiva é:"},
      {6, "    selecione <VARIÁVEL>"}, {7, "        caso <VALOR-ABSOLUTO-1>"},
      {8, "            <AÇÃO-VA1-V1>"}, {11, "        caso <VALOR-ABSOLUTO-2>"},
      {14, "            <AÇÃO-VA2-Vn>"}, {15, "        caso <VALOR-ABSOLUTO-n>"},
      {16, "            <AÇÃO-VAn-V1>"}, {19, "        caso-contrario"},
      {22, "            <AÇÃO-CC1-Vn>"}, {23, "    fim-selecione"},
      {25, "A expressão CASO-CONTRARIO somente deverá ser utilizada quando existir um"}}},
    {8, "Vendrilo - Sintaxe do comando COMO",
     {{0, "Esta estrutura ainda não está definida."}, {1, "Por favor, aguarde."}, {2, ""}}},
    {9, "Vendrilo - Sintaxe de PROCEDIMENTO",
     {{0, "Procedimentos são módulos, rotinas, sub-programas que permitem a reutilização"},
      {4, "Abaixo está descrito o esquema báscio de um procedimento:"},
      {6, "    procedimento <NOME> [(<PARAMETROS>)]"},
      {7, "    [declare <VARIAVEIS-LOCAIS> <TIPO>]"}, {8, "    inicio-procedimento"},
      {9, "        <AÇÃO-V1>"}, {12, "    fim-procedimento"}}},
    {10, "Vendrilo - Sintaxe de FUNCAO",
     {{0, "Função é um módulo, uma rotina ou um sub-programas que permite a reutilização"},
      {4, "Abaixo está descrito o esquema báscio de uma função:"},
      {6, "    funcao <NOME> [(<PARAMETROS>)]"}, {7, "    [declare <VARIAVEIS-LOCAIS> <TIPO>]"},
      {8, "    inicio-funcao"}, {11, "        <AÇÃO-Vn>"}, {12, "    fim-funcao"}}},
};

INSTANTIATE_TEST_SUITE_P(Dez, CadaPagina, ::testing::ValuesIn(kPaginas),
                         [](const auto& info) { return "pagina_" + std::to_string(info.param.numero); });

TEST(Paginas, ForaDaFaixaNaoExistem)
{
    EXPECT_EQ(PaginaDeSintaxe(0), nullptr);
    EXPECT_EQ(PaginaDeSintaxe(11), nullptr);
    EXPECT_EQ(PaginaDeSintaxe(-1), nullptr);
}

TEST(Memo, PaginaOitoDepoisDaSeteNaoDeixaRestos)
{
    MemoSintaxe memo = NovoMemoSintaxe();
    ASSERT_EQ(memo.size(), 35u);
    LimpaPagina(memo);
    EXPECT_EQ(De1252(EscrevePagina(memo, 7)), "Vendrilo - Sintaxe do Comando SELECIONE");
    EXPECT_GE(LinhasComTexto(memo), 25);

    LimpaPagina(memo);
    EXPECT_EQ(De1252(EscrevePagina(memo, 8)), "Vendrilo - Sintaxe do comando COMO");
    EXPECT_EQ(LinhasComTexto(memo), 2);
    ASSERT_EQ(memo.size(), 35u);
    for (std::size_t i = 0; i < memo.size(); ++i)
        EXPECT_EQ(memo[i].size(), 91u) << "linha " << i;
    EXPECT_EQ(SemBrancosFinais(memo[1]), "Por favor, aguarde.");
}

TEST(Memo, LimpaPaginaPoupaALinhaZeroENaoCresceOQuadro)
{
    MemoSintaxe memo = NovoMemoSintaxe();
    EscrevePagina(memo, 6);
    LimpaPagina(memo);
    EXPECT_EQ(memo.size(), 35u);
    EXPECT_EQ(LinhasComTexto(memo), 1);
    EXPECT_EQ(SemBrancosFinais(memo[0]),
              "A Estrutura repetitiva controlada por incremento é representada pelo comando PARA.");
}

TEST(Memo, NumeroSemPaginaDeixaOQuadroEmBranco)
{
    MemoSintaxe memo = NovoMemoSintaxe();
    EscrevePagina(memo, 3);
    LimpaPagina(memo);
    EXPECT_EQ(EscrevePagina(memo, 0), "");
    EXPECT_EQ(LinhasComTexto(memo), 0);
}

struct CasoClique {
    const char* nome;
    int linha;
    bool pedeLinhaNumerada;
    int pagina;
};

void PrintTo(const CasoClique& c, std::ostream* os) { *os << c.nome; }

class Clique : public ::testing::TestWithParam<CasoClique> {};

TEST_P(Clique, LinhaDaListaParaPaginaOuAviso)
{
    // Lista de "PARA sem ATE" seguida de "FUNCAO sem FIM-FUNCAO".
    const std::vector<int> TipoErroLinha{0, 0, 6, 10};
    const EscolhaErro e = SelecionaErro(TipoErroLinha, GetParam().linha);
    EXPECT_EQ(e.pedeLinhaNumerada, GetParam().pedeLinhaNumerada);
    EXPECT_EQ(e.pagina, GetParam().pagina);
}

const CasoClique kCliques[] = {
    {"cabecalho_pede_linha_numerada", 0, true, 0},
    {"linha_em_branco_pede_linha_numerada", 1, true, 0},
    {"nenhuma_selecao_pede_linha_numerada", -1, true, 0},
    {"primeira_mensagem_abre_sua_pagina", 2, false, 6},
    {"segunda_mensagem_abre_sua_pagina", 3, false, 10},
    {"linha_alem_da_lista_abre_pagina_nenhuma", 9, false, 0},
};

INSTANTIATE_TEST_SUITE_P(Casos, Clique, ::testing::ValuesIn(kCliques),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(AvisoClique, TextoExato)
{
    EXPECT_EQ(De1252(TextoCliqueLinhaNumerada()),
              "Atenção!!! Clique na linha numerada do erro para ver a sintaxe do comando.");
}

} // namespace
} // namespace vendrilo
