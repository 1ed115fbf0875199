// A unidade AUTORIA, compilada no build, usada por programas de verdade; e
// o comando Executar sem janelas.

#include "apoio_tpc.h"

#include "platform/console.h"
#include "translate/execucao.h"

#include <gtest/gtest.h>

namespace vendrilo::teste {
namespace {

struct CasoAutoria {
    const char* nome;
    const char* expressao; // escrita com WRITELN
    const char* saida;     // esperada, sem a quebra
    int status;            // 0, ou o erro de execução do Pascal
};

void PrintTo(const CasoAutoria& c, std::ostream* os) { *os << c.nome; }

class UnidadeAutoria : public ::testing::TestWithParam<CasoAutoria> {};

TEST_P(UnidadeAutoria, ProgramaCompiladoDaOResultado)
{
    const CasoAutoria& c = GetParam();
    PastaTemp tmp;
    Grava(tmp / "p.pas", std::string("PROGRAM p;\nUSES CRT, DOS, AUTORIA;\nVAR s: STRING; i: INTEGER;\nBEGIN\n"
                                     "  s := 'x'; i := 2;\n  WRITELN(") +
                             c.expressao + ");\n  AUTHORS99;\nEND.\n");
    const Execucao t = RodaTpc(tmp / "p.pas", tmp.caminho());
    ASSERT_EQ(t.status, 0) << t.saida;
    const Execucao e = Roda({tmp / "p.exe"}, tmp.caminho());
    EXPECT_EQ(e.status, c.status);
    if (c.status == 0) {
        EXPECT_EQ(e.saida, std::string(c.saida) + "\n") << "redirecionada, a saída é só a do programa";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rotinas, UnidadeAutoria,
    ::testing::Values(
        CasoAutoria{"exp_int_base_positiva", "exp_int(2, 10)", "1024", 0},
        CasoAutoria{"exp_int_base_negativa_expoente_impar", "exp_int(-3, 3)", "-27", 0},
        CasoAutoria{"exp_int_base_negativa_expoente_par", "exp_int(-2, 4)", "16", 0},
        CasoAutoria{"exp_int_expoente_zero", "exp_int(0, 0), ' ', exp_int(-7, 0)", "1 1", 0},
        CasoAutoria{"exp_int_valor_grande", "exp_int(2, 62)", "4611686018427387904", 0},
        CasoAutoria{"exp_int_expoente_negativo", "exp_int(2, -1), ' ', exp_int(-1, -3), ' ', exp_int(1, -9)",
                    "0 -1 1", 0},
        CasoAutoria{"exp_int_menos_um_grande", "exp_int(-1, 1000001)", "-1", 0},
        CasoAutoria{"exp_int_estouro_e_erro_215", "exp_int(2, 63)", "", 215},
        CasoAutoria{"exp_int_zero_a_negativo_e_erro_200", "exp_int(0, -1)", "", 200},
        CasoAutoria{"exp_real_base_negativa_expoente_inteiro", "exp_real(-2.0, 3):0:1, ' ', exp_real(-2, -2):0:2",
                    "-8.0 0.25", 0},
        CasoAutoria{"exp_real_fracionario", "exp_real(2, 0.5):0:6, ' ', exp_real(27, 1/3):0:6", "1.414214 3.000000",
                    0},
        CasoAutoria{"exp_real_zero", "exp_real(0, 0):0:1, ' ', exp_real(0, 2.5):0:1, ' ', exp_real(5, 0):0:1",
                    "1.0 0.0 1.0", 0},
        CasoAutoria{"exp_real_valor_grande_exato", "exp_real(10, 15):0:0, ' ', exp_real(2, 100) = 1267650600228229401496703205376.0",
                    "1000000000000000 TRUE", 0},
        CasoAutoria{"exp_real_base_negativa_fracionario_e_erro_207", "exp_real(-8, 0.5):0:3", "", 207},
        CasoAutoria{"exp_real_zero_a_negativo_e_erro_200", "exp_real(0, -1):0:3", "", 200},
        CasoAutoria{"concact_dois", "CONCACT('a', 'b')", "ab", 0},
        CasoAutoria{"concact_com_variavel_e_caractere", "CONCACT(s, ' = ', 'y', CHR(65))", "x = yA", 0},
        CasoAutoria{"concact_oito", "CONCACT('1', '2', '3', '4', '5', '6', '7', '8')", "12345678", 0},
        CasoAutoria{"concact_dez", "CONCACT('a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j')", "abcdefghij", 0}),
    [](const auto& info) { return std::string(info.param.nome); });

// --- Comando Executar ---

TEST(Executar, SemProgramaPedeATraducao)
{
    PastaTemp tmp;
    bool chamou = false;
    DefineLancadorConsole([&](const PedidoConsole&) { return chamou = true; });
    const ResultadoExecucao r = ExecutaAlgoritmo(tmp / "nunca traduzido.ALG");
    DefineLancadorConsole(nullptr);
    EXPECT_FALSE(r.iniciado);
    EXPECT_EQ(r.mensagem, "O algoritmo ainda não foi traduzido. Faça a tradução para rodar.");
    EXPECT_FALSE(chamou);
}

TEST(Executar, ComProgramaAbreOConsoleENaoEspera)
{
    PastaTemp tmp;
    Grava(tmp / "soma.exe", "");
    std::vector<std::string> chamadas;
    DefineLancadorConsole([&](const PedidoConsole& p) {
        chamadas.push_back(p.programa);
        return true;
    });
    // Os três últimos caracteres trocados, seja qual for a extensão.
    const ResultadoExecucao r1 = ExecutaAlgoritmo(tmp / "soma.ALG");
    const ResultadoExecucao r2 = ExecutaAlgoritmo(tmp / "soma.xyz");
    DefineLancadorConsole([](const PedidoConsole&) { return false; });
    const ResultadoExecucao r3 = ExecutaAlgoritmo(tmp / "soma.alg");
    DefineLancadorConsole(nullptr);
    EXPECT_TRUE(r1.iniciado);
    EXPECT_TRUE(r1.mensagem.empty());
    EXPECT_TRUE(r2.iniciado);
    ASSERT_EQ(chamadas.size(), 2u) << "duas execuções, dois consoles";
    EXPECT_EQ(chamadas[0], tmp / "soma.exe");
    EXPECT_FALSE(r3.iniciado);
    EXPECT_FALSE(r3.mensagem.empty()) << "sem console o aluno fica sabendo";
}

TEST(Executar, NoTerminalAtualDevolveOCodigo)
{
    PastaTemp tmp;
    Grava(tmp / "s.pas", "PROGRAM s;\nBEGIN\n  HALT(4);\nEND.\n");
    ASSERT_EQ(RodaTpc(tmp / "s.pas", tmp.caminho()).status, 0);
    EXPECT_EQ(ExecutaNoTerminal(tmp / "s.exe"), 4);
    EXPECT_EQ(ExecutaNoTerminal(tmp / "nao.exe"), -1);
    EXPECT_EQ(NomeExeDe("/a/B.ALG"), "/a/B.exe");
}

} // namespace
} // namespace vendrilo::teste
