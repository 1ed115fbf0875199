// A janela de envio sem enviar: estado inicial, filtro do RA, Novo, Anexar,
// ajuda, ativação e a ligação com a janela principal.
#include "apoio_janela.h"

#include "comm/email/frm_help_mail.h"
#include <QFile>

#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

using namespace vendrilo;
using namespace vendrilo::teste;

QStringList itens(QComboBox* c)
{
    QStringList r;
    for (int i = 0; i < c->count(); ++i)
        r << c->itemText(i);
    return r;
}

// Roda `acao` assim que a próxima janela modal abrir e depois a fecha.
void naProximaModal(std::function<void(QWidget*)> acao)
{
    QTimer::singleShot(0, [acao] {
        QWidget* modal = QApplication::activeModalWidget();
        EXPECT_NE(modal, nullptr);
        if (!modal)
            return;
        acao(modal);
        if (modal->isVisible())
            modal->close();
    });
}

TEST(JanelaEnvioSemServidor, legendaAntesDaPrimeiraAtivacao)
{
    TfrmEnvio janela(QStringLiteral("/nao/existe"));
    EXPECT_EQ(janela.windowTitle(), QStringLiteral("Envio de Algoritmos"));
}

TEST_F(JanelaEnvioTeste, estadoInicialDosCampos)
{
    EXPECT_EQ(janela_->windowTitle(), kTitulo + QStringLiteral(" - Envio de Algorimos"));
    EXPECT_EQ(itens(combo("CBcurso")),
              (QStringList{QStringLiteral("Sistemas de Informação"), QStringLiteral("Engenharia da Computação"),
                           QStringLiteral("Licenciatura Plena em Matemática"), QStringLiteral("Outros")}));
    EXPECT_EQ(combo("CBcurso")->currentText(), QStringLiteral("Sistemas de Informação"));
    EXPECT_EQ(combo("CBcurso")->currentIndex(), -1);
    EXPECT_EQ(itens(combo("CBPara")), (QStringList{QStringLiteral("Prof. Teste"), QStringLiteral("Equipe Vendrilo Teste")}));
    EXPECT_EQ(combo("CBPara")->currentIndex(), -1);
    EXPECT_TRUE(combo("CBPara")->currentText().isEmpty());
    EXPECT_EQ(linha("edtAssunto")->text(), QStringLiteral("ALG - "));
    EXPECT_EQ(linha("edtRA")->maxLength(), 8);
    for (const char* nome : {"edtAluno", "edtRA", "edtRemetente", "edtCC"})
        EXPECT_TRUE(linha(nome)->text().isEmpty()) << nome;
    EXPECT_EQ(anexos()->count(), 0);
    EXPECT_EQ(mensagem()->font().family(), QStringLiteral("Verdana"));
    EXPECT_EQ(mensagem()->font().pointSize(), 10);
    for (const char* nome : {"BtnNovo", "BtnEnviar", "BtnAnexar", "BtnAjuda", "BtnSair"}) {
        auto* a = janela_->findChild<QAction*>(QString::fromLatin1(nome));
        ASSERT_NE(a, nullptr) << nome;
        EXPECT_FALSE(a->icon().isNull()) << nome;
        EXPECT_TRUE(a->icon().availableSizes().contains(QSize(40, 35))) << nome;
    }
}

TEST_F(JanelaEnvioTeste, textoDoCurso)
{
    struct Caso {
        const char* nome;
        std::function<void()> passo;
        QString curso;
    };
    const Caso casos[] = {
        {"nada escolhido", [] {}, QStringLiteral("Sistemas de Informação")},
        {"item escolhido", [this] { escolhe("CBcurso", 1); }, QStringLiteral("Engenharia da Computação")},
        {"texto próprio digitado", [this] { digita("CBcurso", QStringLiteral(" e Redes")); },
         QStringLiteral("Sistemas de Informação")},
        {"escolhe de novo", [this] { escolhe("CBcurso", 2); }, QStringLiteral("Licenciatura Plena em Matemática")},
    };
    for (const Caso& c : casos) {
        c.passo();
        EXPECT_EQ(janela_->textoCurso(), c.curso) << c.nome;
    }
    // O texto digitado continua na caixa, mas não é curso da lista.
    digita("CBcurso", QStringLiteral("x"));
    EXPECT_EQ(combo("CBcurso")->currentText(), QStringLiteral("Licenciatura Plena em Matemáticax"));
    EXPECT_EQ(janela_->textoCurso(), QStringLiteral("Sistemas de Informação"));
}

