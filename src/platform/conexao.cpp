#include "platform/conexao.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

namespace vendrilo {

namespace {

std::function<bool()>& verificadorRede()
{
    static std::function<bool()> v;
    return v;
}

} // namespace

bool TestaConexao(const std::string& host, int porta)
{
    return AlcancaServidor(host, porta) == Alcance::Alcancavel;
}

bool TemRede()
{
    if (verificadorRede())
        return verificadorRede()();
    ifaddrs* lista = nullptr;
    if (getifaddrs(&lista) != 0)
        return true; // na dúvida, o erro do servidor é que fala
    bool rede = false;
    for (ifaddrs* i = lista; i && !rede; i = i->ifa_next)
        rede = i->ifa_addr && (i->ifa_flags & IFF_UP) && (i->ifa_flags & IFF_RUNNING) &&
               !(i->ifa_flags & IFF_LOOPBACK) &&
               (i->ifa_addr->sa_family == AF_INET || i->ifa_addr->sa_family == AF_INET6);
    freeifaddrs(lista);
    return rede;
}

void DefineVerificadorRede(std::function<bool()> verificador)
{
    verificadorRede() = std::move(verificador);
}

Alcance AlcancaServidor(const std::string& host, int porta)
{
    bool resolvido = false;
    bool rota = false;
    if (!host.empty()) {
        addrinfo dica{};
        dica.ai_family = AF_UNSPEC;
        dica.ai_socktype = SOCK_DGRAM;
        addrinfo* lista = nullptr;
        const std::string servico = std::to_string(porta > 0 ? porta : 80);
        if (getaddrinfo(host.c_str(), servico.c_str(), &dica, &lista) == 0) {
            resolvido = true;
            for (addrinfo* a = lista; a && !rota; a = a->ai_next) {
                const int s = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
                if (s < 0)
                    continue;
                rota = ::connect(s, a->ai_addr, a->ai_addrlen) == 0;
                ::close(s);
            }
            freeaddrinfo(lista);
        }
    }
    // Um servidor local (127.0.0.1) responde mesmo sem rede.
    if (rota)
        return Alcance::Alcancavel;
    if (!TemRede())
        return Alcance::SemRede;
    return resolvido ? Alcance::SemRota : Alcance::NomeDesconhecido;
}

} // namespace vendrilo
