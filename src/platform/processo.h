#pragma once
// Início de processos sem interpretador de comandos: o programa e seus
// argumentos vão num vetor, de modo que nenhum caractere de um caminho
// (espaço, aspas, ";", "$(...)") é interpretado.

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vendrilo {

struct OpcoesProcesso {
    // Arquivo que recebe a saída padrão (criado ou truncado); vazio: herda.
    std::string arquivoSaida;
    // Saída de erros também para arquivoSaida (quando houver um).
    bool errosNaSaida = false;
    // Entrada padrão de /dev/null em vez da herdada.
    bool semEntrada = false;
    // Arquivo lido como entrada padrão (vale mais que semEntrada); vazio: herda.
    std::string arquivoEntrada;
    // Espera máxima; zero: espera o fim, sem limite.
    std::chrono::milliseconds limite{0};
    // Pasta atual do programa (os arquivos acima são abertos antes de entrar
    // nela); vazia: a de quem chama.
    std::string pastaTrabalho;
};

struct ResultadoProcesso {
    bool iniciado = false;      // falso: o programa não existe ou não pôde ser executado
    bool tempoEsgotado = false; // passou do limite e foi morto (com seus filhos)
    int status = -1;            // código de saída; 128 + sinal quando morto por sinal
    std::string erro;           // por que não iniciou (texto do sistema)
};

// Executa argv[0] (procurado no PATH quando não tem "/") e espera o fim,
// dentro do limite. O processo roda no seu próprio grupo, para que o
// tempo esgotado mate também os processos que ele iniciou.
ResultadoProcesso ExecutaProcesso(const std::vector<std::string>& argv,
                                  const OpcoesProcesso& opcoes = {});

// Inicia argv[0] numa sessão própria, com entrada e saídas em /dev/null, na
// `pasta` de trabalho (vazia: a atual), e não espera. Falso quando não pôde
// ser iniciado. O processo é recolhido assim que termina (sem zumbis).
bool IniciaDesligado(const std::vector<std::string>& argv, const std::string& pasta = {});

// Código de saída de um status de waitpid: o do programa, 128 + sinal quando
// morto por sinal, -1 noutro caso.
int CodigoDeSaida(int status);

// Espera o filho `pid` terminar até `limite`; falso quando o prazo passou.
// Com `recolhe`, recolhe-o e põe o status em `status`; sem, deixa-o para
// quem o recolher depois (o número dele não pode ser dado a outro antes).
bool EsperaFilho(pid_t pid, std::chrono::milliseconds limite, bool recolhe, int& status);

// Caminho completo de um programa procurado no PATH (ou o próprio nome, se
// já tem "/" e é executável); vazio quando não há.
std::string ProcuraPrograma(const std::string& nome);

// Pasta do executável em andamento (via /proc/self/exe), sem a barra final.
std::string PastaDoExecutavel();

} // namespace vendrilo
