// Janelas da lista de erros e da sintaxe, reais, na plataforma offscreen.

#include "partida_testes_qt.h"
#include "check/estrutura.h"
#include "dialogos_roteirizados.h"
#include "workspace/frm_erros_sintaxe.h"
#include "workspace/frm_sintaxe.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

namespace vendrilo {
namespace {

const QString kTitulo = QStringLiteral("Vendrilo de Algoritmos - Versão 2.4");

// Lista de um algoritmo com PARA sem ATE e FUNCAO sem FIM-FUNCAO.
ResultadoEstrutura ErrosDeExemplo()
{
    ContadoresTipos c{};
    c[Tipo::Inicio] = 1;
    c[Tipo::Fim] = 1;
    c[Tipo::Para] = 1;
    c[Tipo::De] = 1;
    c[Tipo::FacaPara] = 1;
    c[Tipo::FimPara] = 1;
    c[Tipo::Funcao] = 1;
    c[Tipo::InicioFuncao] = 1;
    return VerificaEstrutura(c);
}

// O que a janela de sintaxe mostrava quando abriu, e quantas vezes abriu.
struct Observado {
    int aberturas = 0;
    QString titulo;
    QStringList linhas;
    int bipesAoAbrir = 0;
};

// Fecha a janela modal que estiver aberta assim que ela aparecer, guardando
// o que mostrava; repete-se a cada abertura.
void ObservaSintaxe(TFrmSintaxe* sintaxe, Observado& obs, teste::DialogosRoteirizados& d)
{
    auto* relogio = new QTimer(sintaxe);
    relogio->setInterval(0);
    QObject::connect(relogio, &QTimer::timeout, sintaxe, [sintaxe, &obs, &d] {
        if (!sintaxe->isVisible())
            return;
        ++obs.aberturas;
        obs.titulo = sintaxe->windowTitle();
        obs.linhas = sintaxe->linhas();
        obs.bipesAoAbrir = d.bipes;
        QTest::mouseClick(sintaxe->Retornar(), Qt::LeftButton);
    });
    relogio->start();
}

QPoint CentroDaLinha(QListWidget* lista, int linha)
{
    return lista->visualItemRect(lista->item(linha)).center();
}

class JanelaErros : public ::testing::Test {
protected:
    teste::DialogosRoteirizados dialogos;
    TFrmErrosSintaxe janela{kTitulo};
    Observado obs;

    void SetUp() override
    {
        const ResultadoEstrutura r = ErrosDeExemplo();
        janela.defineErros(r.ErrosSintaxe, r.TipoErroLinha);
        janela.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
        ObservaSintaxe(janela.janelaSintaxe(), obs, dialogos);
        dialogos.limpa();
    }

