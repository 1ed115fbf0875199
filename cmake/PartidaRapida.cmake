# Executáveis curtos que o F9 inicia a cada compilação (vendrilo-traduz, tpc):
# com a libstdc++ estática o carregador dinâmico não resolve, a cada partida,
# os milhares de símbolos dela. Com sanitizadores fica como está.
option(VENDRILO_PARTIDA_RAPIDA "Liga a libstdc++ estaticamente nos executáveis do F9" ON)

function(vendrilo_partida_rapida alvo)
  if(VENDRILO_PARTIDA_RAPIDA AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang"
     AND NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
    target_link_options(${alvo} PRIVATE -static-libstdc++ -static-libgcc)
  endif()
endfunction()
