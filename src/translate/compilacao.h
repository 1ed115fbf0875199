#pragma once
// A etapa de compilação do comando Traduzir, sem janelas: confere os
// arquivos de apoio, para nos erros de estrutura, roda o tpc com a saída
// em ArquiTmp.tmp, reescreve o relatório para o aluno e devolve o que a
// interface (ou a linha de comando) deve mostrar.
//
// Uso (depois de Tradutor::TraduzArquivo):
//     EntradaCompilacao e = EntradaDe(tradutor.estado(), linhasDoEditor);
//     ResultadoCompilacao r = CompilaPrograma(e);
//     switch (r.situacao) { ... }      // ver cada valor abaixo
// Quem chama cuida do que é de janela: o bipe, a lista de erros de
// estrutura (e ZeraContadores depois dela), a pergunta "Deseja executar?",
// o painel de erro e o cursor do editor.

#include "translate/estado_traducao.h"

#include <chrono>
#include <string>
#include <vector>

namespace vendrilo {

// Endereço de contato do projeto, o mesmo da moldura do programa gerado.
inline constexpr const char* ContatoProjeto = "vendrilo@example.org";

struct EntradaCompilacao {
    std::string NomePas;   // o programa traduzido
    std::string NomePif;   // recebe a cópia do tpc.pif
    int TotalErros = 0;    // erros da verificação de estrutura
    int BibliotecaUsada = 0;
    std::vector<std::string> LinhasAlgoritmo; // linhas do editor (Windows-1252), para a linha 4
    MapaColunas Colunas;   // da tradução: leva o "^" para a coluna do algoritmo (vazio: fica a do Pascal)
    std::string PastaPrograma;                // vazia: PastaPrograma()
    std::string Titulo;                       // vazio: TituloAplicacao
    // Relatório do compilador num arquivo próprio, sem a trava da pasta do
    // programa: várias compilações ao mesmo tempo (a correção de uma turma).
    // Vazio: ArquiTmp.tmp da pasta do programa, uma compilação por vez.
    std::string ArquivoRelatorio;
    bool ManterPas = false; // guarda o .pas após o sucesso, como a marca xpas.xno
    // Espera máxima pelo compilador; passado o prazo ele é interrompido.
    std::chrono::milliseconds Limite{std::chrono::seconds(60)};
    // Grava informação de linhas no programa (execução passo a passo).
    bool InformacaoDepuracao = false;
};

// Monta a entrada a partir do estado de uma tradução.
EntradaCompilacao EntradaDe(const EstadoTraducao& estado, std::vector<std::string> linhasAlgoritmo);

enum class SituacaoCompilacao {
    ArquivosIncompletos, // faltam arquivos de apoio: bipe, `mensagem`; o .pas foi apagado
    ErrosEstrutura,      // TotalErros > 0: bipe, lista de erros; nada compilado
    FalhaExecucao,       // o compilador não pôde ser iniciado: `mensagem` ("Erro na execução!!!")
    TempoEsgotado,       // o compilador não terminou no prazo e foi interrompido: `mensagem`
    Sucesso,             // programa pronto: perguntar "Algoritmo traduzido com sucesso. Deseja executar?"
    ErroCompilacao,      // `LinhasErro` (linhas 3, 4 e 5 do relatório reescrito)
};

struct ResultadoCompilacao {
    SituacaoCompilacao situacao = SituacaoCompilacao::FalhaExecucao;
    std::string mensagem;        // português, UTF-8 (vazia no sucesso e no erro de compilação)
    std::string LinhaComando;    // o comando equivalente, para exibição; nunca executado
    std::vector<std::string> Relatorio;  // o relatório reescrito (Windows-1252), antes de limpo
    std::vector<std::string> LinhasErro; // linhas 3, 4 e 5 do relatório, no erro
    std::string Dica;            // UTF-8: uma linha mostrada depois das três (vazia: nenhuma)
    int LinhaErro = 0;           // linha do algoritmo, base 0 (pode cair fora do texto)
    bool LinhaMapeada = false;   // o relatório tinha "ARQ.PAS(L)" e LinhaErro vale
    int LinhaErroExibida = 0;    // LinhaErro + 1 quando PosicionaCursor (linha do editor, base 1)
    int ColunaErro = 0;          // posição do primeiro "^" da linha 5 (0 sem "^")
    // No erro de compilação as três linhas são sempre mostradas, mesmo
    // quando a linha não cai no algoritmo (erro na primeira linha, unidade
    // que falta): um erro nunca passa calado.
    bool MostraPainel = false;
    // A linha do erro é uma linha do algoritmo: pôr o cursor nela.
    bool PosicionaCursor = false;
};

// Executa os passos 1 e 3 a 14; no passo 2 (TotalErros > 0) só devolve
// ErrosEstrutura, e quem chama mostra a lista e zera os contadores.
ResultadoCompilacao CompilaPrograma(const EntradaCompilacao& entrada);

// Texto do comando que a etapa equivale a rodar (com os caminhos reais da
// pasta do programa): "cmd.exe /c <pasta>/tpc /U<pasta> NomePas > <relatório>".
std::string TextoLinhaComando(const std::string& pasta, const std::string& NomePas);

} // namespace vendrilo