TEST(FiltroRA, caracteresPermitidos)
{
    struct Caso {
        char32_t c;
        bool passa;
    };
    const Caso casos[] = {{U'0', true}, {U'9', true}, {U'x', true}, {3, true},      {8, true},
                          {9, true},    {13, true},   {22, true},   {27, true},     {U'X', false},
                          {U'a', false}, {U' ', false}, {U'-', false}, {1, false},  {24, false},
                          {127, false}, {0xE7, false}, {0x80, false}, {0x1F600, false}};
    for (const Caso& c : casos)
        EXPECT_EQ(CaractereRAPermitido(c.c), c.passa) << static_cast<unsigned>(c.c);
}

TEST_F(JanelaEnvioTeste, teclasDoRA)
{
    digita("edtRA", QStringLiteral("12a"));
    EXPECT_EQ(linha("edtRA")->text(), QStringLiteral("12"));
    ASSERT_EQ(dialogos_.perguntas.size(), 1);
    EXPECT_EQ(dialogos_.perguntas[0].texto, QStringLiteral("Use apenas números neste campo"));
    EXPECT_EQ(dialogos_.perguntas[0].titulo, QStringLiteral("Atenção!"));
    EXPECT_EQ(dialogos_.perguntas[0].flags & 0xF0, static_cast<unsigned>(Caixa::IconeInformacao));

    dialogos_.limpa();
    digita("edtRA", QStringLiteral("ç3x9876543"));
    EXPECT_EQ(linha("edtRA")->text(), QStringLiteral("123x9876")); // no máximo 8
    EXPECT_EQ(dialogos_.textos().size(), 1);
    QTest::keyClick(linha("edtRA"), Qt::Key_Backspace);
    EXPECT_EQ(linha("edtRA")->text(), QStringLiteral("123x987"));
    EXPECT_EQ(dialogos_.textos().size(), 1);
}

TEST_F(JanelaEnvioTeste, novoPerguntaELimpaOQueDeve)
{
    preencheValido();
    digita("edtCC", QStringLiteral("colega@aluno.br"));
    escolhe("CBcurso", 3);
    dialogos_.respostasArquivos.enqueue({QStringLiteral("/tmp/a.alg")});
    aciona("BtnAnexar");
    mensagem()->setPlainText(QStringLiteral("rascunho"));
    linha("edtAssunto")->setText(QStringLiteral("ALG - lista 2"));
    dialogos_.limpa();

    dialogos_.respostasCaixa.enqueue(Caixa::RespCancelar);
    aciona("BtnNovo");
    ASSERT_EQ(dialogos_.perguntas.size(), 1);
    EXPECT_EQ(dialogos_.perguntas[0].texto, QStringLiteral("Tem certeza que deseja criar um novo envio?"));
    EXPECT_EQ(dialogos_.perguntas[0].titulo, QStringLiteral("Novo envio"));
    EXPECT_EQ(dialogos_.perguntas[0].flags, static_cast<unsigned>(Caixa::OkCancelar | Caixa::IconePergunta));
    EXPECT_EQ(linha("edtAluno")->text(), QStringLiteral("José da Silva")) << "Cancelar não muda nada";
    EXPECT_EQ(anexos()->count(), 1);

    dialogos_.respostasCaixa.enqueue(Caixa::RespOk);
    aciona("BtnNovo");
    for (const char* nome : {"edtAluno", "edtCC", "edtRA"}) {
        EXPECT_TRUE(linha(nome)->text().isEmpty()) << nome;
        EXPECT_FALSE(linha(nome)->isModified()) << nome;
    }
    EXPECT_EQ(anexos()->count(), 0);
    EXPECT_TRUE(mensagem()->toPlainText().isEmpty());
    EXPECT_EQ(combo("CBPara")->currentIndex(), -1);
    EXPECT_EQ(combo("CBcurso")->currentIndex(), 0);
    EXPECT_EQ(janela_->textoCurso(), QStringLiteral("Sistemas de Informação"));
    // Ficam: remetente (ainda "preenchido") e assunto.
    EXPECT_EQ(linha("edtRemetente")->text(), QStringLiteral("jose@aluno.br"));
    EXPECT_TRUE(linha("edtRemetente")->isModified());
    EXPECT_EQ(linha("edtAssunto")->text(), QStringLiteral("ALG - lista 2"));
    EXPECT_TRUE(linha("edtAluno")->hasFocus());
}

