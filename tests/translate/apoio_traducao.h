#pragma once
// Apoio aos testes da tradução: pastas temporárias e arquivos reais.

#include "translate/tradutor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vendrilo::teste {

namespace fs = std::filesystem;

// Pasta nova e vazia por teste, dentro da pasta temporária do GoogleTest.
inline fs::path PastaDoTeste()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string nome = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : nome)
        if (c == '/')
            c = '_';
    const fs::path p = fs::path(::testing::TempDir()) / "vendrilo_traducao" / nome;
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}

inline void GravaBytes(const fs::path& p, const std::string& bytes)
{
    std::ofstream f(p, std::ios::binary);
    f << bytes;
}

inline std::string LeBytes(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// Junta linhas com CR LF (cada uma terminada).
inline std::string ComCrLf(const std::vector<std::string>& linhas)
{
    std::string s;
    for (const auto& l : linhas)
        s += l + "\r\n";
    return s;
}

// Divide a saída em linhas CR LF; falha o teste se há quebra de outro tipo.
inline std::vector<std::string> LinhasCrLf(const std::string& bytes)
{
    std::vector<std::string> linhas;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t q = bytes.find("\r\n", i);
        if (q == std::string::npos) {
            ADD_FAILURE() << "saída sem CR LF no fim";
            linhas.push_back(bytes.substr(i));
            break;
        }
        linhas.push_back(bytes.substr(i, q - i));
        i = q + 2;
    }
    return linhas;
}

// Linhas do .pas depois das 26 da moldura.
inline std::vector<std::string> CorpoDoPrograma(const std::string& pas)
{
    auto linhas = LinhasCrLf(pas);
    if (linhas.size() < 26) {
        ADD_FAILURE() << "programa com menos de 26 linhas";
        return {};
    }
    return {linhas.begin() + 26, linhas.end()};
}

// Traduz um algoritmo (bytes) com o tradutor dado e devolve as linhas do
// programa depois da moldura.
inline std::vector<std::string> TraduzCom(Tradutor& t, const fs::path& pasta, const std::string& bytes,
                                          const std::string& nome = "alg.alg")
{
    const fs::path alg = pasta / nome;
    GravaBytes(alg, bytes);
    std::string erro;
    EXPECT_TRUE(t.TraduzArquivo(alg.string(), erro)) << erro;
    return CorpoDoPrograma(LeBytes(t.estado().NomePas));
}

} // namespace vendrilo::teste
