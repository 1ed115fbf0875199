// vendrilo-corrige de verdade sobre uma turma pequena montada aqui: cada
// linha da planilha e cada caso conferidos, a pasta das entregas intacta, a
// página lida por um leitor de HTML, e as fatias juntadas iguais a uma
// correção só.

#include "apoio_tpc.h"

#include "formato/texto_1252.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace vendrilo::teste {
namespace {

namespace fs = std::filesystem;

const std::string Leitura = "DECLARE x, y INTEIRO\nINICIO\n   LEIA-PL (x, y)\n";
const std::string Resposta =
    "   MOSTRE-PL ('Soma: ', x + y)\n   MOSTRE-PL ('Média: ', (x + y) / 2:0:1)\nFIM\n";

struct Aluno {
    const char* nome;
    std::string algoritmo; // UTF-8; gravado em Windows-1252
    const char* situacao;
    int acertos;
    std::vector<std::string> casos;
    const char* mensagem; // trecho esperado na mensagem ("" = vazia)
};

const std::vector<std::string> SemCasos = {"", "", "", ""};

// Casos: a (UTF-8 com CR LF e brancos no fim), b (Windows-1252), c (só o
// .out: entrada vazia), d (quebras CR).
// clang-format off
const Aluno Turma[] = {
    {"Silva, Ana", Leitura + Resposta, "ok", 4, {"ok", "ok", "ok", "ok"}, ""},
    {"arquivos",
     "DECLARE f : TEXTO\n   x, y INTEIRO\nINICIO\n   LEIA-PL (x, y)\n   ABRA (f, 'notas.txt')\n   CRIE (f)\n"
     "   GRAVE (f, x + y)\n   FECHE (f)\n" + Resposta,
     "ok", 4, {"ok", "ok", "ok", "ok"}, ""},
    {"compila", "DECLARE x INTEIRO\nINICIO\n   x <- \nFIM\n", "compilacao", 0, SemCasos,
     "compila.ALG(3): Erro 42: "},
    {"divide",
     "DECLARE x, y, z INTEIRO\nINICIO\n   LEIA-PL (x, y)\n   z <- 100 DIVISAO-INTEIRA (x - 10)\n" + Resposta,
     "falhou", 3, {"ok", "erro-execucao 200", "ok", "ok"}, "caso b: "},
    {"estrutura", "DECLARE x INTEIRO\nINICIO\n   SE x = 1 ENTAO\n   x <- 2\nFIM\n", "estrutura", 0, SemCasos,
     "1. Existe algum comando SE que não possui a finalização FIM-SE. (linha 3)"},
    {"grande",
     "DECLARE i INTEIRO\nINICIO\n   PARA i DE 1 ATE 30000 FACA\n"
     "      MOSTRE-PL ('uma linha comprida para passar de um megabyte de saída')\n   FIM-PARA\nFIM\n",
     "falhou", 0, {"saida", "saida", "saida", "saida"}, "caso a: A saída passou de 1 MB e foi cortada."},
    {"laco", Leitura + "   ENQUANTO y = 3 FACA\n      x <- x + 1\n   FIM-ENQUANTO\n" + Resposta,
     "falhou", 3, {"tempo", "ok", "ok", "ok"}, "caso a: O programa não terminou em 1 s e foi interrompido."},
    {"memoria", "DECLARE v VETOR [1..200000000] CONTEM-INTEIRO\nINICIO\n   v[5] <- 1\n   MOSTRE-PL (v[5])\nFIM\n",
     "falhou", 0, {"erro-execucao 216", "erro-execucao 216", "erro-execucao 216", "erro-execucao 216"},
     "caso a: O programa foi encerrado pelo sinal 11 (acesso inválido à memória; o limite é de 256 MB)."},
    {"parcial", Leitura + "   MOSTRE-PL ('Soma: ', x + y)\n   MOSTRE-PL ('Média: ', (x + x) / 2:0:1)\nFIM\n",
     "falhou", 2, {"saida", "saida", "ok", "ok"}, "caso a: Saída diferente na linha 2."},
};
// clang-format on

// O programa com a saída e os erros juntos (progresso e mensagens vão para
// os erros).
Execucao RodaComErros(const std::vector<std::string>& argv, const std::string& pasta)
{
    OpcoesProcesso op;
    op.arquivoSaida = pasta + "/.saida-teste";
    op.errosNaSaida = true;
    op.semEntrada = true;
    op.limite = std::chrono::seconds(240);
    const auto r = ExecutaProcesso(argv, op);
    Execucao e;
    e.status = r.iniciado ? r.status : -1;
    e.saida = Le(op.arquivoSaida);
    e.linhas = Linhas(e.saida);
    fs::remove(op.arquivoSaida);
    return e;
}

std::vector<std::vector<std::string>> LinhasCsv(const std::string& texto)
{
    // A planilha da turma não tem aspas senão na primeira coluna.
    std::vector<std::vector<std::string>> linhas;
    for (const std::string& l : Linhas(texto)) {
        std::vector<std::string> campos;
        std::string atual;
        bool aspas = false;
        for (char c : l) {
            if (c == '"')
                aspas = !aspas;
            else if (c == ',' && !aspas)
                campos.push_back(atual), atual.clear();
            else
                atual += c;
        }
        campos.push_back(atual);
        linhas.push_back(campos);
    }
    return linhas;
}

std::map<std::string, std::string> Conteudo(const std::string& pasta)
{
    std::map<std::string, std::string> m;
    for (const auto& e : fs::recursive_directory_iterator(pasta))
        m[e.path().string()] = e.is_regular_file() ? Le(e.path().string()) : "<pasta>";
    return m;
}

class Correcao : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        raiz_ = new PastaTemp;
        setenv("VENDRILO_PASTA", (*raiz_ / "vendrilo").c_str(), 1);
        setenv("TMPDIR", (*raiz_ / "tmp").c_str(), 1);
        fs::create_directories(*raiz_ / "tmp");
        Grava(*raiz_ / "casos/a.in", "2 3\n");
        Grava(*raiz_ / "casos/a.out", "Soma: 5  \r\nMédia: 2.5\r\n\r\n  \r\n");
        Grava(*raiz_ / "casos/b.in", "10 0\n");
        Grava(*raiz_ / "casos/b.out", Para1252("Soma: 10\nMédia: 5.0\n"));
        Grava(*raiz_ / "casos/c.out", "Soma: 0\nMédia: 0.0");
        Grava(*raiz_ / "casos/d.in", "4 4\n");
        Grava(*raiz_ / "casos/d.out", "Soma: 8\rMédia: 4.0\r");
        for (const Aluno& a : Turma)
            Grava(*raiz_ / ("entregas/" + std::string(a.nome) + ".alg"), Para1252(a.algoritmo));
        Grava(*raiz_ / "entregas/leia-me.txt", "não é algoritmo");
        antes_ = new std::map<std::string, std::string>(Conteudo(*raiz_ / "entregas"));
        execucao_ = new Execucao(
            Corrige({"-j", "2", "--csv", *raiz_ / "turma.csv", "--html", *raiz_ / "turma.html"}));
    }
    static void TearDownTestSuite()
    {
        delete execucao_;
        delete antes_;
        delete raiz_;
    }

    // O corretor com a turma, os casos, --tempo 1 e os argumentos dados.
    static Execucao Corrige(std::vector<std::string> args)
    {
        args.insert(args.begin(), {CORRIGE_EXE, "--casos", *raiz_ / "casos", "--tempo", "1"});
        args.push_back(*raiz_ / "entregas");
        return RodaComErros(args, raiz_->caminho());
    }

    static inline PastaTemp* raiz_ = nullptr;
    static inline std::map<std::string, std::string>* antes_ = nullptr;
    static inline Execucao* execucao_ = nullptr;
};

