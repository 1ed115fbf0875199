// Verificação da instalação com o Free Pascal de verdade: cada defeito que
// ela existe para apontar (sem compilador, pasta sem gravação, AUTORIA de
// outro compilador) aparece na sua linha, com a correção.
#include "apoio_compilacao.h"

#include "translate/diagnostico.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

using namespace vendrilo;
using namespace vendrilo::teste;
namespace fs = std::filesystem;

enum Item { Compilador, Unidades, Autoria, Pasta, Gdb, Algoritmo };

// Troca os bytes da versão no cabeçalho da unidade ("PPU207"): o compilador
// passa a recusá-la, como a de uma versão anterior do Free Pascal.
void EnvelheceAutoria(const std::string& pasta)
{
    std::fstream f(pasta + "/autoria.ppu", std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(3);
    f.write("100", 3);
    ASSERT_TRUE(f.good());
}

TEST(Diagnostico, InstalacaoCompletaPassaEmTudo)
{
    PastaProgramaTeste pasta;
    const auto v = DiagnosticaInstalacao({pasta.caminho(), DADOS_BUILD, TPC_EXE});
    ASSERT_EQ(v.size(), 6u);
    EXPECT_TRUE(TudoCerto(v)) << TextoDiagnostico(v);
    EXPECT_NE(v[Compilador].texto.find("Free Pascal 3."), std::string::npos) << v[Compilador].texto;
}

TEST(Diagnostico, SemCompiladorNoPathCadaDependenteFalhaComACorrecao)
{
    PastaTemp vazia, tmp;
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", vazia.caminho().c_str(), 1);
    const auto v = DiagnosticaInstalacao({tmp / "vendrilo", DADOS_BUILD, TPC_EXE});
    ::setenv("PATH", path.c_str(), 1);
    ASSERT_EQ(v.size(), 6u);
    for (Item i : {Compilador, Unidades, Autoria, Algoritmo}) {
        EXPECT_FALSE(v[i].ok) << v[i].texto;
        EXPECT_FALSE(v[i].correcao.empty()) << v[i].texto;
    }
    EXPECT_NE(v[Compilador].correcao.find("apt-get install fp-compiler"), std::string::npos);
    EXPECT_TRUE(v[Pasta].ok) << "a pasta nada tem a ver com o compilador";
    EXPECT_FALSE(TudoCerto(v));
    EXPECT_NE(TextoDiagnostico(v).find("FALHA Compilador Free Pascal (fpc): não encontrado no PATH.\n"
                                       "      Correção: "),
              std::string::npos);
}

TEST(Diagnostico, PastaSemGravacaoFalhaComACorrecao)
{
    // Um arquivo no lugar de uma pasta: nem root consegue gravar ali.
    PastaTemp tmp;
    std::ofstream(tmp / "arquivo") << "x";
    const std::string pasta = tmp / "arquivo/vendrilo";
    const auto v = DiagnosticaInstalacao({pasta, DADOS_BUILD, TPC_EXE});
    EXPECT_FALSE(v[Pasta].ok);
    EXPECT_NE(v[Pasta].texto.find(pasta), std::string::npos);
    EXPECT_NE(v[Pasta].correcao.find("VENDRILO_PASTA"), std::string::npos);
    EXPECT_FALSE(v[Algoritmo].ok);
}

TEST(Diagnostico, AutoriaDeOutroCompiladorERefeitaOuApontada)
{
    PastaProgramaTeste pasta;
    EnvelheceAutoria(pasta.caminho());
    // Com a fonte nos dados, a unidade é refeita e tudo passa.
    auto v = DiagnosticaInstalacao({pasta.caminho(), DADOS_BUILD, TPC_EXE});
    EXPECT_TRUE(v[Autoria].ok) << v[Autoria].texto;
    EXPECT_NE(v[Autoria].texto.find("refeita"), std::string::npos) << v[Autoria].texto;
    EXPECT_TRUE(TudoCerto(v)) << TextoDiagnostico(v);
    v = DiagnosticaInstalacao({pasta.caminho(), DADOS_BUILD, TPC_EXE});
    EXPECT_EQ(v[Autoria].texto.find("refeita"), std::string::npos) << "refeita uma vez, serve daí em diante";

    // Sem a fonte, a falha diz o que falta e como corrigir.
    EnvelheceAutoria(pasta.caminho());
    PastaTemp semFonte;
    v = DiagnosticaInstalacao({pasta.caminho(), semFonte.caminho(), TPC_EXE});
    EXPECT_FALSE(v[Autoria].ok);
    EXPECT_NE(v[Autoria].texto.find("autoria.pas"), std::string::npos) << v[Autoria].texto;
    EXPECT_NE(v[Autoria].correcao.find("reinstale"), std::string::npos);
    EXPECT_FALSE(v[Algoritmo].ok);
}

} // namespace
