// Entrega ao processador de textos: o documento gerado, a falta do
// processador, o início do programa (um soffice de teste que registra o que
// recebeu) e, quando instalado, o LibreOffice de verdade lendo o documento.

#include "platform/processador_texto.h"
#include "platform/processo.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QThread>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace vendrilo;

namespace {

// Lê o .fodt de volta como o Writer o entenderia: um parágrafo por linha,
// <text:s/> e <text:tab/> viram espaços e tabulações.
QStringList paragrafos(const QByteArray& fodt)
{
    QStringList r;
    QXmlStreamReader xml(fodt);
    QString atual;
    bool dentro = false;
    bool espacoLiteral = false; // o último caractere veio de um espaço do XML
    while (!xml.atEnd()) {
        xml.readNext();
        const auto nome = xml.qualifiedName();
        if (xml.isStartElement() && nome == u"text:p") {
            dentro = true;
            atual.clear();
            espacoLiteral = false;
        } else if (xml.isEndElement() && nome == u"text:p") {
            dentro = false;
            r << atual;
        } else if (dentro && xml.isStartElement() && nome == u"text:s") {
            const auto c = xml.attributes().value(QStringLiteral("text:c"));
            atual += QString(c.isEmpty() ? 1 : c.toInt(), u' ');
            espacoLiteral = false;
        } else if (dentro && xml.isStartElement() && nome == u"text:tab") {
            atual += u'\t';
            espacoLiteral = false;
        } else if (dentro && xml.isCharacters()) {
            // Regra do ODF: espaços do XML seguidos contam como um, e os do
            // início do parágrafo não contam.
            for (const QChar c : xml.text()) {
                if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') {
                    if (!atual.isEmpty() && !espacoLiteral)
                        atual += u' ';
                    espacoLiteral = true;
                } else {
                    atual += c;
                    espacoLiteral = false;
                }
            }
        }
    }
    if (xml.hasError())
        r << QStringLiteral("<XML inválido: %1>").arg(xml.errorString());
    return r;
}

struct CasoDocumento {
    const char* nome;
    QString texto;
    QStringList esperado;
};

// Nome da linha da tabela no lugar dos bytes do parâmetro.
void PrintTo(const CasoDocumento& c, std::ostream* os) { *os << c.nome; }

class DocumentoFodtCasos : public testing::TestWithParam<CasoDocumento> {};

