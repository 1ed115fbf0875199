// Comandos da janela principal que levam às outras funções, com as janelas
// de verdade (plataforma offscreen): cada item e botão aparece e chega ao
// seu módulo. Também tira as fotos do README (--captura, sob Xvfb).

#include "partida_testes_qt.h"
#include "arquivos_teste.h"
#include "comm/atualizacao/frm_atualizar.h"
#include "comm/email/frm_envio.h"
#include "dialogos_roteirizados.h"
#include "impressora_pdf.h"
#include "learning/frm_ajuda.h"
#include "learning/frm_lista.h"
#include "learning/frm_mudou.h"
#include "learning/frm_sobre.h"
#include "platform/calculadora.h"
#include "platform/processador_texto.h"
#include "translate/tabela_palavras.h"
#include "workspace/acoes_principal.h"
#include "workspace/comandos_gerais.h"
#include "workspace/comandos_traducao.h"
#include "workspace/dialogos_pesquisa.h"
#include "workspace/documentos.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/pesquisa.h"
#include "workspace/principal.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <ostream>

using namespace vendrilo;
using vendrilo::teste::DialogosRoteirizados;
using vendrilo::teste::escreve;
using vendrilo::teste::processa;
using vendrilo::teste::ImpressoraPdf;

// Mensagens de falha legíveis para textos do Qt.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

const QString kTitulo = QStringLiteral("Vendrilo de Algoritmos - Versão 2.4");

// Quando a próxima janela modal aparecer (diferente de `anterior`), roda
// `passo` com ela; a janela é fechada depois, se `passo` não a fechou.
// Devolve o relógio que espera, para quem precise desistir dele.
QPointer<QTimer> quandoModal(std::function<void(QWidget*)> passo, QWidget* anterior = nullptr)
{
    auto* relogio = new QTimer;
    auto inicio = std::make_shared<QElapsedTimer>();
    inicio->start();
    QObject::connect(relogio, &QTimer::timeout, [relogio, anterior, passo, inicio] {
        QWidget* modal = QApplication::activeModalWidget();
        if (inicio->elapsed() > 30000) {
            relogio->stop();
            relogio->deleteLater();
            ADD_FAILURE() << "nenhuma janela modal apareceu";
            return;
        }
        if (!modal || modal == anterior || !modal->isVisible())
            return;
        relogio->stop();
        relogio->deleteLater();
        QPointer<QWidget> vigia(modal);
        passo(modal);
        if (vigia && vigia->isVisible())
            vigia->close();
    });
    relogio->start(10);
    return relogio;
}

// Espera (com limite generoso) que um arquivo apareça: o processo iniciado
// desligado roda por conta própria.
bool esperaArquivo(const QString& caminho)
{
    QElapsedTimer t;
    t.start();
    while (!QFile::exists(caminho) && t.elapsed() < 30000)
        QTest::qWait(20);
    return QFile::exists(caminho);
}

// Janela principal montada como na partida, numa pasta do programa temporária.
class ComandosGeraisTeste : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pasta.isValid());
        qputenv("VENDRILO_PASTA", pasta.path().toUtf8());
        janela = new TfrmPrincipal;
        pesquisa = new ComandosPesquisa(janela);
        new ComandosTraducao(janela);
        gerais = LigaComandosGerais(janela);
        janela->show();
        processa();
    }
    void TearDown() override
    {
        dialogos.respostasCaixa.clear();
        for (TFrmFilha* f : janela->filhas())
            f->memEditor->setModified(false);
        janela->close();
        delete janela;
        processa();
        qunsetenv("VENDRILO_PASTA");
    }
    QString em(const QString& nome) const { return pasta.filePath(nome); }
    QAction* acao(const char* nome) const { return janela->acao(QString::fromLatin1(nome)); }

    QTemporaryDir pasta{QStringLiteral("/tmp/vgXXXXXX")};
    DialogosRoteirizados dialogos;
    TfrmPrincipal* janela = nullptr;
    ComandosPesquisa* pesquisa = nullptr;
    ComandosGerais* gerais = nullptr;
};

