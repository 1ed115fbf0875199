#include "formato/texto_1252.h"

#include <array>
#include <cstdio>

namespace vendrilo {

namespace {

// Os bytes 0x80..0x9F são a única parte da página 1252 que difere do Latin-1.
constexpr std::array<char32_t, 32> kFaixa80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Byte do código na página, ou -1 quando ele não cabe.
int ByteDoCodigo(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (std::size_t i = 0; i < kFaixa80.size(); ++i)
        if (kFaixa80[i] == c)
            return static_cast<int>(0x80 + i);
    return -1;
}

bool Continuacao(unsigned char b) { return (b & 0xC0) == 0x80; }

std::string Descreve(std::string_view utf8, std::size_t pos)
{
    std::size_t i = pos;
    const long c = ProximoCodigoUtf8(utf8, i);
    if (c < 0)
        return "inválido";
    char codigo[16];
    const int n = std::snprintf(codigo, sizeof codigo, "U+%04lX", static_cast<unsigned long>(c));
    std::string s = "\"";
    s.append(utf8.substr(pos, i - pos));
    s += "\" (";
    if (n > 0)
        s.append(codigo, static_cast<std::size_t>(n));
    return s + ")";
}

} // namespace

long ProximoCodigoUtf8(std::string_view s, std::size_t& i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    std::size_t n = 0;
    char32_t c = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        n = 1;
        c = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 2;
        c = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 3;
        c = b0 & 0x07;
    } else {
        return -1; // continuação solta, C0/C1 (formas longas) ou F5..FF
    }
    if (n >= s.size() - i)
        return -1;
    for (std::size_t k = 1; k <= n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if (!Continuacao(b))
            return -1;
        c = (c << 6) | (b & 0x3F);
    }
    // Formas longas demais, substitutos e códigos além de U+10FFFF.
    if ((n == 2 && c < 0x800) || (n == 3 && (c < 0x10000 || c > 0x10FFFF))
        || (c >= 0xD800 && c <= 0xDFFF))
        return -1;
    i += n + 1;
    return static_cast<long>(c);
}

void AnexaUtf8(std::string& saida, char32_t c)
{
    if (c < 0x80) {
        saida += static_cast<char>(c);
    } else if (c < 0x800) {
        saida += static_cast<char>(0xC0 | (c >> 6));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        saida += static_cast<char>(0xE0 | (c >> 12));
        saida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        saida += static_cast<char>(0xF0 | (c >> 18));
        saida += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        saida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        saida += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string De1252(std::string_view cp1252)
{
    std::string saida;
    saida.reserve(cp1252.size() + cp1252.size() / 8);
    for (char ch : cp1252) {
        const auto b = static_cast<unsigned char>(ch);
        AnexaUtf8(saida, (b >= 0x80 && b < 0xA0) ? kFaixa80[b - 0x80] : char32_t(b));
    }
    return saida;
}

bool Codifica1252(std::string_view utf8, std::string& bytes, FalhaCodificacao* falha)
{
    bytes.clear();
    bytes.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t inicio = i;
        const long c = ProximoCodigoUtf8(utf8, i);
        const int b = c < 0 ? -1 : ByteDoCodigo(static_cast<char32_t>(c));
        if (b < 0) {
            if (falha)
                *falha = {inicio, Descreve(utf8, inicio)};
            return false;
        }
        bytes += static_cast<char>(b);
    }
    return true;
}

std::string Para1252(std::string_view utf8)
{
    std::string saida;
    saida.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const long c = ProximoCodigoUtf8(utf8, i);
        if (c < 0) {
            // Um '?' pelo trecho mal formado inteiro: o byte inicial e suas continuações.
            ++i;
            for (int k = 0; k < 3 && i < utf8.size() && Continuacao(static_cast<unsigned char>(utf8[i])); ++k)
                ++i;
            saida += '?';
            continue;
        }
        const int b = ByteDoCodigo(static_cast<char32_t>(c));
        saida += b < 0 ? '?' : static_cast<char>(b);
    }
    return saida;
}

bool Utf8Valido(std::string_view texto)
{
    std::size_t i = 0;
    while (i < texto.size())
        if (ProximoCodigoUtf8(texto, i) < 0)
            return false;
    return true;
}

bool TemNaoAscii(std::string_view texto)
{
    for (char ch : texto)
        if (static_cast<unsigned char>(ch) >= 0x80)
            return true;
    return false;
}

} // namespace vendrilo
