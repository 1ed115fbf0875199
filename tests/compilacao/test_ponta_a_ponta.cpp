// Algoritmos de um primeiro curso de programação, traduzidos, compilados
// pelo Free Pascal e executados com uma entrada; e algoritmos com erro, que
// voltam com a mensagem em português na linha do próprio algoritmo.

#include "apoio_compilacao.h"

#include "formato/texto_1252.h"

#include <filesystem>

namespace vendrilo::teste {
namespace {

namespace fs = std::filesystem;

struct CasoBom {
    const char* nome;     // algoritmos/<nome>.alg
    const char* entrada;
    const char* saida;    // UTF-8; o programa escreve Windows-1252
};

void PrintTo(const CasoBom& c, std::ostream* os) { *os << c.nome; }

const CasoBom bons[] = {
    {"media_tres_notas", "7 8 9.5\n", "Notas: Média: 8.17\n"},
    {"fatorial", "10\n", "10! = 3628800\n"},
    {"fibonacci", "10\n", "0 1 1 2 3 5 8 13 21 34 \n"},
    {"tabuada", "7\n",
     "7 x 1 = 7\n7 x 2 = 14\n7 x 3 = 21\n7 x 4 = 28\n7 x 5 = 35\n7 x 6 = 42\n7 x 7 = 49\n7 x 8 = 56\n"
     "7 x 9 = 63\n7 x 10 = 70\n"},
    {"maior_de_tres", "3 9 4\n", "Maior: 9\n"},
    {"vetor_ordenado", "5\n3\n9\n1\n7\n", "1 3 5 7 9 \n"},
    {"troca_referencia", "1 2\n", "x = 2, y = 1\n"},
    {"funcao_cubo", "", "1 8 27 64 \n"},
    {"selecione_dia", "7\n", "sábado\n"},
    {"repita_soma", "4\n5\n0\n", "Soma: 9\n"},
    {"contagem_regressiva", "", "5 4 3 2 1 fogo!\n"},
    {"biblioteca_math", "3 8\n", "Maior: 8\n"},
    {"constante_circulo", "2\n", "Área: 12.566\n"},
    {"tipo_vetor", "6\n7\n8\n9\n", "Média: 7.5\n"},
    {"registro_aluno", "Ana\n9.5\n", "Ana tirou 9.5 (9)\n"},
    {"enquanto_dobro", "40\n", "1 2 4 8 16 32 \n"},
    {"par_impar", "7\n", "7 é ímpar\n"},
    {"potencias", "-3 3\n", "-27\n1.4142 -8.0\n"},
    {"concatenar", "Ana\nSilva\n", "Silva, Ana. tem 11 letras\n"},
    {"matriz_soma", "", "Soma: 18\n"},
    {"conta_vogais", "Ola Mundo Azul\n", "Vogais: 6\n"},
    {"primo", "97\n", "97 é primo\n"},
    {"acima_da_media", "1 2 3 4 5 6\n", "Média 3.50, acima: 3\n"},
    {"temperatura", "100\n", "100.0 C = 212.0 F\nRaiz de f: 14.560\n"},
    {"mdc", "84 36\n", "MDC = 12\n"},
};

// Uma pasta do programa preparada por suíte, e não a cada caso.
template <typename Caso>
class ComPastaPrograma : public ::testing::TestWithParam<Caso> {
protected:
    static void SetUpTestSuite() { pasta_ = new PastaProgramaTeste; }
    static void TearDownTestSuite()
    {
        delete pasta_;
        pasta_ = nullptr;
    }
    static inline PastaProgramaTeste* pasta_ = nullptr;
};

class AlgoritmoBom : public ComPastaPrograma<CasoBom> {};

TEST_P(AlgoritmoBom, TraduzCompilaERodaComASaidaExata)
{
    const CasoBom& c = GetParam();
    PastaTemp trabalho;
    const std::string alg = trabalho / (std::string(c.nome) + ".alg");
    fs::copy_file(std::string(ALGORITMOS) + "/" + c.nome + ".alg", alg);
    const ResultadoCompilacao r = TraduzECompila(alg, pasta_->caminho());
    ASSERT_EQ(r.situacao, SituacaoCompilacao::Sucesso)
        << r.mensagem << (r.LinhasErro.empty() ? "" : r.LinhasErro[0]);
    const std::string exe = trabalho / (std::string(c.nome) + ".exe");
    EXPECT_TRUE(Existe(exe));
    EXPECT_TRUE(Existe(trabalho / (std::string(c.nome) + ".pif")));
    EXPECT_FALSE(Existe(trabalho / (std::string(c.nome) + ".pas"))) << "sem xpas.xno o .pas sai";
    EXPECT_FALSE(Existe(pasta_->caminho() + "/ArquiTmp.tmp"));
    const Execucao e = Roda({exe}, trabalho.caminho(), c.entrada);
    EXPECT_EQ(e.status, 0);
    EXPECT_EQ(e.saida, Para1252(c.saida));
}

INSTANTIATE_TEST_SUITE_P(PrimeiroCurso, AlgoritmoBom, ::testing::ValuesIn(bons),
                         [](const auto& info) { return std::string(info.param.nome); });

struct CasoErro {
    const char* nome;     // algoritmos/erros/<nome>.alg
    int linha;            // linha do algoritmo (base 1)
    const char* mensagem; // UTF-8: ": Erro N: texto" que fecha a linha 3
};

void PrintTo(const CasoErro& c, std::ostream* os) { *os << c.nome; }

const CasoErro quebrados[] = {
    {"variavel_nao_declarada", 5, ": Erro 3: Identificador desconhecido - verifique a declaração da variável."},
    {"literal_em_inteiro", 4, ": Erro 26: Tipos incompatíveis - verifique os tipos das variáveis envolvidas."},
    {"constante_alterada", 6, ": Erro 122: Referência inválida à variável."},
    {"declaracao_repetida", 4, ": Erro 4: Identificador repetido (declaração da variável já existente)."},
    {"leitura_de_constante", 5, ": Erro 20: Identificador de variável esperado."},
    {"para_com_real", 4, ": Erro 97: Variável de controle do PARA inválida."},
    {"condicao_nao_logica", 5, ": Erro 40: Expressão tipo lógica esperada."},
    {"resto_de_real", 6, ": Erro 41: Tipo do operando não corresponde ao tipo do operador."},
    {"divisao_por_zero", 4, ": Erro 62: Divisão por zero."},
    {"mostra_registro", 9, ": Erro 64: Impossível usar variáveis tipo leia ou mostre. "},
    {"indice_fora_do_vetor", 5, ": Erro 76: Constante fora do limite."},
    {"procedimento_desconhecido", 5, ": Erro 3: Identificador desconhecido - verifique a declaração da variável."},
    {"falta_operador", 6, ": Erro 85: Final de linha esperado."},
    {"caso_de_outro_tipo", 6, ": Erro 74: Tipos incompatíveis entre o seletor e as constantes do CASO."},
    {"campo_inexistente", 8, ": Erro 44: Identificador de campo esperado. "},
    {"igual_no_lugar_da_seta", 4, ": Erro 91: \"<-\" esperado."},
    {"expressao_incompleta", 5, ": Erro 42: Erro na expressão."},
    {"funcao_com_argumento_errado", 6, ": Erro 26: Tipos incompatíveis - verifique os tipos das variáveis envolvidas."},
};

class AlgoritmoQuebrado : public ComPastaPrograma<CasoErro> {};

TEST_P(AlgoritmoQuebrado, VoltaEmPortuguesNaLinhaDoAlgoritmo)
{
    const CasoErro& c = GetParam();
    PastaTemp trabalho;
    const std::string alg = trabalho / (std::string(c.nome) + ".alg");
    fs::copy_file(std::string(ALGORITMOS) + "/erros/" + c.nome + ".alg", alg);
    const ResultadoCompilacao r = TraduzECompila(alg, pasta_->caminho());
    ASSERT_EQ(r.situacao, SituacaoCompilacao::ErroCompilacao) << r.mensagem;
    ASSERT_EQ(r.LinhasErro.size(), 3u);
    const std::string esperado = alg.substr(0, alg.size() - 3) + "ALG(" + std::to_string(c.linha) + ")" +
                                 Para1252(c.mensagem);
    EXPECT_EQ(r.LinhasErro[0], esperado);
    const auto linhas = LinhasDoAlgoritmo(alg);
    EXPECT_EQ(r.LinhasErro[1], linhas.at(static_cast<std::size_t>(c.linha - 1)));
    EXPECT_NE(r.LinhasErro[2].find('^'), std::string::npos);
    EXPECT_TRUE(r.MostraPainel);
    EXPECT_TRUE(r.PosicionaCursor);
    EXPECT_EQ(r.LinhaErro, c.linha - 1);
    EXPECT_EQ(r.LinhaErroExibida, c.linha);
    EXPECT_EQ(r.ColunaErro, static_cast<int>(r.LinhasErro[2].find('^')) + 1);
    // Sem programa; o .pas e o .pif ficam; o relatório temporário sai.
    EXPECT_FALSE(Existe(trabalho / (std::string(c.nome) + ".exe")));
    EXPECT_TRUE(Existe(trabalho / (std::string(c.nome) + ".pas")));
    EXPECT_TRUE(Existe(trabalho / (std::string(c.nome) + ".pif")));
    EXPECT_FALSE(Existe(pasta_->caminho() + "/ArquiTmp.tmp"));
}

INSTANTIATE_TEST_SUITE_P(Erros, AlgoritmoQuebrado, ::testing::ValuesIn(quebrados),
                         [](const auto& info) { return std::string(info.param.nome); });

} // namespace
} // namespace vendrilo::teste
