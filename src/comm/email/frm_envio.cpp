#include "comm/email/frm_envio.h"

#include "comm/email/caixa_escolha.h"
#include "comm/email/config_email.h"
#include "comm/email/frm_help_mail.h"
#include "comm/email/icones_envio.h"
#include "platform/dialogos.h"
#include "platform/pasta_programa.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vendrilo {

bool CaractereRAPermitido(char32_t c)
{
    return (c >= U'0' && c <= U'9') || c == U'x' || c == 3 || c == 8 || c == 9 || c == 13 || c == 22 || c == 27;
}

TfrmEnvio::TfrmEnvio(const QString& pastaPrograma, QWidget* pai)
    : QDialog(pai), pasta_(pastaPrograma)
{
    // FormCreate: a assinatura leva o título que a aplicação tinha ao criar a janela.
    tituloAplicacao_ = QApplication::applicationName();
    setObjectName(QStringLiteral("frmEnvio"));
    setWindowTitle(QStringLiteral("Envio de Algoritmos"));
    montaJanela();
    atualizaDestinos();
}

TfrmEnvio::TfrmEnvio(QWidget* pai) : TfrmEnvio(QFile::decodeName(PastaPrograma().c_str()), pai) {}

void TfrmEnvio::montaJanela()
{
    auto* barra = new QToolBar(this);
    barra->setObjectName(QStringLiteral("ToolBar1"));
    barra->setIconSize(QSize(40, 35));
    barra->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto botao = [&](const char* nome, FiguraEnvio figura, const QString& dica, void (TfrmEnvio::*acao)()) {
        QAction* a = barra->addAction(IconeEnvio(figura), dica);
        a->setObjectName(QString::fromLatin1(nome));
        connect(a, &QAction::triggered, this, acao);
        barra->widgetForAction(a)->setObjectName(QString::fromLatin1(nome));
    };
    botao("BtnNovo", FiguraEnvio::Novo, QStringLiteral("Novo"), &TfrmEnvio::BtnNovoClick);
    botao("BtnEnviar", FiguraEnvio::Enviar, QStringLiteral("Enviar"), &TfrmEnvio::BtnEnviarClick);
    botao("BtnAnexar", FiguraEnvio::Anexar, QStringLiteral("Anexar"), &TfrmEnvio::BtnAnexarClick);
    barra->addSeparator();
    botao("BtnAjuda", FiguraEnvio::Ajuda, QStringLiteral("Ajuda"), &TfrmEnvio::BtnAjudaClick);
    botao("BtnSair", FiguraEnvio::Sair, QStringLiteral("Sair"), &TfrmEnvio::BtnSairClick);

    auto linha = [this](const char* nome) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(nome));
        return e;
    };
    edtAluno = linha("edtAluno");
    edtRA = linha("edtRA");
    edtRA->setMaxLength(8);
    edtRA->installEventFilter(this);
    edtRemetente = linha("edtRemetente");
    CBcurso = new CaixaEscolha(this);
    CBcurso->setObjectName(QStringLiteral("CBcurso"));
    for (const char* curso : kCursos)
        CBcurso->addItem(QString::fromUtf8(curso));
    CBcurso->semEscolha(QString::fromUtf8(kCursos[0]));
    CBPara = new CaixaEscolha(this);
    CBPara->setObjectName(QStringLiteral("CBPara"));
    edtCC = linha("edtCC");
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setMaximumHeight(ListBox1->fontMetrics().lineSpacing() * 5);
    edtAssunto = linha("edtAssunto");
    edtAssunto->setText(QStringLiteral("ALG - "));
    mmMensagem = new QPlainTextEdit(this);
    mmMensagem->setObjectName(QStringLiteral("mmMensagem"));
    mmMensagem->setFont(QFont(QStringLiteral("Verdana"), 10));

    auto* grade = new QGridLayout;
    auto rotulo = [&](const QString& texto, QWidget* campo, int lin, int col) {
        auto* r = new QLabel(texto, this);
        QFont f = r->font();
        f.setBold(true);
        r->setFont(f);
        r->setBuddy(campo);
        grade->addWidget(r, lin, col, Qt::AlignRight | Qt::AlignVCenter);
    };
    rotulo(QStringLiteral("Aluno:"), edtAluno, 0, 0);
    grade->addWidget(edtAluno, 0, 1, 1, 3);
    rotulo(QStringLiteral("RA:"), edtRA, 1, 0);
    grade->addWidget(edtRA, 1, 1);
    rotulo(QStringLiteral("E-mail:"), edtRemetente, 1, 2);
    grade->addWidget(edtRemetente, 1, 3);
    rotulo(QStringLiteral("Curso:"), CBcurso, 2, 0);
    grade->addWidget(CBcurso, 2, 1, 1, 3);
    rotulo(QStringLiteral("Para:"), CBPara, 3, 0);
    grade->addWidget(CBPara, 3, 1, 1, 3);
    rotulo(QStringLiteral("Cópia para:"), edtCC, 4, 0);
    grade->addWidget(edtCC, 4, 1, 1, 3);
    rotulo(QStringLiteral("Algoritmo:"), ListBox1, 5, 0);
    grade->addWidget(ListBox1, 5, 1, 1, 3);
    rotulo(QStringLiteral("Assunto:"), edtAssunto, 6, 0);
    grade->addWidget(edtAssunto, 6, 1, 1, 3);
    grade->setColumnStretch(3, 1);

    auto* grupo = new QGroupBox(QStringLiteral("Mensagem: "), this);
    grupo->setObjectName(QStringLiteral("gbMensagem"));
    auto* layoutGrupo = new QVBoxLayout(grupo);
    layoutGrupo->addWidget(mmMensagem);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(barra);
    layout->addLayout(grade);
    layout->addWidget(grupo, 1);
    resize(560, 540);
}

