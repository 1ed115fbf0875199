#include "workspace/editor_vendrilo.h"

#include "workspace/lista_comandos.h"
#include "workspace/lista_complecao.h"
#include "workspace/realce/syn_highlighter_vendrilo.h"

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <QAction>
#include <QKeyEvent>
#include <QPainter>

namespace vendrilo {

namespace {

// Os marcadores 0..9 usam os números de marcador 1..10 do Scintilla.
constexpr int kPrimeiroMarcador = 1;
// Caracteres que encerram uma palavra na complementação.
const QString kFimDePalavra = QStringLiteral("()[]. \t");

QPixmap desenhoMarcador(int numero)
{
    QPixmap pm(11, 14);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setBrush(QColor(0, 0, 160));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(0, 0, 11, 14, 2, 2);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, 11, 14), Qt::AlignCenter, QString::number(numero));
    return pm;
}

int digitoDaTecla(const QKeyEvent* e)
{
    if (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9)
        return e->key() - Qt::Key_0;
    // Com Shift, o teclado americano entrega o símbolo da tecla do número.
    static const QString simbolos = QStringLiteral(")!@#$%^&*(");
    const int i = simbolos.indexOf(QChar(e->key()));
    return e->key() < 0x80 ? i : -1;
}

} // namespace

EditorVendrilo::EditorVendrilo(QWidget* pai)
    : QsciScintilla(pai)
{
    setObjectName(QStringLiteral("memEditor"));
    setUtf8(true);
    setEolMode(EolUnix);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 1);

    QFont fonte(QStringLiteral("Courier New"));
    fonte.setStyleHint(QFont::TypeWriter);
    fonte.setFixedPitch(true);
    // O Scintilla só entende tamanho em pontos: 13 pixels a 96 ppp são 10 pontos.
    fonte.setPointSize(10);
    setFont(fonte);
    auto* realce = new TSynVendriloSyn(this);
    realce->setObjectName(QStringLiteral("SynVendriloSyn"));
    realce->defineFonteBase(fonte);
    setLexer(realce);
    QFont fonteMargem(QStringLiteral("Terminal"));
    fonteMargem.setStyleHint(QFont::TypeWriter);
    fonteMargem.setPointSize(8);
    setMarginsFont(fonteMargem);
    setMarginType(0, NumberMargin);
    setMarginLineNumbers(0, true);
    setMarginWidth(0, QStringLiteral("000000"));
    setMarginType(1, SymbolMargin);
    setMarginWidth(1, 14);
    setMarginMarkerMask(1, (0x3FF << kPrimeiroMarcador) | (1 << kMarcaParada) | (1 << kMarcaSeta));
    for (int i = 0; i < 10; ++i)
        markerDefine(desenhoMarcador(i), kPrimeiroMarcador + i);
    // Passo a passo: a parada é um círculo vermelho; a linha a rodar, uma
    // seta e o fundo amarelo; a linha de um erro de execução, fundo rosado.
    markerDefine(Circle, kMarcaParada);
    setMarkerBackgroundColor(QColor(200, 30, 30), kMarcaParada);
    setMarkerForegroundColor(QColor(120, 0, 0), kMarcaParada);
    markerDefine(RightArrow, kMarcaSeta);
    setMarkerBackgroundColor(QColor(230, 160, 0), kMarcaSeta);
    markerDefine(Background, kMarcaExecucao);
    setMarkerBackgroundColor(QColor(255, 240, 150), kMarcaExecucao);
    markerDefine(Background, kMarcaErro);
    setMarkerBackgroundColor(QColor(255, 190, 190), kMarcaErro);
    setMarginSensitivity(1, true);
    connect(this, &QsciScintilla::marginClicked, this, [this](int margem, int linha, Qt::KeyboardModifiers) {
        if (margem != 1)
            return;
        const bool ligada = !temParada(linha);
        defineParada(linha, ligada);
        emit paradaAlternada(linha, ligada);
    });
    connect(this, &QsciScintillaBase::SCN_MODIFYATTEMPTRO, this, [this] {
        if (protegido_)
            emit edicaoBarrada();
    });

    setTabWidth(3);
    setIndentationsUseTabs(false);
    setAutoIndent(true);
    setTabIndents(true);
    setBackspaceUnindents(true);
    // Espaço virtual só na seleção retangular: o cursor comum não passa do fim
    // da linha, senão digitar ali inseriria espaços que o aluno não pôs.
    SendScintilla(SCI_SETVIRTUALSPACEOPTIONS, SCVS_RECTANGULARSELECTION);
    setCursor(Qt::IBeamCursor);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setBraceMatching(SloppyBraceMatch);
    configuraTeclas();

    complecao_ = new ListaComplecao(this);
    connect(complecao_, &ListaComplecao::escolhida, this, &EditorVendrilo::insereComando);
    atrasoPonto_.setSingleShot(true);
    atrasoPonto_.setInterval(1000);
    connect(&atrasoPonto_, &QTimer::timeout, this, &EditorVendrilo::abreComplecao);
    connect(this, &QsciScintilla::textChanged, this, [this] {
        if (!limpando_)
            semLinhas_ = false;
        // A marca do erro de execução vale para o texto que rodou; editado, ela sai.
        if (marcaErro_) {
            marcaErro_ = false;
            markerDeleteAll(kMarcaErro);
        }
    });

    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int pos, int tipo, const char*, int, int, int, int, int, int, int) {
                registraEdicao(pos, tipo);
            });
    connect(this, &QsciScintilla::cursorPositionChanged, this, &EditorVendrilo::aoMudarCursor);
}

