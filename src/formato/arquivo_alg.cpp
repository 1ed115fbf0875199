#include "workspace/arquivo_alg.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

namespace vendrilo {

namespace {

// 0x80..0x9F do Windows-1252. Os cinco bytes sem caractere viram os controles
// C1 de mesmo valor, para que um arquivo estranho volte byte a byte ao disco.
const char32_t kFaixa80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void poeUtf8(std::string& s, char32_t c)
{
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodifica um caractere UTF-8 em `s` a partir de `i`; -1 quando inválido.
long long tiraUtf8(const std::string& s, std::size_t& i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    int n = 0;
    char32_t c = 0;
    if (b0 < 0x80) {
        ++i;
        return b0;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        n = 1; c = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 2; c = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 3; c = b0 & 0x07;
    } else {
        return -1;
    }
    if (i + n >= s.size())
        return -1;
    for (int k = 1; k <= n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return -1;
        c = (c << 6) | (b & 0x3F);
    }
    // Formas longas demais e substitutos não são UTF-8 válido.
    if ((n == 2 && c < 0x800) || (n == 3 && (c < 0x10000 || c > 0x10FFFF))
        || (c >= 0xD800 && c <= 0xDFFF))
        return -1;
    i += n + 1;
    return c;
}

std::string descreveErrno(int e)
{
    switch (e) {
    case EACCES:
    case EPERM: return "permissão negada";
    case ENOSPC: return "o disco está cheio";
    case EDQUOT: return "a cota de disco acabou";
    case EROFS: return "o disco é somente leitura";
    case ENOENT: return "a pasta ou o arquivo não existe";
    case ENOTDIR: return "uma parte do caminho não é uma pasta";
    case EISDIR: return "o caminho é uma pasta";
    case ENAMETOOLONG: return "o nome é longo demais";
    case EIO: return "erro de entrada e saída no disco";
    default: return "erro do sistema número " + std::to_string(e);
    }
}

std::string textoCaractere(char32_t c)
{
    std::string s;
    poeUtf8(s, c);
    char cod[16];
    std::snprintf(cod, sizeof cod, "U+%04X", static_cast<unsigned>(c));
    return "\"" + s + "\" (" + cod + ")";
}

} // namespace

std::string Windows1252ParaUtf8(const std::string& bytes)
{
    std::string s;
    s.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        poeUtf8(s, (b >= 0x80 && b < 0xA0) ? kFaixa80[b - 0x80] : char32_t(b));
    }
    return s;
}

bool Utf8ParaWindows1252(const std::string& utf8, std::string& bytes, std::size_t& posErro)
{
    bytes.clear();
    bytes.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t inicio = i;
        const long long c = tiraUtf8(utf8, i);
        if (c < 0) {
            posErro = inicio;
            return false;
        }
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes += static_cast<char>(c);
            continue;
        }
        int achado = -1;
        for (int k = 0; k < 32; ++k)
            if (kFaixa80[k] == static_cast<char32_t>(c))
                achado = k;
        if (achado < 0) {
            posErro = inicio;
            return false;
        }
        bytes += static_cast<char>(0x80 + achado);
    }
    return true;
}

bool Utf8Valido(const std::string& bytes)
{
    std::size_t i = 0;
    while (i < bytes.size())
        if (tiraUtf8(bytes, i) < 0)
            return false;
    return true;
}

bool LeAlg(const std::string& caminho, DocumentoAlg& doc, std::string& erro)
{
    LeitorLinhas leitor;
    if (!leitor.abre(caminho)) {
        erro = "Não foi possível abrir o arquivo " + caminho + ": " + descreveErrno(errno) + ".";
        return false;
    }
    std::vector<std::string> linhas;
    std::string linha;
    bool soAscii = true;
    bool utf8 = true;
    while (leitor.proxima(linha)) {
        for (char ch : linha)
            if (static_cast<unsigned char>(ch) >= 0x80) {
                soAscii = false;
                break;
            }
        if (utf8 && !soAscii && !Utf8Valido(linha))
            utf8 = false;
        linhas.push_back(std::move(linha));
        linha.clear();
    }
    if (leitor.falhou()) {
        erro = "Erro ao ler o arquivo " + caminho + ": " + descreveErrno(errno) + ".";
        return false;
    }
    doc.quebra = leitor.estilo();
    // Só vira UTF-8 o que não deixa dúvida: bytes altos que formam UTF-8 válido.
    doc.codificacao = (!soAscii && utf8) ? CodificacaoAlg::Utf8 : CodificacaoAlg::Windows1252;
    if (doc.codificacao == CodificacaoAlg::Windows1252)
        for (auto& l : linhas)
            l = Windows1252ParaUtf8(l);
    doc.linhas = std::move(linhas);
    return true;
}