// --- Tudo à vista ---------------------------------------------------------

// Itens de menu e botões da barra, como a janela principal os lista.
const char* const kComandos[] = {
    "Novo1",
    "Abrir1",
    "Salvar1",
    "SalvarComo1",
    "Fechar1",
    "FecharTudo1",
    "Configurar1",
    "Imprimir1",
    "ComVendrilo1",
    "UsarWord1",
    "Sair1",
    "Desfazer1",
    "Refazer1",
    "Recortar1",
    "Copiar1",
    "Colar1",
    "Selecionartudo1",
    "Localizartexto1",
    "actSearch",
    "actSearchNext1",
    "actSearchPrev1",
    "actSearchReplace1",
    "actLinha",
    "Traduzir1",
    "Executar1",
    "Calculadora1",
    "EnviodeAlgoritmos1",
    "AtualizarVendrilo1",
    "Ajuda2",
    "Exemplos1",
    "Oquemudou1",
    "VerificarInstalacao1",
    "Sobre2",
    "EmCascata1",
    "Ladoalado1",
    "MinimizarTudo1",
    "btnNovo",
    "btnAbrir",
    "btnSalvar",
    "btnImprimir",
    "btnRecortar",
    "btnCopiar",
    "btnColar",
    "btnDesfazer",
    "btnRedo",
    "btnSearch",
    "btnSearchFw",
    "btnSearchBw",
    "btnSearchRep",
    "btnLinha",
    "btnTraduzir",
    "btnExecutar",
    "btnCalculadora",
    "btnLista",
    "ToolButton3",
    "btnUpdate",
    "btnSair",
};

class CadaComando : public ComandosGeraisTeste, public ::testing::WithParamInterface<const char*> {};

