#pragma once
// O controle de uma sessão passo a passo para a janela: a depuracao::Sessao
// vive numa thread própria (um passo bloqueia enquanto o programa roda ou
// espera entrada) e cada parada chega à janela por sinal, já com linha,
// variáveis e pilha lidas. Parar vale a qualquer momento, mesmo num laço
// sem fim.
//
// Uso:
//     controle.Inicia(config, paradas);   // depois: iniciou(...), parou(...)
//     controle.PassoSobre();               // outra parada: parou(...)
//     controle.Encerra();                  // síncrono: nada de gdb perdido

#include "depuracao/sessao.h"

#include <QMetaType>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <set>
#include <vector>

class QThread;

namespace vendrilo {

// O que a sessão tinha a mostrar ao fim de um passo.
struct ParadaPasso {
    int sessao = 0; // número da sessão que parou (paradas antigas são ignoradas)
    depuracao::EstadoSessao estado = depuracao::EstadoSessao::Inativa;
    int linha = -1; // linha do algoritmo, base 0
    QString rotina; // vazio: o programa principal
    std::vector<depuracao::VariavelVista> variaveis;
    std::vector<depuracao::QuadroPilha> pilha;
    QString mensagem;
    bool interrompida = false;
    int codigoSaida = 0;
};

class ControlePasso : public QObject {
    Q_OBJECT
public:
    explicit ControlePasso(QObject* pai = nullptr);
    ~ControlePasso() override; // encerra a sessão e a thread

    // Inicia o gdb e o programa, liga as `paradas` e para na primeira linha.
    // Responde com iniciou() e, quando deu certo, parou().
    void Inicia(const depuracao::ConfigSessao& config, const std::set<int>& paradas);
    void PassoSobre();
    void PassoDentro();
    void Continua();
    // Liga ou desliga uma parada; a resposta vem em paradaDefinida(). Com o
    // programa rodando, vale assim que ele parar.
    void DefineParada(int linha, bool ligada);
    // Termina o programa e o gdb, interrompendo o passo em andamento; volta
    // só depois disso.
    void Encerra();

    // Há uma sessão (iniciando, parada ou rodando um passo).
    bool ativa() const { return ativa_; }
    // Um pedido (início ou passo) ainda não respondeu.
    bool ocupada() const { return pendentes_ > 0; }

signals:
    void iniciou(bool ok, const QString& erro);
    void parou(const vendrilo::ParadaPasso& parada);
    // `real`: a linha em que a parada ficou (o gdb a leva à próxima linha com
    // código); -1 quando não há onde pôr.
    void paradaDefinida(int pedida, int real, bool ligada);
    void ocupacaoMudou(bool ocupada);

private:
    enum class Passo { Sobre, Dentro, Continua };
    void anda(Passo passo);
    // Roda `tarefa` na thread da sessão, se a sessão `numero` ainda valer.
    template <typename F> void naThread(F tarefa);
    ParadaPasso leParada() const;
    void pedido();
    void respondido(int numero);

    QThread* thread_;
    QObject* trabalhador_; // vive na thread_; as tarefas rodam no contexto dele
    std::unique_ptr<depuracao::Sessao> sessao_;
    std::atomic<int> numero_{0}; // sessão em vigor; tarefas de outras não rodam
    bool ativa_ = false;
    int pendentes_ = 0;
};

} // namespace vendrilo

Q_DECLARE_METATYPE(vendrilo::ParadaPasso)
