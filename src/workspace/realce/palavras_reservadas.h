#pragma once
// Lista de palavras reservadas do realce: só decide o que é pintado como
// palavra reservada (o vocabulário da tradução fica em translate/).

#include <string>
#include <string_view>
#include <vector>

namespace vendrilo {

// As 280 palavras do pseudocódigo, em maiúsculas.
const std::vector<std::string>& palavrasReservadasVendrilo();

// Conjunto de palavras guardado em maiúsculas e ordenado, com busca binária
// sem distinção de caixa (só letras ASCII mudam de caixa).
class PalavrasReservadas {
public:
    PalavrasReservadas() = default;
    explicit PalavrasReservadas(const std::vector<std::string>& palavras) { define(palavras); }

    // Substitui a lista; as palavras passam a maiúsculas e são ordenadas.
    void define(const std::vector<std::string>& palavras);

    bool contem(std::string_view palavra) const;
    const std::vector<std::string>& lista() const { return ordenadas_; }

private:
    std::vector<std::string> ordenadas_;
};

// Cópia em maiúsculas ASCII.
std::string maiusculasAscii(std::string_view texto);

} // namespace vendrilo
