#include "workspace/principal.h"

#include "platform/pasta_programa.h"
#include "platform/processador_texto.h"
#include "workspace/acoes_principal.h"
#include "workspace/documentos.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/modelo_alg.h"
#include "workspace/recuperacao.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDate>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStatusBar>

namespace vendrilo {

namespace {

bool areaTemTexto()
{
    const QMimeData* dados = QGuiApplication::clipboard()->mimeData();
    return dados && dados->hasText();
}

// Ícone das janelas: um "V" desenhado, sem arquivo de imagem.
QIcon iconeVendrilo()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(30, 80, 160));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QFont f = QApplication::font();
    f.setPixelSize(24);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("V"));
    return QIcon(pm);
}

} // namespace

QString TituloAplicacao()
{
    return QStringLiteral("Vendrilo de Algoritmos - Versão 2.4");
}

TfrmPrincipal::TfrmPrincipal(const QStringList& argumentos, QWidget* pai)
    : QMainWindow(pai)
    , argumentos_(argumentos)
{
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(TituloAplicacao());
    setWindowIcon(iconeVendrilo());
    resize(960, 700);

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("AreaMdi"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->viewport()->setMouseTracking(true);
    mdi_->viewport()->installEventFilter(this);
    setCentralWidget(mdi_);

    acoes_ = new AcoesPrincipal(this);
    documentos_ = new GerenteDocumentos(this);
    recuperacao_ = new Recuperacao(this, QString::fromStdString(NaPastaPrograma("recuperacao")));
    connect(acoes_, &AcoesPrincipal::dica, this, [this](const QString& t) { defineStatus(2, t); });

    QStatusBar* barra = statusBar();
    barra->setObjectName(QStringLiteral("StatusBar1"));
    barra->setSizeGripEnabled(true);
    const int larguras[3] = {50, 65, 250};
    for (int i = 0; i < 4; ++i) {
        paineis_[i] = new QLabel(barra);
        paineis_[i]->setObjectName(QStringLiteral("Painel%1").arg(i));
        paineis_[i]->setFrameShape(QFrame::Panel);
        paineis_[i]->setFrameShadow(QFrame::Sunken);
        if (i < 3)
            paineis_[i]->setFixedWidth(larguras[i]);
        else
            paineis_[i]->setMinimumWidth(50);
        paineis_[i]->setAlignment(i < 2 ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        // O último painel ocupa o resto da barra.
        barra->addWidget(paineis_[i], i == 3 ? 1 : 0);
    }
    paineis_[0]->setText(QStringLiteral("1"));

    ligaComandosBasicos();
    FormCreate();
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sw) {
        if (auto* filha = sw ? qobject_cast<TFrmFilha*>(sw->widget()) : nullptr)
            filha->FormActivate();
    });
}

TfrmPrincipal::~TfrmPrincipal() = default;

QAction* TfrmPrincipal::acao(const QString& nome) const
{
    return acoes_->acao(nome);
}

void TfrmPrincipal::ligaComando(const QString& item, const QString& botao,
                                const std::function<void()>& tratador)
{
    acoes_->ligaComando(item, botao, tratador);
}

TFrmFilha* TfrmPrincipal::filhaAtiva() const
{
    QMdiSubWindow* sw = mdi_->currentSubWindow();
    auto* filha = sw ? qobject_cast<TFrmFilha*>(sw->widget()) : nullptr;
    if (filha && !filha->fechada())
        return filha;
    const auto todas = filhas();
    return todas.isEmpty() ? nullptr : todas.last();
}

QList<TFrmFilha*> TfrmPrincipal::filhas() const
{
    QList<TFrmFilha*> lista;
    for (QMdiSubWindow* sw : mdi_->subWindowList(QMdiArea::CreationOrder))
        if (auto* filha = qobject_cast<TFrmFilha*>(sw->widget()); filha && !filha->fechada())
            lista.append(filha);
    return lista;
}

bool TfrmPrincipal::fechaFilha(TFrmFilha* filha)
{
    auto* sw = qobject_cast<QMdiSubWindow*>(filha->parentWidget());
    if (!sw)
        return filha->close();
    sw->close();
    return filha->fechada();
}

void TfrmPrincipal::defineStatus(int painel, const QString& texto)
{
    if (painel >= 0 && painel < 4)
        paineis_[painel]->setText(texto);
}

QString TfrmPrincipal::textoStatus(int painel) const
{
    return painel >= 0 && painel < 4 ? paineis_[painel]->text() : QString();
}