TEST_P(DocumentoFodtCasos, ParagrafosDeVolta)
{
    EXPECT_EQ(paragrafos(DocumentoFodt(GetParam().texto)), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, DocumentoFodtCasos,
    testing::Values(
        CasoDocumento{"linhas_unidas_por_crlf", QStringLiteral("inicio\r\n  leia(x)\r\nfim"),
                      {QStringLiteral("inicio"), QStringLiteral("  leia(x)"), QStringLiteral("fim")}},
        CasoDocumento{"quebras_cr_e_lf_sozinhas", QStringLiteral("a\rb\nc"),
                      {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}},
        CasoDocumento{"texto_vazio_um_paragrafo_vazio", QString(), {QString()}},
        CasoDocumento{"linhas_vazias_mantidas", QStringLiteral("a\r\n\r\nb\r\n"),
                      {QStringLiteral("a"), QString(), QStringLiteral("b"), QString()}},
        CasoDocumento{"espacos_seguidos_e_do_inicio", QStringLiteral("   x  =   y "),
                      {QStringLiteral("   x  =   y ")}},
        CasoDocumento{"tabulacao", QStringLiteral("\tse\tx"), {QStringLiteral("\tse\tx")}},
        CasoDocumento{"caracteres_do_xml", QStringLiteral("se a<b && c>d entao '<fim>'"),
                      {QStringLiteral("se a<b && c>d entao '<fim>'")}},
        CasoDocumento{"acentos", QStringLiteral("média ← ação"), {QStringLiteral("média ← ação")}},
        CasoDocumento{"controle_vira_marca", QStringLiteral("a") + QChar(0) + QChar(7) + QStringLiteral("b"),
                      {QStringLiteral("a\uFFFD\uFFFDb")}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(ProcessadorTexto, SemProcessadorInstaladoDizComClareza)
{
    QTemporaryDir pasta;
    ProcessadorLibreOffice p(pasta.filePath(QStringLiteral("nao-instalado/soffice")));
    EXPECT_FALSE(p.conecta());
    EXPECT_FALSE(p.conectado());
    EXPECT_EQ(p.abreDocumentoNovo(QStringLiteral("inicio")), MensagemSemProcessador());
    EXPECT_TRUE(MensagemSemProcessador().contains(QStringLiteral("Nenhum processador de textos instalado")));
    EXPECT_TRUE(QDir(pasta.path()).entryList(QDir::Files).isEmpty());
}

// Programa de teste no lugar do soffice: grava os argumentos e uma cópia do
// documento recebido. A pasta tem espaço, "$" e ";" no nome: nada pode ser
// interpretado por um shell no caminho.
class SofficeDeTeste : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(raiz.isValid());
        pasta = raiz.filePath(QStringLiteral("pasta com $HOME; e espaço"));
        ASSERT_TRUE(QDir().mkpath(pasta));
        programa = pasta + QStringLiteral("/soffice");
        QFile f(programa);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n"
                "dir=$(dirname \"$0\")\n"
                "cp \"$2\" \"$dir/recebido.tmp\"\n"
                "printf '%s\\n' \"$@\" > \"$dir/argumentos.tmp\"\n"
                "mv \"$dir/recebido.tmp\" \"$dir/recebido.fodt\"\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    bool espera(const QString& arquivo, int ms)
    {
        QElapsedTimer t;
        t.start();
        while (!QFile::exists(arquivo) && t.elapsed() < ms)
            QThread::msleep(20);
        return QFile::exists(arquivo);
    }

    QTemporaryDir raiz;
    QString pasta, programa;
};

TEST_F(SofficeDeTeste, RecebeUmModeloDeDocumentoNovoComOTexto)
{
    ProcessadorLibreOffice p(programa);
    p.definePastaDocumentos(pasta);
    ASSERT_TRUE(p.conecta());
    const QString texto = QStringLiteral("inicio\r\n   mostre('média')\r\nfim");
    ASSERT_EQ(p.abreDocumentoNovo(texto), QString());
    ASSERT_TRUE(espera(pasta + QStringLiteral("/recebido.fodt"), 10000));

    QFile args(pasta + QStringLiteral("/argumentos.tmp"));
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    const QStringList argumentos = QString::fromUtf8(args.readAll()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(argumentos, (QStringList{QStringLiteral("-n"), p.ultimoDocumento()}));
    EXPECT_TRUE(p.ultimoDocumento().endsWith(QStringLiteral(".fodt")));

    QFile recebido(pasta + QStringLiteral("/recebido.fodt"));
    ASSERT_TRUE(recebido.open(QIODevice::ReadOnly));
    EXPECT_EQ(paragrafos(recebido.readAll()),
              (QStringList{QStringLiteral("inicio"), QStringLiteral("   mostre('média')"),
                           QStringLiteral("fim")}));
}

TEST_F(SofficeDeTeste, ModelosDeMaisDeUmDiaSaoApagadosOsOutrosFicam)
{
    const QDateTime anteontem = QDateTime::currentDateTime().addDays(-2);
    const QString antigo = pasta + QStringLiteral("/vendrilo-abc123.fodt");
    const QString recente = pasta + QStringLiteral("/vendrilo-def456.fodt");
    const QString doAluno = pasta + QStringLiteral("/meu-texto.fodt");
    for (const QString& nome : {antigo, recente, doAluno}) {
        QFile f(nome);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();
    }
    for (const QString& nome : {antigo, doAluno}) {
        QFile f(nome);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(anteontem, QFileDevice::FileModificationTime));
    }
    ProcessadorLibreOffice p(programa);
    p.definePastaDocumentos(pasta);
    ASSERT_EQ(p.abreDocumentoNovo(QStringLiteral("x")), QString());
    EXPECT_FALSE(QFile::exists(antigo));
    EXPECT_TRUE(QFile::exists(recente));
    EXPECT_TRUE(QFile::exists(doAluno));
    EXPECT_TRUE(QFile::exists(p.ultimoDocumento()));
}

TEST_F(SofficeDeTeste, PastaDeDocumentosInexistenteEhErroClaro)
{
    ProcessadorLibreOffice p(programa);
    p.definePastaDocumentos(raiz.filePath(QStringLiteral("nao/existe")));
    const QString erro = p.abreDocumentoNovo(QStringLiteral("x"));
    EXPECT_TRUE(erro.startsWith(QStringLiteral("Não foi possível preparar o documento"))) << erro.toStdString();
    EXPECT_FALSE(QFile::exists(pasta + QStringLiteral("/argumentos.tmp")));
}

// O LibreOffice de verdade, sem tela: o soffice "recebe" o documento novo e
// o converte em texto, que é conferido.
TEST(LibreOfficeReal, DocumentoEntregueChegaComOTexto)
{
    const std::string soffice = ProcuraPrograma("soffice");
    if (soffice.empty())
        GTEST_SKIP() << "LibreOffice (soffice) não instalado";
    QTemporaryDir raiz;
    ASSERT_TRUE(raiz.isValid());
    const QString saida = raiz.filePath(QStringLiteral("saida"));
    const QString programa = raiz.filePath(QStringLiteral("soffice-sem-tela"));
    QFile f(programa);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("#!/bin/sh\n"
                           "exec '%1' --headless --norestore '-env:UserInstallation=file://%2/perfil' "
                           "--convert-to txt:Text --outdir '%3' \"$2\"\n")
                .arg(QString::fromStdString(soffice), raiz.path(), saida)
                .toUtf8());
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ProcessadorLibreOffice p(programa);
    p.definePastaDocumentos(raiz.path());
    const QString texto = QStringLiteral("inicio\r\n   mostre('média & <ação>')\r\n\tfim");
    ASSERT_EQ(p.abreDocumentoNovo(texto), QString());
    const QString txt = saida + u'/' + QFileInfo(p.ultimoDocumento()).completeBaseName() + QStringLiteral(".txt");
    QElapsedTimer t;
    t.start();
    while (!QFile::exists(txt) && t.elapsed() < 180000)
        QThread::msleep(200);
    QThread::msleep(500); // o arquivo pode ainda estar sendo escrito
    QFile recebido(txt);
    ASSERT_TRUE(recebido.open(QIODevice::ReadOnly)) << txt.toStdString();
    QString lido = QString::fromUtf8(recebido.readAll());
    if (lido.startsWith(QChar(0xFEFF)))
        lido.remove(0, 1);
    EXPECT_EQ(lido.split(QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts),
              (QStringList{QStringLiteral("inicio"), QStringLiteral("   mostre('média & <ação>')"),
                           QStringLiteral("\tfim")}));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
