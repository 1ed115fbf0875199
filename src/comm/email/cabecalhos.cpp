// Peças de texto da mensagem: listas de endereços, cabeçalhos codificados,
// data e identificador.
#include "comm/email/config_email.h"
#include "comm/email/correio.h"

#include <cstdio>
#include <ctime>
#include <random>

namespace vendrilo {

namespace {

std::string base64(const std::string& dados)
{
    static const char tabela[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string r;
    size_t i = 0;
    for (; i + 2 < dados.size(); i += 3) {
        const unsigned v = (static_cast<unsigned char>(dados[i]) << 16) |
                           (static_cast<unsigned char>(dados[i + 1]) << 8) | static_cast<unsigned char>(dados[i + 2]);
        r += tabela[(v >> 18) & 63];
        r += tabela[(v >> 12) & 63];
        r += tabela[(v >> 6) & 63];
        r += tabela[v & 63];
    }
    if (i < dados.size()) {
        unsigned v = static_cast<unsigned char>(dados[i]) << 16;
        if (i + 1 < dados.size())
            v |= static_cast<unsigned char>(dados[i + 1]) << 8;
        r += tabela[(v >> 18) & 63];
        r += tabela[(v >> 12) & 63];
        r += i + 1 < dados.size() ? tabela[(v >> 6) & 63] : '=';
        r += '=';
    }
    return r;
}

} // namespace

std::vector<std::string> SeparaEnderecos(const std::string& lista)
{
    std::vector<std::string> enderecos;
    std::string item;
    bool entreAspas = false;
    auto fecha = [&] {
        std::string e = AparaBrancos(item);
        const auto abre = e.rfind('<');
        const auto fim = e.rfind('>');
        if (abre != std::string::npos && fim != std::string::npos && fim > abre)
            e = AparaBrancos(e.substr(abre + 1, fim - abre - 1));
        if (!e.empty())
            enderecos.push_back(e);
        item.clear();
    };
    for (char c : lista) {
        if (c == '"')
            entreAspas = !entreAspas;
        if (!entreAspas && (c == ',' || c == ';'))
            fecha();
        else
            item += c;
    }
    fecha();
    return enderecos;
}

std::string CodificaCabecalho(const std::string& utf8)
{
    bool simples = utf8.find("=?") == std::string::npos;
    for (unsigned char c : utf8)
        simples = simples && c >= 0x20 && c < 0x7F;
    if (simples)
        return utf8;
    // Palavras codificadas de até 45 bytes (60 em base64), sem partir um
    // caractere UTF-8 entre duas delas.
    std::string r;
    size_t i = 0;
    while (i < utf8.size()) {
        size_t fim = std::min(utf8.size(), i + 45);
        while (fim < utf8.size() && fim > i + 1 && (static_cast<unsigned char>(utf8[fim]) & 0xC0) == 0x80)
            --fim;
        if (!r.empty())
            r += "\r\n ";
        r += "=?UTF-8?B?" + base64(utf8.substr(i, fim - i)) + "?=";
        i = fim;
    }
    return r;
}

std::string DataCabecalho(long long segundosEpoch)
{
    static const char* const dias[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const meses[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t t = static_cast<std::time_t>(segundosEpoch);
    std::tm local{};
    localtime_r(&t, &local);
    // Nomes em inglês de propósito: o formato da data do e-mail não depende do idioma.
    long desvio = local.tm_gmtoff / 60;
    const char sinal = desvio < 0 ? '-' : '+';
    if (desvio < 0)
        desvio = -desvio;
    char texto[64];
    const int n = std::snprintf(texto, sizeof texto, "%s, %02d %s %04d %02d:%02d:%02d %c%02ld%02ld",
                                dias[local.tm_wday % 7], local.tm_mday, meses[local.tm_mon % 12],
                                local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec, sinal,
                                desvio / 60, desvio % 60);
    // Os campos têm largura limitada: o texto sempre cabe; se não coubesse, nada de data cortada.
    return n > 0 && static_cast<std::size_t>(n) < sizeof texto ? std::string(texto) : std::string();
}

std::string NovoMessageId(const std::string& remetente)
{
    std::string dominio;
    const auto arroba = remetente.rfind('@');
    if (arroba != std::string::npos)
        for (char c : remetente.substr(arroba + 1))
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-')
                dominio += c;
    if (dominio.empty())
        dominio = "vendrilo.local";
    static std::mt19937_64 gerador{std::random_device{}()};
    char texto[80];
    const int n = std::snprintf(texto, sizeof texto, "<%llx.%016llx",
                                static_cast<unsigned long long>(std::time(nullptr)),
                                static_cast<unsigned long long>(gerador()));
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof texto)
        return "<" + std::to_string(gerador()) + "@" + dominio + ">";
    return texto + ("@" + dominio + ">");
}

} // namespace vendrilo
