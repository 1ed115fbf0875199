#pragma once
// Varredura de uma linha do pseudocódigo para o realce de sintaxe, sem Qt.
//
// Função pura: (linha, estado no início) → (fichas, estado no fim). A linha
// vem sem a quebra, em bytes UTF-8 (o editor guarda UTF-8); palavras e
// números são ASCII, e uma letra acentuada, de vários bytes, é uma ficha
// desconhecida de um caractere.

#include "workspace/realce/estados_realce.h"
#include "workspace/realce/palavras_reservadas.h"

#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vendrilo {

// Tipos de ficha, na ordem cujo ordinal a consulta do tipo devolve.
enum class TipoFicha : int {
    Comentario,
    Identificador,
    PalavraReservada,
    FimLinha,
    Numero,
    PreProcessador,
    Espaco,
    Cadeia,
    Simbolo,
    Desconhecido,
};

struct Ficha {
    TipoFicha tipo;
    std::size_t inicio;  // byte na linha
    std::size_t tamanho; // em bytes
    bool operator==(const Ficha&) const = default;
};

// Estilos de comentário ligáveis.
namespace EstiloComentario {
enum : unsigned {
    Ansi = 1u << 0,   // (* ... *)
    Pascal = 1u << 1, // { ... }
    C = 1u << 2,      // /* ... */
    Asm = 1u << 3,    // ; até o fim da linha
    Basic = 1u << 4,  // ; até o fim da linha
};
} // namespace EstiloComentario

struct ConfiguracaoVarredor {
    unsigned comentarios = EstiloComentario::Ansi | EstiloComentario::Pascal | EstiloComentario::C;
    bool detectaPreProcessador = false;
    char delimitadorCadeia = '\''; // apóstrofo ou aspas
};

// Tabela fixa de caracteres de palavra: "-", dígitos, letras ASCII e "_".
bool ehCaractereDePalavra(unsigned char c);

class VarredorRealce {
public:
    // Configuração da janela do editor e as 280 palavras reservadas.
    VarredorRealce();
    VarredorRealce(const ConfiguracaoVarredor& configuracao, const PalavrasReservadas& palavras);

    // Varre `linha` a partir de `inicio`; acrescenta as fichas a `fichas`
    // (limpo antes) e devolve o estado no fim da linha. Nenhuma ficha de fim
    // de linha é acrescentada: ela não ocupa bytes.
    EstadoLinha varre(std::string_view linha, EstadoLinha inicio, std::vector<Ficha>& fichas) const;

    const ConfiguracaoVarredor& configuracao() const { return config_; }
    void defineConfiguracao(const ConfiguracaoVarredor& c) { config_ = c; }
    const PalavrasReservadas& palavras() const { return palavras_; }
    void definePalavras(const std::vector<std::string>& lista) { palavras_.define(lista); }

private:
    ConfiguracaoVarredor config_;
    PalavrasReservadas palavras_;
};

// Caracteres que o editor trata como de palavra (clique duplo, Ctrl+setas).
// Definir substitui o conjunto pelos caracteres da cadeia; ler devolve-os em
// ordem de código. O padrão do editor é de 33 ("!") a 255.
class CaracteresIdentificador {
public:
    CaracteresIdentificador();
    void define(std::string_view caracteres);
    std::string texto() const;
    bool contem(unsigned char c) const { return conjunto_[c]; }

private:
    std::bitset<256> conjunto_;
};

} // namespace vendrilo
