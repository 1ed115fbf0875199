// Programa do Vendrilo: partida na ordem do desenho original.

#include "console/abertura_console.h"
#include "platform/dialogos.h"
#include "platform/pasta_programa.h"
#include "workspace/comandos_gerais.h"
#include "workspace/comandos_traducao.h"
#include "workspace/pesquisa.h"
#include "workspace/principal.h"
#include "workspace/splash.h"

#include <QApplication>
#include <QTimer>

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

} // namespace

int main(int argc, char* argv[])
{
    if (!temTela()) {
        // Sem saída de erro não há a quem avisar; o código de saída ainda diz.
        (void)std::fputs("vendrilo: não há tela gráfica (DISPLAY vazio). Use o vendrilo-traduz na "
                         "linha de comando, ou rode sob xvfb-run.\n",
                         stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(vendrilo::TituloAplicacao());

    // A primeira janela criada é a principal; as de vida longa das outras
    // funções (mensagens do compilador, sintaxe, erros, confirmação de troca,
    // envio, sobre, atualização, alerta) são criadas logo depois, nesta ordem.
    auto* principal = new vendrilo::TfrmPrincipal(QApplication::arguments().mid(1));
    principal->setAttribute(Qt::WA_DeleteOnClose);
    vendrilo::dialogos().defineJanelaPai(principal);
    new vendrilo::ComandosPesquisa(principal);
    new vendrilo::ComandosTraducao(principal); // Traduzir e Executar
    vendrilo::InstalaConsole(principal); // a janela do Executar

    // A pasta do programa recebe o que lhe falta; os arquivos do aluno ficam.
    const vendrilo::ResultadoPreparo preparo = vendrilo::PreparaPastaPrograma();
    if (!preparo.ok)
        vendrilo::dialogos().mostraMensagem(QString::fromStdString(preparo.erro));

    auto* abertura = new vendrilo::TfrmSplash;
    vendrilo::LigaComandosGerais(principal); // envio e sobre nascem depois da abertura
    abertura->roda();

    principal->show();

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
