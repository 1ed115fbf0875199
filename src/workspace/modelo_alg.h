#pragma once
// Modelo de um algoritmo novo: 18 linhas, cabeçalho e esqueleto.

#include <string>
#include <vector>

namespace vendrilo {

// As quatro linhas do cabeçalho, com o nome da janela e a data de criação.
std::vector<std::string> CabecalhoAlg(const std::string& nome, const std::string& data);

// As 18 linhas completas (as quatro primeiras são o cabeçalho).
std::vector<std::string> ModeloAlg(const std::string& nome, const std::string& data);

// Posição (linha e coluna, a partir de 0) do caractere `posicao` (a partir de
// 1) de um texto em que cada quebra conta dois caracteres.
void PosicaoNoTexto(const std::vector<std::string>& linhas, int posicao, int& linha, int& coluna);

} // namespace vendrilo
