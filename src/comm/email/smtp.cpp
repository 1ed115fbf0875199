// Envio SMTP com a mensagem MIME montada pela libcurl.
#include "comm/email/correio.h"
#include "comm/email/curl_comum.h"

#include <algorithm>
#include <ctime>
#include <fstream>

namespace vendrilo {

namespace {

using namespace correio_interno;

struct LiberaLista {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
using Lista = std::unique_ptr<curl_slist, LiberaLista>;

struct LiberaMime {
    void operator()(curl_mime* m) const { curl_mime_free(m); }
};
using Mime = std::unique_ptr<curl_mime, LiberaMime>;

void acrescenta(Lista& lista, const std::string& texto)
{
    curl_slist* nova = curl_slist_append(lista.get(), texto.c_str());
    if (nova) {
        (void)lista.release();
        lista.reset(nova);
    }
}

// Um cabeçalho nunca pode levar quebra de linha do usuário: viraria outro cabeçalho.
std::string semQuebras(const std::string& s)
{
    std::string r = s;
    for (char& c : r)
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    return r;
}

// O nome de um anexo vai aos cabeçalhos da sua parte: nenhum caractere de
// controle (CR, LF, TAB, NUL...) chega lá, como no Subject.
std::string semControles(const std::string& s)
{
    std::string r = s;
    for (char& c : r)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return r;
}

bool soAscii(const std::string& s)
{
    for (unsigned char c : s)
        if (c >= 0x7F)
            return false;
    return true;
}

// Texto de To:/Cc:: como digitado quando é ASCII; senão só os endereços.
std::string cabecalhoEnderecos(const std::string& texto)
{
    const std::string limpo = semQuebras(texto);
    if (soAscii(limpo))
        return limpo;
    std::string r;
    for (const std::string& e : SeparaEnderecos(limpo))
        r += (r.empty() ? "" : ", ") + e;
    return r;
}

std::string nomeArquivo(const std::string& caminho)
{
    const auto barra = caminho.find_last_of('/');
    return barra == std::string::npos ? caminho : caminho.substr(barra + 1);
}

std::string percentual(const std::string& s) // RFC 2231
{
    static const char hexa[] = "0123456789ABCDEF";
    std::string r;
    for (unsigned char c : s) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
            c == '_') {
            r += static_cast<char>(c);
        } else {
            r += '%';
            r += hexa[c >> 4];
            r += hexa[c & 15];
        }
    }
    return r;
}

std::string tipoAnexo(const std::string& nome)
{
    if (nome.size() >= 4) {
        std::string ext = nome.substr(nome.size() - 4);
        for (char& c : ext)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        if (ext == ".zip")
            return "application/zip";
    }
    return "application/octet-stream"; // .alg viaja intacto, byte a byte
}

std::string erroCurl(CURLcode r, CURL* c, const ServidorCorreio& s)
{
    long codigo = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &codigo);
    const std::string onde = hostPorta(s.host, s.porta);
    switch (r) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return "Não foi possível encontrar o servidor de e-mail " + s.host + ".";
    case CURLE_COULDNT_CONNECT:
        return "Não foi possível conectar ao servidor de e-mail " + onde +
               " (conexão recusada ou servidor fora do ar).";
    case CURLE_OPERATION_TIMEDOUT:
        return "O servidor de e-mail " + onde + " não respondeu em " + std::to_string(s.tempoLimiteMs / 1000) +
               " segundos; o e-mail não foi enviado.";
    case CURLE_READ_ERROR:
    case CURLE_FILE_COULDNT_READ_FILE:
        return "Não foi possível ler um dos anexos; o e-mail não foi enviado.";
    default:
        break;
    }
    if (codigo >= 400)
        return "O servidor de e-mail recusou o envio (código " + std::to_string(codigo) +
               "); o e-mail não foi enviado.";
    if (r == CURLE_WEIRD_SERVER_REPLY)
        return "O servidor de e-mail " + onde + " deu uma resposta inesperada; o e-mail não foi enviado.";
    if (r == CURLE_GOT_NOTHING || r == CURLE_RECV_ERROR || r == CURLE_SEND_ERROR)
        return "A conexão com o servidor de e-mail " + onde + " caiu durante o envio; o e-mail não foi enviado.";
    return std::string("Falha no envio do e-mail (") + curl_easy_strerror(r) + ").";
}

} // namespace

