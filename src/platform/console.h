#pragma once
// O console em que o programa compilado roda: uma janela do próprio
// Vendrilo, que segue as configurações do tpc.pif ao lado do programa.
// Este lado, sem Qt, lê as configurações e pede a janela a quem a sabe abrir.

#include <functional>
#include <string>

namespace vendrilo {

// Configurações lidas do tpc.pif (seção [Console]); textos em UTF-8.
// Nenhuma chave escolhe um programa a iniciar: só o compilado roda.
struct ConfigConsole {
    std::string titulo = "Vendrilo de Algoritmos - Execução";
    int colunas = 80;
    int linhas = 25;
    std::string fonte = "monospace";
    int tamanhoFonte = 14;
    std::string corTexto = "#c0c0c0";
    std::string corFundo = "#000000";
    bool maximizada = true;
    bool manterAberta = true;
    std::string mensagemFinal = "Pressione ENTER para fechar esta janela.";
    std::string mensagemErro = "O programa terminou com o código de saída";
    std::string codificacao = "automatica"; // "automatica", "CP1252" ou "UTF-8"
};

// Lê o arquivo (INI, UTF-8 ou Windows-1252); o que faltar ou não servir
// fica no padrão, e um arquivo ausente ou ilegível dá só o padrão.
ConfigConsole LeConfigConsole(const std::string& caminhoPif);

// Verdadeiro quando o console deve ser UTF-8: codificação "UTF-8", ou
// "automatica" com o algoritmo ao lado do programa (mesmo nome, extensão
// alg/ALG) em UTF-8 válido com letras fora do ASCII. O resto é Windows-1252.
bool ConsoleUtf8(const std::string& NomeExe, const ConfigConsole& config);

// O que a janela do console recebe: o programa (caminho absoluto), a pasta
// em que ele roda e as configurações do .pif ao lado dele.
struct PedidoConsole {
    std::string programa;
    std::string pasta;
    ConfigConsole config;
    bool utf8 = false;
};

// Quem abre a janela: o lado gráfico registra o seu ao começar; os testes
// trocam por um que só registra. nullptr: nenhum (AbreConsole falha).
using LancadorConsole = std::function<bool(const PedidoConsole& pedido)>;
void DefineLancadorConsole(LancadorConsole lancador);

// Abre o console para NomeExe, com o .pif ao lado dele (os três últimos
// caracteres trocados por "pif"). Não espera. Falso quando não abriu.
bool AbreConsole(const std::string& NomeExe);

} // namespace vendrilo