int EditorVendrilo::linhaDaMarca(int marca) const
{
    return int(SendScintilla(SCI_MARKERNEXT, 0L, 1L << marca));
}

void EditorVendrilo::marcaLinhaExecucao(int linha)
{
    markerDeleteAll(kMarcaSeta);
    markerDeleteAll(kMarcaExecucao);
    if (linha < 0 || linha >= lines())
        return;
    markerAdd(linha, kMarcaSeta);
    markerAdd(linha, kMarcaExecucao);
    ensureLineVisible(linha);
}

void EditorVendrilo::marcaLinhaErroExecucao(int linha)
{
    markerDeleteAll(kMarcaErro);
    marcaErro_ = linha >= 0 && linha < lines();
    if (!marcaErro_)
        return;
    markerAdd(linha, kMarcaErro);
    ensureLineVisible(linha);
}

void EditorVendrilo::defineParada(int linha, bool ligada)
{
    if (linha < 0 || linha >= lines())
        return;
    if (!ligada)
        SendScintilla(SCI_MARKERDELETE, linha, kMarcaParada);
    else if (!temParada(linha))
        markerAdd(linha, kMarcaParada);
}

bool EditorVendrilo::temParada(int linha) const
{
    return markersAtLine(linha) & (1u << kMarcaParada);
}

QList<int> EditorVendrilo::linhasComParada() const
{
    QList<int> linhas;
    for (int l = linhaDaMarca(kMarcaParada); l >= 0;
         l = int(SendScintilla(SCI_MARKERNEXT, long(l + 1), 1L << kMarcaParada)))
        linhas.append(l);
    return linhas;
}

void EditorVendrilo::defineProtegido(bool protegido)
{
    protegido_ = protegido;
    setReadOnly(protegido);
}

void EditorVendrilo::configuraTeclas()
{
    QsciCommandSet* cmds = standardCommands();
    // Atalhos do QScintilla que a tabela do Vendrilo não tem (ou usa para outra coisa).
    for (auto c : {QsciCommand::LineCut, QsciCommand::LineCopy, QsciCommand::LineTranspose,
                   QsciCommand::LineDuplicate, QsciCommand::SelectionDuplicate,
                   QsciCommand::SelectionLowerCase, QsciCommand::SelectionUpperCase,
                   QsciCommand::LineDelete, QsciCommand::DeleteLineRight,
                   QsciCommand::DeleteWordRight, QsciCommand::Redo, QsciCommand::Undo}) {
        if (QsciCommand* cmd = cmds->find(c)) {
            cmd->setKey(0);
            cmd->setAlternateKey(0);
        }
    }
    auto liga = [cmds](QsciCommand::Command c, QKeyCombination tecla,
                       QKeyCombination alternativa = QKeyCombination()) {
        if (QsciCommand* cmd = cmds->find(c)) {
            cmd->setKey(tecla.toCombined());
            cmd->setAlternateKey(alternativa.toCombined());
        }
    };
    liga(QsciCommand::Undo, Qt::CTRL | Qt::Key_Z, Qt::ALT | Qt::Key_Backspace);
    liga(QsciCommand::Redo, Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::SHIFT | Qt::ALT | Qt::Key_Backspace);
    liga(QsciCommand::DeleteWordRight, Qt::CTRL | Qt::Key_T);
    liga(QsciCommand::LineDelete, Qt::CTRL | Qt::Key_Y);
    liga(QsciCommand::DeleteLineRight, Qt::CTRL | Qt::SHIFT | Qt::Key_Y);
    liga(QsciCommand::DeleteBack, Qt::Key_Backspace, Qt::SHIFT | Qt::Key_Backspace);
    liga(QsciCommand::Newline, Qt::Key_Return, Qt::SHIFT | Qt::Key_Return);
}

