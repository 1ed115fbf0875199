#pragma once
// Janela da sintaxe de um comando, aberta a partir da lista de erros.

#include "check/paginas_sintaxe.h"

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

namespace vendrilo {

class TFrmSintaxe : public QDialog {
    Q_OBJECT
public:
    explicit TFrmSintaxe(const QString& tituloAplicacao, QWidget* pai = nullptr);

    // Apaga as linhas 1 a 34 do quadro; a 0 é sempre reescrita pela página.
    void LimpaPagina();

    // Escreve a página (1 a 10) e põe seu título na janela.
    void EscrevePagina(int numero);

    // Ao abrir: bipe e o título definitivo, "<aplicação> - Sintaxe de Comandos".
    void MontaSintaxe();

    // As 35 linhas do quadro, como o aluno as vê.
    QStringList linhas() const;

    QPlainTextEdit* SintaxeEst() const { return SintaxeEst_; }
    QPushButton* Retornar() const { return Retornar_; }

public slots:
    void SintaxeRetornar();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void mostraQuadro();

    QString tituloAplicacao_;
    MemoSintaxe memo_;
    QPlainTextEdit* SintaxeEst_;
    QPushButton* Retornar_;
};

} // namespace vendrilo
