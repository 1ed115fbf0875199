#include "learning/frm_sobre.h"

#include "formato/texto_1252.h"
#include "learning/catalogo.h"
#include "platform/desktop.h"
#include "translate/moldura.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace vendrilo {

namespace {

QString titulo() { return QString::fromStdString(De1252(TituloAplicacao)); }
QString deUtf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

struct Credito {
    const char* nome;
    const char* email;
};

// Os três grupos de créditos: título e pessoas (nome - e-mail).
struct GrupoCreditos {
    const char* titulo;
    std::initializer_list<Credito> pessoas;
};

const GrupoCreditos Creditos[] = {
    {"Professores Responsáveis pelo Projeto - Desenvolvimento e Implementações ",
     {{"Coordenação do projeto", "coordenacao@example.org"},
      {"Tradução e verificação", "traducao@example.org"},
      {"Editor e ambiente de estudo", "editor@example.org"}}},
    {"Alunos Colaboradores - Desenvolvimento e Implementações ",
     {{"Estudantes de Ciência da Computação", "computacao@example.org"},
      {"Estudantes de Sistemas de Informação", "sistemas@example.org"},
      {"Estudantes de Engenharia de Software", "engenharia@example.org"}}},
    {"Professores Colaboradores ",
     {{"Docentes de Algoritmos e Lógica de Programação", "algoritmos@example.org"},
      {"Docentes de Introdução à Programação", "introducao@example.org"}}},
};

QLabel* rotulo(const QString& texto, QWidget* pai, bool centro = true)
{
    auto* r = new QLabel(texto, pai);
    r->setWordWrap(true);
    if (centro)
        r->setAlignment(Qt::AlignHCenter);
    return r;
}

} // namespace

RotuloLink::RotuloLink(const QString& texto, QWidget* pai) : QLabel(texto, pai)
{
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignHCenter);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    setStyleSheet(QStringLiteral("color: #0000c0;"));
}

void RotuloLink::mouseReleaseEvent(QMouseEvent* evento)
{
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()))
        emit clicado();
    QLabel::mouseReleaseEvent(evento);
}

TfrmSobre::TfrmSobre(QWidget* pai) : QDialog(pai)
{
    setObjectName(QStringLiteral("frmSobre"));
    auto* raiz = new QVBoxLayout(this);
    auto* painel = new QFrame(this);
    painel->setFrameShape(QFrame::Panel);
    painel->setFrameShadow(QFrame::Sunken);
    raiz->addWidget(painel);
    auto* col = new QVBoxLayout(painel);

    auto* topo = new QHBoxLayout;
    ProgramIcon = new QLabel(painel);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    const QIcon icone = qApp->windowIcon().isNull()
                            ? style()->standardIcon(QStyle::SP_ComputerIcon)
                            : qApp->windowIcon();
    ProgramIcon->setPixmap(icone.pixmap(48, 48));
    ProductName = new QLabel(painel);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont grande = ProductName->font();
    grande.setPointSize(grande.pointSize() + 4);
    grande.setBold(true);
    ProductName->setFont(grande);
    // Já na construção: o tamanho fixo da janela sai dos textos que ela tem agora.
    ProductName->setText(titulo());
    topo->addWidget(ProgramIcon);
    topo->addWidget(ProductName, 1);
    col->addLayout(topo);

    col->addWidget(rotulo(QStringLiteral("Esta ferramenta tem como objetivo facilitar o ensino de Lógica de Programação, "), painel));
    col->addWidget(rotulo(QStringLiteral("utilizando como recurso a aplicação prática de uma metodologia de"), painel));
    col->addWidget(rotulo(QStringLiteral("desenvolvimento fundamentada no PORTUGOL (Português Estruturado)."), painel));
    col->addSpacing(6);
    col->addWidget(rotulo(QStringLiteral("Uso livre no ensino e no estudo: copie e distribua à vontade, "
                                         "mantendo os créditos. Fornecido como está, sem garantia de "
                                         "qualquer espécie."), painel));
    col->addWidget(rotulo(QStringLiteral("Desenvolvido pela Equipe Vendrilo, com professores e alunos "
                                         "colaboradores."), painel));
    col->addSpacing(6);
    auto* atencao = rotulo(QStringLiteral("Atenção!!!"), painel);
    QFont negrito = atencao->font();
    negrito.setBold(true);
    atencao->setFont(negrito);
    col->addWidget(atencao);
    col->addWidget(rotulo(QStringLiteral("Dúvidas, sugestões e erros encontrados: escreva para"), painel));
    Label7 = new RotuloLink(deUtf8(EnderecoContato), painel);
    Label7->setObjectName(QStringLiteral("Label7"));
    col->addWidget(Label7);
    col->addSpacing(6);
    col->addWidget(rotulo(QStringLiteral("Equipe Vendrilo"), painel));
    col->addWidget(rotulo(QStringLiteral("Projeto de ensino de Lógica de Programação"), painel));
    Label8 = new RotuloLink(deUtf8(EnderecoSite), painel);
    Label8->setObjectName(QStringLiteral("Label8"));
    col->addWidget(Label8);

    for (const auto& grupo : Creditos) {
        auto* t = rotulo(QString::fromUtf8(grupo.titulo), painel, false);
        t->setFont(negrito);
        col->addSpacing(4);
        col->addWidget(t);
        for (const auto& p : grupo.pessoas)
            col->addWidget(rotulo(QString::fromUtf8(p.nome) + QStringLiteral(" - ") +
                                      QString::fromUtf8(p.email),
                                  painel, false));
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    raiz->addWidget(ok, 0, Qt::AlignHCenter);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(Label7, &RotuloLink::clicado, this, &TfrmSobre::Label7Click);
    connect(Label8, &RotuloLink::clicado, this, &TfrmSobre::Label8Click);

    raiz->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmSobre::showEvent(QShowEvent* evento)
{
    setWindowTitle(titulo() + QStringLiteral(" - Sobre - Créditos"));
    ProductName->setText(titulo());
    QDialog::showEvent(evento);
}

// Sem programa de correio ou navegador o pedido falha em silêncio, como sempre.
void TfrmSobre::Label7Click()
{
    AbreEndereco(QUrl(QStringLiteral("mailto:") + deUtf8(EnderecoContato)));
}

void TfrmSobre::Label8Click()
{
    AbreEndereco(QUrl(deUtf8(EnderecoSite)));
}

} // namespace vendrilo
