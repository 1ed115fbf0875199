#pragma once
// Toda pergunta modal, caixa de mensagem, diálogo de arquivo e caixa de
// entrada passa por esta interface, para que os testes possam respondê-las.

#include <QString>
#include <QStringList>

class QWidget;

namespace vendrilo {

// Botões e ícones no estilo das caixas de mensagem clássicas, para que os
// sinalizadores e resultados (0x33, 36, 6 = Sim...) sejam os mesmos.
namespace Caixa {
// Os botões ocupam o dígito baixo e os ícones o alto. Ok é o zero (só o botão
// OK): não se combina, basta o ícone (`Caixa::IconeErro` já tem o OK).
enum Flags : unsigned {
    Ok = 0x00,
    OkCancelar = 0x01,
    SimNaoCancelar = 0x03,
    SimNao = 0x04,
    IconeErro = 0x10,
    IconePergunta = 0x20,
    IconeAviso = 0x30,
    IconeInformacao = 0x40,
};
enum Resultado : int { RespOk = 1, RespCancelar = 2, RespSim = 6, RespNao = 7 };
} // namespace Caixa

class Dialogos {
public:
    virtual ~Dialogos();

    // Aviso simples com botão OK, com o título da aplicação.
    virtual void mostraMensagem(const QString& texto) = 0;

    // Caixa de mensagem com botões e ícone por `flags`; devolve Caixa::Resultado.
    virtual int caixaMensagem(const QString& texto, const QString& titulo, unsigned flags) = 0;

    // Diálogo de abrir; vazio quando cancelado. `filtro` no formato do Qt.
    virtual QString abreArquivo(const QString& titulo, const QString& filtro,
                                const QString& pasta) = 0;

    // Diálogo de abrir com seleção múltipla; lista vazia quando cancelado.
    virtual QStringList abreArquivos(const QString& titulo, const QString& filtro,
                                     const QString& pasta) = 0;

    // Diálogo de salvar; vazio quando cancelado. Não pergunta sobre sobrescrita.
    virtual QString salvaArquivo(const QString& titulo, const QString& filtro,
                                 const QString& pasta, const QString& nomeInicial) = 0;

    // Caixa de entrada de texto; falso quando cancelada.
    virtual bool pedeTexto(const QString& titulo, const QString& rotulo, QString& valor) = 0;

    // Aviso sonoro curto (Beep/MessageBeep).
    virtual void bipe() = 0;

    // Janela dona das caixas (pode ser nula).
    void defineJanelaPai(QWidget* pai) { pai_ = pai; }
    QWidget* janelaPai() const { return pai_; }

private:
    QWidget* pai_ = nullptr;
};

// A implementação em uso; a real por omissão.
Dialogos& dialogos();

// Troca a implementação (testes); nullptr volta à real. Não toma posse.
void defineDialogos(Dialogos* d);

} // namespace vendrilo
