#pragma once
// A janela do comando Executar: o console com o programa, a linha do
// código de saída e a espera por ENTER no fim. Fechar a janela (ou o
// painel que a contém) encerra o programa e os filhos dele.

#include "console/console_vendrilo.h"
#include "platform/console.h"

#include <QWidget>

namespace vendrilo {

class JanelaConsole : public QWidget {
    Q_OBJECT
public:
    explicit JanelaConsole(const PedidoConsole& pedido, QWidget* pai = nullptr);

    // Inicia o programa do pedido; falso, com o motivo, quando não iniciou.
    bool inicia(QString* erro = nullptr);
    ConsoleVendrilo* console() const { return console_; }
    const PedidoConsole& pedido() const { return pedido_; }

signals:
    void programaTerminou(int status);

protected:
    void closeEvent(QCloseEvent* ev) override;

private:
    void aoTerminar(int status);
    void fecha();

    PedidoConsole pedido_;
    ConsoleVendrilo* console_;
};

} // namespace vendrilo
