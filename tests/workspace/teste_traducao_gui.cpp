// Comandos Traduzir e Executar na janela de verdade (plataforma offscreen),
// com respostas roteirizadas e o Free Pascal de verdade por trás do tpc.

#include "partida_testes_qt.h"
#include "arquivos_teste.h"
#include "console/abertura_console.h"
#include "console/janela_console.h"
#include "dialogos_roteirizados.h"
#include "platform/console.h"
#include "translate/tradutor.h"
#include "workspace/comandos_traducao.h"
#include "workspace/documentos.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/frm_erros_sintaxe.h"
#include "workspace/frm_sintaxe.h"
#include "workspace/principal.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

using namespace vendrilo;
using vendrilo::teste::DialogosRoteirizados;
using vendrilo::teste::escreve;
using vendrilo::teste::le;
using vendrilo::teste::processa;

namespace {

const QString kPerguntaSim = QStringLiteral("Algoritmo traduzido com sucesso. Deseja executar?");
const QString kNaoSalvo =
    QStringLiteral("Atenção!!! A tradução não será realizada!!! Seu algoritmo não está salvo!!!");

// Algoritmos em Windows-1252.
const QByteArray kSoma = "{ soma }\r\n"
                         "DECLARE a, b INTEIRO\r\n"
                         "INICIO\r\n"
                         "   LEIA-PL (a, b)\r\n"
                         "   MOSTRE-PL ('Soma: ', a + b)\r\n"
                         "FIM\r\n";
// "zz" não foi declarada: erro na linha 5, coluna 4 nas duas linguagens.
const QByteArray kErroLinha5 = "{ erro }\r\n"
                               "DECLARE a INTEIRO\r\n"
                               "INICIO\r\n"
                               "   a <- 1\r\n"
                               "   zz <- 2\r\n"
                               "FIM\r\n";
const QByteArray kSemFim = "DECLARE a INTEIRO\r\n"
                           "INICIO\r\n"
                           "   a <- 1\r\n";

// Roda `passo` quando aparecer uma janela modal diferente de `anterior`
// (a lista de erros, a janela de sintaxe). Cada espera tem o seu relógio,
// para que esperas aninhadas funcionem; desiste em 30 s.
void quandoModal(QWidget* anterior, std::function<void(QWidget*)> passo)
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
        passo(modal);
    });
    relogio->start(10);
}

class TraducaoGui : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Pasta como a de um aluno: nome longo, espaços e acentos em todo o caminho.
        pasta = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                QStringLiteral("/Área de Trabalho da Maria Silva XXXXXX"));
        ASSERT_TRUE(pasta->isValid());
        ASSERT_TRUE(QDir(pasta->path()).mkdir(QStringLiteral("Programas Lógica")));
        qputenv("VENDRILO_PASTA", em(QStringLiteral("Programas Lógica")).toUtf8());
        qunsetenv("VENDRILO_DADOS");
        DefineLancadorConsole([this](const PedidoConsole& p) {
            consoles.push_back(p.programa);
            return true;
        });
        janela = new TfrmPrincipal;
        janela->show();
        processa();
        comandos = new ComandosTraducao(janela);
    }
    void TearDown() override
    {
        DefineLancadorConsole(nullptr);
        if (janela) {
            dialogos.respostasCaixa.clear();
            for (TFrmFilha* f : janela->filhas())
                f->memEditor->setModified(false);
            janela->close();
            delete janela;
        }
        processa();
    }

    QString em(const QString& nome) const { return pasta->path() + QLatin1Char('/') + nome; }

    // Grava o algoritmo e o abre na janela ativa.
    TFrmFilha* abre(const QString& nome, const QByteArray& bytes)
    {
        escreve(em(nome), bytes);
        TFrmFilha* filha = janela->filhaAtiva();
        EXPECT_TRUE(janela->documentos().carrega(filha, em(nome)));
        return filha;
    }

    void traduz() { janela->acao(QStringLiteral("Traduzir1"))->trigger(); }

    int perguntasSimNaoCancelar() const
    {
        int n = 0;
        for (const auto& p : dialogos.perguntas)
            n += p.tipo == QStringLiteral("caixa") && p.flags == 0x33;
        return n;
    }

    DialogosRoteirizados dialogos;
    std::unique_ptr<QTemporaryDir> pasta;
    TfrmPrincipal* janela = nullptr;
    ComandosTraducao* comandos = nullptr;
    std::vector<std::string> consoles;
};

// --- Condições do comando -------------------------------------------------

struct CasoRecusa {
    const char* nome;
    bool salvo;            // o documento tem nome .ALG
    QByteArray conteudo;   // vazio: editor sem texto
    const char* mensagem;
};

