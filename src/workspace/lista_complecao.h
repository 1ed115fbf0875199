#pragma once
// Janela da lista de comandos (complementação) presa ao editor: título,
// entradas filtradas pela palavra digitada e escolha pelo teclado ou mouse.

#include <QFrame>

class QLabel;
class QListWidget;
class QKeyEvent;

namespace vendrilo {

class ListaComplecao : public QFrame {
    Q_OBJECT
public:
    explicit ListaComplecao(QWidget* pai);

    // Mostra só as entradas cuja exibição começa com `prefixo` (sem caixa);
    // falso (e escondida) quando nenhuma serve.
    bool filtra(const QString& prefixo);

    // Índices (na ListaComandos) das entradas visíveis, na ordem.
    QList<int> visiveis() const { return indices_; }
    int linhaAtual() const;
    void defineLinhaAtual(int linha);

    // Trata as teclas de navegação; verdadeiro quando a tecla foi usada.
    bool trataTecla(QKeyEvent* e);

signals:
    // Uma entrada foi escolhida (índice na ListaComandos).
    void escolhida(int indice);

private:
    QLabel* titulo_;
    QListWidget* lista_;
    QList<int> indices_;
};

} // namespace vendrilo
