#pragma once
// vendrilo-corrige: leitura da linha de comando.

#include <chrono>
#include <string>
#include <vector>

namespace vendrilo::corrige {

inline constexpr int SaidaSucesso = 0;
inline constexpr int SaidaFalhaCorrecao = 1; // a correção em si não pôde ser feita
inline constexpr int SaidaErroUso = 3;

struct Opcoes {
    bool ajuda = false;
    bool versao = false;
    bool juntar = false;
    std::string casos;
    std::string csv; // vazio: a planilha vai para a saída padrão
    std::string html;
    int trabalhos = 0; // 0: um por processador
    std::chrono::milliseconds tempo{5000};
    int parte = 1, partes = 1;
    std::vector<std::string> arquivos; // entregas, ou as planilhas com --juntar
    std::string erro; // uso incorreto, em português
};

Opcoes LeOpcoes(const std::vector<std::string>& argumentos);

std::string TextoAjuda();

} // namespace vendrilo::corrige
