#include "check/blocos.h"

#include "check/estrutura.h"

namespace vendrilo {

namespace {

// Abridores de bloco, na ordem de `abertosPorTipo_`.
constexpr int kAbridores[] = {Tipo::Inicio,    Tipo::Se,   Tipo::Enquanto,     Tipo::Repita, Tipo::Para,
                              Tipo::Selecione, Tipo::Como, Tipo::Procedimento, Tipo::Funcao};

int indiceAbridor(int tipo)
{
    for (int i = 0; i < static_cast<int>(std::size(kAbridores)); ++i)
        if (kAbridores[i] == tipo)
            return i;
    return -1;
}

// A palavra que fecha cada bloco e o teste das contagens que a compara.
struct Fechamento {
    int tipo, abridor, teste;
};
constexpr Fechamento kFechamentos[] = {
    {Tipo::FimSe, Tipo::Se, 6},
    {Tipo::FimEnquanto, Tipo::Enquanto, 8},
    {Tipo::AteQue, Tipo::Repita, 10},
    {Tipo::FimPara, Tipo::Para, 14},
    {Tipo::FimSelecione, Tipo::Selecione, 15},
    {Tipo::FimComo, Tipo::Como, 18},
    {Tipo::FimProcedimento, Tipo::Procedimento, 20},
    {Tipo::FimFuncao, Tipo::Funcao, 22},
};

// Palavras do meio do bloco. `obrigatoria`: o bloco sem ela é falha (lado 0);
// `repete`: pode aparecer várias vezes no mesmo bloco. A que sobra vai para
// `ladoSobra`: 1 nos testes de duas mensagens, 0 nos de mensagem única.
struct PalavraMeio {
    int tipo, abridor, teste;
    unsigned bit;
    bool obrigatoria, repete;
    int ladoSobra;
};
constexpr PalavraMeio kMeio[] = {
    {Tipo::Entao, Tipo::Se, 5, 1u, true, false, 1},
    {Tipo::Senao, Tipo::Se, 7, 2u, false, false, 0},
    {Tipo::FacaEnquanto, Tipo::Enquanto, 9, 1u, true, false, 1},
    {Tipo::De, Tipo::Para, 11, 1u, true, false, 1},
    // ATE e ATE-1 somam-se na contagem: o mesmo bit, e a obrigação só uma vez.
    {Tipo::AteCrescente, Tipo::Para, 12, 2u, true, false, 1},
    {Tipo::AteDecrescente, Tipo::Para, 12, 2u, false, false, 1},
    {Tipo::FacaPara, Tipo::Para, 13, 4u, true, false, 1},
    {Tipo::Caso, Tipo::Selecione, 16, 1u, false, true, 0},
    {Tipo::CasoContrario, Tipo::Selecione, 17, 2u, false, true, 0},
    {Tipo::InicioProcedimento, Tipo::Procedimento, 19, 1u, true, false, 1},
    {Tipo::InicioFuncao, Tipo::Funcao, 21, 1u, true, false, 1},
};

// Tipos que o casador lê; os outros (LEIA, MOSTRE...) saem logo, sem
// percorrer as tabelas: a chamada vem a cada palavra-chave traduzida.
constexpr std::array<bool, 252> kDeBloco = [] {
    std::array<bool, 252> r{};
    r[Tipo::Inicio] = r[Tipo::Fim] = true;
    for (int t : kAbridores)
        r[t] = true;
    for (const Fechamento& f : kFechamentos)
        r[f.tipo] = true;
    for (const PalavraMeio& m : kMeio)
        r[m.tipo] = true;
    return r;
}();

} // namespace

void CasadorBlocos::falha(int teste, int lado, int linha)
{
    LocaisFalhas::Local& l = locais_.porTeste[teste][lado];
    if (l.quantas++ == 0)
        l.linha = linha;
}

void CasadorBlocos::empilha(int tipo, int linha)
{
    if (pilha_.size() >= ProfundidadeMaxima) {
        desistiu_ = true;
        return;
    }
    abertosPorTipo_[indiceAbridor(tipo)].push_back(pilha_.size());
    pilha_.push_back({tipo, linha});
}

void CasadorBlocos::fecha(const Aberto& bloco, bool semFechamento)
{
    if (semFechamento)
        for (const Fechamento& f : kFechamentos)
            if (f.abridor == bloco.tipo)
                falha(f.teste, 0, bloco.linha);
    for (const PalavraMeio& m : kMeio)
        if (m.abridor == bloco.tipo && m.obrigatoria && !(bloco.tem & m.bit))
            falha(m.teste, 0, bloco.linha);
}

void CasadorBlocos::desempilha(bool semFechamento)
{
    const Aberto bloco = pilha_.back();
    pilha_.pop_back();
    abertosPorTipo_[indiceAbridor(bloco.tipo)].pop_back();
    fecha(bloco, semFechamento);
}

void CasadorBlocos::Palavra(int tipo, int linha)
{
    if (desistiu_ || tipo < 0 || tipo >= static_cast<int>(kDeBloco.size()) || !kDeBloco[tipo])
        return;
    if (tipo == Tipo::Inicio) {
        // O INICIO do algoritmo é o primeiro fora de qualquer bloco; um INICIO
        // dentro de um PROCEDIMENTO ou repetido é o que sobra.
        if (inicioVisto_ || !pilha_.empty()) {
            falha(2, 0, linha);
        } else {
            inicioVisto_ = true;
            empilha(tipo, linha);
        }
        return;
    }
    if (tipo == Tipo::Fim) {
        // FIM só fecha o INICIO quando nada dentro dele está aberto: um FIM no
        // meio de um SE é, quase sempre, o FIM-SE escrito pela metade.
        if (!pilha_.empty() && pilha_.back().tipo == Tipo::Inicio)
            desempilha(false);
        else
            falha(4, 0, linha);
        return;
    }
    if (indiceAbridor(tipo) >= 0) {
        empilha(tipo, linha);
        return;
    }
    for (const Fechamento& f : kFechamentos) {
        if (f.tipo != tipo)
            continue;
        const auto& abertos = abertosPorTipo_[indiceAbridor(f.abridor)];
        if (abertos.empty()) {
            falha(f.teste, 1, linha);
            return;
        }
        // Os blocos abertos depois do que este fecha ficaram sem fechamento.
        const std::size_t alvo = abertos.back();
        while (pilha_.size() > alvo + 1)
            desempilha(true);
        desempilha(false);
        return;
    }
    for (const PalavraMeio& m : kMeio) {
        if (m.tipo != tipo)
            continue;
        const auto& abertos = abertosPorTipo_[indiceAbridor(m.abridor)];
        if (abertos.empty()) {
            falha(m.teste, m.ladoSobra, linha);
            return;
        }
        Aberto& bloco = pilha_[abertos.back()];
        if ((bloco.tem & m.bit) && !m.repete)
            falha(m.teste, m.ladoSobra, linha);
        bloco.tem |= m.bit;
        return;
    }
}

LocaisFalhas CasadorBlocos::Termina()
{
    // Do mais interno para fora: entre blocos abertos do mesmo tipo, o
    // primeiro registrado (o apontado) é o mais interno.
    while (!desistiu_ && !pilha_.empty())
        desempilha(true);
    locais_.valido = !desistiu_;
    return locais_;
}

} // namespace vendrilo
