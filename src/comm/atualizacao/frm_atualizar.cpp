#include "comm/atualizacao/frm_atualizar.h"

#include "comm/atualizacao/http_get.h"
#include "formato/arquivo_ini.h"
#include "platform/conexao.h"
#include "platform/dialogos.h"
#include "platform/pasta_programa.h"
#include "platform/processo.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <memory>

namespace vendrilo {

namespace {

std::filesystem::path caminhoLocal(const QString& p)
{
    return std::filesystem::path(QFile::encodeName(p).toStdString());
}

// "host", "host:porta" ou "[ipv6]:porta" → nome e porta para o teste de conexão.
void divideHost(const QString& host, std::string& nome, int& porta)
{
    porta = 80;
    QString h = host;
    if (h.startsWith(u'[')) {
        const int fecha = h.indexOf(u']');
        nome = h.mid(1, fecha - 1).toStdString();
        if (fecha >= 0 && h.mid(fecha + 1).startsWith(u':'))
            porta = h.mid(fecha + 2).toInt();
        return;
    }
    const int dois = h.lastIndexOf(u':');
    if (dois >= 0 && h.count(u':') == 1) {
        porta = h.mid(dois + 1).toInt();
        h = h.left(dois);
    }
    nome = h.toStdString();
}

} // namespace

QString HostDoSiteAtualizacao(const QString& pastaPrograma)
{
    // A configuração da pasta do programa vale mais; sem ela, a dos dados instalados.
    auto arquivo = caminhoLocal(QDir(pastaPrograma).filePath(QStringLiteral("Update/site.ini")));
    if (!std::filesystem::exists(arquivo))
        arquivo = std::filesystem::path(PastaDados()) / "Update" / "site.ini";
    return QString::fromStdString(LeValorIni(arquivo, "Site", "Host")).trimmed();
}

TFrmAtualizar::TFrmAtualizar(const QString& pastaPrograma, QWidget* pai)
    : QDialog(pai)
    , pasta_(pastaPrograma)
    , host_(HostDoSiteAtualizacao(pastaPrograma))
{
    setObjectName(QStringLiteral("FrmAtualizar"));
    auto* figura = new QLabel(this);
    figura->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(48, 48));
    figura->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    figura->setFrameShape(QFrame::StyledPanel);
    figura->setMinimumWidth(80);

    auto* rotulo = new QLabel(QStringLiteral("Auto-Update para o Vendrilo de Algoritmos:"), this);
    LBStatus = new QListWidget(this);
    LBStatus->setObjectName(QStringLiteral("LBStatus"));
    LBStatus->setMinimumSize(340, 140);
    auto* rotuloProgresso = new QLabel(QStringLiteral("Progresso da atualização:"), this);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);

    BtnVerificar = new QPushButton(QStringLiteral("Verificar\nAtualizações"), this);
    BtnVerificar->setObjectName(QStringLiteral("BtnVerificar"));
    BtnVerificar->setMinimumHeight(48);
    BtnSair = new QPushButton(QStringLiteral("&Sair"), this);
    BtnSair->setObjectName(QStringLiteral("BtnSair"));
    connect(BtnVerificar, &QPushButton::clicked, this, &TFrmAtualizar::BtnVerificarClick);
    connect(BtnSair, &QPushButton::clicked, this, &TFrmAtualizar::BtnSairClick);

    auto* direita = new QVBoxLayout;
    direita->addWidget(rotulo);
    direita->addWidget(LBStatus);
    direita->addWidget(rotuloProgresso);
    direita->addWidget(ProgressBar);
    auto* botoes = new QVBoxLayout;
    botoes->addWidget(BtnVerificar);
    botoes->addWidget(BtnSair);
    botoes->addStretch();
    auto* geral = new QHBoxLayout(this);
    geral->addWidget(figura);
    geral->addLayout(direita, 1);
    geral->addLayout(botoes);
    geral->setSizeConstraint(QLayout::SetFixedSize); // janela de tamanho fixo

    criaComponentes();

    encerraAplicacao = EncerraPelaJanelaPrincipal(nullptr);
}

TFrmAtualizar::~TFrmAtualizar() = default;

