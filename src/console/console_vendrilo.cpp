#include "console/console_vendrilo.h"

#include "formato/texto_1252.h"
#include "platform/ponte_terminal.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <QSocketNotifier>
#include <QWheelEvent>
#include <cmath>

namespace vendrilo {

namespace {

// Por vez, no máximo isto é lido antes de devolver o laço de eventos:
// a janela continua pintando e atendendo teclas com um programa tagarela.
constexpr std::size_t LeituraPorVez = 64 * 1024;

std::uint32_t rgbDe(const std::string& nome, std::uint32_t padrao)
{
    const QColor c = QColor::fromString(QString::fromStdString(nome));
    return c.isValid() ? (c.rgb() & 0xFFFFFFu) : padrao;
}

QColor qcor(std::uint32_t rgb)
{
    return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | rgb));
}

// Teclas que a libvterm sabe traduzir em sequências de terminal.
bool teclaEspecial(int k, VTermKey& v)
{
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter: v = VTERM_KEY_ENTER; return true;
    case Qt::Key_Backspace: v = VTERM_KEY_BACKSPACE; return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: v = VTERM_KEY_TAB; return true;
    case Qt::Key_Escape: v = VTERM_KEY_ESCAPE; return true;
    case Qt::Key_Up: v = VTERM_KEY_UP; return true;
    case Qt::Key_Down: v = VTERM_KEY_DOWN; return true;
    case Qt::Key_Left: v = VTERM_KEY_LEFT; return true;
    case Qt::Key_Right: v = VTERM_KEY_RIGHT; return true;
    case Qt::Key_Insert: v = VTERM_KEY_INS; return true;
    case Qt::Key_Delete: v = VTERM_KEY_DEL; return true;
    case Qt::Key_Home: v = VTERM_KEY_HOME; return true;
    case Qt::Key_End: v = VTERM_KEY_END; return true;
    case Qt::Key_PageUp: v = VTERM_KEY_PAGEUP; return true;
    case Qt::Key_PageDown: v = VTERM_KEY_PAGEDOWN; return true;
    default:
        if (k >= Qt::Key_F1 && k <= Qt::Key_F12) {
            v = static_cast<VTermKey>(VTERM_KEY_FUNCTION(k - Qt::Key_F1 + 1));
            return true;
        }
        return false;
    }
}

VTermModifier modificadores(Qt::KeyboardModifiers m)
{
    int r = VTERM_MOD_NONE;
    if (m & Qt::ShiftModifier)
        r |= VTERM_MOD_SHIFT;
    if (m & Qt::ControlModifier)
        r |= VTERM_MOD_CTRL;
    if (m & Qt::AltModifier)
        r |= VTERM_MOD_ALT;
    return static_cast<VTermModifier>(r);
}

} // namespace

ConsoleVendrilo::ConsoleVendrilo(const ConfigConsole& config, bool utf8, QWidget* pai)
    : QWidget(pai)
    , config_(config)
    , utf8_(utf8)
{
    tela_ = std::make_unique<TelaTerminal>(config_.colunas, config_.linhas, rgbDe(config_.corTexto, 0xC0C0C0),
                                           rgbDe(config_.corFundo, 0x000000));
    tela_->aoMudar = [this] {
        if (!pintura_.isActive())
            pintura_.start();
    };
    // Respostas do terminal (teclas, posição do cursor) vão ao programa.
    tela_->aoResponder = [this](std::string_view s) {
        if (pty_)
            pty_->escreve(s);
    };
    // Várias mudanças seguidas viram uma só pintura.
    pintura_.setSingleShot(true);
    pintura_.setInterval(15);
    connect(&pintura_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    vigia_.setInterval(50);
    connect(&vigia_, &QTimer::timeout, this, &ConsoleVendrilo::verificaFim);

    fonte_ = QFont(QString::fromStdString(config_.fonte), config_.tamanhoFonte);
    fonte_.setStyleHint(QFont::TypeWriter);
    fonte_.setFixedPitch(true);
    if (!QFontInfo(fonte_).fixedPitch()) {
        fonte_ = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fonte_.setPointSize(config_.tamanhoFonte);
    }
    // Avanço fracionário arredondado para cima, e o espaçamento completa a
    // diferença: um trecho pintado de uma vez cai exatamente nas células.
    const qreal avanco = QFontMetricsF(fonte_).horizontalAdvance(QLatin1Char('M'));
    larguraCelula_ = std::max(1, static_cast<int>(std::ceil(avanco)));
    fonte_.setLetterSpacing(QFont::AbsoluteSpacing, larguraCelula_ - avanco);
    const QFontMetrics fm(fonte_);
    alturaCelula_ = std::max(1, fm.height());
    ascendente_ = fm.ascent();

    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::IBeamCursor);
}

