#include "passo/controle_passo.h"

#include <QThread>

namespace vendrilo {

using depuracao::EstadoSessao;

namespace {

// Liga a parada e diz em que linha ela ficou (o gdb a leva à próxima linha
// com código); -1 quando não há onde.
int ligaParada(depuracao::Sessao& sessao, int linha)
{
    const std::set<int> antes = sessao.Paradas();
    int real = -1;
    if (sessao.DefineParada(linha, true))
        for (int l : sessao.Paradas())
            if (!antes.count(l) || l == linha)
                real = l;
    return real;
}

} // namespace

ControlePasso::ControlePasso(QObject* pai)
    : QObject(pai)
    , thread_(new QThread(this))
    , trabalhador_(new QObject)
    , sessao_(std::make_unique<depuracao::Sessao>())
{
    qRegisterMetaType<ParadaPasso>();
    thread_->setObjectName(QStringLiteral("PassoAPasso"));
    trabalhador_->moveToThread(thread_);
    connect(thread_, &QThread::finished, trabalhador_, &QObject::deleteLater);
    thread_->start();
}

ControlePasso::~ControlePasso()
{
    Encerra();
    thread_->quit();
    thread_->wait();
    // Com a thread parada, o gdb que sobrasse (início que falhou) sai daqui.
    sessao_->Encerra();
}

template <typename F> void ControlePasso::naThread(F tarefa)
{
    const int numero = numero_;
    QMetaObject::invokeMethod(
        trabalhador_,
        [this, numero, tarefa] {
            // Pedidos que chegaram depois de um Encerra ficam sem efeito.
            if (numero_ == numero)
                tarefa();
        },
        Qt::QueuedConnection);
}

void ControlePasso::pedido()
{
    if (pendentes_++ == 0)
        emit ocupacaoMudou(true);
}

void ControlePasso::respondido(int numero)
{
    if (numero != numero_ || pendentes_ == 0)
        return;
    if (--pendentes_ == 0)
        emit ocupacaoMudou(false);
}

ParadaPasso ControlePasso::leParada() const
{
    depuracao::Sessao& s = *sessao_;
    ParadaPasso p;
    p.sessao = numero_;
    p.estado = s.estado();
    p.linha = s.Linha();
    p.rotina = QString::fromStdString(s.RotinaAtual());
    p.mensagem = QString::fromStdString(s.mensagem());
    p.interrompida = s.FoiInterrompida();
    p.codigoSaida = s.codigoSaida();
    if (p.estado == EstadoSessao::Parada || p.estado == EstadoSessao::ErroExecucao) {
        p.variaveis = s.Variaveis();
        p.pilha = s.Pilha();
    }
    return p;
}

void ControlePasso::Inicia(const depuracao::ConfigSessao& config, const std::set<int>& paradas)
{
    Encerra();
    const int numero = ++numero_;
    ativa_ = true;
    pedido();
    naThread([this, numero, config, paradas] {
        std::string erro;
        const bool ok = sessao_->Inicia(config, erro);
        // As paradas marcadas antes da sessão: a linha em que cada uma ficou.
        std::vector<std::pair<int, int>> ligadas;
        for (int linha : ok ? paradas : std::set<int>{})
            ligadas.emplace_back(linha, ligaParada(*sessao_, linha));
        const ParadaPasso p = ok ? leParada() : ParadaPasso{};
        QMetaObject::invokeMethod(
            this,
            [this, numero, ok, erro, ligadas, p] {
                if (numero != numero_)
                    return;
                respondido(numero);
                if (!ok)
                    ativa_ = false;
                emit iniciou(ok, QString::fromStdString(erro));
                if (!ok)
                    return;
                for (const auto& [pedida, real] : ligadas)
                    emit paradaDefinida(pedida, real, true);
                emit parou(p);
            },
            Qt::QueuedConnection);
    });
}

void ControlePasso::anda(Passo passo)
{
    if (!ativa_ || ocupada())
        return;
    pedido();
    const int numero = numero_;
    naThread([this, numero, passo] {
        switch (passo) {
        case Passo::Sobre: sessao_->PassoSobre(); break;
        case Passo::Dentro: sessao_->PassoDentro(); break;
        case Passo::Continua: sessao_->Continua(); break;
        }
        const ParadaPasso p = leParada();
        QMetaObject::invokeMethod(
            this,
            [this, numero, p] {
                if (numero != numero_)
                    return;
                respondido(numero);
                emit parou(p);
            },
            Qt::QueuedConnection);
    });
}

void ControlePasso::PassoSobre()
{
    anda(Passo::Sobre);
}

void ControlePasso::PassoDentro()
{
    anda(Passo::Dentro);
}

void ControlePasso::Continua()
{
    anda(Passo::Continua);
}

void ControlePasso::DefineParada(int linha, bool ligada)
{
    if (!ativa_)
        return;
    const int numero = numero_;
    naThread([this, numero, linha, ligada] {
        int real = -1;
        if (ligada)
            real = ligaParada(*sessao_, linha);
        else
            sessao_->DefineParada(linha, false);
        QMetaObject::invokeMethod(
            this,
            [this, numero, linha, real, ligada] {
                if (numero == numero_)
                    emit paradaDefinida(linha, real, ligada);
            },
            Qt::QueuedConnection);
    });
}

void ControlePasso::Encerra()
{
    if (!ativa_ && pendentes_ == 0)
        return;
    // Tarefas e respostas da sessão que acaba deixam de valer.
    ++numero_;
    ativa_ = false;
    sessao_->Interrompe();
    QMetaObject::invokeMethod(
        trabalhador_, [this] { sessao_->Encerra(); }, Qt::BlockingQueuedConnection);
    if (pendentes_ > 0) {
        pendentes_ = 0;
        emit ocupacaoMudou(false);
    }
}

} // namespace vendrilo
