#pragma once
// Os erros de execução nos termos da unidade AUTORIA, que todo programa
// gerado usa: o número do Turbo Pascal e a explicação em português. A
// tabela vem do próprio texto da unidade (gerada na compilação), para que a
// sessão passo a passo diga o mesmo que o programa diria.

#include <string>

namespace vendrilo::depuracao {

// O número do Turbo Pascal para um número do Free Pascal (208 -> 200...).
int NumeroErroTurbo(int numeroFreePascal);

// A explicação (UTF-8) que o programa escreve para o erro `numero`.
std::string ExplicacaoErroExecucao(int numero);

// A linha que o programa escreve na saída de erros, sem a quebra:
// "Erro de execução N na linha L do algoritmo: explicação." (linha base 1;
// sem linha conhecida, "Erro de execução N: explicação.").
std::string MensagemErroExecucao(int numero, int linhaAlgoritmo);

} // namespace vendrilo::depuracao
