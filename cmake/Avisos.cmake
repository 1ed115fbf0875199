# Avisos ligados em todo código nosso; nenhum aviso é tolerado nele.
# Com -DVENDRILO_WERROR=ON (a CI pode pedir) um aviso para a compilação.
option(VENDRILO_WERROR "Trata os avisos do compilador como erros" OFF)

function(vendrilo_avisos alvo)
  get_target_property(_ja ${alvo} VENDRILO_AVISOS)
  if(_ja)
    return()
  endif()
  target_compile_options(${alvo} PRIVATE -Wall -Wextra $<$<BOOL:${VENDRILO_WERROR}>:-Werror>)
  set_target_properties(${alvo} PROPERTIES VENDRILO_AVISOS ON)
endfunction()

# Passa por todos os alvos compilados a partir de `pasta` (e das subpastas) e
# liga os avisos dos que ficaram sem eles: nenhum alvo novo escapa.
function(vendrilo_avisos_em_todos pasta)
  get_property(alvos DIRECTORY ${pasta} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(alvo IN LISTS alvos)
    get_target_property(tipo ${alvo} TYPE)
    if(tipo MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      vendrilo_avisos(${alvo})
    endif()
  endforeach()
  get_property(subpastas DIRECTORY ${pasta} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subpastas)
    vendrilo_avisos_em_todos(${sub})
  endforeach()
endfunction()
