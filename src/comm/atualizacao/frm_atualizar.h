#pragma once
// Janela de atualização pela Internet: consulta a versão publicada, baixa o
// pacote novo e passa a vez ao atualizador externo.

#include <QDialog>
#include <QString>

#include <functional>
#include <string>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace vendrilo {

class THTTPGet;

// Caminhos do site de atualização, relativos ao servidor.
inline constexpr const char* kCaminhoUpdateIni = "/ftp/Vendrilo%20de%20Algoritmos/Public/update.ini";
inline constexpr const char* kCaminhoVendriloZip = "/ftp/Vendrilo%20de%20Algoritmos/Public/Vendrilo.zip";
// A assinatura do pacote, ao lado dele; o atualizador a confere.
inline constexpr const char* kCaminhoVendriloSig = "/ftp/Vendrilo%20de%20Algoritmos/Public/Vendrilo.zip.sig";

// Servidor do site ("host" ou "host:porta"), lido de Update/site.ini
// (seção "Site", chave "Host") da pasta do programa, ou dos dados
// instalados quando a pasta não tem o arquivo; vazio se não houver.
QString HostDoSiteAtualizacao(const QString& pastaPrograma);

class TFrmAtualizar : public QDialog {
    Q_OBJECT
public:
    explicit TFrmAtualizar(const QString& pastaPrograma, QWidget* pai = nullptr);
    ~TFrmAtualizar() override;

    std::string LeIni() const;  // versão instalada (Update/versao.ini)
    std::string LeIni2() const; // versão publicada (Update/update.ini)

    // Pede o fim da aplicação depois do download do pacote; devolve falso
    // quando o usuário preferiu continuar (recusou fechar um documento).
    // Trocável para que os testes não encerrem o processo de teste.
    std::function<bool()> encerraAplicacao;

    // Atualizador a iniciar: Update/atualizar da pasta do programa, ou o
    // que está ao lado do executável em uso.
    QString caminhoAtualizador() const;

    THTTPGet* HTTPGetINI = nullptr;
    THTTPGet* HTTPGetZIP = nullptr;
    THTTPGet* HTTPGetSIG = nullptr;
    QPushButton* BtnVerificar = nullptr;
    QPushButton* BtnSair = nullptr;
    QListWidget* LBStatus = nullptr;
    QProgressBar* ProgressBar = nullptr;

public slots:
    void FormActivate();
    void BtnVerificarClick();
    void BtnSairClick();
    void HTTPGetINIProgress(QObject* Sender, qint64 TotalSize, qint64 Readed);
    void HTTPGetINIDoneFile(QObject* Sender, const QString& FileName, qint64 FileSize);
    void HTTPGetINIError(QObject* Sender);
    void HTTPGetZIPDoneFile(QObject* Sender, const QString& FileName, qint64 FileSize);
    void HTTPGetSIGDoneFile(QObject* Sender, const QString& FileName, qint64 FileSize);

public:
    void done(int resultado) override;

protected:
    bool event(QEvent* e) override;

private:
    void criaComponentes();
    void adicionaStatus(const QString& linha);

    QString pasta_;
    QString host_;
};

// Fim da aplicação pelo caminho normal: fecha `principal` (que pergunta
// pelos documentos não salvos) e sai do laço de eventos; falso quando o
// usuário recusou fechar. Sem `principal`, só sai do laço.
std::function<bool()> EncerraPelaJanelaPrincipal(QWidget* principal);

// Abre a janela de atualização, modal, e a destrói depois (ligada à ação
// "Atualizar Vendrilo" da janela principal). Fechar `principal` é o caminho
// usado para encerrar a aplicação, com as perguntas sobre documentos.
void AbreAtualizacao(QWidget* principal, const QString& pastaPrograma);
// O mesmo na pasta do programa em uso (PastaPrograma()).
void AbreAtualizacao(QWidget* principal);

} // namespace vendrilo
