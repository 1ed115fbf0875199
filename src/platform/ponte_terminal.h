#pragma once
// O programa compilado num terminal UTF-8: ele escreve e lê Windows-1252,
// então roda num pseudoterminal próprio e os bytes são convertidos na
// passagem, nos dois sentidos (o papel que um conversor de terminal faria).

#include <string>
#include <string_view>
#include <vector>

namespace vendrilo {

// Bytes Windows-1252 de um programa para um terminal UTF-8. Os cinco bytes
// vagos da página viram U+FFFD: como controles C1 um terminal os tomaria
// por início de comando (0x90, 0x9D) e engoliria o que viesse depois.
std::string Windows1252ParaTerminal(std::string_view bytes);

// Teclas de um terminal UTF-8 para o programa, em Windows-1252 (o que não
// cabe vira '?'). O começo de um caractere que ainda não chegou inteiro fica
// em `pendente` para a próxima leitura.
std::string TeclasPara1252(std::string& pendente, std::string_view novos);

// O locale (LC_ALL, LC_CTYPE ou LANG, nessa ordem) é UTF-8.
bool LocaleUtf8();

// Verdadeiro quando a saída padrão é um terminal e o locale é UTF-8.
bool SaidaEmTerminalUtf8();

// Roda argv num pseudoterminal do tamanho do terminal atual, com a saída
// convertida de Windows-1252 para UTF-8 e as teclas de UTF-8 para
// Windows-1252, e espera o fim. Devolve o código de saída (128 + sinal),
// ou -1 quando não pôde iniciar.
int ExecutaComConversao1252(const std::vector<std::string>& argv);

} // namespace vendrilo
