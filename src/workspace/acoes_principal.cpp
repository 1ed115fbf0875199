#include "workspace/acoes_principal.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace vendrilo {

namespace {

// Ícone do tema da área de trabalho quando ele tem um que sirva; senão o
// desenho vetorial que acompanha o programa (nítido em qualquer escala).
QIcon iconePara(const QString& codigo)
{
    static const QHash<QString, QString> tema = {
        {QStringLiteral("novo"), QStringLiteral("document-new")},
        {QStringLiteral("abrir"), QStringLiteral("document-open")},
        {QStringLiteral("salvar"), QStringLiteral("document-save")},
        {QStringLiteral("imprimir"), QStringLiteral("document-print")},
        {QStringLiteral("recortar"), QStringLiteral("edit-cut")},
        {QStringLiteral("copiar"), QStringLiteral("edit-copy")},
        {QStringLiteral("colar"), QStringLiteral("edit-paste")},
        {QStringLiteral("desfazer"), QStringLiteral("edit-undo")},
        {QStringLiteral("refazer"), QStringLiteral("edit-redo")},
        {QStringLiteral("procurar"), QStringLiteral("edit-find")},
        {QStringLiteral("substituir"), QStringLiteral("edit-find-replace")},
        {QStringLiteral("executar"), QStringLiteral("media-playback-start")},
        {QStringLiteral("calculadora"), QStringLiteral("accessories-calculator")},
        {QStringLiteral("email"), QStringLiteral("mail-send")},
        {QStringLiteral("atualizar"), QStringLiteral("system-software-update")},
        {QStringLiteral("sair"), QStringLiteral("application-exit")},
    };
    const QIcon proprio(QStringLiteral(":/icones/%1.svg").arg(codigo));
    const QString nome = tema.value(codigo);
    return nome.isEmpty() ? proprio : QIcon::fromTheme(nome, proprio);
}

} // namespace

AcoesPrincipal::AcoesPrincipal(QMainWindow* janela)
    : QObject(janela)
    , janela_(janela)
{
    criaMenus();
    criaBarra();
    // Comandos de outras funções só aparecem quando seus módulos os ligam.
    for (const char* nome : {"Configurar1",
                             "Imprimir1",
                             "ComVendrilo1",
                             "UsarWord1",
                             "btnImprimir",
                             "Localizartexto1",
                             "actSearch",
                             "btnSearch",
                             "actSearchNext1",
                             "btnSearchFw",
                             "actSearchPrev1",
                             "btnSearchBw",
                             "actSearchReplace1",
                             "btnSearchRep",
                             "actLinha",
                             "btnLinha",
                             "Traduzir1",
                             "btnTraduzir",
                             "Executar1",
                             "btnExecutar",
                             "Calculadora1",
                             "btnCalculadora",
                             "PassoAPasso1",
                             "ProximaLinha1",
                             "EntrarRotina1",
                             "ContinuarParada1",
                             "PararPasso1",
                             "AlternarParada1",
                             "EnviodeAlgoritmos1",
                             "ToolButton3",
                             "AtualizarVendrilo1",
                             "btnUpdate",
                             "Ajuda2",
                             "AjudaContexto1",
                             "Exemplos1",
                             "btnLista",
                             "Oquemudou1",
                             "VerificarInstalacao1",
                             "Sobre2"})
        acao(QString::fromLatin1(nome))->setVisible(false);
    arrumaVisibilidade();
}

QAction* AcoesPrincipal::cria(const QString& nome, const QString& texto, const QString& atalho)
{
    auto* a = new QAction(texto, janela_);
    a->setObjectName(nome);
    if (!atalho.isEmpty())
        a->setShortcut(QKeySequence(atalho));
    acoes_.insert(nome, a);
    connect(a, &QAction::visibleChanged, this, &AcoesPrincipal::arrumaVisibilidade);
    return a;
}

