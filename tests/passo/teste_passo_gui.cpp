// Passo a passo na janela de verdade (plataforma offscreen): o Free Pascal
// compila com informação de linhas, o gdb de verdade executa, e o teste lê
// o editor e os painéis como o aluno os vê.

#include "partida_testes_qt.h"
#include "arquivos_teste.h"
#include "console/abertura_console.h"
#include "console/console_vendrilo.h"
#include "dialogos_roteirizados.h"
#include "passo/comandos_passo.h"
#include "passo/paineis_passo.h"
#include "platform/console.h"
#include "platform/dialogos.h"
#include "workspace/comandos_gerais.h"
#include "workspace/comandos_traducao.h"
#include "workspace/pesquisa.h"
#include "workspace/documentos.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/principal.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QGroupBox>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <Qsci/qscicommandset.h>

#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>

using namespace vendrilo;
using vendrilo::teste::DialogosRoteirizados;
using vendrilo::teste::escreve;
using vendrilo::teste::processa;

namespace {

constexpr int Prazo = 60000; // compilar e subir o gdb numa máquina ocupada

// Linhas numeradas como o aluno as vê (a partir de 1).
const QByteArray kLacoEFuncao = "DECLARE i, Soma, r INTEIRO\r\n" // 1
                                "FUNCAO dobro (PARAM-VALOR x INTEIRO) INTEIRO\r\n" // 2
                                "DECLARE t INTEIRO\r\n" // 3
                                "INICIO-FUNCAO\r\n" // 4
                                "   t <- x * 2\r\n" // 5
                                "   dobro <- t\r\n" // 6
                                "FIM-FUNCAO\r\n" // 7
                                "INICIO\r\n" // 8
                                "   Soma <- 0\r\n" // 9
                                "   i <- 1\r\n" // 10
                                "   ENQUANTO i <= 3 FACA\r\n" // 11
                                "      Soma <- Soma + i\r\n" // 12
                                "      i <- i + 1\r\n" // 13
                                "   FIM-ENQUANTO\r\n" // 14
                                "   { o dobro da soma }\r\n" // 15
                                "   r <- dobro (Soma)\r\n" // 16
                                "FIM\r\n"; // 17

// Lê um número e depois roda para sempre.
const QByteArray kLeituraELacoSemFim = "DECLARE n, i INTEIRO\r\n" // 1
                                       "INICIO\r\n" // 2
                                       "   LEIA-PL (n)\r\n" // 3
                                       "   i <- n\r\n" // 4
                                       "   ENQUANTO i >= 0 FACA\r\n" // 5
                                       "      i <- i + 1\r\n" // 6
                                       "      SE i > 1000 ENTAO\r\n" // 7
                                       "         i <- 0\r\n" // 8
                                       "      FIM-SE\r\n" // 9
                                       "   FIM-ENQUANTO\r\n" // 10
                                       "FIM\r\n"; // 11

const QByteArray kDivisaoPorZero = "DECLARE n, z INTEIRO\r\n"
                                   "INICIO\r\n"
                                   "   n <- 7\r\n"
                                   "   z <- 0\r\n"
                                   "   n <- n DIV z\r\n"
                                   "FIM\r\n";

// "zz" não foi declarada: erro de compilação na linha 4.
const QByteArray kErroCompilacao = "DECLARE a INTEIRO\r\n"
                                   "INICIO\r\n"
                                   "   a <- 1\r\n"
                                   "   zz <- 2\r\n"
                                   "FIM\r\n";

// Processos filhos deste teste com o nome dado (zumbis incluídos).
int filhos(const QByteArray& nome)
{
    int n = 0;
    const QString meu = QString::number(getpid());
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray s = stat.readAll();
        const int fecha = s.lastIndexOf(')');
        const QByteArray comando = s.mid(s.indexOf('(') + 1, fecha - s.indexOf('(') - 1);
        const QList<QByteArray> campos = s.mid(fecha + 2).split(' ');
        n += campos.size() > 1 && campos[1] == meu.toLatin1() && comando == nome;
    }
    return n;
}

