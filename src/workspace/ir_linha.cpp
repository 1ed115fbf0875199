#include "workspace/ir_linha.h"

#include "platform/dialogos.h"

#include <QFont>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vendrilo {

TfrmLinha::TfrmLinha(QWidget* pai)
    : QDialog(pai)
{
    setWindowTitle(QStringLiteral("Ir até a linha"));
    auto* layout = new QVBoxLayout(this);
    auto* grupo = new QGroupBox(QStringLiteral("Digite o número da linha:"), this);
    QFont negrito = grupo->font();
    negrito.setBold(true);
    grupo->setFont(negrito);
    auto* lg = new QVBoxLayout(grupo);
    edtLinha = new QLineEdit(grupo);
    edtLinha->setObjectName(QStringLiteral("edtLinha"));
    QFont normal = edtLinha->font();
    normal.setBold(false);
    edtLinha->setFont(normal);
    edtLinha->installEventFilter(this);
    lg->addWidget(edtLinha);
    layout->addWidget(grupo);
    BtnIr = new QPushButton(QStringLiteral("&Ir até a Linha"), this);
    BtnIr->setObjectName(QStringLiteral("BtnIr"));
    BtnIr->setDefault(true);
    layout->addWidget(BtnIr);
    connect(BtnIr, &QPushButton::clicked, this, &QDialog::accept);
    connect(edtLinha, &QLineEdit::editingFinished, BtnIr, [this] { BtnIr->setFocus(); });
}

void TfrmLinha::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    edtLinha->setFocus();
}

bool TfrmLinha::eventFilter(QObject* alvo, QEvent* e)
{
    if (alvo == edtLinha && e->type() == QEvent::KeyPress) {
        const QString t = static_cast<QKeyEvent*>(e)->text();
        // Teclas sem caractere (setas, Delete...) passam; dos caracteres, só
        // dígitos, Backspace, Tab, Enter, Esc, Ctrl+C e Ctrl+V.
        if (t.size() == 1) {
            const char16_t c = t.at(0).unicode();
            const bool permitido = (c >= u'0' && c <= u'9') || c == 8 || c == 9 || c == 13 || c == 27
                                   || c == 3 || c == 22;
            if (!permitido) {
                dialogos().caixaMensagem(QStringLiteral("Use apenas números neste campo"),
                                         QStringLiteral("Atenção!"), Caixa::IconeInformacao);
                return true;
            }
        }
    }
    return QDialog::eventFilter(alvo, e);
}

} // namespace vendrilo
