// A janela de atualização de ponta a ponta: servidor HTTP real, diálogos
// roteirizados e um atualizador de mentira que deixa um sinal ao rodar.

#include "comm/atualizacao/frm_atualizar.h"
#include "comm/atualizacao/http_get.h"
#include "dialogos_roteirizados.h"
#include "servidores.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QCloseEvent>
#include <QLabel>
#include <QMainWindow>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/conexao.h"

#include <gtest/gtest.h>

#include <ostream>

#include <climits>

namespace vendrilo {
namespace {

using teste::DialogosRoteirizados;
using teste::EsperaAte;
using teste::ProcessaPor;
using teste::ServidorHTTP;

const QString kVerificando = QStringLiteral(">>> Verificando se há nova versão do Vendrilo");
const QString kPublico = QStringLiteral("ftp/Vendrilo de Algoritmos/Public/");

void grava(const QString& caminho, const QByteArray& dados)
{
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(dados);
}

QByteArray conteudoDe(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray iniDeVersao(const char* versao)
{
    return versao ? QByteArray("[Versao]\r\nVendrilo=") + versao + "\r\n" : QByteArray("[Versao]\r\n");
}

QStringList linhas(const QListWidget* lista)
{
    QStringList l;
    for (int i = 0; i < lista->count(); ++i)
        l << lista->item(i)->text();
    return l;
}

class JanelaAtualizar : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pasta.isValid());
        ASSERT_TRUE(site.isValid());
        update = pasta.filePath("Update");
        QDir().mkpath(update);
    }

    void instala(const char* versao)
    {
        if (versao)
            grava(update + "/versao.ini", iniDeVersao(versao));
    }

    void publica(const char* versao, const QByteArray& pacote = "PK pacote de teste",
                 const QString& modoPacote = "normal")
    {
        grava(site.filePath(kPublico + "update.ini"), iniDeVersao(versao));
        grava(site.filePath(kPublico + "Vendrilo.zip"), pacote);
        grava(site.filePath(kPublico + "Vendrilo.zip.modo"), modoPacote.toUtf8());
        grava(site.filePath(kPublico + "Vendrilo.zip.sig"), assinatura);
    }

    void apontaPara(const ServidorHTTP& s)
    {
        grava(update + "/site.ini", "[Site]\r\nHost=" + s.host().toUtf8() + "\r\n");
    }

    // Um atualizador que só anota o argumento recebido.
    void atualizadorDeMentira()
    {
        const QString script = update + "/atualizar";
        grava(script, "#!/bin/sh\nprintf '%s' \"$1\" > \"$1/Update/iniciado.txt\"\n");
        QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);
    }

    std::unique_ptr<TFrmAtualizar> janela()
    {
        auto j = std::make_unique<TFrmAtualizar>(pasta.path());
        j->encerraAplicacao = [this] {
            ++pedidosDeFim;
            return deixaEncerrar;
        };
        j->HTTPGetINI->setTempoLeitura(5);
        j->HTTPGetZIP->setTempoLeitura(5);
        j->HTTPGetSIG->setTempoLeitura(5);
        j->show();
        return j;
    }

    QTemporaryDir pasta;
    QTemporaryDir site;
    QString update;
    DialogosRoteirizados dialogos;
    int pedidosDeFim = 0;
    bool deixaEncerrar = true;
    QByteArray assinatura = QByteArray(64, 's');
};

TEST_F(JanelaAtualizar, LegendaBotoesERotulos)
{
    auto j = janela();
    EXPECT_EQ(j->windowTitle(), QCoreApplication::applicationName() + " - Atualização");
    EXPECT_EQ(j->BtnVerificar->text(), "Verificar\nAtualizações");
    EXPECT_EQ(j->BtnSair->text(), "&Sair");
    QStringList rotulos;
    for (const QLabel* l : j->findChildren<QLabel*>())
        rotulos << l->text();
    EXPECT_TRUE(rotulos.contains("Auto-Update para o Vendrilo de Algoritmos:"));
    EXPECT_TRUE(rotulos.contains("Progresso da atualização:"));
    j->BtnSair->click();
    EXPECT_EQ(j->result(), QDialog::Rejected);
    EXPECT_FALSE(j->isVisible());
}

struct CasoVersao {
    const char* nome;
    const char* instalada; // nullptr: sem versao.ini
    const char* publicada; // nullptr: update.ini sem a chave
    bool oferece;
};

void PrintTo(const CasoVersao& c, std::ostream* os) { *os << c.nome; }

class ComparacaoDeVersoes : public JanelaAtualizar, public ::testing::WithParamInterface<CasoVersao> {};

