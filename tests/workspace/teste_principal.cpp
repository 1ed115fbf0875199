// Janela principal, documentos e editor de verdade, na plataforma offscreen.

#include "arquivos_incomuns.h"
#include "arquivos_teste.h"
#include "dialogos_roteirizados.h"
#include "workspace/acoes_principal.h"
#include "workspace/documentos.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/lista_comandos.h"
#include "workspace/lista_complecao.h"
#include "workspace/principal.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace vendrilo;
using vendrilo::teste::DialogosRoteirizados;
using vendrilo::teste::escreve;
using vendrilo::teste::le;
using vendrilo::teste::processa;

namespace {

class Principal : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Pasta curta em /tmp: a regra 8.3 vale também para a pasta de teste.
        pasta = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/vdXXXXXX"));
        ASSERT_TRUE(pasta->isValid());
        qputenv("VENDRILO_PASTA", pasta->path().toUtf8());
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override
    {
        if (janela) {
            dialogos.respostasCaixa.clear();
            for (TFrmFilha* f : janela->filhas())
                f->memEditor->setModified(false);
            janela->close();
            delete janela;
        }
        processa();
    }
    TfrmPrincipal* abre(const QStringList& argumentos = {})
    {
        janela = new TfrmPrincipal(argumentos);
        janela->show();
        processa();
        return janela;
    }
    QString em(const QString& nome) const { return pasta->path() + QLatin1Char('/') + nome; }
    void digita(TFrmFilha* f, const QString& texto) { QTest::keyClicks(f->memEditor, texto); }

    DialogosRoteirizados dialogos;
    std::unique_ptr<QTemporaryDir> pasta;
    TfrmPrincipal* janela = nullptr;
};

TEST_F(Principal, PartidaSemNome1ComONomeSelecionado)
{
    abre();
    ASSERT_EQ(janela->filhas().size(), 1);
    TFrmFilha* f = janela->filhaAtiva();
    EXPECT_EQ(f->legenda(), QStringLiteral("SemNome1"));
    EXPECT_EQ(f->NomeArquivo, QStringLiteral("SemNome1"));
    EXPECT_EQ(f->memEditor->selectedText(), QStringLiteral("SemNome1"));
    EXPECT_EQ(f->memEditor->colunaExibida(), 17);
    EXPECT_EQ(f->memEditor->numeroLinhas(), 18);
    EXPECT_TRUE(f->memEditor->linhas().at(0).startsWith(QStringLiteral("{ALGORITMO....: SemNome1    \t}")));
    EXPECT_EQ(f->memEditor->linhas().at(17), QStringLiteral("fim") + QString(21, QLatin1Char(' ')));
    EXPECT_FALSE(f->memEditor->isModified());
    EXPECT_FALSE(f->memEditor->podeDesfazer());
    EXPECT_EQ(janela->windowTitle().left(35), QStringLiteral("Vendrilo de Algoritmos - Versão 2.4"));
    for (const char* nome : {"btnCopiar", "btnRecortar", "btnRedo", "btnDesfazer", "Desfazer1", "Refazer1"})
        EXPECT_FALSE(janela->acao(QString::fromLatin1(nome))->isEnabled()) << nome;
    EXPECT_TRUE(janela->areaMdi()->subWindowList().first()->isMaximized());
}

TEST_F(Principal, NovoNumeraESelecionaDoisDigitos)
{
    abre();
    for (int i = 0; i < 10; ++i)
        janela->documentos().btnNovoClick();
    TFrmFilha* f = janela->filhaAtiva();
    EXPECT_EQ(f->legenda(), QStringLiteral("SemNome11"));
    EXPECT_EQ(f->memEditor->selectedText(), QStringLiteral("SemNome11"));
    EXPECT_EQ(f->memEditor->colunaExibida(), 17);
    EXPECT_EQ(janela->filhas().at(1)->legenda(), QStringLiteral("SemNome2"));
    // Documento novo fecha sem pergunta.
    EXPECT_TRUE(janela->fechaFilha(f));
    EXPECT_TRUE(dialogos.perguntas.isEmpty());
}

