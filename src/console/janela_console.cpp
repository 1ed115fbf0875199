#include "console/janela_console.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QVBoxLayout>

namespace vendrilo {

JanelaConsole::JanelaConsole(const PedidoConsole& pedido, QWidget* pai)
    : QWidget(pai)
    , pedido_(pedido)
    , console_(new ConsoleVendrilo(pedido.config, pedido.utf8, this))
{
    auto* leiaute = new QVBoxLayout(this);
    leiaute->setContentsMargins(0, 0, 0, 0);
    leiaute->addWidget(console_);
    setWindowTitle(QString::fromStdString(pedido_.config.titulo) + QStringLiteral(" - ") +
                   QFileInfo(QString::fromStdString(pedido_.programa)).fileName());
    // O fundo em volta da grade tem a cor do console, não a do sistema.
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor::fromString(QString::fromStdString(pedido_.config.corFundo)));
    setPalette(pal);
    connect(console_, &ConsoleVendrilo::terminou, this, &JanelaConsole::aoTerminar);
    connect(console_, &ConsoleVendrilo::enterNoFim, this, &JanelaConsole::fecha);
    setFocusProxy(console_);
}

bool JanelaConsole::inicia(QString* erro)
{
    return console_->iniciaPrograma({QString::fromStdString(pedido_.programa)},
                                    QString::fromStdString(pedido_.pasta), {}, erro);
}

void JanelaConsole::aoTerminar(int status)
{
    const ConfigConsole& c = pedido_.config;
    if (!c.manterAberta) {
        emit programaTerminou(status);
        fecha();
        return;
    }
    // Sai da cor que o programa deixou e começa numa linha nova.
    QString fim = QStringLiteral("\x1b[0m");
    if (console_->tela().colunaCursor() != 0)
        fim += QStringLiteral("\n");
    if (status != 0)
        fim += QStringLiteral("\n%1 %2.\n").arg(QString::fromStdString(c.mensagemErro)).arg(status);
    fim += QStringLiteral("\n") + QString::fromStdString(c.mensagemFinal);
    console_->mostraTexto(fim);
    console_->esperaEnter();
    emit programaTerminou(status);
}

void JanelaConsole::fecha()
{
    if (auto* painel = qobject_cast<QDockWidget*>(parentWidget()))
        painel->close();
    else
        close();
}

void JanelaConsole::closeEvent(QCloseEvent* ev)
{
    console_->encerra();
    ev->accept();
}

} // namespace vendrilo
