#pragma once
// Janela de ajuda do envio de algoritmos: explica os campos e os botões.

#include <QDialog>

class QPushButton;

namespace vendrilo {

class TFrmHelpMail : public QDialog {
    Q_OBJECT
public:
    // `titulo`: título da aplicação; a equipe e seu endereço vêm da configuração.
    TFrmHelpMail(const QString& titulo, const QString& equipe, const QString& enderecoEquipe,
                 QWidget* pai = nullptr);

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    QPushButton* ok_ = nullptr;
};

} // namespace vendrilo
