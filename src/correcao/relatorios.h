#pragma once
// Os dois relatórios da correção: a planilha CSV (uma linha por aluno) e a
// página HTML autossuficiente; e a leitura da planilha, para juntar fatias.

#include "correcao/turma.h"

#include <map>
#include <string>
#include <vector>

namespace vendrilo::correcao {

// CSV em UTF-8: aluno,situacao,acertos,casos,caso:NOME...,mensagem.
std::string TextoCsv(const std::vector<std::string>& nomesCasos, const std::vector<ResultadoAluno>& alunos);

// Lê uma planilha escrita por TextoCsv. Falso, com a mensagem, quando o
// cabeçalho ou uma linha não tem a forma esperada.
bool LeCsv(const std::string& texto, std::vector<std::string>& nomesCasos,
           std::vector<ResultadoAluno>& alunos, std::string& erro);

// A página: tabela ordenável, gráfico das notas e, por aluno, a mensagem ou
// o primeiro caso errado com entrada, esperado e obtido lado a lado.
// `corpos` (aluno -> HTML) substitui a parte de cada aluno: a de uma página
// de fatia, ao juntar, que guarda o que a planilha não tem.
std::string TextoHtml(const std::vector<std::string>& nomesCasos, const std::vector<ResultadoAluno>& alunos,
                      const std::map<std::string, std::string>& corpos = {});

// A parte de cada aluno numa página escrita por TextoHtml.
std::map<std::string, std::string> CorposDaPagina(const std::string& html);

} // namespace vendrilo::correcao
