#pragma once
// O tradutor: os passos que transformam um arquivo .ALG no programa .pas ao
// lado dele, palavra por palavra, contando as palavras-chave por tipo.
//
// Uso típico (o comando Traduzir, depois de gravar o documento):
//
//     vendrilo::Tradutor tradutor;            // um por programa (GUI) ou por arquivo (CLI)
//     std::string erro;
//     if (!tradutor.TraduzArquivo(caminhoAlg, erro))
//         ... mostra erro (texto em português, UTF-8) ...
//     const auto& e = tradutor.estado();     // NomePas, NomeExe, NomePif,
//     if (e.TotalErros > 0) ...               // Estrutura.ErrosSintaxe, BibliotecaUsada
//
// Os passos também estão expostos um a um, na ordem em que TraduzArquivo os
// chama. Nada aqui mostra mensagens: falhas voltam como texto.

#include "translate/estado_traducao.h"

#include <cstdio>
#include <cstdint>
#include <string>
#include <string_view>

namespace vendrilo {

class Tradutor {
public:
    Tradutor();
    ~Tradutor();
    Tradutor(const Tradutor&) = delete;
    Tradutor& operator=(const Tradutor&) = delete;

    EstadoTraducao& estado() { return estado_; }
    const EstadoTraducao& estado() const { return estado_; }

    // Passos 8 a 10 do comando Traduzir para um algoritmo já gravado em
    // caminhoAlg: deriva os nomes, apaga o .pas e o .exe antigos, põe
    // TotalTipos em 251, a capacidade da lista de erros em 30 e TipoLaco em 0,
    // e roda AbreArquivos, GeraCabecalho, ZeraContadores, TraduzLinhas,
    // FechaArquivos e VerificaEstrutura. Falso, com a mensagem em `erro`
    // (português, UTF-8), quando um arquivo não pode ser lido, gravado ou
    // apagado; nesse caso nenhum .pas incompleto fica no disco.
    bool TraduzArquivo(const std::string& caminhoAlg, std::string& erro);

    // --- Os passos, na ordem do comando. Depois da primeira falha de E/S os
    // passos seguintes não fazem nada, e falhou()/erro() a descrevem.

    // Abre NomeAlg para leitura e cria (ou trunca) NomePas; esvazia LinhaLida.
    void AbreArquivos();
    // Escreve as 26 linhas da moldura; EstadoCabecalho = 1, BibliotecaUsada = 0.
    void GeraCabecalho();
    // Zera ContadorTipos[1..TotalTipos], a lista de erros e TotalErros.
    void ZeraContadores();
    // Traduz todas as linhas do algoritmo (pelo menos uma, mesmo num arquivo
    // vazio); quebras CR LF, LF, CR ou NUL; cada linha vira uma linha CR LF.
    void TraduzLinhas();
    // Encaminha um caractere da linha: separador, literal ou parte da palavra.
    void TrataCaractere(char c);
    // Acrescenta c à palavra corrente (e a sua maiúscula a PalavraMaiuscula).
    void AcrescentaCaractere(char c);
    // Traduz e escreve a palavra corrente (talvez vazia), seguida de um espaço.
    void TraduzPalavra();
    // Fecha o algoritmo e depois o .pas, conferindo a gravação.
    void FechaArquivos();
    // Verificação de estrutura pelas contagens; guarda o resultado no estado.
    void VerificaEstrutura();

    bool falhou() const { return !erro_.empty(); }

    static constexpr std::size_t TamanhoDespejo = 64 * 1024;
    const std::string& erro() const { return erro_; }

private:
    // Trata os bytes de [p, fim) até a primeira quebra de linha; devolve onde
    // ela está (ou fim, se a linha continua no próximo bloco).
    const char* trataTrecho(const char* p, const char* fim);
    // Acrescenta um pedaço de palavra aos dois textos da palavra corrente.
    void acrescentaTrecho(const char* p, std::size_t n);
    // TraduzPalavra sobre uma palavra dada: `digitada` como veio e
    // `maiuscula` (vazia quando não pode ser palavra-chave).
    void traduzPalavra(std::string_view digitada, std::string_view maiuscula);
    // Saída acumulada e despejada no .pas a cada TamanhoDespejo bytes.
    void escreve(std::string_view texto)
    {
        saida_.append(texto);
        if (saida_.size() >= TamanhoDespejo)
            descarregaSaida();
    }
    void escreve(char c)
    {
        saida_.push_back(c);
        if (saida_.size() >= TamanhoDespejo)
            descarregaSaida();
    }
    void terminaLinhaSaida();
    // Coluna (base 0) do próximo byte na linha corrente do .pas.
    std::uint32_t colunaPascal() const
    {
        return static_cast<std::uint32_t>(escritoAntes_ + saida_.size() - inicioLinhaPas_);
    }
    void registraColunas(std::uint32_t pascal, std::uint32_t algoritmo, std::uint32_t tamPascal,
                         std::uint32_t tamAlgoritmo);
    void descarregaSaida();
    void descarregaPalavraLonga();
    void falha(std::string mensagem);
    void fechaSemConferir();

    EstadoTraducao estado_;
    std::FILE* ArquivoAlgoritmo = nullptr;
    std::FILE* ArquivoPascal = nullptr;
    std::string saida_;              // saída acumulada até o próximo despejo
    bool palavraLongaEmCurso_ = false; // parte da palavra corrente já foi escrita
    std::uint64_t escritoAntes_ = 0;   // bytes já despejados no .pas
    std::uint64_t inicioLinhaPas_ = 0; // posição, no .pas, do começo da linha corrente
    std::uint32_t colunaAlg_ = 0;      // coluna (base 0) do caractere em exame na linha do algoritmo
    std::uint32_t inicioPalavraAlg_ = 0; // coluna em que a palavra corrente começou
    std::string erro_;
};

} // namespace vendrilo
