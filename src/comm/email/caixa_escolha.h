#pragma once
// Lista suspensa com digitação que distingue "item escolhido na lista" de
// "texto digitado": um texto digitado, mesmo igual a um item, não é escolha.

#include <QComboBox>

namespace vendrilo {

class CaixaEscolha : public QComboBox {
public:
    explicit CaixaEscolha(QWidget* pai = nullptr);

    // Índice do item escolhido, ou -1 quando nada foi escolhido ou o aluno digitou.
    int itemEscolhido() const { return digitado_ ? -1 : currentIndex(); }

    // Escolhe o item `i` (-1 tira a escolha e limpa o texto).
    void escolhe(int i);

    // Nenhum item escolhido, mostrando `texto`.
    void semEscolha(const QString& texto);

private:
    bool digitado_ = false;
};

} // namespace vendrilo
