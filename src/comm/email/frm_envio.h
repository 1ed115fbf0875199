#pragma once
// Janela de envio de algoritmos por e-mail. Criada uma vez e reaberta
// modalmente: os campos guardam o que o aluno digitou entre aberturas, só a
// mensagem é limpa a cada ativação.

#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace vendrilo {

class CaixaEscolha;
struct ConfigEmail;

// Itens da lista de cursos, na ordem da janela.
inline constexpr const char* kCursos[] = {"Sistemas de Informação", "Engenharia da Computação",
                                          "Licenciatura Plena em Matemática", "Outros"};

// O filtro do RA: dígitos, "x" minúsculo e as teclas de controle de copiar,
// apagar, tabulação, enter, colar e escape.
bool CaractereRAPermitido(char32_t c);

class TfrmEnvio : public QDialog {
    Q_OBJECT
public:
    // `pastaPrograma`: onde ficam email.ini e onde começa o diálogo de anexos.
    explicit TfrmEnvio(const QString& pastaPrograma, QWidget* pai = nullptr);
    // Na pasta do programa de sempre (PastaPrograma()).
    explicit TfrmEnvio(QWidget* pai = nullptr);

    void definePastaPrograma(const QString& pasta) { pasta_ = pasta; }
    QString pastaPrograma() const { return pasta_; }

    // Espera entre o login POP3 e o SMTP (2000 ms); os testes a encurtam.
    void defineEsperaPop(int ms) { esperaPopMs_ = ms; }
    int esperaPop() const { return esperaPopMs_; }

    // Curso que vai na assinatura: o item escolhido, ou o primeiro.
    QString textoCurso() const;
    // Endereço do destinatário escolhido em "Para:" (vazio sem escolha).
    QString enderecoDestinatario(const ConfigEmail& cfg) const;

public slots:
    void FormActivate();
    void BtnNovoClick();
    void BtnEnviarClick();
    void BtnAnexarClick();
    void BtnAjudaClick();
    void BtnSairClick();

protected:
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    void montaJanela();
    bool leConfig(ConfigEmail& cfg, QString& erro) const;
    void atualizaDestinos();
    bool camposConferem();
    void acrescentaAssinatura();
    bool edtRAKeyPress(const QString& texto);

    QString pasta_;
    QString tituloAplicacao_;
    int esperaPopMs_ = 2000;
    QString assinaturaAnexada_; // o bloco de assinatura que está no fim da mensagem

    QLineEdit* edtAluno = nullptr;
    QLineEdit* edtRA = nullptr;
    QLineEdit* edtRemetente = nullptr;
    CaixaEscolha* CBcurso = nullptr;
    CaixaEscolha* CBPara = nullptr;
    QLineEdit* edtCC = nullptr;
    QListWidget* ListBox1 = nullptr;
    QLineEdit* edtAssunto = nullptr;
    QPlainTextEdit* mmMensagem = nullptr;
};

// O comando "Envio de Algoritmos" da janela principal: abre `envio` modalmente.
void btnEmailClick(TfrmEnvio* envio);

// Liga a ação "EnviodeAlgoritmos1" e o botão "ToolButton3" da janela
// principal à abertura modal de `envio`; devolve quantas ligações fez.
int LigaEnvioEmail(QWidget* principal, TfrmEnvio* envio);

} // namespace vendrilo