QAction* AcoesPrincipal::botao(const QString& nome, const QString& dica, const QString& textoStatus,
                               const QString& icone)
{
    QAction* a = cria(nome, dica.isEmpty() ? nome : dica);
    a->setToolTip(dica);
    a->setIcon(iconePara(icone));
    a->setProperty("dicaStatus", textoStatus);
    return a;
}

void AcoesPrincipal::criaMenus()
{
    QMenuBar* barraMenu = janela_->menuBar();
    barraMenu->setObjectName(QStringLiteral("MainMenu1"));
    auto novoMenu = [&](const QString& nome, const QString& texto) {
        QMenu* m = barraMenu->addMenu(texto);
        m->setObjectName(nome);
        m->menuAction()->setObjectName(nome);
        menus_.insert(nome, m);
        return m;
    };

    QMenu* arquivo = novoMenu(QStringLiteral("Arquivo1"), QStringLiteral("&Arquivo"));
    arquivo->addAction(cria(QStringLiteral("Novo1"), QStringLiteral("&Novo"), QStringLiteral("Ctrl+N")));
    arquivo->addAction(cria(QStringLiteral("Abrir1"), QStringLiteral("&Abrir"), QStringLiteral("Ctrl+O")));
    arquivo->addAction(cria(QStringLiteral("Salvar1"), QStringLiteral("&Salvar"), QStringLiteral("F2")));
    arquivo->addAction(cria(QStringLiteral("SalvarComo1"), QStringLiteral("Salvar &Como"), QStringLiteral("F5")));
    arquivo->addAction(cria(QStringLiteral("Fechar1"), QStringLiteral("&Fechar"), QStringLiteral("Alt+F")));
    arquivo->addAction(cria(QStringLiteral("FecharTudo1"), QStringLiteral("Fechar &Tudo")));
    arquivo->addSeparator();
    arquivo->addAction(cria(QStringLiteral("Configurar1"), QStringLiteral("Confi&gurar Impressora"),
                            QStringLiteral("Ctrl+P")));
    QMenu* imprimir = arquivo->addMenu(QStringLiteral("&Imprimir"));
    imprimir->setObjectName(QStringLiteral("Imprimir1"));
    QAction* itemImprimir = imprimir->menuAction();
    itemImprimir->setObjectName(QStringLiteral("Imprimir1"));
    itemImprimir->setShortcut(QKeySequence(QStringLiteral("Ctrl+I")));
    acoes_.insert(QStringLiteral("Imprimir1"), itemImprimir);
    connect(itemImprimir, &QAction::visibleChanged, this, &AcoesPrincipal::arrumaVisibilidade);
    menus_.insert(QStringLiteral("Imprimir1"), imprimir);
    imprimir->addAction(cria(QStringLiteral("ComVendrilo1"), QStringLiteral("Com &Vendrilo"), QStringLiteral("Ctrl+T")));
    imprimir->addAction(cria(QStringLiteral("UsarWord1"), QStringLiteral("Usar &Word"), QStringLiteral("Ctrl+W")));
    arquivo->addSeparator();
    arquivo->addAction(cria(QStringLiteral("Sair1"), QStringLiteral("Sai&r"), QStringLiteral("Alt+F4")));

    QMenu* editar = novoMenu(QStringLiteral("Editar1"), QStringLiteral("&Editar"));
    editar->addAction(cria(QStringLiteral("Desfazer1"), QStringLiteral("&Desfazer"), QStringLiteral("Ctrl+Z")));
    editar->addAction(cria(QStringLiteral("Refazer1"), QStringLiteral("&Refazer"), QStringLiteral("Ctrl+R")));
    editar->addSeparator();
    editar->addAction(cria(QStringLiteral("Recortar1"), QStringLiteral("Recortar"), QStringLiteral("Ctrl+X")));
    editar->addAction(cria(QStringLiteral("Copiar1"), QStringLiteral("Copiar"), QStringLiteral("Ctrl+C")));
    editar->addAction(cria(QStringLiteral("Colar1"), QStringLiteral("Colar"), QStringLiteral("Ctrl+V")));
    editar->addAction(cria(QStringLiteral("Selecionartudo1"), QStringLiteral("Selecionar &tudo"),
                           QStringLiteral("Ctrl+A")));
    editar->addSeparator();
    editar->addAction(cria(QStringLiteral("Localizartexto1"), QStringLiteral("&Localizar"), QStringLiteral("Ctrl+F")));
    editar->addAction(cria(QStringLiteral("actSearchNext1"), QStringLiteral("Localizar próximo"), QStringLiteral("F3")));
    editar->addAction(cria(QStringLiteral("actSearchPrev1"), QStringLiteral("Localizar &Anterior"), QStringLiteral("F4")));
    editar->addAction(cria(QStringLiteral("actSearchReplace1"), QStringLiteral("Localizar e &Substituir"),
                           QStringLiteral("Ctrl+H")));
    // Ações da lista de ações sem item de menu: o atalho vale na janela toda.
    janela_->addAction(cria(QStringLiteral("actSearch"), QStringLiteral("&Localizar"), QStringLiteral("Ctrl+L")));
    janela_->addAction(cria(QStringLiteral("actLinha"), QStringLiteral("Ir até a linha"), QStringLiteral("Ctrl+G")));

    QMenu* ferramentas = novoMenu(QStringLiteral("Ferramentas1"), QStringLiteral("Fe&rramentas"));
    ferramentas->addAction(cria(QStringLiteral("Traduzir1"), QStringLiteral("&Traduzir"), QStringLiteral("F9")));
    ferramentas->addAction(cria(QStringLiteral("Executar1"), QStringLiteral("&Executar"), QStringLiteral("Ctrl+E")));
    ferramentas->addAction(cria(QStringLiteral("Calculadora1"), QStringLiteral("&Calculadora"), QStringLiteral("F7")));
    // Passo a passo: teclas que nenhum outro comando nem o editor usam.
    ferramentas->addSeparator();
    ferramentas->addAction(cria(QStringLiteral("PassoAPasso1"), QStringLiteral("&Passo a passo"),
                                QStringLiteral("Shift+F9")));
    ferramentas->addAction(cria(QStringLiteral("ProximaLinha1"), QStringLiteral("Pró&xima linha"),
                                QStringLiteral("F8")));
    ferramentas->addAction(cria(QStringLiteral("EntrarRotina1"), QStringLiteral("E&ntrar na rotina"),
                                QStringLiteral("Shift+F8")));
    ferramentas->addAction(cria(QStringLiteral("ContinuarParada1"), QStringLiteral("C&ontinuar até a parada"),
                                QStringLiteral("Ctrl+F9")));
    ferramentas->addAction(cria(QStringLiteral("PararPasso1"), QStringLiteral("Parar passo a passo"),
                                QStringLiteral("Ctrl+F2")));
    ferramentas->addAction(cria(QStringLiteral("AlternarParada1"), QStringLiteral("Alternar ponto de parada"),
                                QStringLiteral("Ctrl+F8")));

    QMenu* web = novoMenu(QStringLiteral("Web1"), QStringLiteral("&Web"));
    web->addAction(cria(QStringLiteral("EnviodeAlgoritmos1"), QStringLiteral("Envio de Algoritmos"),
                        QStringLiteral("Ctrl+I")));
    web->addAction(cria(QStringLiteral("AtualizarVendrilo1"), QStringLiteral("Atualizar Vendrilo"),
                        QStringLiteral("Ctrl+U")));

    QMenu* janela = novoMenu(QStringLiteral("Janela1"), QStringLiteral("&Janela"));
    janela->addAction(cria(QStringLiteral("EmCascata1"), QStringLiteral("&Em Cascata")));
    janela->addAction(cria(QStringLiteral("Ladoalado1"), QStringLiteral("&Lado a lado")));
    janela->addAction(cria(QStringLiteral("MinimizarTudo1"), QStringLiteral("&Minimizar Tudo")));

    QMenu* ajuda = novoMenu(QStringLiteral("Ajuda1"), QStringLiteral("Aj&uda"));
    ajuda->addAction(cria(QStringLiteral("Ajuda2"), QStringLiteral("Ajuda"), QStringLiteral("F1")));
    // Ctrl+F1, a ajuda de contexto do editor: fora dos menus, só a tecla.
    janela_->addAction(cria(QStringLiteral("AjudaContexto1"), QStringLiteral("Ajuda da palavra"),
                            QStringLiteral("Ctrl+F1")));
    ajuda->addSeparator();
    ajuda->addAction(cria(QStringLiteral("Exemplos1"), QStringLiteral("&Lista de Exemplos"), QStringLiteral("Shift+F1")));
    ajuda->addSeparator();
    ajuda->addAction(cria(QStringLiteral("Oquemudou1"), QStringLiteral("O que &mudou?"), QStringLiteral("Ctrl+M")));
    ajuda->addAction(cria(QStringLiteral("VerificarInstalacao1"), QStringLiteral("&Verificar instalação")));
    ajuda->addSeparator();
    ajuda->addAction(cria(QStringLiteral("Sobre2"), QStringLiteral("&Sobre"), QStringLiteral("Ctrl+S")));
}

