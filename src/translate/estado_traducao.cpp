#include "translate/estado_traducao.h"

namespace vendrilo {

NomesDerivados DerivaNomes(const std::string& caminho)
{
    // Troca os três últimos caracteres, seja qual for a extensão: o comando
    // só aceita documentos com ".ALG" no nome, mas não confere onde.
    const std::string base = caminho.size() >= 3 ? caminho.substr(0, caminho.size() - 3) : std::string();
    return {caminho, base + "pas", base + "exe", base + "pif"};
}

} // namespace vendrilo
