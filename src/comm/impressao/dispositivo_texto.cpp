#include "comm/impressao/dispositivo_texto.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>

#include <algorithm>

namespace vendrilo {

namespace {

constexpr qreal kMargemMinimaMm = 15.0;
constexpr int kColunasTabulacao = 3;

QString expandeTabulacoes(const QString& linha)
{
    if (!linha.contains(u'\t'))
        return linha;
    QString r;
    r.reserve(linha.size() + 8);
    for (const QChar c : linha) {
        if (c == u'\t')
            r += QString(kColunasTabulacao - r.size() % kColunasTabulacao, u' ');
        else
            r += c;
    }
    return r;
}

// Quantos caracteres do início de `t` cabem em `largura` (ao menos um, sem
// partir um par substituto).
qsizetype quantosCabem(const QString& t, const QFontMetricsF& fm, qreal largura)
{
    if (fm.horizontalAdvance(t) <= largura)
        return t.size();
    qsizetype lo = 1, hi = t.size() - 1;
    while (lo < hi) {
        const qsizetype meio = (lo + hi + 1) / 2;
        if (fm.horizontalAdvance(t.left(meio)) <= largura)
            lo = meio;
        else
            hi = meio - 1;
    }
    if (lo < t.size() && t[lo - 1].isHighSurrogate())
        lo = lo > 1 ? lo - 1 : lo + 1;
    return lo;
}

} // namespace

QFont FonteParaImpressora(const QFont& fonte)
{
    QFont f = fonte;
    if (f.pixelSize() > 0) {
        const QScreen* tela = QGuiApplication::primaryScreen();
        const qreal dpi = tela ? tela->logicalDotsPerInch() : 96.0;
        f.setPointSizeF(f.pixelSize() * 72.0 / (dpi > 0 ? dpi : 96.0));
    }
    return f;
}

DispositivoTexto::DispositivoTexto(QPrinter& impressora) : impressora_(impressora) {}

DispositivoTexto::~DispositivoTexto()
{
    if (aberto())
        pintor_.end();
}

bool DispositivoTexto::abre(const QFont& fonte)
{
    if (aberto() || !pintor_.begin(&impressora_))
        return false;
    pintor_.setFont(FonteParaImpressora(fonte));
    const QFontMetricsF fm(pintor_.font(), &impressora_);
    alturaLinha_ = fm.lineSpacing();
    ascendente_ = fm.ascent();

    // A origem do pintor é o canto da área imprimível; completa-se a margem
    // da impressora até o mínimo.
    const int res = impressora_.resolution();
    const QPageLayout layout = impressora_.pageLayout();
    const QRectF util(QPointF(0, 0), QSizeF(layout.paintRectPixels(res).size()));
    const QMarginsF margens = layout.marginsPixels(res);
    const qreal minimo = kMargemMinimaMm * res / 25.4;
    const QMarginsF extra(std::max<qreal>(0, minimo - margens.left()),
                          std::max<qreal>(0, minimo - margens.top()),
                          std::max<qreal>(0, minimo - margens.right()),
                          std::max<qreal>(0, minimo - margens.bottom()));
    area_ = util.marginsRemoved(extra);
    if (area_.width() < fm.maxWidth() || area_.height() < alturaLinha_)
        area_ = util; // papel minúsculo: usa tudo o que há
    y_ = area_.top();
    primeiraDaPagina_ = true;
    paginas_ = 1;
    return true;
}

bool DispositivoTexto::proximaLinha()
{
    if (!primeiraDaPagina_ && y_ + alturaLinha_ > area_.bottom()) {
        if (!impressora_.newPage())
            return false;
        ++paginas_;
        y_ = area_.top();
    }
    primeiraDaPagina_ = false;
    return true;
}

bool DispositivoTexto::escreve(const QString& linha)
{
    if (!aberto())
        return false;
    QString resto = expandeTabulacoes(linha);
    const QFontMetricsF fm(pintor_.font(), &impressora_);
    do {
        if (!proximaLinha())
            return false;
        const qsizetype n = resto.isEmpty() ? 0 : quantosCabem(resto, fm, area_.width());
        if (n > 0)
            pintor_.drawText(QPointF(area_.left(), y_ + ascendente_), resto.left(n));
        y_ += alturaLinha_;
        resto.remove(0, n);
    } while (!resto.isEmpty());
    return aberto();
}

bool DispositivoTexto::fecha()
{
    if (!aberto())
        return true;
    return pintor_.end();
}

} // namespace vendrilo
