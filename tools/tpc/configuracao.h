#pragma once
// A configuração do Free Pascal que o tpc passa ao compilador, como
// fpc.cfg na pasta da compilação (a primeira que ele procura): a mesma que
// ele leria, ou, num programa gerado sem BIBLIOTECA, uma enxuta.
//
// A configuração instalada procura unidades em todos os pacotes
// ("-Fu.../units/$fpctarget/*"): o compilador lista cada uma dessas pastas
// e consulta cada arquivo delas a cada compilação, milhares de chamadas ao
// sistema, mais tempo do que leva para compilar um algoritmo. O programa
// gerado só usa CRT, DOS e AUTORIA, que dependem apenas de rtl e
// rtl-console; o resto da configuração (otimização, ligação, bibliotecas)
// fica como está.

#include <filesystem>
#include <string>

namespace vendrilo::tpc {

// O arquivo de configuração que o compilador `compilador` leria, na ordem
// em que ele procura (pasta atual, ~/.fpc.cfg, PPC_CONFIG_PATH ou a pasta
// etc ao lado do compilador, /etc); vazio se não há nenhum.
std::filesystem::path ConfiguracaoPadrao(const std::filesystem::path& compilador);

// O mesmo texto, com cada pasta de unidades terminada em "/*" trocada
// pelas pastas rtl e rtl-console dela. Falso se nada mudou.
bool ConfiguracaoEnxuta(const std::string& texto, std::string& enxuta);

// O texto da configuração padrão do compilador; falso se não há nenhuma.
bool LeConfiguracaoPadrao(const std::filesystem::path& compilador, std::string& texto);

} // namespace vendrilo::tpc
