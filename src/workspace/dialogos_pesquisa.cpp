#include "workspace/dialogos_pesquisa.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vendrilo {

namespace {

constexpr int kMaxHistorico = 10;

QComboBox* novoCombo(QWidget* pai)
{
    auto* c = new QComboBox(pai);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMinimumWidth(260);
    return c;
}

} // namespace

TTextSearchDialog::TTextSearchDialog(QWidget* pai)
    : QDialog(pai)
{
    setWindowTitle(QStringLiteral("Localizar texto"));
    auto* layout = new QVBoxLayout(this);
    grade_ = new QGridLayout;
    cbSearchText = novoCombo(this);
    cbSearchText->setObjectName(QStringLiteral("cbSearchText"));
    auto* rotulo = new QLabel(QStringLiteral("&Procurar por:"), this);
    rotulo->setBuddy(cbSearchText);
    grade_->addWidget(rotulo, 0, 0);
    grade_->addWidget(cbSearchText, 0, 1);
    layout->addLayout(grade_);

    auto* linha = new QHBoxLayout;
    auto* opcoes = new QGroupBox(QStringLiteral("Opções"), this);
    auto* lo = new QVBoxLayout(opcoes);
    cbSearchCaseSensitive = new QCheckBox(QStringLiteral("Coincidir &maiúsc./minúsc."), opcoes);
    cbSearchWholeWords = new QCheckBox(QStringLiteral("&Palavra inteira"), opcoes);
    cbSearchFromCursor = new QCheckBox(QStringLiteral("S&inal de intercalação"), opcoes);
    cbSearchSelectedOnly = new QCheckBox(QStringLiteral("&Texto selecionado"), opcoes);
    for (QCheckBox* c : {cbSearchCaseSensitive, cbSearchWholeWords, cbSearchFromCursor, cbSearchSelectedOnly})
        lo->addWidget(c);
    linha->addWidget(opcoes);
    auto* direcao = new QGroupBox(QStringLiteral("Direção"), this);
    direcao->setObjectName(QStringLiteral("rgSearchDirection"));
    auto* ld = new QVBoxLayout(direcao);
    paraFrente = new QRadioButton(QStringLiteral("Para &Frente"), direcao);
    paraTrasBotao = new QRadioButton(QStringLiteral("Para T&rás"), direcao);
    paraFrente->setChecked(true);
    ld->addWidget(paraFrente);
    ld->addWidget(paraTrasBotao);
    ld->addStretch();
    linha->addWidget(direcao);
    layout->addLayout(linha);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancelar"), this);
    botoes->addWidget(btnOK);
    botoes->addWidget(btnCancel);
    layout->addLayout(botoes);
    connect(btnOK, &QPushButton::clicked, this, &TTextSearchDialog::aceita);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TTextSearchDialog::paraTras() const { return paraTrasBotao->isChecked(); }
void TTextSearchDialog::defineParaTras(bool v) { (v ? paraTrasBotao : paraFrente)->setChecked(true); }
bool TTextSearchDialog::maiusculas() const { return cbSearchCaseSensitive->isChecked(); }
void TTextSearchDialog::defineMaiusculas(bool v) { cbSearchCaseSensitive->setChecked(v); }
bool TTextSearchDialog::palavraInteira() const { return cbSearchWholeWords->isChecked(); }
void TTextSearchDialog::definePalavraInteira(bool v) { cbSearchWholeWords->setChecked(v); }
bool TTextSearchDialog::doCursor() const { return cbSearchFromCursor->isChecked(); }
void TTextSearchDialog::defineDoCursor(bool v) { cbSearchFromCursor->setChecked(v); }
bool TTextSearchDialog::soSelecao() const { return cbSearchSelectedOnly->isChecked(); }
void TTextSearchDialog::defineSoSelecao(bool v) { cbSearchSelectedOnly->setChecked(v); }
QString TTextSearchDialog::textoPesquisa() const { return cbSearchText->currentText(); }
void TTextSearchDialog::defineTextoPesquisa(const QString& t) { cbSearchText->setEditText(t); }
QString TTextSearchDialog::historicoPesquisa() const { return leHistorico(cbSearchText); }

void TTextSearchDialog::defineHistoricoPesquisa(const QString& h)
{
    escreveHistorico(cbSearchText, h);
}

QString TTextSearchDialog::leHistorico(const QComboBox* combo)
{
    QStringList itens;
    for (int i = 0; i < combo->count() && i < kMaxHistorico; ++i)
        itens << combo->itemText(i);
    return itens.join(QStringLiteral("\r\n"));
}

void TTextSearchDialog::escreveHistorico(QComboBox* combo, const QString& h)
{
    const QString texto = combo->currentText();
    combo->clear();
    QString normal = h;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!normal.isEmpty())
        combo->addItems(normal.split(QLatin1Char('\n')));
    combo->setEditText(texto);
}

