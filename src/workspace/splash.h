#pragma once
// Janela de abertura: título, créditos e a barra que conta até 2500.

#include <QWidget>

class QLabel;
class QProgressBar;

namespace vendrilo {

class TfrmSplash : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* pai = nullptr);

    QProgressBar* pb;
    QLabel* Label1;

    // Mostra sem esperar, conta a barra de 0 a 2500 redesenhando e fecha.
    void roda();
};

} // namespace vendrilo