QStringList EditorVendrilo::linhas() const
{
    return text().split(QLatin1Char('\n'));
}

void EditorVendrilo::defineLinhas(const QStringList& linhas)
{
    limpando_ = true;
    setText(linhas.join(QLatin1Char('\n')));
    limpando_ = false;
    semLinhas_ = linhas.isEmpty();
    linhaEditada_ = -1;
    ultimaLinha_ = 0;
}

void EditorVendrilo::limpaTudo()
{
    defineLinhas({});
    markerDeleteAll();
    limpaDesfazer();
    setModified(false);
}

void EditorVendrilo::limpaDesfazer()
{
    SendScintilla(SCI_EMPTYUNDOBUFFER);
}

int EditorVendrilo::posicaoDe(int linha, int coluna) const
{
    const long inicio = SendScintilla(SCI_POSITIONFROMLINE, linha);
    const long fimLinha = SendScintilla(SCI_GETLINEENDPOSITION, linha);
    const long pos = SendScintilla(SCI_POSITIONRELATIVE, inicio, coluna);
    // Coluna além do fim: o fim da linha.
    return int((pos == 0 && coluna > 0) || pos > fimLinha ? fimLinha : pos);
}

int EditorVendrilo::linhaCursor() const
{
    int linha = 0;
    int indice = 0;
    getCursorPosition(&linha, &indice);
    return linha;
}

int EditorVendrilo::colunaExibida() const
{
    const long pos = SendScintilla(SCI_GETCURRENTPOS);
    const long virtual_ = SendScintilla(SCI_GETSELECTIONNCARETVIRTUALSPACE, 0UL);
    return int(SendScintilla(SCI_GETCOLUMN, pos) + virtual_ + 1);
}

void EditorVendrilo::posicionaCursor(int linha, int coluna)
{
    linha = qBound(0, linha, qMax(0, lines() - 1));
    const int pos = posicaoDe(linha, qMax(0, coluna));
    SendScintilla(SCI_GOTOPOS, pos);
}

void EditorVendrilo::selecionaTrecho(int linha, int colunaInicio, int colunaFim)
{
    const int a = posicaoDe(linha, colunaInicio);
    const int b = posicaoDe(linha, colunaFim);
    SendScintilla(SCI_SETSEL, a, b);
}

void EditorVendrilo::selecionaPalavraNoCursor()
{
    const long pos = SendScintilla(SCI_GETCURRENTPOS);
    const long ini = SendScintilla(SCI_WORDSTARTPOSITION, pos, 1L);
    const long fim = SendScintilla(SCI_WORDENDPOSITION, pos, 1L);
    SendScintilla(SCI_SETSEL, ini, fim);
}

QString EditorVendrilo::palavraDigitada() const
{
    int linha = 0;
    int indice = 0;
    getCursorPosition(&linha, &indice);
    const long inicioLinha = SendScintilla(SCI_POSITIONFROMLINE, linha);
    const long pos = SendScintilla(SCI_GETCURRENTPOS);
    const QString antes = text(int(inicioLinha), int(pos));
    int i = int(antes.size());
    while (i > 0 && !kFimDePalavra.contains(antes.at(i - 1)))
        --i;
    return antes.mid(i);
}

QString EditorVendrilo::trechoNoCursor() const
{
    int linha = 0;
    int indice = 0;
    getCursorPosition(&linha, &indice);
    const QString texto = text(linha);
    auto branco = [&](int i) { return texto.at(i).isSpace(); };
    int ini = qMin(indice, int(texto.size()));
    int fim = ini;
    while (ini > 0 && !branco(ini - 1))
        --ini;
    while (fim < texto.size() && !branco(fim))
        ++fim;
    return texto.mid(ini, fim - ini);
}

