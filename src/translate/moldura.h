#pragma once
// Moldura do programa gerado: as 26 linhas que abrem todo .pas (faixa de
// créditos, cabeçalho PROGRAM e a cláusula USES deixada aberta para que uma
// BIBLIOTECA do algoritmo possa estendê-la). O mapa de linhas do compilador de
// volta ao algoritmo conta com exatamente essas 26 linhas.

#include <string>
#include <string_view>
#include <vector>

namespace vendrilo {

// Título da aplicação, em bytes Windows-1252 ("ã" = 0xE3).
inline constexpr std::string_view TituloAplicacao = "Vendrilo de Algoritmos - Vers\xE3o 2.4";

// Número de linhas da moldura.
inline constexpr int LinhasDaMoldura = 26;

// Largura das linhas da faixa (todas menos a do título).
inline constexpr int LarguraFaixa = 66;

// As 26 linhas, sem quebra, em Windows-1252.
std::vector<std::string> LinhasMoldura(std::string_view titulo = TituloAplicacao);

} // namespace vendrilo
