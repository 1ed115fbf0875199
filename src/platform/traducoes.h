#pragma once
// Diálogos de arquivo e de impressão, menus de contexto do editor: tudo o que
// vem pronto do Qt e do QScintilla fala português do Brasil, qualquer que
// seja o idioma do sistema.

#include <QStringList>

namespace vendrilo {

// Instala as traduções encontradas; devolve os arquivos que faltaram (a
// partida segue, esses textos ficam em inglês).
QStringList InstalaTraducoes();

} // namespace vendrilo
