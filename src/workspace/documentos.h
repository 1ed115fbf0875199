#pragma once
// Comandos de documento da janela principal: Novo, Abrir, Abrir exemplo,
// Salvar, Salvar Como (com a regra 8.3), Fechar, Fechar Tudo e Sair.

#include "formato/arquivo_alg.h"
#include "workspace/valida_nome.h"

#include <QObject>
#include <QString>

#include <functional>

namespace vendrilo {

class TFrmFilha;
class TfrmPrincipal;

class GerenteDocumentos : public QObject {
    Q_OBJECT
public:
    explicit GerenteDocumentos(TfrmPrincipal* principal);

    void btnNovoClick();
    void btnAbrirClick();
    // Abre o exemplo escolhido na janela de exemplos (`escolheExemplo`).
    void btnListaClick();
    // Passos de carga de um exemplo (também usados pela janela de exemplos).
    TFrmFilha* AbreExemplo(const QString& caminho);

    // Salvar e Salvar Como de um documento; verdadeiro quando gravou.
    bool Salvar(TFrmFilha* filha);
    bool SalvarComo(TFrmFilha* filha);

    void Fechar1Click();
    // Pede a cada janela, da última à primeira, que feche; falso se uma recusou.
    bool FecharTudo1Click();

    // Lê o arquivo para o editor da janela; falso (com mensagem) em erro.
    bool carrega(TFrmFilha* filha, const QString& caminho);
    // Grava as linhas do editor; falso (com mensagem) em erro.
    bool grava(TFrmFilha* filha, const QString& caminho);

    // Resultado da última validação de nome (ErroDiretorio, EstadoNome, ErroExtensao).
    const ValidacaoNome& validacao() const { return validacao_; }

    // Liga a janela de exemplos (devolve o caminho escolhido, ou " ") e
    // mostra "Exemplos1" e "btnLista".
    void defineEscolhaExemplo(std::function<QString()> escolhe);

private:
    std::function<QString()> escolheExemplo_;

public:

private:
    enum class Resultado { Gravado, Cancelado, Recusado, Invalido, Falhou };
    bool le(const QString& caminho, DocumentoAlg& doc);
    void aplica(TFrmFilha* filha, const DocumentoAlg& doc, const QString& caminho);
    Resultado salvaComo(TFrmFilha* filha);

    TfrmPrincipal* principal_;
    ValidacaoNome validacao_;
};

} // namespace vendrilo
