#pragma once
// Comparação de texto entre a saída de um programa e a saída esperada de um
// caso: as codificações são acertadas, as quebras de linha viram LF, somem
// os espaços no fim das linhas e as linhas vazias no fim do texto.

#include <string>
#include <string_view>
#include <vector>

namespace vendrilo::correcao {

// Saída esperada (arquivo do professor): UTF-8 quando é UTF-8 válido, senão
// Windows-1252. Devolve UTF-8.
std::string TextoEsperado(std::string_view bytes);

// Saída do programa (Windows-1252) em UTF-8.
std::string TextoObtido(std::string_view bytes);

// Linhas do texto normalizado, para comparar e mostrar.
std::vector<std::string> LinhasNormalizadas(std::string_view utf8);

// Índice (base 0) da primeira linha diferente; -1 quando iguais.
int PrimeiraDiferenca(const std::vector<std::string>& esperado, const std::vector<std::string>& obtido);

} // namespace vendrilo::correcao