void AcoesPrincipal::criaBarra()
{
    barra_ = janela_->addToolBar(QStringLiteral("BarraBtn"));
    barra_->setObjectName(QStringLiteral("BarraBtn"));
    barra_->setMovable(false);
    barra_->setIconSize(QSize(22, 22));
    barra_->setToolButtonStyle(Qt::ToolButtonIconOnly);

    struct Botao { const char* nome; const char* dica; const char* status; const char* icone; };
    // Grupos separados por separadores, na ordem da barra.
    const QList<QList<Botao>> grupos = {
        {{"btnNovo", "Novo", "   Abrir um Algoritmo Novo", "novo"},
         {"btnAbrir", "Abrir", "   Abrir um Algoritmo", "abrir"},
         {"btnSalvar", "Salvar", "   Salvar o Algoritmo", "salvar"}},
        {{"btnImprimir", "Imprimir", "   Imprimir o Algoritmo", "imprimir"}},
        {{"btnRecortar", "Recortar", "   Recortar texto selecionado", "recortar"},
         {"btnCopiar", "Copiar", "   Copiar texto selecionado", "copiar"},
         {"btnColar", "Colar", "   Colar texto", "colar"}},
        {{"btnDesfazer", "Desfazer", "   Desfazer última edição", "desfazer"},
         {"btnRedo", "Refazer", "   Refaz última edição", "refazer"}},
        {{"btnSearch", "Procurar", "   Localizar", "procurar"},
         {"btnSearchFw", "Procurar próximo", "   Localizar próximo", "proximo"},
         {"btnSearchBw", "Procurar anterior", "   Localizar anterior", "anterior"},
         {"btnSearchRep", "Procurar e substituir", "   Localizar e substituir", "substituir"}},
        {{"btnLinha", "Ir até a linha", "   Ir para a linha...", "linha"}},
        {{"btnTraduzir", "Traduzir", "   Traduzir o Algoritmo", "traduzir"},
         {"btnExecutar", "Executar", "   Executar o Algoritmo", "executar"}},
        {{"btnCalculadora", "Calculadora", "   Calculadora do Windows", "calculadora"},
         {"btnLista", "Lista de Exemplos", "   Lista de alguns exemplos de algoritmos", "lista"}},
        {{"ToolButton3", "", "", "email"},
         {"btnUpdate", "Atualizar vendrilo", "   Atualizar vendrilo pela Internet", "atualizar"}},
        {{"btnSair", "Sair", "   Sair do Vendrilo", "sair"}},
    };
    for (int g = 0; g < grupos.size(); ++g) {
        if (g > 0) {
            QAction* sep = barra_->addSeparator();
            separadoresBarra_.append(sep);
            if (g == grupos.size() - 1) {
                // Separador largo antes de Sair.
                auto* espaco = new QWidget(barra_);
                espaco->setFixedWidth(75);
                separadoresBarra_.append(barra_->addWidget(espaco));
            }
        }
        QList<QAction*> grupo;
        for (const Botao& b : grupos[g]) {
            QAction* a = botao(QString::fromLatin1(b.nome), QString::fromUtf8(b.dica),
                               QString::fromUtf8(b.status), QString::fromUtf8(b.icone));
            barra_->addAction(a);
            if (QWidget* w = barra_->widgetForAction(a)) {
                w->setObjectName(a->objectName());
                w->setFixedHeight(25);
                w->installEventFilter(this);
                dicas_.insert(w, a->property("dicaStatus").toString());
            }
            grupo.append(a);
        }
        gruposBarra_.append(grupo);
    }
}