void PrintTo(const CasoRecusa& c, std::ostream* os) { *os << c.nome; }

class RecusaTraducao : public TraducaoGui, public ::testing::WithParamInterface<CasoRecusa> {};

TEST_P(RecusaTraducao, MostraAMensagemENaoEscreveNada)
{
    const CasoRecusa& caso = GetParam();
    if (caso.salvo)
        abre(QStringLiteral("vazio.alg"), caso.conteudo);
    traduz();
    EXPECT_EQ(dialogos.textos(), QStringList{QString::fromUtf8(caso.mensagem)});
    EXPECT_TRUE(QDir(pasta->path()).entryList({QStringLiteral("*.pas"), QStringLiteral("*.exe")}).isEmpty());
    EXPECT_EQ(consoles.size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Condicoes, RecusaTraducao,
    ::testing::Values(
        CasoRecusa{"documento_sem_nome", false, {},
                   "Algoritmo ainda não foi salvo para ser traduzido, salve-o antes."},
        CasoRecusa{"editor_vazio", true, {}, "O seu algoritmo ainda não está editado."}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(TraducaoGui, UmaLinhaVaziaETraduzidaENaoRecusada)
{
    // Arquivo sem bytes continua recusado (tabela acima); uma linha vazia vai
    // ao tradutor, que lista os erros de estrutura.
    abre(QStringLiteral("vazio.alg"), QByteArray("\r\n"));
    bool listaAberta = false;
    quandoModal(nullptr, [&](QWidget* modal) {
        auto* lista = qobject_cast<TFrmErrosSintaxe*>(modal);
        ASSERT_NE(lista, nullptr);
        listaAberta = lista->ErrosSintaxe()->count() > 0;
        QTest::mouseClick(lista->Button1(), Qt::LeftButton);
    });
    traduz();
    EXPECT_TRUE(listaAberta);
    ASSERT_FALSE(dialogos.textos().isEmpty());
    EXPECT_TRUE(dialogos.textos()[0].startsWith(QStringLiteral("Atenção!!! O algoritmo apresenta")))
        << dialogos.textos()[0].toStdString();
}

class AlteradoNaoSalvo : public TraducaoGui, public ::testing::WithParamInterface<int> {};

TEST_P(AlteradoNaoSalvo, NaoTraduzEMantemOsArquivosAntigos)
{
    TFrmFilha* filha = abre(QStringLiteral("soma.alg"), kSoma);
    escreve(em(QStringLiteral("soma.pas")), "pas antigo");
    escreve(em(QStringLiteral("soma.exe")), "exe antigo");
    filha->memEditor->setCursorPosition(0, 0);
    QTest::keyClicks(filha->memEditor, QStringLiteral("x"));
    ASSERT_TRUE(filha->memEditor->isModified());

    dialogos.respostasCaixa.enqueue(GetParam());
    traduz();

    ASSERT_EQ(dialogos.perguntas.size(), 2);
    const auto& pergunta = dialogos.perguntas[0];
    EXPECT_EQ(pergunta.texto, QStringLiteral("Você deseja traduzir, mas o seu algoritmo foi alterado e não "
                                             "está salvo!!!\r\rDeseja salvar as alterações em ") +
                                  em(QStringLiteral("soma.alg")) + QStringLiteral("???\r"));
    EXPECT_EQ(pergunta.titulo, QStringLiteral("Vendrilo de Algoritmo"));
    EXPECT_EQ(pergunta.flags, 0x33u);
    EXPECT_EQ(dialogos.perguntas[1].texto, kNaoSalvo);
    EXPECT_EQ(le(em(QStringLiteral("soma.pas"))), QByteArray("pas antigo"));
    EXPECT_EQ(le(em(QStringLiteral("soma.exe"))), QByteArray("exe antigo"));
    EXPECT_EQ(le(em(QStringLiteral("soma.alg"))), kSoma);
    EXPECT_TRUE(filha->memEditor->isModified());
}

INSTANTIATE_TEST_SUITE_P(Respostas, AlteradoNaoSalvo, ::testing::Values(int(Caixa::RespNao), int(Caixa::RespCancelar)),
                         [](const auto& info) { return info.param == Caixa::RespNao ? "Nao" : "Cancelar"; });

TEST_F(TraducaoGui, AlteradoComSimGravaETraduzNoMesmoComando)
{
    TFrmFilha* filha = abre(QStringLiteral("soma.alg"), kSoma);
    escreve(em(QStringLiteral("soma.exe")), "exe antigo");
    filha->memEditor->setCursorPosition(0, 2);
    QTest::keyClicks(filha->memEditor, QStringLiteral("nova "));
    dialogos.respostasCaixa << Caixa::RespSim << Caixa::RespNao;

    traduz();

    EXPECT_EQ(perguntasSimNaoCancelar(), 1);
    EXPECT_EQ(dialogos.textos().last(), kPerguntaSim);
    EXPECT_FALSE(filha->memEditor->isModified());
    EXPECT_TRUE(le(em(QStringLiteral("soma.alg"))).startsWith("{ nova soma }\r\n"));
    // Sucesso sem a marca xpas.xno: fica o programa novo e o .pif, sai o .pas.
    EXPECT_NE(le(em(QStringLiteral("soma.exe"))), QByteArray("exe antigo"));
    EXPECT_FALSE(QFile::exists(em(QStringLiteral("soma.pas"))));
    EXPECT_TRUE(QFile::exists(em(QStringLiteral("soma.pif"))));
    EXPECT_TRUE(janela->ArquivoAtual.isEmpty());
    EXPECT_EQ(consoles.size(), 0u);
}

// --- Erros de estrutura: resumo, lista e página de sintaxe ------------------

TEST_F(TraducaoGui, ErrosDeEstruturaMostramResumoListaEPaginas)
{
    abre(QStringLiteral("semfim.alg"), kSemFim);
    QStringList linhasLista;
    QString tituloLista, tituloSintaxe, pagina0, aviso;
    int bipesAntesDaPagina = -1;
    bool listaVaziaAoFechar = false;

    quandoModal(nullptr, [&](QWidget* modal) {
        auto* lista = qobject_cast<TFrmErrosSintaxe*>(modal);
        ASSERT_NE(lista, nullptr);
        tituloLista = lista->windowTitle();
        for (int i = 0; i < lista->ErrosSintaxe()->count(); ++i)
            linhasLista << lista->ErrosSintaxe()->item(i)->text();
        QListWidget* l = lista->ErrosSintaxe();
        // Linha 0 (cabeçalho): só o aviso, nenhuma página.
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(0)).center());
        aviso = dialogos.textos().last();
        bipesAntesDaPagina = dialogos.bipes;
        // Linha numerada: a página do comando, fechada pelo "&Retornar".
        quandoModal(lista, [&](QWidget* sintaxe) {
            auto* janelaSintaxe = qobject_cast<TFrmSintaxe*>(sintaxe);
            ASSERT_NE(janelaSintaxe, nullptr);
            tituloSintaxe = janelaSintaxe->windowTitle();
            pagina0 = janelaSintaxe->linhas().value(0);
            QTest::mouseClick(janelaSintaxe->Retornar(), Qt::LeftButton);
        });
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(2)).center());
        janela->defineStatus(3, QStringLiteral("Lin: 1  Col: 1"));
        QTest::mouseClick(lista->Button1(), Qt::LeftButton);
        listaVaziaAoFechar = lista->ErrosSintaxe()->count() == 0;
    });
    traduz();

    ASSERT_GE(dialogos.textos().size(), 2);
    EXPECT_EQ(dialogos.textos()[0],
              QStringLiteral("Atenção!!! O algoritmo apresenta 1 erro de estrutura nos comandos básicos. "
                             "Será apresentada uma lista com estes erros, basta clicar na linha numerada com "
                             "a mensagem para ver a sintaxe correta do comando."));
    EXPECT_EQ(dialogos.perguntas[0].titulo, TituloAplicacao());
    EXPECT_EQ(aviso, QStringLiteral("Atenção!!! Clique na linha numerada do erro para ver a sintaxe do comando."));
    EXPECT_GE(bipesAntesDaPagina, 2); // o da lista e o do clique
    EXPECT_EQ(tituloLista, TituloAplicacao() + QStringLiteral(" - Lista de Erros de Sintaxe"));
    ASSERT_EQ(linhasLista.size(), 3);
    EXPECT_TRUE(linhasLista[2].contains(QStringLiteral("FIM"))) << linhasLista[2].toStdString();
    EXPECT_EQ(tituloSintaxe, TituloAplicacao() + QStringLiteral(" - Sintaxe de Comandos"));
    EXPECT_TRUE(pagina0.startsWith(QStringLiteral("O comando FIM é um marcador"))) << pagina0.toStdString();
    EXPECT_TRUE(listaVaziaAoFechar);
    EXPECT_TRUE(janela->textoStatus(3).isEmpty());
    // Nada compilado; o .pas fica para quem quiser lê-lo.
    EXPECT_TRUE(QFile::exists(em(QStringLiteral("semfim.pas"))));
    EXPECT_FALSE(QFile::exists(em(QStringLiteral("semfim.exe"))));
    EXPECT_FALSE(dialogos.textos().contains(kPerguntaSim));
    // O estado foi zerado: a próxima tradução de um algoritmo certo compila.
    EXPECT_EQ(comandos->tradutor().estado().TotalErros, 0);
    abre(QStringLiteral("soma.alg"), kSoma);
    dialogos.limpa();
    dialogos.respostasCaixa << Caixa::RespNao;
    traduz();
    EXPECT_EQ(dialogos.textos(), QStringList{kPerguntaSim});
}