TEST_F(JanelaEnvioTeste, anexarAcrescentaComRepetidos)
{
    dialogos_.respostasArquivos.enqueue({QStringLiteral("/p/um.alg"), QStringLiteral("/p/dois.zip")});
    dialogos_.respostasArquivos.enqueue({QStringLiteral("/p/um.alg")});
    dialogos_.respostasArquivos.enqueue({}); // cancelado
    for (int i = 0; i < 3; ++i)
        aciona("BtnAnexar");
    ASSERT_EQ(dialogos_.perguntas.size(), 3);
    EXPECT_EQ(dialogos_.perguntas[0].tipo, QStringLiteral("abreVarios"));
    EXPECT_EQ(dialogos_.perguntas[0].pasta, pasta_.path());
    EXPECT_TRUE(dialogos_.perguntas[0].titulo.startsWith(QStringLiteral("Algoritmo e Zip (")));
    EXPECT_TRUE(dialogos_.perguntas[0].titulo.contains(QStringLiteral("*.alg")));
    EXPECT_TRUE(dialogos_.perguntas[0].titulo.contains(QStringLiteral("*.zip")));
    QStringList lista;
    for (int i = 0; i < anexos()->count(); ++i)
        lista << anexos()->item(i)->text();
    EXPECT_EQ(lista, (QStringList{QStringLiteral("/p/um.alg"), QStringLiteral("/p/dois.zip"), QStringLiteral("/p/um.alg")}));
}

