#include "platform/interrupcao.h"

#include <csignal>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace vendrilo {

void TrataInterrupcao(std::function<void(int sinal)> acao)
{
    sigset_t sinais;
    sigemptyset(&sinais);
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&sinais, s);
    pthread_sigmask(SIG_BLOCK, &sinais, nullptr);
    std::thread([sinais, acao = std::move(acao)] {
        int sinal = 0;
        while (sigwait(&sinais, &sinal) != 0) { }
        if (acao)
            acao(sinal);
        _exit(128 + sinal);
    }).detach();
}

} // namespace vendrilo