TEST_F(Correcao, CadaAlunoECadaCasoNaPlanilha)
{
    ASSERT_EQ(execucao_->status, 0) << execucao_->saida;
    const auto linhas = LinhasCsv(Le(*raiz_ / "turma.csv"));
    ASSERT_EQ(linhas.size(), std::size(Turma) + 1) << Le(*raiz_ / "turma.csv");
    EXPECT_EQ(linhas[0], (std::vector<std::string>{"aluno", "situacao", "acertos", "casos", "caso:a",
                                                   "caso:b", "caso:c", "caso:d", "mensagem"}));
    for (std::size_t i = 0; i < std::size(Turma); ++i) {
        const Aluno& a = Turma[i];
        SCOPED_TRACE(a.nome);
        const auto& l = linhas[i + 1];
        ASSERT_EQ(l.size(), 9u);
        EXPECT_EQ(l[0], a.nome);
        EXPECT_EQ(l[1], a.situacao);
        EXPECT_EQ(l[2], std::to_string(a.acertos));
        EXPECT_EQ(l[3], "4");
        EXPECT_EQ(std::vector<std::string>(l.begin() + 4, l.begin() + 8), a.casos);
        if (*a.mensagem == '\0')
            EXPECT_EQ(l[8], "");
        else
            EXPECT_NE(l[8].find(a.mensagem), std::string::npos) << l[8];
        EXPECT_EQ(l[8].find(raiz_->caminho()), std::string::npos) << "caminho temporário na mensagem";
    }
    // Progresso e resumo no canal de erros.
    EXPECT_NE(execucao_->saida.find("[9/9]"), std::string::npos) << execucao_->saida;
    EXPECT_NE(execucao_->saida.find("9 aluno(s) em "), std::string::npos);
    EXPECT_NE(execucao_->saida.find("2 ok, 5 falharam, 1 com erro de compilação, 1 com erro de estrutura."),
              std::string::npos);
}

