#pragma once
// Reescrita do relatório do compilador para o aluno: a mensagem em português,
// o arquivo .ALG e a linha do algoritmo no lugar do .PAS e da linha do Pascal.
//
// O relatório é a lista das linhas da saída do compilador (Windows-1252),
// índice 0 = primeira linha. Formato esperado de uma compilação com erro:
//   1, 2  linhas do compilador; a que citar "CAMINHO.PAS(L)" é reescrita
//   3     "CAMINHO.PAS(L): Error N: texto em inglês"
//   4     cópia da linha L do Pascal
//   5     "^" sob a coluna do erro
// Uso pela compilação, nesta ordem: preencher as linhas, trocar a linha 0
// pelo título, TrocaMsgErro(linhas), depois
//   if (auto n = TrocaLinhaErro(linhas, BibliotecaUsada, linhasDoEditor)) LinhaErro = *n;

#include <optional>
#include <string>
#include <vector>

namespace vendrilo {

// Quantidade de mensagens conhecidas do compilador (números 1 a 144).
inline constexpr int TotalMensagensCompilador = 144;

// Chaves do compilador: a linha i é ": Error " + (i + 1) + ":".
const std::vector<std::string>& Erropas();

// Mensagens em português (Windows-1252), paralelas a Erropas:
// a linha i é ": Erro " + (i + 1) + ": " + texto.
const std::vector<std::string>& Erropor();

// Traduz a mensagem da primeira linha que contém ": Error" (e só dela): corta
// a linha antes de ": Error" e anexa a mensagem de Erropor. Número sem linha na
// tabela, ou sem ":" depois dele, deixa a linha em inglês. Devolve se traduziu.
bool TrocaMsgErro(std::vector<std::string>& Memo1);

// Índice (base 0) da linha do algoritmo que corresponde à linha L (base 1) do
// Pascal: o programa gerado tem 26 linhas de moldura e, sem BIBLIOTECA, uma
// linha de ";" antes da primeira linha do algoritmo.
int LinhaAlgoritmoDaLinhaPascal(long long L, int BibliotecaUsada);

// Na linha 3, troca o número L de "CAMINHO.PAS(L)" por n + 1 e ".PAS(" por
// ".ALG("; nas linhas 1 e 2 troca ".PAS(" da referência ao arquivo por ".ALG(";
// a linha 4 recebe LinhasAlgoritmo[n] (vazia quando n está fora do texto).
// Devolve n (LinhaErro), que pode ser negativo ou passar do fim do texto.
// Sem o formato esperado (menos de 4 linhas, nenhum ".PAS(" seguido de
// dígitos e ")" na linha 3) devolve nullopt e não altera nada.
std::optional<int> TrocaLinhaErro(std::vector<std::string>& Memo1, int BibliotecaUsada,
                                  const std::vector<std::string>& LinhasAlgoritmo);

} // namespace vendrilo
