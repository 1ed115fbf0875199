// Janelas de aprendizagem, reais, na plataforma offscreen: lista de exemplos,
// o que mudou, alerta, sobre e ajuda.

#include "partida_testes_qt.h"
#include "learning/catalogo.h"
#include "learning/frm_ajuda.h"
#include "learning/frm_alerta.h"
#include "learning/frm_lista.h"
#include "learning/frm_mudou.h"
#include "learning/frm_sobre.h"

#include "dialogos_roteirizados.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <ostream>

// Mensagens de falha legíveis para textos do Qt.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace vendrilo {
namespace {

const QString Titulo = QStringLiteral("Vendrilo de Algoritmos - Versão 2.4");

void grava(const QString& caminho, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(caminho).path());
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Uma pasta do programa só com alguns exemplos: 0, 9 e 10 existem.
class ListaExemplos : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pasta_.isValid());
        for (int i : {0, 9, 10}) {
            const QString destino = caminho(i);
            QDir().mkpath(QFileInfo(destino).path());
            ASSERT_TRUE(QFile::copy(QString::fromStdString(CaminhoExemplo(VENDRILO_DADOS_FONTE, i)), destino));
        }
    }
    QString caminho(int i) const
    {
        return QString::fromStdString(CaminhoExemplo(pasta_.path().toStdString(), i));
    }
    // O texto que o editor mostraria: Windows-1252 convertido, sem CR.
    QString textoDoExemplo(int i) const
    {
        QFile f(caminho(i));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        QString t = QString::fromLatin1(f.readAll()); // sem acentos fora do Latin-1 nestes exemplos
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (t.endsWith(QLatin1Char('\n')))
            t.chop(1);
        return t;
    }
    void duploClique(TFrmLista& lista, int linha)
    {
        lista.Exemplos->setCurrentRow(linha);
        const QRect r = lista.Exemplos->visualItemRect(lista.Exemplos->item(linha));
        // O item view só aceita o duplo clique no item que recebeu o clique anterior.
        QTest::mouseClick(lista.Exemplos->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(lista.Exemplos->viewport(), Qt::LeftButton, {}, r.center());
    }

    QTemporaryDir pasta_;
    teste::DialogosRoteirizados dialogos_;
};

TEST_F(ListaExemplos, AoAbrirMostra62LinhasEOPrimeiroExemplo)
{
    TFrmLista lista(pasta_.path());
    ASSERT_EQ(lista.Exemplos->count(), 62);
    EXPECT_EQ(lista.Exemplos->item(0)->text(), QStringLiteral("EXP000.alg"));
    EXPECT_EQ(lista.Exemplos->item(61)->text(), QStringLiteral("EXP061.alg"));
    EXPECT_EQ(lista.Exemplos->currentRow(), 0);
    EXPECT_EQ(lista.lblDesc->text(), QStringLiteral("Exemplo da estrutura de um algoritmo"));
    EXPECT_EQ(lista.BoxExemplo->toPlainText(), textoDoExemplo(0));
    EXPECT_EQ(lista.caminhoEscolhido(), NenhumExemplo);
    lista.show();
    EXPECT_EQ(lista.windowTitle(), Titulo + QStringLiteral(" - Lista de Exemplos"));
    EXPECT_TRUE(dialogos_.perguntas.isEmpty());
}

TEST_F(ListaExemplos, SemOExemploZeroAPreviaFicaVaziaSemMensagem)
{
    QFile::remove(caminho(0));
    TFrmLista lista(pasta_.path());
    EXPECT_EQ(lista.BoxExemplo->toPlainText(), QStringLiteral("\n"));
    EXPECT_TRUE(dialogos_.perguntas.isEmpty());
}

TEST_F(ListaExemplos, PreviaDosIndices9e10LeExp009eExp010)
{
    TFrmLista lista(pasta_.path());
    for (int i : {9, 10}) {
        lista.Exemplos->setCurrentRow(i);
        lista.EscolhaClick();
        EXPECT_EQ(lista.lblDesc->text(), QString::fromUtf8(DescricaoExemplo(i).data()));
        EXPECT_EQ(lista.BoxExemplo->toPlainText(), textoDoExemplo(i)) << i;
    }
    EXPECT_TRUE(caminho(9).endsWith(QStringLiteral("/exp/exp009.alg")));
    EXPECT_TRUE(caminho(10).endsWith(QStringLiteral("/exp/exp010.alg")));
}