void EditorVendrilo::posicionaComplecao()
{
    const long pos = SendScintilla(SCI_GETCURRENTPOS);
    const int x = int(SendScintilla(SCI_POINTXFROMPOSITION, 0UL, pos));
    const int y = int(SendScintilla(SCI_POINTYFROMPOSITION, 0UL, pos));
    const int altura = int(SendScintilla(SCI_TEXTHEIGHT, 0UL));
    QPoint p = viewport()->mapTo(this, QPoint(x, y + altura));
    if (p.y() + complecao_->height() > height())
        p.setY(qMax(0, viewport()->mapTo(this, QPoint(x, y)).y() - complecao_->height()));
    p.setX(qBound(0, p.x(), qMax(0, width() - complecao_->width())));
    complecao_->move(p);
}

void EditorVendrilo::abreComplecao()
{
    atrasoPonto_.stop();
    if (isReadOnly())
        return;
    if (!complecao_->filtra(palavraDigitada()))
        return;
    posicionaComplecao();
    complecao_->show();
    complecao_->raise();
}

void EditorVendrilo::insereComando(int indice)
{
    complecao_->hide();
    const auto comandos = ListaComandos();
    if (indice < 0 || indice >= static_cast<int>(comandos.size()))
        return;
    QString texto = QString::fromUtf8(comandos[indice].insercao);
    texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const long pos = SendScintilla(SCI_GETCURRENTPOS);
    const QString palavra = palavraDigitada();
    const long inicio = SendScintilla(SCI_POSITIONRELATIVE, pos, -long(palavra.size()));
    // As linhas de dentro do esqueleto partem da coluna da primeira palavra.
    int linha = 0;
    int coluna = 0;
    lineIndexFromPosition(int(inicio), &linha, &coluna);
    QString recuo = text(linha).left(coluna);
    for (QChar& c : recuo)
        if (c != QLatin1Char('\t'))
            c = QLatin1Char(' ');
    texto.replace(QLatin1Char('\n'), QLatin1Char('\n') + recuo);
    beginUndoAction();
    SendScintilla(SCI_SETSEL, inicio, pos);
    replaceSelectedText(texto);
    endUndoAction();
}

