#pragma once
// vendrilo-traduz: a linha de comando do tradutor, um estágio por função,
// para que a compilação e a execução entrem no lugar marcado sem mexer no resto.

#include <iosfwd>
#include <string>
#include <vector>

namespace vendrilo::cli {

// Códigos de saída do programa (o maior dentre os arquivos vence).
inline constexpr int SaidaSucesso = 0;
inline constexpr int SaidaErroCompilacao = 1;
inline constexpr int SaidaErroEstrutura = 2;
inline constexpr int SaidaErroUso = 3;

struct Opcoes {
    bool soTraduz = false;
    bool executar = false;
    bool ajuda = false;
    bool versao = false;
    bool diagnostico = false; // verifica a instalação, sem arquivos
    bool manterPas = false; // guarda o .pas depois de compilar
    bool formatoGcc = false; // erros como "arquivo:linha:coluna: erro: texto"
    std::string testeDeMesa; // CSV do teste de mesa; vazio: sem teste de mesa
    int passos = 10000; // limite de passos do teste de mesa
    bool passosDados = false; // --passos apareceu
    std::vector<std::string> arquivos;
    std::string erro; // uso incorreto, em português; vazio quando tudo certo
};

// Lê os argumentos (sem o nome do programa). "--" encerra as opções.
Opcoes LeOpcoes(const std::vector<std::string>& argumentos);

// Onde escrever: `saida` recebe o relatório da verificação, `erros` as
// mensagens. `utf8` converte os textos Windows-1252 do núcleo para UTF-8.
struct Terminal {
    std::ostream& saida;
    std::ostream& erros;
    bool utf8 = true;
};

// Texto de uso, mostrado com --help.
std::string TextoAjuda();

// "vendrilo-traduz VERSÃO", mostrado com --version.
std::string TextoVersao();

// Como terminou um arquivo, para a linha de resultado de cada um.
enum class Desfecho { Traduzido, Compilado, Executado, ErroCompilacao, ErroEstrutura, NaoProcessado };

// "arquivo: compilado." e afins: a linha de resultado de um arquivo.
std::string LinhaResultado(const std::string& arquivo, Desfecho desfecho);

// "Resumo: 3 arquivos; 1 compilado, 2 com erros de estrutura."
std::string LinhaResumo(const std::vector<Desfecho>& desfechos);

// Estágios para um arquivo; cada um devolve o código de saída dele e, se
// pedido, o desfecho.
int TraduzUmArquivo(const std::string& arquivo, const Opcoes& opcoes, Terminal& terminal,
                    Desfecho* desfecho = nullptr);

// O programa inteiro: opções, cada arquivo com um estado novo, código final.
int Executa(const std::vector<std::string>& argumentos, Terminal& terminal);

} // namespace vendrilo::cli
