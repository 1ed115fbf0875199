#pragma once
// As variáveis de um programa traduzido, lidas do seu texto Pascal: as
// globais e, por PROCEDIMENTO/FUNCAO, os parâmetros e as locais, na ordem e
// com a grafia em que o aluno as declarou (o compilador grava os nomes em
// maiúsculas, e o aluno precisa vê-los como escreveu).

#include <map>
#include <string>
#include <vector>

namespace vendrilo::depuracao {

struct Rotina {
    std::string nome; // vazio: o programa principal (globais)
    std::vector<std::string> variaveis; // parâmetros, depois locais
};

struct Declaracoes {
    std::vector<Rotina> rotinas; // a primeira é sempre a das globais
    // Grafia de cada nome declarado (variável, rotina, campo) pela sua
    // forma em maiúsculas; vale a primeira declaração.
    std::map<std::string, std::string> grafias;
    // O mesmo para os campos de registro, que podem repetir o nome de uma
    // variável com outra grafia.
    std::map<std::string, std::string> grafiasCampos;

    // Grafia declarada de `nome` (em qualquer caixa), ou o próprio nome.
    std::string grafia(const std::string& nome) const;
    // Grafia declarada de um campo de registro (na falta, a de grafia()).
    std::string grafiaCampo(const std::string& nome) const;
    // A rotina de nome `nome` (qualquer caixa); nullptr quando não há.
    const Rotina* rotina(const std::string& nome) const;
};

// Lê o texto Pascal (linhas em Windows-1252, como o tradutor as grava).
Declaracoes LeDeclaracoes(const std::vector<std::string>& linhasPascal);

// a–z em maiúsculas (só ASCII, como o compilador faz com os nomes).
std::string Maiusculas(std::string texto);

} // namespace vendrilo::depuracao
