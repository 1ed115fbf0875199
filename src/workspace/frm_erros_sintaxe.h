#pragma once
// Lista dos erros de estrutura; um clique numa mensagem numerada abre a
// página de sintaxe do comando envolvido.

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace vendrilo {

class TFrmSintaxe;

class TFrmErrosSintaxe : public QDialog {
    Q_OBJECT
public:
    explicit TFrmErrosSintaxe(const QString& tituloAplicacao, QWidget* pai = nullptr);

    // As linhas (Windows-1252) e a página de cada linha, como a verificação as
    // deixou (ResultadoEstrutura::ErrosSintaxe e TipoErroLinha).
    void defineErros(const std::vector<std::string>& linhas, const std::vector<int>& TipoErroLinha);

    // Esvazia a lista (também o que ZeraContadores faz com ela).
    void limpaErros();

    QListWidget* ErrosSintaxe() const { return ErrosSintaxe_; }
    QPushButton* Button1() const { return Button1_; }
    TFrmSintaxe* janelaSintaxe() const { return sintaxe_; }

signals:
    // A janela principal esvazia o painel 3 da barra de estado.
    void limpaPainelStatus3();

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

    QString tituloAplicacao_;
    std::vector<int> TipoErroLinha_;
    QListWidget* ErrosSintaxe_;
    QPushButton* Button1_;
    TFrmSintaxe* sintaxe_;
};

} // namespace vendrilo
