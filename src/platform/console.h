#pragma once
// O console em que o programa compilado roda: uma janela de terminal nova,
// maximizada, que segue as configurações do tpc.pif ao lado do programa.

#include <functional>
#include <string>
#include <vector>

namespace vendrilo {

// Configurações lidas do tpc.pif (seção [Console]); textos em UTF-8.
struct ConfigConsole {
    std::string terminal = "xterm";
    std::string titulo = "Vendrilo de Algoritmos - Execução";
    bool maximizada = true;
    bool manterAberta = true;
    std::string mensagemFinal = "Pressione ENTER para fechar esta janela.";
    std::string mensagemErro = "O programa terminou com o código de saída";
    std::string codificacao = "automatica"; // "automatica", "CP1252" ou "UTF-8"
};

// Lê o arquivo (INI, UTF-8 ou Windows-1252); o que faltar fica no padrão,
// e um arquivo ausente ou ilegível dá só o padrão.
ConfigConsole LeConfigConsole(const std::string& caminhoPif);

// Verdadeiro quando o console deve ser UTF-8: codificação "UTF-8", ou
// "automatica" com o algoritmo ao lado do programa (mesmo nome, extensão
// alg/ALG) em UTF-8 válido com letras fora do ASCII. O resto é Windows-1252.
bool ConsoleUtf8(const std::string& NomeExe, const ConfigConsole& config);

// A linha de comando da janela: terminal, título, maximizada, e um sh que
// roda o programa ("$@", o caminho nunca é interpretado), mostra o código
// de saída diferente de zero e espera ENTER; sob luit quando Windows-1252.
// NomeExe deve ser um caminho absoluto.
std::vector<std::string> ComandoConsole(const std::string& NomeExe, const ConfigConsole& config,
                                        bool utf8);

// Quem inicia a janela: por padrão, IniciaDesligado na pasta do programa.
// Os testes trocam por um que só registra. nullptr volta ao padrão.
using LancadorConsole = std::function<bool(const std::vector<std::string>& argv, const std::string& pasta)>;
void DefineLancadorConsole(LancadorConsole lancador);

// Abre o console para NomeExe, com o .pif ao lado dele (os três últimos
// caracteres trocados por "pif"); $VENDRILO_TERMINAL, quando definida,
// substitui o programa de terminal. Não espera. Falso quando não iniciou.
bool AbreConsole(const std::string& NomeExe);

} // namespace vendrilo
