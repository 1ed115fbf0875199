// Sem a libFuzzer (build comum, g++): passa cada arquivo do corpus pela
// harness, como teste de regressão. Argumentos: arquivos ou pastas.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho);

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> arquivos;
    for (int i = 1; i < argc; ++i) {
        if (fs::is_directory(argv[i])) {
            for (const auto& e : fs::directory_iterator(argv[i]))
                if (e.is_regular_file())
                    arquivos.push_back(e.path());
        } else {
            arquivos.emplace_back(argv[i]);
        }
    }
    if (arquivos.empty()) {
        std::fprintf(stderr, "nenhuma entrada do corpus encontrada\n");
        return 1;
    }
    for (const auto& a : arquivos) {
        std::ifstream in(a, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "não foi possível ler %s\n", a.c_str());
            return 1;
        }
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu entradas sem falha\n", arquivos.size());
    return 0;
}
