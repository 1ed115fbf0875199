// Toda janela que o programa mostra cabe em si mesma: nenhum componente sai
// da área da janela nem fica mais baixo do que precisa (a faixa cortada no pé
// de um botão ou campo), na fonte padrão e numa fonte maior. O CTest roda
// também com QT_SCALE_FACTOR=2 (tela a 200%).

#include "arquivos_teste.h"
#include "comm/atualizacao/frm_atualizar.h"
#include "comm/email/frm_envio.h"
#include "comm/email/frm_help_mail.h"
#include "console/janela_console.h"
#include "dialogos_roteirizados.h"
#include "learning/frm_ajuda.h"
#include "learning/frm_alerta.h"
#include "learning/frm_lista.h"
#include "learning/frm_mudou.h"
#include "learning/frm_sobre.h"
#include "platform/dialogos.h"
#include "platform/traducoes.h"
#include "workspace/dialogos_pesquisa.h"
#include "workspace/filha.h"
#include "workspace/frm_erros_sintaxe.h"
#include "workspace/frm_sintaxe.h"
#include "workspace/ir_linha.h"
#include "workspace/principal.h"
#include "workspace/splash.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLayout>
#include <QMdiArea>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

using namespace vendrilo;
using vendrilo::teste::DialogosRoteirizados;
using vendrilo::teste::processa;

namespace {

const QString kTitulo = QStringLiteral("Vendrilo de Algoritmos - Versão 2.4");

// Dentro da área de uma lista ou de um texto o conteúdo rola, e as peças de
// uma caixa de combinação ou o cabeçalho de uma tabela são dela: não contam.
bool rolaOuEPeca(const QWidget* w, const QWidget* janela)
{
    for (const QWidget* p = w->parentWidget(); p && p != janela; p = p->parentWidget()) {
        auto* area = qobject_cast<const QAbstractScrollArea*>(p->parentWidget());
        if (area && !qobject_cast<const QMdiArea*>(area) && area->viewport() == p)
            return true;
    }
    return qobject_cast<const QComboBox*>(w->parentWidget()) || qobject_cast<const QHeaderView*>(w);
}

// As regras, com o nome do componente que as quebra.
void confereQueCabe(QWidget* janela)
{
    ASSERT_TRUE(janela && janela->isVisible());
    const QString nomeJanela = janela->objectName() + QLatin1Char('/') + janela->metaObject()->className();
    SCOPED_TRACE(nomeJanela.toStdString());
    if (QLayout* l = janela->layout()) {
        EXPECT_TRUE(janela->width() >= l->totalMinimumSize().width() &&
                    janela->height() >= l->totalMinimumSize().height())
            << "janela " << janela->width() << "x" << janela->height() << ", o leiaute precisa de "
            << l->totalMinimumSize().width() << "x" << l->totalMinimumSize().height();
    }
    const QRect area = janela->rect();
    for (QWidget* w : janela->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(janela) || w->isWindow() || rolaOuEPeca(w, janela))
            continue;
        const QString nome = w->objectName() + QLatin1Char('/') + w->metaObject()->className();
        const QRect r(w->mapTo(janela, QPoint(0, 0)), w->size());
        EXPECT_TRUE(area.contains(r))
            << nome.toStdString() << " em (" << r.x() << "," << r.y() << " " << r.width() << "x" << r.height()
            << ") fora de " << area.width() << "x" << area.height();
        QSize minimo = w->minimumSizeHint();
        // Botão só de ícone (a barra de ferramentas): basta caber o ícone.
        if (auto* b = qobject_cast<QToolButton*>(w); b && b->toolButtonStyle() == Qt::ToolButtonIconOnly)
            minimo = b->iconSize();
        if (minimo.isValid()) {
            EXPECT_GE(w->height(), minimo.height()) << nome.toStdString() << " espremido na altura ("
                                                    << w->height() << " < " << minimo.height() << ")";
            // Na largura, só botões: caixas e campos rolam ou abreviam o texto.
            if (qobject_cast<QAbstractButton*>(w))
                EXPECT_GE(w->width(), minimo.width()) << nome.toStdString() << " espremido na largura ("
                                                      << w->width() << " < " << minimo.width() << ")";
        }
        if (w->hasHeightForWidth() && w->heightForWidth(w->width()) > 0) {
            EXPECT_GE(w->height(), w->heightForWidth(w->width()))
                << nome.toStdString() << " com texto cortado";
        }
    }
}

