#pragma once
// Estado compartilhado pelos passos da tradução de um algoritmo.
//
// Um objeto vive tanto quanto o seu dono (a janela principal mantém um só
// durante todo o programa; a linha de comando cria um novo por arquivo) e
// guarda os valores de uma tradução para a seguinte: o comando Traduzir só
// reinicia os campos que ele mesmo reinicia (ver Tradutor::TraduzArquivo).
// EmLiteral, SecaoTipos, MarcaConstante, EstadoCaso e ContadorIgual mudam
// apenas pelas palavras e caracteres lidos.
//
// Todos os textos são bytes Windows-1252, sem conversão.

#include "check/estrutura.h"

#include <string>
#include <string_view>

namespace vendrilo {

// Número de contadores de tipos de palavra; é também o tipo sob o qual se
// conta um FACA que segue um ENQUANTO.
inline constexpr int TotalTiposPalavra = 251;

// Valores de EstadoCabecalho.
inline constexpr int CabecalhoAberto = 1;     // USES escrito e ainda aberto
inline constexpr int CabecalhoFechado = 2;    // USES fechado
inline constexpr int SeparadorDevido = 3;     // o ";" de fechamento vem antes da palavra corrente

struct EstadoTraducao {
    // Caminhos do algoritmo e dos arquivos derivados dele (ver DerivaNomes).
    std::string NomeAlg;
    std::string NomePas;
    std::string NomeExe;
    std::string NomePif;

    // Trecho da linha corrente em exame, dentro do bloco de leitura. A linha
    // não é guardada inteira: a saída sai enquanto ela é lida, e uma linha de
    // dezenas de megabytes não pesa na memória. Só vale durante TraduzLinhas.
    std::string_view LinhaLida;

    // Palavra corrente como foi digitada e com a–z em maiúsculas. Uma palavra
    // mais longa que a maior palavra-chave já vai sendo escrita e aqui fica
    // só o seu final (ela não pode ser palavra-chave).
    std::string PalavraSaida;
    std::string PalavraMaiuscula;

    std::string TerminadorLinha;  // escrito depois da última palavra da linha
    int TipoPalavra = 0;          // tipo da última palavra traduzida; 0 se não é palavra-chave
    ContadoresTipos ContadorTipos{}; // índices 1..251
    int TotalTipos = TotalTiposPalavra;
    int ContadorAspas = 0;        // aspas vistas na linha desde a última que fechou
    bool EmLiteral = false;       // dentro de texto entre aspas ou comentário entre chaves
    int EstadoCabecalho = 0;      // CabecalhoAberto, CabecalhoFechado ou SeparadorDevido
    int BibliotecaUsada = 0;      // 1: uma BIBLIOTECA acrescentou unidade ao USES (o mapa de linhas muda)
    int TipoLaco = 0;             // último laço aberto: 0 nenhum, 1 ENQUANTO, 2 PARA
    int SecaoTipos = 0;           // 1: um TIPO espera a sua palavra de tipo
    std::string MarcaConstante;   // "C" de CONSTANTE até o próximo CONTEM-..., depois " "
    int EstadoCaso = 0;           // SELECIONE: 0 antes do 1º CASO, 1 depois, 2 após CASO-CONTRARIO
    int ContadorIgual = 0;        // palavras "=" desde a última declaração ou parâmetro
    int LinhaAtual = 0; // número da linha em tradução, a partir de 1

    // Pilha dos blocos, alimentada com as mesmas palavras que as contagens,
    // para apontar a linha de cada erro de estrutura.
    CasadorBlocos Blocos;

    // Resultado da verificação de estrutura: linhas da lista de erros
    // (cabeçalho, linha em branco e mensagens numeradas), TipoErroLinha e a
    // contagem. TotalErros repete Estrutura.TotalErros para quem só precisa dela.
    int TotalErros = 0;
    int CapacidadeErros = CapacidadeListaErros;
    ResultadoEstrutura Estrutura;
};

// Caminhos derivados do caminho do algoritmo: os três últimos caracteres
// trocados por "pas", "exe" e "pif" (minúsculas, seja qual for a caixa do
// resto). NomeAlg é o próprio caminho.
struct NomesDerivados {
    std::string NomeAlg, NomePas, NomeExe, NomePif;
};
NomesDerivados DerivaNomes(const std::string& caminho);

} // namespace vendrilo
