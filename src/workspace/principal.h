#pragma once
// Janela principal: a moldura de vários documentos, com a barra de estado,
// o estado da partida e as operações que os outros módulos chamam.

#include <QMainWindow>
#include <QStringList>

#include <functional>

class QAction;
class QLabel;
class QMdiArea;

namespace vendrilo {

class AcoesPrincipal;
class GerenteDocumentos;
class Recuperacao;
class TFrmFilha;

// Título da aplicação, lido por todas as janelas e caixas de mensagem.
QString TituloAplicacao();

class TfrmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    // `argumentos`: os parâmetros da linha de comando (sem o programa).
    explicit TfrmPrincipal(const QStringList& argumentos = {}, QWidget* pai = nullptr);
    ~TfrmPrincipal() override;

    // Ação (item de menu ou botão) pelo nome do componente: "Traduzir1", "btnTraduzir"...
    QAction* acao(const QString& nome) const;
    // Liga um tratador ao item e ao botão e os mostra (ver AcoesPrincipal).
    void ligaComando(const QString& item, const QString& botao, const std::function<void()>& tratador);
    AcoesPrincipal& acoes() const { return *acoes_; }
    GerenteDocumentos& documentos() const { return *documentos_; }
    QMdiArea* areaMdi() const { return mdi_; }
    Recuperacao& recuperacao() const { return *recuperacao_; }

    // Janela de documento ativa (nula sem documentos) e todas, na ordem de criação.
    TFrmFilha* filhaAtiva() const;
    QList<TFrmFilha*> filhas() const;
    // Pede o fechamento (com a pergunta de salvar); verdadeiro quando fechou.
    bool fechaFilha(TFrmFilha* filha);

    // Painéis 0 a 3 da barra de estado.
    void defineStatus(int painel, const QString& texto);
    QString textoStatus(int painel) const;

    // Cria e mostra uma janela de documento com o modelo e o cabeçalho.
    TFrmFilha* CriaFilha(const QString& nome);
    // Habilitam e desabilitam os comandos de documento.
    void Ativa();
    void Desativa();
    // Abre o arquivo da linha de comando na janela ativa.
    void AbreDoArquivo();
    // Rotina de criação: título, família do sistema, conexão ao processador
    // de textos; refeita antes de cada "Usar Word".
    void FormCreate();

    // Estado do programa (globais da unidade principal no desenho original).
    int ContadorSemNome = 1;
    bool ArquivoParametroAberto = false;
    QString VersaoWindows;                    // vazio nesta plataforma
    QString ExemploEscolhido = QStringLiteral(" ");
    QString ArquivoAtual;
    int LinhaErro = 0;         // linha do erro de compilação, a partir de 0
    int ColunaErro = 0;
    int LinhaErroExibida = 0;  // a mesma linha como mostrada ao usuário (a partir de 1)

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* alvo, QEvent* e) override;

private:
    void FormShow();
    void ligaComandosBasicos();
    void Editar1Click();
    void montaListaJanelas();
    QString parametro() const { return argumentos_.value(0); }
    void carregaParametro(TFrmFilha* filha);

    QStringList argumentos_;
    AcoesPrincipal* acoes_;
    GerenteDocumentos* documentos_;
    Recuperacao* recuperacao_;
    QMdiArea* mdi_;
    QLabel* paineis_[4] = {};
    bool mostrada_ = false;
    QList<QAction*> itensJanelas_;
};

} // namespace vendrilo
