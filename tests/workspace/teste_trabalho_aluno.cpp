// O trabalho do aluno: pastas de verdade, cópias de recuperação depois de um
// kill -9, arquivos recentes, diálogos em português e o que a janela mostra.

#include "arquivos_teste.h"
#include "comm/impressao/acesso_impressora.h"
#include "dialogos_roteirizados.h"
#include "platform/traducoes.h"
#include "workspace/acoes_principal.h"
#include "workspace/dialogos_pesquisa.h"
#include "workspace/documentos.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/principal.h"
#include "workspace/recuperacao.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace vendrilo;
using vendrilo::teste::DialogosRoteirizados;
using vendrilo::teste::escreve;
using vendrilo::teste::le;
using vendrilo::teste::processa;

namespace {

// Uma casa de aluno: nome longo, espaço e acento em todo o caminho.
class TrabalhoAluno : public ::testing::Test {
protected:
    void SetUp() override
    {
        casa = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                               QStringLiteral("/home da Maria Conceição XXXXXX"));
        ASSERT_TRUE(casa->isValid());
        programa = casa->path() + QStringLiteral("/vendrilo");
        qputenv("VENDRILO_PASTA", programa.toUtf8());
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
    TfrmPrincipal* abre()
    {
        janela = new TfrmPrincipal;
        janela->show();
        processa();
        return janela;
    }
    QString em(const QString& nome) const { return casa->path() + QLatin1Char('/') + nome; }
    QStringList copias() const
    {
        QStringList r;
        QDirIterator it(programa + QStringLiteral("/recuperacao"), {QStringLiteral("doc*.ini")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            r << it.next();
        return r;
    }

    DialogosRoteirizados dialogos;
    std::unique_ptr<QTemporaryDir> casa;
    QString programa;
    TfrmPrincipal* janela = nullptr;
};

TEST_F(TrabalhoAluno, RecuperaDocumentosComESemNomeDepoisDeKill9)
{
    const QString prova = em(QStringLiteral("Meus Algoritmos/PROVA.ALG"));
    escreve(prova, "inicio\r\nfim\r\n");

    QProcess vendrilo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("VENDRILO_TESTE_DIGITA"),
               QStringLiteral("{mudança não salva}|   escreva(\"sem nome\")"));
    vendrilo.setProcessEnvironment(env);
    vendrilo.start(QStringLiteral(VENDRILO_EXE), {prova});
    ASSERT_TRUE(vendrilo.waitForStarted());
    // As cópias chegam em poucos segundos depois da última mudança.
    QElapsedTimer relogio;
    relogio.start();
    while (copias().size() < 2 && relogio.elapsed() < 10000)
        QTest::qWait(100);
    ASSERT_EQ(copias().size(), 2) << vendrilo.readAllStandardError().toStdString();
    vendrilo.kill(); // SIGKILL: nada de fechamento ordenado
    ASSERT_TRUE(vendrilo.waitForFinished());
    EXPECT_EQ(le(prova), QByteArray("inicio\r\nfim\r\n")); // o arquivo do aluno ficou

    // Nova partida: a pergunta, Sim, e os dois voltam modificados com os nomes antigos.
    abre();
    dialogos.respostasCaixa << Caixa::RespSim;
    EXPECT_EQ(janela->recuperacao().ofereceRecuperacao(), 2);
    ASSERT_FALSE(dialogos.perguntas.isEmpty());
    EXPECT_TRUE(dialogos.perguntas.first().texto.contains(QStringLiteral("PROVA.ALG")));
    EXPECT_EQ(dialogos.perguntas.first().flags, unsigned(Caixa::SimNao | Caixa::IconePergunta));
    // Depois da janela vazia da partida, na ordem em que foram criados.
    const QList<TFrmFilha*> filhas = janela->filhas();
    ASSERT_EQ(filhas.size(), 3);
    TFrmFilha* comNome = filhas[1];
    TFrmFilha* semNome = filhas[2];
    EXPECT_EQ(comNome->legenda(), QStringLiteral("PROVA.ALG"));
    EXPECT_EQ(semNome->legenda(), QStringLiteral("SemNome1"));
    EXPECT_EQ(comNome->memEditor->linhas(), (QStringList{QStringLiteral("inicio"), QStringLiteral("fim"),
                                                         QStringLiteral("{mudança não salva}")}));
    EXPECT_TRUE(semNome->memEditor->text().endsWith(QStringLiteral("\n   escreva(\"sem nome\")")));
    for (TFrmFilha* f : {comNome, semNome}) {
        EXPECT_TRUE(f->memEditor->isModified());
        EXPECT_TRUE(f->windowTitle().endsWith(QLatin1Char('*')));
    }
    EXPECT_EQ(comNome->NomeArquivo, prova);

    // As cópias agora são desta execução; salvar e fechar sem salvar as apagam.
    EXPECT_EQ(copias().size(), 2);
    EXPECT_TRUE(janela->documentos().Salvar(comNome));
    EXPECT_EQ(comNome->windowTitle(), QStringLiteral("PROVA.ALG"));
    EXPECT_TRUE(le(prova).endsWith("{mudan\xe7"
                                   "a n\xe3o salva}\r\n"));
    dialogos.respostasCaixa << Caixa::RespNao;
    EXPECT_TRUE(janela->fechaFilha(semNome));
    EXPECT_TRUE(copias().isEmpty());
    // Nada mais a oferecer na partida seguinte.
    dialogos.limpa();
    EXPECT_EQ(janela->recuperacao().ofereceRecuperacao(), 0);
    EXPECT_TRUE(dialogos.perguntas.isEmpty());
}

TEST_F(TrabalhoAluno, RecentesGuardamOitoReabremEPerdemOsQueSumiram)
{
    abre();
    for (int i = 1; i <= 9; ++i)
        escreve(em(QStringLiteral("pasta %1/P%1.ALG").arg(i)), "inicio\r\nfim\r\n");
    for (int i = 1; i <= 9; ++i) {
        dialogos.respostasArquivo << em(QStringLiteral("pasta %1/P%1.ALG").arg(i));
        janela->documentos().btnAbrirClick();
    }
    // Abrir começa na pasta usada por último.
    EXPECT_EQ(dialogos.perguntas.last().pasta, em(QStringLiteral("pasta 8")));
    ASSERT_EQ(janela->documentos().recentes().size(), 8);
    EXPECT_EQ(janela->documentos().recentes().first(), em(QStringLiteral("pasta 9/P9.ALG")));

    // A lista sobrevive à janela; o menu a mostra antes de Sair.
    for (TFrmFilha* f : janela->filhas())
        f->memEditor->setModified(false);
    janela->close();
    delete janela;
    janela = nullptr;
    abre();
    QMenu* arquivo = janela->acoes().menu(QStringLiteral("Arquivo1"));
    janela->documentos().montaRecentes();
    QStringList textos;
    for (QAction* a : arquivo->actions())
        if (a->objectName().startsWith(QStringLiteral("Recente")))
            textos << a->text();
    ASSERT_EQ(textos.size(), 8);
    EXPECT_EQ(textos.first(), QStringLiteral("&1 P9.ALG"));
    EXPECT_EQ(textos.last(), QStringLiteral("&8 P2.ALG"));

    // Um clique reabre; um que sumiu sai da lista com aviso.
    const int antes = int(janela->filhas().size());
    arquivo->findChild<QAction*>(QStringLiteral("Recente2"))->trigger();
    EXPECT_EQ(janela->filhas().size(), antes + 1);
    EXPECT_EQ(janela->filhaAtiva()->legenda(), QStringLiteral("P8.ALG"));
    QFile::remove(em(QStringLiteral("pasta 5/P5.ALG")));
    dialogos.limpa();
    janela->documentos().abreRecente(em(QStringLiteral("pasta 5/P5.ALG")));
    ASSERT_EQ(dialogos.textos().size(), 1);
    EXPECT_TRUE(dialogos.textos().first().contains(QStringLiteral("não existe mais")));
    EXPECT_FALSE(janela->documentos().recentes().contains(em(QStringLiteral("pasta 5/P5.ALG"))));
    EXPECT_EQ(janela->filhas().size(), antes + 1);
}

TEST_F(TrabalhoAluno, DialogoDeArquivoEmPortuguesEDataBrasileira)
{
    EXPECT_TRUE(InstalaTraducoes().isEmpty());
    abre();
    // Sob LANG=C a data do cabeçalho continua dd/MM/aaaa.
    const QString hoje = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    EXPECT_TRUE(janela->filhaAtiva()->memEditor->linhas().value(2).contains(hoje))
        << janela->filhaAtiva()->memEditor->linhas().value(2).toStdString();

    // O diálogo real de Salvar Como, lido pelos seus componentes.
    defineDialogos(nullptr);
    QStringList rotulos;
    QStringList botoes;
    QTimer::singleShot(300, [&] {
        auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        for (auto* l : dlg->findChildren<QLabel*>())
            rotulos << l->text();
        for (auto* b : dlg->findChildren<QAbstractButton*>())
            botoes << b->text();
        dlg->reject();
    });
    EXPECT_EQ(vendrilo::dialogos().salvaArquivo(QStringLiteral("Salvar Como"),
                                                QStringLiteral("Algoritmos (*.alg)"), casa->path(),
                                                QStringLiteral("X.ALG")),
              QString());
    defineDialogos(&this->dialogos);
    const QString todos = rotulos.join(QLatin1Char('|')) + QLatin1Char('|') + botoes.join(QLatin1Char('|'));
    for (const char* esperado : {"Nome do arquivo", "Cancelar", "Procurar em"})
        EXPECT_TRUE(todos.contains(QString::fromUtf8(esperado))) << esperado << ": " << todos.toStdString();
}

TEST_F(TrabalhoAluno, SubstituirTabVaiDeProcurarParaAlterar)
{
    TTextReplaceDialog dlg;
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    auto* procurar = dlg.findChild<QComboBox*>(QStringLiteral("cbSearchText"));
    auto* alterar = dlg.findChild<QComboBox*>(QStringLiteral("cbReplaceText"));
    ASSERT_TRUE(procurar && alterar);
    procurar->setFocus();
    processa();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* foco = QApplication::focusWidget();
    EXPECT_TRUE(foco == alterar || (foco && foco->parentWidget() == alterar))
        << (foco ? foco->metaObject()->className() : "nenhum");
}

TEST_F(TrabalhoAluno, PainelDeErroMostraAsQuatroLinhasSemRolar)
{
    abre();
    TFrmFilha* f = janela->filhaAtiva();
    f->mostraErro(
        QStringLiteral(" Atenção!!! Erro detectado na linha [12] !!! "),
        {QStringLiteral("Erro 85: \";\" esperado"),
         QStringLiteral("   escreva(\"um texto bem longo que passa da largura do painel\" + x + y + z + w)"),
         QStringLiteral("                                                  ^"),
         QStringLiteral("Dica: falta o ponto e vírgula no fim da linha anterior")});
    processa();
    EXPECT_EQ(f->memErro->verticalScrollBar()->maximum(), 0);
}

// Componentes de um diálogo modal real lido por um relógio: textos dos rótulos,
// botões e abas, e o próprio diálogo (para fechá-lo).
QString textosDoModal(QWidget* modal)
{
    QStringList t;
    for (auto* l : modal->findChildren<QLabel*>())
        t << l->text();
    for (auto* b : modal->findChildren<QAbstractButton*>())
        t << b->text();
    for (auto* g : modal->findChildren<QGroupBox*>())
        t << g->title();
    for (auto* a : modal->findChildren<QTabWidget*>())
        for (int i = 0; i < a->count(); ++i)
            t << a->tabText(i);
    return t.join(QLatin1Char('|')).remove(QLatin1Char('&'));
}

// Os dois diálogos de impressão de verdade (Imprimir e Configurar Impressora),
// sem impressora instalada: o Qt oferece a impressão em arquivo PDF.
TEST_F(TrabalhoAluno, DialogosDeImpressaoEmPortugues)
{
    EXPECT_TRUE(InstalaTraducoes().isEmpty());
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(em(QStringLiteral("saida.pdf")));
    const struct {
        const char* nome;
        std::function<void()> abre;
        std::vector<const char*> esperados;
    } casos[] = {
        {"Imprimir",
         [&] { EXPECT_FALSE(acessoImpressora().dialogoImpressao(impressora, nullptr)); },
         {"Imprimir", "Cancelar", "Propriedades", "Impressora", "Cópias", "Nome:"}},
        {"Configurar Impressora",
         [&] { acessoImpressora().dialogoConfiguracao(impressora, nullptr); },
         {"Papel", "Orientação", "Retrato", "Paisagem", "Margens", "Cancelar"}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        QString textos;
        QTimer::singleShot(300, [&] {
            QWidget* dlg = QApplication::activeModalWidget();
            if (!dlg)
                return;
            textos = textosDoModal(dlg) + QLatin1Char('|') + dlg->windowTitle();
            QTest::keyClick(dlg, Qt::Key_Escape);
        });
        caso.abre();
        ASSERT_FALSE(textos.isEmpty()) << "o diálogo não apareceu";
        for (const char* esperado : caso.esperados)
            EXPECT_TRUE(textos.contains(QString::fromUtf8(esperado)))
                << esperado << ": " << textos.toStdString();
    }
}

// A pergunta de recuperação com a caixa de mensagem real: Enter recupera.
TEST_F(TrabalhoAluno, PerguntaDeRecuperacaoRealEnterRecupera)
{
    // Uma sessão deixada por uma execução morta: cópia sem trava segura.
    const QString sessao = programa + QStringLiteral("/recuperacao/sessao-1-1");
    escreve(sessao + QStringLiteral("/doc1.ini"), "[Documento]\nLegenda=SemNome7\nArquivo=\n");
    escreve(sessao + QStringLiteral("/doc1.alg"), "inicio\nescreva(\"salvo da queda\")\nfim\n");
    abre();
    defineDialogos(nullptr);
    QString pergunta;
    QString padrao;
    QTimer::singleShot(300, [&] {
        auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!caixa)
            return;
        pergunta = caixa->text();
        if (caixa->defaultButton())
            padrao = caixa->defaultButton()->text();
        QTest::keyClick(caixa, Qt::Key_Return);
    });
    const int recuperados = janela->recuperacao().ofereceRecuperacao();
    defineDialogos(&this->dialogos);
    EXPECT_TRUE(pergunta.contains(QStringLiteral("SemNome7"))) << pergunta.toStdString();
    EXPECT_EQ(padrao, QStringLiteral("&Sim"));
    ASSERT_EQ(recuperados, 1);
    TFrmFilha* volta = janela->filhas().last();
    EXPECT_EQ(volta->legenda(), QStringLiteral("SemNome7"));
    EXPECT_TRUE(volta->memEditor->isModified());
    EXPECT_TRUE(volta->memEditor->text().contains(QStringLiteral("salvo da queda")));
}

} // namespace

namespace {

TEST_F(TrabalhoAluno, BarraDeFerramentasComIconesDeVerdadeEDicas)
{
    abre();
    auto* barra = janela->findChild<QToolBar*>();
    ASSERT_TRUE(barra);
    int botoes = 0;
    for (QAction* a : barra->actions()) {
        if (!qobject_cast<QToolButton*>(barra->widgetForAction(a)))
            continue;
        ++botoes;
        SCOPED_TRACE(a->objectName().toStdString());
        // Nítido também a 200%: o desenho é vetorial e rende 44 px.
        const QPixmap pm = a->icon().pixmap(QSize(44, 44));
        ASSERT_FALSE(pm.isNull());
        EXPECT_GE(pm.width(), 44);
        EXPECT_FALSE(pm.toImage().allGray() && pm.toImage().pixelColor(22, 22).alpha() == 0);
        if (a->objectName() != QStringLiteral("ToolButton3")) {
            EXPECT_FALSE(a->toolTip().isEmpty());
        }
    }
    EXPECT_EQ(botoes, 21);
}

} // namespace
