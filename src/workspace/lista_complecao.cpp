#include "workspace/lista_complecao.h"

#include "workspace/lista_comandos.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace vendrilo {

ListaComplecao::ListaComplecao(QWidget* pai)
    : QFrame(pai)
{
    setObjectName(QStringLiteral("SynComplete"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    titulo_ = new QLabel(QStringLiteral("COMANDOS DO VENDRILO"), this);
    QFont negrito = titulo_->font();
    negrito.setBold(true);
    titulo_->setFont(negrito);
    titulo_->setAutoFillBackground(true);
    titulo_->setBackgroundRole(QPalette::Button);
    layout->addWidget(titulo_);

    lista_ = new QListWidget(this);
    lista_->setFocusPolicy(Qt::NoFocus);
    lista_->setUniformItemSizes(true);
    layout->addWidget(lista_);
    connect(lista_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { emit escolhida(indices_.value(lista_->row(item), -1)); });
    connect(lista_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit escolhida(indices_.value(lista_->row(item), -1)); });

    // Oito linhas visíveis (acertadas em `filtra`) e largura fixa, como no desenho original.
    lista_->setFixedHeight((lista_->fontMetrics().height() + 2) * 8 + 4);
    setFixedWidth(262);
    hide();
}

bool ListaComplecao::filtra(const QString& prefixo)
{
    lista_->clear();
    indices_.clear();
    const auto comandos = ListaComandos();
    for (int i = 0; i < static_cast<int>(comandos.size()); ++i) {
        const QString exibicao = QString::fromUtf8(comandos[i].exibicao);
        if (!exibicao.startsWith(prefixo, Qt::CaseInsensitive))
            continue;
        // Tabulações da exibição viram colunas alinhadas na lista.
        QString texto = exibicao;
        texto.replace(QLatin1Char('\t'), QStringLiteral("  "));
        lista_->addItem(texto);
        indices_.append(i);
    }
    if (indices_.isEmpty()) {
        hide();
        return false;
    }
    // "se" marca SE, e não SELECIONE que vem antes: a palavra exata primeiro.
    int escolhida = 0;
    for (int r = 0; r < indices_.size(); ++r) {
        const QString exibicao = QString::fromUtf8(comandos[std::size_t(indices_[r])].exibicao);
        const QString palavra = exibicao.section(QRegularExpression(QStringLiteral("[\\s(]")), 0, 0);
        if (palavra.compare(prefixo, Qt::CaseInsensitive) == 0) {
            escolhida = r;
            break;
        }
    }
    lista_->setCurrentRow(escolhida);
    // Oito linhas de verdade: a altura de uma linha vem do próprio estilo.
    lista_->setFixedHeight(lista_->sizeHintForRow(0) * 8 + 2 * lista_->frameWidth());
    adjustSize();
    return true;
}

int ListaComplecao::linhaAtual() const
{
    return lista_->currentRow();
}

void ListaComplecao::defineLinhaAtual(int linha)
{
    lista_->setCurrentRow(qBound(0, linha, lista_->count() - 1));
}

bool ListaComplecao::trataTecla(QKeyEvent* e)
{
    if (!isVisible())
        return false;
    const int linha = lista_->currentRow();
    switch (e->key()) {
    case Qt::Key_Up: defineLinhaAtual(linha - 1); return true;
    case Qt::Key_Down: defineLinhaAtual(linha + 1); return true;
    case Qt::Key_PageUp: defineLinhaAtual(linha - 8); return true;
    case Qt::Key_PageDown: defineLinhaAtual(linha + 8); return true;
    case Qt::Key_Escape: hide(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        emit escolhida(indices_.value(linha, -1));
        return true;
    default: return false;
    }
}

} // namespace vendrilo
