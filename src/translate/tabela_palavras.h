#pragma once
// Vocabulário do pseudocódigo: cada palavra-chave, suas grafias, o texto
// Pascal que a substitui, o terminador de linha e os efeitos sobre o estado.
//
// A tabela é só dado; quem a aplica é Tradutor::TraduzPalavra. O realce, a
// lista de comandos e a ajuda leem as grafias por GrafiasPalavras().

#include <string_view>
#include <vector>

namespace vendrilo {

// Qual dos dois textos Pascal a linha escreve.
enum class FormaPascal : unsigned char {
    Fixa,          // sempre `pascal`
    PorSecaoTipos, // `pascalAlternativo` quando SecaoTipos == 1 (logo após TIPO)
    PorEstadoCaso, // `pascalAlternativo` quando EstadoCaso != 0 (CASO seguinte fecha o anterior)
};

// O que a palavra faz com TerminadorLinha.
enum class FormaTerminador : unsigned char {
    Mantem,            // deixa como está
    Fixo,              // passa a ser `terminador`
    PorMarcaConstante, // "=" quando MarcaConstante == "C", senão ";"
};

// Efeitos sobre o estado, combináveis.
enum EfeitoPalavra : unsigned {
    SemEfeito = 0,
    PedeSeparador = 1u << 0,          // EstadoCabecalho 1 passa a 3
    ZeraSecaoTipos = 1u << 1,
    AbreSecaoTipos = 1u << 2,         // SecaoTipos = 1
    ZeraContadorIgual = 1u << 3,
    MarcaConstanteC = 1u << 4,        // MarcaConstante = "C"
    MarcaConstanteEspaco = 1u << 5,   // MarcaConstante = " "
    LacoEnquanto = 1u << 6,           // TipoLaco = 1
    LacoPara = 1u << 7,               // TipoLaco = 2
    ZeraEstadoCaso = 1u << 8,
    PrimeiroCaso = 1u << 9,           // EstadoCaso 0 passa a 1
    CasoContrario = 1u << 10,         // EstadoCaso = 2
    FechaComBiblioteca = 1u << 11,    // EstadoCabecalho = 2, BibliotecaUsada = 1
};

// Uma linha da tabela: um tipo de palavra com as grafias que escrevem o mesmo
// texto. O tipo 131 tem duas linhas (MAIUSCULA e (MAIUSCULA).
struct PalavraChave {
    int tipo;
    std::vector<std::string_view> grafias; // em maiúsculas, como comparadas
    std::string_view pascal;
    std::string_view pascalAlternativo;
    FormaPascal forma;
    FormaTerminador formaTerminador;
    std::string_view terminador;
    unsigned efeitos;
};

// A tabela inteira, na ordem dos tipos.
const std::vector<PalavraChave>& TabelaPalavras();

// A linha da palavra em maiúsculas (a–z convertidas), ou nullptr.
const PalavraChave* ProcuraPalavra(std::string_view maiuscula);

// Tamanho da maior grafia: palavras mais longas nunca são palavras-chave.
std::size_t MaiorGrafia();

// Uma grafia com o seu tipo e o texto Pascal usual (fora de seção de tipos,
// no primeiro CASO). `linha` dá acesso ao resto.
struct GrafiaPalavra {
    std::string_view grafia;
    int tipo;
    std::string_view pascal;
    const PalavraChave* linha;
};

// Todas as grafias, na ordem da tabela.
const std::vector<GrafiaPalavra>& GrafiasPalavras();

} // namespace vendrilo
