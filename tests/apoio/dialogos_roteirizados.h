#pragma once
// Dublê de teste da interface de diálogos: registra o que foi perguntado e
// devolve respostas roteirizadas, na ordem em que foram enfileiradas.

#include "platform/dialogos.h"

#include <QQueue>
#include <QStringList>

namespace vendrilo::teste {

struct Pergunta {
    QString tipo;   // "mensagem", "caixa", "abre", "abreVarios", "salva", "texto", "bipe"
    QString texto;  // texto da mensagem, ou título do diálogo
    QString titulo; // título da caixa, ou filtro do diálogo
    unsigned flags = 0;
    QString pasta;  // pasta inicial dos diálogos de arquivo
    QString nomeInicial;
};

class DialogosRoteirizados final : public Dialogos {
public:
    DialogosRoteirizados();  // instala-se como a implementação em uso
    ~DialogosRoteirizados() override; // e volta à real

    // Respostas enfileiradas. Fila vazia: caixa → Cancelar (ou OK), arquivo → "".
    QQueue<int> respostasCaixa;
    QQueue<QString> respostasArquivo;
    QQueue<QStringList> respostasArquivos;
    QQueue<QString> respostasTexto; // texto nulo (QString()) = cancelar

    QList<Pergunta> perguntas;
    int bipes = 0;

    // Só os textos de mensagens e caixas, na ordem.
    QStringList textos() const;
    void limpa();

    void mostraMensagem(const QString& texto) override;
    int caixaMensagem(const QString& texto, const QString& titulo, unsigned flags) override;
    QString abreArquivo(const QString& titulo, const QString& filtro, const QString& pasta) override;
    QStringList abreArquivos(const QString& titulo, const QString& filtro,
                             const QString& pasta) override;
    QString salvaArquivo(const QString& titulo, const QString& filtro, const QString& pasta,
                         const QString& nomeInicial) override;
    bool pedeTexto(const QString& titulo, const QString& rotulo, QString& valor) override;
    void bipe() override;
};

} // namespace vendrilo::teste
