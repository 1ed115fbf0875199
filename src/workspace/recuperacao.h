#pragma once
// Cópias de recuperação: todo documento modificado, com nome ou sem, é
// gravado numa área da pasta do programa poucos segundos depois da última
// mudança. Se o programa morrer (kill, falta de luz), a próxima partida
// oferece trazê-los de volta. O arquivo do aluno nunca é tocado aqui.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QTimer;

namespace vendrilo {

class TFrmFilha;
class TfrmPrincipal;

class Recuperacao : public QObject {
    Q_OBJECT
public:
    // Espera entre a última mudança e a gravação da cópia.
    static constexpr int kEsperaMs = 2000;

    // `area`: a pasta das cópias. Cada execução usa uma subpasta própria,
    // criada na primeira cópia e travada enquanto o programa vive.
    Recuperacao(TfrmPrincipal* principal, const QString& area);
    ~Recuperacao() override;

    // Passa a guardar a janela enquanto ela estiver modificada.
    void acompanha(TFrmFilha* filha);
    // Apaga a cópia da janela (salva ou fechada de propósito sem salvar).
    void descarta(TFrmFilha* filha);
    // Grava já as cópias pendentes.
    void gravaPendentes();

    // Documentos deixados por execuções que morreram sem fechar.
    struct Documento {
        QString legenda; // nome mostrado (SemNome2, PROVA.ALG)
        QString arquivo; // caminho do arquivo do aluno; vazio se sem nome
        QStringList linhas;
        QString copia; // caminho da cópia, para apagá-la
    };
    QList<Documento> abandonados() const;

    // Pergunta se traz de volta os abandonados; Sim reabre cada um, marcado
    // como modificado e com o nome antigo. Não os apaga. Devolve quantos
    // voltaram.
    int ofereceRecuperacao();

    QString pastaSessao() const { return sessao_; }

private:
    struct Vigia {
        QPointer<TFrmFilha> filha;
        QTimer* relogio = nullptr;
        int numero = 0;
    };
    bool garanteSessao();
    void grava(TFrmFilha* filha);
    QString copia(int numero, const char* extensao) const;
    void apagaSessao(const QString& pasta) const;

    TfrmPrincipal* principal_;
    QString area_;
    QString sessao_;
    int trava_ = -1;
    int proximo_ = 1;
    QHash<TFrmFilha*, Vigia> vigias_;
};

} // namespace vendrilo
