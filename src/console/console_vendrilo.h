#pragma once
// O console do Vendrilo: a tela de um terminal (libvterm) pintada num
// widget, sobre um pseudoterminal em que roda o programa. Serve a janela
// do comando Executar, o painel sob o editor e, com abrePty(), um processo
// de fora que liga o seu programa ao escravo.

#include "console/tela_terminal.h"
#include "platform/console.h"
#include "platform/pty_processo.h"

#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <memory>

class QSocketNotifier;

namespace vendrilo {

class ConsoleVendrilo : public QWidget {
    Q_OBJECT
public:
    // `utf8` falso: os bytes do programa e as teclas são Windows-1252.
    explicit ConsoleVendrilo(const ConfigConsole& config = {}, bool utf8 = false, QWidget* pai = nullptr);
    ~ConsoleVendrilo() override;

    // Inicia o programa (sem interpretador de comandos) no pseudoterminal.
    // `ambiente`: "NOME=valor" somados aos herdados. Falso, com o motivo em
    // `erro`, quando não iniciou.
    bool iniciaPrograma(const QStringList& argv, const QString& pasta, const QStringList& ambiente,
                        QString* erro = nullptr);
    // Só o pseudoterminal, para um processo de fora; o nome do escravo vem
    // em nomeEscravo().
    bool abrePty(QString* erro = nullptr);
    QString nomeEscravo() const;
    bool rodando() const;
    // Número do processo do programa (o grupo dele tem o mesmo); -1 sem programa.
    qint64 pid() const { return pty_ ? pty_->pid() : -1; }
    // Mata o programa e os filhos dele; a tela fica como estava.
    void encerra();

    // Bytes crus para o programa, como se digitados.
    void escreveEntrada(const QByteArray& bytes);
    // Texto do próprio console (não do programa) escrito na tela.
    void mostraTexto(const QString& texto);
    // Depois disto, ENTER emite enterNoFim() em vez de ir ao programa.
    void esperaEnter() { esperandoEnter_ = true; }

    const TelaTerminal& tela() const { return *tela_; }
    // Texto de uma linha da tela (sem os brancos do fim) e de uma célula.
    QString textoLinha(int linha) const;
    QString textoSelecionado() const;
    void copia() const;
    void cola();

    QSize sizeHint() const override;

signals:
    void saidaRecebida(const QByteArray& bytesDoPrograma);
    void terminou(int status);
    void enterNoFim();

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* ev) override;
    void inputMethodEvent(QInputMethodEvent* ev) override;
    void mousePressEvent(QMouseEvent* ev) override;
    void mouseMoveEvent(QMouseEvent* ev) override;
    void wheelEvent(QWheelEvent* ev) override;
    bool focusNextPrevChild(bool) override { return false; }

private:
    void leSaida();
    void verificaFim();
    void enviaTexto(const QString& texto);
    void alimenta(const char* bytes, std::size_t n);
    QPoint celulaEm(const QPoint& p) const;
    bool selecionada(int coluna, int linha) const;

    ConfigConsole config_;
    bool utf8_;
    std::unique_ptr<TelaTerminal> tela_;
    std::unique_ptr<ProcessoPty> pty_;
    QSocketNotifier* leitor_ = nullptr;
    QTimer pintura_, vigia_;
    QFont fonte_;
    int larguraCelula_ = 8, alturaCelula_ = 16, ascendente_ = 12;
    int deslocamento_ = 0; // linhas do histórico à vista (0: a tela atual)
    bool fimAvisado_ = false;
    bool esperandoEnter_ = false;
    bool selecionando_ = false;
    QPoint selInicio_, selFim_; // coluna, linha (negativa: histórico)
};

} // namespace vendrilo