TEST_F(TraducaoGui, ListaMostraALinhaDaFalhaEOCliqueDuploLevaOCursorAte_la)
{
    TFrmFilha* filha = abre(QStringLiteral("semfimse.alg"),
                            "DECLARE a INTEIRO\r\nINICIO\r\n   a <- 1\r\n   SE a > 0 ENTAO\r\n"
                            "      a <- 2\r\nFIM\r\n");
    QString texto, dica;
    int linhaDoItem = -1, aberturasAposDuplo = -1, linhaDoCursor = -1, coluna = -1;
    bool paginaAposClique = false;

    quandoModal(nullptr, [&](QWidget* modal) {
        auto* lista = qobject_cast<TFrmErrosSintaxe*>(modal);
        ASSERT_NE(lista, nullptr);
        QListWidget* l = lista->ErrosSintaxe();
        ASSERT_EQ(l->count(), 3);
        texto = l->item(2)->text();
        dica = l->item(2)->toolTip();
        linhaDoItem = l->item(2)->data(TFrmErrosSintaxe::PapelLinhaAlgoritmo).toInt();
        const QPoint centro = l->visualItemRect(l->item(2)).center();

        // Clique duplo: o cursor vai à linha, e a página de sintaxe não abre.
        int aberturas = 0;
        QObject::connect(lista->janelaSintaxe(), &QDialog::finished, [&] { ++aberturas; });
        // Pela janela, como o sistema entrega: aperta, solta, aperta (o Qt faz
        // dele o clique duplo) e solta.
        QTest::mouseDClick(lista->windowHandle(), Qt::LeftButton, {}, l->viewport()->mapTo(lista, centro));
        QTest::qWait(QApplication::doubleClickInterval() * 2);
        aberturasAposDuplo = aberturas;
        filha->memEditor->getCursorPosition(&linhaDoCursor, &coluna);

        // Clique simples, passado o intervalo do duplo: a página de sempre.
        quandoModal(lista, [&](QWidget* sintaxe) {
            paginaAposClique = qobject_cast<TFrmSintaxe*>(sintaxe) != nullptr;
            QTest::mouseClick(qobject_cast<TFrmSintaxe*>(sintaxe)->Retornar(), Qt::LeftButton);
        });
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, centro);
        QTRY_VERIFY_WITH_TIMEOUT(paginaAposClique, 10000);
        QTest::mouseClick(lista->Button1(), Qt::LeftButton);
    });
    traduz();

    EXPECT_EQ(texto, QStringLiteral("   1. Existe algum comando SE que não possui a finalização FIM-SE."));
    EXPECT_EQ(linhaDoItem, 4);
    EXPECT_TRUE(dica.contains(QStringLiteral("linha 4"))) << dica.toStdString();
    EXPECT_EQ(aberturasAposDuplo, 0);
    EXPECT_EQ(linhaDoCursor, 3); // o editor conta a partir de 0
    EXPECT_EQ(coluna, 0);
    EXPECT_TRUE(paginaAposClique);
}

