#pragma once
// O estado da tela de um terminal, mantido pela libvterm: recebe os bytes
// do programa (já em UTF-8), guarda células, cursor e as linhas que saíram
// pelo alto. Não pinta nada; quem pinta é o ConsoleVendrilo.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <vterm.h>

namespace vendrilo {

// Uma célula já resolvida: caractere (0 quando vazia), cores em 0xRRGGBB.
struct CelulaTerminal {
    char32_t caractere = 0;
    std::uint32_t frente = 0;
    std::uint32_t fundo = 0;
    bool negrito = false;
    bool sublinhado = false;
    int largura = 1; // 2 nos caracteres largos; 0 na metade direita deles
};

class TelaTerminal {
public:
    TelaTerminal(int colunas, int linhas, std::uint32_t frente, std::uint32_t fundo);
    ~TelaTerminal();
    TelaTerminal(const TelaTerminal&) = delete;
    TelaTerminal& operator=(const TelaTerminal&) = delete;

    // Bytes do programa, em UTF-8 (a conversão do Windows-1252 vem antes).
    void escreve(std::string_view utf8);
    // Teclas convertidas pela libvterm (setas, funções, Enter, Ctrl+letra);
    // o resultado sai por aoResponder.
    void tecla(VTermKey tecla, VTermModifier mod);
    void caractere(std::uint32_t c, VTermModifier mod);
    void redimensiona(int colunas, int linhas);

    int colunas() const { return colunas_; }
    int linhas() const { return linhas_; }
    // Linha negativa: histórico (-1 é a última que saiu pelo alto).
    CelulaTerminal celula(int coluna, int linha) const;
    int linhasHistorico() const { return static_cast<int>(historico_.size()); }
    int colunaCursor() const { return cursorColuna_; }
    int linhaCursor() const { return cursorLinha_; }
    bool cursorVisivel() const { return cursorVisivel_; }

    // O que o terminal manda de volta ao programa (teclas, respostas a
    // consultas como a posição do cursor).
    std::function<void(std::string_view)> aoResponder;
    // Algo mudou na tela (células, cursor ou histórico).
    std::function<void()> aoMudar;

private:
    static int danoCb(VTermRect r, void* eu);
    static int cursorCb(VTermPos p, VTermPos antes, int visivel, void* eu);
    static int propCb(VTermProp prop, VTermValue* v, void* eu);
    static int empurraCb(int colunas, const VTermScreenCell* celulas, void* eu);
    static void saidaCb(const char* s, std::size_t n, void* eu);
    CelulaTerminal resolve(const VTermScreenCell& c) const;
    void avisa();

    VTerm* vt_ = nullptr;
    VTermScreen* tela_ = nullptr;
    int colunas_, linhas_;
    std::uint32_t frente_, fundo_;
    int cursorColuna_ = 0, cursorLinha_ = 0;
    bool cursorVisivel_ = true;
    std::deque<std::vector<VTermScreenCell>> historico_;
};

} // namespace vendrilo