void TFrmAtualizar::criaComponentes()
{
    const QString update = QDir(pasta_).filePath(QStringLiteral("Update"));
    const auto configura = [&](THTTPGet* c, const char* caminho, const QString& arquivo) {
        c->setAcceptTypes(QStringLiteral("*/*"));
        c->setAgent(QStringLiteral("Corvanel HTTPGet"));
        c->setBinaryData(false);
        c->setUseCache(false);
        c->setWaitThread(false);
        c->setURL(QStringLiteral("http://") + host_ + QLatin1String(caminho));
        c->setFileName(QDir(update).filePath(arquivo));
        connect(c, &THTTPGet::OnProgress, this, &TFrmAtualizar::HTTPGetINIProgress);
        connect(c, &THTTPGet::OnError, this, &TFrmAtualizar::HTTPGetINIError);
    };
    HTTPGetINI = new THTTPGet(this);
    HTTPGetINI->setObjectName(QStringLiteral("HTTPGetINI"));
    configura(HTTPGetINI, kCaminhoUpdateIni, QStringLiteral("update.ini"));
    connect(HTTPGetINI, &THTTPGet::OnDoneFile, this, &TFrmAtualizar::HTTPGetINIDoneFile);
    HTTPGetZIP = new THTTPGet(this);
    HTTPGetZIP->setObjectName(QStringLiteral("HTTPGetZIP"));
    configura(HTTPGetZIP, kCaminhoVendriloZip, QStringLiteral("Vendrilo.zip"));
    connect(HTTPGetZIP, &THTTPGet::OnDoneFile, this, &TFrmAtualizar::HTTPGetZIPDoneFile);
    HTTPGetSIG = new THTTPGet(this);
    HTTPGetSIG->setObjectName(QStringLiteral("HTTPGetSIG"));
    configura(HTTPGetSIG, kCaminhoVendriloSig, QStringLiteral("Vendrilo.zip.sig"));
    connect(HTTPGetSIG, &THTTPGet::OnDoneFile, this, &TFrmAtualizar::HTTPGetSIGDoneFile);
}

std::string TFrmAtualizar::LeIni() const
{
    return LeValorIni(caminhoLocal(QDir(pasta_).filePath(QStringLiteral("Update/versao.ini"))),
                      "Versao", "Vendrilo");
}

std::string TFrmAtualizar::LeIni2() const
{
    return LeValorIni(caminhoLocal(QDir(pasta_).filePath(QStringLiteral("Update/update.ini"))),
                      "Versao", "Vendrilo");
}

QString TFrmAtualizar::caminhoAtualizador() const
{
    const QString naPasta = QDir(pasta_).filePath(QStringLiteral("Update/atualizar"));
    if (QFileInfo(naPasta).isExecutable())
        return naPasta;
    return QDir(QString::fromStdString(PastaAuxiliares())).filePath(QStringLiteral("atualizar"));
}

bool TFrmAtualizar::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show)
        FormActivate();
    return QDialog::event(e);
}

void TFrmAtualizar::FormActivate()
{
    setWindowTitle(QCoreApplication::applicationName() + QStringLiteral(" - Atualização"));
}

void TFrmAtualizar::adicionaStatus(const QString& linha)
{
    LBStatus->addItem(linha);
    LBStatus->scrollToBottom();
}

void TFrmAtualizar::BtnVerificarClick()
{
    std::string nome;
    int porta = 80;
    divideHost(host_, nome, porta);
    const Alcance alcance = AlcancaServidor(nome, porta);
    if (alcance == Alcance::NomeDesconhecido || alcance == Alcance::SemRota) {
        // Há rede, mas o servidor configurado não existe ou não responde.
        dialogos().caixaMensagem(
            QStringLiteral("Houver erro ao atualizar o Vendrilo. Tente novamente mais tarde.\n"
                           "O servidor \"%1\" não foi encontrado ou não responde.")
                .arg(QString::fromStdString(nome)),
            QStringLiteral("Erro na atualização"), Caixa::IconeErro);
        adicionaStatus(QStringLiteral(">>> Erro na atualização: servidor \"%1\" inalcançável.")
                           .arg(QString::fromStdString(nome)));
    } else if (alcance == Alcance::Alcancavel) {
        LBStatus->clear();
        adicionaStatus(QStringLiteral(">>> Verificando se há nova versão do Vendrilo"));
        adicionaStatus(QStringLiteral(" "));
        HTTPGetINI->StartDownload();
    } else {
        dialogos().caixaMensagem(QStringLiteral("Você não está conectado à Internet.\n"
                                                "Não será possível checar se há novas atualizações!"),
                                 QStringLiteral("Atenção!"), Caixa::IconeAviso);
        adicionaStatus(QStringLiteral("> Não foi localizada nenhuma conexão com a Internet."));
    }
}

void TFrmAtualizar::BtnSairClick()
{
    reject();
}

