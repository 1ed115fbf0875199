#pragma once
// Leitura das mensagens do Free Pascal e sua correspondência com os números
// de erro do Turbo Pascal (1 a 144), que a reescrita do relatório traduz.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vendrilo::tpc {

// Uma mensagem do compilador, como "prog.pas(4,10) Error: (3284) texto".
struct MensagemFpc {
    std::string arquivo;   // vazio quando a mensagem não tem posição
    int linha = 0;         // 1.., 0 sem posição
    int coluna = 0;        // 1.. em bytes (tabulação conta 1), 0 sem coluna
    std::string gravidade; // "Error", "Fatal", "Warning", "Note", "Hint"
    int numero = 0;        // número do Free Pascal, ex. 2003 para "(2003)"
    std::string texto;     // texto em inglês, sem o número
};

// Lê uma linha da saída do compilador; nullopt quando não é uma mensagem
// numerada (as linhas do próprio "fpc", sem número, ficam de fora).
std::optional<MensagemFpc> LeMensagemFpc(std::string_view linha);

// Onde o erro está, em relação ao texto vizinho no fonte Pascal.
enum class Contexto {
    Qualquer,
    DepoisDeFor,          // o símbolo anterior é FOR (variável de controle)
    AntesDeAtribuicao,    // ":=" vem depois, na mesma instrução
    InicioDeInstrucao,    // o símbolo anterior é ";", BEGIN, THEN, ELSE, DO ou REPEAT
    VariavelSemAtribuicao, // a instrução é "variável" seguida de "=", "<" etc. em vez de ":="
    EsperaLogico,         // texto: ...expected "Boolean"
    InteiroRecebeReal,    // texto: Got "Real"..., expected um tipo inteiro
    EncontrouElse,        // texto: ...but "ELSE" found
};

// Uma linha da tabela: número do Free Pascal (e, para 2003, o símbolo
// esperado) e contexto levam ao número do Turbo Pascal.
struct RegraErro {
    int numeroFpc;
    std::string_view esperado; // só para 2003: o X de "X" expected; vazio: qualquer
    Contexto contexto;
    int numeroTp;
};

// A tabela, na ordem em que é consultada (a primeira que casa vale).
const std::vector<RegraErro>& TabelaErros();

struct Correspondencia {
    int numero;      // 1..144
    int regra;       // índice em TabelaErros(), -1 quando nenhuma casou
    // Posição corrigida (base 1) quando a regra aponta outro lugar que o do
    // Free Pascal; 0: a da mensagem.
    int linha = 0;
    int coluna = 0;
};

// Número do Turbo Pascal para a mensagem; `fonte` são as linhas do
// programa, usadas para ver o texto em volta do erro.
Correspondencia NumeroTurboPascal(const MensagemFpc& m, const std::vector<std::string>& fonte);

// Número para uma mensagem que a tabela não tem (ou para a falta de
// mensagem, 0): o genérico da fase do compilador em que ela nasce.
int NumeroPorFaixa(int numeroFpc);

// O X de `Syntax error, "X" expected but "Y" found` (vazio se não é esse texto).
std::string SimboloEsperado(std::string_view texto);

} // namespace vendrilo::tpc
