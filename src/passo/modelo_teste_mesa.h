#pragma once
// O teste de mesa como modelo de tabela: as células são lidas direto das
// linhas do depuracao::TesteDeMesa, sem um item por célula, para que
// dezenas de milhares de passos não pesem na tela.

#include "depuracao/teste_mesa.h"

#include <QAbstractTableModel>

#include <memory>

namespace vendrilo {

class ModeloTesteMesa : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeloTesteMesa(QObject* pai = nullptr);
    ~ModeloTesteMesa() override;

    // Tabela nova, sem linhas; as colunas vêm das declarações.
    void Inicia(const depuracao::Declaracoes& declaracoes);
    void Registra(int linhaAlgoritmo, const std::vector<depuracao::VariavelVista>& variaveis);
    // Sem tabela nenhuma (nem colunas).
    void Limpa();

    // Nulo antes de Inicia.
    const depuracao::TesteDeMesa* tabela() const { return tabela_.get(); }

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;

private:
    std::unique_ptr<depuracao::TesteDeMesa> tabela_;
};

} // namespace vendrilo
