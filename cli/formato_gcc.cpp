#include "formato_gcc.h"

namespace vendrilo::cli {

std::string LinhaGcc(const std::string& arquivo, int linha, int coluna, const std::string& texto)
{
    std::string r = arquivo + ":";
    if (linha > 0) {
        r += std::to_string(linha) + ":";
        if (coluna > 0)
            r += std::to_string(coluna) + ":";
    }
    return r + " erro: " + texto;
}

std::string TextoErroCompilador(const std::string& linhaErro)
{
    // O caminho pode ter "): " no meio; o marcador do erro é o último.
    const auto marca = linhaErro.rfind("): Erro ");
    if (marca == std::string::npos)
        return linhaErro;
    const auto inicioNumero = marca + 8;
    const auto doisPontos = linhaErro.find(':', inicioNumero);
    if (doisPontos == std::string::npos)
        return linhaErro;
    const std::string numero = linhaErro.substr(inicioNumero, doisPontos - inicioNumero);
    auto inicioTexto = doisPontos + 1;
    while (inicioTexto < linhaErro.size() && linhaErro[inicioTexto] == ' ')
        ++inicioTexto;
    return linhaErro.substr(inicioTexto) + " (erro " + numero + ")";
}

} // namespace vendrilo::cli
