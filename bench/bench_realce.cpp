// Realce de um algoritmo de 50.000 linhas: a varredura pura, a pintura do
// texto inteiro num editor de verdade e a repintura depois de uma tecla.

#include "workspace/realce/syn_highlighter_vendrilo.h"
#include "workspace/realce/varredor_realce.h"

#include <Qsci/qsciscintilla.h>
#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kLinhas = 50000;

const std::vector<std::string>& algoritmo()
{
    static const std::vector<std::string> linhas = [] {
        const char* bloco[] = {
            "{ Cálculo da média das notas",
            "  de uma turma inteira }",
            "declare nota, média, soma real",
            "declare i, quantidade inteiro",
            "inicio",
            "   soma <- 0; (* acumulador *)",
            "   para i de 1 ate quantidade faca",
            "      leia(nota)",
            "      se nota > 10.0 entao",
            "         mostre('Nota inválida: ', nota, #13#10)",
            "      senao",
            "         soma <- soma + nota // acumula",
            "      fim-se",
            "   fim-para",
            "   média <- soma / quantidade; x <- $FF + 1E5",
            "   mostre('Média: ', média:6:2)",
            "fim",
            "",
        };
        std::vector<std::string> r;
        r.reserve(kLinhas);
        for (int i = 0; i < kLinhas; ++i)
            r.emplace_back(bloco[i % std::size(bloco)]);
        return r;
    }();
    return linhas;
}

void BM_VarreAlgoritmo50000Linhas(benchmark::State& estado)
{
    const vendrilo::VarredorRealce varredor;
    std::vector<vendrilo::Ficha> fichas;
    std::size_t bytes = 0;
    for (auto _ : estado) {
        vendrilo::EstadoLinha e = vendrilo::EstadoLinha::Nenhum;
        for (const auto& l : algoritmo())
            e = varredor.varre(l, e, fichas);
        benchmark::DoNotOptimize(e);
        benchmark::DoNotOptimize(fichas.data());
    }
    for (const auto& l : algoritmo())
        bytes += l.size() + 1;
    estado.SetBytesProcessed(static_cast<int64_t>(bytes) * estado.iterations());
}
BENCHMARK(BM_VarreAlgoritmo50000Linhas)->Unit(benchmark::kMillisecond);

QString textoDoAlgoritmo()
{
    std::string t;
    for (const auto& l : algoritmo())
        t += l + "\r\n";
    return QString::fromStdString(t);
}

// Abrir e ir ao fim: o pior caso, o texto inteiro pintado de uma vez.
void BM_PintaEditor50000Linhas(benchmark::State& estado)
{
    const QString texto = textoDoAlgoritmo();
    QsciScintilla editor;
    editor.setUtf8(true);
    editor.setLexer(new vendrilo::TSynVendriloSyn(&editor));
    for (auto _ : estado) {
        estado.PauseTiming();
        editor.setText(texto);
        estado.ResumeTiming();
        editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
    }
    // O último "fim" do texto: se não estiver pintado, a medida não vale.
    int ultimoFim = kLinhas - 1;
    while (ultimoFim > 0 && algoritmo()[static_cast<std::size_t>(ultimoFim)] != "fim")
        --ultimoFim;
    const long pos = editor.positionFromLineIndex(ultimoFim, 0);
    if (editor.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, pos) !=
        vendrilo::TSynVendriloSyn::PalavraReservada)
        estado.SkipWithError("o texto não foi pintado até o fim");
}
BENCHMARK(BM_PintaEditor50000Linhas)->Unit(benchmark::kMillisecond);

// Uma tecla no meio do texto, já pintado: só a parte visível volta a ser pintada.
void BM_TeclaNoMeioDe50000Linhas(benchmark::State& estado)
{
    QsciScintilla editor;
    editor.setUtf8(true);
    editor.resize(800, 600);
    editor.setLexer(new vendrilo::TSynVendriloSyn(&editor));
    editor.setText(textoDoAlgoritmo());
    editor.setCursorPosition(kLinhas / 2, 0);
    editor.show();
    editor.grab();
    for (auto _ : estado) {
        editor.insert(QStringLiteral("{"));
        editor.grab();
        editor.SendScintilla(QsciScintillaBase::SCI_DELETEBACK);
        editor.grab();
    }
}
BENCHMARK(BM_TeclaNoMeioDe50000Linhas)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
