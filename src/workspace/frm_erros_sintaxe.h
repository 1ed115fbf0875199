#pragma once
// Lista dos erros de estrutura; um clique numa mensagem numerada abre a
// página de sintaxe do comando envolvido. A mensagem que sabe onde está a
// falha mostra a linha ao lado ("linha 12"), e um clique duplo nela pede ao
// editor que leve o cursor até lá.

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;

namespace vendrilo {

class TFrmSintaxe;

class TFrmErrosSintaxe : public QDialog {
    Q_OBJECT
public:
    explicit TFrmErrosSintaxe(const QString& tituloAplicacao, QWidget* pai = nullptr);

    // Papel do item que guarda a linha do algoritmo (0: sem linha).
    static constexpr int PapelLinhaAlgoritmo = Qt::UserRole + 1;

    // As linhas (Windows-1252), a página e a linha do algoritmo de cada uma,
    // como a verificação as deixou (ResultadoEstrutura::ErrosSintaxe,
    // TipoErroLinha e LinhaAlgoritmo).
    void defineErros(const std::vector<std::string>& linhas, const std::vector<int>& TipoErroLinha,
                     const std::vector<int>& LinhaAlgoritmo = {});

    // Esvazia a lista (também o que ZeraContadores faz com ela).
    void limpaErros();

    QListWidget* ErrosSintaxe() const { return ErrosSintaxe_; }
    QPushButton* Button1() const { return Button1_; }
    TFrmSintaxe* janelaSintaxe() const { return sintaxe_; }

signals:
    // A janela principal esvazia o painel 3 da barra de estado.
    void limpaPainelStatus3();
    // Clique duplo numa mensagem com linha: leve o cursor do editor à
    // linha `linha` do algoritmo (a partir de 1).
    void irParaLinha(int linha);

public slots:
    // Clique na linha `linha` (-1 = fora das linhas): aviso ou página de sintaxe.
    void SelecionaErro(int linha);
    void EncerraListaErros();

protected:
    void showEvent(QShowEvent* evento) override;
    void done(int resultado) override;
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    void FormActivate();
    void FormClose();
    void clique(QListWidgetItem* item);
    void cliqueDuplo(QListWidgetItem* item);

    QString tituloAplicacao_;
    std::vector<int> TipoErroLinha_;
    QListWidget* ErrosSintaxe_;
    QPushButton* Button1_;
    TFrmSintaxe* sintaxe_;
    // O clique numa mensagem com linha espera o intervalo do clique duplo,
    // senão a página de sintaxe (modal) engoliria o segundo clique.
    QTimer* cliqueAdiado_;
    int linhaAdiada_ = -1;
};

} // namespace vendrilo
