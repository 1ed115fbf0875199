#include "learning/frm_mudou.h"

#include "formato/texto_1252.h"
#include "learning/pasta.h"
#include "platform/dialogos.h"
#include "translate/moldura.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QtMath>
#include <QVBoxLayout>

namespace vendrilo {

namespace {

QString titulo() { return QString::fromStdString(De1252(TituloAplicacao)); }

// O arquivo vem da instalação em Windows-1252; um já em UTF-8 também serve.
QString decodifica(const QByteArray& bytes)
{
    const std::string s = bytes.toStdString();
    return QString::fromStdString(Utf8Valido(s) ? s : De1252(s));
}

// Volta o cursor normal ao sair do escopo, por onde quer que se saia.
struct CursorEspera {
    CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorEspera() { QApplication::restoreOverrideCursor(); }
    CursorEspera(const CursorEspera&) = delete;
    CursorEspera& operator=(const CursorEspera&) = delete;
};

} // namespace

TfrmMudou::TfrmMudou(const QString& pastaPrograma, QWidget* pai) : QDialog(pai)
{
    setObjectName(QStringLiteral("frmMudou"));
    auto* raiz = new QVBoxLayout(this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->viewport()->setCursor(Qt::ArrowCursor);
    Memo1->setMinimumSize(520, 380);
    // Linhas como a de "=" são desenho: nunca quebram.
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    raiz->addWidget(Memo1);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    raiz->addWidget(ok, 0, Qt::AlignHCenter);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // FormCreate: a leitura é feita agora, a cada janela nova.
    const QString caminho = QDir(PastaOuPadrao(pastaPrograma)).filePath(QStringLiteral("versao.txt"));
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        dialogos().mostraMensagem(QStringLiteral("Não foi possível abrir o arquivo \"%1\": %2")
                                      .arg(QDir::toNativeSeparators(caminho), arquivo.errorString()));
        return;
    }
    const QByteArray bytes = arquivo.readAll();
    if (arquivo.error() != QFileDevice::NoError) {
        dialogos().mostraMensagem(QStringLiteral("Não foi possível ler o arquivo \"%1\": %2")
                                      .arg(QDir::toNativeSeparators(caminho), arquivo.errorString()));
        return;
    }
    Memo1->setPlainText(decodifica(bytes));
    ajustaLargura();
}

// Largura para a linha mais longa caber sem rolagem, até o limite da tela.
void TfrmMudou::ajustaLargura()
{
    const QFontMetrics medidas = Memo1->fontMetrics();
    int maior = 0;
    for (const QString& linha : Memo1->toPlainText().split(QLatin1Char('\n')))
        maior = qMax(maior, medidas.horizontalAdvance(linha));
    const int bordas = 2 * (Memo1->frameWidth() + qCeil(Memo1->document()->documentMargin())) +
                       Memo1->verticalScrollBar()->sizeHint().width() + medidas.averageCharWidth();
    int largura = maior + bordas;
    if (const QScreen* tela = screen())
        largura = qMin(largura, tela->availableGeometry().width() * 9 / 10);
    Memo1->setMinimumWidth(qMax(520, largura));
}

void TfrmMudou::showEvent(QShowEvent* evento)
{
    setWindowTitle(titulo() + QStringLiteral(" - O que mudou?"));
    QDialog::showEvent(evento);
}

void MostraOQueMudou(const QString& pastaPrograma, QWidget* pai)
{
    CursorEspera espera;
    TfrmMudou janela(pastaPrograma, pai);
    janela.exec();
}

} // namespace vendrilo
