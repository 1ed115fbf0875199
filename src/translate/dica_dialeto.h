#pragma once
// Uma dica sobre o jeito de escrever que mais engana o aluno, mostrada depois
// do relatório de erro: palavra-chave colada a parêntese ou aspas, escrita com
// acento, ou usada como nome de variável numa declaração.

#include <string>

namespace vendrilo {

// `linha` é a linha do algoritmo onde está o erro (Windows-1252; UTF-8 também
// serve) e `coluna` a do "^" (base 1). Devolve a dica em UTF-8, numa linha,
// ou vazio quando nenhuma se aplica.
std::string DicaDialeto(const std::string& linha, int coluna);

} // namespace vendrilo
