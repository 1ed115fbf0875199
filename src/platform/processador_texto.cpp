#include "platform/processador_texto.h"

#include "platform/processo.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace vendrilo {

ProcessadorTexto::~ProcessadorTexto() = default;

namespace {

ProcessadorTexto* atual = nullptr;

// Caracteres de controle que o XML 1.0 não aceita viram U+FFFD: o texto
// chega inteiro, com a marca no lugar do que não pode ir.
bool proibidoNoXml(char16_t c)
{
    return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF;
}

void acrescentaParagrafo(QString& xml, QStringView linha)
{
    xml += QLatin1String("<text:p text:style-name=\"Algoritmo\">");
    qsizetype i = 0;
    while (i < linha.size()) {
        const QChar c = linha[i];
        if (c == u' ') {
            // O ODF junta espaços seguidos e ignora os do início: cada
            // sequência vira um espaço e um <text:s/> com o restante.
            qsizetype n = 1;
            while (i + n < linha.size() && linha[i + n] == u' ')
                ++n;
            qsizetype contados = n;
            if (i > 0) {
                xml += u' ';
                --contados;
            }
            if (contados == 1)
                xml += QLatin1String("<text:s/>");
            else if (contados > 1)
                xml += QStringLiteral("<text:s text:c=\"%1\"/>").arg(contados);
            i += n;
            continue;
        }
        if (c == u'\t')
            xml += QLatin1String("<text:tab/>");
        else if (c == u'&')
            xml += QLatin1String("&amp;");
        else if (c == u'<')
            xml += QLatin1String("&lt;");
        else if (c == u'>')
            xml += QLatin1String("&gt;");
        else if (proibidoNoXml(c.unicode()))
            xml += QChar(0xFFFD);
        else
            xml += c;
        ++i;
    }
    xml += QLatin1String("</text:p>\n");
}

// Modelos entregues ficam para o processador ler depois; os de mais de um
// dia já foram lidos há muito e são apagados, para não se acumularem.
void apagaModelosAntigos(const QDir& pasta)
{
    const QDateTime limite = QDateTime::currentDateTime().addDays(-1);
    for (const QFileInfo& f : pasta.entryInfoList({QStringLiteral("vendrilo-??????.fodt")}, QDir::Files))
        if (f.lastModified() < limite)
            QFile::remove(f.absoluteFilePath());
}

QStringList candidatos()
{
    QStringList r{QStringLiteral("soffice"), QStringLiteral("libreoffice")};
    r << QStringLiteral("/usr/lib/libreoffice/program/soffice")
      << QStringLiteral("/usr/local/lib/libreoffice/program/soffice");
    const QDir opt(QStringLiteral("/opt"));
    for (const QString& d : opt.entryList({QStringLiteral("libreoffice*")}, QDir::Dirs))
        r << opt.filePath(d + QStringLiteral("/program/soffice"));
    return r;
}

} // namespace

ProcessadorTexto& processadorTexto()
{
    static ProcessadorLibreOffice real;
    return atual ? *atual : real;
}

void defineProcessadorTexto(ProcessadorTexto* p) { atual = p; }

QString MensagemSemProcessador()
{
    return QStringLiteral("Nenhum processador de textos instalado.\n"
                          "Instale o LibreOffice Writer para usar esta opção.");
}

ProcessadorLibreOffice::ProcessadorLibreOffice(QString programa) : programa_(std::move(programa)) {}

bool ProcessadorLibreOffice::conecta()
{
    encontrado_.clear();
    const QStringList lista = programa_.isEmpty() ? candidatos() : QStringList{programa_};
    for (const QString& nome : lista) {
        const std::string achado = ProcuraPrograma(QFile::encodeName(nome).toStdString());
        if (!achado.empty()) {
            encontrado_ = QFile::decodeName(QByteArray::fromStdString(achado));
            return true;
        }
    }
    return false;
}

QString ProcessadorLibreOffice::abreDocumentoNovo(const QString& texto)
{
    if (!conectado() && !conecta())
        return MensagemSemProcessador();

    // O documento é modelo ("-n"): o Writer abre um documento novo, sem
    // título, e o arquivo temporário nunca é sobrescrito ao salvar.
    const QString pasta = pasta_.isEmpty() ? QDir::tempPath() : pasta_;
    apagaModelosAntigos(QDir(pasta));
    QTemporaryFile arquivo(QDir(pasta).filePath(QStringLiteral("vendrilo-XXXXXX.fodt")));
    arquivo.setAutoRemove(false); // o processador lê depois que voltamos
    const QByteArray conteudo = DocumentoFodt(texto);
    if (!arquivo.open() || arquivo.write(conteudo) != conteudo.size() || !arquivo.flush()) {
        const QString motivo = arquivo.errorString();
        if (!arquivo.fileName().isEmpty())
            arquivo.remove();
        return QStringLiteral("Não foi possível preparar o documento para o processador de textos: ") +
               motivo;
    }
    ultimo_ = arquivo.fileName();
    arquivo.close();

    const std::vector<std::string> argv{QFile::encodeName(encontrado_).toStdString(), "-n",
                                        QFile::encodeName(ultimo_).toStdString()};
    if (!IniciaDesligado(argv))
        return QStringLiteral("Não foi possível iniciar o processador de textos (%1).").arg(encontrado_);
    return {};
}

QByteArray DocumentoFodt(const QString& texto)
{
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\"\n"
        " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\"\n"
        " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"\n"
        " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\"\n"
        " office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument.text\">\n"
        "<office:styles>\n"
        "<style:style style:name=\"Algoritmo\" style:family=\"paragraph\">"
        "<style:paragraph-properties fo:margin-top=\"0cm\" fo:margin-bottom=\"0cm\"/>"
        "<style:text-properties fo:font-family=\"'Courier New'\" "
        "style:font-family-generic=\"modern\" style:font-pitch=\"fixed\" fo:font-size=\"10pt\"/>"
        "</style:style>\n"
        "</office:styles>\n"
        "<office:body>\n<office:text>\n");
    static const QRegularExpression quebra(QStringLiteral("\r\n|\r|\n"));
    for (const QString& linha : texto.split(quebra))
        acrescentaParagrafo(xml, linha);
    xml += QLatin1String("</office:text>\n</office:body>\n</office:document>\n");
    return xml.toUtf8();
}

} // namespace vendrilo
