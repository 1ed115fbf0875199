#pragma once
// Verificação da estrutura dos blocos pelas contagens de palavras-chave.

#include "check/blocos.h"

#include <array>
#include <string>
#include <vector>

namespace vendrilo {

// Contadores por tipo de palavra, indexados de 1 a 251 (o índice 0 não é usado).
using ContadoresTipos = std::array<int, 252>;

// Capacidade da lista de erros do verificador.
inline constexpr int CapacidadeListaErros = 30;

// Tipos de palavra lidos pela verificação (os mesmos da tabela de palavras-chave).
namespace Tipo {
inline constexpr int Inicio = 1, Fim = 2;
inline constexpr int Se = 39, Entao = 40, Senao = 41, FimSe = 42;
inline constexpr int Enquanto = 43, FimEnquanto = 44, FacaEnquanto = 251;
inline constexpr int Repita = 45, AteQue = 46;
inline constexpr int Para = 47, De = 48, AteCrescente = 49, AteDecrescente = 50;
inline constexpr int FacaPara = 51, FimPara = 52;
inline constexpr int Selecione = 53, Caso = 55, CasoContrario = 56, FimSelecione = 57;
inline constexpr int Como = 95, FimComo = 96;
inline constexpr int Procedimento = 97, InicioProcedimento = 98, FimProcedimento = 99;
inline constexpr int Funcao = 100, InicioFuncao = 101, FimFuncao = 102;
} // namespace Tipo

struct ResultadoEstrutura {
    std::vector<std::string> ErrosSintaxe; // linhas da lista de erros (Windows-1252)
    std::vector<int> TipoErroLinha;        // página de sintaxe (1..10) por linha; 0 nas linhas 0 e 1
    std::vector<int> LinhaAlgoritmo; // linha provável da falha no algoritmo (a partir de 1);
                                     // 0 nas linhas 0 e 1 e quando não se sabe onde
    std::vector<int> ListaErros;           // códigos dos testes que falharam (1..22), no máximo 30
    int TotalErros = 0;
    int IndiceErro = 0;                    // última linha preenchida: 1 sem erros, TotalErros + 1 com
};

// Compara os contadores e monta as linhas numeradas da lista de erros:
// linha 0 o cabeçalho, linha 1 " ", depois "   N. ..." na ordem dos testes.
// `locais` (do CasadorBlocos da mesma passada) dá a linha de cada mensagem;
// quando a pilha não explica exatamente o que as contagens acusam, a
// mensagem fica sem linha.
ResultadoEstrutura VerificaEstrutura(const ContadoresTipos& ContadorTipos, const LocaisFalhas& locais = {});

// Texto do aviso-resumo (singular ou plural); vazio quando não há erros.
std::string TextoResumoEstrutura(int TotalErros);

// Zera os contadores e esvazia a lista de erros, antes de cada tradução e
// depois de cada verificação consumida pela compilação.
void ZeraContadores(ContadoresTipos& ContadorTipos, ResultadoEstrutura& resultado);

} // namespace vendrilo
