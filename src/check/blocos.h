#pragma once
// Casamento dos blocos do algoritmo numa pilha, feito na mesma passada em que
// o tradutor conta as palavras-chave. As contagens dizem o que falta ou sobra;
// a pilha diz onde, para que cada mensagem da lista aponte uma linha.

#include <array>
#include <cstddef>
#include <vector>

namespace vendrilo {

// Onde a pilha achou as falhas de cada teste da verificação (1 a 22): lado 0
// é a mensagem "menor" (ou a única), lado 1 a "maior".
struct LocaisFalhas {
    struct Local {
        int linha = 0; // a primeira falha achada (a mais interna entre as simultâneas)
        long long quantas = 0; // quantas falhas deste lado
    };
    std::array<std::array<Local, 2>, 23> porTeste{};
    bool valido = false; // falso: a pilha não correu ou desistiu
};

class CasadorBlocos {
public:
    // Aninhamento além deste ponto não é algoritmo de aluno: o casador
    // desiste e nenhuma linha é apontada.
    static constexpr std::size_t ProfundidadeMaxima = 10000;

    // Uma palavra contada, com o tipo sob o qual foi contada (o FACA de um
    // ENQUANTO já como 251) e a linha do algoritmo (a partir de 1).
    void Palavra(int tipo, int linha);

    // Fecha a passada: o que ficou aberto vira falha. Chamar uma vez.
    LocaisFalhas Termina();

private:
    struct Aberto {
        int tipo;
        int linha;
        unsigned tem = 0; // bits das palavras de meio já vistas (ENTAO, DE, FACA...)
    };

    void falha(int teste, int lado, int linha);
    void empilha(int tipo, int linha);
    void fecha(const Aberto& bloco, bool semFechamento);
    void desempilha(bool semFechamento);

    std::vector<Aberto> pilha_;
    std::array<std::vector<std::size_t>, 9> abertosPorTipo_{}; // posições na pilha, por abridor
    LocaisFalhas locais_;
    bool inicioVisto_ = false;
    bool desistiu_ = false;
};

} // namespace vendrilo
