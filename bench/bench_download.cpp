// Download da atualização: vazão do componente com o progresso entregue ao
// fio da interface a cada pedaço de 1025 bytes, ao lado da transferência
// crua, e o maior atraso do laço de eventos durante o download.

#include "comm/atualizacao/http_get.h"
#include "comm/atualizacao/transferencia_http.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>

namespace {

constexpr int kTamanho = 4 * 1024 * 1024;

// Porta livre (porta = 0) ou teste de conexão a uma porta de 127.0.0.1.
int soqueteLocal(int porta, bool conecta)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(quint16(porta));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t tam = sizeof a;
    int r = conecta ? ::connect(s, reinterpret_cast<sockaddr*>(&a), tam)
                    : ::bind(s, reinterpret_cast<sockaddr*>(&a), tam);
    if (r == 0 && !conecta) {
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &tam);
        r = ntohs(a.sin_port);
    }
    ::close(s);
    return r;
}

struct Servidor {
    QTemporaryDir pasta;
    QProcess processo;
    int porta = 0;

    Servidor()
    {
        QFile f(pasta.filePath("Vendrilo.zip"));
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(kTamanho, 'v'));
        f.close();
        porta = soqueteLocal(0, false);
        processo.setStandardErrorFile(QProcess::nullDevice());
        processo.start("/usr/bin/python3", {"-m", "http.server", "--bind", "127.0.0.1",
                                            "--directory", pasta.path(), QString::number(porta)});
        processo.waitForStarted();
        for (int i = 0; i < 200; ++i) {
            if (soqueteLocal(porta, true) == 0)
                break;
            QThread::msleep(50);
        }
    }
    ~Servidor()
    {
        processo.kill();
        processo.waitForFinished();
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/Vendrilo.zip").arg(porta); }
};

Servidor* servidor = nullptr;

void BM_TransferenciaCrua(benchmark::State& estado)
{
    QTemporaryDir destino;
    vendrilo::PedidoHTTP pedido;
    pedido.url = servidor->url().toStdString();
    pedido.fileName = destino.filePath("baixado.zip").toStdString();
    std::atomic<bool> parar{false};
    for (auto _ : estado) {
        const auto r = vendrilo::TransfereHTTP(pedido, parar, {});
        if (!r.sucesso)
            estado.SkipWithError("transferência falhou");
    }
    estado.SetBytesProcessed(estado.iterations() * kTamanho);
}
BENCHMARK(BM_TransferenciaCrua)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ComponenteComProgresso(benchmark::State& estado)
{
    QTemporaryDir destino;
    vendrilo::THTTPGet g;
    g.setURL(servidor->url());
    g.setFileName(destino.filePath("baixado.zip"));
    qint64 eventos = 0;
    QObject::connect(&g, &vendrilo::THTTPGet::OnProgress, [&](QObject*, qint64, qint64) { ++eventos; });
    // Um temporizador de 10 ms mede quanto o laço de eventos chega a atrasar.
    qint64 maiorAtraso = 0;
    QElapsedTimer relogio;
    QTimer pulso;
    QObject::connect(&pulso, &QTimer::timeout, [&] {
        maiorAtraso = std::max(maiorAtraso, relogio.restart() - 10);
    });
    for (auto _ : estado) {
        bool fim = false;
        auto c1 = QObject::connect(&g, &vendrilo::THTTPGet::OnDoneFile, [&] { fim = true; });
        auto c2 = QObject::connect(&g, &vendrilo::THTTPGet::OnError, [&] { fim = true; });
        relogio.start();
        pulso.start(10);
        g.StartDownload();
        while (!fim)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        pulso.stop();
        QObject::disconnect(c1);
        QObject::disconnect(c2);
        if (!g.Sucesso())
            estado.SkipWithError("transferência falhou");
    }
    estado.SetBytesProcessed(estado.iterations() * kTamanho);
    estado.counters["eventos_de_progresso"] = benchmark::Counter(double(eventos) / double(estado.iterations()));
    estado.counters["maior_atraso_do_laco_ms"] = double(maiorAtraso);
}
BENCHMARK(BM_ComponenteComProgresso)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    for (const char* v : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
        unsetenv(v);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Servidor s;
    servidor = &s;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