TEST_P(CadaComando, visivelNoMenuOuNaBarra)
{
    QAction* a = acao(GetParam());
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->isVisible());
    const QString nome = QString::fromLatin1(GetParam());
    if (nome.startsWith(QStringLiteral("btn")) || nome == QStringLiteral("ToolButton3")) {
        QWidget* botao = janela->acoes().barra()->widgetForAction(a);
        ASSERT_NE(botao, nullptr);
        EXPECT_TRUE(botao->isVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(JanelaPrincipal, CadaComando, ::testing::ValuesIn(kComandos),
                         [](const auto& info) { return std::string(info.param); });

TEST_F(ComandosGeraisTeste, osSeisMenusNaBarra)
{
    QStringList visiveis;
    for (QAction* m : janela->menuBar()->actions())
        if (m->isVisible())
            visiveis << m->text();
    EXPECT_EQ(visiveis, (QStringList{QStringLiteral("&Arquivo"), QStringLiteral("&Editar"),
                                     QStringLiteral("Fe&rramentas"), QStringLiteral("&Web"),
                                     QStringLiteral("&Janela"), QStringLiteral("Aj&uda")}));
}

TEST_F(ComandosGeraisTeste, semDocumentoOsComandosQueNaoPrecisamDeleContinuamHabilitados)
{
    acao("FecharTudo1")->trigger();
    processa();
    ASSERT_TRUE(janela->filhas().isEmpty());
    for (const char* nome : {"Calculadora1", "btnCalculadora", "EnviodeAlgoritmos1", "ToolButton3",
                             "AtualizarVendrilo1", "btnUpdate", "Ajuda2", "Exemplos1", "btnLista",
                             "Oquemudou1", "Sobre2"})
        EXPECT_TRUE(acao(nome)->isEnabled()) << nome;
}

// Atalhos de teclado, pressionados na janela ativa: cada um chega ao seu
// comando (Ctrl+I fica com "&Imprimir", Ctrl+S é o Sobre).
struct CasoAtalho {
    const char* nome;
    QKeySequence tecla;
    const char* modal; // classe da janela modal esperada, ou nulo
};
void PrintTo(const CasoAtalho& c, std::ostream* os) { *os << c.nome; }

class Atalho : public ComandosGeraisTeste, public ::testing::WithParamInterface<CasoAtalho> {};

TEST_P(Atalho, abreAJanelaDoComando)
{
    janela->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(janela));
    QString vista;
    QPointer<QTimer> relogio =
        quandoModal([&](QWidget* modal) { vista = QString::fromLatin1(modal->metaObject()->className()); });
    QTest::keySequence(janela, GetParam().tecla);
    processa();
    EXPECT_EQ(vista, QString::fromLatin1(GetParam().modal));
    delete relogio.data(); // nada apareceu: o relógio não espera mais
}

INSTANTIATE_TEST_SUITE_P(
    Teclas, Atalho,
    ::testing::Values(CasoAtalho{"ctrl_s_sobre", QKeySequence(QStringLiteral("Ctrl+S")), "vendrilo::TfrmSobre"},
                      CasoAtalho{"ctrl_m_o_que_mudou", QKeySequence(QStringLiteral("Ctrl+M")), "vendrilo::TfrmMudou"},
                      CasoAtalho{"shift_f1_exemplos", QKeySequence(QStringLiteral("Shift+F1")), "vendrilo::TFrmLista"},
                      CasoAtalho{"ctrl_u_atualizar", QKeySequence(QStringLiteral("Ctrl+U")), "vendrilo::TFrmAtualizar"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(ComandosGeraisTeste, teclasSemJanelaModal)
{
    janela->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(janela));
    // F7 sem calculadora instalada: o aviso.
    {
        QDir().mkpath(em(QStringLiteral("vazia")));
        const QByteArray antigo = qgetenv("PATH");
        qputenv("PATH", em(QStringLiteral("vazia")).toUtf8());
        QTest::keyClick(janela, Qt::Key_F7);
        qputenv("PATH", antigo);
        EXPECT_EQ(dialogos.textos(), QStringList{MensagemSemCalculadora()});
    }
    // Ctrl+I imprime o documento ativo (não abre o envio por e-mail).
    ImpressoraPdf impressora(em(QStringLiteral("saida.pdf")));
    QTest::keyClick(janela, Qt::Key_I, Qt::ControlModifier);
    processa();
    EXPECT_TRUE(QFile::exists(em(QStringLiteral("saida.pdf"))));
    EXPECT_FALSE(gerais->envio()->isVisible());
    // F1: a ajuda (aqui sem páginas, o aviso).
    dialogos.limpa();
    QTest::keyClick(janela, Qt::Key_F1);
    ASSERT_EQ(dialogos.textos().size(), 1);
    EXPECT_TRUE(dialogos.textos()[0].startsWith(QStringLiteral("A ajuda não foi encontrada")));
}

// --- Janelas de aprendizagem -----------------------------------------------

TEST_F(ComandosGeraisTeste, verificarInstalacaoMostraUmaLinhaPorVerificacao)
{
    acao("VerificarInstalacao1")->trigger();
    ASSERT_EQ(dialogos.textos().size(), 1);
    const QString texto = dialogos.textos().constFirst();
    EXPECT_TRUE(texto.startsWith(QStringLiteral("A instalação está completa."))) << texto.toStdString();
    EXPECT_EQ(texto.count(QStringLiteral("\nok    ")), 6) << texto.toStdString();
}

TEST_F(ComandosGeraisTeste, sobreAbreAJanelaCriadaNaPartida)
{
    ASSERT_NE(gerais->sobre(), nullptr);
    int aberturas = 0;
    for (const char* nome : {"Sobre2", "Sobre2"}) {
        quandoModal([&](QWidget* modal) {
            EXPECT_EQ(modal, gerais->sobre());
            EXPECT_EQ(modal->windowTitle(), kTitulo + QStringLiteral(" - Sobre - Créditos"));
            ++aberturas;
        });
        acao(nome)->trigger();
    }
    EXPECT_EQ(aberturas, 2) << "a mesma janela reabre";
}

TEST_F(ComandosGeraisTeste, oQueMudouMostraOArquivoComoEstaNoDiscoACadaVez)
{
    QStringList vistos;
    for (const QByteArray& conteudo : {QByteArray("Versão 2.4\n- primeira lista\n"),
                                       QByteArray("Versão 2.5\n- lista trocada\n")}) {
        escreve(em(QStringLiteral("versao.txt")), conteudo);
        quandoModal([&](QWidget* modal) {
            auto* mudou = qobject_cast<TfrmMudou*>(modal);
            ASSERT_NE(mudou, nullptr);
            vistos << mudou->Memo1->toPlainText();
        });
        acao("Oquemudou1")->trigger();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "o cursor de espera sai";
    }
    EXPECT_EQ(vistos, (QStringList{QStringLiteral("Versão 2.4\n- primeira lista\n"),
                                   QStringLiteral("Versão 2.5\n- lista trocada\n")}));
}

TEST_F(ComandosGeraisTeste, oQueMudouSemArquivoAvisaEAbreVazio)
{
    QString texto = QStringLiteral("não lido");
    quandoModal([&](QWidget* modal) { texto = qobject_cast<TfrmMudou*>(modal)->Memo1->toPlainText(); });
    acao("Oquemudou1")->trigger();
    EXPECT_TRUE(texto.isEmpty());
    ASSERT_EQ(dialogos.textos().size(), 1);
    EXPECT_TRUE(dialogos.textos()[0].contains(QStringLiteral("versao.txt"))) << dialogos.textos()[0].toStdString();
}

TEST_F(ComandosGeraisTeste, ajudaAbreAsPaginasSemBloquearAJanela)
{
    escreve(em(QStringLiteral("hlp/index.html")), "<html><body><h1>Ajuda do pseudoc&oacute;digo</h1></body></html>");
    EXPECT_EQ(gerais->ajuda(), nullptr);
    acao("Ajuda2")->trigger();
    processa();
    TfrmAjuda* ajuda = gerais->ajuda();
    ASSERT_NE(ajuda, nullptr);
    EXPECT_TRUE(ajuda->isVisible());
    EXPECT_FALSE(ajuda->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(ajuda->Navegador->source(), QUrl::fromLocalFile(em(QStringLiteral("hlp/index.html"))));
    EXPECT_TRUE(ajuda->Navegador->toPlainText().contains(QStringLiteral("Ajuda do pseudocódigo")));
    // F1 de novo: a mesma janela.
    acao("Ajuda2")->trigger();
    EXPECT_EQ(gerais->ajuda(), ajuda);
    EXPECT_TRUE(dialogos.textos().isEmpty());
}

// Ctrl+F1 com o cursor numa palavra-chave abre a referência na linha dela;
// fora de palavra-chave, o início da ajuda (como F1).
TEST_F(ComandosGeraisTeste, ctrlF1AbreAAjudaDaPalavraDoCursor)
{
    escreve(em(QStringLiteral("hlp/index.html")), "<html><body>inicio da ajuda</body></html>");
    escreve(em(QStringLiteral("hlp/referencia.html")), "<html><body>referencia</body></html>");
    const auto tipo = [](const char* p) { return QStringLiteral("tipo-%1").arg(ProcuraPalavra(p)->tipo); };
    const struct {
        const char* linha;
        int coluna;
        QString ancora; // vazia: o início da ajuda
    } casos[] = {
        {"   se x > 0 entao", 4, tipo("SE")},
        {"   SE x > 0 entao", 3, tipo("SE")},
        {"   mostre-pl(x);", 8, tipo("MOSTRE-PL")},
        {"   leia-pl (idade)", 3, tipo("LEIA-PL")},
        {"   x <- 0", 3, QString()},
        {"   início", 5, QString()},
        {"", 0, QString()},
    };
    EditorVendrilo* editor = janela->filhaAtiva()->memEditor;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.linha);
        janela->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(janela));
        editor->setText(QString::fromUtf8(c.linha));
        editor->posicionaCursor(0, c.coluna);
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_F1, Qt::ControlModifier);
        processa();
        ASSERT_NE(gerais->ajuda(), nullptr);
        const QUrl fonte = gerais->ajuda()->Navegador->source();
        EXPECT_TRUE(gerais->ajuda()->isVisible());
        EXPECT_EQ(fonte.fileName(),
                  c.ancora.isEmpty() ? QStringLiteral("index.html") : QStringLiteral("referencia.html"));
        EXPECT_EQ(fonte.fragment(), c.ancora);
        gerais->ajuda()->close();
    }
    EXPECT_TRUE(dialogos.textos().isEmpty());
}

