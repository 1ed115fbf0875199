#pragma once
// Verificação da estrutura dos blocos pelas contagens de palavras-chave.

#include <array>
#include <string>
#include <vector>

namespace vendrilo {

// Contadores por tipo de palavra, indexados de 1 a 251 (o índice 0 não é usado).
using ContadoresTipos = std::array<int, 252>;

// Capacidade da lista de erros do verificador.
inline constexpr int CapacidadeListaErros = 30;

struct ResultadoEstrutura {
    std::vector<std::string> ErrosSintaxe; // linhas da lista de erros (Windows-1252)
    std::vector<int> TipoErroLinha;        // página de sintaxe (1..10) por linha; 0 nas linhas 0 e 1
    std::vector<int> ListaErros;           // códigos dos testes que falharam, no máximo 30
    int TotalErros = 0;
    int IndiceErro = 0;                    // página da primeira mensagem (0 sem erros)
};

// Compara os contadores e monta as linhas numeradas da lista de erros.
ResultadoEstrutura VerificaEstrutura(const ContadoresTipos& ContadorTipos);

// Texto do aviso-resumo (singular ou plural); vazio quando não há erros.
std::string TextoResumoEstrutura(int TotalErros);

} // namespace vendrilo
