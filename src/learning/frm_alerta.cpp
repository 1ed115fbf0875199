#include "learning/frm_alerta.h"

#include "platform/dialogos.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vendrilo {

TfrmAlerta::TfrmAlerta(QWidget* pai) : QDialog(pai)
{
    setObjectName(QStringLiteral("frmAlerta"));
    setWindowTitle(QStringLiteral("Atenção!!!"));
    setModal(false);

    auto* raiz = new QVBoxLayout(this);
    auto* linha = new QHBoxLayout;
    imgAlerta = new QLabel(this);
    imgAlerta->setObjectName(QStringLiteral("imgAlerta"));
    panAlerta = new QLabel(this);
    panAlerta->setObjectName(QStringLiteral("panAlerta"));
    panAlerta->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    panAlerta->setFrameShape(QFrame::NoFrame);
    panAlerta->setWordWrap(true);
    panAlerta->setMinimumWidth(280);
    linha->addWidget(imgAlerta);
    linha->addWidget(panAlerta, 1);
    raiz->addLayout(linha);
    btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    raiz->addWidget(btnOk, 0, Qt::AlignHCenter);
    connect(btnOk, &QPushButton::clicked, this, &TfrmAlerta::btnOkClick);
}

void TfrmAlerta::Alerta(const QString& texto)
{
    dialogos().bipe();
    imgAlerta->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    panAlerta->setText(texto);
    show();
    raise();
}

void TfrmAlerta::btnOkClick() { close(); }

} // namespace vendrilo
