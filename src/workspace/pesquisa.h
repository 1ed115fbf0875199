#pragma once
// Localizar, localizar próximo/anterior, substituir e ir até a linha: a
// memória da última busca vale para o programa todo e para todos os documentos.

#include "workspace/editor_vendrilo.h"

#include <QObject>
#include <QString>

#include <functional>

namespace vendrilo {

class TConfirmReplaceDialog;
class TfrmAlerta;
class TfrmPrincipal;

// Memória da busca (globais da unidade principal no desenho original).
struct MemoriaPesquisa {
    bool PesquisaParaTras = false;
    bool PesquisaMaiusculas = false;
    bool PesquisaDoCursor = false;
    bool PesquisaSoSelecao = false;
    bool PesquisaPalavraInteira = false;
    QString TextoPesquisa;
    QString HistoricoPesquisa;     // até 10 textos, separados por CR LF
    QString TextoSubstituicao;
    QString HistoricoSubstituicao;
};

class ComandosPesquisa : public QObject {
    Q_OBJECT
public:
    // Liga os comandos de busca e de ir até a linha da janela principal.
    explicit ComandosPesquisa(TfrmPrincipal* principal);

    void MostraDialogoPesquisa(bool substituir);
    void ExecutaPesquisa(bool substituir, bool paraTras);
    void actLinhaExecute();
    // Habilita os comandos conforme a memória e o documento ativo.
    void atualizaAcoes();

    MemoriaPesquisa memoria;
    bool PesquisaDoCursorAtiva = false;
    QString LinhaDigitada;

    // Pontos de troca para os testes: a janela de busca (preenchida com a
    // memória; falso = Cancelar), a pergunta antes de cada troca e a janela
    // de ir até a linha (falso = fechada sem o botão).
    std::function<bool(bool substituir, MemoriaPesquisa& m)> dialogoPesquisa;
    EditorVendrilo::PerguntaTroca perguntaTroca;
    std::function<bool(QString& texto)> dialogoLinha;

    // Texto da última janela de alerta (vazio se nenhum).
    QString ultimoAlerta() const { return ultimoAlerta_; }

private:
    bool dialogoReal(bool substituir, MemoriaPesquisa& m);
    EditorVendrilo::RespostaTroca perguntaReal(EditorVendrilo* ed, const QString& achado, int linha, int coluna);
    void alerta(const QString& texto);

    TfrmPrincipal* principal_;
    TConfirmReplaceDialog* confirma_ = nullptr;
    TfrmAlerta* alerta_ = nullptr;
    QString ultimoAlerta_;
};

} // namespace vendrilo
