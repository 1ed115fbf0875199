#pragma once
// Valores como o gdb os imprime para um programa Pascal, reescritos nos
// termos do algoritmo: inteiros como estão; reais com até 6 casas, sem zeros
// no fim; caracteres e textos sem aspas (Windows-1252 passado para UTF-8);
// lógicos como VERDADEIRO/FALSO; vetores e matrizes como [a; b; c]; registros
// como {campo: valor; ...}.

#include <functional>
#include <string>

namespace vendrilo::depuracao {

// Nome de campo como o aluno o escreveu, a partir do nome em maiúsculas que
// o compilador grava; a função pode devolver o próprio nome.
using GrafiaDeNome = std::function<std::string(const std::string& maiusculo)>;

// Reescreve `impresso` (o valor de -data-evaluate-expression). Um texto que
// não segue a gramática conhecida volta como veio, nunca vazio por engano.
std::string ValorDoAlgoritmo(const std::string& impresso, const GrafiaDeNome& grafia = {});

// Um real com até 6 casas decimais e sem zeros finais ("3.333333", "2.5", "2").
std::string RealDoAlgoritmo(double valor);

} // namespace vendrilo::depuracao