TEST_F(JanelaEnvioTeste, ajudaComTextosExatosEVoltaLimpaAMensagem)
{
    mensagem()->setPlainText(QStringLiteral("mensagem digitada antes da ajuda"));
    bool viu = false;
    naProximaModal([&](QWidget* modal) {
        auto* ajuda = qobject_cast<TFrmHelpMail*>(modal);
        ASSERT_NE(ajuda, nullptr);
        viu = true;
        EXPECT_EQ(ajuda->windowTitle(), kTitulo + QStringLiteral(" - Como utilizar o Envio de Algoritmos"));
        EXPECT_EQ(ajuda->minimumSize(), ajuda->maximumSize()) << "janela fixa";
        EXPECT_EQ(ajuda->findChild<QLabel*>(QStringLiteral("lblTitulo"))->text(),
                  QStringLiteral("Como utilizar o Envio de Algoritmos:"));
        auto texto = [&](const char* nome) {
            return ajuda->findChild<QPlainTextEdit*>(QString::fromLatin1(nome))->toPlainText().split(QLatin1Char('\n'));
        };
        EXPECT_EQ(texto("mmCampos"),
                  (QStringList{"CAMPOS:", "ALUNO: Digite o seu nome;", "RA: Digite seu registro da universidade;",
                               "E-MAIL: Digite o seu e-mail;", "CURSO: Selecione o seu curso;",
                               "PARA: Selecione o destino;",
                               "CÓPIA PARA: Envia uma cópia do e-mail para o(s) destino(s) que ", "você escolher;",
                               "ALGORITMO: Mostra todos os algortimos que foram anexados;",
                               "ASSUNTO: Complete com o assunto do e-mail;",
                               "MENSAGEM: Digite alguma mensagem caso preciso."}));
        EXPECT_EQ(texto("mmBotoes"),
                  (QStringList{"BOTÕES:", "NOVO: Cria um novo envio;",
                               "ENVIAR: Envia o e-mail após todos os campos preenchidos;",
                               "ANEXAR: Anexa algoritmos (*.alg) e arquivos compactados (*.zip);",
                               "AJUDA: Abre esta ajuda;", "SAIR: Volta para o Vendrilo."}));
        EXPECT_EQ(ajuda->findChild<QGroupBox*>(QStringLiteral("gbAviso"))->title(), QStringLiteral("Aviso: "));
        const QStringList aviso = texto("mmAviso");
        ASSERT_EQ(aviso.size(), 8);
        EXPECT_EQ(aviso[0], QStringLiteral("O objetivo deste Envio de Algoritmos é a padronização e facilidade "));
        EXPECT_EQ(aviso[1], QStringLiteral("ao enviar um algoritmo ou e-mail para o professor do curso."));
        EXPECT_EQ(aviso[2], QString());
        EXPECT_EQ(aviso[3], QStringLiteral("OBS: Caso você utilize algum software de controle de tráfico, como "));
        EXPECT_EQ(aviso[4], QStringLiteral("Firewall por exemplo, este software poderá ter problemas no envio "));
        EXPECT_EQ(aviso[5], QStringLiteral("do E-mail. "));
        EXPECT_TRUE(aviso[6].contains(QStringLiteral("Equipe Vendrilo Teste")));
        EXPECT_EQ(aviso[7], QStringLiteral("(equipe@vendrilo.br)."));

        // Um clique nos textos devolve o foco ao OK.
        auto* ok = ajuda->findChild<QPushButton*>(QStringLiteral("btnOK"));
        auto* campos = ajuda->findChild<QPlainTextEdit*>(QStringLiteral("mmCampos"));
        QApplication::setActiveWindow(ajuda);
        EXPECT_TRUE(QTest::qWaitForWindowActive(ajuda));
        campos->setFocus(); // mesmo com o foco levado ao texto, ele volta ao OK
        EXPECT_TRUE(ok->hasFocus());
        QTest::mouseClick(campos->viewport(), Qt::LeftButton);
        EXPECT_TRUE(ok->hasFocus());
        EXPECT_EQ(QApplication::focusWidget(), ok);
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_FALSE(ajuda->isVisible()) << "OK fecha a ajuda";
    });
    aciona("BtnAjuda");
    EXPECT_TRUE(viu);
    EXPECT_TRUE(mensagem()->toPlainText().isEmpty()) << "a volta da ajuda reativa a janela";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "cursor normal de volta";
}

TEST_F(JanelaEnvioTeste, ajudaSemEmailIniMostraOContatoDaEquipe)
{
    ASSERT_TRUE(QFile::remove(pasta_.filePath(QStringLiteral("email.ini"))));
    QStringList aviso;
    naProximaModal([&](QWidget* modal) {
        if (auto* t = modal->findChild<QPlainTextEdit*>(QStringLiteral("mmAviso")))
            aviso = t->toPlainText().split(QLatin1Char('\n'));
        modal->close();
    });
    aciona("BtnAjuda");
    ASSERT_EQ(aviso.size(), 8);
    EXPECT_TRUE(aviso[6].contains(QStringLiteral("Equipe do Vendrilo")));
    EXPECT_EQ(aviso[7], QStringLiteral("(contato@vendrilo.org)."));
}

TEST_F(JanelaEnvioTeste, escNaoFechaAJanelaNemPerdeAMensagem)
{
    mensagem()->setPlainText(QStringLiteral("texto longo"));
    mensagem()->setFocus();
    QTest::keyClick(mensagem(), Qt::Key_Escape);
    EXPECT_TRUE(janela_->isVisible());
    EXPECT_EQ(mensagem()->toPlainText(), QStringLiteral("texto longo"));
}

