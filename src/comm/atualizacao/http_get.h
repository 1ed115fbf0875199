#pragma once
// Componente não visual que baixa uma URL para um arquivo num fio de
// trabalho, avisando progresso, conclusão e falha no fio da interface.

#include <QObject>
#include <QString>

#include <memory>

namespace vendrilo {

class THTTPGet : public QObject {
    Q_OBJECT
public:
    explicit THTTPGet(QObject* pai = nullptr);
    ~THTTPGet() override; // cancela a transferência em curso, sem eventos

    // Propriedades, com os valores padrão do componente.
    QString AcceptTypes() const { return acceptTypes_; }
    void setAcceptTypes(const QString& v) { acceptTypes_ = v; }
    QString Agent() const { return agent_; } // vazio: nenhum nome de cliente
    void setAgent(const QString& v) { agent_ = v; }
    bool BinaryData() const { return binaryData_; } // sem tamanho anunciado = falha
    void setBinaryData(bool v) { binaryData_ = v; }
    QString URL() const { return url_; }
    void setURL(const QString& v) { url_ = v; }
    bool UseCache() const { return useCache_; }
    void setUseCache(bool v) { useCache_ = v; }
    QString FileName() const { return fileName_; }
    void setFileName(const QString& v) { fileName_ = v; }
    QString UserName() const { return userName_; }
    void setUserName(const QString& v) { userName_ = v; }
    QString Password() const { return password_; }
    void setPassword(const QString& v) { password_ = v; }
    QString PostQuery() const { return postQuery_; } // não vazio: POST de formulário
    void setPostQuery(const QString& v) { postQuery_ = v; }
    QString Referer() const { return referer_; }
    void setReferer(const QString& v) { referer_ = v; }
    bool WaitThread() const { return waitThread_; } // StartDownload espera o fim
    void setWaitThread(bool v) { waitThread_ = v; }

    // Limites de espera, em segundos: para conectar e sem receber nada.
    int TempoConexao() const { return tempoConexao_; }
    void setTempoConexao(int s) { tempoConexao_ = s; }
    int TempoLeitura() const { return tempoLeitura_; }
    void setTempoLeitura(int s) { tempoLeitura_ = s; }

    // Começa a baixar para FileName; ignorado enquanto outra está em curso.
    void StartDownload();
    // Pede ao fio que pare; a transferência conta como falha (OnError).
    void CancelDownload();

    bool Executando() const { return trabalho_ != nullptr; }
    bool Sucesso() const { return sucesso_; } // da última transferência
    QString UltimoErro() const { return ultimoErro_; } // motivo técnico da última falha

signals:
    void OnProgress(QObject* Sender, qint64 TotalSize, qint64 Readed);
    void OnDoneFile(QObject* Sender, const QString& FileName, qint64 FileSize);
    void OnError(QObject* Sender);

private:
    struct Trabalho;
    void conclui(); // no fio da interface, depois que o fio terminou

    QString acceptTypes_ = QStringLiteral("*/*");
    QString agent_ = QStringLiteral("Corvanel HTTPGet");
    bool binaryData_ = false;
    QString url_;
    bool useCache_ = false;
    QString fileName_;
    QString userName_;
    QString password_;
    QString postQuery_;
    QString referer_;
    bool waitThread_ = false;
    int tempoConexao_ = 15;
    int tempoLeitura_ = 30;

    std::shared_ptr<Trabalho> trabalho_;
    bool sucesso_ = false;
    QString ultimoErro_;
};

} // namespace vendrilo