TEST_F(ComandosGeraisTeste, ajudaSemPaginasAvisa)
{
    acao("Ajuda2")->trigger();
    ASSERT_EQ(dialogos.textos().size(), 1);
    EXPECT_TRUE(dialogos.textos()[0].startsWith(QStringLiteral("A ajuda não foi encontrada")));
    EXPECT_FALSE(gerais->ajuda() && gerais->ajuda()->isVisible());
}

// --- Lista de exemplos -----------------------------------------------------

class ListaExemplosNaJanela : public ComandosGeraisTeste {
protected:
    void SetUp() override
    {
        ComandosGeraisTeste::SetUp();
        for (int i : {0, 9}) {
            const QString nome = QStringLiteral("exp/exp%1.alg").arg(i, 3, 10, QLatin1Char('0'));
            QDir().mkpath(em(QStringLiteral("exp")));
            ASSERT_TRUE(QFile::copy(QStringLiteral(VENDRILO_DADOS_FONTE "/") + nome, em(nome)));
        }
    }
    // Escolhe `linha` na lista de verdade e sai por "&Abrir" ou por "&Encerrar".
    void escolhe(const char* comando, int linha, bool abrir)
    {
        quandoModal([=](QWidget* modal) {
            auto* lista = qobject_cast<TFrmLista*>(modal);
            ASSERT_NE(lista, nullptr);
            EXPECT_EQ(lista->windowTitle(), kTitulo + QStringLiteral(" - Lista de Exemplos"));
            lista->Exemplos->setCurrentRow(linha);
            QTest::mouseClick(abrir ? lista->Executar : lista->Encerrar, Qt::LeftButton);
        });
        acao(comando)->trigger();
        processa();
    }
};

