// A verificação da estrutura com contadores quaisquer: cada par de bytes
// (tipo, quantidade) soma ao contador do tipo.

#include "apoio_fuzz.h"
#include "check/estrutura.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    vendrilo::ContadoresTipos contadores{};
    for (size_t i = 0; i + 1 < tamanho; i += 2)
        contadores[1 + dados[i] % 251] += static_cast<int8_t>(dados[i + 1]);
    const auto r = vendrilo::VerificaEstrutura(contadores);
    FUZZ_CONFERE(r.TotalErros >= 0);
    FUZZ_CONFERE(r.ListaErros.size() <= static_cast<size_t>(vendrilo::CapacidadeListaErros));
    FUZZ_CONFERE(r.TipoErroLinha.size() == r.ErrosSintaxe.size());
    FUZZ_CONFERE(vendrilo::TextoResumoEstrutura(r.TotalErros).empty() == (r.TotalErros == 0));
    return 0;
}
