#pragma once
// Regra 8.3 dos nomes de algoritmo: o programa gerado é compilado como se
// fosse para DOS, então pasta, nome e extensão precisam caber no esquema.

#include <string>

namespace vendrilo {

struct ValidacaoNome {
    int ErroDiretorio = 0; // 1: um componente da pasta passa de 8 caracteres
    int EstadoNome = 0;    // 0: sem ponto; 1: nome inválido; 2: nome válido
    int ErroExtensao = 0;  // 1: a extensão não é ALG
    std::string diretorio; // parte até o último separador, sem ele
    std::string nome;      // o resto

    bool temErro() const { return ErroDiretorio == 1 || EstadoNome == 1 || ErroExtensao == 1; }
};

// Aceita "/" e "\" como separadores; a raiz sem unidade dá um primeiro
// componente vazio. Conta caracteres (não bytes) de texto UTF-8.
ValidacaoNome ValidaNomeArquivo(const std::string& caminho);

} // namespace vendrilo
