#include "learning/frm_lista.h"

#include "formato/arquivo_alg.h"
#include "formato/texto_1252.h"
#include "learning/catalogo.h"
#include "learning/pasta.h"
#include "platform/dialogos.h"
#include "translate/moldura.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace vendrilo {

namespace {

QString deUtf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString titulo() { return QString::fromStdString(De1252(TituloAplicacao)); }

} // namespace

TFrmLista::TFrmLista(const QString& pastaPrograma, QWidget* pai)
    : QDialog(pai), pasta_(PastaOuPadrao(pastaPrograma))
{
    setObjectName(QStringLiteral("FrmLista"));

    // O desenho de sempre (417x437, botões de 100x28) é o tamanho mínimo: com
    // uma fonte maior os botões crescem e a janela os acompanha, sem corte.
    Exemplos = new QListWidget(this);
    Exemplos->setObjectName(QStringLiteral("Exemplos"));
    Exemplos->setFixedSize(137, 153);

    GroupBox1 = new QGroupBox(QStringLiteral(" Descrição"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFont(QFont(QStringLiteral("Verdana"), 8));
    GroupBox1->setFixedHeight(112);
    lblDesc = new QLabel(GroupBox1);
    lblDesc->setObjectName(QStringLiteral("lblDesc"));
    lblDesc->setWordWrap(true);
    lblDesc->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDesc->setGeometry(10, 16, 245, 91);
    GroupBox1->setMinimumWidth(265);

    Executar = new QPushButton(style()->standardIcon(QStyle::SP_DialogOpenButton),
                               QStringLiteral("&Abrir"), this);
    Executar->setObjectName(QStringLiteral("Executar"));
    Encerrar = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                               QStringLiteral("&Encerrar"), this);
    Encerrar->setObjectName(QStringLiteral("Encerrar"));
    for (QPushButton* b : {Executar, Encerrar})
        b->setFixedSize(QSize(100, 28).expandedTo(b->sizeHint()));

    BoxExemplo = new QPlainTextEdit(this);
    BoxExemplo->setObjectName(QStringLiteral("BoxExemplo"));
    BoxExemplo->setMinimumSize(417, 273);
    BoxExemplo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    BoxExemplo->setLineWrapMode(QPlainTextEdit::NoWrap);
    BoxExemplo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    BoxExemplo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    BoxExemplo->setReadOnly(true);
    BoxExemplo->setPlainText(QStringLiteral("\n")); // as duas linhas vazias de projeto

    auto* botoes = new QHBoxLayout;
    botoes->setSpacing(20);
    botoes->addSpacing(25);
    botoes->addWidget(Executar);
    botoes->addWidget(Encerrar);
    botoes->addSpacing(20);
    auto* direita = new QVBoxLayout;
    direita->setSpacing(8);
    direita->addWidget(GroupBox1);
    direita->addLayout(botoes);
    direita->addStretch();
    auto* topo = new QHBoxLayout;
    topo->setContentsMargins(0, 0, 7, 0);
    topo->setSpacing(8);
    topo->addWidget(Exemplos, 0, Qt::AlignTop);
    topo->addLayout(direita);
    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(0, 0, 0, 0);
    raiz->setSpacing(11);
    raiz->addLayout(topo);
    raiz->addWidget(BoxExemplo);
    raiz->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(Exemplos, BoxExemplo);
    setTabOrder(BoxExemplo, Executar);
    setTabOrder(Executar, Encerrar);

    connect(Exemplos, &QListWidget::itemClicked, this, &TFrmLista::EscolhaClick);
    connect(Exemplos, &QListWidget::itemDoubleClicked, this, &TFrmLista::ExecutarClick);
    connect(Executar, &QPushButton::clicked, this, [this] {
        ExecutarClick();
        accept();
    });
    connect(Encerrar, &QPushButton::clicked, this, &QDialog::reject);

    // FormCreate: as 62 linhas, a primeira selecionada e o seu texto, se houver.
    for (int i = 0; i < TotalExemplos; ++i)
        Exemplos->addItem(QString::fromStdString(TextoListaExemplo(i)));
    Exemplos->setCurrentRow(0);
    lblDesc->setText(deUtf8(DescricaoExemplo(0)));
    carregaPrevia(caminhoDaLinha());
    // Depois da linha 0: as setas também trocam de linha, e a prévia acompanha.
    connect(Exemplos, &QListWidget::currentRowChanged, this, &TFrmLista::EscolhaClick);
}

void TFrmLista::showEvent(QShowEvent* evento)
{
    setWindowTitle(titulo() + QStringLiteral(" - Lista de Exemplos"));
    QDialog::showEvent(evento);
}

QString TFrmLista::caminhoDaLinha() const
{
    return QString::fromStdString(CaminhoExemplo(pasta_.toStdString(), Exemplos->currentRow()));
}

bool TFrmLista::carregaPrevia(const QString& caminho)
{
    if (caminho.isEmpty() || !QFileInfo(caminho).isFile())
        return false;
    DocumentoAlg doc;
    std::string erro;
    if (!LeAlg(QFile::encodeName(caminho).toStdString(), doc, erro))
        return false;
    QStringList linhas;
    for (const auto& linha : doc.linhas)
        linhas << QString::fromStdString(linha);
    BoxExemplo->setPlainText(linhas.join(QLatin1Char('\n')));
    return true;
}

void TFrmLista::EscolhaClick()
{
    const int linha = Exemplos->currentRow();
    if (!IndiceExemploValido(linha))
        return;
    lblDesc->setText(deUtf8(DescricaoExemplo(linha)));
    const QString caminho = caminhoDaLinha();
    if (carregaPrevia(caminho))
        return;
    QStringList aviso;
    for (const auto& l : AvisoExemploAusente(caminho.toStdString()))
        aviso << QString::fromStdString(l);
    BoxExemplo->setPlainText(aviso.join(QLatin1Char('\n')));
}

void TFrmLista::ExecutarClick()
{
    const int linha = Exemplos->currentRow();
    if (!IndiceExemploValido(linha))
        return;
    lblDesc->setText(deUtf8(DescricaoExemplo(linha)));
    const QString caminho = caminhoDaLinha();
    if (QFileInfo(caminho).isFile())
        escolhido_ = caminho;
    else
        dialogos().mostraMensagem(QString::fromStdString(MensagemExemploAusente(caminho.toStdString())));
}

QString EscolheExemplo(const QString& pastaPrograma, QWidget* pai)
{
    TFrmLista lista(pastaPrograma, pai);
    lista.exec();
    return lista.caminhoEscolhido();
}

} // namespace vendrilo
