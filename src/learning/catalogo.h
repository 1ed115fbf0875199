#pragma once
// Dados do catálogo de exemplos, sem Qt: a lista fixa de 62 exemplos, as
// descrições e a regra do caminho de cada arquivo. Os textos dos exemplos não
// moram aqui: são arquivos instalados na pasta exp/ da pasta do programa.
//
// Textos em UTF-8 (vão direto para as janelas Qt).

#include <string>
#include <string_view>
#include <vector>

namespace vendrilo {

inline constexpr int TotalExemplos = 62;

// Endereço de contato e página do projeto (aviso de exemplo ausente, Sobre).
inline constexpr std::string_view EnderecoContato = "vendrilo@example.org";
inline constexpr std::string_view EnderecoSite = "https://vendrilo.example.org";

// Índice dentro de 0..61.
bool IndiceExemploValido(int indice);

// Texto da linha da lista: "EXP000.alg" ... "EXP061.alg"; vazio fora da faixa.
std::string TextoListaExemplo(int indice);

// Descrição fixa do exemplo; vazia fora da faixa.
std::string_view DescricaoExemplo(int indice);

// Nome do arquivo pela regra do caminho: "exp00" + índice até 9, "exp0" +
// índice de 10 em diante, e ".alg"; vazio fora da faixa.
std::string NomeArquivoExemplo(int indice);

// Caminho completo: pastaPrograma + "/exp/" + NomeArquivoExemplo; vazio fora
// da faixa. Uma barra final em pastaPrograma não é repetida.
std::string CaminhoExemplo(std::string_view pastaPrograma, int indice);

// As três linhas que a pré-visualização mostra quando o arquivo não existe.
std::vector<std::string> AvisoExemploAusente(std::string_view caminho);

// A mensagem de quando se escolhe um exemplo cujo arquivo não existe.
std::string MensagemExemploAusente(std::string_view caminho);

} // namespace vendrilo
