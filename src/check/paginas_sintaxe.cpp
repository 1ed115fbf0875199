#include "check/paginas_sintaxe.h"

#include "formato/texto_1252.h"

#include <array>
#include <initializer_list>

namespace vendrilo {

namespace {

struct LinhaEscrita {
    int indice;
    const char* texto; // UTF-8 aqui; guardado em Windows-1252
};

struct TextoPagina {
    const char* titulo;
    std::initializer_list<LinhaEscrita> linhas; // as não citadas ficam em branco
};

// Cabeçalho e corpo do algoritmo de exemplo, comuns às páginas de INICIO e FIM.
#define VENDRILO_ESTRUTURA_EXEMPLO                                                                 \
    {6, "Veja abaixo a estrutura de um algoritmo onde está apresentada a delimitação dos marcadores:"}, \
    {8, "    {Algoritmo: Exemplo.alg}"}, {9, "    {Autor....: Equipe do Vendrilo}"},               \
    {10, "    {Data.....: Setembro/1999}"}, {11, "    {Descricao: Estrutura de um algoritmo}"},    \
    {13, "    declare <variaveis> <tipo>"}, {15, "    inicio"}, {16, "        <comandos>"},        \
    {17, "        <comandos>"}, {18, "    fim"}

const std::array<TextoPagina, TotalPaginasSintaxe> kPaginas = {{
    {"Vendrilo - Sintaxe do Comando INICIO",
     {
         {0, "O comando INICIO é um marcador de bloco lógico, ou seja, ele é responsável por delimitar"},
         {1, "o início lógico de seu algoritmo."},
         {3, "Por ser um marcador inicial, deve ser colocado logo após a declaração das variáveis e antes"},
         {4, "da inicialização destas variáveis."},
         VENDRILO_ESTRUTURA_EXEMPLO,
     }},
    {"Vendrilo - Sintaxe do Comando FIM",
     {
         {0, "O comando FIM é um marcador de bloco lógico, ou seja, ele é responsável por delimitar"},
         {1, "o final lógico de seu algoritmo."},
         {3, "Por ser um marcador de final, deve ser colocado logo após todo o processo lógico de"},
         {4, "seu algoritmo."},
         VENDRILO_ESTRUTURA_EXEMPLO,
     }},
    {"Vendrilo - Sintaxe do Comando SE",
     {
         {0, "A Estrutura Condicional pode ser utilizada de maneira Simples ou Composta."},
         {2, "Na forma Simples existe um único grupo de ações, executado somente quando a condição"},
         {3, "for verdadeira; quando ela for falsa, o algoritmo segue para o comando após o fim-se."},
         {4, "A sintaxe correta da estrutura condicional simples é:"},
         {6, "    se <CONDIÇÃO> entao"}, {7, "        <AÇÃO-V1>"}, {8, "        <AÇÃO-V2>"},
         {9, "        <AÇÃO-Vn>"}, {10, "    fim-se"},
         {13, "Na forma Composta, além do grupo de ações executado quando a condição for verdadeira,"},
         {14, "existe um segundo grupo, iniciado por senao, executado quando a condição for"},
         {15, "falsa. Desta forma a sintaxe correta da estrutura condicional composta é:"},
         {17, "    se <CONDIÇÃO> entao"}, {18, "        <AÇÃO-V1>"}, {19, "        <AÇÃO-V2>"},
         {20, "        <AÇÃO-Vn>"}, {21, "    senao"}, {22, "        <AÇÃO-F1>"},
         {23, "        <AÇÃO-F2>"}, {24, "        <AÇÃO-Fn>"}, {25, "    fim-se"},
     }},
    {"Vendrilo - Sintaxe do Comando ENQUANTO",
     {
         {0, "A Estrutura repetitiva com teste no início é representada pelo comando ENQUANTO."},
         {2, "O grupo de ações é repetido enquanto a condição for verdadeira. Como a condição é"},
         {3, "testada antes de cada repetição, se ela já começar falsa o grupo não é executado."},
         {5, "A sintaxe correta da estrutura repetitiva enquanto é:"},
         {7, "    enquanto <CONDIÇÃO> faca"}, {8, "        <AÇÃO-V1>"}, {9, "        <AÇÃO-V2>"},
         {10, "        <AÇÃO-Vn>"}, {11, "    fim-enquanto"},
     }},
    {"Vendrilo - Sintaxe do Comando REPITA",
     {
         {0, "A Estrutura repetitiva com teste no final é representada pelo comando REPITA."},
         {2, "O grupo de ações é repetido até que a condição se torne verdadeira; a condição é"},
         {3, "testada ao final de cada repetição, depois de executado o grupo de ações."},
         {5, "A sintaxe correta da estrutura repetitiva repita é:"},
         {7, "    repita"}, {8, "        <AÇÃO-V1>"}, {9, "        <AÇÃO-V2>"},
         {10, "        <AÇÃO-Vn>"}, {11, "    ate-que <CONDIÇÃO>"},
         {13, "É importante ressaltar que o grupo de comandos será executado pelo menos uma vez,"},
         {14, "independente do resultado da condição."},
     }},
    {"Vendrilo - Sintaxe do Comando PARA",
     {
         {0, "A Estrutura repetitiva controlada por incremento é representada pelo comando PARA."},
         {2, "O grupo de ações é repetido desde um valor inicial até um valor final, e a contagem"},
         {3, "das repetições é controlada por uma variável, que a cada passo recebe o valor seguinte."},
         {5, "As sintaxes corretas da estrutura repetitiva controlada PARA são:"},
         {6, "    Incremento crescente:"},
         {7, "        para <VARIAVEL-1> de <INICIO> ate <FINAL> faca"},
         {8, "            <AÇÃO-V1>"}, {9, "            <AÇÃO-V2>"}, {10, "            <AÇÃO-Vn>"},
         {11, "        fim-para"},
         {13, "    Incremento decrescente:"},
         {14, "        para <VARIAVEL-1> de <INICIO> ate-decrescendo <FINAL> faca"},
         {15, "            <AÇÃO-V1>"}, {16, "            <AÇÃO-V2>"}, {17, "            <AÇÃO-Vn>"},
         {18, "        fim-para"},
         {20, "É importante ressaltar que os valores <INICIO> e <FINAL> podem ser substituídos por"},
         {21, "constantes inteiras, variáveis ou expressões aritméticas. O incremento é de +1 na"},
         {22, "estrutura crescente (ate) e de -1 na estrutura decrescente (ate-decrescendo), feito"},
         {23, "automaticamente a cada repetição."},
     }},
    {"Vendrilo - Sintaxe do Comando SELECIONE",
     {
         {0, "A Estrutura Condicional Seletiva é utilizada para separar grupo de comandos a serem"},
         {1, "executados conforme o valor absoluto de uma variável, substituindo várias estruturas"},
         {2, "condicionais compostas encadeadas (uma dentro da outra)."},
         {4, "A sintaxe correta da estrutura condicional seletiva é:"},
         {6, "    selecione <VARIÁVEL>"},
         {7, "        caso <VALOR-ABSOLUTO-1>"}, {8, "            <AÇÃO-VA1-V1>"},
         {9, "            <AÇÃO-VA1-V2>"}, {10, "            <AÇÃO-VA1-Vn>"},
         {11, "        caso <VALOR-ABSOLUTO-2>"}, {12, "            <AÇÃO-VA2-V1>"},
         {13, "            <AÇÃO-VA2-V2>"}, {14, "            <AÇÃO-VA2-Vn>"},
         {15, "        caso <VALOR-ABSOLUTO-n>"}, {16, "            <AÇÃO-VAn-V1>"},
         {17, "            <AÇÃO-VAn-V2>"}, {18, "            <AÇÃO-VAn-Vn>"},
         {19, "        caso-contrario"}, {20, "            <AÇÃO-CC1-V1>"},
         {21, "            <AÇÃO-CC1-V2>"}, {22, "            <AÇÃO-CC1-Vn>"},
         {23, "    fim-selecione"},
         {25, "A expressão CASO-CONTRARIO somente deverá ser utilizada quando existir um"},
         {26, "grupo de ações a executar quando nenhum dos valores predeterminados for alcançado,"},
         {27, "ou seja, para tratar a exceção."},
     }},
    {"Vendrilo - Sintaxe do comando COMO",
     {
         {0, "Esta estrutura ainda não está definida."},
         {1, "Por favor, aguarde."},
     }},
    {"Vendrilo - Sintaxe de PROCEDIMENTO",
     {
         {0, "Procedimentos são módulos, rotinas, sub-programas que permitem a reutilização"},
         {1, "de partes de algoritmos: um grupo de comandos escrito uma só vez é chamado pelo seu"},
         {2, "nome em vários pontos do algoritmo, recebendo ou não parâmetros."},
         {4, "Abaixo está descrito o esquema báscio de um procedimento:"},
         {6, "    procedimento <NOME> [(<PARAMETROS>)]"},
         {7, "    [declare <VARIAVEIS-LOCAIS> <TIPO>]"}, {8, "    inicio-procedimento"},
         {9, "        <AÇÃO-V1>"}, {10, "        <AÇÃO-V2>"}, {11, "        <AÇÃO-Vn>"},
         {12, "    fim-procedimento"},
     }},
    {"Vendrilo - Sintaxe de FUNCAO",
     {
         {0, "Função é um módulo, uma rotina ou um sub-programas que permite a reutilização"},
         {1, "de partes de algoritmos, como o procedimento, mas que sempre devolve um valor ao"},
         {2, "ponto onde foi chamada, podendo por isso ser usada dentro de expressões."},
         {4, "Abaixo está descrito o esquema báscio de uma função:"},
         {6, "    funcao <NOME> [(<PARAMETROS>)]"},
         {7, "    [declare <VARIAVEIS-LOCAIS> <TIPO>]"}, {8, "    inicio-funcao"},
         {9, "        <AÇÃO-V1>"}, {10, "        <AÇÃO-V2>"}, {11, "        <AÇÃO-Vn>"},
         {12, "    fim-funcao"},
     }},
}};

#undef VENDRILO_ESTRUTURA_EXEMPLO

const std::string& LinhaEmBranco()
{
    static const std::string branco(LarguraLinhaPagina, ' ');
    return branco;
}

const std::array<PaginaSintaxe, TotalPaginasSintaxe>& Paginas()
{
    static const auto paginas = [] {
        std::array<PaginaSintaxe, TotalPaginasSintaxe> montadas;
        for (std::size_t p = 0; p < kPaginas.size(); ++p) {
            montadas[p].titulo = Para1252(kPaginas[p].titulo);
            montadas[p].linhas.assign(LinhasPagina, LinhaEmBranco());
            for (const LinhaEscrita& l : kPaginas[p].linhas)
                montadas[p].linhas.at(static_cast<std::size_t>(l.indice)) =
                    LinhaDePagina(Para1252(l.texto));
        }
        return montadas;
    }();
    return paginas;
}

} // namespace

const PaginaSintaxe* PaginaDeSintaxe(int numero)
{
    if (numero < 1 || numero > TotalPaginasSintaxe)
        return nullptr;
    return &Paginas()[static_cast<std::size_t>(numero - 1)];
}

std::string LinhaDePagina(const std::string& texto1252)
{
    std::string linha = texto1252;
    if (linha.size() < static_cast<std::size_t>(LarguraLinhaPagina))
        linha.resize(LarguraLinhaPagina, ' ');
    return linha;
}

MemoSintaxe NovoMemoSintaxe()
{
    return MemoSintaxe(LinhasMemoSintaxe, LinhaEmBranco());
}

void LimpaPagina(MemoSintaxe& memo)
{
    // Até a linha 50, como sempre se fez; só existem as que o quadro tem.
    for (std::size_t i = 1; i <= 50 && i < memo.size(); ++i)
        memo[i] = LinhaEmBranco();
}

std::string EscrevePagina(MemoSintaxe& memo, int numero)
{
    const PaginaSintaxe* pagina = PaginaDeSintaxe(numero);
    if (!pagina) {
        // Sem página, a linha 0 da página anterior não pode ficar à mostra.
        if (!memo.empty())
            memo[0] = LinhaEmBranco();
        return {};
    }
    for (std::size_t i = 0; i < pagina->linhas.size() && i < memo.size(); ++i)
        memo[i] = pagina->linhas[i];
    return pagina->titulo;
}

EscolhaErro SelecionaErro(const std::vector<int>& TipoErroLinha, int linhaSelecionada)
{
    EscolhaErro escolha;
    if (linhaSelecionada <= 1) {
        escolha.pedeLinhaNumerada = true;
        return escolha;
    }
    const auto linha = static_cast<std::size_t>(linhaSelecionada);
    escolha.pagina = linha < TipoErroLinha.size() ? TipoErroLinha[linha] : 0;
    return escolha;
}

const std::string& TextoCliqueLinhaNumerada()
{
    static const std::string texto =
        Para1252("Atenção!!! Clique na linha numerada do erro para ver a sintaxe do comando.");
    return texto;
}

} // namespace vendrilo
