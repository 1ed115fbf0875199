#include "workspace/realce/syn_highlighter_vendrilo.h"

#include <Qsci/qsciscintilla.h>
#include <QSettings>

#include <algorithm>

namespace vendrilo {

namespace {

long envia(QsciScintilla* ed, unsigned msg, unsigned long w = 0, long l = 0)
{
    return ed->SendScintilla(msg, w, l);
}

} // namespace

TSynVendriloSyn::TSynVendriloSyn(QObject* parent)
    : QsciLexerCustom(parent), caracteresTexto_(caracteres_.texto())
{
    fonteBase_ = QFont(QStringLiteral("Courier New"), 10);
    fonteBase_.setStyleHint(QFont::TypeWriter);
    fonteBase_.setFixedPitch(true);
}

const char* TSynVendriloSyn::language() const { return "General"; }

QString TSynVendriloSyn::description(int estilo) const
{
    // Nomes de exibição dos atributos; vazio encerra a lista de estilos.
    switch (estilo) {
    case Espaco: return QStringLiteral("Space");
    case Comentario: return QStringLiteral("Comment");
    case Identificador: return QStringLiteral("Identifier");
    case PalavraReservada: return QStringLiteral("Reserved word");
    case Numero: return QStringLiteral("Number");
    case PreProcessador: return QStringLiteral("Preprocessor");
    case Cadeia: return QStringLiteral("String");
    case Simbolo: return QStringLiteral("Symbol");
    default: return QString();
    }
}

QColor TSynVendriloSyn::defaultColor(int estilo) const
{
    switch (estilo) {
    case Comentario: return QColor(0x00, 0x80, 0x00);    // verde
    case Identificador: return QColor(0x00, 0x00, 0xFF); // azul
    case Numero: return QColor(0x80, 0x00, 0x00);        // marrom
    case Cadeia: return QColor(0xFF, 0x00, 0xFF);        // fúcsia
    case Simbolo: return QColor(0xFF, 0x00, 0x00);       // vermelho
    default: return QColor(0x00, 0x00, 0x00);
    }
}

QFont TSynVendriloSyn::defaultFont(int estilo) const
{
    QFont f = fonteBase_;
    f.setBold(estilo == PalavraReservada || estilo == Numero);
    f.setItalic(estilo == Comentario);
    return f;
}

QColor TSynVendriloSyn::defaultPaper(int) const { return QColor(0xFF, 0xFF, 0xFF); }

void TSynVendriloSyn::defineFonteBase(const QFont& fonte)
{
    fonteBase_ = fonte;
    for (int e = Espaco; e <= Simbolo; ++e)
        setFont(defaultFont(e), e);
}

int TSynVendriloSyn::estiloDaFicha(TipoFicha tipo)
{
    switch (tipo) {
    case TipoFicha::Comentario: return Comentario;
    case TipoFicha::Identificador: return Identificador;
    case TipoFicha::PalavraReservada: return PalavraReservada;
    case TipoFicha::Numero: return Numero;
    case TipoFicha::PreProcessador: return PreProcessador;
    case TipoFicha::Cadeia: return Cadeia;
    case TipoFicha::Simbolo:
    case TipoFicha::Desconhecido: return Simbolo;
    case TipoFicha::Espaco:
    case TipoFicha::FimLinha: break;
    }
    return Espaco;
}

void TSynVendriloSyn::styleText(int start, int end)
{
    QsciScintilla* ed = editor();
    if (!ed || end < start)
        return;
    // Sempre do início de uma linha, com o estado deixado pela anterior.
    const long primeira = envia(ed, QsciScintillaBase::SCI_LINEFROMPOSITION, start);
    const long ultima = envia(ed, QsciScintillaBase::SCI_LINEFROMPOSITION, end);
    const long totalLinhas = envia(ed, QsciScintillaBase::SCI_GETLINECOUNT);
    const long inicio = envia(ed, QsciScintillaBase::SCI_POSITIONFROMLINE, primeira);
    const long fim = ultima + 1 < totalLinhas
                         ? envia(ed, QsciScintillaBase::SCI_POSITIONFROMLINE, ultima + 1)
                         : envia(ed, QsciScintillaBase::SCI_GETLENGTH);
    const long estadoAnterior =
        primeira > 0 ? envia(ed, QsciScintillaBase::SCI_GETLINESTATE, primeira - 1) : 0;
    if (fim <= inicio) {
        // Última linha vazia: só herda o estado.
        envia(ed, QsciScintillaBase::SCI_SETLINESTATE, primeira, estadoAnterior);
        return;
    }
    EstadoLinha estado = estadoDeInteiro(static_cast<int>(estadoAnterior));

    // Um só pedaço de texto e um só SCI_SETSTYLINGEX: milhares de linhas ao
    // abrir custam uma cópia, não uma mensagem por ficha.
    const std::size_t tamanho = static_cast<std::size_t>(fim - inicio);
    texto_.assign(tamanho + 1, '\0');
    ed->SendScintilla(QsciScintillaBase::SCI_GETTEXTRANGE, inicio, fim, texto_.data());
    estilos_.assign(tamanho, static_cast<char>(Espaco));

    for (long linha = primeira; linha <= ultima; ++linha) {
        const long ini = envia(ed, QsciScintillaBase::SCI_POSITIONFROMLINE, linha) - inicio;
        const long fimLinha = envia(ed, QsciScintillaBase::SCI_GETLINEENDPOSITION, linha) - inicio;
        if (ini < 0 || fimLinha < ini || fimLinha > static_cast<long>(tamanho))
            break;
        const std::string_view texto(texto_.data() + ini, static_cast<std::size_t>(fimLinha - ini));
        estado = varredor_.varre(texto, estado, fichas_);
        for (const Ficha& f : fichas_)
            std::fill_n(estilos_.begin() + ini + static_cast<long>(f.inicio), f.tamanho,
                        static_cast<char>(estiloDaFicha(f.tipo)));
        envia(ed, QsciScintillaBase::SCI_SETLINESTATE, linha, static_cast<long>(estado));
    }
    startStyling(static_cast<int>(inicio));
    ed->SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, static_cast<uintptr_t>(tamanho),
                      static_cast<const char*>(estilos_.data()));
}

