#include "workspace/frm_erros_sintaxe.h"

#include "check/paginas_sintaxe.h"
#include "formato/texto_1252.h"
#include "platform/dialogos.h"
#include "workspace/frm_sintaxe.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

namespace vendrilo {

namespace {

QString DoNucleo(const std::string& texto1252)
{
    return QString::fromStdString(De1252(texto1252));
}

int LinhaDoItem(const QModelIndex& indice)
{
    return indice.data(TFrmErrosSintaxe::PapelLinhaAlgoritmo).toInt();
}

// Desenha a mensagem como sempre e, na ponta direita, a linha do algoritmo.
class DelegadoLinha : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    static constexpr int Espaco = 24;

    static QString Rotulo(const QModelIndex& indice)
    {
        const int linha = LinhaDoItem(indice);
        return linha > 0 ? QStringLiteral("linha %1").arg(linha) : QString();
    }

    void paint(QPainter* pintor, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override
    {
        QStyledItemDelegate::paint(pintor, opcao, indice);
        const QString rotulo = Rotulo(indice);
        if (rotulo.isEmpty())
            return;
        pintor->save();
        const bool escolhida = opcao.state & QStyle::State_Selected;
        pintor->setPen(opcao.palette.color(escolhida ? QPalette::HighlightedText : QPalette::Link));
        pintor->drawText(opcao.rect.adjusted(0, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter, rotulo);
        pintor->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override
    {
        QSize tamanho = QStyledItemDelegate::sizeHint(opcao, indice);
        const QString rotulo = Rotulo(indice);
        if (!rotulo.isEmpty())
            tamanho.rwidth() += Espaco + opcao.fontMetrics.horizontalAdvance(rotulo);
        return tamanho;
    }
};

} // namespace

TFrmErrosSintaxe::TFrmErrosSintaxe(const QString& tituloAplicacao, QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint)
    , tituloAplicacao_(tituloAplicacao)
    , ErrosSintaxe_(new QListWidget(this))
    , Button1_(new QPushButton(QStringLiteral("&Retornar"), this))
    , sintaxe_(new TFrmSintaxe(tituloAplicacao, this))
    , cliqueAdiado_(new QTimer(this))
{
    setObjectName(QStringLiteral("FrmErrosSintaxe"));
    setModal(true);
    QFont fonte(QStringLiteral("Arial"));
    fonte.setBold(true);
    setFont(fonte);

    ErrosSintaxe_->setObjectName(QStringLiteral("ErrosSintaxe"));
    ErrosSintaxe_->setCursor(Qt::PointingHandCursor);
    ErrosSintaxe_->viewport()->setCursor(Qt::PointingHandCursor);
    // Fundo da própria janela, como um quadro de avisos e não um campo de escolha.
    ErrosSintaxe_->setStyleSheet(QStringLiteral("QListWidget { background: palette(window); }"));
    ErrosSintaxe_->setMinimumSize(521, 305);
    ErrosSintaxe_->viewport()->installEventFilter(this);
    ErrosSintaxe_->installEventFilter(this);
    ErrosSintaxe_->setItemDelegate(new DelegadoLinha(ErrosSintaxe_));
    connect(ErrosSintaxe_, &QListWidget::itemClicked, this, &TFrmErrosSintaxe::clique);
    connect(ErrosSintaxe_, &QListWidget::itemDoubleClicked, this, &TFrmErrosSintaxe::cliqueDuplo);
    cliqueAdiado_->setSingleShot(true);
    connect(cliqueAdiado_, &QTimer::timeout, this, [this] { SelecionaErro(linhaAdiada_); });

    Button1_->setObjectName(QStringLiteral("Button1"));
    // 75x25 de sempre, ou o que o texto pedir numa fonte maior.
    Button1_->setFixedSize(QSize(75, 25).expandedTo(Button1_->sizeHint()));
    Button1_->setAutoDefault(false);
    connect(Button1_, &QPushButton::clicked, this, &TFrmErrosSintaxe::EncerraListaErros);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(Button1_);
    botoes->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(ErrosSintaxe_);
    layout->addLayout(botoes);
    resize(536, 350);
}

void TFrmErrosSintaxe::defineErros(const std::vector<std::string>& linhas,
                                   const std::vector<int>& TipoErroLinha,
                                   const std::vector<int>& LinhaAlgoritmo)
{
    limpaErros();
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        auto* item = new QListWidgetItem(DoNucleo(linhas[i]), ErrosSintaxe_);
        const int linha = i < LinhaAlgoritmo.size() ? LinhaAlgoritmo[i] : 0;
        if (linha > 0) {
            item->setData(PapelLinhaAlgoritmo, linha);
            item->setToolTip(QStringLiteral("Clique para ver a sintaxe do comando; clique duplo para ir "
                                            "à linha %1 do algoritmo.")
                                 .arg(linha));
        }
    }
    TipoErroLinha_ = TipoErroLinha;
    // Mensagens longas não podem ficar cortadas: a janela cresce até caber.
    const int largura = ErrosSintaxe_->sizeHintForColumn(0) + 40;
    if (largura > width())
        resize(largura, height());
}

void TFrmErrosSintaxe::limpaErros()
{
    cliqueAdiado_->stop();
    ErrosSintaxe_->clear();
    TipoErroLinha_.clear();
}

void TFrmErrosSintaxe::clique(QListWidgetItem* item)
{
    const int linha = ErrosSintaxe_->row(item);
    // Sem linha do algoritmo não há clique duplo a esperar.
    if (item->data(PapelLinhaAlgoritmo).toInt() <= 0) {
        SelecionaErro(linha);
        return;
    }
    linhaAdiada_ = linha;
    cliqueAdiado_->start(QApplication::doubleClickInterval());
}

void TFrmErrosSintaxe::cliqueDuplo(QListWidgetItem* item)
{
    cliqueAdiado_->stop();
    const int linha = item->data(PapelLinhaAlgoritmo).toInt();
    if (linha > 0)
        emit irParaLinha(linha);
}

void TFrmErrosSintaxe::SelecionaErro(int linha)
{
    cliqueAdiado_->stop(); // Enter sobre um clique ainda em espera: uma página só
    dialogos().bipe();
    const EscolhaErro escolha = vendrilo::SelecionaErro(TipoErroLinha_, linha);
    if (escolha.pedeLinhaNumerada) {
        dialogos().caixaMensagem(DoNucleo(TextoCliqueLinhaNumerada()), tituloAplicacao_,
                                 Caixa::Ok);
        return;
    }
    sintaxe_->LimpaPagina();
    sintaxe_->EscrevePagina(escolha.pagina);
    sintaxe_->exec();
}

void TFrmErrosSintaxe::EncerraListaErros()
{
    limpaErros();
    close();
}

void TFrmErrosSintaxe::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    FormActivate();
}

void TFrmErrosSintaxe::done(int resultado)
{
    FormClose();
    QDialog::done(resultado);
}

bool TFrmErrosSintaxe::eventFilter(QObject* alvo, QEvent* evento)
{
    // Clique fora das linhas também pede uma linha numerada.
    if (alvo == ErrosSintaxe_->viewport() && evento->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(evento);
        if (mouse->button() == Qt::LeftButton && !ErrosSintaxe_->itemAt(mouse->position().toPoint()))
            SelecionaErro(-1);
    }
    // Enter na linha escolhida equivale ao clique, para quem usa o teclado.
    if (alvo == ErrosSintaxe_ && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            SelecionaErro(ErrosSintaxe_->currentRow());
            return true;
        }
    }
    return QDialog::eventFilter(alvo, evento);
}

void TFrmErrosSintaxe::FormActivate()
{
    setWindowTitle(tituloAplicacao_ + QStringLiteral(" - Lista de Erros de Sintaxe"));
}

void TFrmErrosSintaxe::FormClose()
{
    limpaErros();
    emit limpaPainelStatus3();
}

} // namespace vendrilo
