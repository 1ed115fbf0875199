#pragma once
// Apoio dos testes da cadeia do compilador: pastas temporárias, arquivos e
// a execução real do tpc.

#include "platform/processo.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vendrilo::teste {

// Pasta temporária apagada no fim do teste.
class PastaTemp {
public:
    PastaTemp()
    {
        std::string modelo = (std::filesystem::temp_directory_path() / "vendrilo-teste-XXXXXX").string();
        caminho_ = mkdtemp(modelo.data()) ? modelo : std::string();
    }
    ~PastaTemp()
    {
        std::error_code ec;
        std::filesystem::remove_all(caminho_, ec);
    }
    PastaTemp(const PastaTemp&) = delete;
    PastaTemp& operator=(const PastaTemp&) = delete;
    const std::string& caminho() const { return caminho_; }
    std::string operator/(const std::string& nome) const { return caminho_ + "/" + nome; }

private:
    std::string caminho_;
};

inline void Grava(const std::string& caminho, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(caminho).parent_path());
    std::ofstream f(caminho, std::ios::binary);
    f << bytes;
}

inline std::string Le(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

inline std::vector<std::string> Linhas(const std::string& texto)
{
    std::vector<std::string> v;
    std::string atual;
    for (char c : texto) {
        if (c == '\n') {
            if (!atual.empty() && atual.back() == '\r')
                atual.pop_back();
            v.push_back(atual);
            atual.clear();
        } else {
            atual += c;
        }
    }
    if (!atual.empty())
        v.push_back(atual);
    return v;
}

inline bool Existe(const std::string& caminho)
{
    std::error_code ec;
    return std::filesystem::exists(caminho, ec);
}

// Saída de uma execução do tpc (ou de outro programa).
struct Execucao {
    int status = -1;
    std::vector<std::string> linhas;
    std::string saida;
};

inline Execucao Roda(const std::vector<std::string>& argv, const std::string& pasta,
                     const std::string& entrada = {})
{
    Execucao e;
    OpcoesProcesso op;
    op.arquivoSaida = pasta + "/.saida-teste";
    op.limite = std::chrono::seconds(60);
    if (!entrada.empty()) {
        Grava(pasta + "/.entrada-teste", entrada);
        op.arquivoEntrada = pasta + "/.entrada-teste";
    } else {
        op.semEntrada = true;
    }
    auto r = ExecutaProcesso(argv, op);
    e.status = r.iniciado ? r.status : -1;
    e.saida = Le(op.arquivoSaida);
    e.linhas = Linhas(e.saida);
    std::error_code ec;
    std::filesystem::remove(op.arquivoSaida, ec);
    std::filesystem::remove(pasta + "/.entrada-teste", ec);
    return e;
}

// Roda o tpc de verdade sobre `fonte`, com a unidade AUTORIA do build.
inline Execucao RodaTpc(const std::string& fonte, const std::string& pastaSaida)
{
    return Roda({TPC_EXE, std::string("/U") + DADOS_BUILD, fonte}, pastaSaida);
}

// O N de "...: Error N: ..." na linha 3 (0 quando não há).
inline int NumeroDoErro(const std::vector<std::string>& linhas)
{
    if (linhas.size() < 4)
        return 0;
    auto p = linhas[3].find(": Error ");
    if (p == std::string::npos)
        return 0;
    return std::atoi(linhas[3].c_str() + p + 8);
}

} // namespace vendrilo::teste
