#pragma once
// Windows-1252, a codificação dos documentos e dos textos do núcleo, e o
// UTF-8 do editor e do código-fonte: a única tabela do programa.
//
// Todo byte tem caractere: os cinco que a página deixa vagos (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) viram os controles C1 de mesmo número, para que um
// arquivo estranho volte byte a byte ao disco.

#include <cstddef>
#include <string>
#include <string_view>

namespace vendrilo {

// Windows-1252 → UTF-8; nunca falha e a volta por Codifica1252 é exata.
std::string De1252(std::string_view cp1252);

// Onde e por que a codificação parou.
struct FalhaCodificacao {
    std::size_t posicao = 0; // em bytes no texto UTF-8
    std::string caractere;   // "\"→\" (U+2192)", ou "inválido" para UTF-8 mal formado
};

// UTF-8 → Windows-1252. Falso no primeiro caractere que não cabe na página
// (ou no primeiro UTF-8 mal formado); `bytes` fica então incompleto.
bool Codifica1252(std::string_view utf8, std::string& bytes, FalhaCodificacao* falha = nullptr);

// Para os textos do próprio programa (mensagens, tabelas): o que não cabe
// vira '?', um por caractere ou por byte mal formado.
std::string Para1252(std::string_view utf8);

// UTF-8 estrito: sem formas longas demais, substitutos, nem nada além de U+10FFFF.
bool Utf8Valido(std::string_view texto);

// Verdadeiro quando algum byte passa de 0x7F.
bool TemNaoAscii(std::string_view texto);

// Lê o caractere que começa em `i` e avança `i`; -1 (sem avançar) quando o
// UTF-8 ali é mal formado ou está cortado.
long ProximoCodigoUtf8(std::string_view texto, std::size_t& i);

// Acrescenta o código em UTF-8.
void AnexaUtf8(std::string& saida, char32_t codigo);

} // namespace vendrilo
