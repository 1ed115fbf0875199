#pragma once
// Janela de documento: um algoritmo no editor, o painel de erro da tradução
// e os tratadores que mantêm a barra de estado e os botões em dia.

#include "formato/arquivo_alg.h"
#include "translate/leitor_linhas.h"

#include <QWidget>

class QGroupBox;
class QPlainTextEdit;

namespace vendrilo {

class EditorVendrilo;
class TfrmPrincipal;

class TFrmFilha : public QWidget {
    Q_OBJECT
public:
    explicit TFrmFilha(TfrmPrincipal* principal, QWidget* pai = nullptr);

    EditorVendrilo* memEditor = nullptr;
    QGroupBox* grbErro;
    QPlainTextEdit* memErro;

    // Caminho completo do arquivo; o nome provisório enquanto sem nome.
    QString NomeArquivo;
    // Formato em disco, lembrado da leitura e usado na gravação.
    EstiloQuebra quebra = EstiloQuebra::CRLF;
    CodificacaoAlg codificacao = CodificacaoAlg::Windows1252;

    // Legenda da janela: nome do arquivo sem pasta, ou SemNomeN. O título
    // mostra ainda um "*" enquanto há mudanças não salvas.
    QString legenda() const { return legenda_; }
    void defineLegenda(const QString& texto);

    // Mostra o painel de erro com seu título e as três linhas do relatório.
    void mostraErro(const QString& titulo, const QStringList& linhas);
    // Leva o cursor a LinhaErro/ColunaErro da janela principal.
    void memErroClick();

    // A janela passou a ser a ativa.
    void FormActivate();

    // Verdadeiro depois que o fechamento foi aceito.
    bool fechada() const { return fechada_; }

    // Atualiza os painéis 0, 1 e 3 e os botões da área de transferência.
    void atualizaPosicao();
    void atualizaBotoesTransferencia();
    void atualizaDesfazer();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* alvo, QEvent* e) override;

private:
    bool FormCloseQuery();
    void FormClose();

    void atualizaTitulo();
    int alturaPainelErro(int linhas) const;

    TfrmPrincipal* principal_;
    QString legenda_;
    bool fechada_ = false;
};

} // namespace vendrilo
