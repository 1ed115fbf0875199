#pragma once
// vendrilo-traduz --teste-de-mesa: roda o programa compilado com
// informação de linhas sob o gdb, neste terminal, e grava a tabela em CSV.

#include "linha_comando.h"

#include <string>
#include <vector>

namespace vendrilo::cli {

// O programa parou antes do fim (limite de passos, erro de execução,
// interrupção) ou o gdb faltou; a tabela, quando houve sessão, foi gravada.
inline constexpr int SaidaTesteIncompleto = 4;

// Limite padrão de passos.
inline constexpr int PassosPadrao = 10000;

// Tira de `argumentos` (até um "--") "--teste-de-mesa SAIDA" e "--passos N",
// guardando-os em `o` (ou o erro de uso em o.erro), e devolve o resto.
std::vector<std::string> SeparaOpcoesTesteMesa(const std::vector<std::string>& argumentos, Opcoes& o);

// Combinações proibidas, depois de lidas todas as opções (erro em o.erro).
void ConfereOpcoesTesteMesa(Opcoes& o);

// `linhasPascal`: o programa traduzido (lido antes da compilação, que pode
// apagá-lo); `programa`: o executável. Devolve o código de saída.
int EtapaTesteDeMesa(const std::string& programa, const std::vector<std::string>& linhasPascal,
                     int bibliotecaUsada, const Opcoes& opcoes, Terminal& t);

} // namespace vendrilo::cli
