#pragma once
// Leitura e gravação de valores de arquivos INI no estilo clássico
// ([Secao] e chave=valor), como versao.ini e update.ini da atualização.

#include <filesystem>
#include <string>
#include <string_view>

namespace vendrilo {

// Valor de `chave` em `secao` no texto de um INI; vazio quando falta.
// Seções e chaves sem diferença de caixa; espaços em volta e aspas que
// envolvem o valor inteiro são retirados, como o leitor clássico fazia.
std::string LeIniTexto(std::string_view conteudo, std::string_view secao,
                       std::string_view chave);

// O mesmo, lendo o arquivo; vazio quando o arquivo não pode ser lido.
std::string LeValorIni(const std::filesystem::path& arquivo, std::string_view secao,
                       std::string_view chave);

// Texto do INI com `chave` de `secao` valendo `valor`: troca a linha que
// existe ou acrescenta a chave (e a seção), preservando o resto e o estilo
// de quebra de linha.
std::string AlteraIniTexto(std::string_view conteudo, std::string_view secao,
                           std::string_view chave, std::string_view valor);

// Grava o valor no arquivo: escreve ao lado e renomeia, para que uma falha
// não deixe o arquivo pela metade. Falso (e `erro` preenchido) na falha.
bool GravaValorIni(const std::filesystem::path& arquivo, std::string_view secao,
                   std::string_view chave, std::string_view valor, std::string* erro = nullptr);

} // namespace vendrilo
