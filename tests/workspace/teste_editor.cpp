// Editor e janela de documento: complementação, painel de erro, teclas,
// barra de estado e precedência dos atalhos da janela principal.

#include "dialogos_roteirizados.h"
#include "workspace/documentos.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/lista_comandos.h"
#include "workspace/lista_complecao.h"
#include "workspace/principal.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace vendrilo;
using vendrilo::teste::DialogosRoteirizados;

namespace {

class Editor : public ::testing::Test {
protected:
    void SetUp() override
    {
        janela = new TfrmPrincipal();
        janela->show();
        QApplication::setActiveWindow(janela);
        ASSERT_TRUE(QTest::qWaitForWindowActive(janela));
        filha = janela->filhaAtiva();
        ed = filha->memEditor;
        ed->setFocus();
    }
    void TearDown() override
    {
        for (TFrmFilha* f : janela->filhas())
            f->memEditor->setModified(false);
        janela->close();
        delete janela;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Cursor numa linha vazia nova no fim do texto.
    void linhaNova()
    {
        ed->posicionaCursor(ed->numeroLinhas() - 1, 0);
        ed->setText(ed->text() + QStringLiteral("\n"));
        ed->posicionaCursor(ed->numeroLinhas() - 1, 0);
    }

    DialogosRoteirizados dialogos;
    TfrmPrincipal* janela = nullptr;
    TFrmFilha* filha = nullptr;
    EditorVendrilo* ed = nullptr;
};

TEST_F(Editor, CtrlEspacoAbreAListaFiltradaEInsereOSe)
{
    // Na margem e recuado: as linhas de dentro partem da coluna do "se".
    for (const QString& recuo : {QString(), QStringLiteral("   ")}) {
        SCOPED_TRACE(recuo.size());
        linhaNova();
        QTest::keyClicks(ed, recuo + QStringLiteral("se"));
        QTest::keyClick(ed, Qt::Key_Space, Qt::ControlModifier);
        ListaComplecao* lista = ed->complecao();
        ASSERT_TRUE(lista->isVisible());
        const auto comandos = ListaComandos();
        for (int i : lista->visiveis())
            EXPECT_TRUE(QString::fromUtf8(comandos[i].exibicao).startsWith(QStringLiteral("SE")));
        // SELECIONE vem antes na lista, mas a palavra exata é a marcada.
        ASSERT_FALSE(lista->visiveis().isEmpty());
        EXPECT_EQ(lista->visiveis().first(), 3);
        EXPECT_EQ(lista->visiveis().value(lista->linhaAtual()), 4);
        QTest::keyClick(ed, Qt::Key_Return);
        EXPECT_FALSE(lista->isVisible());
        const QStringList linhas = ed->linhas();
        const int n = int(linhas.size());
        ASSERT_GE(n, 5);
        EXPECT_EQ(linhas.mid(n - 5), QStringList({recuo + QStringLiteral("se <CONDICAO> entao"), recuo,
                                                  recuo + QStringLiteral("    senao"), recuo,
                                                  recuo + QStringLiteral("    fim-se")}));
    }
}

TEST_F(Editor, PontoAbreAListaDepoisDeUmSegundo)
{
    linhaNova();
    QTest::keyClicks(ed, QStringLiteral("x."));
    EXPECT_FALSE(ed->complecao()->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ed->complecao()->isVisible(); }, 5000));
    // Depois do ponto não há palavra: a lista inteira.
    EXPECT_EQ(ed->complecao()->visiveis().size(), 210);
    QTest::keyClick(ed, Qt::Key_Escape);
    EXPECT_FALSE(ed->complecao()->isVisible());
}

TEST_F(Editor, DigitarComAListaAbertaRefazOFiltro)
{
    linhaNova();
    QTest::keyClick(ed, Qt::Key_Space, Qt::ControlModifier);
    ASSERT_EQ(ed->complecao()->visiveis().size(), 210);
    QTest::keyClicks(ed, QStringLiteral("fim-l"));
    ASSERT_TRUE(ed->complecao()->isVisible());
    EXPECT_EQ(ed->complecao()->visiveis(), QList<int>({96, 141}));
    QTest::keyClick(ed, Qt::Key_Tab);
    EXPECT_EQ(ed->linhas().last(), QStringLiteral("fim-linha"));
}

