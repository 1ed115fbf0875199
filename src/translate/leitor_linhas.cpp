#include "translate/leitor_linhas.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vendrilo {

std::FILE* AbreArquivoComum(const std::string& caminho, std::uintmax_t limite, std::string& motivo)
{
    motivo.clear();
    // Sem bloquear na abertura (um FIFO sem escritor esperaria para sempre);
    // o tipo é conferido no que foi aberto, não num nome que pode mudar.
    const int fd = ::open(caminho.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return nullptr;
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        const int e = errno;
        ::close(fd);
        errno = e;
        return nullptr;
    }
    if (!S_ISREG(st.st_mode)) {
        motivo = S_ISDIR(st.st_mode)    ? "é uma pasta, não um arquivo"
                 : S_ISFIFO(st.st_mode) ? "é um canal (FIFO), não um arquivo comum"
                 : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? "é um dispositivo, não um arquivo comum"
                                                               : "não é um arquivo comum";
    } else if (static_cast<std::uintmax_t>(st.st_size) > limite) {
        motivo = "tem " + std::to_string((static_cast<std::uintmax_t>(st.st_size) + (1u << 20) - 1) >> 20) +
                 " MB, mais que o limite de " + std::to_string(limite >> 20) + " MB";
    }
    if (!motivo.empty() || ::fcntl(fd, F_SETFL, O_RDONLY) != 0) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* f = ::fdopen(fd, "rb");
    if (!f)
        ::close(fd);
    return f;
}

const char* textoQuebra(EstiloQuebra estilo)
{
    switch (estilo) {
    case EstiloQuebra::LF: return "\n";
    case EstiloQuebra::CR: return "\r";
    case EstiloQuebra::CRLF: break;
    }
    return "\r\n";
}

LeitorLinhas::~LeitorLinhas() { fecha(); }

bool LeitorLinhas::abre(const std::string& caminho)
{
    fecha();
    arquivo_ = std::fopen(caminho.c_str(), "rb");
    pos_ = fim_ = 0;
    falhou_ = viuCR_ = viuLF_ = crPendente_ = false;
    return arquivo_ != nullptr;
}

bool LeitorLinhas::abreComum(const std::string& caminho, std::uintmax_t limite, std::string& motivo)
{
    fecha();
    arquivo_ = AbreArquivoComum(caminho, limite, motivo);
    pos_ = fim_ = 0;
    falhou_ = viuCR_ = viuLF_ = crPendente_ = false;
    return arquivo_ != nullptr;
}

void LeitorLinhas::fecha()
{
    if (arquivo_) {
        std::fclose(arquivo_);
        arquivo_ = nullptr;
    }
}

bool LeitorLinhas::enche()
{
    if (!arquivo_)
        return false;
    fim_ = std::fread(buffer_, 1, sizeof buffer_, arquivo_);
    pos_ = 0;
    if (fim_ == 0 && std::ferror(arquivo_))
        falhou_ = true;
    return fim_ > 0;
}

bool LeitorLinhas::proxima(std::string& linha)
{
    linha.clear();
    bool temTexto = false;
    for (;;) {
        if (pos_ == fim_ && !enche())
            return temTexto; // fim: o resto sem quebra ainda é uma linha
        if (crPendente_) {
            crPendente_ = false;
            if (buffer_[pos_] == '\n') {
                viuLF_ = true;
                ++pos_;
                continue;
            }
        }
        // Procura a próxima quebra no bloco, copiando o trecho de uma vez.
        std::size_t i = pos_;
        while (i < fim_) {
            const char c = buffer_[i];
            if (c == '\r' || c == '\n' || c == '\0')
                break;
            ++i;
        }
        linha.append(buffer_ + pos_, i - pos_);
        temTexto = true;
        if (i == fim_) {
            pos_ = fim_;
            continue;
        }
        const char c = buffer_[i];
        pos_ = i + 1;
        if (c == '\r') {
            viuCR_ = true;
            if (pos_ < fim_) {
                if (buffer_[pos_] == '\n') {
                    viuLF_ = true;
                    ++pos_;
                }
            } else {
                crPendente_ = true;
            }
        } else if (c == '\n') {
            viuLF_ = true;
        }
        return true;
    }
}

EstiloQuebra LeitorLinhas::estilo() const
{
    if (viuLF_ && !viuCR_)
        return EstiloQuebra::LF;
    if (viuCR_ && !viuLF_)
        return EstiloQuebra::CR;
    return EstiloQuebra::CRLF;
}

bool LeTodasAsLinhas(const std::string& caminho, std::vector<std::string>& linhas)
{
    linhas.clear();
    LeitorLinhas leitor;
    if (!leitor.abre(caminho))
        return false;
    std::string linha;
    while (leitor.proxima(linha))
        linhas.push_back(linha);
    return !leitor.falhou();
}

} // namespace vendrilo
