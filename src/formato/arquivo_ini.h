#pragma once
// Arquivos INI no estilo clássico ([Secao] e chave=valor): versao.ini,
// update.ini e site.ini da atualização, o tpc.pif do console e o email.ini.
//
// Um só leitor para todos: linhas quebradas em CR LF, LF ou CR; brancos em
// volta retirados; comentários com ';' ou '#'; nomes sem diferença de caixa;
// uma marca de ordem de bytes UTF-8 no início é ignorada na leitura e mantida
// na gravação. Os bytes dos valores passam como estão.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vendrilo {

// Uma linha do texto, já classificada.
struct LinhaIni {
    enum class Tipo { Vazia, Comentario, Secao, Valor, Invalida };
    Tipo tipo = Tipo::Vazia;
    std::size_t numero = 0;   // a partir de 1
    std::string_view texto;   // a linha sem a quebra (e sem a marca, na primeira)
    std::string_view quebra;  // "", "\r\n", "\n" ou "\r"
    std::string_view nome;    // da seção, ou da chave
    std::string_view valor;   // sem brancos em volta; aspas mantidas
};

// As linhas de `conteudo`, que precisa viver enquanto elas forem usadas.
std::vector<LinhaIni> LinhasIni(std::string_view conteudo);

// Igualdade de nomes sem diferença de caixa (ASCII).
bool NomesIniIguais(std::string_view a, std::string_view b);

// Valor de `chave` em `secao`; vazio quando falta. A primeira ocorrência vale,
// e aspas que envolvem o valor inteiro são retiradas.
std::string LeIniTexto(std::string_view conteudo, std::string_view secao,
                       std::string_view chave);

// O mesmo, lendo o arquivo; vazio quando o arquivo não pode ser lido.
std::string LeValorIni(const std::filesystem::path& arquivo, std::string_view secao,
                       std::string_view chave);

// Texto do INI com `chave` de `secao` valendo `valor`: troca a linha que
// existe ou acrescenta a chave (e a seção), preservando o resto, a marca de
// ordem de bytes e o estilo de quebra de linha.
std::string AlteraIniTexto(std::string_view conteudo, std::string_view secao,
                           std::string_view chave, std::string_view valor);

// Grava o valor no arquivo pela gravação segura. Falso (e `erro` preenchido)
// na falha; o arquivo antigo fica então intacto.
bool GravaValorIni(const std::filesystem::path& arquivo, std::string_view secao,
                   std::string_view chave, std::string_view valor, std::string* erro = nullptr);

// Lê um arquivo inteiro; falso quando não pode ser lido.
bool LeArquivoInteiro(const std::filesystem::path& arquivo, std::string& conteudo);

} // namespace vendrilo
