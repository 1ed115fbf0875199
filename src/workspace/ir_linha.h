#pragma once
// Janela "Ir até a linha": só aceita números no campo.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace vendrilo {

class TfrmLinha : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLinha(QWidget* pai = nullptr);

    QLineEdit* edtLinha;
    QPushButton* BtnIr;

protected:
    bool eventFilter(QObject* alvo, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
};

} // namespace vendrilo