int EditorVendrilo::pesquisaSubstitui(const QString& texto, const QString& troca, unsigned opcoes,
                                      const PerguntaTroca& pergunta)
{
    if (texto.isEmpty())
        return 0;
    const QByteArray agulha = texto.toUtf8();
    const QByteArray novo = troca.toUtf8();
    const bool paraTras = opcoes & ParaTras;
    const bool trocando = opcoes & Substituir;
    int flags = 0;
    if (opcoes & Maiusculas)
        flags |= SCFIND_MATCHCASE;
    if (opcoes & PalavraInteira)
        flags |= SCFIND_WHOLEWORD;
    SendScintilla(SCI_SETSEARCHFLAGS, flags);

    // Faixa da busca: o texto todo, a seleção, ou do cursor em diante (ou para trás).
    const long selIni = SendScintilla(SCI_GETSELECTIONSTART);
    const long selFim = SendScintilla(SCI_GETSELECTIONEND);
    long inicio = 0;
    long fim = SendScintilla(SCI_GETLENGTH);
    if ((opcoes & SoSelecao) && selFim > selIni) {
        inicio = selIni;
        fim = selFim;
    } else if (!(opcoes & TodoOTexto)) {
        if (paraTras)
            fim = selIni;
        else
            inicio = selFim;
    }

    int tratadas = 0;
    bool semPerguntar = !(opcoes & Perguntar) || !pergunta;
    long ultimoIni = -1;
    long ultimoFim = -1;
    beginUndoAction();
    while (inicio <= fim) {
        if (paraTras)
            SendScintilla(SCI_SETTARGETRANGE, fim, inicio);
        else
            SendScintilla(SCI_SETTARGETRANGE, inicio, fim);
        const long achado =
            SendScintilla(SCI_SEARCHINTARGET, static_cast<unsigned long>(agulha.size()), agulha.constData());
        if (achado < 0)
            break;
        const long achadoFim = SendScintilla(SCI_GETTARGETEND);
        ++tratadas;
        if (!trocando) {
            ultimoIni = achado;
            ultimoFim = achadoFim;
            break;
        }
        RespostaTroca r = Trocar;
        const QString textoAchado = text(int(achado), int(achadoFim));
        // Trocar um texto por ele mesmo não muda nada: nem se pergunta.
        if (textoAchado == troca)
            r = Pular;
        else if (!semPerguntar) {
            const int linha = int(SendScintilla(SCI_LINEFROMPOSITION, achado));
            const int coluna = int(SendScintilla(SCI_GETCOLUMN, achado));
            SendScintilla(SCI_SETSEL, achado, achadoFim);
            r = pergunta(textoAchado, troca, linha, coluna);
        }
        if (r == Parar)
            break;
        if (r == TrocarTodos) {
            semPerguntar = true;
            r = Trocar;
        }
        long depois = achadoFim;
        if (r == Trocar) {
            SendScintilla(SCI_SETTARGETRANGE, achado, achadoFim);
            SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(novo.size()), novo.constData());
            depois = achado + novo.size();
            fim += novo.size() - (achadoFim - achado);
        }
        ultimoIni = achado;
        ultimoFim = depois;
        if (!(opcoes & SubstituirTodos))
            break;
        if (paraTras)
            fim = achado;
        else
            inicio = depois;
        if (achadoFim == achado) // proteção contra laço num achado vazio
            ++inicio;
    }
    endUndoAction();
    if (ultimoIni >= 0) {
        // Para a frente o cursor fica no fim do achado; para trás, no começo.
        if (paraTras)
            SendScintilla(SCI_SETSEL, ultimoFim, ultimoIni);
        else
            SendScintilla(SCI_SETSEL, ultimoIni, ultimoFim);
    }
    return tratadas;
}

int EditorVendrilo::linhaDoMarcador(int numero) const
{
    return markerFindNext(0, 1u << (kPrimeiroMarcador + numero));
}

void EditorVendrilo::alternaMarcador(int numero)
{
    const int linha = linhaCursor();
    const int existente = linhaDoMarcador(numero);
    markerDeleteAll(kPrimeiroMarcador + numero);
    if (existente == linha)
        return;
    markerAdd(linha, kPrimeiroMarcador + numero);
    int l = 0;
    getCursorPosition(&l, &colunaMarcador_[numero]);
}

void EditorVendrilo::vaiParaMarcador(int numero)
{
    const int linha = linhaDoMarcador(numero);
    if (linha < 0)
        return;
    setCursorPosition(linha, qMin(colunaMarcador_[numero], lineLength(linha)));
    ensureLineVisible(linha);
}

void EditorVendrilo::indentaBloco(bool paraDentro)
{
    int l1 = 0, i1 = 0, l2 = 0, i2 = 0;
    if (hasSelectedText()) {
        getSelection(&l1, &i1, &l2, &i2);
        if (i2 == 0 && l2 > l1)
            --l2;
    } else {
        l1 = l2 = linhaCursor();
    }
    beginUndoAction();
    for (int l = l1; l <= l2; ++l)
        paraDentro ? indent(l) : unindent(l);
    endUndoAction();
}

bool EditorVendrilo::trataTeclaPropria(QKeyEvent* e)
{
    const auto mods = e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const bool ctrl = mods == Qt::ControlModifier;
    const bool ctrlShift = mods == (Qt::ControlModifier | Qt::ShiftModifier);
    if (ctrl && e->key() == Qt::Key_Space) {
        abreComplecao();
        return true;
    }
    if (ctrl && e->key() == Qt::Key_M) {
        SendScintilla(SCI_NEWLINE);
        return true;
    }
    if (ctrl || ctrlShift) {
        const int d = digitoDaTecla(e);
        if (d >= 0) {
            ctrl ? vaiParaMarcador(d) : alternaMarcador(d);
            return true;
        }
    }
    if (!ctrlShift)
        return false;
    switch (e->key()) {
    case Qt::Key_I: indentaBloco(true); return true;
    case Qt::Key_U: indentaBloco(false); return true;
    case Qt::Key_N: SendScintilla(SCI_SETSELECTIONMODE, SC_SEL_STREAM); return true;
    case Qt::Key_C: SendScintilla(SCI_SETSELECTIONMODE, SC_SEL_RECTANGLE); return true;
    case Qt::Key_L: SendScintilla(SCI_SETSELECTIONMODE, SC_SEL_LINES); return true;
    case Qt::Key_B: moveToMatchingBrace(); return true;
    default: return false;
    }
}