TEST_F(Correcao, EntregasIntactasENadaSobraNaPastaTemporaria)
{
    EXPECT_EQ(Conteudo(*raiz_ / "entregas"), *antes_);
    EXPECT_TRUE(fs::is_empty(*raiz_ / "tmp")) << "restos de pastas privadas";
    EXPECT_FALSE(Existe(*raiz_ / "notas.txt"));
    EXPECT_FALSE(Existe(*raiz_ / "vendrilo/ArquiTmp.tmp"));
}

TEST_F(Correcao, PaginaComATabelaEAPrimeiraDiferenca)
{
    const Execucao lida = Roda({"/usr/bin/python3", LE_PAGINA, *raiz_ / "turma.html"}, raiz_->caminho());
    ASSERT_EQ(lida.status, 0) << lida.saida;
    std::vector<std::vector<std::string>> tabela;
    std::vector<std::string> marcas;
    for (const std::string& l : lida.linhas) {
        std::vector<std::string> campos;
        std::stringstream s(l);
        for (std::string c; std::getline(s, c, '\t');)
            campos.push_back(c);
        if (!campos.empty() && campos[0] == "linha")
            tabela.emplace_back(campos.begin() + 1, campos.end());
        else if (campos.size() == 4 && campos[1] == "parcial")
            marcas.push_back(campos[2] + ": " + campos[3]);
    }
    auto csv = LinhasCsv(Le(*raiz_ / "turma.csv"));
    csv.erase(csv.begin());
    for (auto& l : csv) // o leitor de tabulações não guarda um campo final vazio
        if (!l.empty() && l.back().empty())
            l.pop_back();
    EXPECT_EQ(tabela, csv);
    EXPECT_EQ(marcas, (std::vector<std::string>{"Esperado: Média: 2.5", "Obtido: Média: 2.0"}));
}