TFrmFilha* TfrmPrincipal::CriaFilha(const QString& nome)
{
    auto* filha = new TFrmFilha(this);
    filha->defineLegenda(nome);
    QMdiSubWindow* sw = mdi_->addSubWindow(filha);
    sw->setWindowIcon(windowIcon());
    sw->showMaximized();
    mdi_->setActiveSubWindow(sw);

    // Data brasileira qualquer que seja o idioma do sistema.
    const QString data = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
    const auto cabecalho = CabecalhoAlg(nome.toStdString(), data.toStdString());
    QStringList linhas = filha->memEditor->linhas();
    std::vector<std::string> todas;
    for (int i = 0; i < linhas.size(); ++i) {
        if (i < 4)
            linhas[i] = QString::fromStdString(cabecalho[std::size_t(i)]);
        todas.push_back(linhas[i].toStdString());
    }
    filha->memEditor->defineLinhas(linhas);
    // Cursor no campo do autor (posição 49, quebras contando dois caracteres).
    int linha = 0;
    int coluna = 0;
    PosicaoNoTexto(todas, 49, linha, coluna);
    filha->memEditor->posicionaCursor(linha, coluna);
    filha->memEditor->limpaDesfazer();
    filha->memEditor->setModified(false);
    defineStatus(1, QString());
    if (!ArquivoParametroAberto)
        carregaParametro(filha);
    recuperacao_->acompanha(filha);
    return filha;
}

void TfrmPrincipal::FormCreate()
{
    setWindowTitle(TituloAplicacao());
    VersaoWindows.clear();
    // Sem processador de textos a partida segue calada; "Usar Word" avisa ao ser usado.
    if (!processadorTexto().conecta())
        return;
    for (const char* nome : {"UsarWord1", "btnCalculadora", "Calculadora1"})
        acao(QString::fromLatin1(nome))->setEnabled(true);
}

void TfrmPrincipal::AbreDoArquivo()
{
    carregaParametro(filhaAtiva());
}

void TfrmPrincipal::carregaParametro(TFrmFilha* filha)
{
    ArquivoAtual = parametro();
    if (ArquivoAtual.isEmpty() || !filha)
        return;
    // Um arquivo ilegível é avisado uma vez só; a janela fica como SemNome1.
    ArquivoParametroAberto = true;
    if (!documentos_->carrega(filha, ArquivoAtual))
        return;
    setWindowTitle(TituloAplicacao());
    defineStatus(1, QString());
    ContadorSemNome = 0;
}

void TfrmPrincipal::FormShow()
{
    TFrmFilha* filha = CriaFilha(QStringLiteral("SemNome%1").arg(ContadorSemNome));
    if (filha->NomeArquivo.isEmpty())
        filha->NomeArquivo = filha->legenda();
    defineStatus(2, QString());
    for (const char* nome : {"btnCopiar", "btnRecortar", "btnRedo", "btnDesfazer", "Desfazer1", "Refazer1"})
        acao(QString::fromLatin1(nome))->setEnabled(false);
    filha->memEditor->limpaDesfazer();
    acao(QStringLiteral("btnColar"))->setEnabled(areaTemTexto());
    filha->memEditor->posicionaCursor(0, 16);
    // Seleção de trás para frente: o nome marcado e o cursor de volta à coluna 17.
    filha->memEditor->selecionaTrecho(0, 24, 16);
    filha->memEditor->setFocus();
    filha->atualizaPosicao();
}

void TfrmPrincipal::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!mostrada_) {
        mostrada_ = true;
        FormShow();
    }
}

void TfrmPrincipal::changeEvent(QEvent* e)
{
    // FormActivate: a legenda volta ao título (a carga do parâmetro já foi feita).
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        setWindowTitle(TituloAplicacao());
    QMainWindow::changeEvent(e);
}

void TfrmPrincipal::closeEvent(QCloseEvent* e)
{
    if (documentos_->FecharTudo1Click())
        e->accept();
    else
        e->ignore();
}

bool TfrmPrincipal::eventFilter(QObject* alvo, QEvent* e)
{
    // FormMouseMove: o mouse sobre a área livre da moldura limpa a dica.
    if (alvo == mdi_->viewport() && e->type() == QEvent::MouseMove)
        defineStatus(2, QString());
    return QMainWindow::eventFilter(alvo, e);
}

void TfrmPrincipal::Ativa()
{
    for (const char* nome : {"btnSalvar", "btnImprimir", "btnTraduzir", "btnExecutar", "btnLista",
                             "btnSearch", "btnLinha", "Salvar1", "SalvarComo1", "Fechar1",
                             "FecharTudo1", "Configurar1", "Imprimir1", "Traduzir1", "Executar1",
                             "EmCascata1", "Ladoalado1", "MinimizarTudo1"})
        acao(QString::fromLatin1(nome))->setEnabled(true);
    if (areaTemTexto())
        acao(QStringLiteral("btnColar"))->setEnabled(true);
}

void TfrmPrincipal::Desativa()
{
    for (const char* nome :
         {"btnSalvar", "btnImprimir", "btnRecortar", "btnCopiar", "btnColar", "btnTraduzir",
          "btnExecutar", "btnRedo", "btnDesfazer", "btnSearch", "btnLinha", "Desfazer1", "Salvar1",
          "SalvarComo1", "Fechar1", "FecharTudo1", "Configurar1", "Imprimir1", "Recortar1",
          "Copiar1", "Colar1", "Traduzir1", "Executar1", "EmCascata1", "Ladoalado1", "MinimizarTudo1"})
        acao(QString::fromLatin1(nome))->setEnabled(false);
    acao(QStringLiteral("btnLista"))->setEnabled(true);
}

