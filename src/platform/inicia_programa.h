#pragma once
// Início de um programa independente, que segue vivo depois que o Vendrilo
// termina (o atualizador é iniciado assim).

#include <QString>
#include <QStringList>

namespace vendrilo {

// Inicia `programa` desligado deste processo, com `pasta` como pasta de
// trabalho (vazia: a atual). Falso quando não foi possível iniciá-lo.
bool IniciaProgramaDesligado(const QString& programa, const QStringList& argumentos = {},
                             const QString& pasta = {});

} // namespace vendrilo