TEST_F(Principal, FecharDocumentoModificadoPerguntaPeloNome)
{
    abre();
    TFrmFilha* f = janela->filhaAtiva();
    digita(f, QStringLiteral("x"));
    ASSERT_TRUE(f->memEditor->isModified());
    dialogos.respostasCaixa.enqueue(Caixa::RespCancelar);
    EXPECT_FALSE(janela->fechaFilha(f));
    ASSERT_EQ(dialogos.perguntas.size(), 1);
    const auto& p = dialogos.perguntas.first();
    EXPECT_EQ(p.texto, QStringLiteral("Deseja salvar as alterações em SemNome1?"));
    EXPECT_EQ(p.titulo, QStringLiteral("Vendrilo de Algoritmo"));
    EXPECT_EQ(p.flags, 51u);
    EXPECT_EQ(janela->filhas().size(), 1);
    dialogos.respostasCaixa.enqueue(Caixa::RespNao);
    EXPECT_TRUE(janela->fechaFilha(f));
    processa();
    EXPECT_TRUE(janela->filhas().isEmpty());
}

TEST_F(Principal, SairComDoisModificadosPerguntaCadaUmESalvaOCerto)
{
    escreve(em("UM.ALG"), "um\r\n");
    escreve(em("DOIS.ALG"), "dois\r\n");
    abre();
    for (const char* nome : {"UM.ALG", "DOIS.ALG"}) {
        dialogos.respostasArquivo.enqueue(em(QString::fromLatin1(nome)));
        janela->documentos().btnAbrirClick();
        TFrmFilha* f = janela->filhaAtiva();
        ASSERT_EQ(f->legenda(), QString::fromLatin1(nome));
        f->memEditor->setText(f->memEditor->text() + QStringLiteral(" mudado"));
    }
    dialogos.respostasCaixa.clear();
    dialogos.respostasCaixa.append(QList<int>{Caixa::RespNao, Caixa::RespSim});
    EXPECT_TRUE(janela->close());
    QStringList perguntas = dialogos.textos();
    ASSERT_EQ(perguntas.size(), 2) << perguntas.join(QLatin1Char('|')).toStdString();
    // Da última janela para a primeira; SemNome1 não foi alterado e não pergunta.
    EXPECT_EQ(perguntas[0], QStringLiteral("Deseja salvar as alterações em ") + em("DOIS.ALG") + QLatin1Char('?'));
    EXPECT_EQ(perguntas[1], QStringLiteral("Deseja salvar as alterações em ") + em("UM.ALG") + QLatin1Char('?'));
    EXPECT_EQ(le(em("DOIS.ALG")), QByteArray("dois\r\n"));
    EXPECT_EQ(le(em("UM.ALG")), QByteArray("um mudado\r\n"));
    delete janela;
    janela = nullptr;
}

TEST_F(Principal, CancelarInterrompeASaida)
{
    abre();
    janela->documentos().btnNovoClick();
    for (TFrmFilha* f : janela->filhas())
        digita(f, QStringLiteral("a"));
    dialogos.respostasCaixa.clear();
    dialogos.respostasCaixa.append(QList<int>{Caixa::RespCancelar});
    EXPECT_FALSE(janela->close());
    EXPECT_EQ(dialogos.textos().size(), 1);
    EXPECT_EQ(janela->filhas().size(), 2);
    EXPECT_TRUE(janela->isVisible());
}

TEST_F(Principal, AbrirAlgoQueNaoEhArquivoComumAvisaENaoCriaJanela)
{
    abre();
    for (const auto& e : teste::CriaArquivosEspeciais(pasta->path().toStdString())) {
        dialogos.limpa();
        dialogos.respostasArquivo.enqueue(em(QString::fromStdString(e.nome)));
        janela->documentos().btnAbrirClick();
        ASSERT_EQ(dialogos.textos().size(), 1) << e.nome;
        const QString texto = dialogos.textos().first();
        EXPECT_TRUE(texto.contains(em(QString::fromStdString(e.nome)))) << texto.toStdString();
        EXPECT_TRUE(texto.contains(QString::fromStdString(e.motivo))) << texto.toStdString();
        EXPECT_EQ(janela->filhas().size(), 1);
    }
}

