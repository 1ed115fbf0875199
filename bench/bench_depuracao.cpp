// Execução passo a passo pelo gdb: um passo com tudo o que os painéis
// mostram (linha, variáveis, pilha) e um teste de mesa de 10.000 passos.
// Metas: um passo bem abaixo de 50 ms; 10.000 passos em menos de 10 s.

#include "depuracao/sessao.h"
#include "depuracao/teste_mesa.h"
#include "platform/canal_processo.h"
#include "platform/pasta_programa.h"
#include "platform/ponte_depuracao.h"
#include "translate/compilacao.h"
#include "translate/leitor_linhas.h"
#include "translate/tradutor.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace vendrilo;
using namespace vendrilo::depuracao;

namespace {

// Um laço sem fim com uma rotina, um vetor e um real: todo passo tem o que ler.
const char* Algoritmo = "DECLARE v VETOR [1..10] CONTEM-INTEIRO\r\n"
                        "DECLARE i, soma INTEIRO\r\n"
                        "DECLARE media REAL\r\n"
                        "FUNCAO quadrado (PARAM-VALOR x INTEIRO) INTEIRO\r\n"
                        "DECLARE q INTEIRO\r\n"
                        "INICIO-FUNCAO\r\n"
                        "   q <- x * x\r\n"
                        "   quadrado <- q\r\n"
                        "FIM-FUNCAO\r\n"
                        "INICIO\r\n"
                        "   i <- 0\r\n"
                        "   soma <- 0\r\n"
                        "   ENQUANTO i >= 0 FACA\r\n"
                        "      i <- i MOD 10 + 1\r\n"
                        "      v[i] <- quadrado (i)\r\n"
                        "      soma <- soma + v[i]\r\n"
                        "      media <- soma / i\r\n"
                        "   FIM-ENQUANTO\r\n"
                        "FIM\r\n";

struct Ambiente {
    fs::path raiz;
    ConfigSessao config;
    PseudoTerminal pt;
    int nulo = -1;
    std::unique_ptr<PonteDepuracao> ponte;
    std::string erro;

    Ambiente()
    {
        std::string modelo = (fs::temp_directory_path() / "bench-depuracao-XXXXXX").string();
        raiz = mkdtemp(modelo.data());
        const fs::path pasta = raiz / "vendrilo";
        PreparaPastaPrograma(pasta.string(), DADOS_BUILD, TPC_EXE);
        const fs::path alg = raiz / "laco.alg";
        std::ofstream(alg, std::ios::binary) << Algoritmo;
        Tradutor t;
        if (!t.TraduzArquivo(alg.string(), erro))
            return;
        std::vector<std::string> pascal;
        LeTodasAsLinhas(t.estado().NomePas, pascal);
        EntradaCompilacao e = EntradaDe(t.estado(), {});
        e.PastaPrograma = pasta.string();
        e.InformacaoDepuracao = true;
        if (CompilaPrograma(e).situacao != SituacaoCompilacao::Sucesso) {
            erro = "a compilação falhou";
            return;
        }
        if (!AbrePseudoTerminal(pt, erro))
            return;
        nulo = open("/dev/null", O_RDWR | O_CLOEXEC);
        ponte = std::make_unique<PonteDepuracao>(pt.mestre, nulo, nulo);
        config.programa = t.estado().NomeExe;
        config.terminal = pt.nomeEscravo;
        config.declaracoes = LeDeclaracoes(pascal);
    }
    ~Ambiente()
    {
        if (ponte)
            ponte->Para();
        FechaPseudoTerminal(pt);
        if (nulo >= 0)
            close(nulo);
        std::error_code ec;
        fs::remove_all(raiz, ec);
    }
};

Ambiente& ambiente()
{
    static Ambiente a;
    return a;
}

// Da tecla aos painéis: o passo, as variáveis e a pilha.
void BM_UmPasso(benchmark::State& state)
{
    Ambiente& a = ambiente();
    Sessao s;
    std::string erro = a.erro;
    if (!erro.empty() || !s.Inicia(a.config, erro)) {
        state.SkipWithError(erro.c_str());
        return;
    }
    if (a.ponte)
        a.ponte->LiberaEntrada();
    for (auto _ : state) {
        s.PassoDentro();
        if (s.estado() != EstadoSessao::Parada) {
            state.SkipWithError(s.mensagem().c_str());
            return;
        }
        benchmark::DoNotOptimize(s.Variaveis());
        benchmark::DoNotOptimize(s.Pilha());
    }
}
BENCHMARK(BM_UmPasso)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// vendrilo-traduz --teste-de-mesa sem o terminal: 10.000 linhas registradas.
void BM_TesteDeMesa10000(benchmark::State& state)
{
    Ambiente& a = ambiente();
    for (auto _ : state) {
        Sessao s;
        std::string erro = a.erro;
        if (!erro.empty() || !s.Inicia(a.config, erro)) {
            state.SkipWithError(erro.c_str());
            return;
        }
        TesteDeMesa tabela(a.config.declaracoes);
        const ResultadoTesteMesa r = ExecutaTesteDeMesa(s, tabela, 10000);
        if (r.fim != FimTesteMesa::LimitePassos) {
            state.SkipWithError(r.mensagem.c_str());
            return;
        }
        benchmark::DoNotOptimize(tabela.Csv());
    }
}
BENCHMARK(BM_TesteDeMesa10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace

BENCHMARK_MAIN();
