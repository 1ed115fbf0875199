#pragma once
// Leitura das linhas da interface de máquina do gdb (MI): registros de
// resultado (^), assíncronos (*, +, =) e de fluxo (~, @, &), com seus
// valores (textos C com escapes, tuplas {} e listas []). Nenhuma outra parte
// do programa lê texto do gdb.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vendrilo::depuracao {

// Um valor do MI: texto, tupla (pares nome=valor) ou lista (de valores ou de
// pares; numa lista de valores o nome fica vazio).
struct ValorMi {
    enum class Tipo { Texto, Tupla, Lista };
    Tipo tipo = Tipo::Texto;
    std::string texto;
    std::vector<std::pair<std::string, ValorMi>> itens;

    // O item de nome `nome` (primeiro, se repetido); nullptr quando não há.
    const ValorMi* campo(const std::string& nome) const;
    // Texto do item `nome`, ou vazio.
    std::string textoDe(const std::string& nome) const;
};

struct RegistroMi {
    std::optional<unsigned long> ficha; // o número que precede o comando
    char tipo = 0; // '^', '*', '+', '=', '~', '@', '&' ou 0 no "(gdb)"
    std::string classe; // "done", "stopped"... (vazio nos de fluxo)
    ValorMi resultados; // tupla dos resultados; nos de fluxo, o texto
};

// Lê uma linha (sem a quebra). nullopt quando não segue a gramática.
std::optional<RegistroMi> LeRegistroMi(const std::string& linha);

// Texto C entre aspas pronto para um comando MI.
std::string AspasMi(const std::string& texto);

} // namespace vendrilo::depuracao
