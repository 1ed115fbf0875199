#include "learning/frm_ajuda.h"

#include "formato/texto_1252.h"
#include "learning/pasta.h"
#include "platform/dialogos.h"
#include "translate/moldura.h"
#include "translate/tabela_palavras.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace vendrilo {

TfrmAjuda::TfrmAjuda(QWidget* pai) : QDialog(pai)
{
    setObjectName(QStringLiteral("frmAjuda"));
    setWindowTitle(QString::fromStdString(De1252(TituloAplicacao)) +
                   QStringLiteral(" - Ajuda"));
    setModal(false);
    resize(760, 560);

    auto* raiz = new QVBoxLayout(this);
    auto* barra = new QHBoxLayout;
    auto botao = [this, barra](QStyle::StandardPixmap icone, const QString& texto, const char* nome) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(nome));
        b->setIcon(style()->standardIcon(icone));
        b->setText(texto);
        b->setToolTip(texto);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        barra->addWidget(b);
        return b;
    };
    btnVoltar = botao(QStyle::SP_ArrowBack, QStringLiteral("Voltar"), "btnVoltar");
    btnAvancar = botao(QStyle::SP_ArrowForward, QStringLiteral("Avançar"), "btnAvancar");
    btnInicio = botao(QStyle::SP_DirHomeIcon, QStringLiteral("Início"), "btnInicio");
    barra->addStretch(1);
    raiz->addLayout(barra);

    Navegador = new QTextBrowser(this);
    Navegador->setObjectName(QStringLiteral("Navegador"));
    // Links para fora (correio, páginas da Internet) vão para o navegador do sistema.
    Navegador->setOpenExternalLinks(true);
    raiz->addWidget(Navegador, 1);

    btnVoltar->setEnabled(false);
    btnAvancar->setEnabled(false);
    connect(btnVoltar, &QToolButton::clicked, Navegador, &QTextBrowser::backward);
    connect(btnAvancar, &QToolButton::clicked, Navegador, &QTextBrowser::forward);
    connect(btnInicio, &QToolButton::clicked, Navegador, &QTextBrowser::home);
    connect(Navegador, &QTextBrowser::backwardAvailable, btnVoltar, &QToolButton::setEnabled);
    connect(Navegador, &QTextBrowser::forwardAvailable, btnAvancar, &QToolButton::setEnabled);
}

bool TfrmAjuda::abre(const QString& pastaPrograma)
{
    const QString indice = QDir(PastaOuPadrao(pastaPrograma)).filePath(QStringLiteral("hlp/index.html"));
    if (!QFileInfo(indice).isFile()) {
        dialogos().mostraMensagem(QStringLiteral("A ajuda não foi encontrada em \"%1\". Refaça o download do Vendrilo.")
                                      .arg(QDir::toNativeSeparators(indice)));
        return false;
    }
    Navegador->clearHistory();
    Navegador->setSource(QUrl::fromLocalFile(indice));
    show();
    raise();
    activateWindow();
    return true;
}

QString TfrmAjuda::AncoraDaPalavra(const QString& trecho)
{
    // O trecho como está e, para quem escreveu colado, sem pontuação em volta
    // e sem o que vem depois do primeiro parêntese: "mostre-pl(x);" é mostre-pl.
    QString limpo = trecho;
    while (!limpo.isEmpty() && QStringLiteral(";,.:").contains(limpo.back()))
        limpo.chop(1);
    QStringList candidatos{trecho, limpo};
    if (const qsizetype abre = limpo.indexOf(QLatin1Char('(')); abre > 0)
        candidatos << limpo.left(abre);
    if (limpo.startsWith(QLatin1Char('(')) || limpo.endsWith(QLatin1Char(')')))
        candidatos << limpo.mid(limpo.startsWith(QLatin1Char('(')) ? 1 : 0)
                          .chopped(limpo.endsWith(QLatin1Char(')')) ? 1 : 0);
    for (const QString& c : candidatos) {
        // Só letras sem acento maiúsculas são comparadas (início não é palavra).
        bool ascii = !c.isEmpty();
        for (QChar ch : c)
            ascii = ascii && ch.unicode() < 0x80;
        if (!ascii)
            continue;
        const std::string maiuscula = c.toUpper().toStdString();
        if (const PalavraChave* p = ProcuraPalavra(maiuscula))
            return QStringLiteral("tipo-%1").arg(p->tipo);
    }
    return {};
}

bool TfrmAjuda::abreNaPalavra(const QString& trecho, const QString& pastaPrograma)
{
    const QString ancora = AncoraDaPalavra(trecho);
    const QString referencia =
        QDir(PastaOuPadrao(pastaPrograma)).filePath(QStringLiteral("hlp/referencia.html"));
    if (ancora.isEmpty() || !QFileInfo(referencia).isFile())
        return abre(pastaPrograma);
    QUrl url = QUrl::fromLocalFile(referencia);
    url.setFragment(ancora);
    Navegador->setSource(url);
    show();
    raise();
    activateWindow();
    return true;
}

} // namespace vendrilo
