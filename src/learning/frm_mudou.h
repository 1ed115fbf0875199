#pragma once
// O que mudou?: mostra a lista de mudanças de cada versão (versao.txt).

#include <QDialog>

class QPlainTextEdit;

namespace vendrilo {

class TfrmMudou : public QDialog {
    Q_OBJECT
public:
    // Lê pastaPrograma/versao.txt agora, tal como está no disco. Sem o
    // arquivo, avisa pela interface de diálogos e abre com o texto vazio.
    // Pasta vazia: a do programa em uso.
    explicit TfrmMudou(const QString& pastaPrograma = {}, QWidget* pai = nullptr);

    QPlainTextEdit* Memo1;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void ajustaLargura();
};

// Oquemudou1Click: cursor de espera, uma janela nova mostrada modalmente e
// destruída, cursor normal de volta (também se algo falhar no caminho).
void MostraOQueMudou(const QString& pastaPrograma = {}, QWidget* pai = nullptr);

} // namespace vendrilo
