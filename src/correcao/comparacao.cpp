#include "correcao/comparacao.h"

#include "formato/texto_1252.h"

#include <algorithm>

namespace vendrilo::correcao {

std::string TextoEsperado(std::string_view bytes)
{
    return Utf8Valido(bytes) ? std::string(bytes) : De1252(bytes);
}

std::string TextoObtido(std::string_view bytes)
{
    return De1252(bytes);
}

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
