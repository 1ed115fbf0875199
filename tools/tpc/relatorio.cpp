#include "relatorio.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <elf.h>
#include <fstream>

namespace vendrilo::tpc {

namespace {

// O relatório é lido linha a linha: uma quebra dentro do caminho deslocaria
// as linhas 3 a 5 (e um sucesso pareceria erro). Ela aparece como "?".
std::string semQuebras(std::string s)
{
    for (auto& c : s)
        if (c == '\n' || c == '\r')
            c = '?';
    return s;
}

} // namespace

std::string CaminhoPasMaiusculo(const std::string& caminho)
{
    const auto barra = caminho.rfind('/');
    const auto ponto = caminho.rfind('.');
    if (ponto != std::string::npos && (barra == std::string::npos || ponto > barra)) {
        std::string ext = caminho.substr(ponto + 1);
        for (auto& c : ext)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        if (ext == "PAS")
            return caminho.substr(0, ponto) + ".PAS";
    }
    return caminho + ".PAS";
}

std::string CaminhoPrograma(const std::string& caminhoFonte)
{
    if (caminhoFonte.size() < 3)
        return caminhoFonte + ".exe";
    return caminhoFonte.substr(0, caminhoFonte.size() - 3) + "exe";
}

std::vector<std::string> RelatorioSucesso(const std::string& caminhoFonte, int linhas,
                                          double segundos, long long bytesCodigo,
                                          long long bytesDados)
{
    const std::string ref = semQuebras(CaminhoPasMaiusculo(caminhoFonte)) + "(" + std::to_string(linhas) + ")";
    // Um tempo absurdo (%.1f de 1e300) não cabe num buffer fixo: mede antes.
    const auto formata = [&](char* destino, std::size_t tamanho) {
        return std::snprintf(destino, tamanho, "%d lines, %.1f seconds, %lld bytes code, %lld bytes data.",
                             linhas, segundos, bytesCodigo, bytesDados);
    };
    const int n = formata(nullptr, 0);
    std::string resumo(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n <= 0 || formata(resumo.data(), resumo.size() + 1) != n)
        resumo = " bytes data."; // só com formato inválido; o sucesso ainda se reconhece
    return {CabecalhoTpc, ref, "", ref, "", resumo};
}

std::vector<std::string> RelatorioErro(const std::string& caminhoFonte, int linha, int numero,
                                       const std::string& texto, const std::string& linhaFonte,
                                       int coluna)
{
    const std::string ref = semQuebras(CaminhoPasMaiusculo(caminhoFonte)) + "(" + std::to_string(linha) + ")";
    std::string msg = semQuebras(texto);
    if (msg.empty() || msg.back() != '.')
        msg += '.';
    std::string circunflexo;
    if (coluna > 0) {
        // Uma coluna além do fim da linha põe o "^" logo depois do último caractere.
        const std::size_t antes = std::min(static_cast<std::size_t>(coluna - 1), linhaFonte.size());
        for (std::size_t i = 0; i < antes; ++i)
            circunflexo += linhaFonte[i] == '\t' ? '\t' : ' ';
        circunflexo += '^';
    }
    return {CabecalhoTpc, ref, "", ref + ": Error " + std::to_string(numero) + ": " + msg,
            linhaFonte, circunflexo};
}

bool TamanhosElf(const std::string& caminho, long long& codigo, long long& dados)
{
    codigo = dados = 0;
    std::ifstream f(caminho, std::ios::binary);
    Elf64_Ehdr cab{};
    if (!f.read(reinterpret_cast<char*>(&cab), sizeof cab))
        return false;
    if (std::memcmp(cab.e_ident, ELFMAG, SELFMAG) != 0 || cab.e_ident[EI_CLASS] != ELFCLASS64 ||
        cab.e_shentsize != sizeof(Elf64_Shdr))
        return false;
    f.seekg(static_cast<std::streamoff>(cab.e_shoff));
    for (int i = 0; i < cab.e_shnum; ++i) {
        Elf64_Shdr s{};
        if (!f.read(reinterpret_cast<char*>(&s), sizeof s))
            return false;
        if (!(s.sh_flags & SHF_ALLOC))
            continue;
        if (s.sh_flags & SHF_EXECINSTR)
            codigo += static_cast<long long>(s.sh_size);
        else if (s.sh_flags & SHF_WRITE)
            dados += static_cast<long long>(s.sh_size);
    }
    return true;
}

} // namespace vendrilo::tpc
