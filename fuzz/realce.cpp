// A varredura do realce, linha a linha, levando o estado de uma à outra; o
// primeiro byte escolhe a configuração.

#include "apoio_fuzz.h"
#include "workspace/realce/varredor_realce.h"

#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    if (tamanho == 0)
        return 0;
    vendrilo::VarredorRealce varredor;
    vendrilo::ConfiguracaoVarredor config;
    config.comentarios = dados[0] & 31u;
    config.detectaPreProcessador = dados[0] & 32u;
    config.delimitadorCadeia = dados[0] & 64u ? '"' : '\'';
    varredor.defineConfiguracao(config);
    const std::string_view texto(reinterpret_cast<const char*>(dados + 1), tamanho - 1);
    vendrilo::EstadoLinha estado{};
    std::vector<vendrilo::Ficha> fichas;
    for (size_t i = 0; i <= texto.size();) {
        const size_t fim = std::min(texto.find('\n', i), texto.size());
        const std::string_view linha = texto.substr(i, fim - i);
        estado = varredor.varre(linha, estado, fichas);
        size_t proximo = 0; // fichas em ordem, sem sobreposição, dentro da linha
        for (const auto& f : fichas) {
            FUZZ_CONFERE(f.inicio >= proximo && f.tamanho > 0 && f.inicio + f.tamanho <= linha.size());
            proximo = f.inicio + f.tamanho;
        }
        i = fim + 1;
    }
    return 0;
}
