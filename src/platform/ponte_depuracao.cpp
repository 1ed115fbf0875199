#include "platform/ponte_depuracao.h"
#include "platform/ponte_terminal.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace vendrilo {

namespace {

std::atomic<bool> sinalInterrupcao{false};

void aoInterromper(int)
{
    sinalInterrupcao = true;
}

void escreveTudo(int fd, const char* dados, std::size_t n)
{
    while (n > 0) {
        const ssize_t w = write(fd, dados, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return;
        dados += w;
        n -= static_cast<std::size_t>(w);
    }
}

} // namespace

PonteDepuracao::PonteDepuracao(int mestre, int entrada, int saida)
    : mestre_(mestre)
    , entrada_(entrada)
    , saida_(saida)
    , saidaEhTerminal_(isatty(saida) == 1)
{
    termios t{};
    entradaEhTerminal_ = isatty(entrada) == 1;
    respondeCursor_ = !(entradaEhTerminal_ && saidaEhTerminal_);
    // O programa escreve Windows-1252; num terminal UTF-8, como no Executar.
    converte_ = saida == 1 && SaidaEmTerminalUtf8();
    // As teclas (ou o arquivo de entrada) vêm no UTF-8 do locale; o programa
    // lê Windows-1252, como no Executar. Sem isso, "João" chegaria como
    // "JoÃ£o" à variável.
    converteTeclas_ = LocaleUtf8();
    // Com um terminal de verdade, é ele que responde à pergunta do cursor, e
    // a resposta precisa passar desde o começo.
    entradaLiberada_ = !respondeCursor_;
    entradaCrua_ = isatty(entrada) == 1 && tcgetattr(entrada, &t) == 0 && !(t.c_lflag & ISIG);
    sinalInterrupcao = false;
    struct sigaction sa { };
    sa.sa_handler = aoInterromper;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    thread_ = std::thread([this] { laco(); });
}

PonteDepuracao::~PonteDepuracao()
{
    Para();
}

bool PonteDepuracao::PediuInterrupcao() const
{
    return sinalInterrupcao;
}

void PonteDepuracao::entregaSaida(const char* dados, long n)
{
    std::string s(dados, static_cast<std::size_t>(n));
    // Sem um terminal de verdade nos dois lados, ninguém responde à pergunta
    // da posição do cursor que a unidade CRT faz ao começar: respondemos nós.
    if (respondeCursor_) {
        for (auto p = s.find("\x1b[6n"); p != std::string::npos; p = s.find("\x1b[6n")) {
            s.erase(p, 4);
            escreveTudo(mestre_, "\x1b[1;1R", 6);
        }
    }
    if (converte_)
        s = Windows1252ParaTerminal(s);
    escreveTudo(saida_, s.data(), s.size());
}

void PonteDepuracao::laco()
{
    char buf[4096];
    while (!parar_) {
        const bool leEntrada = entradaLiberada_ && !entradaAcabou_;
        pollfd p[2] = {{mestre_, POLLIN, 0}, {leEntrada ? entrada_ : -1, POLLIN, 0}};
        const int r = poll(p, 2, 50);
        if (r <= 0)
            continue;
        if (p[0].revents & (POLLIN | POLLHUP)) {
            const ssize_t n = read(mestre_, buf, sizeof buf);
            if (n > 0)
                entregaSaida(buf, n);
        }
        if (p[1].revents & (POLLIN | POLLHUP)) {
            ssize_t n = read(entrada_, buf, sizeof buf);
            if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) {
                entradaAcabou_ = true;
                continue;
            }
            if (n > 0 && entradaCrua_) {
                // Em modo cru, Ctrl+C é um byte: vira pedido de parada.
                char* fim = std::remove(buf, buf + n, '\x03');
                if (fim != buf + n)
                    sinalInterrupcao = true;
                n = fim - buf;
            }
            // Vinda de arquivo ou canal, a linha acaba em LF; a tecla Enter
            // de um terminal manda CR, e é o que a unidade CRT espera.
            if (n > 0 && !entradaEhTerminal_)
                std::replace(buf, buf + n, '\n', '\r');
            if (n > 0 && converteTeclas_) {
                const std::string teclas =
                    TeclasPara1252(teclasPendentes_, std::string_view(buf, static_cast<std::size_t>(n)));
                escreveTudo(mestre_, teclas.data(), teclas.size());
            } else if (n > 0) {
                escreveTudo(mestre_, buf, static_cast<std::size_t>(n));
            }
        }
    }
}

void PonteDepuracao::Para()
{
    if (!thread_.joinable())
        return;
    parar_ = true;
    thread_.join();
    // O que ficou no pseudo-terminal ainda é do programa.
    char buf[4096];
    for (;;) {
        pollfd p{mestre_, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN))
            break;
        const ssize_t n = read(mestre_, buf, sizeof buf);
        if (n <= 0)
            break;
        entregaSaida(buf, n);
    }
    signal(SIGINT, SIG_DFL);
}

} // namespace vendrilo
