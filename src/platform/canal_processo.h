#pragma once
// Um processo filho conversado por canais (pipes): escrevemos na entrada
// dele e lemos a saída linha a linha, com prazo. Serve ao depurador (gdb
// pela interface de máquina), sem interpretador de comandos no meio.
// E um pseudo-terminal para a entrada e a saída do programa depurado.

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vendrilo {

class CanalProcesso {
public:
    CanalProcesso() = default;
    ~CanalProcesso();
    CanalProcesso(const CanalProcesso&) = delete;
    CanalProcesso& operator=(const CanalProcesso&) = delete;

    // Inicia argv[0] (procurado no PATH) no seu próprio grupo de processos,
    // com a saída de erros descartada. Falso, com o motivo em `erro`.
    bool Inicia(const std::vector<std::string>& argv, std::string& erro);
    bool Ativo() const { return pid_ > 0; }

    // Escreve tudo; falso quando o processo fechou a entrada.
    bool Escreve(const std::string& texto);

    enum class Leitura { Linha, Prazo, Fim };
    // Próxima linha da saída (sem a quebra), esperando até `prazo`.
    Leitura LeLinha(std::string& linha, std::chrono::milliseconds prazo);

    // Fecha a entrada, espera até `prazo` e, se preciso, mata o grupo.
    void Encerra(std::chrono::milliseconds prazo = std::chrono::milliseconds(2000));

private:
    pid_t pid_ = -1;
    int entrada_ = -1; // escrevemos aqui
    int saida_ = -1; // lemos daqui
    std::string pendente_;
};

// Par mestre/escravo de um pseudo-terminal. O escravo fica aberto (para que
// o mestre não receba fim de arquivo entre um programa e outro).
struct PseudoTerminal {
    int mestre = -1;
    int escravo = -1;
    std::string nomeEscravo; // /dev/pts/N
};
// Falso quando o sistema não deu um pseudo-terminal.
bool AbrePseudoTerminal(PseudoTerminal& pt, std::string& erro);
void FechaPseudoTerminal(PseudoTerminal& pt);

// Põe o terminal do descritor em modo cru (sem eco nem edição de linha)
// enquanto o objeto viver; nada faz quando o descritor não é terminal.
class ModoCru {
public:
    explicit ModoCru(int fd);
    ~ModoCru();
    ModoCru(const ModoCru&) = delete;
    ModoCru& operator=(const ModoCru&) = delete;

private:
    int fd_;
    bool ativo_ = false;
    unsigned char salvo_[128]{}; // struct termios, sem expor <termios.h>
};

// O descritor é um terminal.
bool EhTerminal(int fd);

// Ctrl+C num processo (SIGINT) pelo número; falso quando ele não existe.
bool InterrompeProcesso(long pid);

} // namespace vendrilo
