#include "comm/impressao/impressao.h"

#include "comm/impressao/acesso_impressora.h"
#include "comm/impressao/dispositivo_texto.h"
#include "platform/dialogos.h"
#include "platform/processador_texto.h"
#include "translate/moldura.h"

#include <QPrinter>

#include <algorithm>

namespace vendrilo {

namespace {

QString titulo()
{
    // O título da aplicação está em Windows-1252, que coincide com o Latin-1 nele.
    return QString::fromLatin1(TituloAplicacao.data(), static_cast<qsizetype>(TituloAplicacao.size()));
}

void avisaErro(const QString& texto)
{
    dialogos().caixaMensagem(texto, titulo(), Caixa::IconeErro);
}

} // namespace

QString MensagemErroImpressao() { return QStringLiteral("Erro na impressao de texto."); }

QString MensagemSemImpressora()
{
    return QStringLiteral("Nenhuma impressora instalada.\n"
                          "Instale uma impressora para imprimir o algoritmo.");
}

QString MensagemFalhaCabecalho()
{
    return QStringLiteral("Não foi possível imprimir o algoritmo: a impressora não aceitou o trabalho.");
}

QFont FonteImpressaoDireta()
{
    QFont f(QStringLiteral("Courier New"), 10);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

QString NomeSemPasta(const QString& caminho)
{
    const qsizetype corte = std::max(caminho.lastIndexOf(u'/'), caminho.lastIndexOf(u'\\'));
    return caminho.mid(corte + 1);
}

QStringList LinhasCabecalho(const QString& arquivoAtual, const QDate& hoje)
{
    const QString nome = arquivoAtual.isEmpty() ? QStringLiteral("SemTítulo.alg")
                                                : NomeSemPasta(arquivoAtual);
    return {titulo(),
            QString(),
            QString(),
            QStringLiteral("Nome do Algoritmo: ") + nome,
            QStringLiteral("Data da Impressão: ") + hoje.toString(QStringLiteral("dd/MM/yyyy")),
            QString(),
            QString()};
}

void ImprimeTexto(const QStringList& linhas)
{
    AcessoImpressora& acesso = acessoImpressora();
    if (!acesso.haImpressoraInstalada()) {
        dialogos().caixaMensagem(MensagemSemImpressora(), titulo(), Caixa::IconeAviso);
        return;
    }
    DispositivoTexto dispositivo(acesso.impressora());
    bool ok = dispositivo.abre(FonteImpressaoDireta());
    for (qsizetype i = 0; ok && i < linhas.size(); ++i)
        ok = dispositivo.escreve(linhas[i]);
    // Fecha sempre, também depois de uma falha na escrita.
    ok = dispositivo.fecha() && ok;
    if (!ok)
        avisaErro(MensagemErroImpressao());
}

bool ImprimeComCabecalho(const QStringList& linhas, const QFont& fonteEditor,
                         const QString& arquivoAtual, QWidget* pai)
{
    AcessoImpressora& acesso = acessoImpressora();
    QPrinter& impressora = acesso.impressora();
    if (!acesso.dialogoImpressao(impressora, pai))
        return false;
    impressora.setDocName(arquivoAtual.isEmpty() ? QStringLiteral("SemTítulo.alg")
                                                 : NomeSemPasta(arquivoAtual));
    DispositivoTexto dispositivo(impressora);
    bool ok = dispositivo.abre(fonteEditor);
    const QStringList cabecalho = LinhasCabecalho(arquivoAtual, QDate::currentDate());
    for (qsizetype i = 0; ok && i < cabecalho.size(); ++i)
        ok = dispositivo.escreve(cabecalho[i]);
    for (qsizetype i = 0; ok && i < linhas.size(); ++i)
        ok = dispositivo.escreve(linhas[i]);
    ok = dispositivo.fecha() && ok;
    if (!ok)
        avisaErro(MensagemFalhaCabecalho());
    return ok;
}

void ConfiguraImpressora(QWidget* pai)
{
    AcessoImpressora& acesso = acessoImpressora();
    acesso.dialogoConfiguracao(acesso.impressora(), pai);
}

bool EnviaAoProcessador(const QStringList& linhas)
{
    ProcessadorTexto& processador = processadorTexto();
    if (!processador.conecta()) {
        dialogos().caixaMensagem(MensagemSemProcessador(), titulo(), Caixa::IconeAviso);
        return false;
    }
    const QString erro = processador.abreDocumentoNovo(linhas.join(QStringLiteral("\r\n")));
    if (!erro.isEmpty()) {
        avisaErro(erro);
        return false;
    }
    return true;
}

} // namespace vendrilo
