#pragma once
// O editor de algoritmos: o único invólucro do QsciScintilla. Cuida da
// fonte, margens, tabela de teclas, marcadores, complementação e da limpeza
// dos espaços do fim das linhas editadas.

#include <Qsci/qsciscintilla.h>

#include <QStringList>
#include <QTimer>

#include <functional>

namespace vendrilo {

class ListaComplecao;

class EditorVendrilo : public QsciScintilla {
    Q_OBJECT
public:
    explicit EditorVendrilo(QWidget* pai = nullptr);

    // Texto como lista de linhas (sem quebras) e carga de uma lista.
    QStringList linhas() const;
    void defineLinhas(const QStringList& linhas);
    int numeroLinhas() const { return lines(); }
    // Nenhuma linha: carregado de um arquivo sem bytes (ou limpo) e não
    // editado desde então. O editor sempre mostra uma linha, vazia ou não.
    bool semLinhas() const { return semLinhas_; }

    // Apaga texto, marcadores e histórico; Modified fica falso.
    void limpaTudo();

    // Cursor: linha a partir de 0; coluna em caracteres a partir de 0.
    int linhaCursor() const;
    // Coluna como aparece na tela, a partir de 1 (tabulações expandidas).
    int colunaExibida() const;
    void posicionaCursor(int linha, int coluna);
    // Seleciona de `colunaInicio` (âncora) a `colunaFim` (onde fica o cursor).
    void selecionaTrecho(int linha, int colunaInicio, int colunaFim);
    void selecionaPalavraNoCursor();
    bool temSelecao() const { return hasSelectedText(); }

    bool podeDesfazer() const { return isUndoAvailable(); }
    bool podeRefazer() const { return isRedoAvailable(); }
    void limpaDesfazer();

    // Lista de comandos: abre já, filtrada pela palavra antes do cursor.
    void abreComplecao();
    ListaComplecao* complecao() const { return complecao_; }
    // Troca a palavra digitada pelo texto de inserção da entrada `indice`.
    void insereComando(int indice);
    // Palavra que está sendo digitada (até o cursor).
    QString palavraDigitada() const;
    // O trecho sem brancos em que o cursor está (palavras-chave têm "-" e
    // parênteses: leia-pl, (param-valor); vazio entre brancos.
    QString trechoNoCursor() const;

    // Busca e troca do editor (opções combináveis).
    enum OpcaoBusca : unsigned {
        Substituir = 1, SubstituirTodos = 2, Perguntar = 4, ParaTras = 8, Maiusculas = 16,
        TodoOTexto = 32, SoSelecao = 64, PalavraInteira = 128,
    };
    // Resposta da pergunta antes de cada troca.
    enum RespostaTroca { Trocar, Pular, TrocarTodos, Parar };
    // Pergunta feita antes de cada troca: achado, troca, linha e coluna (a partir de 0).
    using PerguntaTroca =
        std::function<RespostaTroca(const QString& achado, const QString& troca, int linha, int coluna)>;
    // Seleciona a próxima ocorrência, ou troca as ocorrências (perguntando);
    // devolve quantas ocorrências foram tratadas.
    int pesquisaSubstitui(const QString& texto, const QString& troca, unsigned opcoes,
                          const PerguntaTroca& pergunta = {});

    // Marcadores 0 a 9.
    void alternaMarcador(int numero);
    void vaiParaMarcador(int numero);
    int linhaDoMarcador(int numero) const;

    // Passo a passo: a linha prestes a rodar e a de um erro de execução
    // (-1 tira a marca), sempre à vista; pontos de parada na margem dos
    // marcadores, que o clique alterna e que andam com o texto editado.
    void marcaLinhaExecucao(int linha);
    void marcaLinhaErroExecucao(int linha);
    int linhaExecucao() const { return linhaDaMarca(kMarcaExecucao); }
    int linhaErroExecucao() const { return linhaDaMarca(kMarcaErro); }
    void defineParada(int linha, bool ligada);
    bool temParada(int linha) const;
    QList<int> linhasComParada() const;
    // Protegido, nenhuma edição acontece sem antes emitir edicaoBarrada();
    // quem ouve pode desproteger ali mesmo para deixá-la seguir.
    void defineProtegido(bool protegido);
    bool protegido() const { return protegido_; }

signals:
    // Clique na margem alternou a parada da linha (a partir de 0).
    void paradaAlternada(int linha, bool ligada);
    void edicaoBarrada();

    void teclaApertada();
    void teclaSolta();
    void mouseSolto();
    void mouseMovido();

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void configuraTeclas();
    bool trataTeclaPropria(QKeyEvent* e);
    void indentaBloco(bool para_dentro);
    void registraEdicao(int posicao, int tipo);
    void aoMudarCursor(int linha, int indice);
    void confereLinha();
    void tiraEspacosDoFim(int linha);
    int posicaoDe(int linha, int coluna) const;
    int linhaDaMarca(int marca) const;

    // Números de marcador do Scintilla (1..10 são os marcadores 0..9).
    static constexpr int kMarcaParada = 11;
    static constexpr int kMarcaSeta = 12;
    static constexpr int kMarcaExecucao = 13;
    static constexpr int kMarcaErro = 14;
    void posicionaComplecao();

    ListaComplecao* complecao_;
    QTimer atrasoPonto_;
    int linhaEditada_ = -1;
    int ultimaLinha_ = 0;
    bool limpando_ = false;
    bool semLinhas_ = false;
    bool protegido_ = false;
    bool marcaErro_ = false;
    int colunaMarcador_[10] = {};
};

} // namespace vendrilo
