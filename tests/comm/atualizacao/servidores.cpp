#include "servidores.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace vendrilo::teste {

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");

bool aceitaConexao(int porta)
{
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, quint16(porta));
    return s.waitForConnected(200);
}

} // namespace

int PortaLivre()
{
    QTcpServer s;
    if (!s.listen(QHostAddress::LocalHost, 0))
        return 0;
    return s.serverPort();
}

std::unique_ptr<ServidorHTTP> ServidorHTTP::estatico(const QString& pasta)
{
    std::unique_ptr<ServidorHTTP> s(new ServidorHTTP);
    for (int tentativa = 0; tentativa < 5 && s->porta_ == 0; ++tentativa) {
        const int porta = PortaLivre();
        s->processo_.setStandardErrorFile(QProcess::nullDevice()); // o registro de cada pedido só polui a saída
        s->processo_.start(kPython, {QStringLiteral("-m"), QStringLiteral("http.server"),
                                     QStringLiteral("--bind"), QStringLiteral("127.0.0.1"),
                                     QStringLiteral("--directory"), pasta, QString::number(porta)});
        if (!s->processo_.waitForStarted(5000))
            return nullptr;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 10000 && s->processo_.state() == QProcess::Running) {
            if (aceitaConexao(porta)) {
                s->porta_ = porta;
                break;
            }
            QThread::msleep(50);
        }
        if (s->porta_ == 0) { // porta tomada por outro no meio-tempo: tenta outra
            s->processo_.kill();
            s->processo_.waitForFinished(2000);
        }
    }
    return s->porta_ ? std::move(s) : nullptr;
}

std::unique_ptr<ServidorHTTP> ServidorHTTP::teimoso(const QString& pasta)
{
    std::unique_ptr<ServidorHTTP> s(new ServidorHTTP);
    s->processo_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    s->processo_.start(kPython, {QStringLiteral(SERVIDOR_TEIMOSO), pasta});
    if (!s->processo_.waitForStarted(5000) || !s->processo_.waitForReadyRead(10000))
        return nullptr;
    s->porta_ = s->processo_.readLine().trimmed().toInt();
    return s->porta_ ? std::move(s) : nullptr;
}

ServidorHTTP::~ServidorHTTP()
{
    processo_.closeWriteChannel();
    if (!processo_.waitForFinished(1000)) {
        processo_.kill();
        processo_.waitForFinished(3000);
    }
}

bool EsperaAte(const std::function<bool()>& condicao, int prazoMs)
{
    QElapsedTimer t;
    t.start();
    while (!condicao()) {
        if (t.elapsed() > prazoMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

void ProcessaPor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

} // namespace vendrilo::teste
