// Ida e volta de um algoritmo (tradução, verificação, tpc, reescrita do
// relatório) ao lado da compilação do mesmo .pas pelo fpc sozinho, com as
// mesmas opções. Meta: a ida e volta em até 1,10 vez o fpc sozinho.

#include "platform/pasta_programa.h"
#include "platform/processo.h"
#include "translate/compilacao.h"
#include "translate/tradutor.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace vendrilo;

namespace {

const char* Algoritmo =
    "{ ordena um vetor e mostra a media }\r\n"
    "DECLARE v VETOR [1..10] CONTEM-INTEIRO\r\n"
    "   i, j, aux, soma INTEIRO\r\n"
    "INICIO\r\n"
    "   PARA i DE 1 ATE 10 FACA\r\n"
    "      LEIA-PL (v[i])\r\n"
    "   FIM-PARA\r\n"
    "   PARA i DE 1 ATE 9 FACA\r\n"
    "      PARA j DE 1 ATE 10 - i FACA\r\n"
    "         SE v[j] > v[j + 1] ENTAO\r\n"
    "            aux <- v[j]\r\n"
    "            v[j] <- v[j + 1]\r\n"
    "            v[j + 1] <- aux\r\n"
    "         FIM-SE\r\n"
    "      FIM-PARA\r\n"
    "   FIM-PARA\r\n"
    "   soma <- 0\r\n"
    "   PARA i DE 1 ATE 10 FACA\r\n"
    "      soma <- soma + v[i]\r\n"
    "      MOSTRE (v[i], ' ')\r\n"
    "   FIM-PARA\r\n"
    "   MOSTRE-PL\r\n"
    "   MOSTRE-PL ('Media: ', soma / 10:0:2)\r\n"
    "FIM\r\n";

struct Ambiente {
    fs::path raiz, pasta, alg;
    Ambiente()
    {
        std::string modelo = (fs::temp_directory_path() / "bench-compilacao-XXXXXX").string();
        raiz = mkdtemp(modelo.data());
        pasta = raiz / "vendrilo";
        PreparaPastaPrograma(pasta.string(), DADOS_BUILD, TPC_EXE);
        alg = raiz / "ordena.alg";
        std::ofstream(alg, std::ios::binary) << Algoritmo;
    }
    ~Ambiente()
    {
        std::error_code ec;
        fs::remove_all(raiz, ec);
    }
};

Ambiente& ambiente()
{
    static Ambiente a;
    return a;
}

void BM_IdaEVolta(benchmark::State& state)
{
    Ambiente& a = ambiente();
    for (auto _ : state) {
        Tradutor t;
        std::string erro;
        if (!t.TraduzArquivo(a.alg.string(), erro)) {
            state.SkipWithError(erro.c_str());
            return;
        }
        EntradaCompilacao e = EntradaDe(t.estado(), {});
        e.PastaPrograma = a.pasta.string();
        ResultadoCompilacao r = CompilaPrograma(e);
        if (r.situacao != SituacaoCompilacao::Sucesso) {
            state.SkipWithError("a compilação falhou");
            return;
        }
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_IdaEVolta)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void BM_FpcSozinho(benchmark::State& state)
{
    Ambiente& a = ambiente();
    // O mesmo .pas, traduzido uma vez.
    Tradutor t;
    std::string erro;
    t.TraduzArquivo(a.alg.string(), erro);
    const fs::path obj = a.raiz / "obj";
    fs::create_directories(obj);
    const std::vector<std::string> argv = {ProcuraPrograma("fpc"), "-Mtp", "-l-", "-v0ewq", "-Se1", "-Sc-",
                                           "-Fu" + a.pasta.string(), "-FU" + obj.string(),
                                           "-o" + (a.raiz / "ordena.exe").string(), (a.raiz / "ordena.pas").string()};
    OpcoesProcesso op;
    op.arquivoSaida = (a.raiz / "saida.txt").string();
    op.errosNaSaida = true;
    for (auto _ : state) {
        ResultadoProcesso r = ExecutaProcesso(argv, op);
        if (r.status != 0) {
            state.SkipWithError("o fpc falhou");
            return;
        }
    }
}
BENCHMARK(BM_FpcSozinho)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace

BENCHMARK_MAIN();