ConsoleVendrilo::~ConsoleVendrilo()
{
    encerra();
}

bool ConsoleVendrilo::iniciaPrograma(const QStringList& argv, const QString& pasta,
                                     const QStringList& ambiente, QString* erro)
{
    if (pty_) {
        if (erro)
            *erro = QStringLiteral("o console já está em uso");
        return false;
    }
    std::vector<std::string> args, amb{"TERM=xterm"};
    for (const QString& a : argv)
        args.push_back(a.toStdString());
    for (const QString& a : ambiente)
        amb.push_back(a.toStdString());
    auto pty = std::make_unique<ProcessoPty>();
    std::string motivo;
    if (!pty->inicia(args, pasta.toStdString(), amb, tela_->colunas(), tela_->linhas(), motivo)) {
        if (erro)
            *erro = QString::fromStdString(motivo);
        return false;
    }
    pty_ = std::move(pty);
    leitor_ = new QSocketNotifier(pty_->mestre(), QSocketNotifier::Read, this);
    connect(leitor_, &QSocketNotifier::activated, this, &ConsoleVendrilo::leSaida);
    vigia_.start();
    return true;
}

bool ConsoleVendrilo::abrePty(QString* erro)
{
    if (pty_) {
        if (erro)
            *erro = QStringLiteral("o console já está em uso");
        return false;
    }
    auto pty = std::make_unique<ProcessoPty>();
    std::string motivo;
    if (!pty->abre(tela_->colunas(), tela_->linhas(), motivo)) {
        if (erro)
            *erro = QString::fromStdString(motivo);
        return false;
    }
    pty_ = std::move(pty);
    leitor_ = new QSocketNotifier(pty_->mestre(), QSocketNotifier::Read, this);
    connect(leitor_, &QSocketNotifier::activated, this, &ConsoleVendrilo::leSaida);
    return true;
}

QString ConsoleVendrilo::nomeEscravo() const
{
    return pty_ ? QString::fromStdString(pty_->nomeEscravo()) : QString();
}

bool ConsoleVendrilo::rodando() const
{
    return pty_ && pty_->rodando();
}

void ConsoleVendrilo::encerra()
{
    vigia_.stop();
    if (leitor_) {
        leitor_->setEnabled(false);
        leitor_->deleteLater();
        leitor_ = nullptr;
    }
    if (pty_)
        pty_->encerra();
}

void ConsoleVendrilo::alimenta(const char* bytes, std::size_t n)
{
    emit saidaRecebida(QByteArray(bytes, static_cast<qsizetype>(n)));
    // Um byte é um caractere no Windows-1252: os pedaços convertem-se sozinhos.
    if (utf8_)
        tela_->escreve(std::string_view(bytes, n));
    else
        tela_->escreve(Windows1252ParaTerminal(std::string_view(bytes, n)));
}

void ConsoleVendrilo::leSaida()
{
    if (!pty_)
        return;
    char buf[64 * 1024];
    std::size_t total = 0;
    while (total < LeituraPorVez) {
        const long n = pty_->le(buf, sizeof buf);
        if (n > 0) {
            alimenta(buf, static_cast<std::size_t>(n));
            total += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && leitor_) // ninguém mais escreve: o fim vem pelo vigia
            leitor_->setEnabled(false);
        break;
    }
    if (total > 0)
        deslocamento_ = std::min(deslocamento_, tela_->linhasHistorico());
    verificaFim();
}

void ConsoleVendrilo::verificaFim()
{
    int status = 0;
    if (fimAvisado_ || !pty_ || !pty_->terminou(status))
        return;
    // O que ficou no pseudoterminal ainda é do programa.
    char buf[64 * 1024];
    long n;
    while ((n = pty_->le(buf, sizeof buf)) > 0)
        alimenta(buf, static_cast<std::size_t>(n));
    fimAvisado_ = true;
    vigia_.stop();
    emit terminou(status);
}

