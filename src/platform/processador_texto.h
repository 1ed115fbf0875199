#pragma once
// Entrega de texto a um processador de textos: um documento novo do
// LibreOffice Writer com o texto, para o aluno imprimir por lá. Uma
// instância já aberta recebe o documento (o soffice repassa o pedido a ela).

#include <QString>
#include <QStringList>

namespace vendrilo {

class ProcessadorTexto {
public:
    virtual ~ProcessadorTexto();

    // Passo de conexão: procura o processador, sem mostrar nada.
    // Verdadeiro quando há um instalado.
    virtual bool conecta() = 0;
    virtual bool conectado() const = 0;

    // Abre um documento novo com `texto` (linhas separadas por CR LF, CR ou
    // LF) e o mostra. Vazio em sucesso; senão, o motivo em português.
    virtual QString abreDocumentoNovo(const QString& texto) = 0;
};

// A implementação em uso; a do LibreOffice por omissão.
ProcessadorTexto& processadorTexto();
// Troca a implementação (testes); nullptr volta à real. Não toma posse.
void defineProcessadorTexto(ProcessadorTexto* p);

// Texto mostrado quando nenhum processador de textos está instalado.
QString MensagemSemProcessador();

class ProcessadorLibreOffice : public ProcessadorTexto {
public:
    // `programa` vazio: procura soffice/libreoffice no PATH e nas pastas
    // de instalação usuais.
    explicit ProcessadorLibreOffice(QString programa = {});

    bool conecta() override;
    bool conectado() const override { return !encontrado_.isEmpty(); }
    QString abreDocumentoNovo(const QString& texto) override;

    QString programaEncontrado() const { return encontrado_; }
    // Documento escrito na última entrega (modelo do documento novo).
    QString ultimoDocumento() const { return ultimo_; }
    // Pasta dos documentos entregues; padrão: a pasta temporária do sistema.
    void definePastaDocumentos(const QString& pasta) { pasta_ = pasta; }

private:
    QString programa_;
    QString encontrado_;
    QString ultimo_;
    QString pasta_;
};

// Documento de texto em ODF de arquivo único (.fodt): um parágrafo por
// linha, espaços e tabulações preservados, fonte de largura fixa.
QByteArray DocumentoFodt(const QString& texto);

} // namespace vendrilo
