#pragma once
// Os comandos da janela principal que levam às outras funções: impressão,
// envio por e-mail, atualização, lista de exemplos, ajuda, o que mudou,
// sobre e calculadora. Cria as janelas de vida longa (envio e sobre) e
// deixa visíveis os itens e botões que liga.
//
// Uso na partida, depois das janelas de tradução e de busca:
//     LigaComandosGerais(principal);

#include <QObject>

namespace vendrilo {

class ComandosImpressao;
class TfrmAjuda;
class TfrmEnvio;
class TfrmPrincipal;
class TfrmSobre;

class ComandosGerais : public QObject {
    Q_OBJECT
public:
    explicit ComandosGerais(TfrmPrincipal* principal);

    TfrmEnvio* envio() const { return envio_; }
    TfrmSobre* sobre() const { return sobre_; }
    // Janela da ajuda: criada no primeiro pedido e reaproveitada (nula antes).
    TfrmAjuda* ajuda() const { return ajuda_; }
    ComandosImpressao* impressao() const { return impressao_; }

    void Calculadora1Click();
    void Ajuda2Click();
    // Ctrl+F1: a ajuda da palavra-chave em que está o cursor do editor ativo.
    void AjudaContextoClick();
    void Oquemudou1Click();
    void Sobre2Click();
    void btnUpdateClick();
    // Roda as verificações da instalação e mostra uma linha por verificação.
    void VerificarInstalacao1Click();

private:
    TfrmPrincipal* principal_;
    ComandosImpressao* impressao_ = nullptr;
    TfrmEnvio* envio_ = nullptr;
    TfrmSobre* sobre_ = nullptr;
    TfrmAjuda* ajuda_ = nullptr;
};

// Cria os comandos gerais como filhos da janela principal.
ComandosGerais* LigaComandosGerais(TfrmPrincipal* principal);

} // namespace vendrilo
