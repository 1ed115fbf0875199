#pragma once
// Mensagens no formato dos compiladores de linha de comando
// ("arquivo:linha:coluna: erro: texto"), que editores e listas de erros
// (quickfix) sabem abrir na linha certa.

#include <string>

namespace vendrilo::cli {

// "arquivo:L:C: erro: texto". Linha 0 (desconhecida) omite linha e coluna;
// coluna 0 omite só a coluna. O arquivo sai como foi dado, sem mudar
// maiúsculas.
std::string LinhaGcc(const std::string& arquivo, int linha, int coluna, const std::string& texto);

// Da linha de erro do relatório do compilador ("...ALG(5): Erro 85: Texto")
// tira o texto e o número: "Texto (erro 85)". Sem esse formato, a linha toda.
std::string TextoErroCompilador(const std::string& linhaErro);

} // namespace vendrilo::cli
