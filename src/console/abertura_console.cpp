#include "console/abertura_console.h"

#include "console/janela_console.h"
#include "platform/console.h"

#include <QAction>
#include <QDockWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QScreen>

namespace vendrilo {

namespace {

const QString NomePainel = QStringLiteral("PainelConsole");

} // namespace

JanelaConsole* AbreJanelaConsole(const PedidoConsole& pedido, QMainWindow* noPainelDe)
{
    auto* janela = new JanelaConsole(pedido);
    if (!janela->inicia()) {
        delete janela;
        return nullptr;
    }
    if (!noPainelDe) {
        janela->setAttribute(Qt::WA_DeleteOnClose);
        // Do tamanho da grade (adjustSize pararia em dois terços da tela).
        QSize tamanho = janela->sizeHint();
        if (const QScreen* tela = janela->screen())
            tamanho = tamanho.boundedTo(tela->availableSize());
        janela->resize(tamanho);
        if (pedido.config.maximizada)
            janela->showMaximized();
        else
            janela->show();
        janela->activateWindow();
        return janela;
    }
    // Um painel só: a execução nova substitui a anterior (que é encerrada).
    if (auto* antigo = noPainelDe->findChild<QDockWidget*>(NomePainel)) {
        antigo->setObjectName(QString());
        antigo->close();
    }
    auto* painel = new QDockWidget(QStringLiteral("Console"), noPainelDe);
    painel->setObjectName(NomePainel);
    painel->setAttribute(Qt::WA_DeleteOnClose);
    painel->setWidget(janela);
    noPainelDe->addDockWidget(Qt::BottomDockWidgetArea, painel);
    painel->show();
    janela->setFocus();
    return janela;
}

void InstalaConsole(QMainWindow* principal)
{
    QPointer<QAction> noPainel = new QAction(QStringLiteral("Console no painel"), principal);
    noPainel->setObjectName(QStringLiteral("ConsoleNoPainel1"));
    noPainel->setCheckable(true);
    if (auto* ferramentas = principal->findChild<QMenu*>(QStringLiteral("Ferramentas1")))
        ferramentas->addAction(noPainel);
    QPointer<QMainWindow> janela = principal;
    DefineLancadorConsole([janela, noPainel](const PedidoConsole& pedido) {
        const bool painel = janela && noPainel && noPainel->isChecked();
        return AbreJanelaConsole(pedido, painel ? janela.data() : nullptr) != nullptr;
    });
}

} // namespace vendrilo
