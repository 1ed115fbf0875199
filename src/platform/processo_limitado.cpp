#include "platform/processo_limitado.h"

#include "platform/processo.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace vendrilo {

namespace {

// Só chamadas seguras entre fork e exec: o processo pai tem outras linhas
// de execução, e qualquer trava tomada por elas ficaria presa no filho.
[[noreturn]] void filho(char* const* argv, const char* pasta, const char* entrada, const char* saida,
                        const char* erros, const rlimit& memoria, const rlimit& arquivo, int canal, pid_t pai)
{
    // Conta ao pai o que falhou: {errno, 1 se foi o próprio execve}.
    auto falha = [canal](int noExec = 0) {
        const int e[2] = {errno, noExec};
        [[maybe_unused]] auto n = write(canal, e, sizeof e);
        _exit(127);
    };
    setpgid(0, 0);
    // Fora do grupo do terminal, um Ctrl+C não chega ao programa: se quem o
    // vigia morrer, ele morre junto em vez de ficar rodando para sempre.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != pai)
        _exit(127);
    sigset_t vazio;
    sigemptyset(&vazio);
    sigprocmask(SIG_SETMASK, &vazio, nullptr);
    struct sigaction padrao { };
    padrao.sa_handler = SIG_DFL;
    for (int s : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGXFSZ, SIGHUP})
        sigaction(s, &padrao, nullptr);
    // Os arquivos antes da troca de pasta: caminhos relativos valem a partir
    // da pasta de quem chamou.
    const int in = open(entrada, O_RDONLY);
    const int out = open(saida, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(erros, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0)
        falha();
    if (chdir(pasta) != 0)
        falha();
    // Nenhum arquivo aberto por outra correção em andamento chega ao aluno.
    if (canal > 3)
        syscall(SYS_close_range, 3U, static_cast<unsigned>(canal - 1), 0U);
    syscall(SYS_close_range, static_cast<unsigned>(canal + 1), ~0U, 0U);
    if (setrlimit(RLIMIT_AS, &memoria) != 0 || setrlimit(RLIMIT_FSIZE, &arquivo) != 0)
        falha();
    rlimit semNucleo{0, 0};
    setrlimit(RLIMIT_CORE, &semNucleo);
    execve(argv[0], argv, environ);
    falha(1);
    _exit(127);
}

} // namespace

ResultadoVigiado ExecutaVigiado(const std::vector<std::string>& argv, const LimitesExecucao& limites)
{
    ResultadoVigiado r;
    if (argv.empty() || argv[0].empty()) {
        r.erro = "nenhum programa indicado";
        return r;
    }
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const std::string entrada = limites.arquivoEntrada.empty() ? "/dev/null" : limites.arquivoEntrada;
    const std::string pasta = limites.pasta.empty() ? "." : limites.pasta;
    const auto lim = [](long long v) {
        const rlim_t x = v > 0 ? static_cast<rlim_t>(v) : RLIM_INFINITY;
        return rlimit{x, x};
    };
    const rlimit memoria = lim(limites.memoria), arquivo = lim(limites.tamanhoArquivo);

    int canal[2];
    if (pipe2(canal, O_CLOEXEC) != 0) {
        r.erro = std::strerror(errno);
        return r;
    }
    const pid_t pai = getpid();
    const pid_t pid = fork();
    if (pid == 0)
        filho(args.data(), pasta.c_str(), entrada.c_str(), limites.arquivoSaida.c_str(),
              limites.arquivoErros.c_str(), memoria, arquivo, canal[1], pai);
    close(canal[1]);
    if (pid < 0) {
        r.erro = std::strerror(errno);
        close(canal[0]);
        return r;
    }
    setpgid(pid, pid); // o mesmo que o filho faz: quem chegar primeiro vale
    int errofilho[2] = {0, 0};
    ssize_t n;
    while ((n = read(canal[0], errofilho, sizeof errofilho)) < 0 && errno == EINTR) { }
    close(canal[0]);

    int semUso = 0;
    const bool terminou = n > 0 || EsperaFilho(pid, limites.tempo, false, semUso);
    // O grupo morre antes de o processo ser recolhido, enquanto o número
    // dele ainda não pode ter sido dado a outro.
    kill(-pid, SIGKILL);
    int st = 0;
    while (waitpid(pid, &st, 0) < 0 && errno == EINTR) { }
    if (n > 0 && errofilho[1] && errofilho[0] == ENOMEM) {
        // Iniciou, no sentido que importa: é o programa que não cabe.
        r.iniciado = r.semMemoria = true;
        return r;
    }
    if (n > 0) {
        r.erro = std::strerror(errofilho[0]);
        return r;
    }
    r.iniciado = true;
    r.tempoEsgotado = !terminou;
    if (WIFEXITED(st)) {
        r.status = WEXITSTATUS(st);
    } else if (WIFSIGNALED(st)) {
        r.sinal = WTERMSIG(st);
        r.status = 128 + r.sinal;
    }
    return r;
}

int ProcessadoresDisponiveis()
{
    cpu_set_t conjunto;
    CPU_ZERO(&conjunto);
    if (sched_getaffinity(0, sizeof conjunto, &conjunto) == 0 && CPU_COUNT(&conjunto) > 0)
        return CPU_COUNT(&conjunto);
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

} // namespace vendrilo
