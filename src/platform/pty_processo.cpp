#include "platform/pty_processo.h"

#include "platform/processo.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char** environ;

namespace vendrilo {

namespace {

winsize tamanho(int colunas, int linhas)
{
    winsize w{};
    w.ws_col = static_cast<unsigned short>(colunas > 0 ? colunas : 80);
    w.ws_row = static_cast<unsigned short>(linhas > 0 ? linhas : 25);
    return w;
}

// Depois do fork só há chamadas seguras: o vetor e o ambiente são
// montados antes.
[[noreturn]] void executaFilho(char* const* args, char* const* amb, const char* pasta, int aviso)
{
    sigset_t vazio;
    sigemptyset(&vazio);
    sigprocmask(SIG_SETMASK, &vazio, nullptr);
    for (int s : {SIGINT, SIGQUIT, SIGPIPE, SIGTERM, SIGHUP, SIGCHLD, SIGTSTP})
        signal(s, SIG_DFL);
    if (*pasta && chdir(pasta) != 0) {
        int e = errno;
        (void)!write(aviso, &e, sizeof e);
        _exit(127);
    }
    environ = const_cast<char**>(amb);
    execvp(args[0], args);
    int e = errno;
    (void)!write(aviso, &e, sizeof e);
    _exit(127);
}

} // namespace

ProcessoPty::~ProcessoPty()
{
    encerra();
}

bool ProcessoPty::abre(int colunas, int linhas, std::string& erro)
{
    if (mestre_ >= 0) {
        erro = "pseudoterminal já aberto";
        return false;
    }
    winsize w = tamanho(colunas, linhas);
    int m = -1, s = -1;
    char nome[256] = {};
    if (openpty(&m, &s, nome, nullptr, &w) != 0) {
        erro = std::strerror(errno);
        return false;
    }
    fcntl(m, F_SETFD, FD_CLOEXEC);
    fcntl(s, F_SETFD, FD_CLOEXEC);
    fcntl(m, F_SETFL, fcntl(m, F_GETFL) | O_NONBLOCK);
    mestre_ = m;
    escravoAberto_ = s;
    escravo_ = nome;
    return true;
}

bool ProcessoPty::inicia(const std::vector<std::string>& argv, const std::string& pasta,
                         const std::vector<std::string>& ambiente, int colunas, int linhas, std::string& erro)
{
    if (argv.empty() || argv[0].empty()) {
        erro = "nenhum programa indicado";
        return false;
    }
    if (mestre_ >= 0 || pid_ > 0) {
        erro = "pseudoterminal já em uso";
        return false;
    }
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    // Ambiente herdado, com as variáveis pedidas no lugar das de mesmo nome.
    std::vector<std::string> amb;
    for (char** e = environ; e && *e; ++e) {
        std::string_view v(*e);
        bool trocada = false;
        for (const auto& a : ambiente)
            if (auto ig = a.find('=');
                ig != std::string::npos && v.substr(0, ig + 1) == std::string_view(a).substr(0, ig + 1))
                trocada = true;
        if (!trocada)
            amb.emplace_back(v);
    }
    amb.insert(amb.end(), ambiente.begin(), ambiente.end());
    std::vector<char*> ambC;
    for (auto& a : amb)
        ambC.push_back(a.data());
    ambC.push_back(nullptr);

    // O filho avisa por este cano quando o exec falha; fechado no exec, nada chega.
    int cano[2];
    if (pipe2(cano, O_CLOEXEC) != 0) {
        erro = std::strerror(errno);
        return false;
    }
    winsize w = tamanho(colunas, linhas);
    int m = -1;
    char nome[256] = {};
    pid_t pid = forkpty(&m, nome, nullptr, &w);
    if (pid < 0) {
        erro = std::strerror(errno);
        close(cano[0]);
        close(cano[1]);
        return false;
    }
    if (pid == 0) {
        close(cano[0]);
        executaFilho(args.data(), ambC.data(), pasta.c_str(), cano[1]);
    }
    close(cano[1]);
    int e = 0;
    ssize_t n;
    while ((n = read(cano[0], &e, sizeof e)) < 0 && errno == EINTR) { }
    close(cano[0]);
    fcntl(m, F_SETFD, FD_CLOEXEC);
    fcntl(m, F_SETFL, fcntl(m, F_GETFL) | O_NONBLOCK);
    mestre_ = m;
    escravo_ = nome;
    pid_ = pid;
    recolhido_ = false;
    if (n == static_cast<ssize_t>(sizeof e)) {
        erro = std::strerror(e);
        encerra();
        return false;
    }
    return true;
}

long ProcessoPty::le(char* destino, std::size_t tamanhoMax)
{
    if (mestre_ < 0)
        return -1;
    for (;;) {
        ssize_t n = read(mestre_, destino, tamanhoMax);
        if (n > 0)
            return n;
        if (n == 0)
            return -1;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        return -1; // EIO: o último a usar o escravo o fechou
    }
}

bool ProcessoPty::escreve(std::string_view bytes)
{
    while (!bytes.empty()) {
        if (mestre_ < 0)
            return false;
        ssize_t n = write(mestre_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // Programa que não lê: espera um pouco, sem travar para sempre.
            pollfd p{mestre_, POLLOUT, 0};
            if (poll(&p, 1, 1000) <= 0)
                return false;
            continue;
        }
        return false;
    }
    return true;
}

void ProcessoPty::redimensiona(int colunas, int linhas)
{
    if (mestre_ < 0)
        return;
    winsize w = tamanho(colunas, linhas);
    ioctl(mestre_, TIOCSWINSZ, &w);
}

void ProcessoPty::interrompe()
{
    if (mestre_ < 0)
        return;
    termios t{};
    if (tcgetattr(mestre_, &t) == 0 && (t.c_lflag & ISIG)) {
        escreve("\x03");
        return;
    }
    const pid_t grupo = tcgetpgrp(mestre_);
    if (grupo > 0)
        kill(-grupo, SIGINT);
    else if (pid_ > 0 && !recolhido_)
        kill(-pid_, SIGINT);
}

bool ProcessoPty::terminou(int& status)
{
    if (pid_ <= 0)
        return false;
    if (!recolhido_) {
        int st = 0;
        pid_t r;
        while ((r = waitpid(pid_, &st, WNOHANG)) < 0 && errno == EINTR) { }
        if (r == 0)
            return false;
        recolhido_ = true;
        status_ = r == pid_ ? CodigoDeSaida(st) : -1;
    }
    status = status_;
    return true;
}

void ProcessoPty::encerra()
{
    if (pid_ > 0 && !recolhido_) {
        // O programa é líder da sessão: o grupo dele tem o mesmo número.
        kill(-pid_, SIGHUP);
        kill(-pid_, SIGKILL);
        kill(pid_, SIGKILL);
        int st = 0;
        pid_t r;
        while ((r = waitpid(pid_, &st, 0)) < 0 && errno == EINTR) { }
        recolhido_ = true;
        status_ = r == pid_ ? CodigoDeSaida(st) : -1;
    }
    if (escravoAberto_ >= 0)
        close(escravoAberto_);
    escravoAberto_ = -1;
    if (mestre_ >= 0)
        close(mestre_);
    mestre_ = -1;
}

} // namespace vendrilo
