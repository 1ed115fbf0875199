// O console do Executar com programas compilados de verdade (tradução, tpc,
// Free Pascal), conferido célula por célula na plataforma offscreen.

#include "partida_testes_qt.h"
#include "apoio_compilacao.h"

#include "console/abertura_console.h"
#include "console/janela_console.h"
#include "platform/console.h"

#include <QApplication>
#include <QClipboard>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/wait.h>

// Mensagens de falha legíveis.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace vendrilo::teste {
namespace {

bool esperaAte(const std::function<bool()>& condicao, int ms = 30000)
{
    QElapsedTimer t;
    t.start();
    while (!condicao()) {
        if (t.elapsed() > ms)
            return false;
        QTest::qWait(10);
    }
    return true;
}

QString linha(const JanelaConsole* j, int l)
{
    return j->console()->textoLinha(l);
}

// A tela inteira, para as mensagens de falha, e a última linha escrita.
QString tela(const JanelaConsole* j)
{
    QStringList l;
    for (int i = 0; i < j->console()->tela().linhas(); ++i)
        l << linha(j, i);
    return l.join(QLatin1Char('\n'));
}

QString ultimaLinha(const JanelaConsole* j)
{
    return tela(j).trimmed().split(QLatin1Char('\n')).last();
}

// Um programa compilado por suíte de casos: pasta do programa comum, uma
// pasta temporária por algoritmo.
class Console : public ::testing::Test {
protected:
    static void SetUpTestSuite() { programa_ = new PastaProgramaTeste; }
    static void TearDownTestSuite()
    {
        delete programa_;
        programa_ = nullptr;
    }
    void SetUp() override
    {
        DefineLancadorConsole([this](const PedidoConsole& p) {
            janela_ = AbreJanelaConsole(p);
            return janela_ != nullptr;
        });
    }
    void TearDown() override
    {
        DefineLancadorConsole(nullptr);
        if (janela_)
            janela_->close();
        QTest::qWait(1);
    }

    // Traduz e compila o algoritmo (bytes Windows-1252) e o roda no console.
    JanelaConsole* roda(const std::string& nome, const std::string& algoritmo, const std::string& pif = {})
    {
        const std::string alg = tmp_ / (nome + ".alg");
        Grava(alg, algoritmo);
        const ResultadoCompilacao r = TraduzECompila(alg, programa_->caminho());
        EXPECT_EQ(r.situacao, SituacaoCompilacao::Sucesso) << r.mensagem;
        for (const auto& l : r.LinhasErro)
            ADD_FAILURE() << l;
        const std::string exe = tmp_ / (nome + ".exe");
        if (!pif.empty())
            Grava(tmp_ / (nome + ".pif"), pif);
        EXPECT_TRUE(AbreConsole(exe));
        return janela_;
    }

