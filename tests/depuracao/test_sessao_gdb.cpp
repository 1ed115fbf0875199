// Algoritmos de verdade, compilados com informação de linhas e executados
// passo a passo pelo gdb; cada valor conferido com o que o algoritmo produz.
#include "apoio_compilacao.h"

#include "depuracao/sessao.h"
#include "formato/texto_1252.h"
#include "platform/canal_processo.h"
#include "platform/ponte_depuracao.h"

#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace vendrilo::depuracao {
namespace {

using teste::Grava;
using teste::PastaTemp;

// Uma sessão sobre um algoritmo: traduz, compila com -g, liga o terminal do
// programa a canais do teste e para na primeira linha.
class SessaoTeste {
public:
    explicit SessaoTeste(const std::vector<std::string>& linhas, const std::string& entrada = {})
    {
        std::string texto;
        for (const auto& l : linhas)
            texto += l + "\r\n";
        const std::string alg = tmp_ / "algoritmo.alg";
        Grava(alg, texto);
        Tradutor t;
        std::string erro;
        if (!t.TraduzArquivo(alg, erro)) {
            ADD_FAILURE() << erro;
            return;
        }
        std::vector<std::string> pascal;
        LeTodasAsLinhas(t.estado().NomePas, pascal);
        EntradaCompilacao e = EntradaDe(t.estado(), teste::LinhasDoAlgoritmo(alg));
        e.PastaPrograma = pasta_.caminho();
        e.InformacaoDepuracao = true;
        const ResultadoCompilacao r = CompilaPrograma(e);
        if (r.situacao != SituacaoCompilacao::Sucesso) {
            ADD_FAILURE() << "não compilou: " << (r.LinhasErro.empty() ? r.mensagem : r.LinhasErro[0]);
            return;
        }
        // Entrada do programa por um canal; saída num arquivo.
        std::string motivo;
        if (!AbrePseudoTerminal(pt_, motivo) || pipe(entrada_) != 0) {
            ADD_FAILURE() << motivo;
            return;
        }
        if (!entrada.empty()) {
            EXPECT_EQ(write(entrada_[1], entrada.data(), entrada.size()),
                      static_cast<ssize_t>(entrada.size()));
        }
        close(entrada_[1]);
        saida_ = open((tmp_ / "saida.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ponte_ = std::make_unique<PonteDepuracao>(pt_.mestre, entrada_[0], saida_);
        ConfigSessao c;
        c.programa = programa_ = t.estado().NomeExe;
        c.terminal = pt_.nomeEscravo;
        c.declaracoes = LeDeclaracoes(pascal);
        c.bibliotecaUsada = t.estado().BibliotecaUsada;
        ok_ = s.Inicia(c, motivo);
        EXPECT_TRUE(ok_) << motivo;
        ponte_->LiberaEntrada();
    }
    ~SessaoTeste()
    {
        s.Encerra();
        if (ponte_)
            ponte_->Para();
        FechaPseudoTerminal(pt_);
        if (entrada_[0] >= 0)
            close(entrada_[0]);
        if (saida_ >= 0)
            close(saida_);
    }
    bool ok() const { return ok_; }
    const std::string& programa() const { return programa_; }
    const std::string& pasta() const { return tmp_.caminho(); }

    // "nome=valor" de cada variável visível, na ordem da sessão.
    std::vector<std::string> variaveis()
    {
        std::vector<std::string> v;
        for (const auto& x : s.Variaveis())
            v.push_back((x.rotina.empty() ? "" : x.rotina + ".") + x.nome + "=" + x.valor);
        return v;
    }

    Sessao s;

private:
    PastaTemp tmp_;
    teste::PastaProgramaTeste pasta_;
    PseudoTerminal pt_;
    int entrada_[2] = {-1, -1};
    int saida_ = -1;
    std::unique_ptr<PonteDepuracao> ponte_;
    bool ok_ = false;
    std::string programa_;
};

using Vars = std::vector<std::string>;

// Linha (base 1) e variáveis em cada parada, com PassoSobre até o fim.
struct Parada {
    int linha;
    Vars vars;
};

void confereTrajeto(SessaoTeste& t, const std::vector<Parada>& esperado)
{
    for (std::size_t i = 0; i < esperado.size(); ++i) {
        ASSERT_EQ(t.s.estado(), EstadoSessao::Parada) << "passo " << i << ": " << t.s.mensagem();
        EXPECT_EQ(t.s.Linha() + 1, esperado[i].linha) << "passo " << i;
        EXPECT_EQ(t.variaveis(), esperado[i].vars) << "passo " << i;
        t.s.PassoSobre();
    }
    EXPECT_EQ(t.s.estado(), EstadoSessao::Terminada) << t.s.mensagem();
    EXPECT_EQ(t.s.codigoSaida(), 0);
}

TEST(SessaoGdb, LacoComSomaEContador)
{
    SessaoTeste t({"DECLARE i, Soma INTEIRO", "INICIO", "   Soma <- 0", "   i <- 1",
                   "   ENQUANTO i <= 3 FACA", "      Soma <- Soma + i", "      i <- i + 1", "   FIM-ENQUANTO",
                   "FIM"});
    ASSERT_TRUE(t.ok());
    confereTrajeto(t, {{3, {"i=0", "Soma=0"}},
                       {4, {"i=0", "Soma=0"}},
                       {5, {"i=1", "Soma=0"}},
                       {6, {"i=1", "Soma=0"}},
                       {7, {"i=1", "Soma=1"}},
                       {5, {"i=2", "Soma=1"}},
                       {6, {"i=2", "Soma=1"}},
                       {7, {"i=2", "Soma=3"}},
                       {5, {"i=3", "Soma=3"}},
                       {6, {"i=3", "Soma=3"}},
                       {7, {"i=3", "Soma=6"}},
                       {5, {"i=4", "Soma=6"}},
                       {9, {"i=4", "Soma=6"}}});
}

TEST(SessaoGdb, FuncaoComParametroELocalPassoDentroESobre)
{
    const std::vector<std::string> alg = {"DECLARE r INTEIRO", // 1
                                          "FUNCAO dobro (PARAM-VALOR x INTEIRO) INTEIRO", // 2
                                          "DECLARE t INTEIRO", // 3
                                          "INICIO-FUNCAO", // 4
                                          "   t <- x * 2", // 5
                                          "   dobro <- t", // 6
                                          "FIM-FUNCAO", // 7
                                          "INICIO", // 8
                                          "   r <- dobro (5)", // 9
                                          "   r <- dobro (r)", // 10
                                          "FIM"}; // 11
    SessaoTeste t(alg);
    ASSERT_TRUE(t.ok());
    EXPECT_EQ(t.s.Linha() + 1, 9);
    t.s.PassoDentro();
    ASSERT_EQ(t.s.estado(), EstadoSessao::Parada);
    EXPECT_EQ(t.s.Linha() + 1, 5);
    EXPECT_EQ(t.s.RotinaAtual(), "dobro");
    EXPECT_EQ(t.variaveis(), (Vars{"r=0", "dobro.x=5", "dobro.t=0"}));
    const auto pilha = t.s.Pilha();
    ASSERT_EQ(pilha.size(), 2u);
    EXPECT_EQ(pilha[0].rotina, "dobro");
    EXPECT_EQ(pilha[0].linha + 1, 5);
    EXPECT_EQ(pilha[1].rotina, "");
    EXPECT_EQ(pilha[1].linha + 1, 9);
    t.s.PassoDentro();
    EXPECT_EQ(t.variaveis(), (Vars{"r=0", "dobro.x=5", "dobro.t=10"}));
    t.s.PassoDentro(); // 7
    t.s.PassoDentro(); // de volta, na linha seguinte à chamada
    EXPECT_EQ(t.s.Linha() + 1, 10);
    EXPECT_EQ(t.s.RotinaAtual(), "");
    EXPECT_EQ(t.variaveis(), (Vars{"r=10"}));
    t.s.PassoSobre(); // a chamada roda inteira
    EXPECT_EQ(t.s.Linha() + 1, 11);
    EXPECT_EQ(t.variaveis(), (Vars{"r=20"}));
}

TEST(SessaoGdb, VetorRegistroTextoRealLogico)
{
    SessaoTeste t({"DECLARE v VETOR [1..3] CONTEM-INTEIRO",
                   "DECLARE k INTEIRO",
                   "DECLARE q, m REAL",
                   "DECLARE ok LOGICO",
                   "DECLARE nome CARACTER",
                   "TIPO-REG aluno = REG",
                   "   Nome CARACTER",
                   "   nota REAL",
                   "FIM-REG",
                   "DECLARE a ASSIM-COMO aluno",
                   "INICIO",
                   "   PARA k DE 1 ATE 3 FACA",
                   "      v[k] <- k * k",
                   "   FIM-PARA",
                   "   q <- 10 / 4",
                   "   m <- 10 / 3",
                   "   ok <- m > q",
                   "   nome <- 'Jo\xE3o Silva'",
                   "   a.Nome <- nome",
                   "   a.nota <- q * 3",
                   "FIM"});
    ASSERT_TRUE(t.ok());
    ASSERT_TRUE(t.s.DefineParada(20, true)); // linha 21 (FIM)
    t.s.Continua();
    ASSERT_EQ(t.s.estado(), EstadoSessao::Parada) << t.s.mensagem();
    EXPECT_EQ(t.s.Linha() + 1, 21);
    EXPECT_EQ(t.variaveis(), (Vars{"v=[1; 4; 9]", "k=3", "q=2.5", "m=3.333333", "ok=VERDADEIRO",
                                   "nome=João Silva", "a={Nome: João Silva; nota: 7.5}"}));
    t.s.Continua();
    EXPECT_EQ(t.s.estado(), EstadoSessao::Terminada);
}

// As partes que o painel expande levam os índices declarados, não a posição.
TEST(SessaoGdb, VetorEMatrizPorPartesComIndicesDeclarados)
{
    SessaoTeste t({"DECLARE v VETOR [0..2] CONTEM-INTEIRO", "DECLARE m MATRIZ [1..2, 0..1] CONTEM-INTEIRO",
                   "DECLARE k INTEIRO", "INICIO", "   PARA k DE 0 ATE 2 FACA", "      v[k] <- k + 10",
                   "   FIM-PARA", "   m[2, 1] <- 7", "FIM"});
    ASSERT_TRUE(t.ok());
    ASSERT_TRUE(t.s.DefineParada(8, true)); // linha 9 (FIM)
    t.s.Continua();
    ASSERT_EQ(t.s.estado(), EstadoSessao::Parada) << t.s.mensagem();
    const auto vars = t.s.Variaveis();
    ASSERT_EQ(vars.size(), 3u);
    auto partes = [](const NoValor& no) {
        std::string s;
        for (const auto& [rotulo, filho] : no.filhos)
            s += rotulo + "=" + filho.texto + " ";
        return s;
    };
    EXPECT_EQ(vars[0].valor, "[10; 11; 12]");
    EXPECT_EQ(partes(vars[0].arvore), "[0]=10 [1]=11 [2]=12 ");
    EXPECT_EQ(vars[1].valor, "[[0; 0]; [0; 7]]");
    EXPECT_EQ(partes(vars[1].arvore), "[1]=[0; 0] [2]=[0; 7] ");
    ASSERT_EQ(vars[1].arvore.filhos.size(), 2u);
    EXPECT_EQ(partes(vars[1].arvore.filhos[1].second), "[0]=0 [1]=7 ");
}

TEST(SessaoGdb, ParadaNoLacoEEntradaLida)
{
    SessaoTeste t({"DECLARE n, i, s INTEIRO", "INICIO", "   LEIA-PL (n)", "   s <- 0",
                   "   PARA i DE 1 ATE n FACA", "      s <- s + i", "   FIM-PARA", "FIM"},
                  "3\n");
    ASSERT_TRUE(t.ok());
    ASSERT_TRUE(t.s.DefineParada(5, true)); // linha 6
    std::vector<Vars> vistos;
    for (t.s.Continua(); t.s.estado() == EstadoSessao::Parada; t.s.Continua()) {
        EXPECT_EQ(t.s.Linha() + 1, 6);
        vistos.push_back(t.variaveis());
    }
    EXPECT_EQ(vistos,
              (std::vector<Vars>{{"n=3", "i=1", "s=0"}, {"n=3", "i=2", "s=1"}, {"n=3", "i=3", "s=3"}}));
    EXPECT_EQ(t.s.estado(), EstadoSessao::Terminada);
    // Tirar a parada: sai uma vez; a segunda não acha o que tirar.
    EXPECT_TRUE(t.s.DefineParada(5, false));
    EXPECT_FALSE(t.s.DefineParada(5, false));
    EXPECT_TRUE(t.s.Paradas().empty());
}

TEST(SessaoGdb, LacoSemFimParaQuandoPedido)
{
    SessaoTeste t({"DECLARE i INTEIRO", "INICIO", "   i <- 0", "   ENQUANTO i >= 0 FACA", "      i <- i + 1",
                   "      SE i > 1000 ENTAO", "         i <- 0", "      FIM-SE", "   FIM-ENQUANTO", "FIM"});
    ASSERT_TRUE(t.ok());
    std::thread pede([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        t.s.Interrompe();
    });
    t.s.Continua();
    pede.join();
    ASSERT_EQ(t.s.estado(), EstadoSessao::Parada) << t.s.mensagem();
    EXPECT_TRUE(t.s.FoiInterrompida());
    EXPECT_GE(t.s.Linha() + 1, 4);
    EXPECT_LE(t.s.Linha() + 1, 9);
    t.s.PassoSobre(); // a sessão segue usável
    EXPECT_EQ(t.s.estado(), EstadoSessao::Parada);
}

// O erro de execução na sessão: a linha dele, as variáveis de então e, como
// mensagem, a mesma linha que o programa escreve quando roda sozinho.
TEST(SessaoGdb, ErroDeExecucaoComAMensagemDoProprioPrograma)
{
    const struct {
        const char* nome;
        std::vector<std::string> algoritmo;
        const char* entrada;
        int linha;
        Vars vars; // vazio: não conferidas
    } casos[] = {
        {"divisão inteira por zero",
         {"DECLARE n, z INTEIRO", "INICIO", "   n <- 7", "   z <- 0", "   n <- n DIV z", "FIM"},
         "",
         5,
         {"n=7", "z=0"}},
        {"divisão real por zero",
         {"DECLARE x, y REAL", "INICIO", "   y <- 0", "   x <- 1 / y", "FIM"},
         "",
         4,
         {"x=0", "y=0"}},
        {"índice fora do vetor",
         {"{$R+}", "DECLARE v VETOR [1..3] CONTEM-INTEIRO", "DECLARE i INTEIRO", "INICIO", "   i <- 4",
          "   v[i] <- 1", "FIM"},
         "",
         6,
         {"v=[0; 0; 0]", "i=4"}},
        {"arquivo que não existe",
         {"DECLARE f : TEXT;", "INICIO", "   ASSIGN (f, '/nao/existe.txt');", "   RESET (f);", "FIM"},
         "",
         4,
         {}},
        {"raiz de negativo (o número vem do próprio programa)",
         {"DECLARE x REAL", "INICIO", "   x <- -1", "   MOSTRE-PL ( RAIZ (x) )", "FIM"},
         "",
         4,
         {"x=-1"}},
        {"vírgula decimal na leitura",
         {"DECLARE x REAL", "INICIO", "   LEIA-PL (x)", "FIM"},
         "8,5\n",
         3,
         {"x=0"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        SessaoTeste t(c.algoritmo, c.entrada);
        ASSERT_TRUE(t.ok());
        t.s.Continua();
        ASSERT_EQ(t.s.estado(), EstadoSessao::ErroExecucao) << t.s.mensagem();
        EXPECT_EQ(t.s.Linha() + 1, c.linha);
        if (!c.vars.empty()) { // o registro de um arquivo não interessa
            EXPECT_EQ(t.variaveis(), c.vars);
        }
        // O programa sozinho, com a mesma entrada: a linha na saída de erros.
        const std::string entrada = t.pasta() + "/entrada.txt", erros = t.pasta() + "/erros.txt";
        Grava(entrada, c.entrada);
        OpcoesProcesso op;
        op.arquivoEntrada = entrada;
        op.arquivoSaida = erros;
        op.limite = std::chrono::seconds(30);
        const ResultadoProcesso r =
            ExecutaProcesso({"/bin/sh", "-c", "exec \"$0\" 2>&1 >/dev/null", t.programa()}, op);
        ASSERT_TRUE(r.iniciado);
        EXPECT_EQ(Para1252(t.s.mensagem()) + "\n", teste::Le(erros));
    }
}

TEST(SessaoGdb, ProgramasQueNaoPodemSerDepuradosDaoMensagem)
{
    const struct {
        const char* gdb;
        const char* programa;
        const char* trecho;
    } casos[] = {
        {"gdb-que-nao-existe-17", "/bin/true", "pacote Debian \"gdb\""},
        {"", "/nao/existe/programa.exe", "não conseguiu abrir o programa"},
        {"", "/bin/true", "não tem informação de linhas"}, // sem -g
    };
    for (const auto& c : casos) {
        Sessao s;
        ConfigSessao config;
        config.programa = c.programa;
        config.gdb = c.gdb;
        std::string erro;
        EXPECT_FALSE(s.Inicia(config, erro)) << c.programa;
        EXPECT_NE(erro.find(c.trecho), std::string::npos) << erro;
        EXPECT_NE(s.estado(), EstadoSessao::Parada);
    }
}

} // namespace
} // namespace vendrilo::depuracao
