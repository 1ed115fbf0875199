// Console do Executar: um programa compilado que escreve 100.000 linhas,
// do início até a última linha na tela, com o laço de eventos medido ao
// lado (maior intervalo entre batidas de um relógio de 10 ms). Meta: menos
// de 2 s, e a janela sem travar enquanto isso.

#include "console/console_vendrilo.h"
#include "platform/pasta_programa.h"
#include "translate/compilacao.h"
#include "translate/tradutor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace vendrilo;

namespace {

// INTEIRO tem 16 bits: 100 vezes 1.000 linhas.
const char* Algoritmo = "DECLARE i, j INTEIRO\r\n"
                        "INICIO\r\n"
                        "   PARA i DE 1 ATE 100 FACA\r\n"
                        "      PARA j DE 1 ATE 1000 FACA\r\n"
                        "         MOSTRE-PL ('linha n\xFAmero ', i, '.', j, ' \x80')\r\n"
                        "      FIM-PARA\r\n"
                        "   FIM-PARA\r\n"
                        "FIM\r\n";

struct Programa {
    fs::path raiz, exe;
    bool ok = false;
    Programa()
    {
        std::string modelo = (fs::temp_directory_path() / "bench-console-XXXXXX").string();
        raiz = mkdtemp(modelo.data());
        PreparaPastaPrograma((raiz / "vendrilo").string(), DADOS_BUILD, TPC_EXE);
        const fs::path alg = raiz / "cemmil.alg";
        std::ofstream(alg, std::ios::binary) << Algoritmo;
        Tradutor t;
        std::string erro;
        if (!t.TraduzArquivo(alg.string(), erro))
            return;
        EntradaCompilacao e = EntradaDe(t.estado(), {});
        e.PastaPrograma = (raiz / "vendrilo").string();
        ok = CompilaPrograma(e).situacao == SituacaoCompilacao::Sucesso;
        exe = raiz / "cemmil.exe";
    }
    ~Programa()
    {
        std::error_code ec;
        fs::remove_all(raiz, ec);
    }
};

void BM_CemMilLinhas(benchmark::State& state)
{
    static Programa p;
    if (!p.ok) {
        state.SkipWithError("a compilação falhou");
        return;
    }
    qint64 maiorIntervalo = 0, pinturas = 0;
    for (auto _ : state) {
        ConsoleVendrilo console;
        console.resize(console.sizeHint());
        console.show();
        QEventLoop laco;
        QElapsedTimer batida;
        QTimer relogio;
        relogio.setInterval(10);
        QObject::connect(&relogio, &QTimer::timeout,
                         [&] { maiorIntervalo = std::max(maiorIntervalo, batida.restart()); });
        QObject::connect(&console, &ConsoleVendrilo::terminou, &laco, &QEventLoop::quit);
        batida.start();
        relogio.start();
        if (!console.iniciaPrograma({QString::fromStdString(p.exe.string())}, {}, {})) {
            state.SkipWithError("o programa não iniciou");
            return;
        }
        laco.exec();
        console.repaint(); // a última tela pintada conta no tempo
        ++pinturas;
        bool viu = false;
        for (int l = 0; l < console.tela().linhas(); ++l)
            viu = viu || console.textoLinha(l) == QStringLiteral("linha número 100.1000 €");
        if (!viu)
            state.SkipWithError("a última linha não chegou à tela");
    }
    state.counters["maior_intervalo_ms"] = static_cast<double>(maiorIntervalo);
}
BENCHMARK(BM_CemMilLinhas)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
