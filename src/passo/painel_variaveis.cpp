#include "passo/paineis_passo.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <functional>

namespace vendrilo {

namespace {

using depuracao::NoValor;

// Dados guardados em cada item da árvore.
constexpr int PapelCaminho = Qt::UserRole + 1; // identifica a linha entre um passo e outro
constexpr int PapelMudou = Qt::UserRole + 2; // o valor mudou desde a parada anterior
constexpr qsizetype LimiteTexto = 300; // caracteres de um valor mostrados na linha

// Uma linha desejada na árvore (variável, parte de um valor ou cabeçalho de
// rotina); os itens existentes são acertados a ela.
struct Linha {
    QString chave; // única entre irmãs
    QString nome;
    QString valor;
    const NoValor* partes = nullptr; // elementos ou campos do valor
    const NoValor* antes = nullptr; // o mesmo valor na parada anterior
    const std::string* valorAntes = nullptr; // nulo: não existia
    bool grupo = false;
    std::vector<Linha> filhos; // só dos cabeçalhos: as variáveis da rotina
};

bool temPartes(const Linha& l)
{
    return l.grupo ? !l.filhos.empty() : l.partes && !l.partes->filhos.empty();
}

// As partes de um valor, cada uma ligada à mesma parte na parada anterior
// (pelo rótulo: um registro ou um vetor não mudam de forma no meio do passo).
std::vector<Linha> partesDe(const Linha& l)
{
    std::vector<Linha> v;
    v.reserve(l.partes->filhos.size());
    for (std::size_t k = 0; k < l.partes->filhos.size(); ++k) {
        const auto& [rotulo, filho] = l.partes->filhos[k];
        const NoValor* antes = nullptr;
        if (l.antes) {
            const auto& a = l.antes->filhos;
            if (k < a.size() && a[k].first == rotulo)
                antes = &a[k].second;
            else
                for (const auto& [r, f] : a)
                    if (r == rotulo)
                        antes = &f;
        }
        const QString r = QString::fromStdString(rotulo);
        v.push_back({r,
                     r,
                     QString::fromStdString(filho.texto),
                     &filho,
                     antes,
                     antes ? &antes->texto : nullptr,
                     false,
                     {}});
    }
    return v;
}

// Globais no alto; as variáveis de cada rotina sob um cabeçalho com o nome dela.
std::vector<Linha> linhasDe(const std::vector<depuracao::VariavelVista>& atual,
                            const std::vector<depuracao::VariavelVista>& anterior)
{
    std::map<std::pair<std::string, std::string>, const depuracao::VariavelVista*> antes;
    for (const auto& a : anterior)
        antes.emplace(std::pair(a.rotina, a.nome), &a);
    std::vector<Linha> linhas;
    std::map<std::string, std::size_t> grupos;
    for (const auto& v : atual) {
        const QString nome = QString::fromStdString(v.nome);
        const auto a = antes.find({v.rotina, v.nome});
        const depuracao::VariavelVista* va = a == antes.end() ? nullptr : a->second;
        Linha l{nome,
                nome,
                QString::fromStdString(v.valor),
                &v.arvore,
                va ? &va->arvore : nullptr,
                va ? &va->valor : nullptr,
                false,
                {}};
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
            Linha cabecalho;
            cabecalho.chave = QLatin1Char('@') + rotina;
            cabecalho.nome = PainelVariaveis::tr("%1 (parâmetros e locais)").arg(rotina);
            cabecalho.grupo = true;
            linhas.push_back(std::move(cabecalho));
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
        if (acertando_)
            return;
        const QString c = item->data(0, PapelCaminho).toString();
        expandidos_.insert(c);
        recolhidos_.erase(c);
        aplica();
    });
    connect(arvore_, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (acertando_)
            return;
        const QString c = item->data(0, PapelCaminho).toString();
        expandidos_.erase(c);
        recolhidos_.insert(c);
        aplica();
    });
    auto* leiaute = new QVBoxLayout(this);
    leiaute->setContentsMargins(0, 0, 0, 0);
    leiaute->addWidget(arvore_);
}

PainelVariaveis::~PainelVariaveis() = default;

