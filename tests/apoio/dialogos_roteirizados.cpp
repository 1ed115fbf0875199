#include "dialogos_roteirizados.h"

namespace vendrilo::teste {

DialogosRoteirizados::DialogosRoteirizados() { defineDialogos(this); }

DialogosRoteirizados::~DialogosRoteirizados() { defineDialogos(nullptr); }

QStringList DialogosRoteirizados::textos() const
{
    QStringList r;
    for (const Pergunta& p : perguntas)
        if (p.tipo == QLatin1String("mensagem") || p.tipo == QLatin1String("caixa"))
            r << p.texto;
    return r;
}

void DialogosRoteirizados::limpa()
{
    perguntas.clear();
    bipes = 0;
}

void DialogosRoteirizados::mostraMensagem(const QString& texto)
{
    perguntas.append({QStringLiteral("mensagem"), texto, {}, 0, {}, {}});
}

int DialogosRoteirizados::caixaMensagem(const QString& texto, const QString& titulo, unsigned flags)
{
    perguntas.append({QStringLiteral("caixa"), texto, titulo, flags, {}, {}});
    if (!respostasCaixa.isEmpty())
        return respostasCaixa.dequeue();
    const unsigned botoes = flags & 0x0F;
    return botoes == Caixa::Ok ? Caixa::RespOk
                               : (botoes == Caixa::SimNao ? Caixa::RespNao : Caixa::RespCancelar);
}

QString DialogosRoteirizados::abreArquivo(const QString& titulo, const QString& filtro,
                                          const QString& pasta)
{
    perguntas.append({QStringLiteral("abre"), titulo, filtro, 0, pasta, {}});
    return respostasArquivo.isEmpty() ? QString() : respostasArquivo.dequeue();
}

QStringList DialogosRoteirizados::abreArquivos(const QString& titulo, const QString& filtro,
                                               const QString& pasta)
{
    perguntas.append({QStringLiteral("abreVarios"), titulo, filtro, 0, pasta, {}});
    return respostasArquivos.isEmpty() ? QStringList() : respostasArquivos.dequeue();
}

QString DialogosRoteirizados::salvaArquivo(const QString& titulo, const QString& filtro,
                                           const QString& pasta, const QString& nomeInicial)
{
    perguntas.append({QStringLiteral("salva"), titulo, filtro, 0, pasta, nomeInicial});
    return respostasArquivo.isEmpty() ? QString() : respostasArquivo.dequeue();
}

bool DialogosRoteirizados::pedeTexto(const QString& titulo, const QString& rotulo, QString& valor)
{
    perguntas.append({QStringLiteral("texto"), titulo, rotulo, 0, {}, {}});
    if (respostasTexto.isEmpty())
        return false;
    const QString r = respostasTexto.dequeue();
    if (r.isNull())
        return false;
    valor = r;
    return true;
}

void DialogosRoteirizados::bipe()
{
    ++bipes;
    perguntas.append({QStringLiteral("bipe"), {}, {}, 0, {}, {}});
}

} // namespace vendrilo::teste