// Com VENDRILO_FOTOS=<pasta>, guarda a imagem de cada janela para olhar.
void fotografa(QWidget* janela)
{
    const QString pasta = qEnvironmentVariable("VENDRILO_FOTOS");
    if (pasta.isEmpty() || !janela)
        return;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString nome = QString::fromStdString(info->name()).section(QLatin1Char('/'), -1);
    janela->grab().save(pasta + QLatin1Char('/') + nome + QStringLiteral(".png"));
}

// Janelas comuns: criadas, mostradas e conferidas.
using Cria = std::function<QWidget*(const QString& pasta)>;
// Caixas modais (exec): abertas pela função, conferidas por um relógio.
using AbreModal = std::function<void()>;

struct Janela {
    const char* nome;
    Cria cria;
    AbreModal abreModal;
};

void PrintTo(const Janela& j, std::ostream* os)
{
    *os << j.nome;
}

QString textoLongo()
{
    return QStringLiteral("O Vendrilo não foi fechado normalmente e guardou cópias de algoritmos não "
                          "salvos:\n\nSemNome1\nPROVA.ALG\n\nRecuperá-los agora? (Não: as cópias ficam "
                          "guardadas para a próxima vez.)");
}

const Janela kJanelas[] = {
    {"Localizar", [](const QString&) { return new TTextSearchDialog; }, {}},
    {"Substituir", [](const QString&) { return new TTextReplaceDialog; }, {}},
    {"ConfirmaSubstituicao",
     [](const QString&) {
         auto* d = new TConfirmReplaceDialog;
         d->preparaPergunta(QStringLiteral("escreva(\"um texto qualquer\")"));
         return d;
     },
     {}},
    {"IrParaLinha", [](const QString&) { return new TfrmLinha; }, {}},
    {"ErrosDeSintaxe",
     [](const QString&) {
         auto* d = new TFrmErrosSintaxe(kTitulo);
         d->defineErros({"Linha 3: SE sem ENTAO correspondente", "Linha 9: FIM esperado"}, {1, 2}, {3, 9});
         return d;
     },
     {}},
    {"Sintaxe",
     [](const QString&) {
         auto* d = new TFrmSintaxe(kTitulo);
         d->EscrevePagina(1);
         return d;
     },
     {}},
    {"ListaDeExemplos", [](const QString& pasta) { return new TFrmLista(pasta); }, {}},
    {"OQueMudou", [](const QString& pasta) { return new TfrmMudou(pasta); }, {}},
    {"Sobre", [](const QString&) { return new TfrmSobre; }, {}},
    {"Ajuda",
     [](const QString& pasta) {
         auto* d = new TfrmAjuda;
         d->abre(pasta);
         return d;
     },
     {}},
    {"Alerta",
     [](const QString&) {
         auto* d = new TfrmAlerta;
         d->Alerta(QStringLiteral("Salve o algoritmo antes de enviá-lo ao professor."));
         return d;
     },
     {}},
    {"EnvioDeAlgoritmos", [](const QString& pasta) { return new TfrmEnvio(pasta); }, {}},
    {"AjudaDoEnvio",
     [](const QString&) {
         return new TFrmHelpMail(kTitulo, QStringLiteral("Vendrilo"), QStringLiteral("contato@vendrilo.org"));
     },
     {}},
    {"Atualizar", [](const QString& pasta) { return new TFrmAtualizar(pasta); }, {}},
    {"Abertura", [](const QString&) { return new TfrmSplash; }, {}},
    {"Console",
     [](const QString&) {
         auto* j = new JanelaConsole(PedidoConsole{});
         j->resize(j->sizeHint());
         return j;
     },
     {}},
    {"Principal",
     [](const QString&) {
         auto* p = new TfrmPrincipal;
         p->show(); // o primeiro documento nasce ao mostrar
         processa();
         if (TFrmFilha* f = p->filhas().value(0))
             f->mostraErro(QStringLiteral(" Atenção!!! Erro detectado na linha [12] !!! "),
                           {QStringLiteral("Erro 85: \";\" esperado"), QStringLiteral("   escreva(x)"),
                            QStringLiteral("           ^"), QStringLiteral("Dica: falta o ponto e vírgula")});
         return p;
     },
     {}},
    {"Mensagem", {}, [] { dialogos().mostraMensagem(textoLongo()); }},
    {"PerguntaSimNaoCancelar",
     {},
     [] {
         (void)dialogos().caixaMensagem(textoLongo(), kTitulo, Caixa::SimNaoCancelar | Caixa::IconePergunta);
     }},
    {"AvisoDeErro",
     {},
     [] { (void)dialogos().caixaMensagem(QStringLiteral("Erro ao gravar."), kTitulo, Caixa::IconeErro); }},
    {"SalvarComo",
     {},
     [] {
         (void)dialogos().salvaArquivo(QStringLiteral("Salvar Como"), QStringLiteral("Algoritmos (*.alg)"),
                                       qEnvironmentVariable("VENDRILO_PASTA"), QStringLiteral("PROVA.ALG"));
     }},
    {"CaixaDeEntrada",
     {},
     [] {
         QString valor = QStringLiteral("12");
         (void)dialogos().pedeTexto(kTitulo, QStringLiteral("Digite o número da linha:"), valor);
     }},
};