TEST_F(ListaExemplosNaJanela, exemploEscolhidoAbreComLegendaMinusculaESemAlteracao)
{
    escolhe("btnLista", 9, true);
    ASSERT_EQ(janela->filhas().size(), 2);
    TFrmFilha* filha = janela->filhaAtiva();
    EXPECT_EQ(filha->legenda(), QStringLiteral("exp009.alg"));
    EXPECT_EQ(filha->NomeArquivo, em(QStringLiteral("exp/exp009.alg")));
    EXPECT_FALSE(filha->memEditor->isModified());
    EXPECT_EQ(filha->memEditor->tabWidth(), 3);
    EXPECT_GT(filha->memEditor->numeroLinhas(), 3);
    EXPECT_EQ(janela->ExemploEscolhido, em(QStringLiteral("exp/exp009.alg")));
}

TEST_F(ListaExemplosNaJanela, encerrarNaoAbreNada)
{
    escolhe("Exemplos1", 0, false);
    EXPECT_EQ(janela->filhas().size(), 1);
    EXPECT_EQ(janela->ExemploEscolhido, QStringLiteral(" "));
}

TEST_F(ListaExemplosNaJanela, semDocumentoAbertoOExemploReativaOsComandos)
{
    acao("FecharTudo1")->trigger();
    processa();
    ASSERT_FALSE(acao("Salvar1")->isEnabled());
    escolhe("Exemplos1", 0, true);
    ASSERT_EQ(janela->filhas().size(), 1);
    EXPECT_EQ(janela->filhaAtiva()->legenda(), QStringLiteral("exp000.alg"));
    EXPECT_TRUE(acao("Salvar1")->isEnabled());
    EXPECT_TRUE(acao("btnTraduzir")->isEnabled());
}

