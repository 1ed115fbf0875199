#include "passo/paineis_passo.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <functional>

namespace vendrilo {

namespace {

// Dados guardados em cada item da árvore.
constexpr int PapelCaminho = Qt::UserRole + 1; // identifica a linha entre um passo e outro
constexpr int PapelMudou = Qt::UserRole + 2; // o valor mudou no último passo

// Uma linha desejada na árvore; os itens existentes são acertados a ela.
struct Linha {
    QString chave; // única entre irmãs
    QString nome;
    QString valor;
    bool grupo = false; // cabeçalho de rotina (sem valor)
    std::vector<Linha> filhos;
};

void acrescentaPartes(const depuracao::NoValor& no, std::vector<Linha>& destino)
{
    destino.reserve(no.filhos.size());
    for (const auto& [rotulo, filho] : no.filhos) {
        const QString r = QString::fromStdString(rotulo);
        Linha l{r, r, QString::fromStdString(filho.texto), false, {}};
        acrescentaPartes(filho, l.filhos);
        destino.push_back(std::move(l));
    }
}

// Globais no alto; as variáveis de cada rotina sob um cabeçalho com o nome dela.
std::vector<Linha> linhasDe(const std::vector<depuracao::VariavelVista>& variaveis)
{
    std::vector<Linha> linhas;
    std::map<std::string, std::size_t> grupos;
    for (const auto& v : variaveis) {
        const QString nome = QString::fromStdString(v.nome);
        Linha l{nome, nome, QString::fromStdString(v.valor), false, {}};
        acrescentaPartes(v.arvore, l.filhos);
        if (v.rotina.empty()) {
            linhas.push_back(std::move(l));
            continue;
        }
        auto g = grupos.find(v.rotina);
        if (g == grupos.end()) {
            const QString rotina = QString::fromStdString(v.rotina);
            g = grupos.emplace(v.rotina, linhas.size()).first;
            // A chave começa por um caractere que nenhum nome tem: rotina e
            // global de mesmo nome não se confundem.
            linhas.push_back({QLatin1Char('@') + rotina,
                              PainelVariaveis::tr("%1 (parâmetros e locais)").arg(rotina),
                              QString(),
                              true,
                              {}});
        }
        linhas[g->second].filhos.push_back(std::move(l));
    }
    return linhas;
}

} // namespace

PainelVariaveis::PainelVariaveis(QWidget* pai)
    : QWidget(pai)
{
    arvore_ = new QTreeWidget(this);
    arvore_->setObjectName(QStringLiteral("variaveis"));
    arvore_->setColumnCount(2);
    arvore_->setHeaderLabels({tr("Nome"), tr("Valor")});
    arvore_->setUniformRowHeights(true);
    arvore_->setSelectionMode(QAbstractItemView::SingleSelection);
    arvore_->header()->setStretchLastSection(true);
    // O aluno abre um vetor e ele continua aberto nos passos seguintes.
    connect(arvore_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        const QString c = item->data(0, PapelCaminho).toString();
        expandidos_.insert(c);
        recolhidos_.erase(c);
    });
    connect(arvore_, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        const QString c = item->data(0, PapelCaminho).toString();
        expandidos_.erase(c);
        recolhidos_.insert(c);
    });
    auto* leiaute = new QVBoxLayout(this);
    leiaute->setContentsMargins(0, 0, 0, 0);
    leiaute->addWidget(arvore_);
}

PainelVariaveis::~PainelVariaveis() = default;

void PainelVariaveis::Mostra(const std::vector<depuracao::VariavelVista>& variaveis)
{
    const bool primeira = arvore_->topLevelItemCount() == 0;
    const std::vector<Linha> linhas = linhasDe(variaveis);
    QColor fundo = palette().color(QPalette::Highlight);
    // Translúcido sobre a base: legível no tema claro e no escuro.
    fundo.setAlpha(70);

    // Acerta os filhos de `pai` (nulo: o topo) às linhas, reaproveitando os
    // itens de mesma chave: nada pisca e o que estava aberto continua aberto.
    const std::function<void(QTreeWidgetItem*, const std::vector<Linha>&, const QString&)> acerta =
        [&](QTreeWidgetItem* pai, const std::vector<Linha>& desejadas, const QString& caminhoPai) {
            auto quantos = [&] { return pai ? pai->childCount() : arvore_->topLevelItemCount(); };
            auto item = [&](int i) { return pai ? pai->child(i) : arvore_->topLevelItem(i); };
            auto tira = [&](int i) { return pai ? pai->takeChild(i) : arvore_->takeTopLevelItem(i); };
            auto poe = [&](int i, QTreeWidgetItem* x) {
                if (pai)
                    pai->insertChild(i, x);
                else
                    arvore_->insertTopLevelItem(i, x);
            };
            for (std::size_t k = 0; k < desejadas.size(); ++k) {
                const Linha& l = desejadas[k];
                const int i = static_cast<int>(k);
                const QString caminho = caminhoPai + QLatin1Char('/') + l.chave;
                QTreeWidgetItem* x = i < quantos() ? item(i) : nullptr;
                bool novo = false;
                if (!x || x->data(0, PapelCaminho).toString() != caminho) {
                    // Entrou ou saiu alguém antes: procura adiante antes de criar.
                    x = nullptr;
                    for (int j = i + 1; j < quantos(); ++j)
                        if (item(j)->data(0, PapelCaminho).toString() == caminho) {
                            x = tira(j);
                            break;
                        }
                    novo = !x;
                    if (novo) {
                        x = new QTreeWidgetItem;
                        x->setData(0, PapelCaminho, caminho);
                        if (l.grupo) {
                            QFont f = x->font(0);
                            f.setItalic(true);
                            x->setFont(0, f);
                        }
                    }
                    poe(i, x);
                    if (l.grupo)
                        x->setFirstColumnSpanned(true);
                }
                const bool mudou = mostrou_ && !novo && !l.grupo && x->text(1) != l.valor;
                if (x->text(0) != l.nome)
                    x->setText(0, l.nome);
                if (x->text(1) != l.valor) {
                    x->setText(1, l.valor);
                    x->setToolTip(1, l.valor);
                }
                if (x->data(0, PapelMudou).toBool() != mudou) {
                    x->setData(0, PapelMudou, mudou);
                    QFont f = x->font(1);
                    f.setBold(mudou);
                    x->setFont(0, f);
                    x->setFont(1, f);
                    for (int c = 0; c < 2; ++c)
                        x->setBackground(c, mudou ? QBrush(fundo) : QBrush());
                }
                acerta(x, l.filhos, caminho);
                if (!l.filhos.empty()) {
                    // Rotinas abertas por omissão; vetores e registros fechados.
                    const bool aberto =
                        l.grupo ? !recolhidos_.count(caminho) : expandidos_.count(caminho) > 0;
                    if (x->isExpanded() != aberto)
                        x->setExpanded(aberto);
                }
            }
            while (quantos() > static_cast<int>(desejadas.size()))
                delete tira(quantos() - 1);
        };

    arvore_->setUpdatesEnabled(false);
    acerta(nullptr, linhas, QString());
    arvore_->setUpdatesEnabled(true);
    if (primeira)
        arvore_->resizeColumnToContents(0);
    mostrou_ = true;
}

void PainelVariaveis::Limpa()
{
    arvore_->clear();
    mostrou_ = false;
}

} // namespace vendrilo