TEST_F(Editor, PainelDeErroLevaAoErroESomeAoEditar)
{
    EXPECT_TRUE(filha->grbErro->isHidden());
    EXPECT_EQ(filha->memErro->toPlainText(), QStringLiteral("Erro linha 0\nErro linha 1\nErro linha 2"));
    janela->LinhaErro = 8; // "inicio", na nona linha
    janela->ColunaErro = 2;
    filha->mostraErro(QStringLiteral(" Atenção!!! Erro detectado na linha [9] !!! "),
                      {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    EXPECT_FALSE(filha->grbErro->isHidden());
    QTest::mouseClick(filha->memErro->viewport(), Qt::LeftButton);
    EXPECT_EQ(ed->linhaCursor(), 8);
    EXPECT_EQ(ed->selectedText(), QStringLiteral("inicio"));
    EXPECT_TRUE(ed->hasFocus());
    QTest::keyClicks(ed, QStringLiteral("x"));
    EXPECT_TRUE(filha->grbErro->isHidden());
}

TEST_F(Editor, EspacosDoFimSaemQuandoOCursorDeixaALinhaEditada)
{
    ed->posicionaCursor(9, 3); // "   " da linha 10
    QTest::keyClicks(ed, QStringLiteral("x <- 1   "));
    EXPECT_EQ(ed->linhas().at(9), QStringLiteral("   x <- 1   "));
    QTest::keyClick(ed, Qt::Key_Down);
    EXPECT_EQ(ed->linhas().at(9), QStringLiteral("   x <- 1"));
    // Linha não editada guarda seus espaços.
    EXPECT_EQ(ed->linhas().at(17), QStringLiteral("fim") + QString(21, QLatin1Char(' ')));
}

TEST_F(Editor, CursorNaoPassaDoFimDaLinha)
{
    ed->setText(QStringLiteral("abc\nde"));
    ed->posicionaCursor(0, 10);
    EXPECT_EQ(ed->colunaExibida(), 4);
    QTest::keyClick(ed, Qt::Key_End);
    QTest::keyClick(ed, Qt::Key_Right); // vai ao começo da linha seguinte
    QTest::keyClicks(ed, QStringLiteral("x"));
    EXPECT_EQ(ed->text(), QStringLiteral("abc\nxde"));
    ed->posicionaCursor(0, 3);
    QTest::mouseClick(ed->viewport(), Qt::LeftButton, {}, QPoint(ed->viewport()->width() - 5, 5));
    QTest::keyClicks(ed, QStringLiteral("y"));
    EXPECT_EQ(ed->linhas().at(0), QStringLiteral("abcy"));
}

TEST_F(Editor, TabelaDeTeclas)
{
    struct Caso {
        const char* nome;
        std::function<void()> faz;
        std::function<bool()> confere;
    };
    const Caso casos[] = {
        {"Ctrl+Y apaga a linha", [&] { ed->posicionaCursor(8, 0); QTest::keyClick(ed, Qt::Key_Y, Qt::ControlModifier); },
         [&] { return ed->linhas().at(8) == QStringLiteral("   ") && ed->numeroLinhas() == 17; }},
        {"Shift+Ctrl+Y apaga até o fim", [&] { ed->posicionaCursor(5, 3); QTest::keyClick(ed, Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier); },
         [&] { return ed->linhas().at(5) == QStringLiteral("{De"); }},
        {"Ctrl+T apaga a palavra", [&] { ed->posicionaCursor(8, 0); QTest::keyClick(ed, Qt::Key_T, Qt::ControlModifier); },
         [&] { return !ed->linhas().at(8).startsWith(QStringLiteral("inicio")); }},
        {"Tab insere espaços (largura 3)", [&] { ed->posicionaCursor(4, 0); QTest::keyClick(ed, Qt::Key_Tab); },
         [&] { return ed->linhas().at(4) == QStringLiteral("   "); }},
        {"Shift+Ctrl+I recua o bloco", [&] { ed->posicionaCursor(8, 0); QTest::keyClick(ed, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier); },
         [&] { return ed->linhas().at(8) == QStringLiteral("   inicio"); }},
        {"marcador 3: grava e volta", [&] {
             ed->posicionaCursor(13, 4);
             QTest::keyClick(ed, Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
             ed->posicionaCursor(0, 0);
             QTest::keyClick(ed, Qt::Key_3, Qt::ControlModifier); },
         [&] { return ed->linhaCursor() == 13 && ed->linhaDoMarcador(3) == 13; }},
        {"Ctrl+Z desfaz pelo menu", [&] { ed->posicionaCursor(8, 6); QTest::keyClicks(ed, QStringLiteral("zz")); QTest::keyClick(ed, Qt::Key_Z, Qt::ControlModifier); },
         [&] { return ed->linhas().at(8) == QStringLiteral("inicio"); }},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        janela->documentos().btnNovoClick();
        ed = janela->filhaAtiva()->memEditor;
        ed->setFocus();
        c.faz();
        EXPECT_TRUE(c.confere()) << ed->linhas().join(QLatin1Char('|')).toStdString();
    }
}

TEST_F(Editor, AtalhoDaJanelaPrincipalVenceOEditor)
{
    // Ctrl+N é Novo, não "inserir linha".
    const int antes = int(janela->filhas().size());
    QTest::keyClick(ed, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(janela->filhas().size(), antes + 1);
    // Ctrl+T sem impressão ligada fica com o editor (apagar palavra).
    EXPECT_FALSE(janela->acao(QStringLiteral("ComVendrilo1"))->isVisible());
}

TEST_F(Editor, BarraDeEstadoAcompanhaOCursor)
{
    ed->posicionaCursor(4, 0);
    QTest::keyClick(ed, Qt::Key_Tab);
    EXPECT_EQ(janela->textoStatus(3), QStringLiteral("Lin: 5  Col: 4"));
    EXPECT_EQ(janela->textoStatus(0), QStringLiteral("18"));
    // Coluna da tela conta a tabulação expandida (largura 3): 28 caracteres,
    // TAB até a coluna 30, "}" e o cursor na 32.
    ed->posicionaCursor(0, 0);
    QTest::keyClick(ed, Qt::Key_End);
    EXPECT_EQ(janela->textoStatus(3), QStringLiteral("Lin: 1  Col: 32"));
    // Seleção liga Copiar e Recortar ao soltar a tecla.
    QTest::keyClick(ed, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_TRUE(janela->acao(QStringLiteral("btnCopiar"))->isEnabled());
    EXPECT_TRUE(janela->acao(QStringLiteral("btnRecortar"))->isEnabled());
    janela->acao(QStringLiteral("btnCopiar"))->trigger();
    EXPECT_TRUE(janela->acao(QStringLiteral("btnColar"))->isEnabled());
}

} // namespace