// Programas do aluno (os .exe de `pasta`) vivos, de qualquer pai: os que o
// gdb iniciou (o tpc também roda de lá, mas não conta).
int programasEm(const QString& pasta)
{
    int n = 0;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile cmd(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!cmd.open(QIODevice::ReadOnly))
            continue;
        const QByteArray programa = cmd.readAll().split('\0').value(0);
        n += programa.startsWith(pasta.toUtf8()) && programa.endsWith(".exe");
    }
    return n;
}

class PassoGui : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pasta.isValid());
        qputenv("VENDRILO_PASTA", (pasta.path() + QStringLiteral("/programa")).toUtf8());
        qunsetenv("VENDRILO_DADOS");
        qunsetenv("VENDRILO_GDB");
        janela = new TfrmPrincipal;
        janela->show();
        processa();
        passo = new ComandosPasso(janela, new ComandosTraducao(janela));
    }
    void TearDown() override
    {
        DefineLancadorConsole(nullptr);
        dialogos.respostasCaixa.clear();
        if (janela) {
            for (TFrmFilha* f : janela->filhas())
                f->memEditor->setModified(false);
            janela->close();
            delete janela;
        }
        processa();
        qunsetenv("VENDRILO_GDB");
        // Nada de gdb nem programa sobrando depois da janela.
        EXPECT_EQ(filhos("gdb"), 0);
        EXPECT_EQ(programasEm(pasta.path()), 0);
    }

    EditorVendrilo* abre(const QByteArray& bytes)
    {
        const QString caminho = pasta.path() + QStringLiteral("/algoritmo.alg");
        escreve(caminho, bytes);
        TFrmFilha* filha = janela->filhaAtiva();
        EXPECT_TRUE(janela->documentos().carrega(filha, caminho));
        return filha->memEditor;
    }

    // Dispara a ação (ou tecla o atalho dela no editor) e espera a janela
    // mostrar a parada seguinte.
    void anda(const char* acao, QWidget* teclado = nullptr)
    {
        QSignalSpy mostrada(passo, &ComandosPasso::paradaMostrada);
        QAction* a = janela->acao(QString::fromLatin1(acao));
        ASSERT_TRUE(a->isEnabled()) << acao;
        if (teclado)
            QTest::keySequence(teclado, a->shortcut());
        else
            a->trigger();
        ASSERT_TRUE(mostrada.count() > 0 || mostrada.wait(Prazo)) << acao;
    }

    // "nome=valor" do painel de variáveis, na ordem, rotinas como "rotina.nome".
    QStringList variaveis() const
    {
        QStringList v;
        QTreeWidget* arvore = passo->painelVariaveis()->arvore();
        for (int i = 0; i < arvore->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = arvore->topLevelItem(i);
            if (item->text(1).isEmpty() && item->childCount() > 0) { // grupo de uma rotina
                for (int k = 0; k < item->childCount(); ++k)
                    v << item->child(k)->text(0) + QLatin1Char('=') + item->child(k)->text(1);
            } else {
                v << item->text(0) + QLatin1Char('=') + item->text(1);
            }
        }
        return v;
    }

    // A última linha do teste de mesa (passo, linha e as variáveis).
    QStringList ultimaLinhaTesteMesa() const
    {
        QAbstractItemModel* m = passo->painelTesteMesa()->tabela()->model();
        QStringList v;
        for (int c = 0; m->rowCount() > 0 && c < m->columnCount(); ++c)
            v << m->index(m->rowCount() - 1, c).data().toString();
        return v;
    }

    // Clica na margem dos marcadores, na altura da linha (a partir de 0).
    void clicaMargem(EditorVendrilo* e, int linha)
    {
        const long pos = e->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, linha);
        const int y = int(e->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, pos));
        const int altura = int(e->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0UL));
        QTest::mouseClick(e->viewport(), Qt::LeftButton, {}, QPoint(e->marginWidth(0) + 5, y + altura / 2));
    }

    QTemporaryDir pasta;
    DialogosRoteirizados dialogos;
    TfrmPrincipal* janela = nullptr;
    ComandosPasso* passo = nullptr;
};

