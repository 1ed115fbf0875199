#include "workspace/valida_nome.h"

#include <cctype>

namespace vendrilo {

namespace {

bool continuacaoUtf8(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool separador(char c)
{
    return c == '/' || c == '\\';
}

// Só os primeiros 255 caracteres de cada parte são examinados.
constexpr int kMaxExaminados = 255;

} // namespace

ValidacaoNome ValidaNomeArquivo(const std::string& caminho)
{
    ValidacaoNome r;
    std::size_t corte = std::string::npos;
    for (std::size_t i = 0; i < caminho.size(); ++i)
        if (separador(caminho[i]))
            corte = i;
    if (corte != std::string::npos) {
        r.diretorio = caminho.substr(0, corte);
        r.nome = caminho.substr(corte + 1);
    } else {
        r.nome = caminho;
    }

    // Nome: até o primeiro ponto.
    int conta = 0;
    int examinados = 0;
    std::size_t ponto = std::string::npos;
    for (std::size_t i = 0; i < r.nome.size() && examinados < kMaxExaminados; ++i) {
        const char c = r.nome[i];
        if (continuacaoUtf8(c))
            continue;
        ++examinados;
        if (c == '.') {
            ponto = i;
            r.EstadoNome = conta > 8 ? 1 : 2;
            break;
        }
        ++conta;
    }

    // Extensão: o que vem depois do primeiro ponto, sem espaços no fim.
    std::string ext = ponto == std::string::npos ? std::string() : r.nome.substr(ponto + 1);
    if (ext.size() > kMaxExaminados)
        ext.resize(kMaxExaminados);
    while (!ext.empty() && ext.back() == ' ')
        ext.pop_back();
    std::string maiusc;
    for (char c : ext)
        maiusc += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (maiusc != "ALG")
        r.ErroExtensao = 1;
    return r;
}

} // namespace vendrilo
