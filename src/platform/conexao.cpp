#include "platform/conexao.h"

#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

namespace vendrilo {

bool TestaConexao(const std::string& host, int porta)
{
    if (host.empty())
        return false;
    addrinfo dica{};
    dica.ai_family = AF_UNSPEC;
    dica.ai_socktype = SOCK_DGRAM;
    addrinfo* lista = nullptr;
    const std::string servico = std::to_string(porta > 0 ? porta : 80);
    if (getaddrinfo(host.c_str(), servico.c_str(), &dica, &lista) != 0)
        return false;
    bool rota = false;
    for (addrinfo* a = lista; a && !rota; a = a->ai_next) {
        const int s = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (s < 0)
            continue;
        rota = ::connect(s, a->ai_addr, a->ai_addrlen) == 0;
        ::close(s);
    }
    freeaddrinfo(lista);
    return rota;
}

} // namespace vendrilo
