#include "comm/atualizacao/http_get.h"

#include "comm/atualizacao/transferencia_http.h"

#include <QEventLoop>
#include <QFile>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace vendrilo {

// O que o fio compartilha com o componente: só isto, nunca o componente.
struct THTTPGet::Trabalho {
    PedidoHTTP pedido;
    std::atomic<bool> parar{false};
    std::mutex m;
    std::condition_variable cv;
    bool atendido = true; // o fio da interface já tratou o último progresso
    ResultadoHTTP resultado;
    std::thread fio;
    QEventLoop* espera = nullptr; // laço do WaitThread

    void acorda()
    {
        { std::lock_guard trava(m); }
        cv.notify_all();
    }
};

THTTPGet::THTTPGet(QObject* pai)
    : QObject(pai)
{
}

THTTPGet::~THTTPGet()
{
    if (trabalho_) {
        // Os eventos já postados morrem com o objeto: nada é entregue.
        trabalho_->parar = true;
        trabalho_->acorda();
        if (trabalho_->fio.joinable())
            trabalho_->fio.join();
        if (trabalho_->espera)
            trabalho_->espera->quit();
    }
}

void THTTPGet::StartDownload()
{
    if (trabalho_)
        return;
    auto t = std::make_shared<Trabalho>();
    PedidoHTTP& p = t->pedido;
    p.acceptTypes = acceptTypes_.toStdString();
    p.agent = agent_.toStdString();
    p.url = url_.toStdString();
    p.fileName = QFile::encodeName(fileName_).toStdString();
    p.userName = userName_.toStdString();
    p.password = password_.toStdString();
    p.postQuery = postQuery_.toStdString();
    p.referer = referer_.toStdString();
    p.binaryData = binaryData_;
    p.useCache = useCache_;
    p.tempoConexaoSeg = tempoConexao_;
    p.tempoLeituraSeg = tempoLeitura_;

    trabalho_ = t;
    sucesso_ = false;
    ultimoErro_.clear();
    THTTPGet* dono = this; // vivo enquanto o fio roda: o destrutor espera por ele
    t->fio = std::thread([t, dono] {
        // O progresso roda no fio da interface; o fio espera a volta dele,
        // a menos que seja mandado parar (componente destruído ou cancelado).
        const ProgressoHTTP progresso = [t, dono](std::int64_t total, std::int64_t lidos) {
            if (t->parar)
                return false;
            {
                std::lock_guard trava(t->m);
                t->atendido = false;
            }
            QMetaObject::invokeMethod(
                dono,
                [t, dono, total, lidos] {
                    if (!t->parar)
                        emit dono->OnProgress(dono, total, lidos);
                    {
                        std::lock_guard trava(t->m);
                        t->atendido = true;
                    }
                    t->cv.notify_all();
                },
                Qt::QueuedConnection);
            std::unique_lock trava(t->m);
            t->cv.wait(trava, [&] { return t->atendido || t->parar.load(); });
            return !t->parar.load();
        };
        t->resultado = TransfereHTTP(t->pedido, t->parar, progresso);
        QMetaObject::invokeMethod(
            dono, [t, dono] { if (dono->trabalho_ == t) dono->conclui(); }, Qt::QueuedConnection);
    });

    if (waitThread_ && trabalho_ == t) {
        QEventLoop laco;
        t->espera = &laco;
        laco.exec();
        t->espera = nullptr;
    }
}

void THTTPGet::CancelDownload()
{
    if (!trabalho_)
        return;
    trabalho_->parar = true;
    trabalho_->acorda();
    sucesso_ = false;
}

void THTTPGet::conclui()
{
    const std::shared_ptr<Trabalho> t = std::move(trabalho_);
    if (t->fio.joinable())
        t->fio.join();
    sucesso_ = t->resultado.sucesso && !t->parar;
    ultimoErro_ = QString::fromStdString(t->resultado.erro);
    if (t->espera)
        t->espera->quit();
    // A referência já foi limpa: quem trata o evento pode começar outra.
    if (sucesso_)
        emit OnDoneFile(this, QFile::decodeName(QByteArray::fromStdString(t->pedido.fileName)),
                        t->resultado.tamanhoAnunciado);
    else
        emit OnError(this);
}

} // namespace vendrilo
