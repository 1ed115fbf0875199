#pragma once
// Execução vigiada de um programa que não é de confiança (o de um aluno):
// grupo de processos próprio, pasta de trabalho própria, limites de memória
// e de tamanho de arquivo, e prazo ao fim do qual o grupo inteiro morre.

#include <chrono>
#include <string>
#include <vector>

namespace vendrilo {

struct LimitesExecucao {
    std::string pasta; // pasta de trabalho (precisa existir)
    std::string arquivoEntrada; // vazio: /dev/null
    std::string arquivoSaida; // saída padrão (criado ou truncado)
    std::string arquivoErros; // saída de erros (criado ou truncado)
    std::chrono::milliseconds tempo{5000};
    long long memoria = 256LL << 20; // RLIMIT_AS, em bytes
    // RLIMIT_FSIZE: nenhum arquivo escrito pelo programa (a saída inclusive)
    // passa disto; quem escreve além recebe SIGXFSZ.
    long long tamanhoArquivo = 1LL << 20;
};

struct ResultadoVigiado {
    bool iniciado = false;
    bool tempoEsgotado = false;
    int status = -1; // código de saída; 128 + sinal quando morto por sinal
    int sinal = 0; // o sinal que o matou, 0 quando saiu por conta própria
    // O programa nem pôde ser carregado dentro do limite de memória.
    bool semMemoria = false;
    std::string erro; // por que não iniciou
};

// Executa argv (argv[0] com caminho) sob os limites e espera o fim ou o
// prazo. Ao fim, o que restar do grupo também é morto: nenhum filho do
// programa sobrevive à correção.
ResultadoVigiado ExecutaVigiado(const std::vector<std::string>& argv, const LimitesExecucao& limites);

// Processadores que este processo pode usar (a afinidade dada por um
// gerenciador de filas como o Slurm conta, não o total da máquina); pelo menos 1.
int ProcessadoresDisponiveis();

} // namespace vendrilo
