#include "workspace/pasta_provisoria.h"

#include <QDir>

namespace vendrilo {

QString PastaDoPrograma()
{
    const QString daVariavel = qEnvironmentVariable("VENDRILO_PASTA");
    if (!daVariavel.isEmpty())
        return daVariavel;
    return QDir::homePath() + QStringLiteral("/vendrilo");
}

} // namespace vendrilo