bool EnviaSmtp(const ServidorCorreio& servidor, const MensagemCorreio& msg, std::string& erro)
{
    const auto remetentes = SeparaEnderecos(semQuebras(msg.remetente));
    if (remetentes.empty()) {
        erro = "Informe o e-mail do remetente.";
        return false;
    }
    std::vector<std::string> destinos = SeparaEnderecos(semQuebras(msg.para));
    for (const std::string& e : SeparaEnderecos(semQuebras(msg.copia)))
        destinos.push_back(e);
    if (destinos.empty()) {
        erro = "Nenhum destinatário para o e-mail.";
        return false;
    }
    // Um anexo ilegível é avisado antes de qualquer conexão.
    for (const std::string& anexo : msg.anexos) {
        std::ifstream teste(anexo, std::ios::binary);
        if (!teste) {
            erro = "Não foi possível ler o anexo " + anexo + "; o e-mail não foi enviado.";
            return false;
        }
    }

    iniciaCurl();
    // Listas e MIME declarados antes do manipulador: a curl os usa até ser liberada.
    Lista rcpt;
    Lista cabecalhos;
    Mime mime;
    Curl curl(curl_easy_init());
    if (!curl) {
        erro = "Não foi possível preparar a conexão de e-mail.";
        return false;
    }
    CURL* c = curl.get();

    for (const std::string& e : destinos)
        acrescenta(rcpt, "<" + e + ">");
    acrescenta(cabecalhos, "Date: " + DataCabecalho(static_cast<long long>(std::time(nullptr))));
    acrescenta(cabecalhos, "Message-ID: " + NovoMessageId(remetentes.front()));
    acrescenta(cabecalhos, "From: " + cabecalhoEnderecos(msg.remetente));
    if (!SeparaEnderecos(msg.para).empty())
        acrescenta(cabecalhos, "To: " + cabecalhoEnderecos(msg.para));
    if (!SeparaEnderecos(msg.copia).empty())
        acrescenta(cabecalhos, "Cc: " + cabecalhoEnderecos(msg.copia));
    acrescenta(cabecalhos, "Subject: " + CodificaCabecalho(semQuebras(msg.assunto)));

    mime.reset(curl_mime_init(c));
    curl_mimepart* corpo = curl_mime_addpart(mime.get());
    curl_mime_data(corpo, msg.corpo.data(), msg.corpo.size());
    curl_mime_type(corpo, ("text/plain; charset=" + msg.charsetCorpo).c_str());
    curl_mime_encoder(corpo, "quoted-printable");
    for (const std::string& anexo : msg.anexos) {
        curl_mimepart* parte = curl_mime_addpart(mime.get());
        if (curl_mime_filedata(parte, anexo.c_str()) != CURLE_OK) {
            erro = "Não foi possível ler o anexo " + anexo + "; o e-mail não foi enviado.";
            return false;
        }
        const std::string nome = semControles(nomeArquivo(anexo));
        curl_mime_type(parte, tipoAnexo(nome).c_str());
        curl_mime_encoder(parte, "base64");
        if (!soAscii(nome) || nome.find_first_of("\"\\") != std::string::npos) {
            // Nome com acentos ou aspas: RFC 2231, que os leitores de e-mail entendem.
            curl_mime_filename(parte, nullptr);
            curl_slist* h = curl_slist_append(
                nullptr, ("Content-Disposition: attachment; filename*=UTF-8''" + percentual(nome)).c_str());
            curl_mime_headers(parte, h, 1);
        } else {
            curl_mime_filename(parte, nome.c_str());
        }
    }

    char detalhe[CURL_ERROR_SIZE] = {};
    const std::string url = "smtp://" + hostPorta(servidor.host, servidor.porta);
    const long segundos = std::max(1, servidor.tempoLimiteMs / 1000);
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, ("<" + remetentes.front() + ">").c_str());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, rcpt.get());
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, cabecalhos.get());
    curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(servidor.tempoLimiteMs));
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, segundos);
    // Sem um byte por `segundos`, a transferência é dada por parada.
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, segundos);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, detalhe);
    const CURLcode r = curl_easy_perform(c);
    if (r != CURLE_OK) {
        erro = erroCurl(r, c, servidor);
        return false;
    }
    return true;
}

} // namespace vendrilo
