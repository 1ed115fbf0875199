// Espaço de trabalho: partida até a primeira janela editável, abertura de
// um algoritmo de 50.000 linhas e digitação nele. Só informa os tempos.

#include "workspace/documentos.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/principal.h"
#include "workspace/splash.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

using namespace vendrilo;

namespace {

void processa()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// A partida como em main(): janela principal, abertura contando até 2500,
// primeira janela de documento com o foco no editor.
void BM_PartidaAteEditorEditavel(benchmark::State& estado)
{
    for (auto _ : estado) {
        auto* principal = new TfrmPrincipal();
        auto* abertura = new TfrmSplash;
        abertura->roda();
        principal->show();
        processa();
        TFrmFilha* filha = principal->filhaAtiva();
        if (!filha || filha->memEditor->isReadOnly())
            estado.SkipWithError("sem editor editável");
        benchmark::DoNotOptimize(filha);
        estado.PauseTiming();
        principal->close();
        delete principal;
        processa();
        estado.ResumeTiming();
    }
}
BENCHMARK(BM_PartidaAteEditorEditavel)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SoAAbertura(benchmark::State& estado)
{
    for (auto _ : estado) {
        auto* abertura = new TfrmSplash;
        abertura->roda();
        processa();
    }
}
BENCHMARK(BM_SoAAbertura)->Unit(benchmark::kMillisecond)->Iterations(5);

QString algoritmoGrande(const QTemporaryDir& pasta)
{
    const QString caminho = pasta.path() + QStringLiteral("/GRANDE.ALG");
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    QByteArray bytes = "inicio\r\n";
    for (int i = 0; i < 49998; ++i)
        bytes += "   se (x > " + QByteArray::number(i) + ") entao mostre (\"Varia\xE7\xE3o\") fim-se {coment\xE1rio}\r\n";
    bytes += "fim\r\n";
    f.write(bytes);
    return caminho;
}

void BM_AbreAlgoritmoDe50000Linhas(benchmark::State& estado)
{
    QTemporaryDir pasta;
    const QString caminho = algoritmoGrande(pasta);
    TfrmPrincipal principal;
    principal.show();
    processa();
    for (auto _ : estado) {
        TFrmFilha* filha = principal.CriaFilha(QStringLiteral("GRANDE.ALG"));
        principal.documentos().carrega(filha, caminho);
        processa(); // pinta a primeira tela (com o realce)
        if (filha->memEditor->numeroLinhas() != 50000)
            estado.SkipWithError("linhas erradas");
        estado.PauseTiming();
        filha->memEditor->setModified(false);
        principal.fechaFilha(filha);
        processa();
        estado.ResumeTiming();
    }
}
BENCHMARK(BM_AbreAlgoritmoDe50000Linhas)->Unit(benchmark::kMillisecond)->Iterations(3);

// Uma tecla no fim e no meio de um algoritmo de 50.000 linhas, até a tela ser pintada.
void BM_TeclaNoAlgoritmoGrande(benchmark::State& estado)
{
    QTemporaryDir pasta;
    const QString caminho = algoritmoGrande(pasta);
    TfrmPrincipal principal;
    principal.show();
    processa();
    TFrmFilha* filha = principal.CriaFilha(QStringLiteral("GRANDE.ALG"));
    principal.documentos().carrega(filha, caminho);
    if (estado.range(0) == 0)
        filha->memEditor->setLexer(nullptr); // régua: sem o realce
    filha->memEditor->posicionaCursor(25000, 3);
    processa();
    for (auto _ : estado) {
        QTest::keyClick(filha->memEditor, Qt::Key_X);
        processa();
    }
    filha->memEditor->setModified(false);
}
BENCHMARK(BM_TeclaNoAlgoritmoGrande)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond)->Iterations(200);

// Régua: a mesma tecla num QsciScintilla sem nada do Vendrilo (custo do próprio componente).
void BM_TeclaQsciPuro(benchmark::State& estado)
{
    QTemporaryDir pasta;
    QFile f(algoritmoGrande(pasta));
    if (!f.open(QIODevice::ReadOnly))
        estado.SkipWithError("sem arquivo");
    QsciScintilla ed;
    ed.setUtf8(true);
    ed.setText(QString::fromLatin1(f.readAll()));
    ed.resize(900, 600);
    ed.show();
    ed.setCursorPosition(25000, 3);
    processa();
    for (auto _ : estado) {
        QTest::keyClick(&ed, Qt::Key_X);
        processa();
    }
}
BENCHMARK(BM_TeclaQsciPuro)->Unit(benchmark::kMicrosecond)->Iterations(100);

// A mesma tecla num documento novo, como régua do custo de pintar a janela.
void BM_TeclaNoDocumentoNovo(benchmark::State& estado)
{
    TfrmPrincipal principal;
    principal.show();
    processa();
    TFrmFilha* filha = principal.filhaAtiva();
    filha->memEditor->posicionaCursor(9, 3);
    processa();
    for (auto _ : estado) {
        QTest::keyClick(filha->memEditor, Qt::Key_X);
        processa();
    }
    filha->memEditor->setModified(false);
}
BENCHMARK(BM_TeclaNoDocumentoNovo)->Unit(benchmark::kMicrosecond)->Iterations(200);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(TituloAplicacao());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