// --- Erro de compilação: painel, título e cursor ----------------------------

TEST_F(TraducaoGui, ErroDeCompilacaoMarcaALinhaEAColunaNoEditor)
{
    TFrmFilha* filha = abre(QStringLiteral("erro.alg"), kErroLinha5);
    traduz();

    EXPECT_TRUE(dialogos.textos().isEmpty()) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(filha->grbErro->isHidden());
    EXPECT_EQ(filha->grbErro->title(), QStringLiteral("   Atenção!!! Erro detectado na linha [5]!!!   "));
    const QStringList painel = filha->memErro->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(painel.size(), 3);
    EXPECT_TRUE(painel[0].contains(QStringLiteral("erro.ALG(5)"))) << painel[0].toStdString();
    EXPECT_TRUE(painel[0].contains(QStringLiteral(": Erro "))) << painel[0].toStdString();
    EXPECT_EQ(painel[1], QStringLiteral("   zz <- 2"));
    EXPECT_EQ(painel[2].indexOf(QLatin1Char('^')), 3);
    EXPECT_EQ(janela->LinhaErro, 4);
    EXPECT_EQ(janela->LinhaErroExibida, 5);
    EXPECT_EQ(janela->ColunaErro, 4);
    EXPECT_EQ(filha->memEditor->linhaCursor(), 4);
    EXPECT_EQ(filha->memEditor->selectedText(), QStringLiteral("zz"));
    EXPECT_TRUE(janela->textoStatus(3).isEmpty());
    EXPECT_TRUE(janela->ArquivoAtual.isEmpty());
    EXPECT_FALSE(QFile::exists(em(QStringLiteral("erro.exe"))));
    EXPECT_TRUE(QFile::exists(em(QStringLiteral("erro.pas"))));
    EXPECT_TRUE(QFile::exists(em(QStringLiteral("erro.pif"))));
    EXPECT_FALSE(QFile::exists(em(QStringLiteral("Programas Lógica/ArquiTmp.tmp"))));

    // O clique no painel volta ao mesmo lugar; uma edição esconde o painel.
    filha->memEditor->setCursorPosition(0, 0);
    QTest::mouseClick(filha->memErro->viewport(), Qt::LeftButton);
    EXPECT_EQ(filha->memEditor->linhaCursor(), 4);
    EXPECT_EQ(filha->memEditor->selectedText(), QStringLiteral("zz"));
    // A coluna conta a partir de 1 nos dois caminhos: a 3 é o espaço antes de "zz".
    janela->ColunaErro = 3;
    QTest::mouseClick(filha->memErro->viewport(), Qt::LeftButton);
    int linha = -1, indice = -1;
    filha->memEditor->getCursorPosition(&linha, &indice);
    EXPECT_EQ(indice, 2);
    EXPECT_TRUE(filha->memEditor->selectedText().isEmpty());
    QTest::keyClicks(filha->memEditor, QStringLiteral("w"));
    EXPECT_TRUE(filha->grbErro->isHidden());
}

