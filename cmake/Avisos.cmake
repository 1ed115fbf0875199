# Avisos ligados em todo código nosso; nenhum aviso é tolerado nele.
function(vendrilo_avisos alvo)
  target_compile_options(${alvo} PRIVATE -Wall -Wextra)
endfunction()
