#include "comm/email/frm_help_mail.h"

#include "comm/email/icones_envio.h"

#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vendrilo {

namespace {

QPlainTextEdit* memo(const QString& nome, const QStringList& linhas, QWidget* pai)
{
    auto* m = new QPlainTextEdit(pai);
    m->setObjectName(nome);
    m->setReadOnly(true);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setFrameShape(QFrame::NoFrame);
    m->setPlainText(linhas.join(QLatin1Char('\n')));
    m->viewport()->setAutoFillBackground(false);
    return m;
}

} // namespace

TFrmHelpMail::TFrmHelpMail(const QString& titulo, const QString& equipe, const QString& enderecoEquipe,
                           QWidget* pai)
    : QDialog(pai)
{
    setObjectName(QStringLiteral("FrmHelpMail"));
    setWindowTitle(titulo + QStringLiteral(" - Como utilizar o Envio de Algoritmos"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* cabecalho = new QLabel(QStringLiteral("Como utilizar o Envio de Algoritmos:"), this);
    cabecalho->setObjectName(QStringLiteral("lblTitulo"));
    QFont negrito = cabecalho->font();
    negrito.setBold(true);
    negrito.setPointSize(negrito.pointSize() + 2);
    cabecalho->setFont(negrito);
    auto* figura = new QLabel(this);
    figura->setObjectName(QStringLiteral("imgFigura"));
    figura->setPixmap(FiguraAjudaEnvio());

    auto* campos = memo(QStringLiteral("mmCampos"),
                        {QStringLiteral("CAMPOS:"), QStringLiteral("ALUNO: Digite o seu nome;"),
                         QStringLiteral("RA: Digite seu registro da universidade;"),
                         QStringLiteral("E-MAIL: Digite o seu e-mail;"), QStringLiteral("CURSO: Selecione o seu curso;"),
                         QStringLiteral("PARA: Selecione o destino;"),
                         QStringLiteral("CÓPIA PARA: Envia uma cópia do e-mail para o(s) destino(s) que "),
                         QStringLiteral("você escolher;"),
                         QStringLiteral("ALGORITMO: Mostra todos os algortimos que foram anexados;"),
                         QStringLiteral("ASSUNTO: Complete com o assunto do e-mail;"),
                         QStringLiteral("MENSAGEM: Digite alguma mensagem caso preciso.")},
                        this);
    auto* botoes = memo(QStringLiteral("mmBotoes"),
                        {QStringLiteral("BOTÕES:"), QStringLiteral("NOVO: Cria um novo envio;"),
                         QStringLiteral("ENVIAR: Envia o e-mail após todos os campos preenchidos;"),
                         QStringLiteral("ANEXAR: Anexa algoritmos (*.alg) e arquivos compactados (*.zip);"),
                         QStringLiteral("AJUDA: Abre esta ajuda;"), QStringLiteral("SAIR: Volta para o Vendrilo.")},
                        this);
    const QString convite = equipe.isEmpty()
                                ? QStringLiteral("Dúvidas ou sugestões? Escreva para a equipe do projeto")
                                : QStringLiteral("Dúvidas ou sugestões? Escreva para a equipe %1").arg(equipe);
    const QString endereco = enderecoEquipe.isEmpty() ? QStringLiteral("endereço não configurado") : enderecoEquipe;
    auto* caixaAviso = new QGroupBox(QStringLiteral("Aviso: "), this);
    caixaAviso->setObjectName(QStringLiteral("gbAviso"));
    auto* aviso = memo(QStringLiteral("mmAviso"),
                       {QStringLiteral("O objetivo deste Envio de Algoritmos é a padronização e facilidade "),
                        QStringLiteral("ao enviar um algoritmo ou e-mail para o professor do curso."), QString(),
                        QStringLiteral("OBS: Caso você utilize algum software de controle de tráfico, como "),
                        QStringLiteral("Firewall por exemplo, este software poderá ter problemas no envio "),
                        QStringLiteral("do E-mail. "), convite, QStringLiteral("(%1).").arg(endereco)},
                       caixaAviso);
    auto* layoutAviso = new QVBoxLayout(caixaAviso);
    layoutAviso->addWidget(aviso);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("btnOK"));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* topo = new QHBoxLayout;
    topo->addWidget(figura);
    topo->addWidget(cabecalho, 1);
    auto* rodape = new QHBoxLayout;
    rodape->addStretch();
    rodape->addWidget(ok_);
    rodape->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(campos);
    layout->addWidget(botoes);
    layout->addWidget(caixaAviso);
    layout->addLayout(rodape);

    // Textos só para ler: clicar neles ou tentar mudá-los devolve o foco ao OK.
    for (QPlainTextEdit* m : {campos, botoes, aviso}) {
        const QFontMetrics fm(m->font());
        const int linhas = m->document()->blockCount();
        m->setMinimumHeight(fm.lineSpacing() * linhas + 2 * fm.lineSpacing() / 2 + 8);
        m->setMinimumWidth(fm.horizontalAdvance(QString(72, QLatin1Char('M'))) * 7 / 10);
        m->installEventFilter(this);
        m->viewport()->installEventFilter(this);
        connect(m, &QPlainTextEdit::textChanged, ok_, [this] { ok_->setFocus(); });
    }
    ok_->setFocus();
    adjustSize();
    setFixedSize(sizeHint());
    if (const QScreen* tela = QGuiApplication::primaryScreen())
        move(tela->availableGeometry().center() - rect().center());
}

bool TFrmHelpMail::eventFilter(QObject* alvo, QEvent* evento)
{
    switch (evento->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::FocusIn:
        ok_->setFocus();
        return evento->type() != QEvent::FocusIn;
    default:
        return QDialog::eventFilter(alvo, evento);
    }
}

} // namespace vendrilo
