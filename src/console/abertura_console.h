#pragma once
// Liga o comando Executar ao console do Vendrilo: cada execução numa
// janela nova ou, com "Console no painel" marcado em Ferramentas, num
// painel sob o editor.

class QMainWindow;

namespace vendrilo {

class JanelaConsole;
struct PedidoConsole;

// Registra quem abre o console e põe o item "Console no painel" no menu
// Ferramentas da janela principal.
void InstalaConsole(QMainWindow* principal);

// Abre o console de um pedido, fora de qualquer janela principal (pai
// nulo) ou no painel dela; nullptr quando o programa não iniciou.
JanelaConsole* AbreJanelaConsole(const PedidoConsole& pedido, QMainWindow* noPainelDe = nullptr);

} // namespace vendrilo
