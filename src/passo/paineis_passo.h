#pragma once
// Os painéis da execução passo a passo. Não falam com o gdb: mostram o que
// a sessão (depuracao::Sessao) devolve a cada parada.

#include "depuracao/declaracoes.h"
#include "depuracao/sessao.h"

#include <QWidget>

#include <map>
#include <memory>
#include <set>
#include <vector>

class QPushButton;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;

namespace vendrilo {

class ModeloTesteMesa;

// Variáveis do algoritmo (Nome / Valor): globais, depois os parâmetros e as
// locais da rotina atual; vetores, matrizes e registros se expandem.
class PainelVariaveis : public QWidget {
    Q_OBJECT
public:
    explicit PainelVariaveis(QWidget* pai = nullptr);
    ~PainelVariaveis() override;

    // Mostra as variáveis da parada atual, destacando o que mudou desde o
    // Mostra anterior; o que estava expandido continua expandido.
    void Mostra(const std::vector<depuracao::VariavelVista>& variaveis);
    // Esvazia o painel (fim da sessão); o próximo Mostra não destaca nada.
    void Limpa();

    QTreeWidget* arvore() const { return arvore_; }

private:
    // Acerta a árvore a atual_ e anterior_; as partes de um valor só viram
    // itens quando o aluno as abre (uma matriz 100x100 não pesa no passo).
    void aplica();

    QTreeWidget* arvore_ = nullptr;
    std::vector<depuracao::VariavelVista> atual_, anterior_;
    std::set<QString> expandidos_; // caminhos expandidos pelo aluno
    std::set<QString> recolhidos_; // grupos de rotina recolhidos pelo aluno
    bool mostrou_ = false; // anterior_ vale: há o que comparar
    bool acertando_ = false; // expansões feitas por aplica(), não pelo aluno
};

// Pilha de chamadas: um quadro por linha, o mais recente em cima.
class PainelPilha : public QWidget {
    Q_OBJECT
public:
    explicit PainelPilha(QWidget* pai = nullptr);

    void Mostra(const std::vector<depuracao::QuadroPilha>& pilha);
    void Limpa();

    QTreeWidget* lista() const { return lista_; }

signals:
    // Duplo clique num quadro: a linha do algoritmo (base 0) para mostrar.
    void linhaEscolhida(int linhaAlgoritmo);

private:
    QTreeWidget* lista_ = nullptr;
};

// Teste de mesa: uma linha por passo, crescendo enquanto o aluno anda,
// exportável para CSV.
class PainelTesteMesa : public QWidget {
    Q_OBJECT
public:
    explicit PainelTesteMesa(QWidget* pai = nullptr);
    ~PainelTesteMesa() override;

    // Tabela nova, vazia, com as colunas destas declarações.
    void Inicia(const depuracao::Declaracoes& declaracoes);
    // Acrescenta um passo (linha base 0) e rola até ele.
    void Registra(int linhaAlgoritmo, const std::vector<depuracao::VariavelVista>& variaveis);
    void Limpa();
    // Grava o CSV da tabela em `caminho`; falso com a mensagem em `erro`.
    bool Exporta(const QString& caminho, QString* erro);
    // Pasta e nome que o diálogo de Exportar CSV... sugere (o do algoritmo).
    void DefineArquivoSugerido(const QString& caminho) { sugerido_ = caminho; }

    QTableView* tabela() const { return tabela_; }
    QPushButton* botaoExportar() const { return exportar_; }

private:
    // Exportar CSV...: pede o nome pelo diálogo e avisa quando falha.
    void exportaPeloDialogo();

    ModeloTesteMesa* modelo_ = nullptr;
    QTableView* tabela_ = nullptr;
    QPushButton* exportar_ = nullptr;
    QString sugerido_;
};

} // namespace vendrilo
