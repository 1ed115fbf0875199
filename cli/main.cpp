#include "linha_comando.h"

#include <clocale>
#include <cstring>
#include <iostream>
#include <langinfo.h>

namespace {

// Só um terminal configurado para Latin-1/Windows-1252 recebe os bytes como
// estão; em UTF-8, ou sem configuração (locale C), converte-se para UTF-8.
bool terminalUtf8()
{
    std::setlocale(LC_CTYPE, "");
    const char* codigo = nl_langinfo(CODESET);
    if (!codigo)
        return true;
    for (const char* latino : {"CP1252", "ISO-8859-1", "ISO-8859-15"})
        if (std::strcmp(codigo, latino) == 0)
            return false;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> argumentos(argv + 1, argv + argc);
    vendrilo::cli::Terminal terminal{std::cout, std::cerr, terminalUtf8()};
    const int codigo = vendrilo::cli::Executa(argumentos, terminal);
    std::cout.flush();
    return codigo;
}
