#include "platform/calculadora.h"

#include "platform/dialogos.h"
#include "platform/processo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace vendrilo {

QStringList CalculadorasConhecidas()
{
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("galculator"),
            QStringLiteral("mate-calc"), QStringLiteral("xcalc")};
}

QString ProcuraCalculadora()
{
    for (const QString& nome : CalculadorasConhecidas()) {
        const std::string achado = ProcuraPrograma(QFile::encodeName(nome).toStdString());
        if (!achado.empty())
            return QFile::decodeName(QByteArray::fromStdString(achado));
    }
    return {};
}

QString MensagemSemCalculadora()
{
    return QStringLiteral("Nenhuma calculadora instalada foi encontrada.\n"
                          "Instale uma (por exemplo, a gnome-calculator ou a galculator) "
                          "para usar esta opção.");
}

bool AbreCalculadora()
{
    const QString calculadora = ProcuraCalculadora();
    if (calculadora.isEmpty()) {
        dialogos().caixaMensagem(MensagemSemCalculadora(), QCoreApplication::applicationName(),
                                 Caixa::IconeAviso);
        return false;
    }
    // Começa na pasta pessoal: a pasta corrente do Vendrilo pode sumir depois.
    const QString pasta = QDir(QDir::homePath()).exists() ? QDir::homePath() : QString();
    if (IniciaDesligado({QFile::encodeName(calculadora).toStdString()}, QFile::encodeName(pasta).toStdString()))
        return true;
    dialogos().caixaMensagem(QStringLiteral("Não foi possível iniciar a calculadora \"%1\".")
                                 .arg(QDir::toNativeSeparators(calculadora)),
                             QCoreApplication::applicationName(), Caixa::IconeErro);
    return false;
}

} // namespace vendrilo
