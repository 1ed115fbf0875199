#pragma once
// Lista de comandos da complementação do editor: 210 entradas, cada uma com o
// texto exibido na lista e o texto inserido no lugar da palavra digitada.

#include <span>

namespace vendrilo {

struct EntradaComando {
    const char* exibicao; // em maiúsculas; as 39 primeiras trazem os parâmetros
    const char* insercao; // linhas separadas por um CR sozinho
};

// As entradas, na ordem em que a lista as mostra.
std::span<const EntradaComando> ListaComandos();

} // namespace vendrilo
