#include "passo/paineis_passo.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vendrilo {

PainelVariaveis::PainelVariaveis(QWidget* pai)
    : QWidget(pai)
{
    arvore_ = new QTreeWidget(this);
    arvore_->setObjectName(QStringLiteral("variaveis"));
    arvore_->setColumnCount(2);
    arvore_->setHeaderLabels({tr("Nome"), tr("Valor")});
    auto* leiaute = new QVBoxLayout(this);
    leiaute->setContentsMargins(0, 0, 0, 0);
    leiaute->addWidget(arvore_);
}

PainelVariaveis::~PainelVariaveis() = default;

void PainelVariaveis::Mostra(const std::vector<depuracao::VariavelVista>& variaveis)
{
    arvore_->clear();
    for (const auto& v : variaveis)
        new QTreeWidgetItem(arvore_, {QString::fromStdString(v.nome), QString::fromStdString(v.valor)});
    mostrou_ = true;
}

void PainelVariaveis::Limpa()
{
    arvore_->clear();
    mostrou_ = false;
}

} // namespace vendrilo
