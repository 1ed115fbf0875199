#include "correcao/comparacao.h"

#include "check/texto_1252.h"

#include <algorithm>

namespace vendrilo::correcao {

namespace {

// UTF-8 bem formado: sem sequências longas demais, sem substitutos.
bool utf8Valido(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = 0;
        char32_t cp = 0, minimo = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            n = 1, cp = c & 0x1F, minimo = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2, cp = c & 0x0F, minimo = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3, cp = c & 0x07, minimo = 0x10000;
        } else {
            return false;
        }
        for (std::size_t k = 1; k <= n; ++k) {
            if (i + k >= s.size())
                return false;
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp < minimo || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += n + 1;
    }
    return true;
}

} // namespace

std::string TextoEsperado(std::string_view bytes)
{
    return utf8Valido(bytes) ? std::string(bytes) : verificacao::De1252(bytes);
}

std::string TextoObtido(std::string_view bytes) { return verificacao::De1252(bytes); }

std::vector<std::string> LinhasNormalizadas(std::string_view utf8)
{
    std::vector<std::string> linhas;
    std::string atual;
    auto fecha = [&] {
        while (!atual.empty() && (atual.back() == ' ' || atual.back() == '\t'))
            atual.pop_back();
        linhas.push_back(std::move(atual));
        atual.clear();
    };
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\r') {
            fecha();
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            fecha();
        } else {
            atual += c;
        }
    }
    fecha();
    while (!linhas.empty() && linhas.back().empty())
        linhas.pop_back();
    return linhas;
}

int PrimeiraDiferenca(const std::vector<std::string>& esperado, const std::vector<std::string>& obtido)
{
    const auto n = std::min(esperado.size(), obtido.size());
    for (std::size_t i = 0; i < n; ++i)
        if (esperado[i] != obtido[i])
            return static_cast<int>(i);
    return esperado.size() == obtido.size() ? -1 : static_cast<int>(n);
}

} // namespace vendrilo::correcao