// A coluna é a do algoritmo (ENTAO vira THEN BEGIN, mais longo) e a dica
// aparece como quarta linha do painel; o clique volta à mesma coluna.
TEST_F(TraducaoGui, ErroDepoisDePalavraMaisLongaNoPascalComDica)
{
    const QString linha = QStringLiteral("   se x > 1 entao mostre-pl(x)");
    TFrmFilha* filha = abre(QStringLiteral("dica.alg"),
                            "declare x inteiro\ninicio\n" + linha.toLatin1() + "\n   fim-se\nfim\n");
    traduz();
    const QStringList painel = filha->memErro->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(painel.size(), 4) << filha->memErro->toPlainText().toStdString();
    const int coluna = linha.indexOf(QStringLiteral("mostre"));
    EXPECT_EQ(painel[2].indexOf(QLatin1Char('^')), coluna);
    EXPECT_EQ(painel[3], QStringLiteral("Dica: separe MOSTRE-PL do parêntese com um espaço."));
    filha->memEditor->setCursorPosition(0, 0);
    QTest::mouseClick(filha->memErro->viewport(), Qt::LeftButton);
    int l1 = -1, i1 = -1, l2 = -1, i2 = -1;
    filha->memEditor->getSelection(&l1, &i1, &l2, &i2);
    EXPECT_EQ(l1, 2);
    EXPECT_EQ(i1, coluna) << "a palavra sob o ^ fica selecionada a partir do seu começo";
}

// Um erro de compilação nunca passa calado, mesmo fora das linhas que o
// cursor alcança; o cursor só anda quando a linha é do algoritmo.
struct CasoBorda {
    const char* nome;
    QByteArray algoritmo;
    const char* titulo;
    int LinhaErro;
    int linhaCursor; // o cursor parte da linha 2
};

void PrintTo(const CasoBorda& c, std::ostream* os) { *os << c.nome; }

class ErroNaBorda : public TraducaoGui, public ::testing::WithParamInterface<CasoBorda> {};

TEST_P(ErroNaBorda, MostraOPainelEPoeOCursorSoEmLinhaDoAlgoritmo)
{
    const CasoBorda& caso = GetParam();
    TFrmFilha* filha = abre(QStringLiteral("borda.alg"), caso.algoritmo);
    filha->memEditor->setCursorPosition(2, 0);
    traduz();
    EXPECT_TRUE(dialogos.textos().isEmpty());
    EXPECT_FALSE(filha->grbErro->isHidden());
    EXPECT_EQ(filha->grbErro->title(), QString::fromUtf8(caso.titulo));
    EXPECT_EQ(filha->memErro->toPlainText().split(QLatin1Char('\n')).size(), 3);
    EXPECT_EQ(janela->LinhaErro, caso.LinhaErro);
    EXPECT_EQ(filha->memEditor->linhaCursor(), caso.linhaCursor);
}

