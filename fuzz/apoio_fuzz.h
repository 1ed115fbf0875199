#pragma once
// Apoio das harnesses: uma pasta temporária por processo e a gravação dos
// bytes de entrada num arquivo dela.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace vendrilo::fuzz {

// Apagada na saída do processo; a libFuzzer chama a harness milhões de vezes.
inline const std::filesystem::path& PastaTemporaria()
{
    static const std::filesystem::path pasta = [] {
        std::string modelo = (std::filesystem::temp_directory_path() / "vendrilo-fuzz-XXXXXX").string();
        if (!mkdtemp(modelo.data()))
            std::abort();
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(PastaTemporaria(), ec);
        });
        return std::filesystem::path(modelo);
    }();
    return pasta;
}

inline std::filesystem::path GravaEntrada(const std::string& nome, const uint8_t* dados, size_t tamanho)
{
    const auto p = PastaTemporaria() / nome;
    std::ofstream(p, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(dados), static_cast<std::streamsize>(tamanho));
    return p;
}

} // namespace vendrilo::fuzz

// Falha que a libFuzzer (e o teste comum) percebem: aborta com a causa.
#define FUZZ_CONFERE(cond)                                                                          \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: falhou: %s\n", __FILE__, __LINE__, #cond);                \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