TEST_F(Principal, ArquivoSoLFVoltaSoLF)
{
    escreve(em("LF.ALG"), "inicio\n   mostre (\"ol\xE1\")\nfim\n");
    abre();
    dialogos.respostasArquivo.enqueue(em("LF.ALG"));
    janela->documentos().btnAbrirClick();
    TFrmFilha* f = janela->filhaAtiva();
    EXPECT_EQ(f->memEditor->linhas().at(1), QStringLiteral("   mostre (\"olá\")"));
    f->memEditor->setCursorPosition(2, 3);
    digita(f, QStringLiteral("!"));
    ASSERT_TRUE(janela->documentos().Salvar(f));
    EXPECT_EQ(le(em("LF.ALG")), QByteArray("inicio\n   mostre (\"ol\xE1\")\nfim!\n"));
    EXPECT_FALSE(f->memEditor->isModified());
    EXPECT_TRUE(dialogos.textos().isEmpty());
}

struct CasoSalvarComo {
    const char* nome;
    const char* digitado;     // relativo à pasta de teste
    QStringList mensagens;    // depois do prefixo de cada uma
    const char* gravado;      // nulo: nada gravado
};

TEST_F(Principal, SalvarComoAplicaARegraOitoPontoTres)
{
    const QString fecho = QStringLiteral("Providencie as correções para salvar seu algoritmo!!!");
    const CasoSalvarComo casos[] = {
        {"aceito: oito letras", "ABCDEFGH.ALG", {}, "ABCDEFGH.ALG"},
        {"aceito: .alg acrescentado", "prog", {}, "prog.alg"},
        {"recusado: nove letras", "ABCDEFGHI.ALG", {QStringLiteral("O nome do ALGORITMO"), fecho}, nullptr},
        {"recusado: outra extensão", "prog.txt", {QStringLiteral("O nome da EXTENSÃO"), fecho}, nullptr},
        {"aceito: pasta longa com espaço e acento",
         "Meus Programas de Lógica/X.ALG",
         {},
         "Meus Programas de Lógica/X.ALG"},
    };
    abre();
    QDir(pasta->path()).mkdir(QStringLiteral("Meus Programas de Lógica"));
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        dialogos.limpa();
        janela->documentos().btnNovoClick();
        TFrmFilha* f = janela->filhaAtiva();
        const QString legendaAntes = f->legenda();
        dialogos.respostasArquivo.enqueue(em(QString::fromUtf8(c.digitado)));
        const bool gravou = janela->documentos().SalvarComo(f);
        const QStringList textos = dialogos.textos();
        ASSERT_EQ(textos.size(), c.mensagens.size()) << textos.join(QLatin1Char('|')).toStdString();
        for (int i = 0; i < textos.size(); ++i)
            EXPECT_TRUE(textos[i].startsWith(c.mensagens[i])) << textos[i].toStdString();
        EXPECT_EQ(gravou, c.gravado != nullptr);
        if (c.gravado) {
            EXPECT_TRUE(QFile::exists(em(QString::fromUtf8(c.gravado))));
            EXPECT_EQ(f->legenda(), QFileInfo(QString::fromUtf8(c.gravado)).fileName());
            EXPECT_EQ(f->NomeArquivo, em(QString::fromUtf8(c.gravado)));
        } else {
            EXPECT_EQ(f->legenda(), legendaAntes);
        }
    }
    EXPECT_FALSE(QFile::exists(em("ABCDEFGHI.ALG")));
    EXPECT_FALSE(QFile::exists(em("prog.txt.alg")));
}