TEST_F(Correcao, FatiasJuntadasDaoAMesmaPlanilhaEAMesmaPagina)
{
    for (const char* parte : {"1/3", "2/3", "3/3"}) {
        const std::string n(1, parte[0]);
        const Execucao e = Corrige(
            {"--parte", parte, "--csv", *raiz_ / ("p" + n + ".csv"), "--html", *raiz_ / ("p" + n + ".html")});
        ASSERT_EQ(e.status, 0) << e.saida;
    }
    const Execucao j =
        RodaComErros({CORRIGE_EXE, "--juntar", *raiz_ / "p2.csv", *raiz_ / "p1.csv", *raiz_ / "p3.csv",
                      "--csv", *raiz_ / "total.csv", "--html", *raiz_ / "total.html"},
                     raiz_->caminho());
    ASSERT_EQ(j.status, 0) << j.saida;
    EXPECT_EQ(Le(*raiz_ / "total.csv"), Le(*raiz_ / "turma.csv"));
    EXPECT_EQ(Le(*raiz_ / "total.html"), Le(*raiz_ / "turma.html"));
    EXPECT_LT(Le(*raiz_ / "p1.csv").size(), Le(*raiz_ / "turma.csv").size());
}

struct UsoErrado {
    const char* nome;
    std::vector<std::string> args; // depois do programa; "@" vira a pasta de teste
    int status;
    const char* mensagem;
};

void PrintTo(const UsoErrado& u, std::ostream* os)
{
    *os << u.nome;
}

class Uso : public ::testing::TestWithParam<UsoErrado> { };

TEST_P(Uso, CodigoEMensagem)
{
    PastaTemp pasta;
    Grava(pasta / "casos/a.in", "1\n");
    Grava(pasta / "casos/a.out", "1\n");
    Grava(pasta / "sem_out/a.in", "1\n");
    Grava(pasta / "vazia/leia-me.txt", "");
    Grava(pasta / "x.alg", "INICIO\nFIM\n");
    std::vector<std::string> argv = {CORRIGE_EXE};
    for (std::string a : GetParam().args)
        argv.push_back(a.starts_with("@") ? pasta / a.substr(1) : a);
    const Execucao e = RodaComErros(argv, pasta.caminho());
    EXPECT_EQ(e.status, GetParam().status) << e.saida;
    EXPECT_NE(e.saida.find(GetParam().mensagem), std::string::npos) << e.saida;
}

INSTANTIATE_TEST_SUITE_P(
    Linha, Uso,
    ::testing::Values(
        UsoErrado{"ajuda", {"--help"}, 0, "--parte K/N"},
        UsoErrado{"versao", {"--version"}, 0, "vendrilo-corrige " VERSAO},
        UsoErrado{"sem_casos", {"@x.alg"}, 3, "falta --casos PASTA"},
        UsoErrado{"casos_inexistentes", {"--casos", "@nao", "@x.alg"}, 3, "não existe ou não é uma pasta"},
        UsoErrado{"in_sem_out", {"--casos", "@sem_out", "@x.alg"}, 3, "tem a.in mas não tem a.out"},
        UsoErrado{"pasta_sem_casos", {"--casos", "@vazia", "@x.alg"}, 3, "não tem nenhum caso"},
        UsoErrado{"sem_algoritmos", {"--casos", "@casos", "@vazia"}, 3, "nenhum algoritmo .ALG"},
        UsoErrado{"j_zero", {"--casos", "@casos", "-j", "0", "@x.alg"}, 3, "-j precisa de um número"},
        UsoErrado{"tempo_negativo", {"--casos", "@casos", "--tempo", "-1", "@x.alg"}, 3, "--tempo precisa"},
        UsoErrado{"parte_fora", {"--casos", "@casos", "--parte", "3/2", "@x.alg"}, 3, "--parte precisa"},
        UsoErrado{"csv_em_pasta_inexistente",
                  {"--casos", "@casos", "--csv", "@nao/t.csv", "@x.alg"},
                  3,
                  "não é possível gravar"},
        UsoErrado{"juntar_sem_csv", {"--juntar", "@a.csv"}, 3, "precisa de --csv"},
        UsoErrado{"juntar_planilha_estranha", {"--juntar", "@x.alg", "--csv", "@t.csv"}, 3, "cabeçalho"}),
    [](const auto& info) { return std::string(info.param.nome); });

} // namespace
} // namespace vendrilo::teste
