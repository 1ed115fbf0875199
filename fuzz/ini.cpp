// O INI da atualização: ler, trocar a versão e ler de novo a versão gravada.

#include "apoio_fuzz.h"
#include "formato/arquivo_ini.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    const std::string_view texto(reinterpret_cast<const char*>(dados), tamanho);
    (void)vendrilo::LeIniTexto(texto, "Versao", "Vendrilo");
    (void)vendrilo::LeIniTexto(texto, "Site", "Host");
    // A versão gravada pelo atualizador: só letras, dígitos e pontos.
    std::string versao = "2.";
    for (unsigned char c : texto.substr(0, 8))
        versao += "0123456789abcdefghijklmnopqrstuvwxyz."[c % 37];
    const std::string novo = vendrilo::AlteraIniTexto(texto, "Versao", "Vendrilo", versao);
    FUZZ_CONFERE(vendrilo::LeIniTexto(novo, "Versao", "Vendrilo") == versao);
    return 0;
}
