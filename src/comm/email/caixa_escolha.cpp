#include "comm/email/caixa_escolha.h"

#include <QLineEdit>

namespace vendrilo {

CaixaEscolha::CaixaEscolha(QWidget* pai) : QComboBox(pai)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert); // o que se digita não vira item
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { digitado_ = true; });
    connect(this, &QComboBox::activated, this, [this] { digitado_ = false; });
}

void CaixaEscolha::escolhe(int i)
{
    setCurrentIndex(i);
    if (i < 0)
        setEditText(QString());
    digitado_ = false;
}

void CaixaEscolha::semEscolha(const QString& texto)
{
    setCurrentIndex(-1);
    setEditText(texto);
    digitado_ = false;
}

} // namespace vendrilo
