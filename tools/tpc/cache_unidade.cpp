#include "cache_unidade.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vendrilo::tpc {

namespace {

void mistura(std::uint64_t& h, const std::string& s)
{
    for (unsigned char c : s)
        h = (h ^ c) * 1099511628211ull;
    h = (h ^ 0xFFu) * 1099511628211ull; // separa um texto do seguinte
}

const char* const Extensoes[] = {".pas", ".ppu", ".o"};

} // namespace

fs::path EntradaCacheUnidade(const fs::path& raiz, const std::string& texto,
                             const std::vector<fs::path>& dependencias)
{
    std::uint64_t h = 14695981039346656037ull;
    mistura(h, texto);
    for (const fs::path& d : dependencias) {
        std::error_code ec;
        const auto tamanho = fs::file_size(d, ec);
        const auto data = ec ? fs::file_time_type{} : fs::last_write_time(d, ec);
        mistura(h, ec ? std::string("-")
                      : std::to_string(tamanho) + "@" + std::to_string(data.time_since_epoch().count()));
    }
    char nome[24];
    std::snprintf(nome, sizeof nome, "u-%016llx", static_cast<unsigned long long>(h));
    return raiz / nome;
}

bool CacheUnidadePronta(const fs::path& entrada, const std::string& nome)
{
    std::error_code ec;
    for (const char* ext : Extensoes)
        if (!fs::is_regular_file(entrada / (nome + ext), ec))
            return false;
    return true;
}

bool GuardaCacheUnidade(const fs::path& entrada, const fs::path& pastaFonte, const fs::path& pastaObj,
                        const std::string& nome)
{
    std::error_code ec;
    fs::create_directories(entrada.parent_path(), ec);
    std::string modelo = (entrada.parent_path() / ".nova-XXXXXX").string();
    if (!mkdtemp(modelo.data()))
        return false;
    const fs::path nova = modelo;
    bool ok = true;
    for (const char* ext : Extensoes) {
        const fs::path origem = (ext == Extensoes[0] ? pastaFonte : pastaObj) / (nome + ext);
        ok = ok && fs::copy_file(origem, nova / (nome + ext), ec) && !ec;
    }
    // O .ppu guarda a data do fonte: com outra data o compilador o refaria.
    if (ok)
        fs::last_write_time(nova / (nome + ".pas"), fs::last_write_time(pastaFonte / (nome + ".pas"), ec),
                            ec);
    ok = ok && !ec;
    // Uma pasta só ganha o nome da entrada inteira; se outra chegou antes, fica a outra.
    if (ok && ::rename(nova.c_str(), entrada.c_str()) == 0)
        return true;
    fs::remove_all(nova, ec);
    return ok && CacheUnidadePronta(entrada, nome);
}

} // namespace vendrilo::tpc
