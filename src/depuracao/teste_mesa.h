#pragma once
// O teste de mesa: uma linha por passo (passo, linha do algoritmo e o valor
// de cada variável antes de a linha rodar), pronta para CSV.

#include "depuracao/declaracoes.h"
#include "depuracao/sessao.h"

#include <string>
#include <vector>

namespace vendrilo::depuracao {

class TesteDeMesa {
public:
    // Colunas: passo, linha, as globais e, por rotina, "rotina.nome".
    explicit TesteDeMesa(const Declaracoes& declaracoes);

    // Acrescenta o passo seguinte: a linha (base 0) e as variáveis vistas.
    // Variáveis de rotinas que não estão no topo ficam vazias.
    void Registra(int linhaAlgoritmo, const std::vector<VariavelVista>& variaveis);

    const std::vector<std::string>& Cabecalho() const { return cabecalho_; }
    const std::vector<std::vector<std::string>>& Linhas() const { return linhas_; }

    // Texto CSV (UTF-8, quebras LF), cabeçalho incluído.
    std::string Csv() const;

private:
    std::vector<std::string> cabecalho_;
    std::vector<std::string> chaves_; // "ROTINA.NOME" em maiúsculas, paralelas às colunas de variáveis
    std::vector<std::vector<std::string>> linhas_;
};

// Um campo de CSV: entre aspas (dobradas por dentro) quando tem vírgula,
// aspas, quebra de linha ou brancos nas pontas.
std::string CampoCsv(const std::string& texto);

enum class FimTesteMesa {
    Terminou, // o programa chegou ao fim
    LimitePassos, // parou no limite de passos
    ErroExecucao, // erro de execução: a mensagem traz a linha
    Interrompido, // pedido de parada (Ctrl+C, entrada que não veio)
    Falha, // o gdb falhou
};

struct ResultadoTesteMesa {
    FimTesteMesa fim = FimTesteMesa::Falha;
    int passos = 0;
    int codigoSaida = 0; // do programa, quando terminou
    std::string mensagem; // português; vazia quando terminou normalmente
};

// Anda linha a linha (entrando nas rotinas) desde a parada atual até o fim,
// um erro ou `limitePassos` linhas registradas na tabela.
ResultadoTesteMesa ExecutaTesteDeMesa(Sessao& sessao, TesteDeMesa& tabela, int limitePassos);

} // namespace vendrilo::depuracao
