// Localizar, substituir e ir até a linha sobre editores de verdade.

#include "dialogos_roteirizados.h"
#include "workspace/dialogos_pesquisa.h"
#include "workspace/documentos.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/ir_linha.h"
#include "workspace/pesquisa.h"
#include "workspace/principal.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace vendrilo;
using vendrilo::teste::DialogosRoteirizados;

namespace {

class Pesquisa : public ::testing::Test {
protected:
    void SetUp() override
    {
        janela = new TfrmPrincipal();
        janela->show();
        QCoreApplication::processEvents();
        busca = new ComandosPesquisa(janela);
        ed = janela->filhaAtiva()->memEditor;
    }
    void TearDown() override
    {
        for (TFrmFilha* f : janela->filhas())
            f->memEditor->setModified(false);
        janela->close();
        delete janela;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // A janela de busca "responde" com o texto e as opções dados.
    void buscaPeloDialogo(const QString& texto, bool substituir = false, const QString& troca = {})
    {
        busca->dialogoPesquisa = [=](bool, MemoriaPesquisa& m) {
            m.TextoPesquisa = texto;
            m.TextoSubstituicao = troca;
            return true;
        };
        busca->MostraDialogoPesquisa(substituir);
    }
    bool habilitada(const char* nome) { return janela->acao(QString::fromLatin1(nome))->isEnabled(); }

    DialogosRoteirizados dialogos;
    TfrmPrincipal* janela = nullptr;
    ComandosPesquisa* busca = nullptr;
    EditorVendrilo* ed = nullptr;
};

TEST_F(Pesquisa, ProximoESubstituirSoDepoisDaPrimeiraBusca)
{
    busca->atualizaAcoes();
    EXPECT_TRUE(habilitada("Localizartexto1"));
    EXPECT_FALSE(habilitada("actSearchNext1"));
    EXPECT_FALSE(habilitada("btnSearchBw"));
    EXPECT_FALSE(habilitada("actSearchReplace1"));
    EXPECT_TRUE(janela->acao(QStringLiteral("btnSearchFw"))->isVisible());
    buscaPeloDialogo(QStringLiteral("inicio"));
    EXPECT_EQ(ed->selectedText(), QStringLiteral("inicio"));
    EXPECT_TRUE(habilitada("actSearchNext1"));
    EXPECT_TRUE(habilitada("actSearchReplace1"));
}

TEST_F(Pesquisa, TextoAusenteAvisaEDeixaOCursorNoFimDaSelecao)
{
    ed->selecionaTrecho(8, 0, 3); // "ini"
    buscaPeloDialogo(QStringLiteral("xyzzy"));
    EXPECT_EQ(busca->ultimoAlerta(), QStringLiteral("O texto [xyzzy] não foi localizado!"));
    EXPECT_FALSE(ed->hasSelectedText());
    int linha = 0, indice = 0;
    ed->getCursorPosition(&linha, &indice);
    EXPECT_EQ(linha, 8);
    EXPECT_EQ(indice, 3);
}

TEST_F(Pesquisa, ProximoEAnteriorAndamPeloTexto)
{
    ed->setText(QStringLiteral("se a\nse b\nse c"));
    buscaPeloDialogo(QStringLiteral("se"));
    EXPECT_EQ(ed->linhaCursor(), 0);
    busca->ExecutaPesquisa(false, false);
    EXPECT_EQ(ed->linhaCursor(), 1);
    busca->ExecutaPesquisa(false, false);
    EXPECT_EQ(ed->linhaCursor(), 2);
    busca->ExecutaPesquisa(false, true);
    EXPECT_EQ(ed->linhaCursor(), 1);
    EXPECT_EQ(ed->selectedText(), QStringLiteral("se"));
}

TEST_F(Pesquisa, TrocarPorEleMesmoNaoPerguntaNemTroca)
{
    int perguntas = 0;
    busca->perguntaTroca = [&](const QString&, const QString&, int, int) {
        ++perguntas;
        return EditorVendrilo::Trocar;
    };
    const QString antes = ed->text();
    buscaPeloDialogo(QStringLiteral("inicio"), true, QStringLiteral("inicio"));
    EXPECT_EQ(perguntas, 0);
    EXPECT_EQ(ed->text(), antes);
    EXPECT_TRUE(busca->ultimoAlerta().isEmpty());
}

TEST_F(Pesquisa, SubstituirPerguntaACadaOcorrencia)
{
    ed->setText(QStringLiteral("x x x x"));
    QList<EditorVendrilo::RespostaTroca> respostas = {EditorVendrilo::Trocar, EditorVendrilo::Pular,
                                                      EditorVendrilo::TrocarTodos};
    QStringList achados;
    busca->perguntaTroca = [&](const QString& achado, const QString&, int, int) {
        achados << achado;
        return respostas.takeFirst();
    };
    buscaPeloDialogo(QStringLiteral("x"), true, QStringLiteral("yy"));
    EXPECT_EQ(ed->text(), QStringLiteral("yy x yy yy"));
    EXPECT_EQ(achados.size(), 3);

    // Cancelar para tudo onde está.
    ed->setText(QStringLiteral("a a a"));
    busca->PesquisaDoCursorAtiva = false;
    respostas = {EditorVendrilo::Trocar, EditorVendrilo::Parar};
    buscaPeloDialogo(QStringLiteral("a"), true, QStringLiteral("b"));
    EXPECT_EQ(ed->text(), QStringLiteral("b a a"));
}

TEST_F(Pesquisa, ProximoNoSegundoDocumentoUsaOTextoDoPrimeiro)
{
    buscaPeloDialogo(QStringLiteral("Código"));
    janela->documentos().btnNovoClick();
    EditorVendrilo* outro = janela->filhaAtiva()->memEditor;
    ASSERT_NE(outro, ed);
    outro->posicionaCursor(0, 0);
    busca->ExecutaPesquisa(false, false);
    EXPECT_EQ(outro->selectedText(), QStringLiteral("Código"));
    EXPECT_EQ(outro->linhaCursor(), 13);
}

TEST_F(Pesquisa, HistoricoMaisRecentePrimeiroSemRepeticaoAteDez)
{
    TTextReplaceDialog dlg;
    QStringList doze;
    for (int i = 1; i <= 12; ++i)
        doze << QStringLiteral("t%1").arg(i);
    dlg.defineHistoricoPesquisa(doze.join(QStringLiteral("\r\n")));
    dlg.defineTextoPesquisa(QStringLiteral("t5"));
    dlg.defineHistoricoSubstituicao(QStringLiteral("a\r\nb"));
    dlg.defineTextoSubstituicao(QStringLiteral("novo"));
    dlg.aceita();
    const QStringList h = dlg.historicoPesquisa().split(QStringLiteral("\r\n"));
    ASSERT_EQ(h.size(), 10);
    EXPECT_EQ(h.first(), QStringLiteral("t5"));
    EXPECT_EQ(h.count(QStringLiteral("t5")), 1);
    EXPECT_EQ(h.at(1), QStringLiteral("t1"));
    EXPECT_EQ(dlg.historicoSubstituicao(), QStringLiteral("novo\r\na\r\nb"));
    EXPECT_EQ(dlg.textoPesquisa(), QStringLiteral("t5"));
}

struct CasoLinha {
    const char* nome;
    const char* digitado;
    bool umaLinha;
    const char* mensagem; // nulo: cursor vai para a linha
    int linhaEsperada;
};

TEST_F(Pesquisa, IrAteALinha)
{
    const QString p20(20, QLatin1Char(' '));
    const QString p15(15, QLatin1Char(' '));
    const CasoLinha casos[] = {
        {"vazio", "", false, "Informe o número da linha!", -1},
        {"além do fim", "99", false, "Informe uma linha entre [1] e [18]", -1},
        {"documento de uma linha", "2", true, "Você somente poderá se deslocar para a linha 1.", -1},
        {"linha válida", "12", false, nullptr, 11},
        {"zero vai para a primeira", "0", false, nullptr, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        janela->documentos().btnNovoClick();
        EditorVendrilo* e = janela->filhaAtiva()->memEditor;
        if (c.umaLinha)
            e->setText(QStringLiteral("fim"));
        e->posicionaCursor(3, 0);
        dialogos.limpa();
        busca->dialogoLinha = [&](QString& t) { t = QString::fromLatin1(c.digitado); return true; };
        busca->actLinhaExecute();
        if (c.mensagem) {
            ASSERT_EQ(dialogos.textos().size(), 1);
            const QString m = dialogos.textos().first();
            const QString esperado = QString::fromUtf8(c.mensagem);
            EXPECT_TRUE(m == p20 + esperado + p20 || m == p15 + esperado + p15) << m.toStdString();
            EXPECT_EQ(e->linhaCursor(), c.umaLinha ? 0 : 3);
        } else {
            EXPECT_TRUE(dialogos.textos().isEmpty());
            EXPECT_EQ(e->linhaCursor(), c.linhaEsperada);
        }
    }
}

TEST_F(Pesquisa, CampoDaLinhaSoAceitaNumeros)
{
    TfrmLinha dlg;
    dlg.show();
    QTest::keyClicks(dlg.edtLinha, QStringLiteral("1a2"));
    EXPECT_EQ(dlg.edtLinha->text(), QStringLiteral("12"));
    ASSERT_EQ(dialogos.perguntas.size(), 1);
    EXPECT_EQ(dialogos.perguntas.first().texto, QStringLiteral("Use apenas números neste campo"));
    EXPECT_EQ(dialogos.perguntas.first().titulo, QStringLiteral("Atenção!"));
    QTest::keyClick(dlg.edtLinha, Qt::Key_Backspace);
    EXPECT_EQ(dlg.edtLinha->text(), QStringLiteral("1"));
}

struct CasoPosicao {
    const char* nome;
    QRect editor;
    QPoint achado;
    QPoint esperado; // canto do diálogo de 200 x 100
};

TEST_F(Pesquisa, ConfirmacaoFicaPertoDoAchadoSemCobri_lo)
{
    TConfirmReplaceDialog dlg;
    dlg.preparaPergunta(QStringLiteral("se"));
    EXPECT_EQ(dlg.lblConfirmation->text(), QStringLiteral("Substituir esta ocorrência do texto [\"se\"] ?"));
    dlg.setFixedSize(200, 100);
    const CasoPosicao casos[] = {
        {"no alto: abaixo da linha", QRect(0, 0, 600, 600), QPoint(50, 100), QPoint(50, 100 + 14 + 4)},
        {"embaixo: acima da linha", QRect(0, 0, 600, 600), QPoint(50, 500), QPoint(50, 500 - 100 - 4)},
        {"à direita: encosta na borda", QRect(0, 0, 600, 600), QPoint(550, 100), QPoint(599 - 200, 118)},
        {"editor estreito: centrado", QRect(0, 0, 150, 600), QPoint(10, 100), QPoint(-25, 118)},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        dlg.posiciona(c.editor, c.achado, 14);
        EXPECT_EQ(dlg.pos(), c.esperado);
    }
}

} // namespace
