# Gera a tabela C++ das mensagens de erro de execução a partir da unidade
# AUTORIA (dados/autoria.pas), para que a sessão passo a passo diga
# exatamente o que o programa diria. Os bytes (Windows-1252) vão como \xNN.
#   cmake -DORIGEM=autoria.pas -DDESTINO=erros_execucao_autoria.inc -P gera_erros_execucao.cmake
file(READ "${ORIGEM}" pascal)
string(REPLACE "\r" "" pascal "${pascal}")
string(REPLACE ";" "<pv>" pascal "${pascal}") # ';' separa listas no CMake
string(REPLACE "\n" ";" linhas "${pascal}")

# Texto Pascal entre apóstrofos -> literal C++ com todos os bytes escapados.
function(literal_cpp texto saida)
  string(REPLACE "''" "'" texto "${texto}")
  string(REPLACE "<pv>" ";" texto "${texto}")
  string(HEX "${texto}" hex)
  string(REGEX REPLACE "(..)" "\\\\x\\1" escapado "${hex}")
  set(${saida} "\"${escapado}\"" PARENT_SCOPE)
endfunction()

set(explicacoes "")
set(numeros "")
set(outros "")
set(dentro "")
foreach(linha IN LISTS linhas)
  if(linha MATCHES "^function Explicacao\\(")
    set(dentro explicacao)
  elseif(linha MATCHES "^function NumeroTurbo\\(")
    set(dentro numero)
  elseif(linha MATCHES "^end<pv>")
    set(dentro "")
  elseif(dentro STREQUAL "explicacao" AND linha MATCHES "^ *([0-9]+): Explicacao := '((''|[^'])*)'<pv>")
    set(n "${CMAKE_MATCH_1}")
    literal_cpp("${CMAKE_MATCH_2}" lit)
    string(APPEND explicacoes "    {${n}, ${lit}},\n")
  elseif(dentro STREQUAL "explicacao" AND linha MATCHES "^ *Explicacao := '((''|[^'])*)'<pv>")
    literal_cpp("${CMAKE_MATCH_1}" outros)
  elseif(dentro STREQUAL "numero" AND linha MATCHES "^ *([0-9]+): NumeroTurbo := ([0-9]+)<pv>")
    string(APPEND numeros "    {${CMAKE_MATCH_1}, ${CMAKE_MATCH_2}},\n")
  endif()
endforeach()
if(explicacoes STREQUAL "" OR outros STREQUAL "")
  message(FATAL_ERROR "${ORIGEM}: a tabela de Explicacao não foi encontrada")
endif()
file(WRITE "${DESTINO}.novo"
  "// Gerado de ${ORIGEM} por gera_erros_execucao.cmake; não editar.\n"
  "// Explicação de cada erro (Windows-1252), como a unidade AUTORIA a escreve.\n"
  "static const std::pair<int, const char*> ExplicacoesAutoria[] = {\n${explicacoes}};\n"
  "// Para os demais números.\n"
  "static const char* const ExplicacaoOutrosAutoria = ${outros};\n"
  "// Número do Free Pascal -> número do Turbo Pascal, onde diferem.\n"
  "static const std::pair<int, int> NumerosTurboAutoria[] = {\n${numeros}};\n")
file(COPY_FILE "${DESTINO}.novo" "${DESTINO}" ONLY_IF_DIFFERENT)
file(REMOVE "${DESTINO}.novo")
