#include "configuracao.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace vendrilo::tpc {

namespace {

bool arquivo(const fs::path& p)
{
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

} // namespace

fs::path ConfiguracaoPadrao(const fs::path& compilador)
{
    if (arquivo("fpc.cfg"))
        return fs::absolute("fpc.cfg");
    if (const char* casa = std::getenv("HOME"); casa && *casa && arquivo(fs::path(casa) / ".fpc.cfg"))
        return fs::path(casa) / ".fpc.cfg";
    if (const char* pasta = std::getenv("PPC_CONFIG_PATH"); pasta && *pasta) {
        if (arquivo(fs::path(pasta) / "fpc.cfg"))
            return fs::path(pasta) / "fpc.cfg";
    } else {
        // O compilador olha ao lado do seu executável verdadeiro (links resolvidos).
        std::error_code ec;
        const fs::path real = fs::canonical(compilador, ec);
        if (!ec && arquivo(real.parent_path().parent_path() / "etc" / "fpc.cfg"))
            return real.parent_path().parent_path() / "etc" / "fpc.cfg";
    }
    if (arquivo("/etc/fpc.cfg"))
        return "/etc/fpc.cfg";
    return {};
}

bool ConfiguracaoEnxuta(const std::string& texto, std::string& enxuta)
{
    enxuta.clear();
    enxuta.reserve(texto.size() + 256);
    bool mudou = false;
    std::size_t inicio = 0;
    while (inicio < texto.size()) {
        std::size_t fim = texto.find('\n', inicio);
        if (fim == std::string::npos)
            fim = texto.size();
        std::string linha = texto.substr(inicio, fim - inicio);
        inicio = fim + 1;
        std::string quebra = "\n";
        if (!linha.empty() && linha.back() == '\r') {
            linha.pop_back();
            quebra = "\r\n";
        }
        const std::size_t op = linha.find_first_not_of(" \t");
        std::size_t ultimo = linha.find_last_not_of(" \t");
        if (op != std::string::npos && linha.compare(op, 3, "-Fu") == 0 && ultimo >= op + 4 &&
            linha.compare(ultimo - 1, 2, "/*") == 0) {
            const std::string base = linha.substr(0, ultimo); // termina na "/"
            enxuta += base + "rtl" + quebra + base + "rtl-console" + quebra;
            mudou = true;
        } else {
            enxuta += linha + quebra;
        }
    }
    return mudou;
}

bool LeConfiguracaoPadrao(const fs::path& compilador, std::string& texto)
{
    const fs::path padrao = ConfiguracaoPadrao(compilador);
    if (padrao.empty())
        return false;
    std::ifstream e(padrao, std::ios::binary);
    if (!e)
        return false;
    texto.assign(std::istreambuf_iterator<char>(e), std::istreambuf_iterator<char>());
    return !e.bad();
}

} // namespace vendrilo::tpc