TEST_F(ListaExemplos, PreviaDeExemploAusenteMostraOAvisoDeTresLinhas)
{
    TFrmLista lista(pasta_.path());
    lista.Exemplos->setCurrentRow(11);
    lista.EscolhaClick();
    EXPECT_EQ(lista.BoxExemplo->toPlainText(),
              QStringLiteral("O algoritmo [%1]\n não está disponível!!!\n"
                             "Solicite uma cópia via email (vendrilo@example.org).")
                  .arg(caminho(11)));
    EXPECT_TRUE(dialogos_.perguntas.isEmpty());
    // Voltar a uma linha que existe troca o aviso pelo texto.
    lista.Exemplos->setCurrentRow(9);
    EXPECT_EQ(lista.BoxExemplo->toPlainText(), textoDoExemplo(9));
}

TEST_F(ListaExemplos, DuploCliqueRegistraSemFecharEEncerrarMantemAEscolha)
{
    TFrmLista lista(pasta_.path());
    lista.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lista));
    duploClique(lista, 10);
    EXPECT_EQ(lista.caminhoEscolhido(), caminho(10));
    EXPECT_TRUE(lista.isVisible());
    QTest::mouseClick(lista.Encerrar, Qt::LeftButton);
    EXPECT_FALSE(lista.isVisible());
    EXPECT_EQ(lista.result(), QDialog::Rejected);
    EXPECT_EQ(lista.caminhoEscolhido(), caminho(10));
}

TEST_F(ListaExemplos, AbrirExemploAusenteAvisaFechaENadaEscolhe)
{
    TFrmLista lista(pasta_.path());
    lista.show();
    lista.Exemplos->setCurrentRow(42);
    QTest::mouseClick(lista.Executar, Qt::LeftButton);
    ASSERT_EQ(dialogos_.textos().size(), 1);
    EXPECT_EQ(dialogos_.textos().front(),
              QStringLiteral("O algoritmo [%1] não está disponível!! Refaça o download do Vendrilo")
                  .arg(caminho(42)));
    EXPECT_FALSE(lista.isVisible());
    EXPECT_EQ(lista.caminhoEscolhido(), NenhumExemplo);
}

TEST_F(ListaExemplos, AbrirAusenteDepoisDeDuploCliqueMantemOPrimeiro)
{
    TFrmLista lista(pasta_.path());
    lista.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lista));
    duploClique(lista, 9);
    lista.Exemplos->setCurrentRow(30);
    QTest::mouseClick(lista.Executar, Qt::LeftButton);
    EXPECT_EQ(dialogos_.textos().size(), 1);
    EXPECT_EQ(lista.caminhoEscolhido(), caminho(9));
}

TEST_F(ListaExemplos, EscolheExemploDevolveOCaminhoQualquerQueSejaOFechamento)
{
    // Abrir: devolve o caminho.
    QTimer::singleShot(0, [] {
        auto* lista = qobject_cast<TFrmLista*>(QApplication::activeModalWidget());
        ASSERT_NE(lista, nullptr);
        lista->Exemplos->setCurrentRow(10);
        lista->Executar->click();
    });
    EXPECT_EQ(EscolheExemplo(pasta_.path()), caminho(10));

    // Fechar pela caixa de fechar sem escolher: um espaço.
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(EscolheExemplo(pasta_.path()), NenhumExemplo);
}

// Sem pasta, a janela usa a do programa em uso, nunca a pasta corrente.
TEST_F(ListaExemplos, SemPastaUsaAPastaDoPrograma)
{
    const QByteArray antes = qgetenv("VENDRILO_PASTA");
    qputenv("VENDRILO_PASTA", QFile::encodeName(pasta_.path()));
    TFrmLista lista;
    lista.Exemplos->setCurrentRow(9);
    lista.ExecutarClick();
    EXPECT_EQ(lista.caminhoEscolhido(), caminho(9));
    qputenv("VENDRILO_PASTA", antes);
}

// --- O que mudou?

class OQueMudou : public ::testing::Test {
protected:
    QTemporaryDir pasta_;
    teste::DialogosRoteirizados dialogos_;
    QString versao() const { return pasta_.filePath(QStringLiteral("versao.txt")); }
};

TEST_F(OQueMudou, MostraOArquivoComoEstaNoDiscoACadaAbertura)
{
    grava(versao(), "Vers\xE3o 2.3\r\n- corre\xE7\xF5" "es\r\n");
    {
        TfrmMudou janela(pasta_.path());
        EXPECT_EQ(janela.Memo1->toPlainText(), QStringLiteral("Versão 2.3\n- correções\n"));
        EXPECT_TRUE(janela.Memo1->isReadOnly());
        janela.show();
        EXPECT_EQ(janela.windowTitle(), Titulo + QStringLiteral(" - O que mudou?"));
    }
    grava(versao(), "Vers\xE3o 2.4\r\n");
    TfrmMudou janela(pasta_.path());
    EXPECT_EQ(janela.Memo1->toPlainText(), QStringLiteral("Versão 2.4\n"));
    EXPECT_TRUE(dialogos_.perguntas.isEmpty());
}