// --- Web: envio e atualização ----------------------------------------------

TEST_F(ComandosGeraisTeste, envioDeAlgoritmosAbreAJanelaDeEnvioPeloMenuEPeloBotao)
{
    ASSERT_NE(gerais->envio(), nullptr);
    EXPECT_EQ(gerais->envio()->pastaPrograma(), pasta.path());
    int aberturas = 0;
    for (const char* nome : {"EnviodeAlgoritmos1", "ToolButton3"}) {
        quandoModal([&](QWidget* modal) {
            EXPECT_EQ(modal, gerais->envio());
            EXPECT_EQ(modal->windowTitle(), kTitulo + QStringLiteral(" - Envio de Algorimos"));
            ++aberturas;
        });
        acao(nome)->trigger();
    }
    EXPECT_EQ(aberturas, 2);
}

TEST_F(ComandosGeraisTeste, atualizarCriaUmaJanelaNovaACadaVezEADestroi)
{
    for (const char* nome : {"btnUpdate", "AtualizarVendrilo1"}) {
        QPointer<QWidget> vista;
        quandoModal([&](QWidget* modal) {
            EXPECT_NE(qobject_cast<TFrmAtualizar*>(modal), nullptr);
            EXPECT_EQ(modal->windowTitle(), kTitulo + QStringLiteral(" - Atualização"));
            vista = modal;
        });
        acao(nome)->trigger();
        processa();
        EXPECT_TRUE(vista.isNull()) << nome << ": a janela é destruída ao fechar";
    }
    EXPECT_TRUE(janela->isVisible()) << "fechar a atualização não fecha o programa";
}

// --- Calculadora ------------------------------------------------------------

// PATH só com a pasta dada, restaurado no fim.
class PathTemporario {
public:
    explicit PathTemporario(const QString& pasta) : antigo_(qgetenv("PATH")) { qputenv("PATH", pasta.toUtf8()); }
    ~PathTemporario() { qputenv("PATH", antigo_); }

private:
    QByteArray antigo_;
};

