// A configuração enxuta que o tpc passa ao compilador de um programa gerado
// sem BIBLIOTECA: só as pastas de unidades com "*" mudam, e uma unidade
// de fora de rtl e rtl-console ainda compila (com a configuração inteira).
#include "apoio_tpc.h"
#include "configuracao.h"

#include <gtest/gtest.h>

namespace vendrilo::teste {
namespace {

struct CasoConfiguracao {
    const char* nome;
    const char* original;
    const char* enxuta; // nullptr: nada muda
};

void PrintTo(const CasoConfiguracao& c, std::ostream* os) { *os << c.nome; }

const CasoConfiguracao casosConfiguracao[] = {
    {"todos_os_pacotes", "-Fu/usr/lib/fpc/$fpcversion/units/$fpctarget/*\n",
     "-Fu/usr/lib/fpc/$fpcversion/units/$fpctarget/rtl\n-Fu/usr/lib/fpc/$fpcversion/units/$fpctarget/rtl-console\n"},
    {"recuo_crlf_e_espaco_no_fim", "#IFDEF CPUX86_64\r\n  -Fu~/pacotes/* \r\n#ENDIF\r\n",
     "#IFDEF CPUX86_64\r\n  -Fu~/pacotes/rtl\r\n  -Fu~/pacotes/rtl-console\r\n#ENDIF\r\n"},
    {"so_uma_das_linhas", "-O2\n-Fu/u/rtl\n-Fu/u/*\n-Fl/usr/lib/x86_64-*\n",
     "-O2\n-Fu/u/rtl\n-Fu/u/rtl\n-Fu/u/rtl-console\n-Fl/usr/lib/x86_64-*\n"},
    {"pasta_explicita_fica", "-Fu/u/rtl\n-Fu/u/*/x\n", nullptr},
    {"comentario_e_biblioteca_ficam", "# -Fu/u/*\n-Fl/usr/lib/*\n", nullptr},
};

class Configuracao : public ::testing::TestWithParam<CasoConfiguracao> {};

TEST_P(Configuracao, TrocaSoAsPastasDeUnidadesComAsterisco)
{
    const CasoConfiguracao& c = GetParam();
    std::string enxuta;
    EXPECT_EQ(tpc::ConfiguracaoEnxuta(c.original, enxuta), c.enxuta != nullptr);
    if (c.enxuta) {
        EXPECT_EQ(enxuta, c.enxuta);
    }
}

INSTANTIATE_TEST_SUITE_P(Linhas, Configuracao, ::testing::ValuesIn(casosConfiguracao),
                         [](const auto& i) { return std::string(i.param.nome); });

// A configuração que o compilador leria: a da pasta atual, a pessoal, a de
// PPC_CONFIG_PATH, nessa ordem.
TEST(ConfiguracaoPadrao, MesmaOrdemDeBuscaDoCompilador)
{
    PastaTemp tmp;
    Grava(tmp / "atual/fpc.cfg", "atual");
    Grava(tmp / "casa/.fpc.cfg", "casa");
    Grava(tmp / "cfg/fpc.cfg", "cfg");
    const std::filesystem::path antes = std::filesystem::current_path();
    const std::string casa = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", (tmp / "casa").c_str(), 1);
    setenv("PPC_CONFIG_PATH", (tmp / "cfg").c_str(), 1);
    std::filesystem::current_path(tmp / "atual");
    EXPECT_EQ(tpc::ConfiguracaoPadrao("/usr/bin/ppcx64"), tmp / "atual/fpc.cfg");
    std::filesystem::current_path(tmp.caminho());
    EXPECT_EQ(tpc::ConfiguracaoPadrao("/usr/bin/ppcx64"), tmp / "casa/.fpc.cfg");
    std::filesystem::remove(tmp / "casa/.fpc.cfg");
    std::string texto;
    EXPECT_TRUE(tpc::LeConfiguracaoPadrao("/usr/bin/ppcx64", texto));
    EXPECT_EQ(texto, "cfg");
    std::filesystem::current_path(antes);
    setenv("HOME", casa.c_str(), 1);
    unsetenv("PPC_CONFIG_PATH");
}

// Um programa gerado (AUTORIA sem BIBLIOTECA) que ainda assim usa uma
// unidade de outro pacote (OBJECTS, de rtl-extra) compila, e o erro de execução cita a linha do
// algoritmo pelo deslocamento passado ao ligador.
TEST(ConfiguracaoEnxuta, UnidadeDeOutroPacoteCompilaComAConfiguracaoInteira)
{
    PastaTemp tmp;
    std::string fonte = "PROGRAM Executavel;\r\n";
    for (int i = 0; i < 23; ++i)
        fonte += "\r\n";
    fonte += "USES CRT, DOS, OBJECTS, AUTORIA\r\n\r\n;\r\nVAR a, b : INTEGER;\r\nBEGIN\r\n"
             "   b := 0;\r\n   WRITELN (MaxCollectionSize > 0);\r\n   a := 10 DIV b;\r\nAUTHORS99;\r\nEND.\r\n";
    Grava(tmp / "x.pas", fonte);
    const Execucao c = RodaTpc(tmp / "x.pas", tmp.caminho());
    ASSERT_EQ(c.status, 0) << c.saida;
    const Execucao e = Roda({"/bin/sh", "-c", "exec \"$0\" 2>&1", tmp / "x.exe"}, tmp.caminho());
    EXPECT_EQ(e.status, 200);
    ASSERT_EQ(e.linhas.size(), 2u) << e.saida;
    EXPECT_EQ(e.linhas[0], "TRUE");
    // Linha 32 do Pascal; 27 linhas de moldura antes do algoritmo.
    EXPECT_EQ(e.linhas[1].rfind("Erro de execu", 0), 0u) << e.linhas[1];
    EXPECT_NE(e.linhas[1].find(" na linha 5 do algoritmo: "), std::string::npos) << e.linhas[1];
}

} // namespace
} // namespace vendrilo::teste
