#pragma once
// As dez páginas de sintaxe dos comandos de bloco e a lógica da janela que as
// mostra, sem Qt: a janela só desenha as linhas que estas funções montam.

#include <string>
#include <vector>

namespace vendrilo {

// Toda linha escrita numa página tem exatamente esta largura (texto + brancos).
inline constexpr int LarguraLinhaPagina = 91;
// Linhas de cada página (0 a 30) e do quadro que as mostra (0 a 34).
inline constexpr int LinhasPagina = 31;
inline constexpr int LinhasMemoSintaxe = 35;
inline constexpr int TotalPaginasSintaxe = 10;

// Números das páginas, os mesmos guardados em TipoErroLinha.
namespace Pagina {
inline constexpr int Inicio = 1, Fim = 2, Se = 3, Enquanto = 4, Repita = 5, Para = 6,
                     Selecione = 7, Como = 8, Procedimento = 9, Funcao = 10;
} // namespace Pagina

struct PaginaSintaxe {
    std::string titulo;               // título da janela (Windows-1252)
    std::vector<std::string> linhas;  // LinhasPagina linhas de LarguraLinhaPagina bytes
};

// Página de número 1 a 10; nullptr para qualquer outro número.
const PaginaSintaxe* PaginaDeSintaxe(int numero);

// Texto (Windows-1252) completado com brancos até LarguraLinhaPagina.
std::string LinhaDePagina(const std::string& texto1252);

// O quadro de texto da janela de sintaxe: LinhasMemoSintaxe linhas, que as
// páginas só sobrescrevem. Conserva o conteúdo entre uma abertura e outra.
using MemoSintaxe = std::vector<std::string>;

// Quadro novo, com todas as linhas em branco.
MemoSintaxe NovoMemoSintaxe();

// Apaga as linhas 1 a 34 (a 0 é sempre reescrita pela página).
void LimpaPagina(MemoSintaxe& memo);

// Escreve as linhas 0 a 30 da página e devolve seu título. Um número sem
// página deixa o quadro todo em branco e devolve texto vazio.
std::string EscrevePagina(MemoSintaxe& memo, int numero);

// Resposta a um clique numa linha da lista de erros.
struct EscolhaErro {
    bool pedeLinhaNumerada = false; // linha 0, 1 ou nenhuma: mostrar o aviso
    int pagina = 0;                 // senão, a página a abrir (0 se a linha não tem página)
};

// Linha selecionada (-1 = nenhuma) → aviso ou página, por TipoErroLinha.
EscolhaErro SelecionaErro(const std::vector<int>& TipoErroLinha, int linhaSelecionada);

// Aviso para um clique fora das linhas numeradas (Windows-1252).
const std::string& TextoCliqueLinhaNumerada();

} // namespace vendrilo
