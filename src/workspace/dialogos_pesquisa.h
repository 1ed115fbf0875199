#pragma once
// Janelas de localizar, substituir e confirmar a troca.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QGridLayout;

namespace vendrilo {

class TTextSearchDialog : public QDialog {
    Q_OBJECT
public:
    explicit TTextSearchDialog(QWidget* pai = nullptr);

    // Cada acessor corresponde a um controle da janela.
    bool paraTras() const;
    void defineParaTras(bool v);
    bool maiusculas() const;
    void defineMaiusculas(bool v);
    bool palavraInteira() const;
    void definePalavraInteira(bool v);
    bool doCursor() const;
    void defineDoCursor(bool v);
    bool soSelecao() const;
    void defineSoSelecao(bool v);
    QString textoPesquisa() const;
    void defineTextoPesquisa(const QString& t);
    // Histórico: no máximo os 10 primeiros itens, separados por CR LF.
    QString historicoPesquisa() const;
    void defineHistoricoPesquisa(const QString& h);

    // OK: o texto digitado sobe ao topo da lista (sem repetição) e a janela fecha.
    virtual void aceita();

    QComboBox* cbSearchText;
    QCheckBox* cbSearchCaseSensitive;
    QCheckBox* cbSearchWholeWords;
    QCheckBox* cbSearchFromCursor;
    QCheckBox* cbSearchSelectedOnly;
    QRadioButton* paraFrente;
    QRadioButton* paraTrasBotao;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    // Sobe `combo`.currentText ao topo da lista.
    static void sobeAoTopo(QComboBox* combo);
    static QString leHistorico(const QComboBox* combo);
    static void escreveHistorico(QComboBox* combo, const QString& h);
    QGridLayout* grade_;
};

class TTextReplaceDialog : public TTextSearchDialog {
    Q_OBJECT
public:
    explicit TTextReplaceDialog(QWidget* pai = nullptr);

    QString textoSubstituicao() const;
    void defineTextoSubstituicao(const QString& t);
    QString historicoSubstituicao() const;
    void defineHistoricoSubstituicao(const QString& h);
    void aceita() override;

    QComboBox* cbReplaceText;
};

class TConfirmReplaceDialog : public QDialog {
    Q_OBJECT
public:
    // Resultados: 6 Sim, 7 Não, 2 Cancelar, 10 Sim para Todos.
    enum { RespSim = 6, RespNao = 7, RespCancelar = 2, RespSimTodos = 10 };
    explicit TConfirmReplaceDialog(QWidget* pai = nullptr);

    void preparaPergunta(const QString& achado);
    // Junto ao achado sem cobrir a linha: acima dele no terço de baixo do editor.
    void posiciona(const QRect& editor, const QPoint& achado, int alturaLinha);

    QLabel* lblConfirmation;
};

} // namespace vendrilo
