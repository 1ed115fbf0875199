#pragma once
// Unidades que o tpc gera para uma compilação (a de linhas, nos algoritmos
// com BIBLIOTECA), guardadas já compiladas na pasta das unidades:
// compilá-las de novo a cada F9 custava quase tanto quanto o programa do
// aluno.
//
// Cada entrada é uma pasta com o fonte, o .ppu e o .o, nomeada por um
// resumo do texto da unidade e da identidade (tamanho e data) dos arquivos
// de que a compilação depende (AUTORIA, compilador). Uma entrada nunca muda
// depois de pronta; se mesmo assim o compilador a achar velha, ele compila
// a unidade de novo na pasta da compilação, e o resultado é o mesmo.

#include <filesystem>
#include <string>
#include <vector>

namespace vendrilo::tpc {

// Pasta da entrada (pronta ou não) dentro de `raiz`.
std::filesystem::path EntradaCacheUnidade(const std::filesystem::path& raiz, const std::string& texto,
                                          const std::vector<std::filesystem::path>& dependencias);

// A entrada tem o fonte, o .ppu e o .o da unidade `nome`.
bool CacheUnidadePronta(const std::filesystem::path& entrada, const std::string& nome);

// Guarda a unidade `nome` compilada agora (fonte em `pastaFonte`, .ppu e .o
// em `pastaObj`). A entrada aparece inteira ou não aparece: duas
// compilações ao mesmo tempo não veem uma pela metade. Falso se não coube.
bool GuardaCacheUnidade(const std::filesystem::path& entrada, const std::filesystem::path& pastaFonte,
                        const std::filesystem::path& pastaObj, const std::string& nome);

} // namespace vendrilo::tpc