TEST_F(PassoGui, TeclasDoPassoAPassoNaoColidem)
{
    // Nenhuma outra ação da janela nem comando do editor usa estas teclas.
    const EditorVendrilo* e = janela->filhaAtiva()->memEditor;
    for (const char* nome : {"PassoAPasso1", "ProximaLinha1", "EntrarRotina1", "ContinuarParada1",
                             "PararPasso1", "AlternarParada1"}) {
        const QKeySequence tecla = janela->acao(QString::fromLatin1(nome))->shortcut();
        ASSERT_FALSE(tecla.isEmpty()) << nome;
        int usos = 0;
        for (const QAction* a : janela->findChildren<QAction*>())
            usos += a->shortcuts().contains(tecla);
        EXPECT_EQ(usos, 1) << nome;
        EXPECT_EQ(e->standardCommands()->boundTo(tecla[0].toCombined()), nullptr) << nome;
    }
}

TEST_F(PassoGui, LacoEFuncaoLinhaALinhaComParadaNaMargem)
{
    EditorVendrilo* e = abre(kLacoEFuncao);
    janela->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(janela));
    e->setFocus();
    EXPECT_FALSE(janela->acao(QStringLiteral("ProximaLinha1"))->isEnabled());
    // Parada num comentário, antes da sessão: o gdb a leva à linha 16.
    clicaMargem(e, 14);
    ASSERT_EQ(e->linhasComParada(), QList<int>{14});

    struct Passo {
        const char* acao;
        int linha; // a partir de 1
        QStringList variaveis;
        int margem = 0; // linha (a partir de 1) clicada na margem antes da ação
    };
    const QStringList zero{QStringLiteral("i=0"), QStringLiteral("Soma=0"), QStringLiteral("r=0")};
    const std::vector<Passo> roteiro = {
        {"PassoAPasso1", 9, zero},
        {"ProximaLinha1", 10, zero},
        {"ProximaLinha1", 11, {QStringLiteral("i=1"), QStringLiteral("Soma=0"), QStringLiteral("r=0")}},
        {"ProximaLinha1", 12, {QStringLiteral("i=1"), QStringLiteral("Soma=0"), QStringLiteral("r=0")}},
        {"ProximaLinha1", 13, {QStringLiteral("i=1"), QStringLiteral("Soma=1"), QStringLiteral("r=0")}},
        // Parada ligada e depois desligada pela margem, com a sessão em curso.
        {"ContinuarParada1",
         12,
         {QStringLiteral("i=2"), QStringLiteral("Soma=1"), QStringLiteral("r=0")},
         12},
        {"ContinuarParada1",
         16,
         {QStringLiteral("i=4"), QStringLiteral("Soma=6"), QStringLiteral("r=0")},
         12},
        {"EntrarRotina1",
         5,
         {QStringLiteral("i=4"), QStringLiteral("Soma=6"), QStringLiteral("r=0"), QStringLiteral("x=6"),
          QStringLiteral("t=0")}},
        {"ProximaLinha1",
         6,
         {QStringLiteral("i=4"), QStringLiteral("Soma=6"), QStringLiteral("r=0"), QStringLiteral("x=6"),
          QStringLiteral("t=12")}},
    };
    for (std::size_t k = 0; k < roteiro.size(); ++k) {
        const Passo& p = roteiro[k];
        if (p.margem > 0) {
            clicaMargem(e, p.margem - 1);
            processa();
        }
        anda(p.acao, e);
        ASSERT_TRUE(passo->ativa()) << "passo " << k << ": " << dialogos.textos().join(' ').toStdString();
        EXPECT_EQ(e->linhaExecucao() + 1, p.linha) << "passo " << k;
        EXPECT_EQ(variaveis(), p.variaveis) << "passo " << k;
        // Uma linha de teste de mesa por parada: passo, linha, variáveis.
        const QStringList mesa = ultimaLinhaTesteMesa();
        ASSERT_GE(mesa.size(), 2) << "passo " << k;
        EXPECT_EQ(mesa[0], QString::number(k + 1));
        EXPECT_EQ(mesa[1], QString::number(p.linha));
        if (k == 0) {
            EXPECT_EQ(e->linhasComParada(), QList<int>{15}) << "a parada vai para a linha com código";
        }
    }
    // A pilha mostra a função sobre o programa principal.
    EXPECT_EQ(passo->painelPilha()->lista()->topLevelItemCount(), 2);
    EXPECT_TRUE(e->isReadOnly());

    // Até o fim: a sessão acaba sozinha, o editor volta a aceitar edição.
    QSignalSpy encerrada(passo, &ComandosPasso::sessaoEncerrada);
    for (int k = 0; k < 10 && passo->ativa(); ++k)
        anda("ProximaLinha1");
    ASSERT_FALSE(passo->ativa());
    EXPECT_EQ(encerrada.count(), 1);
    EXPECT_EQ(janela->textoStatus(3), QStringLiteral("O programa terminou (código de saída 0)."));
    EXPECT_EQ(e->linhaExecucao(), -1);
    EXPECT_FALSE(e->isReadOnly());
    EXPECT_TRUE(janela->acao(QStringLiteral("PassoAPasso1"))->isEnabled());
    EXPECT_FALSE(janela->acao(QStringLiteral("ProximaLinha1"))->isEnabled());
}