class Calculadora : public ComandosGeraisTeste {
protected:
    // Uma calculadora falsa: grava a própria chamada em `marca`.
    void instala(const QString& nome, const QString& marca, const QByteArray& interpretador = "/bin/sh")
    {
        const QString caminho = em(QStringLiteral("bin/") + nome);
        escreve(caminho, "#!" + interpretador + "\necho \"$0\" > '" + QFile::encodeName(marca) + "'\n");
        QFile::setPermissions(caminho, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString bin() const { return em(QStringLiteral("bin")); }
};

TEST_F(Calculadora, semNenhumaInstaladaAvisaEmPortugues)
{
    QDir().mkpath(bin());
    PathTemporario path(bin());
    EXPECT_TRUE(ProcuraCalculadora().isEmpty());
    acao("Calculadora1")->trigger();
    acao("btnCalculadora")->trigger();
    ASSERT_EQ(dialogos.perguntas.size(), 2);
    for (const auto& p : dialogos.perguntas) {
        EXPECT_EQ(p.texto, MensagemSemCalculadora());
        EXPECT_EQ(p.titulo, kTitulo);
        EXPECT_EQ(p.flags, unsigned(Caixa::IconeAviso));
    }
    EXPECT_TRUE(MensagemSemCalculadora().startsWith(QStringLiteral("Nenhuma calculadora instalada")));
}

TEST_F(Calculadora, instaladaEIniciadaSemEsperarPeloFim)
{
    const QString marca = em(QStringLiteral("chamou.txt"));
    instala(QStringLiteral("galculator"), marca);
    PathTemporario path(bin());
    acao("btnCalculadora")->trigger();
    ASSERT_TRUE(esperaArquivo(marca));
    EXPECT_TRUE(dialogos.textos().isEmpty()) << dialogos.textos().join(u'|').toStdString();
    QFile::remove(marca);
    acao("Calculadora1")->trigger();
    EXPECT_TRUE(esperaArquivo(marca)) << "F7 também";
}

struct CasoPreferencia {
    const char* nome;
    QStringList instaladas;
    QString escolhida;
};
void PrintTo(const CasoPreferencia& c, std::ostream* os) { *os << c.nome; }

class PreferenciaCalculadora : public Calculadora, public ::testing::WithParamInterface<CasoPreferencia> {};

TEST_P(PreferenciaCalculadora, primeiraDaListaQueEstiverInstalada)
{
    const QString marca = em(QStringLiteral("chamou.txt"));
    for (const QString& nome : GetParam().instaladas)
        instala(nome, marca);
    PathTemporario path(bin());
    EXPECT_EQ(ProcuraCalculadora(), em(QStringLiteral("bin/") + GetParam().escolhida));
    acao("Calculadora1")->trigger();
    ASSERT_TRUE(esperaArquivo(marca));
    QFile f(marca);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()).trimmed(), em(QStringLiteral("bin/") + GetParam().escolhida));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, PreferenciaCalculadora,
    ::testing::Values(
        CasoPreferencia{"so_xcalc", {QStringLiteral("xcalc")}, QStringLiteral("xcalc")},
        CasoPreferencia{"kcalc_antes_de_xcalc", {QStringLiteral("xcalc"), QStringLiteral("kcalc")}, QStringLiteral("kcalc")},
        CasoPreferencia{"gnome_antes_de_todas",
                        {QStringLiteral("mate-calc"), QStringLiteral("galculator"), QStringLiteral("gnome-calculator")},
                        QStringLiteral("gnome-calculator")}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Calculadora, queNaoIniciaAvisaComOCaminho)
{
    instala(QStringLiteral("xcalc"), em(QStringLiteral("nunca.txt")), "/nao/existe/interpretador");
    PathTemporario path(bin());
    acao("Calculadora1")->trigger();
    ASSERT_EQ(dialogos.textos().size(), 1);
    EXPECT_EQ(dialogos.textos()[0],
              QStringLiteral("Não foi possível iniciar a calculadora \"%1\".").arg(em(QStringLiteral("bin/xcalc"))));
}

// --- Impressão ---------------------------------------------------------------

// Conta as conexões pedidas e nunca acha processador nenhum.
class ProcessadorAusente final : public ProcessadorTexto {
public:
    ProcessadorAusente() { defineProcessadorTexto(this); }
    ~ProcessadorAusente() override { defineProcessadorTexto(nullptr); }
    bool conecta() override { ++conexoes; return false; }
    bool conectado() const override { return false; }
    QString abreDocumentoNovo(const QString&) override { return MensagemSemProcessador(); }
    int conexoes = 0;
};

TEST(CriacaoDaJanela, conectaAoProcessadorDeTextosSemAvisarNada)
{
    DialogosRoteirizados dialogos;
    ProcessadorAusente ausente;
    TfrmPrincipal janela;
    EXPECT_EQ(ausente.conexoes, 1);
    EXPECT_TRUE(dialogos.perguntas.isEmpty());
    EXPECT_TRUE(janela.VersaoWindows.isEmpty());
}

TEST_F(ComandosGeraisTeste, usarWordRefazACriacaoEAvisaSemProcessador)
{
    ProcessadorAusente ausente;
    janela->setWindowTitle(QStringLiteral("outro"));
    acao("UsarWord1")->trigger();
    EXPECT_GE(ausente.conexoes, 1);
    // A área de documentos acrescenta " - [SemNome1]" ao título com o documento maximizado.
    EXPECT_TRUE(janela->windowTitle().startsWith(kTitulo)) << "a criação foi refeita";
    ASSERT_EQ(dialogos.textos().size(), 1);
    EXPECT_EQ(dialogos.textos()[0], MensagemSemProcessador());
}

TEST_F(ComandosGeraisTeste, imprimirLevaAsLinhasDoDocumentoAtivoAImpressora)
{
    ImpressoraPdf impressora(em(QStringLiteral("saida.pdf")));
    TFrmFilha* filha = janela->filhaAtiva();
    filha->memEditor->defineLinhas({QStringLiteral("inicio"), QStringLiteral("   mostre('média')"),
                                    QStringLiteral("fim")});
    for (const char* nome : {"btnImprimir", "Imprimir1"}) {
        QFile::remove(em(QStringLiteral("saida.pdf")));
        acao(nome)->trigger();
        EXPECT_EQ(vendrilo::teste::linhasComTexto(vendrilo::teste::textoDoPdf(em(QStringLiteral("saida.pdf")))),
                  (QStringList{QStringLiteral("inicio"), QStringLiteral("mostre('média')"), QStringLiteral("fim")}))
            << nome;
    }
    acao("Configurar1")->trigger();
    EXPECT_EQ(impressora.dialogosConfiguracao, 1);
    EXPECT_TRUE(dialogos.textos().isEmpty()) << dialogos.textos().join(u'|').toStdString();
}

// --- Fotos para o README (scripts/captura_janelas.sh, sob Xvfb) -------------

// A janela de busca aberta sobre um exemplo e a lista de exemplos. Não é um
// teste: roda só com --captura.
int capturaTelas(const QString& destino)
{
    QTemporaryDir pasta(QStringLiteral("/tmp/vgXXXXXX"));
    qputenv("VENDRILO_PASTA", pasta.path().toUtf8());
    QDir().mkpath(pasta.filePath(QStringLiteral("exp")));
    const QDir exemplos(QStringLiteral(VENDRILO_DADOS_FONTE "/exp"));
    for (const QString& nome : exemplos.entryList({QStringLiteral("*.alg")}, QDir::Files))
        QFile::copy(exemplos.filePath(nome), pasta.filePath(QStringLiteral("exp/") + nome));

    DialogosRoteirizados dialogos;
    auto* janela = new TfrmPrincipal;
    auto* pesquisa = new ComandosPesquisa(janela);
    new ComandosTraducao(janela);
    LigaComandosGerais(janela);
    janela->resize(900, 620);
    janela->move(40, 30);
    janela->show();
    processa();
    int falhas = 0;
    auto salva = [&](const QPixmap& foto, const char* nome) {
        const QString arquivo = destino + QLatin1Char('/') + QLatin1String(nome);
        if (foto.isNull() || !foto.save(arquivo)) {
            std::fprintf(stderr, "não foi possível gravar %s\n", qPrintable(arquivo));
            ++falhas;
        }
    };

    // A lista de exemplos com uma linha escolhida; "&Abrir" abre o exemplo.
    quandoModal([&](QWidget* modal) {
        auto* lista = qobject_cast<TFrmLista*>(modal);
        if (!lista)
            return;
        lista->Exemplos->setCurrentRow(12);
        QTest::qWait(300);
        salva(lista->screen()->grabWindow(lista->winId()), "tela_exemplos.png");
        QTest::mouseClick(lista->Executar, Qt::LeftButton);
    });
    janela->acao(QStringLiteral("btnLista"))->trigger();
    processa();

    // A busca sobre o exemplo aberto: a foto é da tela, com as duas janelas.
    pesquisa->memoria.TextoPesquisa = QStringLiteral("mostre-pl");
    quandoModal([&](QWidget* modal) {
        QTest::qWait(300);
        const QRect area = janela->frameGeometry().united(modal->frameGeometry());
        salva(janela->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()),
              "tela_pesquisa.png");
    });
    janela->acao(QStringLiteral("btnSearch"))->trigger();

    for (TFrmFilha* f : janela->filhas())
        f->memEditor->setModified(false);
    janela->close();
    delete janela;
    return falhas == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    return vendrilo::teste::RodaTestesQt(argc, argv, TituloAplicacao(), capturaTelas);
}
