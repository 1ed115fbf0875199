#include "platform/desktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace vendrilo {

bool AbreEndereco(const QUrl& endereco)
{
    return endereco.isValid() && QDesktopServices::openUrl(endereco);
}

} // namespace vendrilo
