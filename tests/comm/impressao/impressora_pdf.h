#pragma once
// Apoio dos testes de impressão: uma impressora de verdade em PDF no lugar
// da do sistema, diálogos respondidos sem janela, e a leitura do PDF de
// volta pelo pdftotext.

#include "comm/impressao/acesso_impressora.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace vendrilo::teste {

class ImpressoraPdf final : public AcessoImpressora {
public:
    explicit ImpressoraPdf(const QString& arquivoPdf) : impressora_(QPrinter::HighResolution)
    {
        impressora_.setOutputFormat(QPrinter::PdfFormat);
        impressora_.setOutputFileName(arquivoPdf);
        impressora_.setPageSize(QPageSize(QPageSize::A4));
        defineAcessoImpressora(this);
    }
    ~ImpressoraPdf() override { defineAcessoImpressora(nullptr); }

    bool instalada = true;      // há impressora no "sistema"
    bool confirmaDialogo = true; // resposta do diálogo de impressão
    int dialogosImpressao = 0;
    int dialogosConfiguracao = 0;
    QPrinter* ultimaConfigurada = nullptr;

    bool haImpressoraInstalada() override { return instalada; }
    QPrinter& impressora() override { return impressora_; }
    bool dialogoImpressao(QPrinter&, QWidget*) override
    {
        ++dialogosImpressao;
        return confirmaDialogo;
    }
    void dialogoConfiguracao(QPrinter& p, QWidget*) override
    {
        ++dialogosConfiguracao;
        ultimaConfigurada = &p;
    }

private:
    QPrinter impressora_;
};

// Texto do PDF (páginas separadas por \f), normalizado em NFKC: o
// pdftotext devolve ligaduras como "ﬁ".
inline QString textoDoPdf(const QString& arquivo)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                          QStringLiteral("UTF-8"), arquivo, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<pdftotext falhou: %1>").arg(QString::fromLocal8Bit(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

// Linhas não vazias do texto, sem os espaços das pontas.
inline QStringList linhasComTexto(const QString& texto)
{
    QStringList r;
    for (const QString& l : texto.split(QRegularExpression(QStringLiteral("[\r\n\f]"))))
        if (!l.trimmed().isEmpty())
            r << l.trimmed();
    return r;
}

// Palavras do PDF com a caixa de cada uma (pdftotext -bbox), em ordem.
struct PalavraPdf {
    QString texto;
    double xMin = 0, xMax = 0, yMin = 0;
};

inline QList<PalavraPdf> palavrasDoPdf(const QString& arquivo)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), arquivo, QStringLiteral("-")});
    QList<PalavraPdf> r;
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return r;
    static const QRegularExpression palavra(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)</word>"));
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    for (auto it = palavra.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        r.append({m.captured(4), m.captured(1).toDouble(), m.captured(3).toDouble(),
                  m.captured(2).toDouble()});
    }
    return r;
}

} // namespace vendrilo::teste
