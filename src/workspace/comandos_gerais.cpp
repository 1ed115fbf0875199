#include "workspace/comandos_gerais.h"

#include "comm/atualizacao/frm_atualizar.h"
#include "comm/email/frm_envio.h"
#include "comm/impressao/comandos_impressao.h"
#include "learning/frm_ajuda.h"
#include "learning/frm_lista.h"
#include "learning/frm_mudou.h"
#include "learning/frm_sobre.h"
#include "platform/calculadora.h"
#include "platform/dialogos.h"
#include "translate/diagnostico.h"
#include "workspace/acoes_principal.h"
#include "workspace/documentos.h"
#include "workspace/editor_vendrilo.h"
#include "workspace/filha.h"
#include "workspace/principal.h"

#include <QAction>
#include <QApplication>

namespace vendrilo {

ComandosGerais::ComandosGerais(TfrmPrincipal* principal)
    : QObject(principal)
    , principal_(principal)
{
    TfrmPrincipal* p = principal;
    impressao_ = new ComandosImpressao(
        p,
        [p]() -> std::optional<DocumentoImpressao> {
            TFrmFilha* filha = p->filhaAtiva();
            if (!filha)
                return std::nullopt;
            return DocumentoImpressao{filha->memEditor->linhas(), filha->memEditor->font()};
        },
        [p] { return p->ArquivoAtual; }, [p] { p->FormCreate(); });
    // Ctrl+I no item do submenu: imprime como o botão.
    p->ligaComando(QStringLiteral("Imprimir1"), QString(), [this] { impressao_->btnImprimirClick(); });

    // Janelas de vida longa, na ordem da partida: envio e sobre. A de
    // atualização nasce e morre a cada uso; a de alerta é da busca.
    envio_ = new TfrmEnvio(p);
    LigaEnvioEmail(p, envio_);
    p->acoes().mostra(QStringLiteral("EnviodeAlgoritmos1"));
    p->acoes().mostra(QStringLiteral("ToolButton3"));
    sobre_ = new TfrmSobre(p);

    p->ligaComando(QStringLiteral("AtualizarVendrilo1"), QStringLiteral("btnUpdate"), [this] { btnUpdateClick(); });
#ifdef VENDRILO_SEM_ATUALIZACAO_ONLINE
    p->acao(QStringLiteral("AtualizarVendrilo1"))->setText(QStringLiteral("Atualizações pela distribuição"));
#endif
    p->ligaComando(QStringLiteral("VerificarInstalacao1"), QString(),
                   [this] { VerificarInstalacao1Click(); });
    p->ligaComando(QStringLiteral("Calculadora1"), QStringLiteral("btnCalculadora"),
                   [this] { Calculadora1Click(); });
    p->ligaComando(QStringLiteral("Ajuda2"), QString(), [this] { Ajuda2Click(); });
    p->ligaComando(QStringLiteral("AjudaContexto1"), QString(), [this] { AjudaContextoClick(); });
    p->ligaComando(QStringLiteral("Oquemudou1"), QString(), [this] { Oquemudou1Click(); });
    p->ligaComando(QStringLiteral("Sobre2"), QString(), [this] { Sobre2Click(); });
    // Exemplos1 e btnLista já chamam btnListaClick; falta a janela que escolhe.
    p->documentos().defineEscolhaExemplo([p] { return EscolheExemplo(QString(), p); });
}

void ComandosGerais::Calculadora1Click() { AbreCalculadora(); }

void ComandosGerais::Ajuda2Click()
{
    if (!ajuda_)
        ajuda_ = new TfrmAjuda(principal_);
    ajuda_->abre();
}

void ComandosGerais::AjudaContextoClick()
{
    if (!ajuda_)
        ajuda_ = new TfrmAjuda(principal_);
    const TFrmFilha* filha = principal_->filhaAtiva();
    ajuda_->abreNaPalavra(filha ? filha->memEditor->trechoNoCursor() : QString());
}

void ComandosGerais::Oquemudou1Click() { MostraOQueMudou(QString(), principal_); }

void ComandosGerais::Sobre2Click() { sobre_->exec(); }

void ComandosGerais::btnUpdateClick()
{
#ifdef VENDRILO_SEM_ATUALIZACAO_ONLINE
    // Build de distribuição: o pacote é atualizado pelo sistema, não por aqui.
    dialogos().caixaMensagem(QStringLiteral("As atualizações do Vendrilo vêm da distribuição: use o "
                                            "gerenciador de pacotes do sistema (apt)."),
                             TituloAplicacao(), Caixa::Ok | Caixa::IconeInformacao);
#else
    AbreAtualizacao(principal_);
#endif
}

void ComandosGerais::VerificarInstalacao1Click()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<Verificacao> v = DiagnosticaInstalacao();
    QApplication::restoreOverrideCursor();
    const QString titulo = TudoCerto(v) ? QStringLiteral("A instalação está completa.\n\n")
                                        : QStringLiteral("Há problemas na instalação.\n\n");
    dialogos().caixaMensagem(titulo + QString::fromStdString(TextoDiagnostico(v)), TituloAplicacao(),
                             Caixa::Ok | (TudoCerto(v) ? Caixa::IconeInformacao : Caixa::IconeAviso));
}

ComandosGerais* LigaComandosGerais(TfrmPrincipal* principal)
{
    return new ComandosGerais(principal);
}

} // namespace vendrilo
