#include "workspace/modelo_alg.h"

namespace vendrilo {

std::vector<std::string> CabecalhoAlg(const std::string& nome, const std::string& data)
{
    return {
        "{ALGORITMO....: " + nome + "    \t}",
        "{AUTOR........:" + std::string(9, ' ') + "\t}",
        "{DATA.........: " + data + "    \t}",
        "{DESCRIÇÃO....:" + std::string(16, ' ') + "\t}",
    };
}

std::vector<std::string> ModeloAlg(const std::string& nome, const std::string& data)
{
    std::vector<std::string> linhas = CabecalhoAlg(nome, data);
    const std::vector<std::string> corpo = {
        "",
        "{Declaração das variáveis}",
        "",
        "",
        "inicio",
        "   ",
        "   {Inicialização das variáveis}",
        "   ",
        "   ",
        "   {Código do Algoritmo}",
        "   ",
        "   ",
        "   ",
        "fim" + std::string(21, ' '),
    };
    linhas.insert(linhas.end(), corpo.begin(), corpo.end());
    return linhas;
}

void PosicaoNoTexto(const std::vector<std::string>& linhas, int posicao, int& linha, int& coluna)
{
    int resto = posicao - 1;
    linha = 0;
    while (linha + 1 < static_cast<int>(linhas.size())) {
        // Caracteres, não bytes: o cabeçalho tem letras acentuadas.
        int tamanho = 0;
        for (char c : linhas[linha])
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
                ++tamanho;
        if (resto < tamanho + 2)
            break;
        resto -= tamanho + 2;
        ++linha;
    }
    coluna = resto;
}

} // namespace vendrilo
