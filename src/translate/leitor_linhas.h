#pragma once
// Leitura de arquivos de algoritmo (.ALG) linha a linha, em fluxo.
//
// Regras de quebra: CR LF, LF sozinho, CR sozinho e o byte NUL encerram uma
// linha. Os bytes (Windows-1252) passam intactos. Só a linha corrente fica em
// memória, de modo que o tamanho do arquivo não pesa.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vendrilo {

// O maior algoritmo que o editor carrega na memória; o tradutor lê em fluxo
// e não tem limite.
inline constexpr std::uintmax_t kMaximoAlgoritmo = 16u << 20;

// Abre para leitura só um arquivo comum (depois de seguir atalhos) de até
// `limite` bytes: um FIFO não trava a leitura, um aparelho como /dev/zero não
// enche a memória. Nulo quando não dá: `motivo` diz por quê, em português,
// ou fica vazio numa falha do sistema (errno preservado).
std::FILE* AbreArquivoComum(const std::string& caminho, std::uintmax_t limite, std::string& motivo);

// Estilo de quebra de linha encontrado na leitura e usado na gravação.
enum class EstiloQuebra { CRLF, LF, CR };

// Texto da quebra de um estilo ("\r\n", "\n" ou "\r").
const char* textoQuebra(EstiloQuebra estilo);

class LeitorLinhas {
public:
    LeitorLinhas() = default;
    ~LeitorLinhas();
    LeitorLinhas(const LeitorLinhas&) = delete;
    LeitorLinhas& operator=(const LeitorLinhas&) = delete;

    // Abre o arquivo; falso quando não pode ser aberto (errno preservado).
    bool abre(const std::string& caminho);
    // Abre só um arquivo comum de até `limite` bytes (ver AbreArquivoComum).
    bool abreComum(const std::string& caminho, std::uintmax_t limite, std::string& motivo);
    void fecha();
    bool aberto() const { return arquivo_ != nullptr; }

    // Lê a próxima linha, sem a quebra. Falso no fim do arquivo (ou em erro
    // de leitura: ver falhou()). Texto depois da última quebra conta como
    // linha; um arquivo vazio não tem linhas.
    bool proxima(std::string& linha);

    // Verdadeiro quando uma leitura falhou (erro de E/S, não o fim).
    bool falhou() const { return falhou_; }

    // Estilo encontrado até agora: só LF → LF; só CR → CR; o resto → CR LF.
    EstiloQuebra estilo() const;

private:
    bool enche();

    std::FILE* arquivo_ = nullptr;
    char buffer_[64 * 1024];
    std::size_t pos_ = 0;
    std::size_t fim_ = 0;
    bool falhou_ = false;
    bool viuCR_ = false;
    bool viuLF_ = false;
    bool crPendente_ = false; // CR no fim do bloco: um LF logo depois é o par dele
};

// Lê todas as linhas de um arquivo pequeno (relatórios, fontes curtos) com
// as mesmas regras de quebra. Falso quando não abre ou a leitura falha.
bool LeTodasAsLinhas(const std::string& caminho, std::vector<std::string>& linhas);

} // namespace vendrilo