TEST_F(JanelaEnvioTeste, reabrirGuardaOsCamposEApagaSoAMensagem)
{
    preencheValido();
    dialogos_.respostasArquivos.enqueue({QStringLiteral("/p/um.alg")});
    aciona("BtnAnexar");
    mensagem()->setPlainText(QStringLiteral("texto"));
    aciona("BtnSair");
    EXPECT_FALSE(janela_->isVisible());
    janela_->show();
    EXPECT_TRUE(mensagem()->toPlainText().isEmpty());
    EXPECT_EQ(linha("edtAluno")->text(), QStringLiteral("José da Silva"));
    EXPECT_TRUE(linha("edtAluno")->isModified());
    EXPECT_EQ(combo("CBPara")->currentIndex(), 0);
    EXPECT_EQ(anexos()->count(), 1);
}

TEST(LigaEnvioEmail, acaoDoMenuEBotaoAbremAJanelaUmaVezCada)
{
    DialogosRoteirizados d;
    TfrmEnvio envio(QStringLiteral("/nao/existe"));
    QMainWindow principal;
    auto* menu = new QAction(QStringLiteral("Envio de Algoritmos"), &principal);
    menu->setObjectName(QStringLiteral("EnviodeAlgoritmos1"));
    principal.addAction(menu);
    auto* mesmo = new QToolButton(&principal);
    mesmo->setObjectName(QStringLiteral("ToolButton3"));
    mesmo->setDefaultAction(menu);
    EXPECT_EQ(LigaEnvioEmail(&principal, &envio), 1) << "o botão já dispara a ação do menu";

    int aberturas = 0;
    auto conta = [&] {
        naProximaModal([&](QWidget* modal) {
            EXPECT_EQ(modal, &envio);
            ++aberturas;
        });
    };
    conta();
    QTest::mouseClick(mesmo, Qt::LeftButton);
    EXPECT_EQ(aberturas, 1);
    EXPECT_EQ(envio.windowTitle(), kTitulo + QStringLiteral(" - Envio de Algorimos"));

    QMainWindow outra;
    auto* acao = new QAction(&outra);
    acao->setObjectName(QStringLiteral("EnviodeAlgoritmos1"));
    auto* botao = new QToolButton(&outra); // botão solto, sem ação
    botao->setObjectName(QStringLiteral("ToolButton3"));
    EXPECT_EQ(LigaEnvioEmail(&outra, &envio), 2);
    conta();
    QTest::mouseClick(botao, Qt::LeftButton);
    conta();
    acao->trigger();
    EXPECT_EQ(aberturas, 3);
    EXPECT_EQ(LigaEnvioEmail(nullptr, &envio), 0);

    // Barra com ação própria, cujo botão leva o mesmo nome: só a ação é ligada.
    QMainWindow terceira;
    auto* doMenu = new QAction(&terceira);
    doMenu->setObjectName(QStringLiteral("EnviodeAlgoritmos1"));
    auto* barra = terceira.addToolBar(QStringLiteral("BarraBtn"));
    QAction* daBarra = barra->addAction(QStringLiteral("@"));
    daBarra->setObjectName(QStringLiteral("ToolButton3"));
    barra->widgetForAction(daBarra)->setObjectName(QStringLiteral("ToolButton3"));
    EXPECT_EQ(LigaEnvioEmail(&terceira, &envio), 2);
    conta();
    QTest::mouseClick(barra->widgetForAction(daBarra), Qt::LeftButton);
    EXPECT_EQ(aberturas, 4);
}

TEST(JanelaEnvioSemServidor, pastaDoProgramaPorOmissao)
{
    qputenv("VENDRILO_PASTA", "/tmp/pasta-do-envio");
    TfrmEnvio janela;
    EXPECT_EQ(janela.pastaPrograma(), QStringLiteral("/tmp/pasta-do-envio"));
    qunsetenv("VENDRILO_PASTA");
}

} // namespace