TEST_F(PassoGui, EntradaNoConsoleLacoSemFimParadoEEdicaoPerguntada)
{
    // Com "Console no painel", o console do programa fica na janela principal.
    InstalaConsole(janela);
    janela->findChild<QAction*>(QStringLiteral("ConsoleNoPainel1"))->setChecked(true);
    EditorVendrilo* e = abre(kLeituraELacoSemFim);
    janela->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(janela));
    anda("PassoAPasso1");
    ASSERT_EQ(e->linhaExecucao() + 1, 3);
    auto* doca = qobject_cast<QDockWidget*>(passo->console()->parentWidget());
    ASSERT_NE(doca, nullptr);
    EXPECT_EQ(doca->parentWidget(), janela);

    // O LEIA espera o aluno: a janela segue viva e o console recebe a resposta.
    QSignalSpy mostrada(passo, &ComandosPasso::paradaMostrada);
    janela->acao(QStringLiteral("ProximaLinha1"))->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(
        janela->textoStatus(3).contains(QStringLiteral("esperando uma entrada no console")), 10000);
    EXPECT_EQ(mostrada.count(), 0);
    EXPECT_TRUE(passo->console()->hasFocus()) << "as teclas vão ao programa que espera";
    EXPECT_FALSE(janela->acao(QStringLiteral("ProximaLinha1"))->isEnabled());
    EXPECT_TRUE(janela->acao(QStringLiteral("PararPasso1"))->isEnabled());
    ASSERT_NE(passo->console(), nullptr);
    QTest::keyClicks(passo->console(), QStringLiteral("41"));
    QTest::keyClick(passo->console(), Qt::Key_Return);
    ASSERT_TRUE(mostrada.wait(Prazo));
    EXPECT_EQ(e->linhaExecucao() + 1, 4);
    EXPECT_EQ(variaveis(), (QStringList{QStringLiteral("n=41"), QStringLiteral("i=0")}));
    QTRY_VERIFY_WITH_TIMEOUT(passo->console()->textoLinha(0).contains(QStringLiteral("41")), 5000);

    // Editar durante a sessão pergunta antes: "Não" mantém a sessão e descarta a tecla.
    const QString antes = e->text();
    e->setFocus();
    dialogos.respostasCaixa.enqueue(Caixa::RespNao);
    QTest::keyClicks(e, QStringLiteral("x"));
    ASSERT_EQ(dialogos.perguntas.size(), 1);
    EXPECT_TRUE(dialogos.perguntas[0].texto.contains(QStringLiteral("Deseja terminar o passo a passo")));
    EXPECT_EQ(dialogos.perguntas[0].flags, unsigned(Caixa::SimNao | Caixa::IconePergunta));
    EXPECT_EQ(e->text(), antes);
    EXPECT_TRUE(passo->ativa());

    // Laço sem fim: Continuar não volta; Parar vale a qualquer momento.
    janela->acao(QStringLiteral("ContinuarParada1"))->trigger();
    QTest::qWait(500);
    EXPECT_TRUE(passo->controle().ocupada());
    QSignalSpy encerrada(passo, &ComandosPasso::sessaoEncerrada);
    janela->acao(QStringLiteral("PararPasso1"))->trigger();
    ASSERT_TRUE(encerrada.count() > 0 || encerrada.wait(Prazo));
    EXPECT_FALSE(passo->ativa());
    EXPECT_EQ(filhos("gdb"), 0);
    EXPECT_FALSE(e->isReadOnly());

    // Outra sessão; agora "Sim": a sessão acaba e a tecla entra.
    anda("PassoAPasso1");
    ASSERT_TRUE(passo->ativa());
    // Com a caixa de verdade, modal no meio da tecla do editor; Enter é o Sim.
    e->setCursorPosition(0, 0);
    defineDialogos(nullptr);
    QString pergunta;
    QTimer relogio;
    QObject::connect(&relogio, &QTimer::timeout, [&] {
        if (auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            relogio.stop();
            pergunta = caixa->text();
            QTest::keyClick(caixa, Qt::Key_Return);
        }
    });
    relogio.start(100);
    QTest::keyClicks(e, QStringLiteral("x"));
    relogio.stop();
    defineDialogos(&dialogos);
    EXPECT_TRUE(pergunta.contains(QStringLiteral("Deseja terminar o passo a passo"))) << pergunta.toStdString();
    EXPECT_FALSE(passo->ativa());
    EXPECT_TRUE(e->text().startsWith(QStringLiteral("xDECLARE")));
    EXPECT_EQ(e->linhaExecucao(), -1);

    // Fechar o documento no meio de uma sessão a encerra (sem gdb zumbi).
    e->undo();
    e->setModified(false);
    anda("PassoAPasso1");
    ASSERT_TRUE(passo->ativa());
    janela->fechaFilha(janela->filhaAtiva());
    processa();
    QTRY_VERIFY_WITH_TIMEOUT(!passo->ativa(), Prazo);
    QTRY_COMPARE_WITH_TIMEOUT(filhos("gdb"), 0, Prazo);
}

