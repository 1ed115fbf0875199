#pragma once
// Comandos da janela principal: cada item de menu e cada botão da barra é
// uma QAction com o nome do componente (Novo1, btnNovo...). Os módulos de
// outras funções ligam seus tratadores e mostram os itens que eram ocultos.

#include <QHash>
#include <QObject>

#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace vendrilo {

class AcoesPrincipal : public QObject {
    Q_OBJECT
public:
    // Cria menus, barra de ferramentas e atalhos na janela.
    explicit AcoesPrincipal(QMainWindow* janela);

    // A ação de nome `nome` (nome do componente); nula quando não existe.
    QAction* acao(const QString& nome) const { return acoes_.value(nome); }
    QMenu* menu(const QString& nome) const { return menus_.value(nome); }
    QToolBar* barra() const { return barra_; }

    // Liga `tratador` ao item de menu e ao botão (qualquer um pode ser vazio)
    // e os torna visíveis.
    void ligaComando(const QString& item, const QString& botao, const std::function<void()>& tratador);

    // Mostra ou esconde uma ação; menus e separadores acompanham.
    void mostra(const QString& nome, bool visivel = true);

signals:
    // Texto de ajuda do botão sob o mouse (painel 2).
    void dica(const QString& texto);

protected:
    bool eventFilter(QObject* alvo, QEvent* e) override;

private:
    QAction* cria(const QString& nome, const QString& texto, const QString& atalho = {});
    QAction* botao(const QString& nome, const QString& dica, const QString& textoStatus,
                   const QString& icone);
    void criaMenus();
    void criaBarra();
    void arrumaVisibilidade();

    QMainWindow* janela_;
    QToolBar* barra_ = nullptr;
    QHash<QString, QAction*> acoes_;
    QHash<QString, QMenu*> menus_;
    QHash<QObject*, QString> dicas_;
    QList<QList<QAction*>> gruposBarra_;
    QList<QAction*> separadoresBarra_;
};

} // namespace vendrilo