    static PastaProgramaTeste* programa_;
    PastaTemp tmp_;
    QPointer<JanelaConsole> janela_;
};

PastaProgramaTeste* Console::programa_ = nullptr;

bool predomina(std::uint32_t rgb, int canal) // 0 vermelho, 1 verde, 2 azul
{
    const int c[3] = {int(rgb >> 16) & 255, int(rgb >> 8) & 255, int(rgb) & 255};
    for (int i = 0; i < 3; ++i)
        if (i != canal && c[i] >= c[canal])
            return false;
    return true;
}

struct CasoTela {
    const char* nome;
    const char* algoritmo; // Windows-1252
    std::function<void(const JanelaConsole*)> confere;
};

void PrintTo(const CasoTela& c, std::ostream* os)
{
    *os << c.nome;
}

class TelaDoPrograma : public Console, public ::testing::WithParamInterface<CasoTela> { };

TEST_P(TelaDoPrograma, MostraOQueOProgramaEscreve)
{
    JanelaConsole* j = roda("tela", GetParam().algoritmo);
    ASSERT_TRUE(j);
    int status = -1;
    QObject::connect(j, &JanelaConsole::programaTerminou, [&](int s) { status = s; });
    ASSERT_TRUE(esperaAte([&] { return status >= 0; }));
    GetParam().confere(j);
    // No fim, ENTER fecha a janela.
    QTest::keyClick(j->console(), Qt::Key_Return);
    EXPECT_TRUE(esperaAte([&] { return janela_.isNull(); }, 2000));
}

INSTANTIATE_TEST_SUITE_P(
    Programas, TelaDoPrograma,
    ::testing::Values(
        CasoTela{"acentos_euro_e_aspas_curvas",
                 "INICIO\r\n   MOSTRE-PL ('Ol\xE1, a\xE7\xE3o: \x80 5 \x93"
                 "aspas\x94 \x91x\x92 \xC9')\r\nFIM\r\n",
                 [](const JanelaConsole* j) {
                     EXPECT_EQ(linha(j, 0), QStringLiteral("Olá, ação: € 5 “aspas” ‘x’ É"));
                     EXPECT_EQ(ultimaLinha(j), QStringLiteral("Pressione ENTER para fechar esta janela."));
                 }},
        // Os cinco bytes vagos da página, tomados por controles C1, abririam
        // um comando do terminal e engoliriam o resto da linha.
        CasoTela{
            "bytes_vagos_nao_engolem_a_linha",
            "INICIO\r\n   MOSTRE-PL ('a\x90"
            "b\x9D"
            "c fim')\r\nFIM\r\n",
            [](const JanelaConsole* j) { EXPECT_EQ(linha(j, 0), QStringLiteral("a\uFFFDb\uFFFDc fim")); }},
        CasoTela{"limpa_tela_e_cursor",
                 "INICIO\r\n   MOSTRE-PL ('sujeira')\r\n   LIMPA-TELA\r\n   CURSOR (10, 5)\r\n"
                 "   MOSTRE ('X')\r\nFIM\r\n",
                 [](const JanelaConsole* j) {
                     EXPECT_EQ(linha(j, 0), QString()) << "a tela foi limpa";
                     EXPECT_EQ(linha(j, 4), QStringLiteral("         X"));
                     EXPECT_EQ(j->console()->tela().celula(9, 4).caractere, U'X');
                 }},
        CasoTela{"cor_do_texto_e_do_fundo",
                 "INICIO\r\n   COR-TEXTO (4)\r\n   COR-FUNDO (1)\r\n   MOSTRE ('V')\r\n"
                 "   COR-TEXTO (2)\r\n   MOSTRE ('G')\r\nFIM\r\n",
                 [](const JanelaConsole* j) {
                     const CelulaTerminal v = j->console()->tela().celula(0, 0),
                                          g = j->console()->tela().celula(1, 0);
                     EXPECT_EQ(v.caractere, U'V');
                     EXPECT_TRUE(predomina(v.frente, 0)) << std::hex << v.frente << " deveria ser vermelho";
                     EXPECT_TRUE(predomina(v.fundo, 2)) << std::hex << v.fundo << " deveria ser azul";
                     EXPECT_TRUE(predomina(g.frente, 1)) << std::hex << g.frente << " deveria ser verde";
                     EXPECT_EQ(g.fundo, v.fundo);
                     const CelulaTerminal vazia = j->console()->tela().celula(40, 10);
                     EXPECT_EQ(vazia.frente, 0xC0C0C0u) << "cinza-claro sobre preto por padrão";
                     EXPECT_EQ(vazia.fundo, 0x000000u);
                 }},
        CasoTela{"codigo_de_saida_diferente_de_zero",
                 "INICIO\r\n   MOSTRE-PL ('antes')\r\n   SAIR (3)\r\nFIM\r\n",
                 [](const JanelaConsole* j) {
                     EXPECT_EQ(linha(j, 0), QStringLiteral("antes"));
                     EXPECT_TRUE(
                         tela(j).contains(QStringLiteral("\nO programa terminou com o código de saída 3.\n\n"
                                                         "Pressione ENTER para fechar esta janela.")))
                         << tela(j).toStdString();
                 }}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Console, LinhaDigitadaNoConsoleChegaAoProgramaEmWindows1252)
{
    JanelaConsole* j =
        roda("leia", "DECLARE nome CARACTER\r\nINICIO\r\n   MOSTRE ('Nome: ')\r\n   LEIA-PL (nome)\r\n"
                     "   MOSTRE-PL ('Oi, ', nome, '! ', TAMANHO (nome))\r\nFIM\r\n");
    ASSERT_TRUE(j);
    ASSERT_TRUE(esperaAte([&] { return linha(j, 0) == QStringLiteral("Nome:"); }));
    // Na edição da linha pelo terminal, um retrocesso apaga um byte: o "é"
    // digitado precisa chegar como um byte só (Windows-1252).
    auto digita = [&](const QString& c) {
        QTest::sendKeyEvent(QTest::Click, j->console(), Qt::Key_unknown, c, Qt::NoModifier);
    };
    for (const QString& c :
         {QStringLiteral("J"), QStringLiteral("o"), QStringLiteral("x"), QStringLiteral("é")})
        digita(c);
    QTest::keyClick(j->console(), Qt::Key_Backspace);
    QTest::keyClick(j->console(), Qt::Key_Backspace);
    digita(QStringLiteral("é"));
    digita(QStringLiteral("€"));
    QTest::keyClick(j->console(), Qt::Key_Return);
    ASSERT_TRUE(esperaAte([&] { return linha(j, 1).startsWith(QStringLiteral("Oi")); }))
        << tela(j).toStdString();
    EXPECT_EQ(linha(j, 1), QStringLiteral("Oi, Joé€! 4"));
}

TEST_F(Console, ProgramaSemFimParaAoFecharAJanelaECtrlCInterrompe)
{
    const char* semFim = "DECLARE i INTEIRO\r\nINICIO\r\n   i <- 0\r\n   ENQUANTO VERDADEIRO FACA\r\n"
                         "      i <- i + 1\r\n      MOSTRE-PL ('volta ', i)\r\n      ESPERE (5)\r\n"
                         "   FIM-ENQUANTO\r\nFIM\r\n";
    JanelaConsole* j = roda("semfim", semFim);
    ASSERT_TRUE(j);
    ASSERT_TRUE(esperaAte([&] { return j->console()->tela().linhasHistorico() > 0; }));
    const pid_t programa = j->console()->pid();
    ASSERT_GT(programa, 0);
    j->close();
    // Recolhido (sem zumbi) e morto: o número não existe mais.
    EXPECT_EQ(kill(programa, 0), -1);
    EXPECT_EQ(errno, ESRCH);

    // Ctrl+C no console interrompe como num terminal.
    JanelaConsole* k = roda("semfim2", semFim);
    ASSERT_TRUE(k);
    ASSERT_TRUE(esperaAte([&] { return k->console()->tela().linhasHistorico() > 0; }));
    int status = -1;
    QObject::connect(k, &JanelaConsole::programaTerminou, [&](int s) { status = s; });
    QTest::keyClick(k->console(), Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(esperaAte([&] { return status >= 0; }, 5000));
    EXPECT_NE(status, 0);
}

TEST_F(Console, NadaNoPifEscolheOutroProgramaEASelecaoECopiada)
{
    const std::string marca = tmp_ / "PWNED";
    const std::string intruso = tmp_ / "intruso.sh";
    Grava(intruso, "#!/bin/sh\ntouch '" + marca + "'\n");
    std::filesystem::permissions(intruso, std::filesystem::perms::owner_all);
    const std::string pif = "[Console]\nTerminal=" + intruso + "\nPrograma=" + intruso +
                            "\nComando=" + intruso + "\nShell=" + intruso +
                            "\nColunas=40\nLinhas=10\nManterAberta=1\n[Outra]\nTerminal=" + intruso + "\n";
    JanelaConsole* j = roda("pif", "INICIO\r\n   MOSTRE-PL ('s\xF3 o programa')\r\nFIM\r\n", pif);
    ASSERT_TRUE(j);
    ASSERT_TRUE(esperaAte([&] { return !j->console()->rodando(); }));
    EXPECT_EQ(linha(j, 0), QStringLiteral("só o programa"));
    EXPECT_EQ(j->console()->tela().colunas(), 40);
    EXPECT_EQ(j->console()->tela().linhas(), 10);
    QTest::qWait(100);
    EXPECT_FALSE(Existe(marca)) << "o .pif iniciou outro programa";

    // Arrastar sobre "só o" e Ctrl+Shift+C põe o texto na área de transferência.
    ConsoleVendrilo* c = j->console();
    const QSize celula(c->sizeHint().width() / 40, c->sizeHint().height() / 10);
    QTest::mousePress(c, Qt::LeftButton, {}, QPoint(1, celula.height() / 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(4 * celula.width() + 1, celula.height() / 2.0),
                     c->mapToGlobal(QPointF(0, 0)), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(c, &move);
    QTest::mouseRelease(c, Qt::LeftButton, {}, QPoint(4 * celula.width() + 1, celula.height() / 2));
    EXPECT_EQ(c->textoSelecionado(), QStringLiteral("só o"));
    QTest::keyClick(c, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("só o"));
}

TEST(ConsolePty, PseudoterminalSoltoParaUmProcessoDeFora)
{
    ConsoleVendrilo c;
    ASSERT_TRUE(c.abrePty());
    const QString escravo = c.nomeEscravo();
    ASSERT_TRUE(escravo.startsWith(QStringLiteral("/dev/pts/"))) << escravo.toStdString();
    // Quem escreve no escravo aparece na tela, convertido do Windows-1252.
    QFile f(escravo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    f.write("de fora \x80\r\n");
    f.close();
    EXPECT_TRUE(esperaAte([&] { return c.textoLinha(0) == QStringLiteral("de fora €"); }, 5000));
}

} // namespace
} // namespace vendrilo::teste

namespace vendrilo::teste {
namespace {

// Foto de uma execução para o README (scripts/captura_console.sh, sob Xvfb).
// Não é um teste: roda só com --captura.
int capturaConsole(const QString& destino)
{
    PastaTemp tmp;
    PastaProgramaTeste programa;
    const std::string alg = tmp / "ola.alg";
    Grava(
        alg,
        "DECLARE nome CARACTER\r\nINICIO\r\n   LIMPA-TELA\r\n   COR-TEXTO (14)\r\n"
        "   MOSTRE-PL ('Vendrilo de Algoritmos \x96 console')\r\n   COR-TEXTO (7)\r\n"
        "   MOSTRE ('Qual \xE9 o seu nome? ')\r\n   LEIA-PL (nome)\r\n"
        "   MOSTRE-PL ('Ol\xE1, ', nome, '! O pre\xE7o \xE9 \x80 5,00 \x93promo\xE7\xE3o\x94.')\r\nFIM\r\n");
    if (TraduzECompila(alg, programa.caminho()).situacao != SituacaoCompilacao::Sucesso)
        return 1;
    Grava(tmp / "ola.pif", "[Console]\nMaximizada=0\n");
    QPointer<JanelaConsole> janela;
    DefineLancadorConsole([&](const PedidoConsole& p) { return (janela = AbreJanelaConsole(p)) != nullptr; });
    if (!AbreConsole(tmp / "ola.exe") ||
        !esperaAte([&] { return linha(janela, 1).startsWith(QStringLiteral("Qual")); }))
        return 1;
    QTest::keyClicks(janela->console(), QStringLiteral("Maria"));
    QTest::keyClick(janela->console(), Qt::Key_Return);
    if (!esperaAte([&] { return ultimaLinha(janela).startsWith(QStringLiteral("Pressione")); }))
        return 1;
    QTest::qWait(200);
    const bool ok = janela->grab().save(destino + QStringLiteral("/tela_console.png"));
    janela->close();
    DefineLancadorConsole(nullptr);
    return ok ? 0 : 1;
}

} // namespace
} // namespace vendrilo::teste

int main(int argc, char** argv)
{
    return vendrilo::teste::RodaTestesQt(argc, argv, {}, vendrilo::teste::capturaConsole);
}
