#include "formato/gravacao_segura.h"
#include "passo/modelo_teste_mesa.h"
#include "passo/paineis_passo.h"
#include "platform/dialogos.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vendrilo {

PainelTesteMesa::PainelTesteMesa(QWidget* pai)
    : QWidget(pai)
{
    modelo_ = new ModeloTesteMesa(this);
    tabela_ = new QTableView(this);
    tabela_->setModel(modelo_);
    tabela_->setObjectName(QStringLiteral("tabelaTesteMesa"));
    tabela_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabela_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabela_->setAlternatingRowColors(true);
    tabela_->verticalHeader()->hide();
    // Altura fixa por linha: o Qt não mede cada uma das milhares de linhas.
    tabela_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tabela_->verticalHeader()->setDefaultSectionSize(tabela_->fontMetrics().height() + 6);
    tabela_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    tabela_->horizontalHeader()->setStretchLastSection(true);

    exportar_ = new QPushButton(tr("Exportar CSV..."), this);
    exportar_->setObjectName(QStringLiteral("exportarCsv"));
    exportar_->setEnabled(false);
    connect(exportar_, &QPushButton::clicked, this, &PainelTesteMesa::exportaPeloDialogo);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(exportar_);
    auto* leiaute = new QVBoxLayout(this);
    leiaute->setContentsMargins(0, 0, 0, 0);
    leiaute->addWidget(tabela_);
    leiaute->addLayout(botoes);
}

PainelTesteMesa::~PainelTesteMesa() = default;

void PainelTesteMesa::Inicia(const depuracao::Declaracoes& declaracoes)
{
    modelo_->Inicia(declaracoes);
    tabela_->resizeColumnsToContents();
    exportar_->setEnabled(true);
}

void PainelTesteMesa::Registra(int linhaAlgoritmo, const std::vector<depuracao::VariavelVista>& variaveis)
{
    if (!modelo_->tabela())
        return;
    modelo_->Registra(linhaAlgoritmo, variaveis);
    // Larguras pela primeira linha só: medir todas a cada passo pesaria.
    if (modelo_->rowCount() == 1)
        tabela_->resizeColumnsToContents();
    tabela_->scrollToBottom();
}

void PainelTesteMesa::Limpa()
{
    modelo_->Limpa();
    exportar_->setEnabled(false);
}

bool PainelTesteMesa::Exporta(const QString& caminho, QString* erro)
{
    const depuracao::TesteDeMesa* t = modelo_->tabela();
    if (!t) {
        if (erro)
            *erro = tr("Não há teste de mesa para exportar: inicie a execução passo a passo.");
        return false;
    }
    std::string motivo;
    if (!GravaArquivoSeguro(std::filesystem::path(caminho.toStdString()), t->Csv(), motivo)) {
        if (erro)
            *erro = tr("Não foi possível gravar o teste de mesa em %1: %2")
                        .arg(QDir::toNativeSeparators(caminho), QString::fromStdString(motivo));
        return false;
    }
    return true;
}

void PainelTesteMesa::exportaPeloDialogo()
{
    const QFileInfo sugerido(sugerido_.isEmpty() ? QStringLiteral("teste_de_mesa.csv") : sugerido_);
    QString caminho = dialogos().salvaArquivo(
        tr("Exportar teste de mesa"), tr("Planilhas CSV (*.csv);;Todos os arquivos (*)"),
        sugerido_.isEmpty() ? QString() : sugerido.absolutePath(), sugerido.fileName());
    if (caminho.isEmpty())
        return;
    if (QFileInfo(caminho).suffix().isEmpty())
        caminho += QStringLiteral(".csv");
    // O diálogo não pergunta; uma planilha antiga do aluno não some calada.
    if (QFileInfo::exists(caminho) &&
        dialogos().caixaMensagem(tr("%1 já existe. Substituir?").arg(QDir::toNativeSeparators(caminho)),
                                 tr("Teste de mesa"), Caixa::SimNao | Caixa::IconePergunta) != Caixa::RespSim)
        return;
    QString erro;
    if (!Exporta(caminho, &erro))
        dialogos().caixaMensagem(erro, tr("Teste de mesa"), Caixa::IconeErro);
}

} // namespace vendrilo
