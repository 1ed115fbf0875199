#include "workspace/frm_sintaxe.h"

#include "formato/texto_1252.h"
#include "platform/dialogos.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vendrilo {

namespace {

QString DoNucleo(const std::string& texto1252)
{
    return QString::fromStdString(De1252(texto1252));
}

// Linhas visíveis sem rolar; as demais ficam ao alcance da barra vertical.
constexpr int LinhasVisiveis = 24;

} // namespace

TFrmSintaxe::TFrmSintaxe(const QString& tituloAplicacao, QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      tituloAplicacao_(tituloAplicacao),
      memo_(NovoMemoSintaxe()),
      SintaxeEst_(new QPlainTextEdit(this)),
      Retornar_(new QPushButton(QStringLiteral("&Retornar"), this))
{
    setObjectName(QStringLiteral("FrmSintaxe"));
    setModal(true);

    SintaxeEst_->setObjectName(QStringLiteral("SintaxeEst"));
    SintaxeEst_->setReadOnly(true);
    SintaxeEst_->setUndoRedoEnabled(false);
    // Cada linha de página é uma linha na tela: fonte de largura fixa, sem quebra.
    SintaxeEst_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fonte = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fonte.setBold(true);
    SintaxeEst_->setFont(fonte);
    SintaxeEst_->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background-color: silver; color: navy; }"));
    SintaxeEst_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SintaxeEst_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SintaxeEst_->viewport()->setCursor(Qt::ForbiddenCursor);

    const QFontMetrics medidas(fonte);
    const int margens = 2 * (SintaxeEst_->frameWidth() +
                             static_cast<int>(SintaxeEst_->document()->documentMargin())) + 8;
    const int largura = medidas.horizontalAdvance(QString(LarguraLinhaPagina, QLatin1Char('M'))) +
                        margens + SintaxeEst_->verticalScrollBar()->sizeHint().width();
    SintaxeEst_->setMinimumSize(largura, medidas.lineSpacing() * LinhasVisiveis + margens);

    Retornar_->setObjectName(QStringLiteral("Retornar"));
    // 75x25 de sempre, ou o que o texto pedir numa fonte maior.
    Retornar_->setFixedSize(QSize(75, 25).expandedTo(Retornar_->sizeHint()));
    connect(Retornar_, &QPushButton::clicked, this, &TFrmSintaxe::SintaxeRetornar);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(Retornar_);
    botoes->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(SintaxeEst_);
    layout->addLayout(botoes);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    mostraQuadro();
}

void TFrmSintaxe::LimpaPagina()
{
    vendrilo::LimpaPagina(memo_);
    mostraQuadro();
}

void TFrmSintaxe::EscrevePagina(int numero)
{
    const std::string titulo = vendrilo::EscrevePagina(memo_, numero);
    if (!titulo.empty())
        setWindowTitle(DoNucleo(titulo));
    mostraQuadro();
}

void TFrmSintaxe::MontaSintaxe()
{
    dialogos().bipe();
    setWindowTitle(tituloAplicacao_ + QStringLiteral(" - Sintaxe de Comandos"));
}

QStringList TFrmSintaxe::linhas() const
{
    QStringList r;
    for (const std::string& linha : memo_)
        r << DoNucleo(linha);
    return r;
}

void TFrmSintaxe::SintaxeRetornar()
{
    close();
}

void TFrmSintaxe::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    MontaSintaxe();
}

void TFrmSintaxe::mostraQuadro()
{
    SintaxeEst_->setPlainText(linhas().join(QLatin1Char('\n')));
    SintaxeEst_->moveCursor(QTextCursor::Start);
}

} // namespace vendrilo
