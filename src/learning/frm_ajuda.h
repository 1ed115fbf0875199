#pragma once
// Janela da ajuda: as páginas HTML de hlp/ da pasta do programa, com os links
// entre elas funcionando dentro da própria janela.

#include <QDialog>

class QTextBrowser;
class QToolButton;

namespace vendrilo {

class TfrmAjuda : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAjuda(QWidget* pai = nullptr);

    // Abre hlp/index.html da pasta do programa. Falso, com um aviso pela
    // interface de diálogos, quando a ajuda não está instalada.
    // Pasta vazia: a do programa em uso.
    bool abre(const QString& pastaPrograma = {});
    // Ajuda de contexto: a linha de `trecho` na referência das palavras-chave
    // quando ele é (ou começa por) uma palavra-chave; senão, como abre().
    bool abreNaPalavra(const QString& trecho, const QString& pastaPrograma = {});

    // A âncora da referência para o trecho ("tipo-N"), ou vazio.
    static QString AncoraDaPalavra(const QString& trecho);

    QTextBrowser* Navegador;
    QToolButton* btnVoltar;
    QToolButton* btnAvancar;
    QToolButton* btnInicio;
};

} // namespace vendrilo