TEST_F(Principal, SalvarRepeteSalvarComoAteONomeValerOuCancelar)
{
    abre();
    TFrmFilha* f = janela->filhaAtiva();
    digita(f, QStringLiteral("x"));
    dialogos.respostasArquivo.clear();
    dialogos.respostasArquivo.append(QList<QString>{em("ABCDEFGHI.ALG"), em("BOM.ALG")});
    EXPECT_TRUE(janela->documentos().Salvar(f));
    int dialogosSalvar = 0;
    for (const auto& p : dialogos.perguntas)
        if (p.tipo == QStringLiteral("salva")) {
            ++dialogosSalvar;
            EXPECT_EQ(p.pasta, pasta->path());
        }
    EXPECT_EQ(dialogosSalvar, 2);
    EXPECT_EQ(dialogos.perguntas.first().nomeInicial, QStringLiteral("SemNome1"));
    EXPECT_EQ(f->legenda(), QStringLiteral("BOM.ALG"));
    EXPECT_FALSE(f->memEditor->isModified());

    // Nome recusado e depois Cancelar: nada gravado, continua modificado.
    janela->documentos().btnNovoClick();
    TFrmFilha* g = janela->filhaAtiva();
    digita(g, QStringLiteral("y"));
    dialogos.limpa();
    dialogos.respostasArquivo.clear();
    dialogos.respostasArquivo.append(QList<QString>{em("prog.txt")});
    EXPECT_FALSE(janela->documentos().Salvar(g));
    EXPECT_TRUE(g->memEditor->isModified());
    EXPECT_EQ(g->legenda(), QStringLiteral("SemNome2"));
}

TEST_F(Principal, SobrescreverPedeSimEFalhaDeGravacaoMantemModificado)
{
    escreve(em("VELHO.ALG"), "velho\r\n");
    abre();
    TFrmFilha* f = janela->filhaAtiva();
    digita(f, QStringLiteral("z"));
    dialogos.respostasArquivo.clear();
    dialogos.respostasArquivo.append(QList<QString>{em("VELHO.ALG")});
    dialogos.respostasCaixa.clear();
    dialogos.respostasCaixa.append(QList<int>{Caixa::RespNao});
    EXPECT_FALSE(janela->documentos().SalvarComo(f));
    EXPECT_EQ(dialogos.perguntas.at(1).texto, em("VELHO.ALG") + QStringLiteral(" já existe. Gravar mesmo assim?"));
    EXPECT_EQ(dialogos.perguntas.at(1).flags, 36u);
    EXPECT_EQ(le(em("VELHO.ALG")), QByteArray("velho\r\n"));

    // Pasta que não existe: a falha é dita em português e nada se perde.
    dialogos.limpa();
    dialogos.respostasArquivo.clear();
    dialogos.respostasArquivo.append(QList<QString>{em("NAOHA/NOVO.ALG")});
    EXPECT_FALSE(janela->documentos().SalvarComo(f));
    ASSERT_EQ(dialogos.textos().size(), 1);
    EXPECT_TRUE(dialogos.textos().first().contains(QStringLiteral("não existe")));
    EXPECT_TRUE(f->memEditor->isModified());
    EXPECT_EQ(f->legenda(), QStringLiteral("SemNome1"));

    // Caractere fora do Windows-1252: recusado, nenhum arquivo criado.
    dialogos.limpa();
    f->memEditor->setText(QStringLiteral("mostre (\"→\")"));
    dialogos.respostasArquivo.clear();
    dialogos.respostasArquivo.append(QList<QString>{em("SETA.ALG")});
    EXPECT_FALSE(janela->documentos().SalvarComo(f));
    EXPECT_TRUE(dialogos.textos().first().contains(QStringLiteral("Windows-1252")));
    EXPECT_FALSE(QFile::exists(em("SETA.ALG")));
}

