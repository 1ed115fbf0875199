#pragma once
// Pasta do programa vista pelo espaço de trabalho (diálogos de arquivo).
// Provisória: será trocada pela da camada da plataforma.

#include <QString>

namespace vendrilo {

// $VENDRILO_PASTA, ou ~/vendrilo.
QString PastaDoPrograma();

} // namespace vendrilo
