// Programa do Vendrilo: partida na ordem do desenho original.

#include "console/abertura_console.h"
#include "passo/comandos_passo.h"
#include "platform/dialogos.h"
#include "platform/pasta_programa.h"
#include "platform/traducoes.h"
#include "workspace/comandos_gerais.h"
#include "workspace/comandos_traducao.h"
#include "workspace/documentos.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/pesquisa.h"
#include "workspace/principal.h"
#include "workspace/recuperacao.h"
#include "workspace/splash.h"

#include "versao.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

namespace {

// Sem tela gráfica o Qt abortaria em inglês; avisa antes, em português.
bool temTela()
{
    const char* plataforma = std::getenv("QT_QPA_PLATFORM");
    if (plataforma && *plataforma)
        return true;
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

// --help e --version respondem sem tela e sem criar a aplicação. Devolve
// o código de saída quando o programa deve terminar, -1 para seguir.
int trataOpcoes(int argc, char* argv[])
{
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vendrilo de Algoritmos: escreva algoritmos em "
                                                    "pseudocódigo, traduza para Pascal, compile e execute."));
    const QCommandLineOption ajuda({QStringLiteral("h"), QStringLiteral("help")},
                                   QStringLiteral("Mostra esta ajuda."));
    const QCommandLineOption versao(QStringLiteral("version"), QStringLiteral("Mostra a versão."));
    parser.addOption(ajuda);
    parser.addOption(versao);
    parser.addPositionalArgument(QStringLiteral("arquivos"), QStringLiteral("Algoritmos (.alg) a abrir."),
                                 QStringLiteral("[ARQUIVO.ALG...]"));
    // Opções do próprio Qt (-platform, -style...) passam adiante.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(argumentos)) {
        const QStringList desconhecidas = parser.unknownOptionNames();
        static const QStringList doQt = {QStringLiteral("platform"),   QStringLiteral("style"),
                                         QStringLiteral("stylesheet"), QStringLiteral("display"),
                                         QStringLiteral("geometry"),   QStringLiteral("qwindowgeometry"),
                                         QStringLiteral("name"),       QStringLiteral("reverse")};
        for (const QString& d : desconhecidas)
            if (!doQt.contains(d)) {
                std::fprintf(stderr, "vendrilo: opção desconhecida: %s\nUse --help para ver as opções.\n",
                             d.toLocal8Bit().constData());
                return 3;
            }
    }
    if (parser.isSet(ajuda)) {
        // helpText() traz "Usage:"/"Options:" em inglês; o texto sai em português.
        std::fprintf(stdout,
                     "Uso: vendrilo [opções] [ARQUIVO.ALG...]\n%s\n\n"
                     "Opções:\n  -h, --help   mostra esta ajuda\n  --version    mostra a versão\n\n"
                     "Sem tela gráfica, use o vendrilo-traduz na linha de comando.\n",
                     parser.applicationDescription().toLocal8Bit().constData());
        return 0;
    }
    if (parser.isSet(versao)) {
        std::fprintf(stdout, "vendrilo %s\n", vendrilo::VersaoVendrilo);
        return 0;
    }
    return -1;
}

// A classe de janela do X11 vem do nome da aplicação na criação da
// primeira janela; o nome da aplicação é o título com a versão, que muda.
// Uma janela nativa criada antes fixa a classe em "vendrilo", a mesma do
// StartupWMClass do .desktop.
void fixaClasseJanela()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    const QString nome = QGuiApplication::applicationName();
    QGuiApplication::setApplicationName(QStringLiteral("vendrilo"));
    QWindow w;
    w.create();
    QGuiApplication::setApplicationName(nome);
}

// Gancho do teste de recuperação: acrescenta cada trecho de
// VENDRILO_TESTE_DIGITA (separados por "|") a um documento, o primeiro na
// janela aberta e os outros em janelas novas, sem salvar nada.
void digitaParaTeste(vendrilo::TfrmPrincipal* principal)
{
    const QString roteiro = qEnvironmentVariable("VENDRILO_TESTE_DIGITA");
    if (roteiro.isEmpty())
        return;
    const QStringList trechos = roteiro.split(QLatin1Char('|'));
    for (int i = 0; i < trechos.size(); ++i) {
        if (i > 0)
            principal->documentos().btnNovoClick();
        if (auto* filha = principal->filhaAtiva())
            filha->memEditor->append(QLatin1Char('\n') + trechos[i]);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (const int codigo = trataOpcoes(argc, argv); codigo >= 0)
        return codigo;
    if (!temTela()) {
        // Sem saída de erro não há a quem avisar; o código de saída ainda diz.
        (void)std::fputs("vendrilo: não há tela gráfica (DISPLAY vazio). Use o vendrilo-traduz na "
                         "linha de comando, ou rode sob xvfb-run.\n",
                         stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(vendrilo::TituloAplicacao());
    QGuiApplication::setDesktopFileName(QStringLiteral("vendrilo"));
    fixaClasseJanela();
    (void)vendrilo::InstalaTraducoes();

    // A primeira janela criada é a principal; as de vida longa das outras
    // funções (mensagens do compilador, sintaxe, erros, confirmação de troca,
    // envio, sobre, atualização, alerta) são criadas logo depois, nesta ordem.
    auto* principal = new vendrilo::TfrmPrincipal(QApplication::arguments().mid(1));
    principal->setAttribute(Qt::WA_DeleteOnClose);
    vendrilo::dialogos().defineJanelaPai(principal);
    new vendrilo::ComandosPesquisa(principal);
    auto* traducao = new vendrilo::ComandosTraducao(principal); // Traduzir e Executar
    vendrilo::InstalaConsole(principal); // a janela do Executar
    new vendrilo::ComandosPasso(principal, traducao); // passo a passo e seus painéis

    // A pasta do programa recebe o que lhe falta; os arquivos do aluno ficam.
    const vendrilo::ResultadoPreparo preparo = vendrilo::PreparaPastaPrograma();
    if (!preparo.ok)
        vendrilo::dialogos().mostraMensagem(QString::fromStdString(preparo.erro));

    auto* abertura = new vendrilo::TfrmSplash;
    vendrilo::LigaComandosGerais(principal); // envio e sobre nascem depois da abertura
    abertura->roda();

    principal->show();
    // Depois de uma queda: as cópias dos documentos não salvos voltam.
    principal->recuperacao().ofereceRecuperacao();
    digitaParaTeste(principal);

    // Para a documentação (scripts/captura_tela.sh): foto da janela e saída.
    const QString captura = qEnvironmentVariable("VENDRILO_CAPTURA");
    if (!captura.isEmpty())
        QTimer::singleShot(1500, principal, [principal, captura] {
            const bool ok = principal->grab().save(captura);
            (void)std::fprintf(stderr, ok ? "Tela gravada em %s\n" : "Não foi possível gravar %s\n",
                               captura.toLocal8Bit().constData());
            QApplication::exit(ok ? 0 : 1);
        });
    return app.exec();
}
