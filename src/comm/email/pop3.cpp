// Login POP3 antes do SMTP: diálogo literal USER/PASS/QUIT sobre uma conexão
// crua da libcurl, porque o cliente POP3 dela prefere AUTH PLAIN e o provedor
// só reconhece o envio depois de USER/PASS.
#include "comm/email/correio.h"
#include "comm/email/curl_comum.h"

#include <chrono>
#include <thread>

namespace vendrilo {

namespace {

using namespace correio_interno;
using Relogio = std::chrono::steady_clock;

constexpr size_t kLinhaMaxima = 4096; // bem acima dos 512 octetos do POP3

enum class Resposta { Ok, Recusa, Erro };

class DialogoPop3 {
public:
    DialogoPop3(CURL* c, const ServidorCorreio& s) : curl_(c), servidor_(s) {}

    bool envia(const std::string& comando, std::string& erro)
    {
        const auto limite = Relogio::now() + std::chrono::milliseconds(servidor_.tempoLimiteMs);
        size_t feito = 0;
        while (feito < comando.size()) {
            size_t n = 0;
            const CURLcode r = curl_easy_send(curl_, comando.data() + feito, comando.size() - feito, &n);
            if (r == CURLE_AGAIN) {
                if (Relogio::now() > limite)
                    return semResposta(erro);
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                continue;
            }
            if (r != CURLE_OK) {
                erro = "A conexão com o servidor POP3 caiu durante o login.";
                return false;
            }
            feito += n;
        }
        return true;
    }

    // Lê uma linha e a classifica; em Erro, `erro` diz o porquê.
    Resposta le(std::string& linha, std::string& erro)
    {
        const auto limite = Relogio::now() + std::chrono::milliseconds(servidor_.tempoLimiteMs);
        for (;;) {
            const auto fim = buffer_.find('\n');
            if (fim != std::string::npos) {
                linha = buffer_.substr(0, fim);
                buffer_.erase(0, fim + 1);
                if (!linha.empty() && linha.back() == '\r')
                    linha.pop_back();
                if (linha.rfind("+OK", 0) == 0)
                    return Resposta::Ok;
                if (linha.rfind("-ERR", 0) == 0)
                    return Resposta::Recusa;
                erro = "O servidor POP3 deu uma resposta inesperada: \"" + trechoLegivel(linha) + "\".";
                return Resposta::Erro;
            }
            if (buffer_.size() > kLinhaMaxima) {
                erro = "O servidor POP3 mandou uma linha longa demais; o login foi interrompido.";
                return Resposta::Erro;
            }
            char bloco[1024];
            size_t n = 0;
            const CURLcode r = curl_easy_recv(curl_, bloco, sizeof bloco, &n);
            if (r == CURLE_AGAIN) {
                if (Relogio::now() > limite) {
                    semResposta(erro);
                    return Resposta::Erro;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                continue;
            }
            if (r != CURLE_OK || n == 0) {
                erro = "O servidor POP3 encerrou a conexão antes do fim do login.";
                return Resposta::Erro;
            }
            buffer_.append(bloco, n);
        }
    }

private:
    bool semResposta(std::string& erro) const
    {
        erro = "O servidor POP3 não respondeu em " + std::to_string(servidor_.tempoLimiteMs / 1000) +
               " segundos; o login foi interrompido.";
        return false;
    }

    CURL* curl_;
    const ServidorCorreio& servidor_;
    std::string buffer_;
};

} // namespace

bool EntraPop3(const ServidorCorreio& servidor, const std::string& usuario, const std::string& senha,
               int esperaMs, std::string& erro)
{
    if (usuario.find_first_of("\r\n") != std::string::npos || senha.find_first_of("\r\n") != std::string::npos) {
        erro = "O usuário ou a senha da conta de e-mail contém uma quebra de linha.";
        return false;
    }
    iniciaCurl();
    Curl curl(curl_easy_init());
    if (!curl) {
        erro = "Não foi possível preparar a conexão de e-mail.";
        return false;
    }
    // Esquema sem protocolo próprio na conexão: só o soquete, o diálogo é nosso.
    const std::string url = "telnet://" + hostPorta(servidor.host, servidor.porta);
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_CONNECT_ONLY, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(servidor.tempoLimiteMs));
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    const CURLcode r = curl_easy_perform(curl.get());
    if (r != CURLE_OK) {
        erro = r == CURLE_COULDNT_RESOLVE_HOST
                   ? "Não foi possível encontrar o servidor POP3 " + servidor.host + "."
               : r == CURLE_OPERATION_TIMEDOUT
                   ? "O servidor POP3 " + hostPorta(servidor.host, servidor.porta) + " não atendeu a tempo."
                   : "Não foi possível conectar ao servidor POP3 " + hostPorta(servidor.host, servidor.porta) +
                         " (conexão recusada ou servidor fora do ar).";
        return false;
    }

    DialogoPop3 d(curl.get(), servidor);
    std::string linha;
    Resposta resp = d.le(linha, erro);
    if (resp == Resposta::Recusa)
        erro = "O servidor POP3 recusou a conexão: \"" + trechoLegivel(linha) + "\".";
    if (resp != Resposta::Ok)
        return false;
    for (const std::string& comando : {"USER " + usuario + "\r\n", "PASS " + senha + "\r\n"}) {
        if (!d.envia(comando, erro))
            return false;
        resp = d.le(linha, erro);
        if (resp == Resposta::Recusa)
            erro = "O servidor POP3 recusou o usuário ou a senha da conta de e-mail (\"" + trechoLegivel(linha) +
                   "\").";
        if (resp != Resposta::Ok)
            return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(esperaMs > 0 ? esperaMs : 0));
    // O login já valeu; uma falha no QUIT não desfaz nada.
    std::string ignorado;
    if (d.envia("QUIT\r\n", ignorado))
        d.le(linha, ignorado);
    return true;
}

} // namespace vendrilo
