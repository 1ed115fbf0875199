# Instalação como programa de desktop do Debian e o pacote .deb:
#   cmake --build build && (cd build && cpack -G DEB)
# Para distribuir: -DVENDRILO_FLAGS_DEBIAN=ON -DVENDRILO_ATUALIZACAO_ONLINE=OFF.

set(desktop ${CMAKE_SOURCE_DIR}/dados/desktop)

# Ícones hicolor (o SVG é a fonte; scripts/icones.sh refaz os PNG).
install(FILES ${desktop}/icones/vendrilo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(tamanho 16 22 24 32 48 64 128 256)
  install(FILES ${desktop}/icones/${tamanho}x${tamanho}/vendrilo.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${tamanho}x${tamanho}/apps)
endforeach()
install(FILES ${desktop}/vendrilo-alg.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME vendrilo.xml)
install(FILES ${desktop}/org.example.vendrilo.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Páginas de manual, comprimidas como o Debian as quer.
find_program(VENDRILO_GZIP gzip REQUIRED)
file(GLOB paginas_manual CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/man/*.1)
set(manuais)
foreach(pagina IN LISTS paginas_manual)
  get_filename_component(nome ${pagina} NAME)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/man/${nome}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${VENDRILO_GZIP} -9nc ${pagina} > ${CMAKE_BINARY_DIR}/man/${nome}.gz
    DEPENDS ${pagina} VERBATIM)
  list(APPEND manuais ${CMAKE_BINARY_DIR}/man/${nome}.gz)
endforeach()
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/doc/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND ${VENDRILO_GZIP} -9nc ${CMAKE_SOURCE_DIR}/cmake/changelog > ${CMAKE_BINARY_DIR}/doc/changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/cmake/changelog VERBATIM)
add_custom_target(vendrilo_manuais ALL DEPENDS ${manuais} ${CMAKE_BINARY_DIR}/doc/changelog.gz)
install(FILES ${manuais} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vendrilo)

set(CPACK_PACKAGE_NAME vendrilo)
set(CPACK_PACKAGE_VENDOR "Equipe do Vendrilo")
set(CPACK_PACKAGE_CONTACT "Equipe do Vendrilo <vendrilo@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ambiente de algoritmos em pseudocódigo português")
# A primeira linha é o resumo acima; aqui só a descrição longa.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "O estudante escreve um algoritmo em pseudocódigo estruturado em português,\n"
  "e o Vendrilo o traduz para Pascal, confere a estrutura dos blocos, compila\n"
  "com o Free Pascal, explica em português o primeiro erro do compilador na\n"
  "linha do próprio algoritmo e executa o programa numa janela de console.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vendrilo.example.org/")
# Bibliotecas calculadas pelo dpkg-shlibdeps; o compilador é chamado, não ligado.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fp-compiler, fp-units-rtl")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gdb")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