void ConsoleVendrilo::escreveEntrada(const QByteArray& bytes)
{
    if (pty_)
        pty_->escreve(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void ConsoleVendrilo::mostraTexto(const QString& texto)
{
    QString t = texto;
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    tela_->escreve(t.toUtf8().toStdString());
}

void ConsoleVendrilo::enviaTexto(const QString& texto)
{
    if (texto.isEmpty() || !pty_)
        return;
    const std::string utf8 = texto.toStdString();
    escreveEntrada(QByteArray::fromStdString(utf8_ ? utf8 : Para1252(utf8)));
}

QString ConsoleVendrilo::textoLinha(int linha) const
{
    QString s;
    for (int c = 0; c < tela_->colunas(); ++c) {
        const CelulaTerminal cel = tela_->celula(c, linha);
        if (cel.largura == 0)
            continue;
        s += cel.caractere ? QString::fromUcs4(&cel.caractere, 1) : QStringLiteral(" ");
    }
    while (s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s;
}

bool ConsoleVendrilo::selecionada(int coluna, int linha) const
{
    if (selInicio_ == selFim_)
        return false;
    QPoint a = selInicio_, b = selFim_;
    if (a.y() > b.y() || (a.y() == b.y() && a.x() > b.x()))
        std::swap(a, b);
    if (linha < a.y() || linha > b.y())
        return false;
    if (linha == a.y() && coluna < a.x())
        return false;
    if (linha == b.y() && coluna >= b.x())
        return false;
    return true;
}

QString ConsoleVendrilo::textoSelecionado() const
{
    if (selInicio_ == selFim_)
        return {};
    const int de = std::min(selInicio_.y(), selFim_.y()), ate = std::max(selInicio_.y(), selFim_.y());
    QStringList linhas;
    for (int l = de; l <= ate; ++l) {
        QString s;
        for (int c = 0; c < tela_->colunas(); ++c) {
            if (!selecionada(c, l))
                continue;
            const CelulaTerminal cel = tela_->celula(c, l);
            if (cel.largura != 0)
                s += cel.caractere ? QString::fromUcs4(&cel.caractere, 1) : QStringLiteral(" ");
        }
        while (s.endsWith(QLatin1Char(' ')))
            s.chop(1);
        linhas << s;
    }
    return linhas.join(QLatin1Char('\n'));
}

void ConsoleVendrilo::copia() const
{
    const QString s = textoSelecionado();
    if (!s.isEmpty())
        QApplication::clipboard()->setText(s);
}

void ConsoleVendrilo::cola()
{
    enviaTexto(QApplication::clipboard()->text().replace(QLatin1Char('\n'), QLatin1Char('\r')));
}

QSize ConsoleVendrilo::sizeHint() const
{
    return {tela_->colunas() * larguraCelula_, tela_->linhas() * alturaCelula_};
}

void ConsoleVendrilo::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor fundoPadrao = qcor(rgbDe(config_.corFundo, 0));
    p.fillRect(rect(), fundoPadrao);
    p.setFont(fonte_);
    const int colunas = tela_->colunas();
    for (int r = 0; r < tela_->linhas(); ++r) {
        const int linha = r - deslocamento_;
        const int y = r * alturaCelula_;
        // Células vizinhas de mesmo aspecto são pintadas de uma vez.
        int c = 0;
        while (c < colunas) {
            const CelulaTerminal primeira = tela_->celula(c, linha);
            const bool sel = selecionada(c, linha);
            QString texto;
            int fim = c;
            while (fim < colunas) {
                const CelulaTerminal cel = tela_->celula(fim, linha);
                const bool igual = cel.frente == primeira.frente && cel.fundo == primeira.fundo &&
                                   cel.negrito == primeira.negrito && cel.sublinhado == primeira.sublinhado &&
                                   selecionada(fim, linha) == sel && cel.largura == 1;
                if (fim > c && !igual)
                    break;
                if (cel.largura != 0)
                    texto += cel.caractere ? QString::fromUcs4(&cel.caractere, 1) : QStringLiteral(" ");
                ++fim;
                if (cel.largura != 1) // largo (ou metade dele): sozinho
                    break;
            }
            QColor frente = qcor(primeira.frente), fundo = qcor(primeira.fundo);
            if (sel)
                std::swap(frente, fundo);
            const QRect area(c * larguraCelula_, y, (fim - c) * larguraCelula_, alturaCelula_);
            if (fundo != fundoPadrao)
                p.fillRect(area, fundo);
            if (!texto.trimmed().isEmpty()) {
                QFont f = fonte_;
                f.setBold(primeira.negrito);
                f.setUnderline(primeira.sublinhado);
                p.setFont(f);
                p.setPen(frente);
                p.drawText(area.x(), y + ascendente_, texto);
            }
            c = fim;
        }
    }
    // Cursor em bloco, em cores trocadas, só na tela atual.
    const int cl = tela_->linhaCursor() + deslocamento_;
    if (tela_->cursorVisivel() && !fimAvisado_ && cl < tela_->linhas()) {
        const QRect area(tela_->colunaCursor() * larguraCelula_, cl * alturaCelula_, larguraCelula_,
                         alturaCelula_);
        const CelulaTerminal cel = tela_->celula(tela_->colunaCursor(), tela_->linhaCursor());
        if (hasFocus()) {
            p.fillRect(area, qcor(cel.frente));
            if (cel.caractere) {
                p.setPen(qcor(cel.fundo));
                p.setFont(fonte_);
                p.drawText(area.x(), area.y() + ascendente_, QString::fromUcs4(&cel.caractere, 1));
            }
        } else {
            p.setPen(qcor(cel.frente));
            p.drawRect(area.adjusted(0, 0, -1, -1));
        }
    }
}

void ConsoleVendrilo::keyPressEvent(QKeyEvent* ev)
{
    const Qt::KeyboardModifiers mods = ev->modifiers() & ~Qt::KeypadModifier;
    // Ctrl+Shift+C/V copiam e colam; Ctrl+C sozinho interrompe o programa.
    if (mods == (Qt::ControlModifier | Qt::ShiftModifier) && ev->key() == Qt::Key_C) {
        copia();
        return;
    }
    if (mods == (Qt::ControlModifier | Qt::ShiftModifier) && ev->key() == Qt::Key_V) {
        cola();
        return;
    }
    if (mods == Qt::ShiftModifier && (ev->key() == Qt::Key_PageUp || ev->key() == Qt::Key_PageDown)) {
        const int passo = ev->key() == Qt::Key_PageUp ? tela_->linhas() / 2 : -tela_->linhas() / 2;
        deslocamento_ = std::clamp(deslocamento_ + passo, 0, tela_->linhasHistorico());
        update();
        return;
    }
    if (esperandoEnter_) {
        if (ev->key() == Qt::Key_Return || ev->key() == Qt::Key_Enter)
            emit enterNoFim();
        return;
    }
    if (!pty_ || fimAvisado_)
        return;
    if (deslocamento_ != 0) {
        deslocamento_ = 0;
        update();
    }
    VTermKey especial;
    if (teclaEspecial(ev->key(), especial)) {
        VTermModifier m = modificadores(mods);
        if (ev->key() == Qt::Key_Backtab)
            m = static_cast<VTermModifier>(m | VTERM_MOD_SHIFT);
        tela_->tecla(especial, m);
        return;
    }
    if (mods == Qt::ControlModifier && ev->key() == Qt::Key_C) {
        pty_->interrompe();
        return;
    }
    // Ctrl+letra é o byte de controle; Alt põe um ESC na frente.
    if ((mods & (Qt::ControlModifier | Qt::AltModifier)) && ev->key() >= Qt::Key_A &&
        ev->key() <= Qt::Key_Z) {
        std::string seq = (mods & Qt::AltModifier) ? "\x1b" : "";
        const char letra = static_cast<char>('a' + (ev->key() - Qt::Key_A));
        seq += (mods & Qt::ControlModifier) ? static_cast<char>(letra & 0x1f) : letra;
        pty_->escreve(seq);
        return;
    }
    if (!(mods & Qt::ControlModifier))
        enviaTexto(ev->text());
}

void ConsoleVendrilo::inputMethodEvent(QInputMethodEvent* ev)
{
    if (!esperandoEnter_ && !fimAvisado_)
        enviaTexto(ev->commitString());
    ev->accept();
}

QPoint ConsoleVendrilo::celulaEm(const QPoint& p) const
{
    const int c = std::clamp((p.x() + larguraCelula_ / 2) / larguraCelula_, 0, tela_->colunas());
    const int r = std::clamp(p.y() / alturaCelula_, 0, tela_->linhas() - 1);
    return {c, r - deslocamento_};
}

void ConsoleVendrilo::mousePressEvent(QMouseEvent* ev)
{
    setFocus();
    if (ev->button() == Qt::LeftButton) {
        selInicio_ = selFim_ = celulaEm(ev->position().toPoint());
        selecionando_ = true;
        update();
    }
}

void ConsoleVendrilo::mouseMoveEvent(QMouseEvent* ev)
{
    if (selecionando_ && (ev->buttons() & Qt::LeftButton)) {
        selFim_ = celulaEm(ev->position().toPoint());
        update();
    }
}

void ConsoleVendrilo::wheelEvent(QWheelEvent* ev)
{
    const int passo = ev->angleDelta().y() / 40; // três linhas por entalhe
    deslocamento_ = std::clamp(deslocamento_ + passo, 0, tela_->linhasHistorico());
    update();
}

} // namespace vendrilo