TEST_F(Principal, FecharOUltimoDesativaENovoReativa)
{
    abre();
    const char* documento[] = {"btnSalvar", "Salvar1", "SalvarComo1", "Fechar1", "FecharTudo1",
                               "EmCascata1", "Ladoalado1", "MinimizarTudo1"};
    janela->documentos().defineEscolhaExemplo([] { return QStringLiteral(" "); });
    ASSERT_TRUE(janela->fechaFilha(janela->filhaAtiva()));
    processa();
    for (const char* nome : documento)
        EXPECT_FALSE(janela->acao(QString::fromLatin1(nome))->isEnabled()) << nome;
    EXPECT_TRUE(janela->acao(QStringLiteral("Novo1"))->isEnabled());
    EXPECT_TRUE(janela->acao(QStringLiteral("btnLista"))->isEnabled());
    janela->documentos().btnNovoClick();
    for (const char* nome : documento)
        EXPECT_TRUE(janela->acao(QString::fromLatin1(nome))->isEnabled()) << nome;
    EXPECT_EQ(janela->filhaAtiva()->legenda(), QStringLiteral("SemNome2"));
}

TEST_F(Principal, ExemploEscolhidoAbreNumaJanelaNova)
{
    escreve(em("EXP001.ALG"), "inicio\r\n   mostre (\"oi\")\r\nfim\r\n");
    abre();
    EXPECT_FALSE(janela->acao(QStringLiteral("Exemplos1"))->isVisible());
    QString escolha = QStringLiteral(" ");
    janela->documentos().defineEscolhaExemplo([&] { return escolha; });
    EXPECT_TRUE(janela->acao(QStringLiteral("Exemplos1"))->isVisible());
    janela->acao(QStringLiteral("btnLista"))->trigger();
    EXPECT_EQ(janela->filhas().size(), 1);
    escolha = em("EXP001.ALG");
    janela->acao(QStringLiteral("Exemplos1"))->trigger();
    ASSERT_EQ(janela->filhas().size(), 2);
    TFrmFilha* f = janela->filhaAtiva();
    EXPECT_EQ(f->legenda(), QStringLiteral("EXP001.ALG"));
    EXPECT_EQ(f->NomeArquivo, em("EXP001.ALG"));
    EXPECT_EQ(f->memEditor->numeroLinhas(), 3);
    EXPECT_EQ(janela->textoStatus(0), QStringLiteral("3")); // sem passar pelo teclado
    EXPECT_FALSE(f->memEditor->isModified());
}

TEST_F(Principal, ArquivoDaLinhaDeComandoAbreNaPrimeiraJanela)
{
    escreve(em("PARAM.ALG"), "inicio\r\nfim\r\n");
    abre({em("PARAM.ALG")});
    ASSERT_EQ(janela->filhas().size(), 1);
    TFrmFilha* f = janela->filhaAtiva();
    EXPECT_EQ(f->legenda(), QStringLiteral("PARAM.ALG"));
    EXPECT_EQ(f->NomeArquivo, em("PARAM.ALG"));
    EXPECT_EQ(f->memEditor->linhas(), QStringList({QStringLiteral("inicio"), QStringLiteral("fim")}));
    EXPECT_EQ(janela->ContadorSemNome, 0);
    janela->documentos().btnNovoClick();
    EXPECT_EQ(janela->filhaAtiva()->legenda(), QStringLiteral("SemNome1"));
}

TEST_F(Principal, ComandosDeOutrasFuncoesFicamOcultosAteSeremLigados)
{
    abre();
    auto& acoes = janela->acoes();
    EXPECT_FALSE(janela->acao(QStringLiteral("Traduzir1"))->isVisible());
    EXPECT_FALSE(acoes.menu(QStringLiteral("Ferramentas1"))->menuAction()->isVisible());
    EXPECT_TRUE(acoes.menu(QStringLiteral("Arquivo1"))->menuAction()->isVisible());
    int chamadas = 0;
    janela->ligaComando(QStringLiteral("Traduzir1"), QStringLiteral("btnTraduzir"), [&] { ++chamadas; });
    EXPECT_TRUE(janela->acao(QStringLiteral("btnTraduzir"))->isVisible());
    EXPECT_TRUE(acoes.menu(QStringLiteral("Ferramentas1"))->menuAction()->isVisible());
    janela->acao(QStringLiteral("Traduzir1"))->trigger();
    janela->acao(QStringLiteral("btnTraduzir"))->trigger();
    EXPECT_EQ(chamadas, 2);
    EXPECT_EQ(janela->acao(QStringLiteral("Traduzir1"))->shortcut(), QKeySequence(QStringLiteral("F9")));
}