TEST_P(ComparacaoDeVersoes, OfereceSoQuandoOsTextosDiferem)
{
    const CasoVersao c = GetParam();
    instala(c.instalada);
    publica(c.publicada);
    auto servidor = ServidorHTTP::estatico(site.path());
    ASSERT_TRUE(servidor);
    apontaPara(*servidor);
    dialogos.respostasCaixa.enqueue(Caixa::RespNao);

    auto j = janela();
    j->BtnVerificar->click();
    ASSERT_TRUE(EsperaAte([&] { return !dialogos.perguntas.isEmpty(); }));
    ProcessaPor(200);

    ASSERT_EQ(dialogos.perguntas.size(), 1);
    const auto& p = dialogos.perguntas.first();
    EXPECT_EQ(j->ProgressBar->value(), 0);
    EXPECT_TRUE(j->BtnVerificar->isEnabled());
    EXPECT_FALSE(QFile::exists(update + "/Vendrilo.zip")); // nada baixado sem o Sim
    if (c.oferece) {
        EXPECT_EQ(p.texto, "Há uma nova versão do Vendrilo disponível. Deseja atualizar agora?");
        EXPECT_EQ(p.titulo, "Nova versao do Vendrilo");
        EXPECT_EQ(p.flags, unsigned(Caixa::SimNao | Caixa::IconePergunta));
        EXPECT_EQ(linhas(j->LBStatus), QStringList({kVerificando, " "}));
    } else {
        EXPECT_EQ(p.texto, "Não há nenhuma atualização no momento");
        EXPECT_EQ(p.titulo, "Nenhuma atualização disponível");
        EXPECT_EQ(p.flags, unsigned(Caixa::IconeInformacao));
        EXPECT_EQ(linhas(j->LBStatus),
                  QStringList({kVerificando, " ", ">>> Nenhuma atualização disponível"}));
    }
    EXPECT_EQ(pedidosDeFim, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ComparacaoDeVersoes,
    ::testing::Values(CasoVersao{"mesma_versao_nenhuma", "2.4", "2.4", false},
                      CasoVersao{"publicada_anterior_oferece", "2.4", "2.3", true},
                      CasoVersao{"publicada_posterior_oferece", "2.3", "2.4", true},
                      CasoVersao{"ambas_vazias_nenhuma", nullptr, nullptr, false},
                      CasoVersao{"so_a_instalada_falta_oferece", nullptr, "2.4", true},
                      CasoVersao{"caixa_diferente_oferece", "2.4a", "2.4A", true}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(JanelaAtualizar, AceitarBaixaOPacoteIniciaOAtualizadorEEncerra)
{
    instala("2.3");
    const QByteArray pacote(30000, 'z');
    publica("2.4", pacote);
    atualizadorDeMentira();
    auto servidor = ServidorHTTP::estatico(site.path());
    ASSERT_TRUE(servidor);
    apontaPara(*servidor);
    dialogos.respostasCaixa.enqueue(Caixa::RespSim);

    auto j = janela();
    j->BtnVerificar->click();
    ASSERT_TRUE(EsperaAte([&] { return QFile::exists(update + "/iniciado.txt"); }));
    EXPECT_EQ(pedidosDeFim, 1);
    EXPECT_EQ(conteudoDe(update + "/Vendrilo.zip"), pacote);
    EXPECT_EQ(conteudoDe(update + "/Vendrilo.zip.sig"), assinatura);
    EXPECT_EQ(conteudoDe(update + "/iniciado.txt"), pasta.path().toUtf8());
    EXPECT_EQ(linhas(j->LBStatus), QStringList({kVerificando, " ", ">>> Atualização em andamento"}));
    EXPECT_FALSE(j->BtnVerificar->isEnabled());
    EXPECT_EQ(dialogos.perguntas.size(), 1); // só a pergunta: nenhum aviso depois
}

TEST_F(JanelaAtualizar, SemAssinaturaPublicadaNadaEhIniciado)
{
    instala("2.3");
    publica("2.4");
    QFile::remove(site.filePath(kPublico + "Vendrilo.zip.sig"));
    grava(update + "/Vendrilo.zip.sig", "de uma versão antiga");
    atualizadorDeMentira();
    auto servidor = ServidorHTTP::estatico(site.path());
    ASSERT_TRUE(servidor);
    apontaPara(*servidor);
    dialogos.respostasCaixa.enqueue(Caixa::RespSim);

    auto j = janela();
    j->BtnVerificar->click();
    ASSERT_TRUE(EsperaAte([&] { return dialogos.perguntas.size() == 2; }));
    EXPECT_EQ(dialogos.perguntas[1].titulo, "Erro na atualização");
    EXPECT_EQ(linhas(j->LBStatus).last(), ">>> Erro na atualização.");
    EXPECT_EQ(pedidosDeFim, 0);
    EXPECT_FALSE(QFile::exists(update + "/iniciado.txt"));
    EXPECT_FALSE(QFile::exists(update + "/Vendrilo.zip.sig"));
}

TEST_F(JanelaAtualizar, UsuarioQueMantemOProgramaAbertoAdiaATroca)
{
    instala("2.3");
    publica("2.4");
    atualizadorDeMentira();
    auto servidor = ServidorHTTP::estatico(site.path());
    ASSERT_TRUE(servidor);
    apontaPara(*servidor);
    dialogos.respostasCaixa.enqueue(Caixa::RespSim);
    deixaEncerrar = false;

    auto j = janela();
    j->BtnVerificar->click();
    ASSERT_TRUE(EsperaAte([&] { return pedidosDeFim > 0; }));
    ProcessaPor(500);
    EXPECT_FALSE(QFile::exists(update + "/iniciado.txt"));
    EXPECT_TRUE(QFile::exists(update + "/Vendrilo.zip"));
    EXPECT_TRUE(j->BtnVerificar->isEnabled());
    EXPECT_EQ(linhas(j->LBStatus).last(), ">>> Atualização adiada: o Vendrilo continua aberto.");
}

TEST_F(JanelaAtualizar, SemConexaoAvisaENadaBaixa)
{
    instala("2.4");
    grava(update + "/site.ini", "[Site]\r\nHost=servidor-que-nao-existe.invalid\r\n");
    // Sem rede nenhuma: o aviso de conexão. Com rede: a atualização falhou, com o servidor.
    const struct {
        bool rede;
        QString texto, titulo, status;
        unsigned flags;
    } casos[] = {
        {false, "Você não está conectado à Internet.\nNão será possível checar se há novas atualizações!",
         "Atenção!", "> Não foi localizada nenhuma conexão com a Internet.", Caixa::IconeAviso},
        {true,
         "Houver erro ao atualizar o Vendrilo. Tente novamente mais tarde.\nO servidor "
         "\"servidor-que-nao-existe.invalid\" não foi encontrado ou não responde.",
         "Erro na atualização",
         ">>> Erro na atualização: servidor \"servidor-que-nao-existe.invalid\" inalcançável.",
         Caixa::IconeErro},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.rede);
        DefineVerificadorRede([&] { return c.rede; });
        dialogos.perguntas.clear();
        auto j = janela();
        j->BtnVerificar->click();
        ASSERT_EQ(dialogos.perguntas.size(), 1);
        EXPECT_EQ(dialogos.perguntas[0].texto, c.texto);
        EXPECT_EQ(dialogos.perguntas[0].titulo, c.titulo);
        EXPECT_EQ(dialogos.perguntas[0].flags, c.flags);
        EXPECT_EQ(linhas(j->LBStatus), QStringList({c.status}));
        EXPECT_FALSE(j->HTTPGetINI->Executando());
    }
    DefineVerificadorRede(nullptr);
}

TEST_F(JanelaAtualizar, FalhaNoDownloadMostraOErroEPermiteRepetir)
{
    instala("2.4");
    auto servidor = ServidorHTTP::estatico(site.path()); // sem update.ini: 404
    ASSERT_TRUE(servidor);
    apontaPara(*servidor);
    auto j = janela();
    j->BtnVerificar->click();
    ASSERT_TRUE(EsperaAte([&] { return !dialogos.perguntas.isEmpty(); }));
    EXPECT_EQ(dialogos.perguntas[0].texto,
              "Houver erro ao atualizar o Vendrilo. Tente novamente mais tarde.");
    EXPECT_EQ(dialogos.perguntas[0].titulo, "Erro na atualização");
    EXPECT_EQ(dialogos.perguntas[0].flags, unsigned(Caixa::IconeErro));
    EXPECT_EQ(linhas(j->LBStatus), QStringList({kVerificando, " ", ">>> Erro na atualização."}));
    EXPECT_TRUE(j->BtnVerificar->isEnabled());
    EXPECT_FALSE(QFile::exists(update + "/update.ini"));
}

TEST_F(JanelaAtualizar, SegundoCliqueDuranteAVerificacaoNaoIniciaOutraTransferencia)
{
    instala("2.4");
    // Um update.ini longo servido devagar, para o segundo clique chegar no meio.
    grava(site.filePath(kPublico + "update.ini"),
          iniDeVersao("2.4") + QByteArray(6000, ';') + "\r\n");
    grava(site.filePath(kPublico + "update.ini.modo"), "lento");
    auto servidor = ServidorHTTP::teimoso(site.path());
    ASSERT_TRUE(servidor);
    apontaPara(*servidor);

    auto j = janela();
    j->BtnVerificar->click();
    ASSERT_TRUE(EsperaAte([&] { return j->ProgressBar->value() > 0; }));
    j->BtnVerificar->click();
    EXPECT_EQ(linhas(j->LBStatus), QStringList({kVerificando, " "}));
    ASSERT_TRUE(EsperaAte([&] { return !dialogos.perguntas.isEmpty(); }));
    ProcessaPor(300);
    EXPECT_EQ(dialogos.perguntas.size(), 1);
    EXPECT_EQ(dialogos.perguntas[0].texto, "Não há nenhuma atualização no momento");
    EXPECT_EQ(conteudoDe(site.filePath("pedidos.log")).count('\n'), 1);
}

TEST_F(JanelaAtualizar, FecharDuranteODownloadDoPacoteCancelaEOProgramaSegue)
{
    instala("2.3");
    publica("2.4", QByteArray(60 * 1025, 'q'), "lento");
    atualizadorDeMentira();
    auto servidor = ServidorHTTP::teimoso(site.path());
    ASSERT_TRUE(servidor);
    apontaPara(*servidor);
    dialogos.respostasCaixa.enqueue(Caixa::RespSim);

    auto j = janela();
    j->BtnVerificar->click();
    ASSERT_TRUE(EsperaAte([&] { return j->HTTPGetZIP->Executando() && j->ProgressBar->value() > 0; }));
    j->BtnSair->click();
    EXPECT_EQ(j->result(), QDialog::Rejected);
    EXPECT_FALSE(j->HTTPGetZIP->Executando());
    ProcessaPor(800);
    EXPECT_EQ(dialogos.perguntas.size(), 1); // nenhum aviso de erro depois de fechar
    EXPECT_EQ(pedidosDeFim, 0);
    EXPECT_FALSE(QFile::exists(update + "/iniciado.txt"));
    EXPECT_FALSE(QFile::exists(update + "/Vendrilo.zip"));
    EXPECT_FALSE(QFile::exists(update + "/Vendrilo.zip.parcial"));
    j.reset();
    ProcessaPor(100); // o laço de eventos continua vivo
}

TEST_F(JanelaAtualizar, BarraDeProgressoAceitaTamanhosEnormes)
{
    auto j = janela();
    j->HTTPGetINIProgress(nullptr, 5000, 1025);
    EXPECT_EQ(j->ProgressBar->maximum(), 5000);
    EXPECT_EQ(j->ProgressBar->value(), 1025);
    j->HTTPGetINIProgress(nullptr, 6'000'000'000LL, 3'000'000'000LL);
    EXPECT_LE(j->ProgressBar->maximum(), INT_MAX);
    EXPECT_NEAR(double(j->ProgressBar->value()) / j->ProgressBar->maximum(), 0.5, 0.01);
}


// Janela principal de teste cujo fechamento o "usuário" aceita ou recusa.
class PrincipalDeTeste : public QMainWindow {
public:
    bool aceita = true;
    int perguntas = 0;

protected:
    void closeEvent(QCloseEvent* e) override
    {
        ++perguntas;
        e->setAccepted(aceita);
    }
};

// Roda `acao` dentro do laço principal da aplicação; devolve o código com
// que o laço terminou (99: ninguém o encerrou).
int rodaNoLacoPrincipal(const std::function<void()>& acao)
{
    QTimer::singleShot(0, qApp, acao);
    // Um temporizador local: não pode vencer depois, fora do laço, e
    // deixar o próximo laço de eventos do processo já encerrado.
    QTimer seguranca;
    seguranca.setSingleShot(true);
    QObject::connect(&seguranca, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    seguranca.start(1000);
    return QCoreApplication::exec();
}

TEST(EncerramentoPelaPrincipal, PassaPelasPerguntasDaJanelaPrincipal)
{
    PrincipalDeTeste principal;
    principal.show();
    principal.aceita = false;
    bool encerrou = true;
    EXPECT_EQ(rodaNoLacoPrincipal([&] { encerrou = EncerraPelaJanelaPrincipal(&principal)(); }), 99);
    EXPECT_FALSE(encerrou);
    EXPECT_EQ(principal.perguntas, 1);
    EXPECT_TRUE(principal.isVisible()); // o programa segue aberto

    principal.aceita = true;
    EXPECT_EQ(rodaNoLacoPrincipal([&] { encerrou = EncerraPelaJanelaPrincipal(&principal)(); }), 0);
    EXPECT_TRUE(encerrou);
    EXPECT_EQ(principal.perguntas, 2);
    EXPECT_FALSE(principal.isVisible());
}

} // namespace
} // namespace vendrilo