void TfrmPrincipal::Editar1Click()
{
    // Recortar e Copiar só com algo selecionado.
    TFrmFilha* filha = filhaAtiva();
    const bool selecao = filha && filha->memEditor->temSelecao();
    acao(QStringLiteral("Copiar1"))->setEnabled(selecao);
    acao(QStringLiteral("Recortar1"))->setEnabled(selecao);
    acao(QStringLiteral("Colar1"))->setEnabled(areaTemTexto());
}

void TfrmPrincipal::montaListaJanelas()
{
    QMenu* menu = acoes_->menu(QStringLiteral("Janela1"));
    qDeleteAll(itensJanelas_);
    itensJanelas_.clear();
    const auto todas = filhas();
    if (todas.isEmpty())
        return;
    itensJanelas_.append(menu->addSeparator());
    TFrmFilha* ativa = filhaAtiva();
    for (int i = 0; i < todas.size(); ++i) {
        TFrmFilha* filha = todas[i];
        QAction* item = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(filha->legenda()));
        item->setCheckable(true);
        item->setChecked(filha == ativa);
        connect(item, &QAction::triggered, this, [this, filha] {
            if (auto* sw = qobject_cast<QMdiSubWindow*>(filha->parentWidget()))
                mdi_->setActiveSubWindow(sw);
        });
        itensJanelas_.append(item);
    }
}

void TfrmPrincipal::ligaComandosBasicos()
{
    auto& d = *documentos_;
    auto editor = [this]() -> EditorVendrilo* {
        TFrmFilha* f = filhaAtiva();
        return f ? f->memEditor : nullptr;
    };
    auto liga = [this](const char* nome, const std::function<void()>& f) {
        connect(acao(QString::fromLatin1(nome)), &QAction::triggered, this, f);
    };
    liga("Novo1", [&d] { d.btnNovoClick(); });
    liga("btnNovo", [&d] { d.btnNovoClick(); });
    liga("Abrir1", [&d] { d.btnAbrirClick(); });
    liga("btnAbrir", [&d] { d.btnAbrirClick(); });
    liga("Salvar1", [this, &d] { d.Salvar(filhaAtiva()); });
    liga("btnSalvar", [this, &d] { d.Salvar(filhaAtiva()); });
    liga("SalvarComo1", [this, &d] { d.SalvarComo(filhaAtiva()); });
    liga("Fechar1", [&d] { d.Fechar1Click(); });
    liga("FecharTudo1", [&d] { d.FecharTudo1Click(); });
    liga("Sair1", [this] { close(); });
    liga("btnSair", [this] { close(); });
    liga("Exemplos1", [&d] { d.btnListaClick(); });
    liga("btnLista", [&d] { d.btnListaClick(); });

    liga("Desfazer1", [editor] { if (auto* e = editor()) e->undo(); });
    liga("Refazer1", [editor] { if (auto* e = editor()) e->redo(); });
    liga("Recortar1", [editor] { if (auto* e = editor()) e->cut(); });
    liga("Copiar1", [editor] { if (auto* e = editor()) e->copy(); });
    liga("Colar1", [editor] { if (auto* e = editor()) e->paste(); });
    liga("Selecionartudo1", [editor] { if (auto* e = editor()) e->selectAll(); });
    // Os botões ainda ajustam os vizinhos; os itens de menu não.
    liga("btnDesfazer", [this, editor] {
        if (auto* e = editor()) {
            e->undo();
            if (!e->podeDesfazer())
                acao(QStringLiteral("btnDesfazer"))->setEnabled(false);
        }
    });
    liga("btnRedo", [editor] { if (auto* e = editor()) e->redo(); });
    liga("btnRecortar", [this, editor] {
        if (auto* e = editor())
            e->cut();
        acao(QStringLiteral("btnCopiar"))->setEnabled(false);
        acao(QStringLiteral("btnRecortar"))->setEnabled(false);
        acao(QStringLiteral("btnColar"))->setEnabled(true);
    });
    liga("btnCopiar", [this, editor] {
        if (auto* e = editor())
            e->copy();
        acao(QStringLiteral("btnColar"))->setEnabled(true);
    });
    liga("btnColar", [this, editor] {
        if (auto* e = editor())
            e->paste();
        acao(QStringLiteral("btnCopiar"))->setEnabled(false);
        acao(QStringLiteral("btnRecortar"))->setEnabled(false);
    });

    liga("EmCascata1", [this] { mdi_->cascadeSubWindows(); });
    liga("Ladoalado1", [this] { mdi_->tileSubWindows(); });
    liga("MinimizarTudo1", [this] {
        const auto lista = mdi_->subWindowList(QMdiArea::CreationOrder);
        for (int i = int(lista.size()) - 1; i >= 0; --i)
            lista[i]->showMinimized();
    });
    connect(acoes_->menu(QStringLiteral("Editar1")), &QMenu::aboutToShow, this, &TfrmPrincipal::Editar1Click);
    connect(acoes_->menu(QStringLiteral("Janela1")), &QMenu::aboutToShow, this, &TfrmPrincipal::montaListaJanelas);
}

} // namespace vendrilo