void TFrmAtualizar::HTTPGetINIProgress(QObject*, qint64 TotalSize, qint64 Readed)
{
    // A barra é de inteiros: tamanhos enormes vão em KiB.
    while (TotalSize > INT_MAX || Readed > INT_MAX) {
        TotalSize /= 1024;
        Readed /= 1024;
    }
    ProgressBar->setMaximum(int(TotalSize));
    ProgressBar->setValue(int(qMin(Readed, TotalSize > 0 ? TotalSize : Readed)));
}

void TFrmAtualizar::HTTPGetINIDoneFile(QObject*, const QString&, qint64)
{
    ProgressBar->setValue(0);
    if (LeIni() == LeIni2()) {
        dialogos().caixaMensagem(QStringLiteral("Não há nenhuma atualização no momento"),
                                 QStringLiteral("Nenhuma atualização disponível"),
                                 Caixa::IconeInformacao);
        adicionaStatus(QStringLiteral(">>> Nenhuma atualização disponível"));
        return;
    }
    const int resp = dialogos().caixaMensagem(
        QStringLiteral("Há uma nova versão do Vendrilo disponível. Deseja atualizar agora?"),
        QStringLiteral("Nova versao do Vendrilo"), Caixa::SimNao | Caixa::IconePergunta);
    if (resp == Caixa::RespSim) {
        // Uma assinatura de outra versão nunca fica ao lado do pacote novo.
        QFile::remove(QDir(pasta_).filePath(QStringLiteral("Update/Vendrilo.zip.sig")));
        HTTPGetZIP->StartDownload();
        BtnVerificar->setEnabled(false);
        adicionaStatus(QStringLiteral(">>> Atualização em andamento"));
    }
}

void TFrmAtualizar::HTTPGetINIError(QObject*)
{
    dialogos().caixaMensagem(
        QStringLiteral("Houver erro ao atualizar o Vendrilo. Tente novamente mais tarde."),
        QStringLiteral("Erro na atualização"), Caixa::IconeErro);
    adicionaStatus(QStringLiteral(">>> Erro na atualização."));
    BtnVerificar->setEnabled(true);
}

void TFrmAtualizar::HTTPGetZIPDoneFile(QObject*, const QString&, qint64)
{
    // Sem a assinatura o atualizador recusa o pacote: ela vem logo depois.
    HTTPGetSIG->StartDownload();
}

void TFrmAtualizar::HTTPGetSIGDoneFile(QObject*, const QString&, qint64)
{
    // Os documentos abertos passam pelas perguntas de sempre antes do fim;
    // se o usuário preferir continuar, o pacote fica baixado e nada é trocado.
    if (encerraAplicacao && !encerraAplicacao()) {
        adicionaStatus(QStringLiteral(">>> Atualização adiada: o Vendrilo continua aberto."));
        BtnVerificar->setEnabled(true);
        return;
    }
    // Um atualizador ausente não é avisado: a aplicação termina de qualquer forma.
    IniciaDesligado({QFile::encodeName(caminhoAtualizador()).toStdString(),
                     QFile::encodeName(pasta_).toStdString()});
}

void TFrmAtualizar::done(int resultado)
{
    // Fechar a janela cancela o que estiver baixando, sem avisos: os
    // componentes destruídos não entregam eventos.
    if (HTTPGetINI->Executando() || HTTPGetZIP->Executando() || HTTPGetSIG->Executando()) {
        delete HTTPGetINI;
        delete HTTPGetZIP;
        delete HTTPGetSIG;
        criaComponentes();
        ProgressBar->setValue(0);
        BtnVerificar->setEnabled(true);
    }
    QDialog::done(resultado);
}

std::function<bool()> EncerraPelaJanelaPrincipal(QWidget* principal)
{
    return [p = QPointer<QWidget>(principal)] {
        if (p && !p->close())
            return false;
        QCoreApplication::exit(0);
        return true;
    };
}

void AbreAtualizacao(QWidget* principal, const QString& pastaPrograma)
{
    // Sem dono: fechar a janela principal durante o fim não a destrói por baixo.
    auto janela = std::make_unique<TFrmAtualizar>(pastaPrograma);
    janela->setWindowModality(Qt::ApplicationModal);
    janela->encerraAplicacao = EncerraPelaJanelaPrincipal(principal);
    janela->exec();
}

void AbreAtualizacao(QWidget* principal)
{
    AbreAtualizacao(principal, QString::fromStdString(PastaPrograma()));
}

} // namespace vendrilo
