#include "platform/traducoes.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vendrilo {

QStringList InstalaTraducoes()
{
    const QString pasta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    QStringList faltaram;
    for (const char* nome : {"qtbase_pt_BR", "qscintilla_pt_br"}) {
        auto* t = new QTranslator(QCoreApplication::instance());
        if (t->load(QLatin1String(nome), pasta)) {
            QCoreApplication::installTranslator(t);
        } else {
            faltaram << QLatin1String(nome);
            delete t;
        }
    }
    return faltaram;
}

} // namespace vendrilo
