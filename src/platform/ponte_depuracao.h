#pragma once
// Ponte entre o terminal de quem chamou (entrada e saída padrão) e o
// pseudo-terminal de um programa que roda sob o depurador: os bytes passam
// numa thread própria, nos dois sentidos.

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace vendrilo {

class PonteDepuracao {
public:
    // `mestre` é o lado mestre do pseudo-terminal do programa.
    PonteDepuracao(int mestre, int entrada = 0, int saida = 1);
    ~PonteDepuracao();
    PonteDepuracao(const PonteDepuracao&) = delete;
    PonteDepuracao& operator=(const PonteDepuracao&) = delete;

    // Sem terminal nos dois lados, a entrada começa retida: a que já espera
    // num arquivo seria tomada pela unidade CRT, ao começar, como resposta à
    // pergunta da posição do cursor. Chamar com o programa já parado na
    // primeira linha.
    void LiberaEntrada() { entradaLiberada_ = true; }

    // Para a thread e entrega o que o programa ainda escreveu.
    void Para();

    // Ctrl+C no terminal (ou SIGINT) desde o início.
    bool PediuInterrupcao() const;
    // A entrada acabou (fim de arquivo) e não há mais o que entregar.
    bool EntradaAcabou() const { return entradaAcabou_; }

private:
    void laco();
    void entregaSaida(const char* dados, long n);

    int mestre_, entrada_, saida_;
    bool saidaEhTerminal_;
    bool entradaEhTerminal_ = false;
    bool converte_ = false; // saída Windows-1252 convertida para o terminal UTF-8
    bool converteTeclas_ = false; // entrada UTF-8 (pelo locale) convertida para Windows-1252
    std::string teclasPendentes_; // começo de um caractere UTF-8 ainda incompleto
    bool respondeCursor_ = false; // nós respondemos à pergunta da posição do cursor
    std::atomic<bool> entradaLiberada_{false};
    bool entradaCrua_; // o terminal de entrada está em modo cru: Ctrl+C chega como byte
    std::atomic<bool> parar_{false};
    std::atomic<bool> entradaAcabou_{false};
    std::thread thread_;
};

} // namespace vendrilo
