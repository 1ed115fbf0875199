#include "passo/modelo_teste_mesa.h"

namespace vendrilo {

ModeloTesteMesa::ModeloTesteMesa(QObject* pai)
    : QAbstractTableModel(pai)
{
}

ModeloTesteMesa::~ModeloTesteMesa() = default;

void ModeloTesteMesa::Inicia(const depuracao::Declaracoes& declaracoes)
{
    beginResetModel();
    tabela_ = std::make_unique<depuracao::TesteDeMesa>(declaracoes);
    endResetModel();
}

void ModeloTesteMesa::Registra(int linhaAlgoritmo, const std::vector<depuracao::VariavelVista>& variaveis)
{
    if (!tabela_)
        return;
    const int n = rowCount();
    beginInsertRows({}, n, n);
    tabela_->Registra(linhaAlgoritmo, variaveis);
    endInsertRows();
}

void ModeloTesteMesa::Limpa()
{
    beginResetModel();
    tabela_.reset();
    endResetModel();
}

int ModeloTesteMesa::rowCount(const QModelIndex& pai) const
{
    return pai.isValid() || !tabela_ ? 0 : static_cast<int>(tabela_->Linhas().size());
}

int ModeloTesteMesa::columnCount(const QModelIndex& pai) const
{
    return pai.isValid() || !tabela_ ? 0 : static_cast<int>(tabela_->Cabecalho().size());
}

QVariant ModeloTesteMesa::data(const QModelIndex& indice, int papel) const
{
    if (!tabela_ || !indice.isValid() || indice.row() >= rowCount() || indice.column() >= columnCount())
        return {};
    if (papel == Qt::DisplayRole || papel == Qt::ToolTipRole)
        return QString::fromStdString(tabela_->Linhas()[indice.row()][indice.column()]);
    // Passo e linha são números: à direita, como numa folha de papel.
    if (papel == Qt::TextAlignmentRole && indice.column() < 2)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ModeloTesteMesa::headerData(int secao, Qt::Orientation orientacao, int papel) const
{
    if (!tabela_ || papel != Qt::DisplayRole || orientacao != Qt::Horizontal || secao < 0 ||
        secao >= columnCount())
        return {};
    return QString::fromStdString(tabela_->Cabecalho()[secao]);
}

} // namespace vendrilo
