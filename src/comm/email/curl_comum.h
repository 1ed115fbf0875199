#pragma once
// Detalhes da libcurl partilhados pelo POP3 e pelo SMTP (uso interno).

#include <curl/curl.h>

#include <memory>
#include <mutex>
#include <string>

namespace vendrilo::correio_interno {

// curl_global_init não é seguro entre threads: uma vez só, antes do primeiro uso.
inline void iniciaCurl()
{
    static std::once_flag uma;
    std::call_once(uma, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct LiberaCurl {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
using Curl = std::unique_ptr<CURL, LiberaCurl>;

// "host:porta" para a URL, com colchetes em endereços IPv6.
inline std::string hostPorta(const std::string& host, int porta)
{
    const std::string h = host.find(':') != std::string::npos ? "[" + host + "]" : host;
    return h + ":" + std::to_string(porta);
}

// Trecho de resposta de servidor apto a aparecer numa mensagem: só ASCII visível, curto.
inline std::string trechoLegivel(const std::string& s)
{
    std::string r;
    for (char c : s) {
        if (r.size() >= 80) {
            r += "...";
            break;
        }
        r += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return r;
}

} // namespace vendrilo::correio_interno
