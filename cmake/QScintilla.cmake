# O QScintilla do Debian para Qt 6 não traz arquivo CMake nem pkg-config.
find_path(QSCINTILLA_INCLUDE_DIR Qsci/qsciscintilla.h
          HINTS /usr/include/x86_64-linux-gnu/qt6 /usr/include/qt6 ${Qt6_DIR}/../../../include/qt6)
find_library(QSCINTILLA_LIBRARY NAMES qscintilla2_qt6)
if(NOT QSCINTILLA_INCLUDE_DIR OR NOT QSCINTILLA_LIBRARY)
  message(FATAL_ERROR "QScintilla para Qt 6 não encontrado (pacote libqscintilla2-qt6-dev)")
endif()
add_library(QScintilla::QScintilla UNKNOWN IMPORTED)
set_target_properties(QScintilla::QScintilla PROPERTIES
  IMPORTED_LOCATION ${QSCINTILLA_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${QSCINTILLA_INCLUDE_DIR}
  INTERFACE_LINK_LIBRARIES "Qt6::Widgets;Qt6::PrintSupport")
