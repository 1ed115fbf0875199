#pragma once
// Janela de alerta não modal (por exemplo: texto não localizado). Criada uma
// vez e reaproveitada: um novo alerta troca o texto e a mostra de novo.

#include <QDialog>

class QLabel;
class QPushButton;

namespace vendrilo {

class TfrmAlerta : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAlerta(QWidget* pai = nullptr);

    // Bipe de informação, ícone de aviso, o texto; mostra sem bloquear quem chama.
    void Alerta(const QString& texto);

    QLabel* imgAlerta;
    QLabel* panAlerta;
    QPushButton* btnOk;

public slots:
    void btnOkClick();
};

} // namespace vendrilo