// Fonte padrão (0) e uma maior, de quem lê de longe ou tem tela grande.
const int kPontos[] = {0, 12, 16};

class JanelaCabe : public ::testing::TestWithParam<std::tuple<Janela, int>> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programa.isValid());
        // Como na partida: os diálogos do Qt em português, de textos mais longos.
        static const QStringList faltaram = InstalaTraducoes();
        EXPECT_TRUE(faltaram.isEmpty()) << faltaram.join(QLatin1Char(' ')).toStdString();
        qputenv("VENDRILO_PASTA", programa.path().toUtf8());
        fonteAntes = QApplication::font();
        if (const int pontos = std::get<1>(GetParam()); pontos > 0) {
            QFont f = fonteAntes;
            f.setPointSize(pontos);
            QApplication::setFont(f);
        }
    }
    void TearDown() override
    {
        QApplication::setFont(fonteAntes);
        qunsetenv("VENDRILO_PASTA");
    }

    QFont fonteAntes;
    QTemporaryDir programa;
    // Os dados de verdade: exemplos, ajuda e o que mudou.
    const QString pasta = QStringLiteral(VENDRILO_DADOS_FONTE);
};

TEST_P(JanelaCabe, nadaCortadoNemForaDaJanela)
{
    const Janela& j = std::get<0>(GetParam());
    if (j.cria) {
        DialogosRoteirizados respostas;
        std::unique_ptr<QWidget> janela(j.cria(pasta));
        janela->show();
        processa();
        confereQueCabe(janela.get());
        fotografa(janela.get());
        return;
    }
    // As caixas reais (não o dublê): o relógio confere e fecha a que abrir.
    defineDialogos(nullptr);
    bool vista = false;
    QTimer relogio;
    QObject::connect(&relogio, &QTimer::timeout, [&] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        relogio.stop();
        vista = true;
        // Leiautes ainda pendentes (o diálogo de arquivo enche a lista aos poucos).
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        if (!modal)
            return;
        confereQueCabe(modal);
        fotografa(modal);
        if (modal)
            modal->close();
    });
    relogio.start(20);
    j.abreModal();
    EXPECT_TRUE(vista) << "a caixa não apareceu";
}

std::string nomeDoCaso(const ::testing::TestParamInfo<JanelaCabe::ParamType>& info)
{
    const int pontos = std::get<1>(info.param);
    return std::string(std::get<0>(info.param).nome) +
           (pontos ? "_fonte" + std::to_string(pontos) + "pt" : std::string("_fontePadrao"));
}

INSTANTIATE_TEST_SUITE_P(TodasAsJanelas, JanelaCabe,
                         ::testing::Combine(::testing::ValuesIn(kJanelas), ::testing::ValuesIn(kPontos)),
                         nomeDoCaso);

} // namespace