bool EditorVendrilo::event(QEvent* e)
{
    // Os atalhos da janela principal têm precedência sobre a tabela do editor.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* ke = static_cast<QKeyEvent*>(e);
        const QKeySequence seq(ke->keyCombination());
        for (QAction* a : window()->findChildren<QAction*>()) {
            if (a->isEnabled() && a->isVisible() && a->shortcuts().contains(seq))
                return QAbstractScrollArea::event(e);
        }
    }
    return QsciScintilla::event(e);
}

void EditorVendrilo::keyPressEvent(QKeyEvent* e)
{
    emit teclaApertada();
    if (complecao_->trataTecla(e))
        return;
    if (trataTeclaPropria(e))
        return;
    QsciScintilla::keyPressEvent(e);
    confereLinha();
    const QString t = e->text();
    if (t == QStringLiteral("."))
        atrasoPonto_.start();
    else if (!t.isEmpty() && t.at(0).isPrint())
        atrasoPonto_.stop();
    // Com a lista aberta, cada tecla refaz o filtro.
    if (complecao_->isVisible()) {
        if (!t.isEmpty() && kFimDePalavra.contains(t.at(0)))
            complecao_->hide();
        else if (complecao_->filtra(palavraDigitada()))
            posicionaComplecao();
    }
}

void EditorVendrilo::confereLinha()
{
    // O aviso de cursor do Scintilla chega só no próximo desenho; a limpeza
    // não pode esperar por ele.
    const int linha = linhaCursor();
    if (linha != ultimaLinha_)
        aoMudarCursor(linha, 0);
}

void EditorVendrilo::keyReleaseEvent(QKeyEvent* e)
{
    QsciScintilla::keyReleaseEvent(e);
    emit teclaSolta();
}

void EditorVendrilo::mouseReleaseEvent(QMouseEvent* e)
{
    QsciScintilla::mouseReleaseEvent(e);
    confereLinha();
    emit mouseSolto();
}

void EditorVendrilo::mouseMoveEvent(QMouseEvent* e)
{
    QsciScintilla::mouseMoveEvent(e);
    emit mouseMovido();
}

void EditorVendrilo::registraEdicao(int posicao, int tipo)
{
    if (limpando_ || !(tipo & (SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT)) || !(tipo & SC_PERFORMED_USER))
        return;
    linhaEditada_ = int(SendScintilla(SCI_LINEFROMPOSITION, posicao));
}

void EditorVendrilo::aoMudarCursor(int linha, int)
{
    // Os espaços do fim só somem da linha editada quando o cursor a deixa.
    if (linha != ultimaLinha_ && linhaEditada_ == ultimaLinha_ && linhaEditada_ >= 0) {
        const int alvo = linhaEditada_;
        linhaEditada_ = -1;
        tiraEspacosDoFim(alvo);
    }
    if (linhaEditada_ >= 0 && linhaEditada_ != linha && linhaEditada_ != ultimaLinha_)
        linhaEditada_ = -1;
    ultimaLinha_ = linha;
}

void EditorVendrilo::tiraEspacosDoFim(int linha)
{
    if (linha < 0 || linha >= lines())
        return;
    const long inicio = SendScintilla(SCI_POSITIONFROMLINE, linha);
    const long fim = SendScintilla(SCI_GETLINEENDPOSITION, linha);
    long corte = fim;
    while (corte > inicio) {
        const int c = int(SendScintilla(SCI_GETCHARAT, corte - 1));
        if (c != ' ' && c != '\t')
            break;
        --corte;
    }
    if (corte == fim)
        return;
    limpando_ = true;
    // A limpeza entra no mesmo passo de desfazer que a edição da linha.
    SendScintilla(SCI_BEGINUNDOACTION);
    SendScintilla(SCI_DELETERANGE, corte, fim - corte);
    SendScintilla(SCI_ENDUNDOACTION);
    limpando_ = false;
}

} // namespace vendrilo