bool TfrmEnvio::leConfig(ConfigEmail& cfg, QString& erro) const
{
    std::string e;
    const bool ok = LeConfigEmail(CaminhoConfigEmail(QFile::encodeName(pasta_).toStdString()), cfg, e);
    erro = QString::fromStdString(e);
    return ok;
}

// Os rótulos dos destinos vêm da configuração; a escolha feita se mantém.
void TfrmEnvio::atualizaDestinos()
{
    ConfigEmail cfg;
    QString erro;
    if (!leConfig(cfg, erro))
        return;
    const QStringList rotulos{QString::fromStdString(cfg.professorRotulo), QString::fromStdString(cfg.equipeRotulo)};
    if (CBPara->count() == 0) {
        CBPara->addItems(rotulos);
        CBPara->escolhe(-1);
        return;
    }
    for (int i = 0; i < rotulos.size(); ++i)
        if (CBPara->itemText(i) != rotulos[i])
            CBPara->setItemText(i, rotulos[i]);
}

QString TfrmEnvio::textoCurso() const
{
    const int i = CBcurso->itemEscolhido();
    return i >= 0 ? CBcurso->itemText(i) : QString::fromUtf8(kCursos[0]);
}

QString TfrmEnvio::enderecoDestinatario(const ConfigEmail& cfg) const
{
    switch (CBPara->itemEscolhido()) {
    case 0: return QString::fromStdString(cfg.professorEmail);
    case 1: return QString::fromStdString(cfg.equipeEmail);
    default: return {};
    }
}

void TfrmEnvio::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    if (!evento->spontaneous())
        FormActivate();
}

// Esc não fecha a janela: a próxima abertura limparia a mensagem digitada.
void TfrmEnvio::keyPressEvent(QKeyEvent* evento)
{
    if (evento->key() == Qt::Key_Escape && evento->modifiers() == Qt::NoModifier) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}

// Chamada ao abrir a janela e ao voltar da ajuda. Caixas de mensagem e o
// diálogo de anexos não contam como troca de janela.
void TfrmEnvio::FormActivate()
{
    setWindowTitle(tituloAplicacao_ + QStringLiteral(" - Envio de Algorimos"));
    mmMensagem->clear();
    assinaturaAnexada_.clear();
    atualizaDestinos();
}

