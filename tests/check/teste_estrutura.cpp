// Verificação da estrutura: cada teste nos dois sentidos, combinações e resumo.

#include "check/estrutura.h"
#include "formato/texto_1252.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace vendrilo {
namespace {

// Contadores de um algoritmo completo e equilibrado: INICIO ... FIM.
ContadoresTipos Equilibrado()
{
    ContadoresTipos c{};
    c[Tipo::Inicio] = 1;
    c[Tipo::Fim] = 1;
    return c;
}

ContadoresTipos Com(std::initializer_list<std::pair<int, int>> valores)
{
    ContadoresTipos c = Equilibrado();
    for (auto [tipo, n] : valores)
        c[tipo] = n;
    return c;
}

struct CasoTeste {
    const char* nome;
    ContadoresTipos contadores;
    int teste;             // número do teste que deve falhar
    const char* mensagem;  // texto depois de "   1" (UTF-8)
    int pagina;
};

void PrintTo(const CasoTeste& c, std::ostream* os) { *os << c.nome; }

class UmErro : public ::testing::TestWithParam<CasoTeste> {};

TEST_P(UmErro, ProduzUmaLinhaNumeradaComSuaPagina)
{
    const CasoTeste& caso = GetParam();
    const ResultadoEstrutura r = VerificaEstrutura(caso.contadores);
    ASSERT_EQ(r.TotalErros, 1);
    ASSERT_EQ(r.ErrosSintaxe.size(), 3u);
    EXPECT_EQ(De1252(r.ErrosSintaxe[0]),
              "O algoritmo não foi traduzido em função dos seguintes erros de sintaxe de comandos:");
    EXPECT_EQ(r.ErrosSintaxe[1], " ");
    EXPECT_EQ(De1252(r.ErrosSintaxe[2]), std::string("   1") + caso.mensagem);
    ASSERT_EQ(r.TipoErroLinha.size(), 3u);
    EXPECT_EQ(r.TipoErroLinha[0], 0);
    EXPECT_EQ(r.TipoErroLinha[1], 0);
    EXPECT_EQ(r.TipoErroLinha[2], caso.pagina);
    EXPECT_EQ(r.IndiceErro, 2);
    EXPECT_EQ(r.ListaErros, std::vector<int>{caso.teste});
}

using namespace Tipo;

const CasoTeste kUmErro[] = {
    {"t1_sem_inicio", Com({{Inicio, 0}}), 1,
     ". Está faltando o marcador de bloco de INICIO do algoritmo.", 1},
    {"t2_dois_inicio", Com({{Inicio, 2}}), 2,
     ". Existe mais de uma ocorrencia do marcador de bloco de INICIO do algoritmo.", 1},
    {"t3_sem_fim", Com({{Fim, 0}}), 3, ". Está faltando o marcador de bloco de FIM do algoritmo.", 2},
    {"t4_tres_fim", Com({{Fim, 3}}), 4,
     ". Existe mais de uma ocorrencia do marcador de bloco de FIM do algoritmo.", 2},
    {"t5_menor_se_sem_entao", Com({{Se, 1}, {FimSe, 1}}), 5,
     ". Existe algum comando SE que não possui a expressão ENTAO.", 3},
    {"t5_maior_entao_sem_se", Com({{Se, 1}, {Entao, 2}, {FimSe, 1}}), 5,
     ". Existe alguma expressão ENTAO que não possui o comando SE.", 3},
    {"t6_menor_se_sem_fimse", Com({{Se, 2}, {Entao, 2}, {FimSe, 1}}), 6,
     ". Existe algum comando SE que não possui a finalização FIM-SE.", 3},
    {"t6_maior_fimse_sem_se", Com({{Se, 1}, {Entao, 1}, {FimSe, 2}}), 6,
     ". Existe alguma finalização FIM-SE que não possui o comando SE.", 3},
    {"t7_dois_senao_um_se", Com({{Se, 1}, {Entao, 1}, {FimSe, 1}, {Senao, 2}}), 7,
     ". Existe alguma expresssão SENAO que não possui o comando SE.", 3},
    {"t8_menor_sem_fimenquanto", Com({{Enquanto, 1}, {FacaEnquanto, 1}}), 8,
     ". Existe algum comando ENQUANTO que não possui a finalização FIM-ENQUANTO.", 4},
    {"t8_maior_fimenquanto_sobrando", Com({{Enquanto, 1}, {FacaEnquanto, 1}, {FimEnquanto, 2}}), 8,
     ". Existe alguma finalização FIM-ENQUANTO que não possui o comando ENQUANTO.", 4},
    {"t9_menor_enquanto_sem_faca", Com({{Enquanto, 1}, {FimEnquanto, 1}}), 9,
     ". Existe algum comando ENQUANTO que não possui a expressão FACA.", 4},
    {"t9_maior_faca_sobrando", Com({{Enquanto, 1}, {FacaEnquanto, 2}, {FimEnquanto, 1}}), 9,
     ". Existe alguma expressão FACA que não possui o comando ENQUANTO.", 4},
    {"t10_menor_repita_sem_ateque", Com({{Repita, 1}}), 10,
     ". Existe algum comando REPITA que não possui a finalização ATE-QUE.", 5},
    {"t10_maior_ateque_sobrando", Com({{AteQue, 1}}), 10,
     ". Existe alguma finalização ATE-QUE que não possui o comando REPITA.", 5},
    {"t11_menor_para_sem_de",
     Com({{Para, 1}, {AteCrescente, 1}, {FacaPara, 1}, {FimPara, 1}}), 11,
     ". Existe algum comando PARA que não possui a expressão DE.", 6},
    {"t11_maior_de_sobrando",
     Com({{Para, 1}, {De, 2}, {AteCrescente, 1}, {FacaPara, 1}, {FimPara, 1}}), 11,
     ". Existe alguma expressão DE que não possui o comando PARA.", 6},
    {"t12_menor_para_sem_ate", Com({{Para, 1}, {De, 1}, {FacaPara, 1}, {FimPara, 1}}), 12,
     ". Existe algum comando PARA que não possui a expressão ATE ou ATE-DECRESCENDO.", 6},
    {"t12_maior_ate_somado",
     Com({{Para, 1}, {De, 1}, {AteCrescente, 1}, {AteDecrescente, 1}, {FacaPara, 1}, {FimPara, 1}}),
     12, ". Existe alguma expressão ATE ou ATE-DESCRESCENDO que não possui o comando PARA.", 6},
    {"t13_menor_para_sem_faca", Com({{Para, 1}, {De, 1}, {AteCrescente, 1}, {FimPara, 1}}), 13,
     ". Existe algum comando PARA que não possui a expressão FACA.", 6},
    {"t13_maior_faca_sobrando",
     Com({{Para, 1}, {De, 1}, {AteCrescente, 1}, {FacaPara, 2}, {FimPara, 1}}), 13,
     ". Existe alguma expressão FACA que não possui o comando PARA.", 6},
    {"t14_menor_para_sem_fimpara", Com({{Para, 1}, {De, 1}, {AteDecrescente, 1}, {FacaPara, 1}}), 14,
     ". Existe algum comando PARA que não possui a finalização FIM-PARA.", 6},
    {"t14_maior_fimpara_sobrando",
     Com({{Para, 1}, {De, 1}, {AteDecrescente, 1}, {FacaPara, 1}, {FimPara, 2}}), 14,
     ". Existe alguma finalização FIM-PARA que não possui o comando PARA.", 6},
    {"t15_menor_selecione_sem_fim", Com({{Selecione, 1}, {Caso, 2}}), 15,
     ". Existe algum comando SELECIONE que não possui a finalização FIM-SELECIONE.", 7},
    {"t15_maior_fimselecione_sobrando", Com({{Selecione, 1}, {FimSelecione, 2}}), 15,
     ". Existe alguma finalização FIM-SELECIONE que não possui o comando SELECIONE.", 7},
    {"t16_caso_sem_selecione", Com({{Caso, 1}}), 16,
     ". Existe alguma expressão CASO que não tem comando SELECIONE.", 7},
    {"t17_casocontrario_sem_selecione", Com({{CasoContrario, 1}}), 17,
     ". Existe alguma expressão CASO-CONTRARIO que não tem comando SELECIONE.", 7},
    {"t18_menor_como_sem_fim", Com({{Como, 2}, {FimComo, 1}}), 18,
     ". Existe alguma estrutura do comando COMO que não tem o marcador de FIM-COMO.", 8},
    {"t18_maior_fimcomo_sobrando", Com({{FimComo, 1}}), 18,
     ". Existe algum marcador de FIM-COMO que não tem o cabeçalho do comando COMO.", 8},
    {"t19_menor_proc_sem_inicio", Com({{Procedimento, 1}, {FimProcedimento, 1}}), 19,
     ". Existe algum PROCEDIMENTO que não tem o marcador de INICIO-PROCEDIMENTO.", 9},
    {"t19_maior_inicioproc_sobrando",
     Com({{Procedimento, 1}, {InicioProcedimento, 2}, {FimProcedimento, 1}}), 19,
     ". Existe algum marcador de INICIO-PROCEDIMENTO que não tem o cabeçalho de PROCEDIMENTO.", 9},
    {"t20_menor_proc_sem_fim", Com({{Procedimento, 1}, {InicioProcedimento, 1}}), 20,
     ". Existe algum PROCEDIMENTO que não tem o marcador de FIM-PROCEDIMENTO.", 9},
    {"t20_maior_fimproc_sobrando",
     Com({{Procedimento, 1}, {InicioProcedimento, 1}, {FimProcedimento, 2}}), 20,
     ". Existe algum marcador de FIM-PROCEDIMENTO que não tem o cabeçalho de PROCEDIMENTO.", 9},
    {"t21_menor_funcao_sem_inicio", Com({{Funcao, 1}, {FimFuncao, 1}}), 21,
     ". Existe alguma FUNCAO que não tem o marcador de INICIO-FUNCAO.", 10},
    {"t21_maior_iniciofuncao_sobrando", Com({{Funcao, 1}, {InicioFuncao, 2}, {FimFuncao, 1}}), 21,
     ". Existe algum marcador de INICIO-FUNCAO que não tem o cabeçalho de FUNCAO.", 10},
    {"t22_menor_funcao_sem_fim", Com({{Funcao, 1}, {InicioFuncao, 1}}), 22,
     ". Existe alguma FUNCAO que não tem o marcador de FIM-FUNCAO.", 10},
    {"t22_maior_fimfuncao_sobrando", Com({{Funcao, 1}, {InicioFuncao, 1}, {FimFuncao, 2}}), 22,
     ". Existe algum marcador de FIM-FUNCAO que não tem o cabeçalho de FUNCAO.", 10},
};

INSTANTIATE_TEST_SUITE_P(CadaTeste, UmErro, ::testing::ValuesIn(kUmErro),
                         [](const auto& info) { return std::string(info.param.nome); });

struct CasoEquilibrado {
    const char* nome;
    ContadoresTipos contadores;
};

void PrintTo(const CasoEquilibrado& c, std::ostream* os) { *os << c.nome; }

class SemErro : public ::testing::TestWithParam<CasoEquilibrado> {};

TEST_P(SemErro, SoCabecalhoELinhaEmBranco)
{
    const ResultadoEstrutura r = VerificaEstrutura(GetParam().contadores);
    EXPECT_EQ(r.TotalErros, 0);
    EXPECT_EQ(r.ErrosSintaxe.size(), 2u);
    EXPECT_EQ(r.TipoErroLinha, (std::vector<int>{0, 0}));
    EXPECT_TRUE(r.ListaErros.empty());
    EXPECT_EQ(r.IndiceErro, 1);
    EXPECT_EQ(TextoResumoEstrutura(r.TotalErros), "");
}

const CasoEquilibrado kEquilibrados[] = {
    {"so_inicio_e_fim", Equilibrado()},
    {"se_sem_senao", Com({{Se, 1}, {Entao, 1}, {FimSe, 1}})},
    {"se_com_um_senao", Com({{Se, 2}, {Entao, 2}, {FimSe, 2}, {Senao, 1}})},
    // ENQUANTO dentro de PARA: cada FACA contado pelo cabeçalho anterior.
    {"enquanto_dentro_de_para",
     Com({{Para, 1}, {De, 1}, {AteCrescente, 1}, {FacaPara, 1}, {FimPara, 1}, {Enquanto, 1},
          {FacaEnquanto, 1}, {FimEnquanto, 1}})},
    {"para_decrescente",
     Com({{Para, 1}, {De, 1}, {AteDecrescente, 1}, {FacaPara, 1}, {FimPara, 1}})},
    {"repita_ate_que_nao_conta_como_ate", Com({{Repita, 2}, {AteQue, 2}})},
    {"dois_selecione_varios_caso",
     Com({{Selecione, 2}, {Caso, 7}, {CasoContrario, 1}, {FimSelecione, 2}})},
    {"procedimento_e_funcao_completos",
     Com({{Procedimento, 2}, {InicioProcedimento, 2}, {FimProcedimento, 2}, {Funcao, 1},
          {InicioFuncao, 1}, {FimFuncao, 1}, {Como, 1}, {FimComo, 1}})},
    // INICIO-PROCEDIMENTO e INICIO-FUNCAO têm tipos próprios: não contam como INICIO.
    {"inicio_procedimento_nao_e_inicio",
     Com({{Procedimento, 1}, {InicioProcedimento, 1}, {FimProcedimento, 1}})},
    // Contadores desconhecidos pela verificação não a afetam.
    {"outros_tipos_ignorados", Com({{3, 9}, {54, 4}, {150, 1}, {250, 7}})},
};

INSTANTIATE_TEST_SUITE_P(Equilibrados, SemErro, ::testing::ValuesIn(kEquilibrados),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(Combinacoes, SoDeclaracoesDaDuasMensagensNumeradas)
{
    const ResultadoEstrutura r = VerificaEstrutura(ContadoresTipos{});
    ASSERT_EQ(r.TotalErros, 2);
    ASSERT_EQ(r.ErrosSintaxe.size(), 4u);
    EXPECT_EQ(De1252(r.ErrosSintaxe[2]),
              "   1. Está faltando o marcador de bloco de INICIO do algoritmo.");
    EXPECT_EQ(De1252(r.ErrosSintaxe[3]),
              "   2. Está faltando o marcador de bloco de FIM do algoritmo.");
    EXPECT_EQ(r.TipoErroLinha, (std::vector<int>{0, 0, 1, 2}));
    EXPECT_EQ(r.IndiceErro, 3);
    EXPECT_EQ(De1252(TextoResumoEstrutura(r.TotalErros)),
              "Atenção!!! O algoritmo apresenta 2 erros de estrutura nos comandos básicos. Será "
              "apresentada uma lista com estes erros, basta clicar na linha numerada com a "
              "mensagem para ver a sintaxe correta do comando.");
}

TEST(Combinacoes, FacaAntesDoEnquantoContaParaOPara)
{
    // O tradutor conta o FACA como de PARA quando nenhum laço foi visto ainda.
    const ResultadoEstrutura r =
        VerificaEstrutura(Com({{Enquanto, 1}, {FimEnquanto, 1}, {FacaPara, 1}}));
    EXPECT_EQ(r.ListaErros, (std::vector<int>{9, 13}));
    ASSERT_EQ(r.ErrosSintaxe.size(), 4u);
    EXPECT_EQ(De1252(r.ErrosSintaxe[2]),
              "   1. Existe algum comando ENQUANTO que não possui a expressão FACA.");
    EXPECT_EQ(De1252(r.ErrosSintaxe[3]),
              "   2. Existe alguma expressão FACA que não possui o comando PARA.");
    EXPECT_EQ(r.TipoErroLinha, (std::vector<int>{0, 0, 4, 6}));
}

TEST(Combinacoes, CasoSemSelecioneSoAcusaFimSelecioneQuandoHaFimSelecione)
{
    EXPECT_EQ(VerificaEstrutura(Com({{Caso, 2}})).ListaErros, (std::vector<int>{16}));
    EXPECT_EQ(VerificaEstrutura(Com({{Caso, 2}, {FimSelecione, 1}})).ListaErros,
              (std::vector<int>{15, 16}));
}

TEST(Combinacoes, TodosOsTestesPossiveisNumeradosEmOrdemComSuasPaginas)
{
    // Cada contador do lado esquerdo sobra: das 22 mensagens só ficam de fora
    // uma de INICIO e uma de FIM, que se excluem.
    ContadoresTipos c{};
    c[Inicio] = 2;
    c[Fim] = 0;
    for (int t : {Entao, FimSe, Senao, FimEnquanto, FacaEnquanto, AteQue, De, AteCrescente,
                  FacaPara, FimPara, FimSelecione, Caso, CasoContrario, FimComo,
                  InicioProcedimento, FimProcedimento, InicioFuncao, FimFuncao})
        c[t] = 1;
    const ResultadoEstrutura r = VerificaEstrutura(c);
    const std::vector<int> esperados{2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13,
                                     14, 15, 16, 17, 18, 19, 20, 21, 22};
    EXPECT_EQ(r.ListaErros, esperados);
    ASSERT_EQ(r.TotalErros, static_cast<int>(esperados.size()));
    const std::vector<int> paginas{0, 0, 1, 2, 3, 3, 3, 4, 4, 5, 6, 6,
                                   6, 6, 7, 7, 7, 8, 9, 9, 10, 10};
    EXPECT_EQ(r.TipoErroLinha, paginas);
    for (int i = 0; i < r.TotalErros; ++i) {
        const std::string prefixo = "   " + std::to_string(i + 1) + ". ";
        EXPECT_EQ(r.ErrosSintaxe[2 + i].rfind(prefixo, 0), 0u) << r.ErrosSintaxe[2 + i];
    }
    EXPECT_EQ(r.IndiceErro, r.TotalErros + 1);
    EXPECT_LE(r.IndiceErro, CapacidadeListaErros);
}

TEST(Combinacoes, TextosGuardadosEmWindows1252)
{
    const ResultadoEstrutura r = VerificaEstrutura(Com({{Inicio, 0}}));
    // "Está": o "á" é o byte 0xE1, um só byte.
    EXPECT_NE(r.ErrosSintaxe[2].find("Est\xE1 faltando"), std::string::npos);
}

TEST(Combinacoes, ContadoresEnormesNaoDaoAVolta)
{
    ContadoresTipos c = Equilibrado();
    c[Para] = 1;
    c[De] = 1;
    c[FacaPara] = 1;
    c[FimPara] = 1;
    c[AteCrescente] = 2147483647;
    c[AteDecrescente] = 1;
    EXPECT_EQ(VerificaEstrutura(c).ListaErros, std::vector<int>{12});
}

TEST(Combinacoes, PilhaQueNaoExplicaAsContagensNaoApontaLinha)
{
    const ContadoresTipos c = Com({{Se, 3}, {Entao, 3}, {FimSe, 2}}); // falta um FIM-SE
    LocaisFalhas locais;
    locais.valido = true;
    locais.porTeste[6][0] = {7, 1};
    EXPECT_EQ(VerificaEstrutura(c, locais).LinhaAlgoritmo, (std::vector<int>{0, 0, 7}));
    locais.porTeste[6][0] = {7, 2}; // dois SE abertos para uma diferença de um
    EXPECT_EQ(VerificaEstrutura(c, locais).LinhaAlgoritmo, (std::vector<int>{0, 0, 0}));
    locais.valido = false;
    locais.porTeste[6][0] = {7, 1};
    EXPECT_EQ(VerificaEstrutura(c, locais).LinhaAlgoritmo, (std::vector<int>{0, 0, 0}));
}

TEST(Resumo, SingularComUmErro)
{
    EXPECT_EQ(De1252(TextoResumoEstrutura(1)),
              "Atenção!!! O algoritmo apresenta 1 erro de estrutura nos comandos básicos. Será "
              "apresentada uma lista com estes erros, basta clicar na linha numerada com a "
              "mensagem para ver a sintaxe correta do comando.");
    EXPECT_EQ(TextoResumoEstrutura(0), "");
}

TEST(Zera, LimpaContadoresELista)
{
    ContadoresTipos c = Com({{Se, 3}});
    c[251] = 5;
    ResultadoEstrutura r = VerificaEstrutura(c);
    ASSERT_GT(r.TotalErros, 0);
    ZeraContadores(c, r);
    EXPECT_EQ(c, ContadoresTipos{});
    EXPECT_TRUE(r.ErrosSintaxe.empty());
    EXPECT_TRUE(r.TipoErroLinha.empty());
    EXPECT_TRUE(r.ListaErros.empty());
    EXPECT_EQ(r.TotalErros, 0);
    EXPECT_EQ(r.IndiceErro, 0);
}

} // namespace
} // namespace vendrilo
