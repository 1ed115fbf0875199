#include "platform/processo.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace vendrilo {

namespace {

// Um processo desligado é esperado por uma linha de execução própria, que o
// recolhe assim que termina: nenhum zumbi fica à espera de outra chamada.
void recolheQuandoTerminar(pid_t pid)
{
    std::thread([pid] {
        int st = 0;
        while (waitpid(pid, &st, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

std::vector<char*> vetorC(const std::vector<std::string>& argv)
{
    std::vector<char*> v;
    v.reserve(argv.size() + 1);
    for (const auto& a : argv)
        v.push_back(const_cast<char*>(a.c_str()));
    v.push_back(nullptr);
    return v;
}

} // namespace

int CodigoDeSaida(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

bool EsperaFilho(pid_t pid, std::chrono::milliseconds limite, bool recolhe, int& status)
{
    using Relogio = std::chrono::steady_clock;
    const auto prazo = Relogio::now() + limite;
    const int fd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    bool terminou = false;
    for (;;) {
        errno = 0;
        if (recolhe) {
            const pid_t r = waitpid(pid, &status, WNOHANG);
            if (r < 0 && errno != EINTR)
                status = 0; // já recolhido por outro: nada a relatar
            terminou = r == pid || (r < 0 && errno != EINTR);
        } else {
            siginfo_t info{};
            terminou = (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
                        info.si_pid == pid) ||
                       errno == ECHILD;
        }
        if (terminou)
            break;
        const auto resta = std::chrono::duration_cast<std::chrono::milliseconds>(prazo - Relogio::now());
        if (resta.count() <= 0)
            break;
        if (fd >= 0) {
            pollfd p{fd, POLLIN, 0};
            poll(&p, 1, static_cast<int>(std::min<long long>(resta.count(), INT_MAX)));
        } else {
            // Sem pidfd (núcleo antigo): consulta frequente, barata.
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    if (fd >= 0)
        close(fd);
    return terminou;
}

ResultadoProcesso ExecutaProcesso(const std::vector<std::string>& argv, const OpcoesProcesso& opcoes)
{
    ResultadoProcesso r;
    if (argv.empty() || argv[0].empty()) {
        r.erro = "nenhum programa indicado";
        return r;
    }

    posix_spawn_file_actions_t acoes;
    posix_spawn_file_actions_init(&acoes);
    if (!opcoes.arquivoSaida.empty()) {
        posix_spawn_file_actions_addopen(&acoes, STDOUT_FILENO, opcoes.arquivoSaida.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (opcoes.errosNaSaida)
            posix_spawn_file_actions_adddup2(&acoes, STDOUT_FILENO, STDERR_FILENO);
    }
    if (!opcoes.arquivoEntrada.empty())
        posix_spawn_file_actions_addopen(&acoes, STDIN_FILENO, opcoes.arquivoEntrada.c_str(), O_RDONLY, 0);
    else if (opcoes.semEntrada)
        posix_spawn_file_actions_addopen(&acoes, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!opcoes.pastaTrabalho.empty())
        posix_spawn_file_actions_addchdir_np(&acoes, opcoes.pastaTrabalho.c_str());

    posix_spawnattr_t atributos;
    posix_spawnattr_init(&atributos);
    short bandeiras = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    // Grupo próprio só quando há prazo: sem prazo o programa fica no grupo
    // do terminal e recebe Ctrl+C como qualquer comando.
    if (opcoes.limite.count() > 0) {
        bandeiras |= POSIX_SPAWN_SETPGROUP;
        posix_spawnattr_setpgroup(&atributos, 0);
    }
    posix_spawnattr_setflags(&atributos, bandeiras);
    sigset_t vazio, padrao;
    sigemptyset(&vazio);
    posix_spawnattr_setsigmask(&atributos, &vazio);
    sigemptyset(&padrao);
    sigaddset(&padrao, SIGPIPE);
    sigaddset(&padrao, SIGINT);
    sigaddset(&padrao, SIGQUIT);
    posix_spawnattr_setsigdefault(&atributos, &padrao);

    auto args = vetorC(argv);
    pid_t pid = 0;
    int e = posix_spawnp(&pid, argv[0].c_str(), &acoes, &atributos, args.data(), environ);
    posix_spawn_file_actions_destroy(&acoes);
    posix_spawnattr_destroy(&atributos);
    if (e != 0) {
        r.erro = std::strerror(e);
        return r;
    }
    r.iniciado = true;

    int st = 0;
    if (opcoes.limite.count() > 0) {
        if (!EsperaFilho(pid, opcoes.limite, true, st)) {
            kill(-pid, SIGKILL);
            kill(pid, SIGKILL);
            while (waitpid(pid, &st, 0) < 0 && errno == EINTR) {
            }
            r.tempoEsgotado = true;
            r.status = CodigoDeSaida(st);
            return r;
        }
    } else {
        while (waitpid(pid, &st, 0) < 0) {
            if (errno != EINTR) {
                st = 0;
                break;
            }
        }
    }
    r.status = CodigoDeSaida(st);
    return r;
}

bool IniciaDesligado(const std::vector<std::string>& argv, const std::string& pasta)
{
    if (argv.empty() || argv[0].empty())
        return false;
    posix_spawn_file_actions_t acoes;
    posix_spawn_file_actions_init(&acoes);
    posix_spawn_file_actions_addopen(&acoes, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&acoes, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&acoes, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (!pasta.empty())
        posix_spawn_file_actions_addchdir_np(&acoes, pasta.c_str());
    posix_spawnattr_t atributos;
    posix_spawnattr_init(&atributos);
    posix_spawnattr_setflags(&atributos, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK);
    sigset_t vazio;
    sigemptyset(&vazio);
    posix_spawnattr_setsigmask(&atributos, &vazio);
    auto args = vetorC(argv);
    pid_t pid = 0;
    int e = posix_spawnp(&pid, argv[0].c_str(), &acoes, &atributos, args.data(), environ);
    posix_spawn_file_actions_destroy(&acoes);
    posix_spawnattr_destroy(&atributos);
    if (e != 0)
        return false;
    recolheQuandoTerminar(pid);
    return true;
}

std::string ProcuraPrograma(const std::string& nome)
{
    if (nome.empty())
        return {};
    auto executavel = [](const std::string& c) {
        struct stat s {};
        return stat(c.c_str(), &s) == 0 && S_ISREG(s.st_mode) && access(c.c_str(), X_OK) == 0;
    };
    if (nome.find('/') != std::string::npos)
        return executavel(nome) ? nome : std::string();
    const char* path = std::getenv("PATH");
    std::string caminhos = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t ini = 0;
    for (;;) {
        std::size_t fim = caminhos.find(':', ini);
        std::string pasta = caminhos.substr(ini, fim == std::string::npos ? std::string::npos : fim - ini);
        if (pasta.empty())
            pasta = ".";
        std::string c = pasta + "/" + nome;
        if (executavel(c))
            return c;
        if (fim == std::string::npos)
            break;
        ini = fim + 1;
    }
    return {};
}

std::string PastaDoExecutavel()
{
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return {};
    std::string c(buf, static_cast<std::size_t>(n));
    auto barra = c.rfind('/');
    return barra == std::string::npos ? std::string() : c.substr(0, barra == 0 ? 1 : barra);
}

} // namespace vendrilo
