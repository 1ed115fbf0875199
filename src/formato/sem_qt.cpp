// O núcleo não enxerga o Qt: se algum dia o alvo ganhar os cabeçalhos dele,
// a compilação para aqui, antes que alguém passe a depender deles.
#if __has_include(<QtCore/qglobal.h>) || __has_include(<qglobal.h>) || __has_include(<QtGlobal>)
#error "vendrilo_nucleo não pode usar o Qt: a janela vai para vendrilo_qt"
#endif