bool CodificaAlg(const DocumentoAlg& doc, std::string& bytes, std::string& erro)
{
    const std::string quebra = textoQuebra(doc.quebra);
    std::string saida;
    std::string convertida;
    for (std::size_t n = 0; n < doc.linhas.size(); ++n) {
        const std::string& l = doc.linhas[n];
        if (doc.codificacao == CodificacaoAlg::Utf8) {
            if (!Utf8Valido(l)) {
                erro = "A linha " + std::to_string(n + 1) + " contém texto inválido.";
                return false;
            }
            saida += l;
        } else {
            std::size_t pos = 0;
            if (!Utf8ParaWindows1252(l, convertida, pos)) {
                std::size_t i = pos;
                const long long c = tiraUtf8(l, i);
                erro = "O caractere "
                       + (c < 0 ? std::string("inválido") : textoCaractere(char32_t(c)))
                       + " da linha " + std::to_string(n + 1)
                       + " não existe na codificação do arquivo (Windows-1252). "
                         "Troque-o por outro e salve de novo.";
                return false;
            }
            saida += convertida;
        }
        saida += quebra;
    }
    bytes = std::move(saida);
    return true;
}

bool EscreveTudo(std::FILE* f, const std::string& bytes)
{
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
        return false;
    return std::fflush(f) == 0 && !std::ferror(f);
}

bool GravaAlg(const std::string& caminho, const DocumentoAlg& doc, std::string& erro)
{
    namespace fs = std::filesystem;
    std::string bytes;
    if (!CodificaAlg(doc, bytes, erro))
        return false;

    // Um atalho simbólico continua atalho: grava-se no arquivo para onde aponta.
    std::error_code ec;
    fs::path destino(caminho);
    if (fs::is_symlink(destino, ec)) {
        const fs::path alvo = fs::canonical(destino, ec);
        if (!ec)
            destino = alvo;
    }
    const fs::path pasta = destino.has_parent_path() ? destino.parent_path() : fs::path(".");

    std::random_device aleatorio;
    fs::path temporario;
    std::FILE* f = nullptr;
    for (int tentativa = 0; tentativa < 20 && !f; ++tentativa) {
        temporario = pasta / ("." + destino.filename().string() + ".tmp" + std::to_string(aleatorio() % 1000000));
        f = std::fopen(temporario.c_str(), "wbx");
        if (!f && errno != EEXIST)
            break;
    }
    if (!f) {
        erro = "Não foi possível salvar " + caminho + ": " + descreveErrno(errno) + ".";
        return false;
    }
    const bool escreveu = EscreveTudo(f, bytes);
    const int errEscrita = errno;
    const bool fechou = std::fclose(f) == 0;
    const int errFecho = errno;
    if (!escreveu || !fechou) {
        fs::remove(temporario, ec);
        erro = "Não foi possível salvar " + caminho + ": "
               + descreveErrno(escreveu ? errFecho : errEscrita)
               + ". O arquivo anterior não foi alterado.";
        return false;
    }
    // As permissões do arquivo antigo passam para o novo.
    const auto st = fs::status(destino, ec);
    if (!ec && fs::exists(st))
        fs::permissions(temporario, st.permissions(), ec);
    fs::rename(temporario, destino, ec);
    if (ec) {
        fs::remove(temporario, ec);
        erro = "Não foi possível salvar " + caminho + ": " + descreveErrno(ec.value())
               + ". O arquivo anterior não foi alterado.";
        return false;
    }
    return true;
}

} // namespace vendrilo