    void clica(int linha)
    {
        QTest::mouseClick(janela.ErrosSintaxe()->viewport(), Qt::LeftButton, {},
                          CentroDaLinha(janela.ErrosSintaxe(), linha));
    }
};

TEST_F(JanelaErros, MostraAsLinhasDaVerificacaoComTitulo)
{
    EXPECT_EQ(janela.windowTitle(), kTitulo + " - Lista de Erros de Sintaxe");
    ASSERT_EQ(janela.ErrosSintaxe()->count(), 4);
    EXPECT_EQ(janela.ErrosSintaxe()->item(0)->text(),
              "O algoritmo não foi traduzido em função dos seguintes erros de sintaxe de comandos:");
    EXPECT_EQ(janela.ErrosSintaxe()->item(2)->text(),
              "   1. Existe algum comando PARA que não possui a expressão ATE ou ATE-DECRESCENDO.");
    EXPECT_EQ(janela.Button1()->text(), "&Retornar");
}

TEST_F(JanelaErros, CliqueNoCabecalhoOuNaLinhaEmBrancoPedeLinhaNumerada)
{
    for (int linha : {0, 1}) {
        dialogos.limpa();
        clica(linha);
        EXPECT_EQ(dialogos.bipes, 1) << linha;
        EXPECT_EQ(dialogos.textos(),
                  QStringList{"Atenção!!! Clique na linha numerada do erro para ver a sintaxe do comando."})
            << linha;
    }
    EXPECT_EQ(obs.aberturas, 0);
}

TEST_F(JanelaErros, CliqueAbaixoDasLinhasPedeLinhaNumerada)
{
    auto* vista = janela.ErrosSintaxe()->viewport();
    QTest::mouseClick(vista, Qt::LeftButton, {}, QPoint(20, vista->height() - 3));
    EXPECT_EQ(dialogos.textos().size(), 1);
    EXPECT_EQ(obs.aberturas, 0);
}

TEST_F(JanelaErros, CliqueNaMensagemAbreSuaPagina)
{
    clica(2); // PARA sem ATE → página 6
    ASSERT_EQ(obs.aberturas, 1);
    EXPECT_EQ(obs.titulo, kTitulo + " - Sintaxe de Comandos");
    ASSERT_EQ(obs.linhas.size(), 35);
    EXPECT_TRUE(obs.linhas[0].startsWith(
        "A Estrutura repetitiva controlada por incremento é representada pelo comando PARA."));
    // Um bipe do clique e outro da abertura da janela de sintaxe.
    EXPECT_EQ(obs.bipesAoAbrir, 2);
    EXPECT_TRUE(dialogos.textos().isEmpty());

    clica(3); // FUNCAO sem FIM-FUNCAO → página 10
    ASSERT_EQ(obs.aberturas, 2);
    EXPECT_TRUE(obs.linhas[0].startsWith("Função é um módulo"));
    for (const QString& linha : obs.linhas)
        EXPECT_EQ(linha.size(), 91);
    // Nada da página do PARA sobrou (a dele ia até a linha 23).
    EXPECT_EQ(obs.linhas[20].trimmed(), "");
    EXPECT_EQ(obs.linhas[14].trimmed(), "");
}

TEST_F(JanelaErros, EnterNaLinhaEscolhidaEquivaleAoClique)
{
    janela.ErrosSintaxe()->setFocus();
    janela.ErrosSintaxe()->setCurrentRow(3);
    QTest::keyClick(janela.ErrosSintaxe(), Qt::Key_Return);
    EXPECT_EQ(obs.aberturas, 1);
}

TEST_F(JanelaErros, RetornarEsvaziaAListaEOPainel)
{
    QSignalSpy painel(&janela, &TFrmErrosSintaxe::limpaPainelStatus3);
    QTest::mouseClick(janela.Button1(), Qt::LeftButton);
    EXPECT_FALSE(janela.isVisible());
    EXPECT_EQ(janela.ErrosSintaxe()->count(), 0);
    EXPECT_EQ(painel.count(), 1);
}

TEST_F(JanelaErros, FecharPeloSistemaEsvaziaAListaEOPainel)
{
    QSignalSpy painel(&janela, &TFrmErrosSintaxe::limpaPainelStatus3);
    janela.close();
    EXPECT_EQ(janela.ErrosSintaxe()->count(), 0);
    EXPECT_EQ(painel.count(), 1);

    // Reaberta depois de limpa, um clique não acha página velha.
    janela.show();
    dialogos.limpa();
    janela.SelecionaErro(2);
    EXPECT_EQ(obs.aberturas, 1);
    EXPECT_EQ(obs.linhas[0].trimmed(), "");
}

TEST(JanelaSintaxe, CadaLinhaDePaginaCabeNumaLinhaVisivel)
{
    teste::DialogosRoteirizados dialogos;
    TFrmSintaxe sintaxe(kTitulo);
    sintaxe.LimpaPagina();
    sintaxe.EscrevePagina(1); // a página de linhas mais longas
    EXPECT_EQ(sintaxe.windowTitle(), "Vendrilo - Sintaxe do Comando INICIO");
    sintaxe.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sintaxe));
    EXPECT_EQ(sintaxe.windowTitle(), kTitulo + " - Sintaxe de Comandos");
    EXPECT_EQ(dialogos.bipes, 1);

    QPlainTextEdit* memo = sintaxe.SintaxeEst();
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(memo->document()->blockCount(), 35);
    EXPECT_EQ(memo->horizontalScrollBar()->maximum(), 0) << "linha de 91 caracteres não coube";
    EXPECT_EQ(sintaxe.Retornar()->text(), "&Retornar");

    QTest::mouseClick(sintaxe.Retornar(), Qt::LeftButton);
    EXPECT_FALSE(sintaxe.isVisible());
}

} // namespace
} // namespace vendrilo

int main(int argc, char** argv)
{
    return vendrilo::teste::RodaTestesQt(argc, argv);
}
