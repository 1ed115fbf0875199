#pragma once
// Um pseudoterminal e, opcionalmente, um programa rodando nele: sem
// interpretador de comandos, numa sessão própria (o programa e os filhos
// formam um grupo, encerrado de uma vez). Sem Qt: quem vigia o descritor
// mestre é a janela do console, ou o laço da linha de comando.

#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace vendrilo {

class ProcessoPty {
public:
    ProcessoPty() = default;
    ~ProcessoPty(); // encerra o programa e os filhos, fecha o pseudoterminal
    ProcessoPty(const ProcessoPty&) = delete;
    ProcessoPty& operator=(const ProcessoPty&) = delete;

    // Abre o pseudoterminal com o tamanho dado e inicia argv[0] (procurado
    // no PATH quando não tem "/") na `pasta` (vazia: a atual), com as
    // variáveis `ambiente` ("NOME=valor") somadas às herdadas. Falso, com o
    // motivo em `erro`, quando não iniciou.
    bool inicia(const std::vector<std::string>& argv, const std::string& pasta,
                const std::vector<std::string>& ambiente, int colunas, int linhas, std::string& erro);

    // Só o pseudoterminal, para um processo de fora (um depurador) ligar o
    // programa dele ao nomeEscravo().
    bool abre(int colunas, int linhas, std::string& erro);

    int mestre() const { return mestre_; }
    const std::string& nomeEscravo() const { return escravo_; }
    pid_t pid() const { return pid_; }

    // Leitura sem bloquear: bytes lidos; 0 quando não há nada agora; -1 no
    // fim (nenhum processo mantém o escravo aberto).
    long le(char* destino, std::size_t tamanho);
    // Entrega tudo ao programa (espera o pseudoterminal quando cheio).
    bool escreve(std::string_view bytes);
    void redimensiona(int colunas, int linhas);
    // Ctrl+C de terminal: pelo próprio terminal quando ele gera sinais; senão
    // (programa em modo cru, como sob a unidade CRT) o SIGINT vai direto ao
    // grupo em primeiro plano, como o Ctrl+Break interrompia no DOS.
    void interrompe();

    // Verdadeiro quando o programa terminou (recolhido, sem zumbi); status é
    // o código de saída, ou 128 + sinal.
    bool terminou(int& status);
    bool rodando() const { return pid_ > 0 && !recolhido_; }

    // Mata o grupo do programa (ele e os filhos), recolhe-o e fecha o mestre.
    void encerra();

private:
    int mestre_ = -1;
    int escravoAberto_ = -1; // mantido aberto no modo abre(), para que le() não dê fim antes da hora
    pid_t pid_ = -1;
    bool recolhido_ = false;
    int status_ = -1;
    std::string escravo_;
};

} // namespace vendrilo