void PainelVariaveis::Mostra(const std::vector<depuracao::VariavelVista>& variaveis)
{
    if (mostrou_)
        anterior_ = std::move(atual_);
    atual_ = variaveis;
    aplica();
    mostrou_ = true;
}

void PainelVariaveis::aplica()
{
    // Antes do primeiro Mostra não há parada anterior: nada se destaca.
    static const std::vector<depuracao::VariavelVista> nenhuma;
    const std::vector<Linha> linhas = linhasDe(atual_, mostrou_ ? anterior_ : nenhuma);
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
            for (std::size_t k = 0; k < desejadas.size(); ++k) {
                const Linha& l = desejadas[k];
                const int i = static_cast<int>(k);
                const QString caminho = caminhoPai + QLatin1Char('/') + l.chave;
                QTreeWidgetItem* x = i < quantos() ? item(i) : nullptr;
                if (!x || x->data(0, PapelCaminho).toString() != caminho) {
                    // Entrou ou saiu alguém antes: procura adiante antes de criar.
                    x = nullptr;
                    for (int j = i + 1; j < quantos() && !x; ++j)
                        if (item(j)->data(0, PapelCaminho).toString() == caminho)
                            x = tira(j);
                    if (!x) {
                        x = new QTreeWidgetItem;
                        x->setData(0, PapelCaminho, caminho);
                        if (l.grupo) {
                            QFont f = x->font(0);
                            f.setItalic(true);
                            x->setFont(0, f);
                        }
                    }
                    if (pai)
                        pai->insertChild(i, x);
                    else
                        arvore_->insertTopLevelItem(i, x);
                    if (l.grupo)
                        x->setFirstColumnSpanned(true);
                }
                if (x->text(0) != l.nome)
                    x->setText(0, l.nome);
                // Um vetor grande não cabe na linha; medir e pintar o texto
                // todo a cada passo pesaria (as partes mostram o resto).
                const QString visto =
                    l.valor.size() > LimiteTexto ? l.valor.left(LimiteTexto) + QChar(0x2026) : l.valor;
                if (x->text(1) != visto) {
                    x->setText(1, visto);
                    x->setToolTip(1, visto);
                }
                const bool mudou = l.valorAntes && QString::fromStdString(*l.valorAntes) != l.valor;
                if (x->data(0, PapelMudou).toBool() != mudou) {
                    x->setData(0, PapelMudou, mudou);
                    QFont f = x->font(1);
                    f.setBold(mudou);
                    x->setFont(0, f);
                    x->setFont(1, f);
                    for (int c = 0; c < 2; ++c)
                        x->setBackground(c, mudou ? QBrush(fundo) : QBrush());
                }
                // Rotinas abertas por omissão; vetores e registros fechados.
                const bool partes = temPartes(l);
                const bool aberto =
                    partes && (l.grupo ? !recolhidos_.count(caminho) : expandidos_.count(caminho) > 0);
                if (aberto) {
                    acerta(x, l.grupo ? l.filhos : partesDe(l), caminho);
                    if (!x->isExpanded())
                        x->setExpanded(true);
                } else {
                    if (x->isExpanded())
                        x->setExpanded(false);
                    qDeleteAll(x->takeChildren());
                    x->setChildIndicatorPolicy(partes ? QTreeWidgetItem::ShowIndicator
                                                      : QTreeWidgetItem::DontShowIndicatorWhenChildless);
                }
            }
            while (quantos() > static_cast<int>(desejadas.size()))
                delete tira(quantos() - 1);
        };

    acertando_ = true;
    arvore_->setUpdatesEnabled(false);
    acerta(nullptr, linhas, QString());
    // A coluna dos nomes só cresce (partes abertas, nomes em negrito): não
    // pula a cada passo nem desfaz a largura que o aluno escolheu.
    const int largura = arvore_->columnWidth(0);
    arvore_->resizeColumnToContents(0);
    if (arvore_->columnWidth(0) < largura)
        arvore_->setColumnWidth(0, largura);
    arvore_->setUpdatesEnabled(true);
    acertando_ = false;
}

void PainelVariaveis::Limpa()
{
    arvore_->clear();
    atual_.clear();
    anterior_.clear();
    mostrou_ = false;
}

} // namespace vendrilo
