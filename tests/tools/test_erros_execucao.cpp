// Erros de execução de algoritmos de verdade (traduzidos, compilados e
// executados): uma linha só, em português, na saída de erros, com o número
// do Turbo Pascal, a linha do algoritmo e o mesmo número como código de saída.

#include "apoio_tpc.h"
#include "formato/texto_1252.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace vendrilo::teste {
namespace {

struct CasoExecucao {
    const char* nome;
    int numero;
    int linha; // 0: o erro nasce fora do algoritmo e a mensagem não cita linha
    const char* algoritmo;
    const char* explicacao;
};

void PrintTo(const CasoExecucao& c, std::ostream* os) { *os << c.nome; }

const CasoExecucao casos[] = {
    {"arquivo_inexistente", 2, 4,
     "declare f : text;\ninicio\n   assign (f, '/nao/existe.txt');\n   reset (f);\nfim\n", "arquivo não encontrado"},
    {"caminho_inexistente", 3, 2, "inicio\n   runerror (3);\nfim\n", "caminho não encontrado"},
    {"arquivos_abertos_demais", 4, 6,
     "declare v : array [1..40] of text;\ndeclare i inteiro\ninicio\n   para i de 1 ate 40 faca\n"
     "      assign (v[i], '/dev/null');\n      reset (v[i]);\n   fim-para\nfim\n",
     "arquivos abertos demais"},
    {"acesso_negado", 5, 4, "declare f : text;\ninicio\n   assign (f, '/');\n   rewrite (f);\nfim\n",
     "acesso ao arquivo negado"},
    {"leitura_depois_do_fim", 100, 6,
     "declare g : arq integer;\ndeclare i inteiro\ninicio\n   assign (g, '/dev/null');\n   reset (g);\n"
     "   read (g, i);\nfim\n",
     "erro de leitura do disco (leitura depois do fim do arquivo)"},
    {"disco_cheio", 101, 6,
     "declare f : text;\ninicio\n   assign (f, '/dev/full');\n   rewrite (f);\n   mostre-pl (f, 'abc')\n"
     "   close (f);\nfim\n",
     "erro de gravação no disco"},
    {"arquivo_sem_nome", 102, 3, "declare f : text;\ninicio\n   reset (f);\nfim\n", "arquivo sem nome associado"},
    {"arquivo_fechado", 103, 5,
     "declare f : text;\ndeclare s literal\ninicio\n   assign (f, '/dev/null');\n   leia-pl (f, s)\nfim\n",
     "arquivo não está aberto"},
    {"leitura_de_arquivo_de_saida", 104, 6,
     "declare f : text;\ndeclare s literal\ninicio\n   assign (f, '/dev/null');\n   rewrite (f);\n"
     "   leia-pl (f, s)\nfim\n",
     "arquivo não está aberto para leitura"},
    {"escrita_em_arquivo_de_entrada", 105, 5,
     "declare f : text;\ninicio\n   assign (f, '/dev/null');\n   reset (f);\n   mostre-pl (f, 'x')\nfim\n",
     "arquivo não está aberto para gravação"},
    {"virgula_decimal_na_leitura", 106, 4, "declare x real\ninicio\n   mostre ('Nota: ')\n   leia-pl (x)\nfim\n",
     "formato numérico inválido (use ponto como separador decimal, por exemplo 8.5)"},
    {"divisao_inteira_por_zero", 200, 4, "declare a, b inteiro\ninicio\n   b <- 0\n   a <- 10 div b\nfim\n",
     "divisão por zero"},
    {"divisao_real_por_zero", 200, 4, "declare a, b real\ninicio\n   b <- 0\n   a <- 10 / b\nfim\n",
     "divisão por zero"},
    {"indice_fora_do_vetor", 201, 6,
     "{$R+}\ndeclare v : array [1..3] of integer;\ndeclare i inteiro\ninicio\n   i <- 4\n   v[i] <- 1\nfim\n",
     "valor fora da faixa permitida"},
    {"recursao_sem_fim", 202, 4,
     "{$S+}\nprocedimento p (param-valor n inteiro)\ninicio-procedimento\n   p (n + 1);\nfim-procedimento\n"
     "inicio\n   p (1);\nfim\n",
     "estouro da pilha (chamadas demais, talvez sem fim)"},
    {"memoria_esgotada", 203, 0, "declare p : pointer;\ninicio\n   getmem (p, high(ptrint));\nfim\n",
     "memória esgotada"},
    {"ponteiro_invalido", 204, 0, "inicio\n   runerror (204);\nfim\n", "operação inválida com ponteiro"},
    {"estouro_real", 205, 4, "declare x real\ninicio\n   x <- 1e300\n   x <- x * x\n   mostre-pl (x)\nfim\n",
     "estouro em operação com reais (resultado grande demais)"},
    {"real_pequeno_demais", 206, 2, "inicio\n   runerror (206);\nfim\n",
     "resultado pequeno demais em operação com reais"},
    {"raiz_de_negativo", 207, 4, "declare x real\ninicio\n   x <- -1\n   mostre-pl ( raiz (x) )\nfim\n",
     "operação inválida com reais (por exemplo, raiz de número negativo)"},
    {"estouro_inteiro", 215, 5,
     "{$Q+}\ndeclare x : int64;\ninicio\n   x <- 9223372036854775807\n   x <- x + 1\n   mostre-pl (x)\nfim\n",
     "estouro em operação aritmética"},
    {"ponteiro_nulo", 216, 4, "declare p : ^integer;\ninicio\n   p <- nil\n   p^ <- 1\nfim\n",
     "acesso inválido à memória"},
    {"com_biblioteca", 200, 5, "biblioteca math\ndeclare a, b inteiro\ninicio\n   b <- 0\n   a <- 10 div b\nfim\n",
     "divisão por zero"},
};

class ErroExecucao : public ::testing::TestWithParam<CasoExecucao> {};

TEST_P(ErroExecucao, UmaLinhaEmPortuguesNaLinhaDoAlgoritmo)
{
    const CasoExecucao& c = GetParam();
    PastaTemp tmp;
    Grava(tmp / "a.alg", c.algoritmo);
    const Execucao t = Roda({"env", "VENDRILO_PASTA=" + (tmp / "prog"), TRADUZ_EXE, tmp / "a.alg"}, tmp.caminho());
    ASSERT_EQ(t.status, 0) << t.saida;

    OpcoesProcesso op;
    op.arquivoSaida = tmp / "erros.txt";
    op.limite = std::chrono::seconds(30);
    Grava(tmp / "entrada.txt", "8,5\n");
    op.arquivoEntrada = tmp / "entrada.txt";
    // Poucos descritores: "arquivos abertos demais" chega logo.
    const ResultadoProcesso r =
        ExecutaProcesso({"/bin/sh", "-c", "ulimit -n 20; exec \"$0\" 2>&1 >/dev/null", tmp / "a.exe"}, op);
    ASSERT_TRUE(r.iniciado);
    EXPECT_EQ(r.status, c.numero);
    const std::string linha = c.linha ? " na linha " + std::to_string(c.linha) + " do algoritmo" : "";
    EXPECT_EQ(Le(op.arquivoSaida), Para1252("Erro de execução " + std::to_string(c.numero) + linha +
                                                         ": " + c.explicacao + ".\n"));
}

INSTANTIATE_TEST_SUITE_P(Numeros, ErroExecucao, ::testing::ValuesIn(casos),
                         [](const auto& info) { return std::string(info.param.nome); });

// O ARREDONDA do Turbo Pascal e a saída longa para um pipe numa linha só.
TEST(AutoriaTurboPascal, ArredondaMetadesParaLongeDoZeroENaoQuebraNaColuna80)
{
    PastaTemp tmp;
    Grava(tmp / "a.alg", "inicio\n   mostre-pl ( arredonda (2.5), ' ', arredonda (-2.5), ' ', arredonda (0.5), ' ',"
                         " arredonda (1.4999), ' ', arredonda (-0.5) )\n"
                         "   mostre-pl ('" + std::string(85, 'x') + "')\nfim\n");
    const Execucao t = Roda({"env", "VENDRILO_PASTA=" + (tmp / "prog"), TRADUZ_EXE, tmp / "a.alg"}, tmp.caminho());
    ASSERT_EQ(t.status, 0) << t.saida;
    const Execucao e = Roda({tmp / "a.exe"}, tmp.caminho());
    EXPECT_EQ(e.status, 0);
    EXPECT_EQ(e.saida, "3 -3 1 1 -1\n" + std::string(85, 'x') + "\n");
}

} // namespace
} // namespace vendrilo::teste
