#include "workspace/filha.h"

#include "platform/dialogos.h"
#include "workspace/documentos.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/modelo_alg.h"
#include "workspace/principal.h"
#include "workspace/recuperacao.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

namespace vendrilo {

namespace {

bool areaTemTexto()
{
    const QMimeData* dados = QGuiApplication::clipboard()->mimeData();
    return dados && dados->hasText();
}

} // namespace

TFrmFilha::TFrmFilha(TfrmPrincipal* principal, QWidget* pai)
    : QWidget(pai)
    , principal_(principal)
{
    setObjectName(QStringLiteral("FrmFilha"));
    defineLegenda(QStringLiteral("Algoritmo"));
    QFont fonte(QStringLiteral("Courier New"));
    fonte.setStyleHint(QFont::TypeWriter);
    setFont(fonte);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    memEditor = new EditorVendrilo(this);
    layout->addWidget(memEditor, 1);

    grbErro = new QGroupBox(QStringLiteral(" Atenção!!! Erro detectado na linha [9999999] !!! "), this);
    grbErro->setObjectName(QStringLiteral("grbErro"));
    QFont fonteGrupo(QStringLiteral("Verdana"));
    fonteGrupo.setPixelSize(14);
    fonteGrupo.setBold(true);
    grbErro->setFont(fonteGrupo);
    grbErro->setStyleSheet(QStringLiteral("QGroupBox { color: red; }"));
    auto* layoutErro = new QVBoxLayout(grbErro);
    layoutErro->setContentsMargins(4, 2, 4, 2);
    memErro = new QPlainTextEdit(grbErro);
    memErro->setObjectName(QStringLiteral("memErro"));
    memErro->setReadOnly(true);
    memErro->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memErro->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fonteErro(QStringLiteral("Courier New"));
    fonteErro.setStyleHint(QFont::TypeWriter);
    fonteErro.setPixelSize(14);
    memErro->setFont(fonteErro);
    memErro->setStyleSheet(QStringLiteral("QPlainTextEdit { color: black; }"));
    memErro->setPlainText(QStringLiteral("Erro linha 0\nErro linha 1\nErro linha 2"));
    memErro->viewport()->installEventFilter(this);
    layoutErro->addWidget(memErro);
    grbErro->setFixedHeight(alturaPainelErro(3));
    layout->addWidget(grbErro);
    grbErro->hide();

    // Corpo do modelo; o cabeçalho (quatro linhas vazias aqui) entra em CriaFilha.
    QStringList inicio;
    const auto modelo = ModeloAlg(std::string(), std::string());
    for (std::size_t i = 0; i < modelo.size(); ++i)
        inicio << (i < 4 ? QString() : QString::fromStdString(modelo[i]));
    memEditor->defineLinhas(inicio);
    memEditor->limpaDesfazer();
    memEditor->setModified(false);

    connect(memEditor, &QsciScintilla::textChanged, grbErro, &QWidget::hide);
    connect(memEditor, &QsciScintilla::modificationChanged, this, &TFrmFilha::atualizaTitulo);
    connect(memEditor, &EditorVendrilo::teclaApertada, this, &TFrmFilha::atualizaPosicao);
    connect(memEditor, &EditorVendrilo::teclaSolta, this, [this] {
        atualizaPosicao();
        atualizaBotoesTransferencia();
        atualizaDesfazer();
    });
    connect(memEditor, &EditorVendrilo::mouseSolto, this, &TFrmFilha::atualizaPosicao);
    connect(memEditor, &EditorVendrilo::mouseMovido, this, [this] {
        principal_->defineStatus(0, QString::number(memEditor->numeroLinhas()));
        principal_->defineStatus(1, QString());
        principal_->defineStatus(2, QStringLiteral("   Área de Edição"));
        atualizaBotoesTransferencia();
        atualizaDesfazer();
    });
    // O cursor também anda por comandos (ir para linha, erro): o painel 3 acompanha.
    connect(memEditor, &QsciScintilla::cursorPositionChanged, this, [this] {
        if (principal_->filhaAtiva() == this)
            principal_->defineStatus(3, QStringLiteral("Lin: %1  Col: %2")
                                            .arg(memEditor->linhaCursor() + 1)
                                            .arg(memEditor->colunaExibida()));
    });
}

void TFrmFilha::defineLegenda(const QString& texto)
{
    legenda_ = texto;
    atualizaTitulo();
}

void TFrmFilha::atualizaTitulo()
{
    const bool modificado = memEditor && memEditor->isModified();
    setWindowTitle(modificado ? legenda_ + QLatin1Char('*') : legenda_);
}

void TFrmFilha::atualizaPosicao()
{
    principal_->defineStatus(0, QString::number(memEditor->numeroLinhas()));
    principal_->defineStatus(1, QString());
    principal_->defineStatus(3, QStringLiteral("Lin: %1  Col: %2")
                                    .arg(memEditor->linhaCursor() + 1)
                                    .arg(memEditor->colunaExibida()));
}

void TFrmFilha::atualizaBotoesTransferencia()
{
    const bool selecao = memEditor->temSelecao();
    principal_->acao(QStringLiteral("btnCopiar"))->setEnabled(selecao);
    principal_->acao(QStringLiteral("btnRecortar"))->setEnabled(selecao);
    principal_->acao(QStringLiteral("btnColar"))->setEnabled(areaTemTexto());
}

void TFrmFilha::atualizaDesfazer()
{
    // Só habilita: quem desabilita é a janela principal.
    if (memEditor->podeDesfazer()) {
        principal_->acao(QStringLiteral("btnDesfazer"))->setEnabled(true);
        principal_->acao(QStringLiteral("Desfazer1"))->setEnabled(true);
    }
    if (memEditor->podeRefazer()) {
        principal_->acao(QStringLiteral("btnRedo"))->setEnabled(true);
        principal_->acao(QStringLiteral("Refazer1"))->setEnabled(true);
    }
}

void TFrmFilha::FormActivate()
{
    atualizaPosicao();
}

int TFrmFilha::alturaPainelErro(int linhas) const
{
    // Todas as linhas do relatório à vista, sem rolar (o "^" da terceira
    // precisa aparecer), e ainda a barra horizontal das linhas longas.
    const int texto = memErro->fontMetrics().lineSpacing() * linhas
                      + 2 * int(memErro->document()->documentMargin()) + 2 * memErro->frameWidth()
                      + memErro->horizontalScrollBar()->sizeHint().height();
    return texto + grbErro->fontMetrics().height() + 12;
}

void TFrmFilha::mostraErro(const QString& titulo, const QStringList& linhas)
{
    grbErro->setTitle(titulo);
    // A dica, quando há, é uma quarta linha: o painel cresce para mostrá-la.
    grbErro->setFixedHeight(alturaPainelErro(qMax(3, int(linhas.size()))));
    memErro->setPlainText(linhas.join(QLatin1Char('\n')));
    grbErro->show();
}

void TFrmFilha::memErroClick()
{
    // ColunaErro conta a partir de 1 (a posição do "^"); o editor, de 0.
    memEditor->posicionaCursor(principal_->LinhaErro, qMax(0, principal_->ColunaErro - 1));
    memEditor->setFocus();
    memEditor->selecionaPalavraNoCursor();
}

bool TFrmFilha::eventFilter(QObject* alvo, QEvent* e)
{
    if (alvo == memErro->viewport() && e->type() == QEvent::MouseButtonRelease)
        memErroClick();
    return QWidget::eventFilter(alvo, e);
}

bool TFrmFilha::FormCloseQuery()
{
    if (!memEditor->isModified())
        return true;
    const int r = dialogos().caixaMensagem(
        QStringLiteral("Deseja salvar as alterações em ") + NomeArquivo + QStringLiteral("?"),
        QStringLiteral("Vendrilo de Algoritmo"), Caixa::SimNaoCancelar | Caixa::IconeAviso);
    if (r == Caixa::RespSim)
        // Sem gravar (Salvar Como cancelado ou falha de disco), a janela fica.
        return principal_->documentos().Salvar(this);
    return r == Caixa::RespNao;
}

void TFrmFilha::FormClose()
{
    // Fechada de propósito (salva ou com "Não"): a cópia de recuperação sai.
    principal_->recuperacao().descarta(this);
    principal_->Ativa();
    for (const char* nome : {"Novo1", "Abrir1", "btnNovo", "btnAbrir"})
        principal_->acao(QString::fromLatin1(nome))->setEnabled(true);
    principal_->defineStatus(0, QString());
    principal_->defineStatus(1, QString());
    principal_->defineStatus(3, QString());
    fechada_ = true;
    if (principal_->filhas().isEmpty())
        principal_->Desativa();
}

void TFrmFilha::closeEvent(QCloseEvent* e)
{
    if (fechada_) {
        e->accept();
        return;
    }
    if (!FormCloseQuery()) {
        e->ignore();
        return;
    }
    FormClose();
    e->accept();
}

} // namespace vendrilo