TEST_F(OQueMudou, ArquivoEmUtf8TambemEAceito)
{
    grava(versao(), QStringLiteral("Versão 2.4 — ajuda nova\n").toUtf8());
    TfrmMudou janela(pasta_.path());
    EXPECT_EQ(janela.Memo1->toPlainText(), QStringLiteral("Versão 2.4 — ajuda nova\n"));
}

TEST_F(OQueMudou, SemOArquivoAvisaEAbreVazia)
{
    TfrmMudou janela(pasta_.path());
    EXPECT_TRUE(janela.Memo1->toPlainText().isEmpty());
    ASSERT_EQ(dialogos_.textos().size(), 1);
    EXPECT_TRUE(dialogos_.textos().front().contains(QStringLiteral("versao.txt")));
    EXPECT_TRUE(dialogos_.textos().front().startsWith(QStringLiteral("Não foi possível abrir")));
}

TEST_F(OQueMudou, MostraOQueMudouDevolveOCursorNormal)
{
    grava(versao(), "2.4\r\n");
    bool cursorDeEspera = false;
    QTimer::singleShot(0, [&] {
        cursorDeEspera = QApplication::overrideCursor() &&
                         QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        auto* janela = qobject_cast<TfrmMudou*>(QApplication::activeModalWidget());
        ASSERT_NE(janela, nullptr);
        janela->accept();
    });
    MostraOQueMudou(pasta_.path());
    EXPECT_TRUE(cursorDeEspera);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// --- Alerta

TEST(Alerta, NaoModalReaproveitadoComTextoNovo)
{
    teste::DialogosRoteirizados dialogos;
    TfrmAlerta alerta;
    alerta.Alerta(QStringLiteral("O texto [xyz] não foi localizado!"));
    EXPECT_TRUE(alerta.isVisible());
    EXPECT_FALSE(alerta.isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(alerta.windowTitle(), QStringLiteral("Atenção!!!"));
    EXPECT_EQ(alerta.panAlerta->text(), QStringLiteral("O texto [xyz] não foi localizado!"));
    EXPECT_FALSE(alerta.imgAlerta->pixmap().isNull());
    EXPECT_EQ(dialogos.bipes, 1);

    alerta.Alerta(QStringLiteral("O texto [abc] não foi localizado!"));
    EXPECT_EQ(alerta.panAlerta->text(), QStringLiteral("O texto [abc] não foi localizado!"));
    EXPECT_EQ(dialogos.bipes, 2);

    QTest::mouseClick(alerta.btnOk, Qt::LeftButton);
    EXPECT_FALSE(alerta.isVisible());
    alerta.Alerta(QStringLiteral("de novo"));
    EXPECT_TRUE(alerta.isVisible());
}

// --- Sobre

class ReceptorUrl : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void abre(const QUrl& url) { urls << url; }
};

TEST(Sobre, LegendaProdutoEContatosAbremCorreioENavegador)
{
    ReceptorUrl receptor;
    for (const char* esquema : {"mailto", "https"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(esquema), &receptor, "abre");
    TfrmSobre sobre;
    sobre.show();
    EXPECT_EQ(sobre.windowTitle(), Titulo + QStringLiteral(" - Sobre - Créditos"));
    EXPECT_EQ(sobre.ProductName->text(), Titulo);
    EXPECT_EQ(sobre.Label7->text(), QStringLiteral("vendrilo@example.org"));
    EXPECT_EQ(sobre.Label7->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(sobre.Label8->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(sobre.Label7, Qt::LeftButton);
    QTest::mouseClick(sobre.Label8, Qt::LeftButton);
    ASSERT_EQ(receptor.urls.size(), 2);
    EXPECT_EQ(receptor.urls[0], QUrl(QStringLiteral("mailto:vendrilo@example.org")));
    EXPECT_EQ(receptor.urls[1], QUrl(QStringLiteral("https://vendrilo.example.org")));

    // As três linhas da finalidade, como sempre foram escritas.
    QStringList textos;
    for (auto* rotulo : sobre.findChildren<QLabel*>())
        textos << rotulo->text();
    EXPECT_TRUE(textos.contains(QStringLiteral(
        "Esta ferramenta tem como objetivo facilitar o ensino de Lógica de Programação, ")));
    EXPECT_TRUE(textos.contains(QStringLiteral("Atenção!!!")));
    EXPECT_TRUE(textos.contains(QStringLiteral("Professores Colaboradores ")));
    for (const char* esquema : {"mailto", "https"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(esquema));
}

// --- Ajuda

TEST(Ajuda, AbreOIndiceEOsLinksFuncionamDentroDaJanela)
{
    teste::DialogosRoteirizados dialogos;
    QTemporaryDir pasta;
    const QString origem = QStringLiteral(VENDRILO_DADOS_BUILD "/hlp");
    QDir().mkpath(pasta.filePath(QStringLiteral("hlp")));
    for (const QString& nome : QDir(origem).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(origem + QLatin1Char('/') + nome, pasta.filePath(QStringLiteral("hlp/") + nome)));

    TfrmAjuda ajuda;
    ASSERT_TRUE(ajuda.abre(pasta.path()));
    EXPECT_EQ(ajuda.Navegador->source().fileName(), QStringLiteral("index.html"));
    EXPECT_EQ(ajuda.Navegador->documentTitle(), QStringLiteral("Ajuda do Vendrilo de Algoritmos"));
    EXPECT_FALSE(ajuda.isModal());

    // O primeiro link, pelo teclado, como um aluno sem mouse faria.
    ajuda.Navegador->setFocus();
    QTest::keyClick(ajuda.Navegador, Qt::Key_Tab);
    QTest::keyClick(ajuda.Navegador, Qt::Key_Return);
    EXPECT_EQ(ajuda.Navegador->source().fileName(), QStringLiteral("uso.html"));
    EXPECT_EQ(ajuda.Navegador->documentTitle(), QStringLiteral("Como usar o Vendrilo"));
    EXPECT_TRUE(ajuda.btnVoltar->isEnabled());
    QTest::mouseClick(ajuda.btnVoltar, Qt::LeftButton);
    EXPECT_EQ(ajuda.Navegador->source().fileName(), QStringLiteral("index.html"));

    ajuda.Navegador->setSource(QUrl(QStringLiteral("referencia.html")));
    EXPECT_TRUE(ajuda.Navegador->toPlainText().contains(QStringLiteral("fim-enquanto")));
    EXPECT_TRUE(dialogos.perguntas.isEmpty());
}

TEST(Ajuda, SemAAjudaInstaladaAvisa)
{
    teste::DialogosRoteirizados dialogos;
    QTemporaryDir pasta;
    TfrmAjuda ajuda;
    EXPECT_FALSE(ajuda.abre(pasta.path()));
    EXPECT_FALSE(ajuda.isVisible());
    ASSERT_EQ(dialogos.textos().size(), 1);
    EXPECT_TRUE(dialogos.textos().front().contains(QStringLiteral("hlp/index.html")));
}


// --- Textos que cabem: nenhuma linha da lista de mudanças quebra, nenhum
// rótulo do Sobre fica mais baixo que o texto que leva.

TEST_F(OQueMudou, LinhaDeIguaisNaoQuebra)
{
    const QByteArray iguais(52, '=');
    grava(versao(), "Vers\xE3o 2.4\r\n" + iguais + "\r\n- ajuda nova\r\n");
    TfrmMudou janela(pasta_.path());
    janela.show();
    QApplication::processEvents();
    const QTextBlock bloco = janela.Memo1->document()->findBlockByNumber(1);
    ASSERT_EQ(bloco.text(), QString::fromLatin1(iguais));
    EXPECT_EQ(bloco.layout()->lineCount(), 1);
    EXPECT_GE(janela.Memo1->viewport()->width(), janela.Memo1->fontMetrics().horizontalAdvance(bloco.text()));
}

TEST(Sobre, CadaRotuloCabeNaJanela)
{
    TfrmSobre sobre;
    sobre.show();
    QApplication::processEvents();
    for (QLabel* rotulo : sobre.findChildren<QLabel*>()) {
        if (!rotulo->isVisible() || rotulo->text().isEmpty())
            continue;
        const int precisa = rotulo->wordWrap() ? rotulo->heightForWidth(rotulo->width())
                                               : rotulo->sizeHint().height();
        EXPECT_GE(rotulo->height(), precisa) << rotulo->text().toStdString();
        if (!rotulo->wordWrap()) {
            EXPECT_GE(rotulo->width(), rotulo->sizeHint().width()) << rotulo->text().toStdString();
        }
    }
}


} // namespace
} // namespace vendrilo

int main(int argc, char** argv)
{
    return vendrilo::teste::RodaTestesQt(argc, argv);
}


#include "test_janelas.moc"
