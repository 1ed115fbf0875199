#pragma once
// Regra 8.3 dos nomes de algoritmo: nome e extensão cabem no esquema, para
// que os arquivos da turma circulem entre máquinas. A pasta é livre: o
// compilador de hoje abre caminhos longos, com espaços e acentos.

#include <string>

namespace vendrilo {

struct ValidacaoNome {
    int EstadoNome = 0;    // 0: sem ponto; 1: nome inválido; 2: nome válido
    int ErroExtensao = 0;  // 1: a extensão não é ALG
    std::string diretorio; // parte até o último separador, sem ele
    std::string nome;      // o resto

    bool temErro() const { return EstadoNome == 1 || ErroExtensao == 1; }
};

// Aceita "/" e "\" como separadores; a raiz sem unidade dá um primeiro
// componente vazio. Conta caracteres (não bytes) de texto UTF-8.
ValidacaoNome ValidaNomeArquivo(const std::string& caminho);

} // namespace vendrilo
