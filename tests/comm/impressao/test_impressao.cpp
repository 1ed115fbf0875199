// Impressão em PDF de verdade, lida de volta pelo pdftotext.

#include "partida_testes_qt.h"
#include "impressora_pdf.h"

#include "comm/impressao/comandos_impressao.h"
#include "comm/impressao/impressao.h"
#include "dialogos_roteirizados.h"
#include "platform/processador_texto.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QMainWindow>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace vendrilo;
using vendrilo::teste::DialogosRoteirizados;
using vendrilo::teste::ImpressoraPdf;
using vendrilo::teste::linhasComTexto;
using vendrilo::teste::palavrasDoPdf;
using vendrilo::teste::textoDoPdf;

namespace {

const QString kTitulo = QStringLiteral("Vendrilo de Algoritmos - Versão 2.4");

QString dataDeHoje()
{
    return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
}

class Impressao : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pasta.isValid()); }
    QString pdf() const { return pasta.filePath(QStringLiteral("saida.pdf")); }

    QTemporaryDir pasta;
    DialogosRoteirizados dialogos;
    ImpressoraPdf impressora{pdf()};
    const QStringList algoritmo{QStringLiteral("inicio"), QStringLiteral("   mostre('média')"),
                                QStringLiteral("fim")};
};

struct CasoArquivo {
    const char* nome;
    QString arquivoAtual;
    QString linhaNome;
};

// Nome da linha da tabela no lugar dos bytes do parâmetro.
void PrintTo(const CasoArquivo& c, std::ostream* os) { *os << c.nome; }

class CabecalhoPorArquivo : public Impressao, public testing::WithParamInterface<CasoArquivo> {};

