// Passo a passo na janela: um passo, da ação (F8) até o editor marcado e os
// painéis de variáveis, pilha e teste de mesa repintados. Meta: menos de
// 50 ms por passo. A janela é a de verdade; o gdb e o Free Pascal também.

#include "passo/comandos_passo.h"
#include "passo/paineis_passo.h"
#include "workspace/comandos_traducao.h"
#include "workspace/documentos.h"
#include "workspace/filha.h"
#include "workspace/principal.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace vendrilo;

namespace {

// Nunca termina: cada iteração é um passo dentro do laço.
const char* Algoritmo = "DECLARE v VETOR [1..10] CONTEM-INTEIRO\r\n"
                        "DECLARE i, k, Soma INTEIRO\r\n"
                        "DECLARE nome CARACTER\r\n"
                        "INICIO\r\n"
                        "   nome <- 'passo a passo'\r\n"
                        "   k <- 1\r\n"
                        "   ENQUANTO k > 0 FACA\r\n"
                        "      PARA i DE 1 ATE 10 FACA\r\n"
                        "         v[i] <- i * k\r\n"
                        "         Soma <- Soma + v[i]\r\n"
                        "      FIM-PARA\r\n"
                        "      k <- k + 1\r\n"
                        "      SE k > 100 ENTAO\r\n"
                        "         k <- 1\r\n"
                        "         Soma <- 0\r\n"
                        "      FIM-SE\r\n"
                        "   FIM-ENQUANTO\r\n"
                        "FIM\r\n";

// Espera a janela mostrar a parada seguinte (falso depois de 30 s).
bool esperaParada(ComandosPasso* passo)
{
    QEventLoop laco;
    QTimer prazo;
    prazo.setSingleShot(true);
    bool mostrou = false;
    QObject::connect(passo, &ComandosPasso::paradaMostrada, &laco, [&] {
        mostrou = true;
        laco.quit();
    });
    QObject::connect(&prazo, &QTimer::timeout, &laco, &QEventLoop::quit);
    prazo.start(30000);
    laco.exec();
    return mostrou;
}

void BM_UmPassoNaJanela(benchmark::State& state)
{
    QTemporaryDir pasta;
    qputenv("VENDRILO_PASTA", (pasta.path() + QStringLiteral("/programa")).toUtf8());
    auto* janela = new TfrmPrincipal;
    janela->resize(1100, 720);
    janela->show();
    QApplication::processEvents();
    auto* passo = new ComandosPasso(janela, new ComandosTraducao(janela));
    const QString caminho = pasta.path() + QStringLiteral("/laco.alg");
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(Algoritmo) < 0) {
        state.SkipWithError("não gravou o algoritmo");
        return;
    }
    arquivo.close();
    janela->documentos().carrega(janela->filhaAtiva(), caminho);
    janela->acao(QStringLiteral("PassoAPasso1"))->trigger();
    if (!esperaParada(passo) || !passo->ativa()) {
        state.SkipWithError("o passo a passo não começou (gdb, Free Pascal?)");
        delete janela;
        return;
    }
    QAction* proxima = janela->acao(QStringLiteral("ProximaLinha1"));
    for (auto _ : state) {
        proxima->trigger();
        if (!esperaParada(passo)) {
            state.SkipWithError("o passo não voltou");
            break;
        }
        // A tela repintada conta no tempo.
        passo->painelVariaveis()->repaint();
        passo->painelPilha()->repaint();
        passo->painelTesteMesa()->repaint();
        janela->filhaAtiva()->repaint();
    }
    state.counters["passos"] = static_cast<double>(state.iterations());
    janela->acao(QStringLiteral("PararPasso1"))->trigger();
    delete janela;
}
BENCHMARK(BM_UmPassoNaJanela)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

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