void TfrmEnvio::BtnNovoClick()
{
    const int r = dialogos().caixaMensagem(QStringLiteral("Tem certeza que deseja criar um novo envio?"),
                                           QStringLiteral("Novo envio"), Caixa::OkCancelar | Caixa::IconePergunta);
    if (r != Caixa::RespOk)
        return;
    // setText zera a marca de alteração: um campo limpo aqui volta a "não preenchido".
    edtAluno->setText(QString());
    edtCC->setText(QString());
    CBcurso->escolhe(0);
    edtRA->setText(QString());
    ListBox1->clear();
    mmMensagem->clear();
    assinaturaAnexada_.clear();
    CBPara->escolhe(-1);
    edtAluno->setFocus();
}

void TfrmEnvio::BtnAnexarClick()
{
    const QStringList escolhidos = dialogos().abreArquivos(
        QStringLiteral("Anexar algoritmos"), QStringLiteral("Algoritmo e Zip (*.alg *.zip *.ALG *.ZIP)"), pasta_);
    ListBox1->addItems(escolhidos); // repetidos são permitidos
}

void TfrmEnvio::BtnAjudaClick()
{
    ConfigEmail cfg;
    QString erro;
    leConfig(cfg, erro); // sem configuração a ajuda abre assim mesmo
    // Sem o email.ini o aviso ainda diz a quem escrever.
    if (cfg.equipeEmail.empty()) {
        cfg.equipeRotulo = kEquipeRotuloPadrao;
        cfg.equipeEmail = kEquipeEmailPadrao;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TFrmHelpMail ajuda(tituloAplicacao_, QString::fromStdString(cfg.equipeRotulo),
                       QString::fromStdString(cfg.equipeEmail), this);
    // A ampulheta cobre só a criação: sobre a ajuda aberta ela enganaria o aluno.
    QApplication::restoreOverrideCursor();
    ajuda.exec();
    // A volta da ajuda reativa esta janela.
    FormActivate();
}

void TfrmEnvio::BtnSairClick() { close(); }

bool TfrmEnvio::eventFilter(QObject* alvo, QEvent* evento)
{
    if (alvo == edtRA && evento->type() == QEvent::KeyPress)
        return edtRAKeyPress(static_cast<QKeyEvent*>(evento)->text());
    return QDialog::eventFilter(alvo, evento);
}

// Verdadeiro quando a tecla é descartada.
bool TfrmEnvio::edtRAKeyPress(const QString& texto)
{
    for (const char32_t c : texto.toUcs4()) {
        if (!CaractereRAPermitido(c)) {
            dialogos().caixaMensagem(QStringLiteral("Use apenas números neste campo"), QStringLiteral("Atenção!"),
                                     Caixa::IconeInformacao);
            return true;
        }
    }
    return false;
}

void btnEmailClick(TfrmEnvio* envio)
{
    if (envio)
        envio->exec();
}

int LigaEnvioEmail(QWidget* principal, TfrmEnvio* envio)
{
    if (!principal || !envio)
        return 0;
    int ligacoes = 0;
    auto abre = [envio] { btnEmailClick(envio); };
    QAction* menu = principal->findChild<QAction*>(QStringLiteral("EnviodeAlgoritmos1"));
    if (menu) {
        QObject::connect(menu, &QAction::triggered, envio, abre);
        ++ligacoes;
    }
    // O botão pode ser uma ação própria da barra ou um botão que já dispara a do menu.
    if (QAction* acao = principal->findChild<QAction*>(QStringLiteral("ToolButton3")); acao && acao != menu) {
        QObject::connect(acao, &QAction::triggered, envio, abre);
        ++ligacoes;
    } else if (auto* b = principal->findChild<QAbstractButton*>(QStringLiteral("ToolButton3"))) {
        auto* tb = qobject_cast<QToolButton*>(b);
        if (!tb || !menu || tb->defaultAction() != menu) {
            QObject::connect(b, &QAbstractButton::clicked, envio, abre);
            ++ligacoes;
        }
    }
    return ligacoes;
}

} // namespace vendrilo
