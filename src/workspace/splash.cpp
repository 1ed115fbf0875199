#include "workspace/splash.h"

#include "workspace/principal.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace vendrilo {

TfrmSplash::TfrmSplash(QWidget* pai)
    : QWidget(pai, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(TituloAplicacao());
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 240));
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    Label1 = new QLabel(TituloAplicacao(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont grande = Label1->font();
    grande.setPixelSize(20);
    grande.setBold(true);
    Label1->setFont(grande);
    Label1->setAlignment(Qt::AlignCenter);
    layout->addWidget(Label1);
    const char* textos[] = {
        "Programa livre e em desenvolvimento.",
        "Dúvidas e sugestões são bem-vindas:",
        "contato@vendrilo.org",
        "Laboratório de Ensino de Programação",
        "Departamento de Computação",
    };
    for (const char* t : textos) {
        auto* rotulo = new QLabel(QString::fromUtf8(t), this);
        rotulo->setAlignment(Qt::AlignCenter);
        layout->addWidget(rotulo);
    }
    pb = new QProgressBar(this);
    pb->setObjectName(QStringLiteral("pb"));
    pb->setTextVisible(false);
    layout->addWidget(pb);
    resize(440, 230);
    if (QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());
}

void TfrmSplash::roda()
{
    pb->setRange(0, 2500);
    pb->setValue(0);
    show();
    repaint();
    // A barra anda 2500 passos, mas só se redesenha quando muda de pixel:
    // 2500 pinturas completas levariam segundos e a tela seria a mesma.
    int ultimoPixel = -1;
    for (int i = 0; i < 2500; ++i) {
        pb->setValue(pb->value() + 1);
        const int pixel = pb->width() * pb->value() / pb->maximum();
        if (pixel != ultimoPixel) {
            ultimoPixel = pixel;
            pb->repaint();
        }
    }
    close();
}

} // namespace vendrilo
