#pragma once
// Lista de Exemplos: escolhe um dos 62 algoritmos de exemplo, com descrição e
// pré-visualização, para a janela principal abrir.

#include <QDialog>
#include <QString>

class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vendrilo {

// Valor do caminho escolhido quando nenhum exemplo foi escolhido.
inline const QString NenhumExemplo = QStringLiteral(" ");

class TFrmLista : public QDialog {
    Q_OBJECT
public:
    // `pastaPrograma`: a pasta que contém exp/ com os exemplos (vazia: a
    // pasta do programa em uso).
    explicit TFrmLista(const QString& pastaPrograma = {}, QWidget* pai = nullptr);

    // Caminho do exemplo escolhido (Abrir ou duplo clique num arquivo que
    // existe), ou NenhumExemplo. É ele, e não o resultado modal, que decide.
    QString caminhoEscolhido() const { return escolhido_; }

    // Componentes, com os nomes de sempre (os testes os acionam).
    QListWidget* Exemplos;
    QGroupBox* GroupBox1;
    QLabel* lblDesc;
    QPlainTextEdit* BoxExemplo;
    QPushButton* Executar;
    QPushButton* Encerrar;

public slots:
    // Mostra a descrição e o texto da linha atual.
    void EscolhaClick();
    // Registra a linha atual como o exemplo a abrir (se o arquivo existe).
    void ExecutarClick();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    QString caminhoDaLinha() const;
    bool carregaPrevia(const QString& caminho);

    QString pasta_;
    QString escolhido_ = NenhumExemplo;
};

// Abre a lista modalmente e devolve o caminho escolhido, ou NenhumExemplo.
QString EscolheExemplo(const QString& pastaPrograma = {}, QWidget* pai = nullptr);

} // namespace vendrilo
