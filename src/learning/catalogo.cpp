#include "learning/catalogo.h"

#include <array>

namespace vendrilo {

namespace {

// Textos exatamente como o catálogo sempre os mostrou, com os erros de
// digitação e os espaçamentos originais: os alunos os conhecem assim.
constexpr std::array<std::string_view, TotalExemplos> Descricoes = {
    "Exemplo da estrutura de um algoritmo", // 0
    "Exemplo de marcador da lógica de programação", // 1
    "Exemplo de declaração de variável, atribuição de valores e de constante", // 2
    "Exemplo do comando mostre", // 3
    "Exemplo do comando leia e do comando limpa-tela", // 4
    "Exemplo da estrutura condicional simples - se...entao...fim-se", // 5
    "Exemplo da estrutura condicional composta - se...entao...senao...fim-se", // 6
    "Exemplo da estrutura condicional seletiva - selecione....caso...caso-contrario...fim-selecione", // 7
    "Exemplo da estrutura repetitiva com teste no início - enquanto...faca...fim-enquanto", // 8
    "Exemplo da estrutura repetitiva com teste no final - repita...ate-que...", // 9
    "Exemplo da estrutura repetitiva com incremento fixo crescente - para...de...ate-crescendo...faca...fim-para", // 10
    "Exemplo da estrutura repetitiva com incremento fixo decrescente - para...de...ate-decrescendo...faca...fim-para", // 11
    "Exemplo do comando pausa", // 12
    "Exemplo do comando cursor", // 13
    "Exemplo da função ln (X) - retorna o valor do logaritmo neperiano de um número real", // 14
    "Exemplo da função exp (X) - retorna o valor de um neperiano elevado a um número real", // 15
    "Exemplo da função abs (X) - retorna o valor absoluto de um número", // 16
    "Exemplo da função parte-inteira (X) - retorna o valor da parte inteira de um número real", // 17
    "Exemplo da função arredonda (X) - retorna o valor arredondado de um número real", // 18
    "Exemplo da função quadrado (X) - retorna o valor do quadrado de um número", // 19
    "Exemplo da função raiz-quadrada (X) - retorna o valor da raiz quadrada de um númerodo", // 20
    "Exemplo do operador X divisao-inteira Y - retorna o valor da divisão inteira de X por Y", // 21
    "Exemplo do operador X resto Y - retorna o valor do resto da divisão de X por Y", // 22
    "Exemplo da função sinal (X) - retorna o valor de um número com o seu sinal invertido", // 23
    "Exemplo da função lógica impar (X) - retorna um valor verdadeiro se o número X for impar, caso contrário retorna falso", // 24
    "Exemplo da função lógica par   (X) - retorna um valor verdadeiro se o número X for par, caso contrário retorna falso", // 25
    "Exemplo de utilização de um procedimento interno", // 26
    "Exemplo de utilização de uma função interna", // 27
    "Exemplo da função fracionario (X) - retorna a parte fracionária de um número real", // 28
    "Exemplo da função randomico [(X)] - retorna um valor randômico qualquer gerado com ou sem argumento [(X)]", // 29
    "Exemplo da instrução operacional randomico-sistema - inicializa a geração do randômico a partir do valor atual do relógio do sistema", // 30
    "Exemplo da função concatenar (X, Y, ..., n) - retorna a junção do textos/variáveis informados em X, Y, até n.", // 31
    "Exemplo da função copiar (<S>, <i>, <q>) - retorna a parte do texto <S> iniciado em <i> com <q> letras", // 32
    "Exemplo da função tamanho (<S>) - retorna o tamanho do texto em <S>", // 33
    "Exemplo da função posicao (<S1>, <S2>) - retorna a posicao em que se inica o texto <S1> dentro do texto <S2>", // 34
    "Exemplo da função maiscula (<S>) - retorna o texto em <S> totalmente transformado em letras maiusculas", // 35
    "Exemplo do procedimento remover (<S>, <i>, <q>) - remove na própria variável <S> e a partir da posicao <i>, a quantidade <q> de caracteres", // 36
    "Exemplo do procedimento inserir (<X>, <S>, <i>) - insere o texto <X> no variável caracter <S> a partir da posição <i>", // 37
    "Exemplo do procedimento numero-alfa (<N>, <S>) - transforma o numero <N> em texto que será armazenado em <S>", // 38
    "Exemplo do procedimento alfa-numero (<S>, <N>, <ERRO>) - transforma o texto <S> no numero <N>, <ERRO> deverá ser uma variável inteira que conterá zero para a conversão ok.", // 39
    "Exemplo da função tecla-pressionada - retorna verdadeiro se foi pressionada uma tecla, caso contrário retorna falso", // 40
    "Exemplo da função leia-tecla - retorna a tecla que foi pressionada pelo operador", // 41
    "Exemplo da função coluna-cursor - retorna a coluna em que estava o cursor", // 42
    "Exemplo da função linha-cursor - retorna a linha em que estava o cursor", // 43
    "Exemplo do procedimento cursor (<C>, <L>) - posiciona o cursor na coluna <C> e linha <L>", // 44
    "Exemplo da função limpa-linha-fim - limpa a linha a partir da posição em que está o cursor", // 45
    "Exemplo do procedimento espere (<S>) - provoca uma parada de <S> milissegundos após acionado", // 46
    "Exemplo do procedimento apagar-linha - provoca a remoção da linha em que está posicionado o cursor", // 47
    "Exemplo do procedimento inserir-linha - provoca a inserção de uma linha onde está posicionado o cursor", // 48
    "Exemplo do procedimento video-brilho - deixa o monitor com brilho", // 49
    "Exemplo do procedimento video-normal - retira o brilho do monitor, voltando-o ao normal", // 50
    "Exemplo do procedimento som (<n>) - provoca a emissão de um som baseado no número <n>", // 51
    "Exemplo do procedimento sem-som - provoca a interrupção na execução de um som", // 52
    "Exemplo do procedimento cor-fundo (<n>) - altera a coloração de fundo de texto para o número indicado em <n>", // 53
    "Exemplo do procedimento cor-texto (<n>) - altera a coloração de cor do texto para o número indicado em <n>", // 54
    "Exemplo do procedimento modo-video (<n>) - altera para o número indicado em <n> o formato de apresentação do monitor", // 55
    "Exemplo do procedimento janela (<c1>, <l1>, <c2>, <l2>) - seleciona uma janela para tratamento nas coordenadas de linha e coluna indicadas", // 56
    "Exemplo do procedimento data-sistema (<ano>, <mes>, <dia>, <sem>) - nas variáveis selecionadas, preencherá com os dados de data corrente no micro", // 57
    "Exemplo do procedimento data-sistema (<hora>, <minuto>, <segundo>, <centésimo>) - nas variáveis selecionadas, preencherá com os dados de hora corrente no micro", // 58
    "Exemplo do processo <procedimento> - determina a execução do <procedimento> quando solicitado", // 59
    "Exemplo da função exponenciacao-base-real (<Y>, <X>) - retorna o valor da base de número real <y> elevada ao exponte <X>", // 60
    "Exemplo da função exponenciacao-base-inteiro (<Y>, <X>) - retorna o valor da base de número inteiro <y> elevada ao exponte <X>", // 61
};

} // namespace

bool IndiceExemploValido(int indice) { return indice >= 0 && indice < TotalExemplos; }

std::string TextoListaExemplo(int indice)
{
    if (!IndiceExemploValido(indice))
        return {};
    std::string digitos = std::to_string(indice);
    return "EXP" + std::string(3 - digitos.size(), '0') + digitos + ".alg";
}

std::string_view DescricaoExemplo(int indice)
{
    return IndiceExemploValido(indice) ? Descricoes[static_cast<std::size_t>(indice)]
                                       : std::string_view{};
}

std::string NomeArquivoExemplo(int indice)
{
    if (!IndiceExemploValido(indice))
        return {};
    return (indice <= 9 ? "exp00" : "exp0") + std::to_string(indice) + ".alg";
}

std::string CaminhoExemplo(std::string_view pastaPrograma, int indice)
{
    if (!IndiceExemploValido(indice))
        return {};
    std::string caminho(pastaPrograma);
    if (!caminho.empty() && caminho.back() != '/')
        caminho += '/';
    return caminho + "exp/" + NomeArquivoExemplo(indice);
}

std::vector<std::string> AvisoExemploAusente(std::string_view caminho)
{
    return {"O algoritmo [" + std::string(caminho) + "]",
            " não está disponível!!!",
            "Solicite uma cópia via email (" + std::string(EnderecoContato) + ")."};
}

std::string MensagemExemploAusente(std::string_view caminho)
{
    return "O algoritmo [" + std::string(caminho) +
           "] não está disponível!! Refaça o download do Vendrilo";
}

} // namespace vendrilo
