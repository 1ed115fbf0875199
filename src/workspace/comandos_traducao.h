#pragma once
// Os comandos Traduzir (F9) e Executar (Ctrl+E) da janela principal: as
// condições e mensagens do comando, a tradução pelo núcleo, a espera pelo
// compilador sem congelar a janela, a lista de erros de estrutura, o painel
// de erro do editor e a pergunta de executar.
//
// Uso na janela principal (uma vez, depois de criá-la):
//     new ComandosTraducao(principal);   // filho da janela; liga os comandos

#include "translate/compilacao.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace vendrilo {

class TFrmErrosSintaxe;
class TFrmFilha;
class TfrmPrincipal;
class Tradutor;

// O programa de uma sessão passo a passo, pronto para o gdb.
struct ProgramaPassoAPasso {
    QPointer<TFrmFilha> filha; // o documento traduzido
    std::string programa; // o executável, com informação de linhas
    std::vector<std::string> linhasPascal; // o programa traduzido (Windows-1252)
    int bibliotecaUsada = 0; // muda o deslocamento das linhas
};

class ComandosTraducao : public QObject {
    Q_OBJECT
public:
    // Liga "Traduzir1"/"btnTraduzir" e "Executar1"/"btnExecutar" e cria a
    // janela da lista de erros, que vive enquanto a janela principal viver.
    explicit ComandosTraducao(TfrmPrincipal* principal);
    ~ComandosTraducao() override;

    // O comando Traduzir sobre a janela de documento ativa.
    void btnTraduzirClick();
    // O comando Executar: abre o programa da última tradução num console.
    void btnExecutarClick();
    // Traduz e compila o documento ativo como o Traduzir (mesmas condições,
    // mesmas mensagens de erro), com informação de linhas e sem perguntar
    // se executa; verdadeiro com o programa pronto em `saida`.
    bool PreparaPassoAPasso(ProgramaPassoAPasso& saida);

    // A lista de erros de estrutura (com a janela de sintaxe dentro dela).
    TFrmErrosSintaxe* janelaErros() const { return erros_; }
    // O estado da tradução, mantido de um comando para o outro.
    Tradutor& tradutor() const { return *tradutor_; }

    // Espera máxima pelo compilador; passado o prazo ele é interrompido.
    void defineLimite(std::chrono::milliseconds limite) { limite_ = limite; }
    // Verdadeiro enquanto o compilador roda (a janela só repinta).
    bool compilando() const { return compilando_; }

private:
    // O Traduzir; com `passo`, para o passo a passo (ver PreparaPassoAPasso).
    bool traduz(ProgramaPassoAPasso* passo);
    bool condicoesTraducao(TFrmFilha* filha);
    ResultadoCompilacao compilaSemTravar(const EntradaCompilacao& entrada);
    void mostraErrosEstrutura();
    // Clique duplo numa mensagem da lista: o cursor vai à linha (a partir de 1).
    void vaiParaLinhaDoErro(int linha);
    void mostraErroCompilacao(TFrmFilha* filha, const ResultadoCompilacao& r);

    TfrmPrincipal* principal_;
    std::unique_ptr<Tradutor> tradutor_;
    TFrmErrosSintaxe* erros_;
    QPointer<TFrmFilha> filhaErros_; // o documento cuja tradução encheu a lista
    std::chrono::milliseconds limite_{std::chrono::seconds(60)};
    bool compilando_ = false;
};

} // namespace vendrilo
