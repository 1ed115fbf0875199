// Vazão do tradutor num algoritmo gerado de uns 32 MB, ao lado de uma
// contagem de palavras à moda do wc -w no mesmo arquivo, que serve de régua.
#include "translate/tradutor.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t TamanhoAlvo = 32u << 20;

// Um algoritmo plausível: declarações, laços, condições, textos e comentários.
const fs::path& algoritmoGerado()
{
    static const fs::path caminho = [] {
        const fs::path p = fs::temp_directory_path() / "vendrilo_bench_traducao.alg";
        std::ofstream f(p, std::ios::binary);
        f << "{ algoritmo gerado para medir a tradu\xE7\xE3o }\r\nDECLARE i, soma INTEIRO\r\nINICIO\r\n";
        const std::string bloco =
            "   PARA i DE 1 ATE 10 FACA\r\n"
            "      soma <- soma + i * 2 { acumula o dobro }\r\n"
            "      SE soma > 100 ENTAO\r\n"
            "         MOSTRE-PL ('Passou de cem: ', soma)\r\n"
            "      SENAO\r\n"
            "         MOSTRE (\"ainda n\xE3o\", soma)\r\n"
            "      FIM-SE\r\n"
            "   FIM-PARA\r\n"
            "   ENQUANTO soma > 0 FACA\r\n"
            "      soma <- soma DIVISAO-INTEIRA 2\r\n"
            "   FIM-ENQUANTO\r\n";
        for (std::size_t escrito = 0; escrito < TamanhoAlvo; escrito += bloco.size())
            f << bloco;
        f << "FIM\r\n";
        return p;
    }();
    return caminho;
}

// Pico de memória residente do processo, em KiB (VmHWM), ou 0 se não houver.
double picoMemoriaKiB()
{
    std::ifstream status("/proc/self/status");
    std::string chave;
    while (status >> chave) {
        if (chave == "VmHWM:") {
            double kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

void BM_TraduzAlgoritmoGrande(benchmark::State& state)
{
    const fs::path& alg = algoritmoGerado();
    const auto bytes = fs::file_size(alg);
    vendrilo::Tradutor tradutor;
    std::string erro;
    for (auto _ : state) {
        if (!tradutor.TraduzArquivo(alg.string(), erro)) {
            state.SkipWithError(erro.c_str());
            break;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["MB"] = static_cast<double>(bytes) / (1 << 20);
    state.counters["pico_MiB"] = picoMemoriaKiB() / 1024;
}
BENCHMARK(BM_TraduzAlgoritmoGrande)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Régua: lê o mesmo arquivo em blocos e conta palavras como o wc -w.
void BM_ContaPalavrasComoWc(benchmark::State& state)
{
    const fs::path& alg = algoritmoGerado();
    const auto bytes = fs::file_size(alg);
    std::string bloco(64 * 1024, '\0');
    for (auto _ : state) {
        std::FILE* f = std::fopen(alg.string().c_str(), "rb");
        if (!f) {
            state.SkipWithError("não abriu o algoritmo gerado");
            break;
        }
        std::size_t palavras = 0;
        bool dentro = false;
        std::size_t n;
        while ((n = std::fread(bloco.data(), 1, bloco.size(), f)) > 0)
            for (std::size_t i = 0; i < n; ++i) {
                const unsigned char c = static_cast<unsigned char>(bloco[i]);
                const bool espaco = c == ' ' || (c >= '\t' && c <= '\r');
                palavras += !espaco && !dentro;
                dentro = !espaco;
            }
        std::fclose(f);
        benchmark::DoNotOptimize(palavras);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ContaPalavrasComoWc)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // O algoritmo gerado e o seu programa ocupam dezenas de megabytes.
    std::error_code ignorado;
    const fs::path alg = fs::temp_directory_path(ignorado) / "vendrilo_bench_traducao.alg";
    fs::remove(alg, ignorado);
    fs::remove(fs::path(alg).replace_extension(".pas"), ignorado);
    return 0;
}
