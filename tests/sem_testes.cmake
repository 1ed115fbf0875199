# O programa configura sem GoogleTest, Qt Test e Google Benchmark quando os
# testes estão desligados: a busca deles, se chegar a acontecer, falha aqui.
# Uso: cmake -DFONTE=<fonte> -DPASTA=<pasta nova> -DGERADOR=<gerador> -P sem_testes.cmake
file(REMOVE_RECURSE "${PASTA}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -S "${FONTE}" -B "${PASTA}" -G "${GERADOR}" -DBUILD_TESTING=OFF
          -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
  RESULT_VARIABLE resultado OUTPUT_VARIABLE saida ERROR_VARIABLE saida)
if(NOT resultado EQUAL 0)
  message(FATAL_ERROR "A configuração com BUILD_TESTING=OFF falhou:\n${saida}")
endif()
file(STRINGS "${PASTA}/CMakeCache.txt" achados REGEX "^(GTest_DIR|benchmark_DIR|Qt6Test_DIR):PATH=[^N]")
if(achados)
  message(FATAL_ERROR "Pacotes de teste procurados sem testes: ${achados}")
endif()
file(REMOVE_RECURSE "${PASTA}")
