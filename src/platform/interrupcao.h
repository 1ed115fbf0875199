#pragma once
// Ctrl+C e afins num programa de linha de comando com várias linhas de
// execução: o sinal chega a uma linha própria, que arruma e encerra.

#include <functional>

namespace vendrilo {

// Bloqueia SIGINT, SIGTERM e SIGHUP no processo (chame antes de criar
// outras linhas de execução, que herdam o bloqueio) e os espera numa linha
// própria: ao chegar um, `acao` roda e o processo sai com 128 + sinal.
void TrataInterrupcao(std::function<void(int sinal)> acao);

} // namespace vendrilo