void TTextSearchDialog::sobeAoTopo(QComboBox* combo)
{
    const QString texto = combo->currentText();
    if (texto.isEmpty())
        return;
    const int i = combo->findText(texto, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i == 0)
        return;
    if (i > 0)
        combo->removeItem(i);
    combo->insertItem(0, texto);
    combo->setEditText(texto);
}

void TTextSearchDialog::aceita()
{
    sobeAoTopo(cbSearchText);
    accept();
}

TTextReplaceDialog::TTextReplaceDialog(QWidget* pai)
    : TTextSearchDialog(pai)
{
    setWindowTitle(QStringLiteral("Substituir texto"));
    cbReplaceText = novoCombo(this);
    cbReplaceText->setObjectName(QStringLiteral("cbReplaceText"));
    auto* rotulo = new QLabel(QStringLiteral("&Alterar por:"), this);
    rotulo->setBuddy(cbReplaceText);
    grade_->addWidget(rotulo, 1, 0);
    grade_->addWidget(cbReplaceText, 1, 1);
    // Criado depois das opções, o campo iria para o fim da ordem do Tab: um
    // texto digitado após o Tab cairia nas opções e OK trocaria por nada.
    setTabOrder(cbSearchText, cbReplaceText);
    setTabOrder(cbReplaceText, cbSearchCaseSensitive);
}

QString TTextReplaceDialog::textoSubstituicao() const { return cbReplaceText->currentText(); }
void TTextReplaceDialog::defineTextoSubstituicao(const QString& t) { cbReplaceText->setEditText(t); }
QString TTextReplaceDialog::historicoSubstituicao() const { return leHistorico(cbReplaceText); }
void TTextReplaceDialog::defineHistoricoSubstituicao(const QString& h) { escreveHistorico(cbReplaceText, h); }

void TTextReplaceDialog::aceita()
{
    sobeAoTopo(cbSearchText);
    sobeAoTopo(cbReplaceText);
    accept();
}

TConfirmReplaceDialog::TConfirmReplaceDialog(QWidget* pai)
    : QDialog(pai)
{
    setWindowTitle(QStringLiteral("Confirmação de Substituição"));
    auto* layout = new QVBoxLayout(this);
    auto* linha = new QHBoxLayout;
    auto* Image1 = new QLabel(this);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    linha->addWidget(Image1, 0, Qt::AlignTop);
    lblConfirmation = new QLabel(this);
    lblConfirmation->setObjectName(QStringLiteral("lblConfirmation"));
    lblConfirmation->setWordWrap(true);
    lblConfirmation->setMinimumWidth(260);
    linha->addWidget(lblConfirmation, 1);
    layout->addLayout(linha);
    auto* botoes = new QHBoxLayout;
    const struct { const char* texto; int resultado; } defs[] = {
        {"&Sim", RespSim}, {"&Não", RespNao}, {"Cancelar", RespCancelar}, {"Sim para &Todos", RespSimTodos}};
    for (const auto& d : defs) {
        auto* b = new QPushButton(QString::fromUtf8(d.texto), this);
        const int r = d.resultado;
        connect(b, &QPushButton::clicked, this, [this, r] { done(r); });
        if (r == RespSim)
            b->setDefault(true);
        botoes->addWidget(b);
    }
    layout->addLayout(botoes);
}

void TConfirmReplaceDialog::preparaPergunta(const QString& achado)
{
    lblConfirmation->setText(QStringLiteral("Substituir esta ocorrência do texto [\"") + achado
                             + QStringLiteral("\"] ?"));
    adjustSize();
}

void TConfirmReplaceDialog::posiciona(const QRect& editor, const QPoint& achado, int alturaLinha)
{
    int x = achado.x();
    if (width() >= editor.width())
        x = editor.left() + (editor.width() - width()) / 2;
    else if (x + width() > editor.right())
        x = editor.right() - width();
    const int y1 = achado.y();
    const int y2 = y1 + alturaLinha;
    const int y = y2 > editor.top() + editor.height() * 2 / 3 ? y1 - height() - 4 : y2 + 4;
    move(x, y);
}

} // namespace vendrilo
