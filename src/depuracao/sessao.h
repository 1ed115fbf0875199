#pragma once
// Uma sessão de execução passo a passo: o programa compilado com informação
// de linhas roda sob o gdb, conversado pela interface de máquina (MI), e a
// sessão fala nos termos do algoritmo: linhas do .ALG, variáveis com a
// grafia declarada, valores como o aluno os escreve. Serve à janela e à
// linha de comando; nada aqui é de Qt.
//
// Uso:
//     Sessao s;
//     if (!s.Inicia(config, erro)) ...         // parada na primeira linha
//     while (s.estado() == EstadoSessao::Parada) {
//         mostra(s.Linha(), s.Variaveis());
//         s.PassoDentro();                      // ou PassoSobre, Continua
//     }
//     ... s.mensagem() diz como terminou ...

#include "depuracao/declaracoes.h"
#include "depuracao/mi.h"
#include "depuracao/valores.h"
#include "platform/canal_processo.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace vendrilo::depuracao {

enum class EstadoSessao {
    Inativa, // nada iniciado, ou encerrada
    Parada, // antes de uma linha do algoritmo: Linha(), Variaveis()
    Terminada, // o programa chegou ao fim: codigoSaida()
    ErroExecucao, // erro de execução: Linha() é a linha do erro, mensagem() o texto
    Interrompida, // parada a pedido (Interrompe ou deveParar) fora de uma linha conhecida
    Falha, // o gdb não respondeu como devia: mensagem()
};

struct ConfigSessao {
    std::string programa; // o executável compilado com -g
    std::string terminal; // terminal do programa (escravo de um pseudo-terminal); vazio: /dev/null
    Declaracoes declaracoes;
    int bibliotecaUsada = 0; // muda o deslocamento das linhas (ver LinhaAlgoritmoDaLinhaPascal)
    std::string gdb; // vazio: $VENDRILO_GDB, senão "gdb" no PATH
    // Consultada enquanto o programa roda, com o tempo desde o início do
    // passo; verdadeiro interrompe (como Interrompe()).
    std::function<bool(std::chrono::milliseconds)> deveParar;
};

struct VariavelVista {
    std::string rotina; // vazio para as globais
    std::string nome; // como declarada
    std::string valor; // nos termos do algoritmo
    // O mesmo valor por partes (elementos, campos), para o painel expandir;
    // sem filhos quando escalar ou quando quem montou a vista não o preencheu.
    NoValor arvore{};
};

struct QuadroPilha {
    std::string rotina; // como declarada; vazio: o programa principal
    int linha = -1; // linha do algoritmo, base 0
};

// Mensagem para quando o gdb não está instalado.
std::string MensagemSemGdb();

class Sessao {
public:
    Sessao() = default;
    ~Sessao();
    Sessao(const Sessao&) = delete;
    Sessao& operator=(const Sessao&) = delete;

    // Inicia o gdb e o programa e para antes da primeira linha. Falso, com a
    // mensagem em português em `erro`, quando o gdb falta ou não carrega.
    bool Inicia(const ConfigSessao& config, std::string& erro);

    // Executa a linha atual sem entrar em PROCEDIMENTO/FUNCAO.
    void PassoSobre();
    // Executa até a próxima linha, entrando nas rotinas do algoritmo.
    void PassoDentro();
    // Roda até um ponto de parada, o fim ou um erro.
    void Continua();
    // Pede a parada do programa em andamento; pode vir de outra thread.
    void Interrompe() { pedidoParada_ = true; }

    // Ponto de parada numa linha do algoritmo (base 0). Falso quando a linha
    // não tem código e nenhuma seguinte serve.
    bool DefineParada(int linhaAlgoritmo, bool ligada);
    const std::set<int>& Paradas() const { return paradas_; }

    EstadoSessao estado() const { return estado_; }
    int Linha() const { return linha_; } // base 0; -1 fora do algoritmo
    const std::string& RotinaAtual() const { return rotina_; } // vazio: programa principal
    const std::string& mensagem() const { return mensagem_; }
    // O último passo acabou por um pedido de parada.
    bool FoiInterrompida() const { return interrompida_; }
    int codigoSaida() const { return codigoSaida_; }

    // Globais, depois parâmetros e locais da rotina atual.
    std::vector<VariavelVista> Variaveis();
    std::vector<QuadroPilha> Pilha();

    // Termina o programa e o gdb.
    void Encerra();

private:
    RegistroMi comando(const std::string& texto);
    std::vector<RegistroMi> comandos(const std::vector<std::string>& textos);
    bool envia(const std::string& texto, unsigned long& ficha);
    bool esperaResposta(unsigned long ficha, RegistroMi& r);
    void anda(const std::string& comandoMi);
    bool esperaParada(RegistroMi& parada);
    void trataParada(const RegistroMi& parada, bool& repete);
    void falha(const std::string& texto);
    int linhaAlgoritmo(long long linhaPascal) const;
    bool doPrograma(const std::string& arquivo) const;
    void localizaNoPrograma();
    void anota(RegistroMi&& registro);
    // Comando que lê `nome` no quadro; `escolhido` é o quadro que o gdb tem
    // escolhido antes dele e depois.
    static std::string avaliacao(int quadro, const std::string& nome, int& escolhido);
    // Os comandos de Variaveis para uma parada no topo da rotina atual.
    std::vector<std::string> avaliacoesDaRotinaAtual() const;
    bool rotinaEscondeGlobal() const;

    ConfigSessao config_;
    CanalProcesso gdb_;
    EstadoSessao estado_ = EstadoSessao::Inativa;
    unsigned long proximaFicha_ = 1;
    std::atomic<bool> pedidoParada_{false};
    std::string arquivoPrograma_; // como o gdb nomeia o fonte Pascal
    std::string paradaErro_; // número do ponto de parada dos erros de execução
    std::map<int, std::string> numerosParada_; // linha do algoritmo -> número no gdb
    std::set<int> paradas_;
    int linha_ = -1;
    std::string rotina_;
    int nivelQuadro_ = 0; // quadro da linha atual (acima dele, código sem linhas)
    int quadroEscolhido_ = 0; // o que o último --frame deixou escolhido no gdb
    std::string mensagem_;
    int codigoSaida_ = 0;
    bool interrompida_ = false;
    std::vector<RegistroMi> assincronos_; // paradas chegadas antes da hora
    long pidPrograma_ = 0; // para a interrupção, que vai por sinal
    bool interrupcaoAtrasada_ = false; // um Ctrl+C chegou depois da parada
    // Valores pedidos junto com o último passo (ver Variaveis).
    std::vector<std::string> especulacao_;
    std::set<unsigned long> antecipadas_; // suas fichas
    std::map<unsigned long, RegistroMi> guardadas_; // respostas já lidas
};

} // namespace vendrilo::depuracao
