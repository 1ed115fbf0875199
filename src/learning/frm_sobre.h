#pragma once
// Sobre - Créditos: finalidade, termos de uso, equipe e contatos do projeto.

#include <QDialog>
#include <QLabel>

namespace vendrilo {

// Rótulo que age como link: cursor de mão e um sinal ao ser clicado.
class RotuloLink : public QLabel {
    Q_OBJECT
public:
    explicit RotuloLink(const QString& texto, QWidget* pai = nullptr);
signals:
    void clicado();
protected:
    void mouseReleaseEvent(QMouseEvent* evento) override;
};

class TfrmSobre : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSobre(QWidget* pai = nullptr);

    QLabel* ProgramIcon;
    QLabel* ProductName;
    RotuloLink* Label7; // contato: abre o programa de correio
    RotuloLink* Label8; // página do projeto: abre o navegador

public slots:
    void Label7Click();
    void Label8Click();

protected:
    void showEvent(QShowEvent* evento) override;
};

} // namespace vendrilo