INSTANTIATE_TEST_SUITE_P(
    Compilacao, ErroNaBorda,
    ::testing::Values(
        CasoBorda{"primeira_linha", "DECLARE a INTEIRO zz\r\nINICIO\r\n   a <- 1\r\nFIM\r\n",
                  "   Atenção!!! Erro detectado na linha [1]!!!   ", 0, 0},
        // O que vem antes da primeira declaração cai numa linha da moldura.
        CasoBorda{"antes_da_primeira_declaracao", "zz <- 1 DECLARE a INTEIRO\r\nINICIO\r\n   a <- 1\r\nFIM\r\n",
                  "   Atenção!!! Erro detectado na tradução!!!   ", -1, 2}),
    [](const auto& info) { return std::string(info.param.nome); });

// --- Sucesso e o comando Executar -------------------------------------------

TEST_F(TraducaoGui, SucessoComSimAbreOConsoleDoPrograma)
{
    abre(QStringLiteral("soma.alg"), kSoma);
    dialogos.respostasCaixa << Caixa::RespSim;
    traduz();

    ASSERT_EQ(dialogos.perguntas.size(), 1);
    EXPECT_EQ(dialogos.perguntas[0].texto, kPerguntaSim);
    EXPECT_EQ(dialogos.perguntas[0].titulo, TituloAplicacao());
    EXPECT_EQ(dialogos.perguntas[0].flags, 0x24u);
    ASSERT_EQ(consoles.size(), 1u);
    EXPECT_EQ(QString::fromStdString(consoles[0]), em(QStringLiteral("soma.exe")));
    EXPECT_TRUE(janela->textoStatus(0).isEmpty());
}

TEST_F(TraducaoGui, ExecutarSemProgramaAvisaEComProgramaAbreUmConsolePorVez)
{
    abre(QStringLiteral("nunca.alg"), kSoma);
    janela->acao(QStringLiteral("Executar1"))->trigger();
    EXPECT_EQ(dialogos.textos(),
              QStringList{QStringLiteral("O algoritmo ainda não foi traduzido. Faça a tradução para rodar.")});
    EXPECT_EQ(consoles.size(), 0u);

    dialogos.limpa();
    escreve(em(QStringLiteral("nunca.exe")), "#!/bin/sh\n");
    janela->acao(QStringLiteral("Executar1"))->trigger();
    janela->acao(QStringLiteral("btnExecutar"))->trigger();
    EXPECT_TRUE(dialogos.textos().isEmpty());
    ASSERT_EQ(consoles.size(), 2u);
    EXPECT_EQ(QString::fromStdString(consoles[1]), em(QStringLiteral("nunca.exe")));
}

// --- Arquivos de apoio e compilador que não termina ------------------------

TEST_F(TraducaoGui, ArquivosDeApoioFaltandoBipamEApagamOPas)
{
    // Sem dados para preencher a pasta do programa, falta a unidade AUTORIA.
    ASSERT_TRUE(QDir(pasta->path()).mkdir(QStringLiteral("nada")));
    qputenv("VENDRILO_DADOS", em(QStringLiteral("nada")).toUtf8());
    abre(QStringLiteral("soma.alg"), kSoma);
    traduz();
    qunsetenv("VENDRILO_DADOS");

    EXPECT_EQ(dialogos.bipes, 1);
    ASSERT_EQ(dialogos.textos().size(), 1);
    EXPECT_TRUE(dialogos.textos()[0].startsWith(
        QStringLiteral("Arquivos do Vendrilo de Algoritmos não estão completos!!! Contate a equipe do projeto. (")));
    EXPECT_FALSE(QFile::exists(em(QStringLiteral("soma.pas"))));
}

