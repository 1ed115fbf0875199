#pragma once
// O relatório que o tpc escreve na saída padrão, no formato que a etapa de
// compilação lê: linha 0 o cabeçalho; no sucesso, a linha 5 com
// " bytes data."; no erro, a linha 3 "ARQ.PAS(L): Error N: texto.", a 4 a
// linha L do fonte e a 5 o "^" sob a coluna.

#include <string>
#include <vector>

namespace vendrilo::tpc {

inline constexpr const char* CabecalhoTpc = "tpc - Free Pascal em modo Turbo Pascal";

// O caminho do fonte com a extensão escrita ".PAS" (acrescentada quando não
// há extensão .pas).
std::string CaminhoPasMaiusculo(const std::string& caminho);

// O caminho do programa: os três últimos caracteres trocados por "exe".
std::string CaminhoPrograma(const std::string& caminhoFonte);

std::vector<std::string> RelatorioSucesso(const std::string& caminhoFonte, int linhas,
                                          double segundos, long long bytesCodigo,
                                          long long bytesDados);

// `linha` 0 quando o erro não tem posição no fonte; `linhaFonte` é o texto
// dessa linha, e `coluna` (1.., em bytes) põe o "^"; as tabulações antes
// dela são repetidas para que o "^" fique sob o símbolo.
std::vector<std::string> RelatorioErro(const std::string& caminhoFonte, int linha, int numero,
                                       const std::string& texto, const std::string& linhaFonte,
                                       int coluna);

// Bytes de código e de dados de um executável ELF (seções alocadas
// executáveis e graváveis); falso quando não é ELF de 64 bits legível.
bool TamanhosElf(const std::string& caminho, long long& codigo, long long& dados);

} // namespace vendrilo::tpc
