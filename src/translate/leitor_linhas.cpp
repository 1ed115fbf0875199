#include "translate/leitor_linhas.h"

namespace vendrilo {

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