TEST_F(TraducaoGui, CompiladorQueNaoTerminaEInterrompidoSemCongelarAJanela)
{
    const QString prog = em(QStringLiteral("lento"));
    ASSERT_TRUE(QDir().mkpath(prog));
    for (const char* nome : {"autoria.ppu", "autoria.o", "tpc.pif"})
        escreve(prog + QLatin1Char('/') + QLatin1String(nome), "x");
    escreve(prog + QStringLiteral("/tpc"), "#!/bin/sh\nexec sleep 60\n");
    QFile::setPermissions(prog + QStringLiteral("/tpc"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("VENDRILO_PASTA", prog.toUtf8());
    comandos->defineLimite(std::chrono::milliseconds(1500));

    // Um relógio da janela continua batendo durante a espera; um segundo F9
    // e o fechamento da janela pedidos nesse meio tempo não fazem nada.
    int batidas = 0;
    bool ocupado = false;
    bool fechou = false;
    QTimer relogio;
    QObject::connect(&relogio, &QTimer::timeout, [&] {
        ++batidas;
        if (comandos->compilando() && !ocupado) {
            ocupado = true;
            janela->acao(QStringLiteral("Traduzir1"))->trigger();
            fechou = janela->close();
        }
    });
    relogio.start(50);
    abre(QStringLiteral("soma.alg"), kSoma);
    QElapsedTimer tempo;
    tempo.start();
    traduz();
    const qint64 ms = tempo.elapsed();

    EXPECT_LT(ms, 20000);
    EXPECT_GE(batidas, 10);
    EXPECT_TRUE(ocupado);
    EXPECT_FALSE(fechou);
    EXPECT_TRUE(janela->isVisible());
    EXPECT_FALSE(comandos->compilando());
    ASSERT_EQ(dialogos.textos().size(), 1);
    EXPECT_TRUE(dialogos.textos()[0].contains(QStringLiteral("não terminou"))) << dialogos.textos()[0].toStdString();
    EXPECT_FALSE(QFile::exists(em(QStringLiteral("soma.exe"))));
    EXPECT_TRUE(janela->ArquivoAtual.isEmpty());
}

// --- De ponta a ponta: digitado, F9, console de verdade --------------------

TEST_F(TraducaoGui, PontaAPontaDigitadoTraduzidoComF9ERodadoNoConsole)
{
    InstalaConsole(janela); // o console de verdade, como no programa
    TFrmFilha* filha = abre(QStringLiteral("digita.alg"), QByteArray());
    janela->activateWindow();
    filha->memEditor->setFocus();
    for (const QString& linha : {QStringLiteral("DECLARE a, b INTEIRO"), QStringLiteral("INICIO"),
                                 QStringLiteral("LEIA-PL (a, b)"), QStringLiteral("MOSTRE-PL ('Olá, soma: ', a + b)"),
                                 QStringLiteral("FIM")}) {
        for (const QChar c : linha) {
            if (c.unicode() < 0x80)
                QTest::keyClick(filha->memEditor, char(c.unicode()));
            else // keyClicks só conhece ASCII
                QTest::sendKeyEvent(QTest::Click, filha->memEditor, Qt::Key(c.toUpper().unicode()),
                                    QString(c), Qt::NoModifier);
        }
        QTest::keyClick(filha->memEditor, Qt::Key_Return);
    }
    dialogos.respostasCaixa << Caixa::RespSim << Caixa::RespSim;
    QTest::keyClick(filha->memEditor, Qt::Key_F9);

    ASSERT_EQ(dialogos.textos().size(), 2) << dialogos.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(dialogos.textos()[1], kPerguntaSim);
    EXPECT_TRUE(le(em(QStringLiteral("digita.alg"))).contains("MOSTRE-PL ('Ol\xe1, soma: ', a + b)"));

    // Uma janela de console nova, com o programa esperando a entrada.
    auto procuraJanela = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* j = qobject_cast<JanelaConsole*>(w); j && j->isVisible())
                return j;
        return static_cast<JanelaConsole*>(nullptr);
    };
    auto esperaTexto = [](JanelaConsole* j, const QString& texto) {
        QElapsedTimer tempo;
        tempo.start();
        auto tela = [j] {
            QString t;
            for (int l = 0; l < j->console()->tela().linhas(); ++l)
                t += j->console()->textoLinha(l) + QLatin1Char('\n');
            return t;
        };
        while (!tela().contains(texto) && tempo.elapsed() < 30000)
            QTest::qWait(20);
        EXPECT_TRUE(tela().contains(texto)) << tela().toStdString();
    };
    // A unidade CRT pergunta a posição do cursor ao começar; o que fosse
    // digitado antes disso se perderia, como num terminal qualquer.
    auto esperaPronto = [](JanelaConsole* j) {
        auto recebido = std::make_shared<QByteArray>();
        QObject::connect(j->console(), &ConsoleVendrilo::saidaRecebida, j,
                         [recebido](const QByteArray& b) { *recebido += b; });
        QElapsedTimer tempo;
        tempo.start();
        while (!recebido->contains("\x1b[6n") && tempo.elapsed() < 30000)
            QTest::qWait(10);
        QTest::qWait(100);
    };
    QPointer<JanelaConsole> console = procuraJanela();
    ASSERT_TRUE(console);
    esperaPronto(console);
    QTest::keyClicks(console->console(), QStringLiteral("3 4"));
    QTest::keyClick(console->console(), Qt::Key_Return);
    esperaTexto(console, QStringLiteral("Olá, soma: 7"));
    QTest::keyClick(console->console(), Qt::Key_Return); // o ENTER do fim fecha a janela
    processa();
    EXPECT_TRUE(console.isNull() || !console->isVisible());

    // Com "Console no painel", a execução seguinte fica sob o editor.
    QAction* noPainel = janela->findChild<QAction*>(QStringLiteral("ConsoleNoPainel1"));
    ASSERT_TRUE(noPainel);
    noPainel->setChecked(true);
    janela->acao(QStringLiteral("Executar1"))->trigger();
    auto* painel = janela->findChild<QDockWidget*>(QStringLiteral("PainelConsole"));
    ASSERT_TRUE(painel);
    JanelaConsole* doPainel = painel->findChild<JanelaConsole*>();
    ASSERT_TRUE(doPainel);
    esperaPronto(doPainel);
    QTest::keyClicks(doPainel->console(), QStringLiteral("1 2"));
    QTest::keyClick(doPainel->console(), Qt::Key_Return);
    esperaTexto(doPainel, QStringLiteral("Olá, soma: 3"));
}

