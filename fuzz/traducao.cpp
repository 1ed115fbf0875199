// O tradutor inteiro (leitura, tradução, gravação do .pas e verificação da
// estrutura) sobre um algoritmo qualquer.

#include "apoio_fuzz.h"
#include "translate/tradutor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    const auto alg = vendrilo::fuzz::GravaEntrada("t.alg", dados, tamanho);
    vendrilo::Tradutor tradutor;
    std::string erro;
    const bool ok = tradutor.TraduzArquivo(alg.string(), erro);
    FUZZ_CONFERE(ok == erro.empty());
    FUZZ_CONFERE(tradutor.estado().TotalErros >= 0);
    return 0;
}
