#include "check/texto_1252.h"

#include <array>
#include <cstdint>

namespace vendrilo::verificacao {

namespace {

// Os bytes 0x80..0x9F são a única parte da página 1252 que difere do Latin-1.
constexpr std::array<char32_t, 32> kFaixa80 = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

char32_t CodigoDoByte(unsigned char b)
{
    if (b >= 0x80 && b < 0xA0)
        return kFaixa80[b - 0x80];
    return b;
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

char ByteDoCodigo(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kFaixa80.size(); ++i)
        if (kFaixa80[i] == c && c != 0xFFFD)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

std::string Para1252(std::string_view utf8)
{
    std::string saida;
    saida.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        int extras = 0;
        char32_t c = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            extras = 1;
            c = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extras = 2;
            c = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extras = 3;
            c = b & 0x07;
        } else {
            saida += '?';
            ++i;
            continue;
        }
        if (i + extras >= utf8.size()) {
            // sequência truncada no fim do texto
            saida += '?';
            break;
        }
        bool valida = true;
        for (int k = 1; k <= extras; ++k) {
            const auto cont = static_cast<unsigned char>(utf8[i + k]);
            if ((cont & 0xC0) != 0x80) {
                valida = false;
                break;
            }
            c = (c << 6) | (cont & 0x3F);
        }
        if (!valida) {
            saida += '?';
            ++i;
            continue;
        }
        saida += ByteDoCodigo(c);
        i += extras + 1;
    }
    return saida;
}

std::string De1252(std::string_view cp1252)
{
    std::string saida;
    saida.reserve(cp1252.size() + cp1252.size() / 8);
    for (char ch : cp1252)
        AnexaUtf8(saida, CodigoDoByte(static_cast<unsigned char>(ch)));
    return saida;
}

} // namespace vendrilo::verificacao
