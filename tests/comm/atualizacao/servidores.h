#pragma once
// Servidores HTTP reais em 127.0.0.1 para os testes da atualização,
// iniciados como processos filhos numa porta livre e sempre parados.

#include <QProcess>
#include <QString>

#include <functional>
#include <memory>

namespace vendrilo::teste {

class ServidorHTTP {
public:
    // /usr/bin/python3 -m http.server servindo `pasta`.
    static std::unique_ptr<ServidorHTTP> estatico(const QString& pasta);
    // O servidor dos casos ruins (servidor_teimoso.py) servindo `pasta`.
    static std::unique_ptr<ServidorHTTP> teimoso(const QString& pasta);
    ~ServidorHTTP();

    int porta() const { return porta_; }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(porta_); }
    QString url(const QString& caminho) const { return QStringLiteral("http://") + host() + caminho; }

private:
    ServidorHTTP() = default;
    QProcess processo_;
    int porta_ = 0;
};

// Porta TCP livre em 127.0.0.1 no momento da chamada.
int PortaLivre();

// Processa eventos até `condicao` valer ou o prazo acabar.
bool EsperaAte(const std::function<bool()>& condicao, int prazoMs = 10000);

// Processa eventos por `ms` milissegundos.
void ProcessaPor(int ms);

} // namespace vendrilo::teste
