#pragma once
// O comando Executar sem janelas: acha o programa da última tradução e o
// inicia num console próprio, sem esperar; e, para a linha de comando, a
// execução no terminal atual.

#include <string>

namespace vendrilo {

// O caminho do documento com os três últimos caracteres trocados por "exe".
std::string NomeExeDe(const std::string& NomeArquivo);

struct ResultadoExecucao {
    bool iniciado = false;
    std::string mensagem; // português, UTF-8; vazia quando iniciou
};

// btnExecutarClick sem a caixa de mensagem: sem NomeExe devolve "O algoritmo
// ainda não foi traduzido. Faça a tradução para rodar."; senão abre o
// console (AbreConsole) e volta logo, sem olhar o código de saída.
ResultadoExecucao ExecutaAlgoritmo(const std::string& NomeArquivo);

// Roda NomeExe no terminal atual, com a entrada e a saída herdadas, e
// espera o fim; num terminal UTF-8, por um pseudoterminal que converte o
// Windows-1252 do programa. Devolve o código de saída (128 + sinal quando morto por
// sinal), ou -1 quando o programa não existe ou não pôde ser iniciado.
int ExecutaNoTerminal(const std::string& NomeExe);

} // namespace vendrilo
