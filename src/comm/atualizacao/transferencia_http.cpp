#include "comm/atualizacao/transferencia_http.h"

#include <curl/curl.h>

#include <cstdio>
#include <filesystem>
#include <mutex>
#include <system_error>

namespace vendrilo {

namespace {

// Pedaço lido de cada vez, como na leitura original.
constexpr long kPedaco = 1025;

std::string minusculas(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

void iniciaCurl()
{
    static std::once_flag uma;
    std::call_once(uma, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Estado {
    Estado(const PedidoHTTP& p, const std::atomic<bool>& pa, const ProgressoHTTP& pr)
        : pedido(p), parar(pa), progresso(pr) {}
    const PedidoHTTP& pedido;
    const std::atomic<bool>& parar;
    const ProgressoHTTP& progresso;
    CURL* curl = nullptr;
    bool temTamanho = false;
    std::string textoTamanho;
    bool decidido = false;
    bool recusado = false;
    std::string motivo;
    std::int64_t anunciado = 0;
    std::int64_t recebidos = 0;
    std::FILE* arquivo = nullptr;
    std::filesystem::path parcial;
};

// Tamanho anunciado: só dígitos decimais; qualquer outra coisa é falha.
bool leTamanho(const std::string& texto, std::int64_t& valor)
{
    if (texto.empty() || texto.size() > 18)
        return false;
    valor = 0;
    for (char c : texto) {
        if (c < '0' || c > '9')
            return false;
        valor = valor * 10 + (c - '0');
    }
    return true;
}

// Antes do primeiro byte do corpo: vê a resposta e abre o arquivo parcial.
void decide(Estado& e)
{
    e.decidido = true;
    long codigo = 0;
    curl_easy_getinfo(e.curl, CURLINFO_RESPONSE_CODE, &codigo);
    if (codigo < 200 || codigo >= 300) {
        e.recusado = true;
        e.motivo = "resposta HTTP " + std::to_string(codigo);
        return;
    }
    if (!e.temTamanho) {
        if (e.pedido.binaryData) {
            e.recusado = true;
            e.motivo = "resposta sem tamanho";
            return;
        }
        e.anunciado = 0;
    } else if (!leTamanho(e.textoTamanho, e.anunciado)) {
        e.recusado = true;
        e.motivo = "tamanho anunciado inválido: " + e.textoTamanho;
        return;
    }
    std::error_code ec;
    const std::filesystem::path destino(e.pedido.fileName);
    if (destino.has_parent_path())
        std::filesystem::create_directories(destino.parent_path(), ec);
    e.parcial = destino;
    e.parcial += ".parcial";
    e.arquivo = std::fopen(e.parcial.c_str(), "wb");
    if (!e.arquivo) {
        e.recusado = true;
        e.motivo = "não foi possível criar " + e.parcial.string();
    }
}

size_t recebeCabecalho(char* dados, size_t tam, size_t n, void* usuario)
{
    auto& e = *static_cast<Estado*>(usuario);
    std::string linha(dados, tam * n);
    while (!linha.empty() && (linha.back() == '\n' || linha.back() == '\r'))
        linha.pop_back();
    if (linha.rfind("HTTP/", 0) == 0) { // nova resposta (redirecionamento): recomeça
        e.temTamanho = false;
        e.textoTamanho.clear();
    } else if (minusculas(linha.substr(0, 15)) == "content-length:") {
        std::string v = linha.substr(15);
        const size_t i = v.find_first_not_of(" \t");
        const size_t f = v.find_last_not_of(" \t");
        e.textoTamanho = i == std::string::npos ? std::string() : v.substr(i, f - i + 1);
        e.temTamanho = true;
    }
    return tam * n;
}

size_t recebeCorpo(char* dados, size_t tam, size_t n, void* usuario)
{
    auto& e = *static_cast<Estado*>(usuario);
    const size_t total = tam * n;
    if (e.parar.load())
        return 0;
    if (!e.decidido)
        decide(e);
    if (e.recusado)
        return 0;
    if (std::fwrite(dados, 1, total, e.arquivo) != total) {
        e.recusado = true;
        e.motivo = "erro de escrita em " + e.parcial.string();
        return 0;
    }
    e.recebidos += std::int64_t(total);
    if (e.progresso && !e.progresso(e.anunciado, e.recebidos))
        return 0;
    return total;
}

int acompanha(void* usuario, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<Estado*>(usuario)->parar.load() ? 1 : 0;
}

} // namespace

PartesURL DivideURL(const std::string& url)
{
    std::string resto = url;
    if (minusculas(resto).rfind("http://", 0) == 0)
        resto.erase(0, 7);
    PartesURL p;
    const size_t barra = resto.find('/');
    if (barra == std::string::npos) {
        p.host = resto;
        p.caminho = "/";
    } else {
        p.host = resto.substr(0, barra);
        p.caminho = resto.substr(barra);
    }
    while (!p.host.empty() && p.host.back() == '/')
        p.host.pop_back();
    return p;
}

ResultadoHTTP TransfereHTTP(const PedidoHTTP& pedido, const std::atomic<bool>& parar,
                            const ProgressoHTTP& progresso)
{
    ResultadoHTTP r;
    const PartesURL partes = DivideURL(pedido.url);
    if (parar.load() || partes.host.empty() || pedido.fileName.empty()) {
        r.erro = parar.load() ? "cancelada" : partes.host.empty() ? "URL sem servidor" : "sem arquivo de destino";
        return r;
    }
    iniciaCurl();
    Estado e(pedido, parar, progresso);
    e.curl = curl_easy_init();
    if (!e.curl) {
        r.erro = "falha ao iniciar a biblioteca HTTP";
        return r;
    }
    const std::string url = "http://" + partes.host + partes.caminho;
    curl_slist* cabecalhos = nullptr;
    cabecalhos = curl_slist_append(cabecalhos, ("Accept: " + pedido.acceptTypes).c_str());
    if (!pedido.useCache) {
        cabecalhos = curl_slist_append(cabecalhos, "Cache-Control: no-cache");
        cabecalhos = curl_slist_append(cabecalhos, "Pragma: no-cache");
    }
    if (!pedido.postQuery.empty())
        cabecalhos = curl_slist_append(cabecalhos,
                                       "Content-Type: application/x-www-form-urlencoded");

    CURL* c = e.curl;
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, cabecalhos);
    if (!pedido.agent.empty())
        curl_easy_setopt(c, CURLOPT_USERAGENT, pedido.agent.c_str());
    if (!pedido.referer.empty())
        curl_easy_setopt(c, CURLOPT_REFERER, pedido.referer.c_str());
    if (!pedido.userName.empty())
        curl_easy_setopt(c, CURLOPT_USERNAME, pedido.userName.c_str());
    if (!pedido.password.empty())
        curl_easy_setopt(c, CURLOPT_PASSWORD, pedido.password.c_str());
    if (!pedido.postQuery.empty()) {
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(pedido.postQuery.size()));
        curl_easy_setopt(c, CURLOPT_COPYPOSTFIELDS, pedido.postQuery.c_str());
    }
    // Toda espera tem limite: conexão, e tempo sem receber nenhum byte.
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, pedido.tempoConexaoSeg > 0 ? pedido.tempoConexaoSeg : 15L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, pedido.tempoLeituraSeg > 0 ? pedido.tempoLeituraSeg : 30L);
    curl_easy_setopt(c, CURLOPT_BUFFERSIZE, kPedaco);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, recebeCabecalho);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &e);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, recebeCorpo);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &e);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, acompanha);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &e);

    const CURLcode res = curl_easy_perform(c);
    if (res == CURLE_OK && !e.decidido)
        decide(e); // corpo vazio: o arquivo ainda precisa existir
    curl_easy_cleanup(c);
    curl_slist_free_all(cabecalhos);

    r.tamanhoAnunciado = e.anunciado;
    r.recebidos = e.recebidos;
    bool ok = res == CURLE_OK && !e.recusado && !parar.load() && e.recebidos == e.anunciado;
    if (e.arquivo && std::fclose(e.arquivo) != 0 && ok) {
        ok = false;
        e.motivo = "erro ao fechar " + e.parcial.string();
    }
    if (parar.load())
        r.erro = "cancelada";
    else if (e.recusado)
        r.erro = e.motivo;
    else if (res != CURLE_OK)
        r.erro = curl_easy_strerror(res);
    else if (!ok)
        r.erro = e.motivo.empty() ? "recebidos " + std::to_string(e.recebidos) +
                                        " bytes de " + std::to_string(e.anunciado)
                                  : e.motivo;
    std::error_code ec;
    if (ok) {
        std::filesystem::rename(e.parcial, pedido.fileName, ec);
        if (ec) {
            ok = false;
            r.erro = "não foi possível substituir " + pedido.fileName + ": " + ec.message();
        }
    }
    if (!ok && !e.parcial.empty())
        std::filesystem::remove(e.parcial, ec);
    r.sucesso = ok;
    return r;
}

} // namespace vendrilo