TEST_F(PassoGui, FecharAJanelaNoMeioDaSessaoNaoDeixaGdb)
{
    abre(kLeituraELacoSemFim);
    anda("PassoAPasso1");
    ASSERT_TRUE(passo->ativa());
    ASSERT_GT(filhos("gdb"), 0);
    // O programa fica esperando o LEIA: a sessão está no meio de um passo.
    janela->acao(QStringLiteral("ProximaLinha1"))->trigger();
    QTest::qWait(200);
    ASSERT_TRUE(passo->controle().ocupada());
    ASSERT_EQ(programasEm(pasta.path()), 1);
    janela->close();
    delete janela;
    janela = nullptr;
    processa();
    EXPECT_EQ(filhos("gdb"), 0);
}

// Sessões que acabam com uma mensagem (ou nem começam).
struct CasoFim {
    const char* nome;
    QByteArray algoritmo;
    const char* gdb; // VENDRILO_GDB; vazio: o do sistema
    bool continua; // Continuar depois da primeira parada
    const char* mensagem; // trecho da mensagem mostrada; vazio: nenhuma
    int linhaErro; // linha marcada como erro de execução (a partir de 1); 0: nenhuma
    bool painelErro; // o painel de erro da tradução, como no F9
};

void PrintTo(const CasoFim& c, std::ostream* os)
{
    *os << c.nome;
}

class FimDeSessao : public PassoGui, public ::testing::WithParamInterface<CasoFim> { };

