#include "platform/canal_processo.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char** environ;

namespace vendrilo {

static_assert(sizeof(termios) <= 128, "termios cabe no espaço reservado");

CanalProcesso::~CanalProcesso()
{
    Encerra(std::chrono::milliseconds(500));
}

bool CanalProcesso::Inicia(const std::vector<std::string>& argv, std::string& erro)
{
    int paraFilho[2], doFilho[2];
    if (argv.empty() || pipe2(paraFilho, O_CLOEXEC) != 0) {
        erro = std::strerror(errno);
        return false;
    }
    if (pipe2(doFilho, O_CLOEXEC) != 0) {
        erro = std::strerror(errno);
        close(paraFilho[0]), close(paraFilho[1]);
        return false;
    }
    posix_spawn_file_actions_t acoes;
    posix_spawn_file_actions_init(&acoes);
    posix_spawn_file_actions_adddup2(&acoes, paraFilho[0], 0);
    posix_spawn_file_actions_adddup2(&acoes, doFilho[1], 1);
    posix_spawn_file_actions_addopen(&acoes, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // Grupo próprio: o Ctrl+C do terminal não chega ao depurador.
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attr, 0);
    sigset_t vazio, todos;
    sigemptyset(&vazio);
    sigfillset(&todos);
    posix_spawnattr_setsigmask(&attr, &vazio);
    posix_spawnattr_setsigdefault(&attr, &todos);
    std::vector<char*> v;
    for (const auto& a : argv)
        v.push_back(const_cast<char*>(a.c_str()));
    v.push_back(nullptr);
    pid_t pid = -1;
    const int r = posix_spawnp(&pid, v[0], &acoes, &attr, v.data(), environ);
    posix_spawn_file_actions_destroy(&acoes);
    posix_spawnattr_destroy(&attr);
    close(paraFilho[0]);
    close(doFilho[1]);
    if (r != 0) {
        erro = std::strerror(r);
        close(paraFilho[1]);
        close(doFilho[0]);
        return false;
    }
    pid_ = pid;
    entrada_ = paraFilho[1];
    saida_ = doFilho[0];
    pendente_.clear();
    return true;
}

bool CanalProcesso::Escreve(const std::string& texto)
{
    std::size_t feito = 0;
    while (entrada_ >= 0 && feito < texto.size()) {
        // MSG_NOSIGNAL não vale para pipes: um SIGPIPE mataria o programa.
        sigset_t bloqueio, antes;
        sigemptyset(&bloqueio);
        sigaddset(&bloqueio, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &bloqueio, &antes);
        const ssize_t n = write(entrada_, texto.data() + feito, texto.size() - feito);
        const int e = errno;
        if (n < 0 && e == EPIPE) {
            timespec zero{0, 0};
            sigtimedwait(&bloqueio, nullptr, &zero);
        }
        pthread_sigmask(SIG_SETMASK, &antes, nullptr);
        if (n < 0) {
            if (e == EINTR)
                continue;
            return false;
        }
        feito += static_cast<std::size_t>(n);
    }
    return entrada_ >= 0;
}

CanalProcesso::Leitura CanalProcesso::LeLinha(std::string& linha, std::chrono::milliseconds prazo)
{
    using Relogio = std::chrono::steady_clock;
    const auto ate = Relogio::now() + prazo;
    for (;;) {
        const auto nl = pendente_.find('\n');
        if (nl != std::string::npos) {
            linha = pendente_.substr(0, nl);
            pendente_.erase(0, nl + 1);
            return Leitura::Linha;
        }
        if (saida_ < 0)
            return Leitura::Fim;
        const auto resta = std::chrono::duration_cast<std::chrono::milliseconds>(ate - Relogio::now());
        if (resta.count() <= 0)
            return Leitura::Prazo;
        pollfd p{saida_, POLLIN, 0};
        const int pr = poll(&p, 1, static_cast<int>(std::min<long long>(resta.count(), INT_MAX)));
        if (pr < 0 && errno != EINTR)
            return Leitura::Fim;
        if (pr <= 0)
            continue;
        char buf[65536];
        const ssize_t n = read(saida_, buf, sizeof buf);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0) {
            close(saida_);
            saida_ = -1;
            if (!pendente_.empty()) {
                linha = std::move(pendente_);
                pendente_.clear();
                return Leitura::Linha;
            }
            return Leitura::Fim;
        }
        pendente_.append(buf, static_cast<std::size_t>(n));
    }
}

void CanalProcesso::Encerra(std::chrono::milliseconds prazo)
{
    if (entrada_ >= 0)
        close(entrada_), entrada_ = -1;
    if (pid_ > 0) {
        using Relogio = std::chrono::steady_clock;
        const auto ate = Relogio::now() + prazo;
        int st = 0;
        bool fim = false;
        while (!fim && Relogio::now() < ate) {
            const pid_t r = waitpid(pid_, &st, WNOHANG);
            fim = r == pid_ || (r < 0 && errno != EINTR);
            if (!fim)
                usleep(5000);
        }
        if (!fim) {
            kill(-pid_, SIGKILL);
            waitpid(pid_, &st, 0);
        }
        pid_ = -1;
    }
    if (saida_ >= 0)
        close(saida_), saida_ = -1;
}

bool AbrePseudoTerminal(PseudoTerminal& pt, std::string& erro)
{
    char nome[256] = {};
    if (openpty(&pt.mestre, &pt.escravo, nome, nullptr, nullptr) != 0) {
        erro = std::strerror(errno);
        return false;
    }
    fcntl(pt.mestre, F_SETFD, FD_CLOEXEC);
    fcntl(pt.escravo, F_SETFD, FD_CLOEXEC);
    pt.nomeEscravo = nome;
    return true;
}

void FechaPseudoTerminal(PseudoTerminal& pt)
{
    if (pt.mestre >= 0)
        close(pt.mestre);
    if (pt.escravo >= 0)
        close(pt.escravo);
    pt = PseudoTerminal{};
}

bool EhTerminal(int fd)
{
    return isatty(fd) == 1;
}

ModoCru::ModoCru(int fd)
    : fd_(fd)
{
    termios t{};
    if (!isatty(fd) || tcgetattr(fd, &t) != 0)
        return;
    std::memcpy(salvo_, &t, sizeof t);
    cfmakeraw(&t);
    // A saída continua tratada (\n vira \r\n na tela).
    t.c_oflag |= OPOST | ONLCR;
    ativo_ = tcsetattr(fd, TCSANOW, &t) == 0;
}

ModoCru::~ModoCru()
{
    if (!ativo_)
        return;
    termios t{};
    std::memcpy(&t, salvo_, sizeof t);
    tcsetattr(fd_, TCSANOW, &t);
}

bool InterrompeProcesso(long pid)
{
    return pid > 0 && kill(static_cast<pid_t>(pid), SIGINT) == 0;
}

} // namespace vendrilo