TEST_P(CabecalhoPorArquivo, CabecalhoDepoisLinhasDoEditor)
{
    ASSERT_TRUE(ImprimeComCabecalho(algoritmo, QFont(QStringLiteral("DejaVu Sans Mono"), 10),
                                    GetParam().arquivoAtual));
    EXPECT_EQ(impressora.dialogosImpressao, 1);
    EXPECT_TRUE(dialogos.textos().isEmpty()) << dialogos.textos().join(u'|').toStdString();
    const QStringList esperado{kTitulo,
                               GetParam().linhaNome,
                               QStringLiteral("Data da Impressão: ") + dataDeHoje(),
                               QStringLiteral("inicio"),
                               QStringLiteral("mostre('média')"),
                               QStringLiteral("fim")};
    EXPECT_EQ(linhasComTexto(textoDoPdf(pdf())), esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, CabecalhoPorArquivo,
    testing::Values(
        CasoArquivo{"sem_arquivo_atual", QString(), QStringLiteral("Nome do Algoritmo: SemTítulo.alg")},
        CasoArquivo{"caminho_linux", QStringLiteral("/home/aluno/aula/media.alg"),
                    QStringLiteral("Nome do Algoritmo: media.alg")},
        CasoArquivo{"caminho_windows", QStringLiteral("C:\\Vendrilo\\aula\\media.alg"),
                    QStringLiteral("Nome do Algoritmo: media.alg")},
        CasoArquivo{"so_nome_acentuado", QStringLiteral("Média Final.ALG"),
                    QStringLiteral("Nome do Algoritmo: Média Final.ALG")}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(LinhasCabecalho, SeteLinhasComDuasVaziasAntesEDepois)
{
    const QDate dia(2024, 3, 9);
    const QStringList c = LinhasCabecalho(QStringLiteral("/x/y/prova.alg"), dia);
    const QStringList esperado{kTitulo,
                               QString(),
                               QString(),
                               QStringLiteral("Nome do Algoritmo: prova.alg"),
                               QStringLiteral("Data da Impressão: ") + QStringLiteral("09/03/2024"),
                               QString(),
                               QString()};
    EXPECT_EQ(c, esperado);
}

TEST_F(Impressao, CabecalhoGuardaAsLinhasVaziasEntreTituloNomeEAlgoritmo)
{
    ASSERT_TRUE(ImprimeComCabecalho({QStringLiteral("inicio")}, QFont(QStringLiteral("DejaVu Sans Mono"), 10),
                                    QString()));
    // O pdftotext -layout guarda as linhas em branco pela posição vertical.
    QStringList linhas = textoDoPdf(pdf()).split(u'\n');
    for (QString& l : linhas)
        l = l.trimmed();
    const qsizetype t = linhas.indexOf(kTitulo);
    ASSERT_GE(t, 0);
    EXPECT_EQ(linhas.mid(t, 8),
              (QStringList{kTitulo, QString(), QString(),
                           QStringLiteral("Nome do Algoritmo: SemTítulo.alg"),
                           QStringLiteral("Data da Impressão: ") + dataDeHoje(), QString(), QString(),
                           QStringLiteral("inicio")}));
}

TEST_F(Impressao, CancelarODialogoNaoAbreTrabalho)
{
    impressora.confirmaDialogo = false;
    EXPECT_FALSE(ImprimeComCabecalho(algoritmo, QFont(), QStringLiteral("a.alg")));
    EXPECT_EQ(impressora.dialogosImpressao, 1);
    EXPECT_FALSE(QFile::exists(pdf()));
    EXPECT_TRUE(dialogos.perguntas.isEmpty());
}

TEST_F(Impressao, CabecalhoUsaAFonteDoEditor)
{
    QFont fonte(QStringLiteral("DejaVu Serif"));
    fonte.setPixelSize(13); // como no editor: pixels da tela
    ASSERT_TRUE(ImprimeComCabecalho(algoritmo, fonte, QString()));
    QProcess p;
    p.start(QStringLiteral("pdffonts"), {pdf()});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString fontes = QString::fromUtf8(p.readAllStandardOutput());
    const QString familia = QFontInfo(fonte).family().remove(u' ');
    EXPECT_TRUE(fontes.contains(familia)) << fontes.toStdString() << familia.toStdString();
}

TEST_F(Impressao, DocumentoVazioComCabecalhoImprimeSoOCabecalho)
{
    ASSERT_TRUE(ImprimeComCabecalho({}, QFont(QStringLiteral("DejaVu Sans Mono"), 10), QString()));
    EXPECT_EQ(linhasComTexto(textoDoPdf(pdf())),
              (QStringList{kTitulo, QStringLiteral("Nome do Algoritmo: SemTítulo.alg"),
                           QStringLiteral("Data da Impressão: ") + dataDeHoje()}));
}

TEST_F(Impressao, DiretaSemDialogoImprimeSoAsLinhas)
{
    ImprimeTexto(algoritmo);
    EXPECT_EQ(impressora.dialogosImpressao, 0);
    EXPECT_TRUE(dialogos.perguntas.isEmpty());
    EXPECT_EQ(linhasComTexto(textoDoPdf(pdf())),
              (QStringList{QStringLiteral("inicio"), QStringLiteral("mostre('média')"),
                           QStringLiteral("fim")}));
}

TEST_F(Impressao, DiretaDocumentoVazioDaUmTrabalhoVazio)
{
    ImprimeTexto({});
    ASSERT_TRUE(QFile::exists(pdf()));
    EXPECT_TRUE(linhasComTexto(textoDoPdf(pdf())).isEmpty());
    EXPECT_TRUE(dialogos.perguntas.isEmpty());
}

TEST_F(Impressao, MuitasPaginasNaOrdemSemPerderLinha)
{
    QStringList linhas;
    for (int i = 1; i <= 300; ++i)
        linhas << QStringLiteral("linha %1 do algoritmo").arg(i, 4, 10, QLatin1Char('0'));
    ImprimeTexto(linhas);
    const QString texto = textoDoPdf(pdf());
    EXPECT_GE(texto.count(u'\f'), 4); // 300 linhas não cabem em 4 páginas A4
    EXPECT_EQ(linhasComTexto(texto), linhas);
}

TEST_F(Impressao, LinhaDe2000CaracteresQuebradaSemPerda)
{
    QString longa;
    for (int i = 0; i < 200; ++i)
        longa += QStringLiteral("%1abcdefghi").arg(i % 10);
    ASSERT_EQ(longa.size(), 2000);
    ImprimeTexto({QStringLiteral("antes"), longa, QStringLiteral("depois")});
    const QStringList linhas = linhasComTexto(textoDoPdf(pdf()));
    ASSERT_GE(linhas.size(), 4); // quebrada em várias linhas impressas
    EXPECT_EQ(linhas.front(), QStringLiteral("antes"));
    EXPECT_EQ(linhas.back(), QStringLiteral("depois"));
    EXPECT_EQ(linhas.mid(1, linhas.size() - 2).join(QString()), longa);
}

TEST_F(Impressao, TabulacoesViramEspacosAteAColunaMultiplaDeTres)
{
    ImprimeTexto({QStringLiteral("a\tb"), QStringLiteral("abc\td")});
    // A posição das palavras no papel, em larguras de caractere (fonte fixa).
    const auto p = palavrasDoPdf(pdf());
    ASSERT_EQ(p.size(), 4);
    const double largura = p[0].xMax - p[0].xMin; // "a"
    ASSERT_GT(largura, 0);
    EXPECT_NEAR((p[1].xMin - p[0].xMin) / largura, 3.0, 0.05) << "b";
    EXPECT_NEAR((p[3].xMin - p[2].xMin) / largura, 6.0, 0.05) << "d";
}

TEST_F(Impressao, FalhaDeEntradaESaidaMostraErroDeImpressao)
{
    impressora.impressora().setOutputFileName(pasta.filePath(QStringLiteral("nao/existe/saida.pdf")));
    ImprimeTexto(algoritmo);
    ASSERT_EQ(dialogos.perguntas.size(), 1);
    EXPECT_EQ(dialogos.perguntas[0].texto, QStringLiteral("Erro na impressao de texto."));
    EXPECT_EQ(dialogos.perguntas[0].flags, unsigned(Caixa::IconeErro));
    EXPECT_EQ(dialogos.perguntas[0].titulo, kTitulo);
}

TEST_F(Impressao, FalhaComCabecalhoAvisaEmPortugues)
{
    impressora.impressora().setOutputFileName(pasta.filePath(QStringLiteral("nao/existe/saida.pdf")));
    EXPECT_FALSE(ImprimeComCabecalho(algoritmo, QFont(), QString()));
    ASSERT_EQ(dialogos.perguntas.size(), 1);
    EXPECT_EQ(dialogos.perguntas[0].texto, MensagemFalhaCabecalho());
}

TEST_F(Impressao, SemImpressoraInstaladaSoAvisa)
{
    impressora.instalada = false;
    ImprimeTexto(algoritmo);
    EXPECT_FALSE(QFile::exists(pdf()));
    ASSERT_EQ(dialogos.textos(), QStringList{MensagemSemImpressora()});
}

TEST_F(Impressao, ConfigurarAbreODialogoDaImpressoraDoPrograma)
{
    ConfiguraImpressora();
    EXPECT_EQ(impressora.dialogosConfiguracao, 1);
    EXPECT_EQ(impressora.ultimaConfigurada, &impressora.impressora());
    EXPECT_FALSE(QFile::exists(pdf()));
}

// A janela principal só com as ações, pelos nomes que ela usa.
class Comandos : public Impressao {
protected:
    QAction* acao(const char* nome)
    {
        auto* a = new QAction(QString::fromLatin1(nome), &janela);
        a->setObjectName(QString::fromLatin1(nome));
        a->setVisible(false);
        return a;
    }

    QMainWindow janela;
    QAction* imprimir = acao("btnImprimir");
    QAction* comVendrilo = acao("ComVendrilo1");
    QAction* configurar = acao("Configurar1");
    QAction* usarWord = acao("UsarWord1");
    bool temDocumento = true;
    int recriacoes = 0;
};

TEST_F(Comandos, LigaAsQuatroAcoesEAsDeixaVisiveis)
{
    ComandosImpressao c(&janela, [&]() -> std::optional<DocumentoImpressao> {
        if (!temDocumento)
            return std::nullopt;
        return DocumentoImpressao{algoritmo, QFont(QStringLiteral("DejaVu Sans Mono"), 10)};
    }, [] { return QStringLiteral("/aula/media.alg"); }, [&] { ++recriacoes; });
    EXPECT_EQ(c.comandosLigados(), 4);
    for (QAction* a : {imprimir, comVendrilo, configurar, usarWord})
        EXPECT_TRUE(a->isVisible()) << a->objectName().toStdString();

    comVendrilo->trigger();
    EXPECT_EQ(impressora.dialogosImpressao, 1);
    EXPECT_TRUE(linhasComTexto(textoDoPdf(pdf())).contains(QStringLiteral("Nome do Algoritmo: media.alg")));

    QFile::remove(pdf());
    imprimir->trigger();
    EXPECT_EQ(linhasComTexto(textoDoPdf(pdf())),
              (QStringList{QStringLiteral("inicio"), QStringLiteral("mostre('média')"),
                           QStringLiteral("fim")}));

    configurar->trigger();
    EXPECT_EQ(impressora.dialogosConfiguracao, 1);

    // Sem editor ativo, nada é impresso.
    QFile::remove(pdf());
    temDocumento = false;
    imprimir->trigger();
    EXPECT_FALSE(QFile::exists(pdf()));
}

TEST_F(Comandos, UsarWordRefazACriacaoEAvisaQuandoNaoHaProcessador)
{
    ProcessadorLibreOffice ausente(pasta.filePath(QStringLiteral("nao-instalado/soffice")));
    defineProcessadorTexto(&ausente);
    ComandosImpressao c(&janela, [&] { return std::optional(DocumentoImpressao{algoritmo, QFont()}); },
                        [] { return QString(); }, [&] { ++recriacoes; });
    usarWord->trigger();
    defineProcessadorTexto(nullptr);
    EXPECT_EQ(recriacoes, 1);
    ASSERT_EQ(dialogos.perguntas.size(), 1);
    EXPECT_EQ(dialogos.perguntas[0].texto, MensagemSemProcessador());
    EXPECT_TRUE(dialogos.perguntas[0].texto.contains(QStringLiteral("Nenhum processador de textos")));
}

TEST_F(Comandos, BotaoComAcaoDeMesmoNomeImprimeUmaVezSo)
{
    auto* botao = new QToolButton(&janela);
    botao->setObjectName(QStringLiteral("btnImprimir"));
    botao->setDefaultAction(imprimir);
    int impressoes = 0;
    ComandosImpressao c(&janela, [&]() -> std::optional<DocumentoImpressao> {
        ++impressoes;
        return std::nullopt;
    }, {});
    botao->click();
    EXPECT_EQ(impressoes, 1);
}

} // namespace

int main(int argc, char** argv)
{
    return vendrilo::teste::RodaTestesQt(argc, argv);
}