TEST_F(Principal, CtrlIDuploFicaComImprimir)
{
    abre();
    int impressoes = 0;
    int envios = 0;
    janela->ligaComando(QStringLiteral("EnviodeAlgoritmos1"), QStringLiteral("ToolButton3"), [&] { ++envios; });
    EXPECT_EQ(janela->acao(QStringLiteral("EnviodeAlgoritmos1"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+I")));
    janela->ligaComando(QStringLiteral("Imprimir1"), QStringLiteral("btnImprimir"), [&] { ++impressoes; });
    QApplication::setActiveWindow(janela);
    ASSERT_TRUE(QTest::qWaitForWindowActive(janela));
    QTest::keyClick(janela->filhaAtiva()->memEditor, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(impressoes, 1);
    EXPECT_EQ(envios, 0);
}

TEST_F(Principal, MenusEditarEJanelaAoAbrir)
{
    abre();
    QMenu* editar = janela->acoes().menu(QStringLiteral("Editar1"));
    QAction* copiar = janela->acao(QStringLiteral("Copiar1"));
    QAction* colar = janela->acao(QStringLiteral("Colar1"));
    TFrmFilha* f = janela->filhaAtiva();
    f->memEditor->selecionaTrecho(8, 0, 3);
    copiar->setEnabled(false);
    emit editar->aboutToShow();
    EXPECT_TRUE(copiar->isEnabled());
    EXPECT_FALSE(colar->isEnabled()); // área de transferência vazia
    QGuiApplication::clipboard()->setText(QStringLiteral("x"));
    emit editar->aboutToShow();
    EXPECT_TRUE(colar->isEnabled());
    // Sem seleção (ou sem documento) Copiar e Recortar desligam.
    f->memEditor->posicionaCursor(0, 0);
    emit editar->aboutToShow();
    EXPECT_FALSE(copiar->isEnabled());
    EXPECT_FALSE(janela->acao(QStringLiteral("Recortar1"))->isEnabled());

    janela->documentos().btnNovoClick();
    QMenu* menuJanela = janela->acoes().menu(QStringLiteral("Janela1"));
    emit menuJanela->aboutToShow();
    QStringList itens;
    for (QAction* a : menuJanela->actions())
        if (!a->isSeparator())
            itens << a->text();
    EXPECT_EQ(itens.mid(3), QStringList({QStringLiteral("&1 SemNome1"), QStringLiteral("&2 SemNome2")}));
    menuJanela->actions().at(menuJanela->actions().size() - 2)->trigger();
    EXPECT_EQ(janela->filhaAtiva()->legenda(), QStringLiteral("SemNome1"));

    for (TFrmFilha* g : janela->filhas())
        ASSERT_TRUE(janela->fechaFilha(g));
    emit editar->aboutToShow();
    EXPECT_FALSE(copiar->isEnabled());
}

TEST_F(Principal, DicaDoBotaoVaiParaOPainel2)
{
    abre();
    QWidget* botao = janela->acoes().barra()->widgetForAction(janela->acao(QStringLiteral("btnNovo")));
    ASSERT_NE(botao, nullptr);
    QEvent entrada(QEvent::Enter);
    QApplication::sendEvent(botao, &entrada);
    EXPECT_EQ(janela->textoStatus(2), QStringLiteral("   Abrir um Algoritmo Novo"));
}

} // namespace
