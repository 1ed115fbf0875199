#pragma once
// A correção de uma turma: os casos de teste do professor, as entregas dos
// alunos e o resultado de cada aluno, corrigidos em paralelo.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vendrilo::correcao {

struct Caso {
    std::string nome;
    std::string entrada; // caminho do NOME.in; vazio: entrada vazia
    std::string esperado; // conteúdo do NOME.out, em UTF-8
};

struct Entrega {
    std::string aluno; // nome do arquivo sem a extensão, como está escrito
    std::string caminho;
};

// Os pares NOME.in/NOME.out da pasta, em ordem de nome. Falso, com a
// mensagem em português, quando a pasta ou um caso não pode ser lido, um
// .in não tem o seu .out, ou não há caso algum.
bool LeCasos(const std::string& pasta, std::vector<Caso>& casos, std::string& erro);

// Cada argumento é um .ALG ou uma pasta deles; devolve um aluno por
// arquivo, em ordem de nome. Falso quando um argumento não serve, dois
// arquivos dão o mesmo aluno ou não sobra aluno algum.
bool ListaEntregas(const std::vector<std::string>& argumentos, std::vector<Entrega>& entregas,
                   std::string& erro);

// A k-ésima (1..n) de n fatias estáveis da lista: a mesma lista dá sempre as
// mesmas fatias, e juntas elas a cobrem sem repetir ninguém.
std::vector<Entrega> Fatia(const std::vector<Entrega>& entregas, int k, int n);

enum class Situacao { Ok, Falhou, Compilacao, Estrutura };

// "ok", "falhou", "compilacao", "estrutura".
const char* NomeSituacao(Situacao s);

// O primeiro caso errado, para a página: textos em UTF-8, já normalizados.
struct Detalhe {
    std::string caso;
    std::string situacao; // como na coluna do caso
    std::string entrada;
    std::vector<std::string> esperado;
    std::vector<std::string> obtido;
    int linhaDiferente = -1; // base 0; -1 quando a saída não é o problema
    std::string observacao; // tempo esgotado, saída cortada, erro de execução...
};

struct ResultadoAluno {
    std::string aluno;
    Situacao situacao = Situacao::Compilacao;
    int acertos = 0;
    int casos = 0;
    std::vector<std::string> situacaoCasos; // "ok", "saida", "tempo", "erro-execucao N"; vazio se não rodou
    std::string mensagem; // uma linha, português
    std::string mensagemCompleta; // várias linhas, para a página
    std::optional<Detalhe> detalhe;
    // Não vazio quando a própria correção falhou para este aluno (pasta
    // temporária, compilador que não inicia): o resultado não vale como nota.
    std::string falhaCorrecao;
};

struct Configuracao {
    std::string pastaPrograma; // compartilhada por todos, só lida
    std::string pastaTemporaria; // raiz das pastas privadas de cada aluno
    std::chrono::milliseconds tempo{5000};
    long long memoria = 256LL << 20;
    long long limiteSaida = 1LL << 20;
};

// Traduz, verifica e compila a entrega numa pasta privada e roda cada caso.
// Nada é escrito fora dessa pasta, que é apagada no fim.
ResultadoAluno CorrigeAluno(const Entrega& entrega, const std::vector<Caso>& casos,
                            const Configuracao& config);

// Chamado a cada aluno terminado, um por vez, com quantos já terminaram.
using Progresso = std::function<void(const ResultadoAluno&, std::size_t feitos, std::size_t total)>;

// Corrige todos com `trabalhadores` linhas de execução; resultados na ordem
// das entregas.
std::vector<ResultadoAluno> CorrigeTurma(const std::vector<Entrega>& entregas, const std::vector<Caso>& casos,
                                         const Configuracao& config, int trabalhadores,
                                         const Progresso& progresso = {});

} // namespace vendrilo::correcao
