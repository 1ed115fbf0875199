#include "passo/paineis_passo.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vendrilo {

namespace {
// A linha do algoritmo (base 0) guardada em cada quadro.
constexpr int PapelLinha = Qt::UserRole + 1;
} // namespace

PainelPilha::PainelPilha(QWidget* pai)
    : QWidget(pai)
{
    lista_ = new QTreeWidget(this);
    lista_->setObjectName(QStringLiteral("pilhaChamadas"));
    lista_->setColumnCount(2);
    lista_->setHeaderLabels({tr("Rotina"), tr("Linha")});
    lista_->setRootIsDecorated(false);
    lista_->setUniformRowHeights(true);
    lista_->header()->setStretchLastSection(false);
    lista_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lista_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    connect(lista_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
        const int linha = item->data(0, PapelLinha).toInt();
        if (linha >= 0)
            emit linhaEscolhida(linha);
    });
    auto* leiaute = new QVBoxLayout(this);
    leiaute->setContentsMargins(0, 0, 0, 0);
    leiaute->addWidget(lista_);
}

void PainelPilha::Mostra(const std::vector<depuracao::QuadroPilha>& pilha)
{
    // Os itens são reaproveitados: a lista não pisca a cada passo.
    while (lista_->topLevelItemCount() > static_cast<int>(pilha.size()))
        delete lista_->takeTopLevelItem(lista_->topLevelItemCount() - 1);
    for (std::size_t i = 0; i < pilha.size(); ++i) {
        QTreeWidgetItem* item = lista_->topLevelItem(static_cast<int>(i));
        if (!item) {
            item = new QTreeWidgetItem(lista_);
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        }
        const auto& q = pilha[i];
        item->setText(0, q.rotina.empty() ? tr("(programa principal)") : QString::fromStdString(q.rotina));
        item->setText(1, q.linha >= 0 ? QString::number(q.linha + 1) : QString());
        item->setData(0, PapelLinha, q.linha);
    }
}

void PainelPilha::Limpa()
{
    lista_->clear();
}

} // namespace vendrilo
