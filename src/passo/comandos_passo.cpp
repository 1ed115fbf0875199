#include "passo/comandos_passo.h"

#include "console/console_vendrilo.h"
#include "depuracao/declaracoes.h"
#include "passo/paineis_passo.h"
#include "platform/console.h"
#include "platform/dialogos.h"
#include "workspace/comandos_traducao.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/principal.h"

#include <QAction>
#include <QCoreApplication>
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

namespace vendrilo {

using depuracao::EstadoSessao;

namespace {

const QString TextoEdicao = QStringLiteral(
    "O algoritmo está sendo executado passo a passo.\r\r"
    "Para editá-lo, o passo a passo termina. Deseja terminar o passo a passo e editar o algoritmo?");

QDockWidget* novaDoca(QMainWindow* janela, const QString& nome, const QString& titulo, QWidget* conteudo)
{
    auto* doca = new QDockWidget(titulo, janela);
    doca->setObjectName(nome);
    doca->setWidget(conteudo);
    doca->hide();
    return doca;
}

} // namespace

ComandosPasso::ComandosPasso(TfrmPrincipal* principal, ComandosTraducao* traducao)
    : QObject(principal)
    , principal_(principal)
    , traducao_(traducao)
    , controle_(new ControlePasso(this))
{
    setObjectName(QStringLiteral("ComandosPasso"));
    connect(controle_, &ControlePasso::iniciou, this, &ComandosPasso::aoIniciar);
    connect(controle_, &ControlePasso::parou, this, &ComandosPasso::aoParar);
    connect(controle_, &ControlePasso::paradaDefinida, this, &ComandosPasso::aoDefinirParada);
    connect(controle_, &ControlePasso::ocupacaoMudou, this, &ComandosPasso::atualizaAcoes);
    // Um passo que demora é um LEIA esperando o aluno ou um laço longo: a
    // barra de estado diz onde olhar e como sair.
    demora_.setSingleShot(true);
    demora_.setInterval(400);
    connect(controle_, &ControlePasso::ocupacaoMudou, this, [this](bool ocupada) {
        if (ocupada)
            demora_.start();
        else
            demora_.stop();
    });
    connect(&demora_, &QTimer::timeout, this, [this] {
        if (!controle_->ativa() || !controle_->ocupada())
            return;
        principal_->defineStatus(3, QStringLiteral("Passo a passo: o programa está rodando ou esperando uma "
                                                   "entrada no console (Ctrl+F2 para parar)."));
        // As teclas vão para o programa; os atalhos do passo a passo valem lá também.
        if (moldura_ && console_) {
            moldura_->raise();
            if (moldura_->isWindow())
                moldura_->activateWindow();
            console_->setFocus();
        }
    });
    connect(principal->areaMdi(), &QMdiArea::subWindowActivated, this, &ComandosPasso::atualizaAcoes);

    // As ações vivem um pouco mais que este objeto quando a janela é destruída.
    QPointer<ComandosPasso> eu(this);
    auto liga = [&](const char* item, void (ComandosPasso::*metodo)()) {
        principal->ligaComando(QString::fromLatin1(item), QString(), [eu, metodo] {
            if (eu)
                (eu.data()->*metodo)();
        });
    };
    liga("PassoAPasso1", &ComandosPasso::IniciaPassoAPasso);
    liga("ProximaLinha1", &ComandosPasso::ProximaLinha);
    liga("EntrarRotina1", &ComandosPasso::EntraNaRotina);
    liga("ContinuarParada1", &ComandosPasso::ContinuaAteParada);
    liga("PararPasso1", &ComandosPasso::ParaPassoAPasso);
    liga("AlternarParada1", &ComandosPasso::AlternaParada);
    criaPaineis();
    atualizaAcoes();
}

ComandosPasso::~ComandosPasso()
{
    // Nada de gdb nem programa sobrando quando a janela principal se vai.
    controle_->Encerra();
}

TFrmFilha* ComandosPasso::filha() const
{
    return filha_;
}

ConsoleVendrilo* ComandosPasso::console() const
{
    return console_;
}

void ComandosPasso::criaPaineis()
{
    variaveis_ = new PainelVariaveis;
    pilha_ = new PainelPilha;
    testeMesa_ = new PainelTesteMesa;
    auto* v =
        novaDoca(principal_, QStringLiteral("PainelVariaveis"), QStringLiteral("Variáveis"), variaveis_);
    auto* p =
        novaDoca(principal_, QStringLiteral("PainelPilha"), QStringLiteral("Pilha de chamadas"), pilha_);
    auto* t =
        novaDoca(principal_, QStringLiteral("PainelTesteMesa"), QStringLiteral("Teste de mesa"), testeMesa_);
    principal_->addDockWidget(Qt::RightDockWidgetArea, v);
    principal_->addDockWidget(Qt::RightDockWidgetArea, p);
    principal_->splitDockWidget(v, p, Qt::Vertical);
    principal_->addDockWidget(Qt::BottomDockWidgetArea, t);
    docas_ = {v, p, t};
    connect(pilha_, &PainelPilha::linhaEscolhida, this, [this](int linha) {
        if (editor_)
            editor_->posicionaCursor(linha, 0);
    });
}

void ComandosPasso::atualizaAcoes()
{
    const bool ativa = controle_->ativa();
    const bool livre = ativa && !controle_->ocupada();
    const bool documento = principal_->filhaAtiva() != nullptr;
    principal_->acao(QStringLiteral("PassoAPasso1"))->setEnabled(documento && !ativa);
    for (const char* nome : {"ProximaLinha1", "EntrarRotina1", "ContinuarParada1"})
        principal_->acao(QString::fromLatin1(nome))->setEnabled(livre);
    principal_->acao(QStringLiteral("PararPasso1"))->setEnabled(ativa);
    principal_->acao(QStringLiteral("AlternarParada1"))->setEnabled(documento);
}

bool ComandosPasso::abreConsole(const std::string& programa)
{
    // Uma sessão, um console: o da sessão anterior sai (sem avisar esta).
    if (moldura_) {
        disconnect(moldura_, nullptr, this, nullptr);
        moldura_->close();
    }
    // As configurações do .pif ao lado do programa (NomeExe termina em "exe").
    ConfigConsole config;
    if (programa.size() > 3)
        config = LeConfigConsole(programa.substr(0, programa.size() - 3) + "pif");
    // Ao lado da janela, nunca por cima dela: o aluno olha os dois.
    config.maximizada = false;
    auto* console = new ConsoleVendrilo(config, ConsoleUtf8(programa, config));
    console->setObjectName(QStringLiteral("ConsolePasso"));
    QString erro;
    if (!console->abrePty(&erro)) {
        delete console;
        dialogos().mostraMensagem(QStringLiteral("Não foi possível abrir o console do programa: ") + erro);
        return false;
    }
    const auto* noPainel = principal_->findChild<QAction*>(QStringLiteral("ConsoleNoPainel1"));
    QWidget* moldura = nullptr;
    if (noPainel && noPainel->isChecked()) {
        auto* doca = new QDockWidget(QStringLiteral("Console"), principal_);
        doca->setObjectName(QStringLiteral("PainelConsolePasso"));
        doca->setWidget(console);
        principal_->addDockWidget(Qt::BottomDockWidgetArea, doca);
        principal_->splitDockWidget(docas_.last(), doca, Qt::Horizontal);
        moldura = doca;
    } else {
        moldura = new QWidget(principal_, Qt::Window);
        moldura->setObjectName(QStringLiteral("JanelaConsolePasso"));
        moldura->setWindowTitle(QString::fromStdString(config.titulo) + QStringLiteral(" - Passo a passo"));
        auto* leiaute = new QVBoxLayout(moldura);
        leiaute->setContentsMargins(0, 0, 0, 0);
        leiaute->addWidget(console);
        // Os atalhos do passo a passo valem também com o console em foco.
        for (const char* nome : {"ProximaLinha1", "EntrarRotina1", "ContinuarParada1", "PararPasso1"})
            moldura->addAction(principal_->acao(QString::fromLatin1(nome)));
        moldura->setFocusProxy(console);
        moldura->setAttribute(Qt::WA_ShowWithoutActivating);
        moldura->resize(console->sizeHint());
    }
    moldura->setAttribute(Qt::WA_DeleteOnClose);
    // Fechar o console no meio da sessão tira o terminal do programa: a sessão acaba.
    connect(moldura, &QObject::destroyed, this, [this] {
        if (controle_->ativa())
            encerra(QStringLiteral("Passo a passo encerrado: o console foi fechado."));
    });
    moldura->show();
    console_ = console;
    moldura_ = moldura;
    return true;
}

void ComandosPasso::IniciaPassoAPasso()
{
    if (controle_->ativa())
        return;
    ProgramaPassoAPasso programa;
    if (!traducao_->PreparaPassoAPasso(programa) || !programa.filha)
        return;
    const bool primeira = docas_.first()->isHidden() && docas_.last()->isHidden();
    for (QDockWidget* d : std::as_const(docas_))
        d->show();
    if (!abreConsole(programa.programa))
        return;
    if (primeira) {
        // O editor continua o maior: painéis estreitos à direita, baixos embaixo.
        principal_->resizeDocks({docas_.first()}, {260}, Qt::Horizontal);
        principal_->resizeDocks({docas_.last()}, {principal_->height() / 3}, Qt::Vertical);
    }
    depuracao::ConfigSessao config;
    config.programa = programa.programa;
    config.terminal = console_->nomeEscravo().toStdString();
    config.declaracoes = depuracao::LeDeclaracoes(programa.linhasPascal);
    config.bibliotecaUsada = programa.bibliotecaUsada;

    filha_ = programa.filha;
    editor_ = filha_->memEditor;
    editor_->marcaLinhaErroExecucao(-1);
    editor_->marcaLinhaExecucao(-1);
    editor_->defineProtegido(true);
    ligacoes_ << connect(editor_, &EditorVendrilo::paradaAlternada, controle_, &ControlePasso::DefineParada);
    ligacoes_ << connect(editor_, &EditorVendrilo::edicaoBarrada, this, &ComandosPasso::perguntaEdicao);
    // Fechar o documento encerra a sessão (e o gdb com ela).
    ligacoes_ << connect(filha_, &QObject::destroyed, this, [this] {
        encerra(QStringLiteral("Passo a passo encerrado: o documento foi fechado."));
    });

    variaveis_->Limpa();
    pilha_->Limpa();
    testeMesa_->Inicia(config.declaracoes);
    std::set<int> paradas;
    for (int l : editor_->linhasComParada())
        paradas.insert(l);
    principal_->defineStatus(3, QStringLiteral("Passo a passo: iniciando..."));
    controle_->Inicia(config, paradas);
    atualizaAcoes();
}

void ComandosPasso::ProximaLinha()
{
    controle_->PassoSobre();
}

void ComandosPasso::EntraNaRotina()
{
    controle_->PassoDentro();
}

void ComandosPasso::ContinuaAteParada()
{
    if (controle_->ativa() && !controle_->ocupada())
        principal_->defineStatus(3, QStringLiteral("Passo a passo: executando até a próxima parada..."));
    controle_->Continua();
}

void ComandosPasso::ParaPassoAPasso()
{
    if (controle_->ativa())
        encerra(QStringLiteral("Passo a passo encerrado a pedido."));
}

void ComandosPasso::AlternaParada()
{
    TFrmFilha* filha = principal_->filhaAtiva();
    if (!filha)
        return;
    EditorVendrilo* editor = filha->memEditor;
    const int linha = editor->linhaCursor();
    const bool ligada = !editor->temParada(linha);
    editor->defineParada(linha, ligada);
    if (controle_->ativa() && editor == editor_)
        controle_->DefineParada(linha, ligada);
}

void ComandosPasso::aoIniciar(bool ok, const QString& erro)
{
    if (ok)
        return;
    // O gdb que falta, o programa que não carrega: a mensagem da sessão diz o quê.
    encerra(QString());
    dialogos().caixaMensagem(erro, TituloAplicacao(), Caixa::IconeErro);
}

void ComandosPasso::aoParar(const ParadaPasso& p)
{
    if (!editor_)
        return;
    switch (p.estado) {
    case EstadoSessao::Parada: {
        editor_->marcaLinhaExecucao(p.linha);
        variaveis_->Mostra(p.variaveis);
        pilha_->Mostra(p.pilha);
        testeMesa_->Registra(p.linha, p.variaveis);
        QString status = QStringLiteral("Passo a passo: linha %1").arg(p.linha + 1);
        if (!p.rotina.isEmpty())
            status += QStringLiteral(" (em %1)").arg(p.rotina);
        if (p.interrompida)
            status += QStringLiteral(", interrompido");
        principal_->defineStatus(3, status);
        break;
    }
    case EstadoSessao::ErroExecucao:
        // Os painéis ficam com os valores do momento do erro.
        editor_->marcaLinhaExecucao(-1);
        editor_->marcaLinhaErroExecucao(p.linha);
        variaveis_->Mostra(p.variaveis);
        pilha_->Mostra(p.pilha);
        encerra(p.mensagem);
        dialogos().caixaMensagem(p.mensagem, TituloAplicacao(), Caixa::IconeErro);
        break;
    case EstadoSessao::Terminada: {
        const QString fim = QStringLiteral("O programa terminou (código de saída %1).").arg(p.codigoSaida);
        // O que o programa escreveu antes de sair já está no terminal: vai à
        // tela antes do aviso do fim.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (console_)
            console_->mostraTexto(QStringLiteral("\x1b[0m\r\n") + fim + QStringLiteral("\r\n"));
        encerra(fim);
        break;
    }
    default:
        encerra(p.mensagem);
        dialogos().caixaMensagem(p.mensagem.isEmpty() ? QStringLiteral("O passo a passo parou.") : p.mensagem,
                                 TituloAplicacao(), Caixa::IconeErro);
        break;
    }
    emit paradaMostrada();
}

void ComandosPasso::aoDefinirParada(int pedida, int real, bool ligada)
{
    if (!editor_ || !ligada)
        return;
    // O gdb leva a parada de uma linha sem código para a próxima que tem.
    if (real != pedida)
        editor_->defineParada(pedida, false);
    if (real >= 0)
        editor_->defineParada(real, true);
}

void ComandosPasso::perguntaEdicao()
{
    if (perguntando_ || !controle_->ativa())
        return;
    perguntando_ = true;
    const int r =
        dialogos().caixaMensagem(TextoEdicao, TituloAplicacao(), Caixa::SimNao | Caixa::IconePergunta);
    perguntando_ = false;
    // Desprotegido aqui mesmo, o editor deixa a edição seguir; com "Não" ela some.
    if (r == Caixa::RespSim)
        encerra(QStringLiteral("Passo a passo encerrado para a edição."));
}

void ComandosPasso::encerra(const QString& status)
{
    controle_->Encerra();
    for (const auto& c : std::as_const(ligacoes_))
        disconnect(c);
    ligacoes_.clear();
    if (editor_) {
        editor_->marcaLinhaExecucao(-1);
        editor_->defineProtegido(false);
    }
    filha_.clear();
    editor_.clear();
    principal_->defineStatus(3, status);
    atualizaAcoes();
    emit sessaoEncerrada();
}

} // namespace vendrilo