TEST_P(FimDeSessao, MostraAMensagemEMarcaALinha)
{
    const CasoFim& c = GetParam();
    if (*c.gdb)
        qputenv("VENDRILO_GDB", c.gdb);
    EditorVendrilo* e = abre(c.algoritmo);
    QSignalSpy mostrada(passo, &ComandosPasso::paradaMostrada);
    janela->acao(QStringLiteral("PassoAPasso1"))->trigger();
    if (c.continua) {
        ASSERT_TRUE(mostrada.count() > 0 || mostrada.wait(Prazo));
        anda("ContinuarParada1");
    }
    QTRY_VERIFY_WITH_TIMEOUT(!passo->ativa(), Prazo);
    const QString texto = dialogos.textos().join(QLatin1Char('|'));
    if (*c.mensagem)
        EXPECT_TRUE(texto.contains(QString::fromUtf8(c.mensagem))) << texto.toStdString();
    else
        EXPECT_TRUE(texto.isEmpty()) << texto.toStdString();
    if (*c.gdb) {
        EXPECT_TRUE(texto.contains(QString::fromStdString(depuracao::MensagemSemGdb())))
            << texto.toStdString();
    }
    EXPECT_EQ(e->linhaErroExecucao() + 1, c.linhaErro);
    EXPECT_EQ(e->linhaExecucao(), -1);
    EXPECT_FALSE(e->isReadOnly());
    EXPECT_EQ(janela->filhaAtiva()->grbErro->isVisible(), c.painelErro);
    // Editado o texto, a marca do erro de execução sai.
    e->setFocus();
    QTest::keyClicks(e, QStringLiteral(" "));
    EXPECT_EQ(e->linhaErroExecucao(), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, FimDeSessao,
    ::testing::Values(CasoFim{"erro_de_execucao", kDivisaoPorZero, "", true,
                              "Erro de execução 200 na linha 5 do algoritmo: divisão por zero.", 5, false},
                      CasoFim{"gdb_ausente", kDivisaoPorZero, "gdb-que-nao-existe-17", false,
                              "pacote Debian \"gdb\"", 0, false},
                      CasoFim{"erro_de_compilacao", kErroCompilacao, "", false, "", 0, true}),
    [](const auto& info) { return std::string(info.param.nome); });

// Foto do README: uma sessão no meio do laço, com o console no painel.
int capturaTela(const QString& arquivo)
{
    QTemporaryDir pasta;
    qputenv("VENDRILO_PASTA", (pasta.path() + QStringLiteral("/programa")).toUtf8());
    DialogosRoteirizados dialogos;
    auto* janela = new TfrmPrincipal;
    janela->resize(1100, 720);
    janela->show();
    processa();
    // Os mesmos comandos que o programa liga ao partir: menus e barra completos na foto.
    new ComandosPesquisa(janela);
    auto* passo = new ComandosPasso(janela, new ComandosTraducao(janela));
    InstalaConsole(janela);
    LigaComandosGerais(janela);
    janela->findChild<QAction*>(QStringLiteral("ConsoleNoPainel1"))->setChecked(true);
    const QString caminho = pasta.path() + QStringLiteral("/SOMA.ALG");
    escreve(caminho, "{ soma de 1 a 3 e o dobro dela }\r\n" + kLacoEFuncao);
    janela->documentos().carrega(janela->filhaAtiva(), caminho);
    janela->filhaAtiva()->memEditor->defineParada(16, true);
    int falhas = 0;
    for (const char* acao : {"PassoAPasso1", "ProximaLinha1", "ProximaLinha1", "ProximaLinha1",
                             "ProximaLinha1", "ProximaLinha1", "ProximaLinha1", "ProximaLinha1"}) {
        QSignalSpy mostrada(passo, &ComandosPasso::paradaMostrada);
        janela->acao(QString::fromLatin1(acao))->trigger();
        falhas += !(mostrada.count() > 0 || mostrada.wait(Prazo));
    }
    QTest::qWait(300);
    if (falhas == 0 && !janela->grab().save(arquivo))
        falhas = 1;
    janela->close();
    delete janela;
    return falhas == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    return vendrilo::teste::RodaTestesQt(argc, argv, TituloAplicacao(), capturaTela);
}
