#pragma once
// Os comandos do passo a passo na janela principal (menu Ferramentas): a
// tradução com informação de linhas, o console do programa, a linha a
// rodar e as paradas no editor, e os painéis de variáveis, pilha de
// chamadas e teste de mesa, cada um num painel encaixável.
//
// Uso na janela principal (uma vez, depois dos comandos de tradução):
//     new ComandosPasso(principal, traducao);

#include "passo/controle_passo.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class QDockWidget;

namespace vendrilo {

class ComandosTraducao;
class ConsoleVendrilo;
class EditorVendrilo;
class PainelPilha;
class PainelTesteMesa;
class PainelVariaveis;
class TFrmFilha;
class TfrmPrincipal;

class ComandosPasso : public QObject {
    Q_OBJECT
public:
    ComandosPasso(TfrmPrincipal* principal, ComandosTraducao* traducao);
    ~ComandosPasso() override;

    // Traduz e compila como o F9 e para antes da primeira linha.
    void IniciaPassoAPasso();
    void ProximaLinha();
    void EntraNaRotina();
    void ContinuaAteParada();
    // Termina a sessão a qualquer momento, mesmo com o programa rodando.
    void ParaPassoAPasso();
    // Parada na linha do cursor do documento ativo.
    void AlternaParada();

    bool ativa() const { return controle_->ativa(); }
    ControlePasso& controle() const { return *controle_; }
    // O documento da sessão (nulo sem sessão).
    TFrmFilha* filha() const;
    PainelVariaveis* painelVariaveis() const { return variaveis_; }
    PainelPilha* painelPilha() const { return pilha_; }
    PainelTesteMesa* painelTesteMesa() const { return testeMesa_; }
    // O console da última sessão (nulo antes da primeira).
    ConsoleVendrilo* console() const;

signals:
    // A janela acabou de mostrar uma parada (editor e painéis em dia).
    void paradaMostrada();
    // A sessão terminou (fim do programa, erro, parada pedida, documento fechado).
    void sessaoEncerrada();

private:
    void criaPaineis();
    bool abreConsole(const std::string& programa);
    void aoIniciar(bool ok, const QString& erro);
    void aoParar(const ParadaPasso& p);
    void aoDefinirParada(int pedida, int real, bool ligada);
    void perguntaEdicao();
    void encerra(const QString& status);
    void atualizaAcoes();

    TfrmPrincipal* principal_;
    ComandosTraducao* traducao_;
    ControlePasso* controle_;
    QPointer<TFrmFilha> filha_;
    QPointer<EditorVendrilo> editor_;
    QPointer<ConsoleVendrilo> console_;
    QPointer<QWidget> moldura_; // janela ou painel do console
    PainelVariaveis* variaveis_ = nullptr;
    PainelPilha* pilha_ = nullptr;
    PainelTesteMesa* testeMesa_ = nullptr;
    QList<QDockWidget*> docas_;
    QList<QMetaObject::Connection> ligacoes_; // com o editor da sessão
    QTimer demora_; // passo que não volta logo
    bool perguntando_ = false;
};

} // namespace vendrilo
