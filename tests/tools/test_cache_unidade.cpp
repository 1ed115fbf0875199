// A unidade de linhas que o tpc guarda já compilada na pasta do programa
// (só para algoritmos com BIBLIOTECA; os outros passam a linha ao ligador):
// o erro de execução cita a mesma linha do algoritmo com ela recém-feita,
// guardada e estragada (a entrada estragada é refeita, nunca vira erro).
#include "apoio_tpc.h"
#include "formato/texto_1252.h"

#include <gtest/gtest.h>

namespace vendrilo::teste {
namespace {

namespace fs = std::filesystem;

TEST(CacheUnidade, MesmaLinhaDoAlgoritmoComUnidadeNovaGuardadaOuEstragada)
{
    PastaTemp tmp;
    Grava(tmp / "a.alg", "biblioteca math\ndeclare a, b inteiro\ninicio\n   b <- 0\n   a <- 10 div b\nfim\n");
    const std::string prog = tmp / "prog";
    const std::string esperado =
        Para1252("Erro de execução 200 na linha 5 do algoritmo: divisão por zero.\n");
    auto compilaERoda = [&](const char* etapa) {
        const Execucao t = Roda({"env", "VENDRILO_PASTA=" + prog, TRADUZ_EXE, tmp / "a.alg"}, tmp.caminho());
        ASSERT_EQ(t.status, 0) << etapa << ": " << t.saida;
        OpcoesProcesso op;
        op.arquivoSaida = tmp / "erros.txt";
        op.semEntrada = true;
        op.limite = std::chrono::seconds(30);
        const ResultadoProcesso r =
            ExecutaProcesso({"/bin/sh", "-c", "exec \"$0\" 2>&1 >/dev/null", tmp / "a.exe"}, op);
        EXPECT_EQ(r.status, 200) << etapa;
        EXPECT_EQ(Le(op.arquivoSaida), esperado) << etapa;
    };
    auto entradas = [&] {
        std::vector<fs::path> v;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(prog + "/.tpc", ec))
            v.push_back(e.path());
        return v;
    };

    Grava(tmp / "b.alg", "declare a, b inteiro\ninicio\n   b <- 0\n   a <- 10 div b\nfim\n");
    ASSERT_EQ(Roda({"env", "VENDRILO_PASTA=" + prog, TRADUZ_EXE, tmp / "b.alg"}, tmp.caminho()).status, 0);
    EXPECT_TRUE(entradas().empty()) << "sem BIBLIOTECA, nenhuma unidade a guardar";

    compilaERoda("unidade nova");
    const auto v = entradas();
    ASSERT_EQ(v.size(), 1u);
    const fs::path objeto = v[0] / "vendrilo_linhas.o";
    ASSERT_GT(fs::file_size(objeto), 0u);

    compilaERoda("unidade guardada");
    Grava(objeto.string(), ""); // .ppu válido com .o vazio: a ligação falharia
    compilaERoda("unidade estragada");
    EXPECT_EQ(entradas().size(), 1u);
    EXPECT_GT(fs::file_size(entradas()[0] / "vendrilo_linhas.o"), 0u) << "a entrada foi refeita";
}

} // namespace
} // namespace vendrilo::teste
