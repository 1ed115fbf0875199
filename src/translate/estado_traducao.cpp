#include "translate/estado_traducao.h"

#include <algorithm>

namespace vendrilo {

NomesDerivados DerivaNomes(const std::string& caminho)
{
    // Troca os três últimos caracteres, seja qual for a extensão: o comando
    // só aceita documentos com ".ALG" no nome, mas não confere onde.
    const std::string base = caminho.size() >= 3 ? caminho.substr(0, caminho.size() - 3) : std::string();
    return {caminho, base + "pas", base + "exe", base + "pif"};
}

int MapaColunas::ColunaAlgoritmo(long long linhaPascal, int colunaPascal) const
{
    if (colunaPascal < 1 || linhaPascal < 1 || linhaPascal > static_cast<long long>(inicioLinha.size()))
        return colunaPascal;
    const std::size_t l = static_cast<std::size_t>(linhaPascal - 1);
    const std::size_t de = inicioLinha[l];
    const std::size_t ate = l + 1 < inicioLinha.size() ? inicioLinha[l + 1] : trechos.size();
    const std::uint32_t p = static_cast<std::uint32_t>(colunaPascal - 1);
    const TrechoColunas* t = nullptr;
    for (std::size_t i = de; i < ate && trechos[i].pascal <= p; ++i)
        t = &trechos[i];
    if (!t)
        return colunaPascal;
    const std::uint32_t d = p - t->pascal;
    std::uint32_t a;
    if (d < t->tamanhoPascal)
        a = t->algoritmo + std::min(d, t->tamanhoAlgoritmo ? t->tamanhoAlgoritmo - 1 : 0);
    else
        a = t->algoritmo + t->tamanhoAlgoritmo + (d - t->tamanhoPascal);
    return static_cast<int>(a) + 1;
}

} // namespace vendrilo
