#pragma once
// Valores como o gdb os imprime para um programa Pascal, reescritos nos
// termos do algoritmo: inteiros como estão; reais com até 6 casas, sem zeros
// no fim; caracteres e textos sem aspas (Windows-1252 passado para UTF-8);
// lógicos como VERDADEIRO/FALSO; vetores e matrizes como [a; b; c]; registros
// como {campo: valor; ...}.

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vendrilo::depuracao {

// Nome de campo como o aluno o escreveu, a partir do nome em maiúsculas que
// o compilador grava; a função pode devolver o próprio nome.
using GrafiaDeNome = std::function<std::string(const std::string& maiusculo)>;

// Reescreve `impresso` (o valor de -data-evaluate-expression). Um texto que
// não segue a gramática conhecida volta como veio, nunca vazio por engano.
std::string ValorDoAlgoritmo(const std::string& impresso, const GrafiaDeNome& grafia = {});

// O mesmo valor em árvore, para quem mostra vetores, matrizes e registros
// por partes: `texto` é o de ValorDoAlgoritmo; os filhos de um vetor se
// chamam pelo índice quando o gdb o imprime ("[0]", "[a]"), senão pela
// posição a partir de 1 ("[1]", "[2]"...), os de um registro pelo
// nome do campo na grafia do aluno. Escalares e textos fora da gramática
// não têm filhos.
struct NoValor {
    std::string texto;
    std::vector<std::pair<std::string, NoValor>> filhos;

    bool operator==(const NoValor&) const = default;
};

NoValor ArvoreDoAlgoritmo(const std::string& impresso, const GrafiaDeNome& grafia = {});

// Um real com até 6 casas decimais e sem zeros finais ("3.333333", "2.5", "2").
std::string RealDoAlgoritmo(double valor);

} // namespace vendrilo::depuracao
