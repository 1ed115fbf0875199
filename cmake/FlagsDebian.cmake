# Flags de proteção do Debian (dpkg-buildflags) para builds de pacote:
#   cmake -DVENDRILO_FLAGS_DEBIAN=ON ...
# Desligado por padrão para não invalidar o cache de compilação do
# desenvolvimento, que usa as flags do próprio CMake.
option(VENDRILO_FLAGS_DEBIAN "Compilar com as flags de proteção de dpkg-buildflags" OFF)
if(VENDRILO_FLAGS_DEBIAN)
  find_program(VENDRILO_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
  foreach(tipo CXXFLAGS CPPFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${VENDRILO_DPKG_BUILDFLAGS} --get ${tipo}
      WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
      OUTPUT_VARIABLE flags_${tipo} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
  string(APPEND CMAKE_CXX_FLAGS " ${flags_CPPFLAGS} ${flags_CXXFLAGS}")
  string(APPEND CMAKE_EXE_LINKER_FLAGS " ${flags_LDFLAGS}")
  string(APPEND CMAKE_SHARED_LINKER_FLAGS " ${flags_LDFLAGS}")
endif()