void AcoesPrincipal::ligaComando(const QString& item, const QString& botao,
                                 const std::function<void()>& tratador)
{
    for (const QString& nome : {item, botao}) {
        if (nome.isEmpty())
            continue;
        QAction* a = acao(nome);
        if (!a)
            continue;
        connect(a, &QAction::triggered, this, [tratador] { tratador(); });
        a->setVisible(true);
    }
}

void AcoesPrincipal::mostra(const QString& nome, bool visivel)
{
    if (QAction* a = acao(nome))
        a->setVisible(visivel);
}

void AcoesPrincipal::arrumaVisibilidade()
{
    // Menu sem item visível some da barra de menus: nada de menu vazio.
    for (QMenu* m : std::as_const(menus_)) {
        bool algum = false;
        for (QAction* a : m->actions())
            algum = algum || (!a->isSeparator() && a->isVisible());
        if (m->objectName() != QStringLiteral("Imprimir1"))
            m->menuAction()->setVisible(algum);
    }
    // Ctrl+I está em "&Imprimir" e em "Envio de Algoritmos": com os dois à
    // vista, o atalho fica com o primeiro (um atalho ambíguo não faria nada).
    if (QAction* envio = acao(QStringLiteral("EnviodeAlgoritmos1"))) {
        const bool imprimirVisivel = acao(QStringLiteral("Imprimir1"))->isVisible();
        const QKeySequence ctrlI(QStringLiteral("Ctrl+I"));
        if (imprimirVisivel && envio->shortcut() == ctrlI) {
            envio->setShortcut(QKeySequence());
            envio->setText(QStringLiteral("Envio de Algoritmos\t") + ctrlI.toString(QKeySequence::NativeText));
        } else if (!imprimirVisivel && envio->shortcut().isEmpty()) {
            envio->setText(QStringLiteral("Envio de Algoritmos"));
            envio->setShortcut(ctrlI);
        }
    }
    if (separadoresBarra_.isEmpty())
        return;
    // Separador da barra só entre grupos com botões visíveis.
    int s = 0;
    bool antes = false;
    for (int g = 0; g < gruposBarra_.size(); ++g) {
        bool visivel = false;
        for (QAction* a : gruposBarra_[g])
            visivel = visivel || a->isVisible();
        if (g > 0) {
            const int quantos = g == gruposBarra_.size() - 1 ? 2 : 1;
            for (int k = 0; k < quantos; ++k)
                separadoresBarra_[s++]->setVisible(antes && visivel);
        }
        antes = antes || visivel;
    }
}

bool AcoesPrincipal::eventFilter(QObject* alvo, QEvent* e)
{
    if (e->type() == QEvent::Enter && dicas_.contains(alvo))
        emit dica(dicas_.value(alvo));
    return QObject::eventFilter(alvo, e);
}

} // namespace vendrilo
