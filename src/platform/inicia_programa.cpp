#include "platform/inicia_programa.h"

#include <QFileInfo>
#include <QProcess>

namespace vendrilo {

bool IniciaProgramaDesligado(const QString& programa, const QStringList& argumentos,
                             const QString& pasta)
{
    if (programa.isEmpty() || !QFileInfo(programa).isExecutable())
        return false;
    // Sem shell: o caminho e os argumentos vão como estão, nunca interpretados.
    return QProcess::startDetached(programa, argumentos, pasta);
}

} // namespace vendrilo
