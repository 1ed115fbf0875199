#pragma once
// A pasta das janelas de aprendizagem: a recebida ou, vazia, a do programa.

#include "platform/pasta_programa.h"

#include <QFile>
#include <QString>

namespace vendrilo {

// Nunca um caminho relativo à pasta corrente: sem pasta, a do programa.
inline QString PastaOuPadrao(const QString& pasta)
{
    return pasta.isEmpty() ? QFile::decodeName(PastaPrograma().c_str()) : pasta;
}

} // namespace vendrilo
