#pragma once
// Comandos de documento da janela principal: Novo, Abrir, Abrir exemplo,
// Salvar, Salvar Como (com a regra 8.3), Fechar, Fechar Tudo e Sair.

#include "formato/arquivo_alg.h"
#include "workspace/valida_nome.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;

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

    // Resultado da última validação de nome (EstadoNome, ErroExtensao).
    const ValidacaoNome& validacao() const { return validacao_; }

    // Liga a janela de exemplos (devolve o caminho escolhido, ou " ") e
    // mostra "Exemplos1" e "btnLista".
    void defineEscolhaExemplo(std::function<QString()> escolhe);

    // Últimos arquivos abertos ou salvos, o mais recente primeiro (até 8).
    static constexpr int kMaxRecentes = 8;
    const QStringList& recentes() const { return recentes_; }
    // Abre um arquivo da lista; um que sumiu sai dela, com aviso.
    void abreRecente(const QString& caminho);
    // Refaz os itens da lista no menu Arquivo, antes de Sair.
    void montaRecentes();
    // Pasta onde Abrir e Salvar Como começam: a última usada.
    QString pastaInicial() const;

private:
    std::function<QString()> escolheExemplo_;
    enum class Resultado { Gravado, Cancelado, Recusado, Invalido, Falhou };
    bool le(const QString& caminho, DocumentoAlg& doc);
    void aplica(TFrmFilha* filha, const DocumentoAlg& doc, const QString& caminho);
    Resultado salvaComo(TFrmFilha* filha);
    void abre(const QString& caminho);
    void lembra(const QString& caminho);
    void guardaPreferencias();

    TfrmPrincipal* principal_;
    ValidacaoNome validacao_;
    QStringList recentes_;
    QString pastaUltima_;
    QList<QAction*> itensRecentes_;
};

} // namespace vendrilo
