// O documento .ALG: leitura de bytes quaisquer, gravação do que foi lido e
// nova leitura, que precisa dar as mesmas linhas.

#include "apoio_fuzz.h"
#include "formato/arquivo_alg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    const auto entrada = vendrilo::fuzz::GravaEntrada("e.alg", dados, tamanho);
    vendrilo::DocumentoAlg doc;
    std::string erro;
    if (!vendrilo::LeAlg(entrada.string(), doc, erro))
        return 0;
    const auto saida = (vendrilo::fuzz::PastaTemporaria() / "s.alg").string();
    if (!vendrilo::GravaAlg(saida, doc, erro))
        return 0; // um caractere que não cabe na codificação: recusado sem gravar
    vendrilo::DocumentoAlg relido;
    FUZZ_CONFERE(vendrilo::LeAlg(saida, relido, erro));
    // Um texto 1252 que por acaso é UTF-8 válido muda de leitura; o resto volta igual.
    if (relido.codificacao == doc.codificacao)
        FUZZ_CONFERE(relido.linhas == doc.linhas);
    return 0;
}