const char* TSynVendriloSyn::wordCharacters() const { return caracteresTexto_.c_str(); }

void TSynVendriloSyn::setEditor(QsciScintilla* ed)
{
    QsciLexerCustom::setEditor(ed);
    // O QsciScintilla só consulta wordCharacters() nas suas funções; o
    // movimento por palavras do Scintilla precisa do conjunto enviado.
    if (ed)
        ed->SendScintilla(QsciScintillaBase::SCI_SETWORDCHARS, caracteresTexto_.c_str());
}

void TSynVendriloSyn::setIdentifierChars(const QString& caracteres)
{
    const QByteArray latin1 = caracteres.toLatin1();
    caracteres_.define(std::string_view(latin1.constData(), static_cast<std::size_t>(latin1.size())));
    caracteresTexto_ = caracteres_.texto();
    if (QsciScintilla* ed = editor())
        ed->SendScintilla(QsciScintillaBase::SCI_SETWORDCHARS, caracteresTexto_.c_str());
}

QString TSynVendriloSyn::identifierChars() const { return QString::fromLatin1(caracteresTexto_); }

void TSynVendriloSyn::setKeyWords(const QStringList& palavras)
{
    std::vector<std::string> lista;
    lista.reserve(static_cast<std::size_t>(palavras.size()));
    for (const QString& p : palavras)
        lista.push_back(p.toUpper().toStdString());
    varredor_.definePalavras(lista);
    repinta();
}

QStringList TSynVendriloSyn::keyWords() const
{
    QStringList r;
    for (const auto& p : varredor_.palavras().lista())
        r << QString::fromStdString(p);
    return r;
}

void TSynVendriloSyn::setComments(unsigned estilos)
{
    auto c = varredor_.configuracao();
    c.comentarios = estilos;
    varredor_.defineConfiguracao(c);
    repinta();
}

void TSynVendriloSyn::setDetectPreprocessor(bool detecta)
{
    auto c = varredor_.configuracao();
    c.detectaPreProcessador = detecta;
    varredor_.defineConfiguracao(c);
    repinta();
}

void TSynVendriloSyn::setStringDelim(char delimitador)
{
    auto c = varredor_.configuracao();
    c.delimitadorCadeia = delimitador == '"' ? '"' : '\'';
    varredor_.defineConfiguracao(c);
    repinta();
}

void TSynVendriloSyn::repinta()
{
    if (QsciScintilla* ed = editor())
        ed->recolor();
}

bool TSynVendriloSyn::readProperties(QSettings& qs, const QString& prefixo)
{
    const QString chave = prefixo + QStringLiteral("KeyWords");
    if (qs.contains(chave))
        setKeyWords(qs.value(chave).toString().split(QLatin1Char('\n'), Qt::SkipEmptyParts));
    return true;
}

bool TSynVendriloSyn::writeProperties(QSettings& qs, const QString& prefixo) const
{
    qs.setValue(prefixo + QStringLiteral("KeyWords"), keyWords().join(QLatin1Char('\n')));
    return true;
}

} // namespace vendrilo
