// A leitura das mensagens do compilador, a correspondência com os números
// antigos e o relatório: cada linha da entrada é ao mesmo tempo linha do
// fonte e possível mensagem.

#include "apoio_fuzz.h"
#include "mapa_erros.h"
#include "relatorio.h"

#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    const std::string_view texto(reinterpret_cast<const char*>(dados), tamanho);
    std::vector<std::string> linhas;
    for (size_t i = 0; i <= texto.size();) {
        const size_t fim = std::min(texto.find('\n', i), texto.size());
        linhas.emplace_back(texto.substr(i, fim - i));
        i = fim + 1;
    }
    for (const auto& l : linhas) {
        const auto m = vendrilo::tpc::LeMensagemFpc(l);
        if (!m)
            continue;
        FUZZ_CONFERE(m->linha >= 0 && m->coluna >= 0);
        const auto c = vendrilo::tpc::NumeroTurboPascal(*m, linhas);
        const int linha = c.linha > 0 ? c.linha : m->linha;
        const int coluna = c.linha > 0 ? c.coluna : m->coluna;
        const std::string fonte =
            linha >= 1 && static_cast<size_t>(linha) <= linhas.size() ? linhas[static_cast<size_t>(linha - 1)] : "";
        const auto r = vendrilo::tpc::RelatorioErro("p.pas", linha, c.numero, m->texto, fonte, coluna);
        FUZZ_CONFERE(r.size() == 6);
        FUZZ_CONFERE(r[5].size() <= fonte.size() + 1);
    }
    return 0;
}