// --- Fotos para o README (scripts/captura_erros.sh, sob Xvfb) -------------

// Tira as fotos do painel de erro, da lista de erros e de uma página de
// sintaxe, com o compilador de verdade. Não é um teste: roda só com --captura.
int capturaTelas(const QString& destino)
{
    QTemporaryDir pasta(QStringLiteral("/tmp/vcXXXXXX"));
    qputenv("VENDRILO_PASTA", (pasta.path() + QStringLiteral("/prog")).toUtf8());
    DialogosRoteirizados dialogos; // o aviso-resumo responde sozinho
    auto* janela = new TfrmPrincipal;
    janela->resize(900, 620);
    janela->show();
    processa();
    new ComandosTraducao(janela);
    TFrmFilha* filha = janela->filhaAtiva();
    int falhas = 0;
    auto salva = [&](QWidget* w, const char* nome) {
        const QString arquivo = destino + QLatin1Char('/') + QLatin1String(nome);
        // A foto da própria tela do X: o editor desenha direto nela.
        const QPixmap foto = w->screen()->grabWindow(w->winId());
        if (!foto.save(arquivo)) {
            std::fprintf(stderr, "não foi possível gravar %s\n", qPrintable(arquivo));
            ++falhas;
        }
    };

    const QString media = pasta.path() + QStringLiteral("/MEDIA.ALG");
    escreve(media, "{ALGORITMO....: MEDIA.ALG}\r\n{AUTOR........: Turma de Algoritmos}\r\n"
                   "{DESCRI\xc7\xc3O....: m\xe9" "dia de duas notas}\r\n\r\n"
                   "DECLARE n1, n2, media REAL\r\nINICIO\r\n   LEIA-PL (n1, n2)\r\n"
                   "   media <- (n1 + n2) / 2\r\n   MOSTRE-PL ('M\xe9" "dia: ', medai:0:2)\r\nFIM\r\n");
    janela->documentos().carrega(filha, media);
    janela->acao(QStringLiteral("Traduzir1"))->trigger();
    QTest::qWait(300);
    salva(janela, "tela_erro_painel.png");

    const QString conta = pasta.path() + QStringLiteral("/CONTA.ALG");
    escreve(conta, "DECLARE n INTEIRO\r\nINICIO\r\n   LEIA-PL (n)\r\n   SE n > 0 ENTAO\r\n"
                   "      MOSTRE-PL ('positivo')\r\n   ENQUANTO n > 0 FACA\r\n      n <- n - 1\r\n");
    janela->documentos().carrega(filha, conta);
    quandoModal(nullptr, [&](QWidget* modal) {
        auto* lista = qobject_cast<TFrmErrosSintaxe*>(modal);
        QTest::qWait(300);
        salva(lista, "tela_erro_lista.png");
        quandoModal(lista, [&](QWidget* sintaxe) {
            QTest::qWait(300);
            salva(sintaxe, "tela_erro_sintaxe.png");
            qobject_cast<TFrmSintaxe*>(sintaxe)->SintaxeRetornar();
        });
        lista->SelecionaErro(2);
        lista->EncerraListaErros();
    });
    janela->acao(QStringLiteral("Traduzir1"))->trigger();

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
