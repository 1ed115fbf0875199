#include "apoio_email.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

namespace vendrilo::teste {

namespace {

std::string pastaServidores()
{
    const char* p = std::getenv("VENDRILO_TESTE_SERVIDORES");
    return p ? p : VENDRILO_PASTA_SERVIDORES;
}

std::string minusculas(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string apara(const std::string& s)
{
    const auto i = s.find_first_not_of(" \t\r\n");
    if (i == std::string::npos)
        return {};
    return s.substr(i, s.find_last_not_of(" \t\r\n") - i + 1);
}

std::string base64(const std::string& s)
{
    std::string r;
    unsigned v = 0;
    int bits = 0;
    for (char c : s) {
        int d;
        if (c >= 'A' && c <= 'Z') d = c - 'A';
        else if (c >= 'a' && c <= 'z') d = c - 'a' + 26;
        else if (c >= '0' && c <= '9') d = c - '0' + 52;
        else if (c == '+') d = 62;
        else if (c == '/') d = 63;
        else continue;
        v = (v << 6) | static_cast<unsigned>(d);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            r += static_cast<char>((v >> bits) & 0xFF);
        }
    }
    return r;
}

int hexa(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string quotedPrintable(const std::string& s)
{
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '=' && i + 1 < s.size() && s[i + 1] == '\r' && i + 2 < s.size() && s[i + 2] == '\n') {
            i += 2; // quebra suave
        } else if (s[i] == '=' && i + 1 < s.size() && s[i + 1] == '\n') {
            i += 1;
        } else if (s[i] == '=' && i + 2 < s.size() && hexa(s[i + 1]) >= 0 && hexa(s[i + 2]) >= 0) {
            r += static_cast<char>(hexa(s[i + 1]) * 16 + hexa(s[i + 2]));
            i += 2;
        } else {
            r += s[i];
        }
    }
    return r;
}

// "=?UTF-8?B?...?=" (e Q), separadas por espaço dobrado.
std::string palavrasCodificadas(const std::string& s)
{
    std::string r;
    size_t i = 0;
    bool anteriorCodificada = false;
    while (i < s.size()) {
        const auto ini = s.find("=?", i);
        if (ini == std::string::npos) {
            r += s.substr(i);
            break;
        }
        const auto q1 = s.find('?', ini + 2);
        const auto q2 = q1 == std::string::npos ? q1 : s.find('?', q1 + 1);
        const auto fim = q2 == std::string::npos ? q2 : s.find("?=", q2 + 1);
        if (fim == std::string::npos) {
            r += s.substr(i);
            break;
        }
        const std::string entre = s.substr(i, ini - i);
        if (!(anteriorCodificada && apara(entre).empty()))
            r += entre;
        const char modo = static_cast<char>(std::toupper(static_cast<unsigned char>(s[q1 + 1])));
        const std::string dados = s.substr(q2 + 1, fim - q2 - 1);
        if (modo == 'B') {
            r += base64(dados);
        } else {
            std::string d = dados;
            for (char& c : d)
                if (c == '_')
                    c = ' ';
            r += quotedPrintable(d);
        }
        anteriorCodificada = true;
        i = fim + 2;
    }
    return r;
}

// Separa cabeçalhos (desdobrados) e corpo.
void separa(const std::string& texto, std::map<std::string, std::string>& cab, std::string& corpo)
{
    auto fimCab = texto.find("\r\n\r\n");
    size_t salto = 4;
    if (fimCab == std::string::npos) {
        fimCab = texto.find("\n\n");
        salto = 2;
    }
    const std::string cabecalho = fimCab == std::string::npos ? texto : texto.substr(0, fimCab);
    corpo = fimCab == std::string::npos ? std::string() : texto.substr(fimCab + salto);
    std::istringstream linhas(cabecalho);
    std::string linha, nome;
    while (std::getline(linhas, linha)) {
        if (!linha.empty() && linha.back() == '\r')
            linha.pop_back();
        if (!linha.empty() && (linha[0] == ' ' || linha[0] == '\t') && !nome.empty()) {
            cab[nome] += "\r\n" + linha;
            continue;
        }
        const auto dois = linha.find(':');
        if (dois == std::string::npos)
            continue;
        nome = minusculas(linha.substr(0, dois));
        cab[nome] = apara(linha.substr(dois + 1));
    }
}

std::string parametro(const std::string& cabecalho, const std::string& nome)
{
    const std::string c = minusculas(cabecalho);
    const auto p = c.find(nome + "=");
    if (p == std::string::npos)
        return {};
    std::string v = cabecalho.substr(p + nome.size() + 1);
    if (!v.empty() && v[0] == '"')
        return v.substr(1, v.find('"', 1) - 1);
    return apara(v.substr(0, v.find(';')));
}

} // namespace

int PortaServidor(const std::string& nome)
{
    std::ifstream f(pastaServidores() + "/" + nome + ".porta");
    int porta = 0;
    f >> porta;
    return porta;
}

int PortaRuim(const std::string& modo)
{
    std::ifstream f(pastaServidores() + "/ruim.portas");
    std::string m;
    int porta = 0;
    while (f >> m >> porta)
        if (m == modo)
            return porta;
    return 0;
}

int PortaFechada()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t n = sizeof a;
    int porta = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &n) == 0)
        porta = ntohs(a.sin_port);
    ::close(s);
    return porta;
}

MensagemRecebida LeMensagem(const std::string& bruta)
{
    MensagemRecebida m;
    m.bruta = bruta;
    std::string corpo;
    separa(bruta, m.cabecalhos, corpo);
    m.assunto = palavrasCodificadas(m.cabecalhos["subject"]);
    const std::string fronteira = parametro(m.cabecalhos["content-type"], "boundary");
    std::vector<std::string> trechos;
    if (fronteira.empty()) {
        trechos.push_back(bruta);
    } else {
        const std::string marca = "--" + fronteira;
        size_t p = corpo.find(marca);
        while (p != std::string::npos) {
            size_t ini = corpo.find('\n', p);
            if (ini == std::string::npos || corpo.compare(p + marca.size(), 2, "--") == 0)
                break;
            ++ini;
            const size_t prox = corpo.find(marca, ini);
            if (prox == std::string::npos)
                break;
            size_t fim = prox;
            if (fim >= 2 && corpo.compare(fim - 2, 2, "\r\n") == 0)
                fim -= 2;
            trechos.push_back(corpo.substr(ini, fim - ini));
            p = prox;
        }
    }
    for (const std::string& t : trechos) {
        ParteMime parte;
        std::string conteudo;
        separa(t, parte.cabecalhos, conteudo);
        const std::string cod = minusculas(parte.cabecalhos["content-transfer-encoding"]);
        parte.conteudo = cod == "base64" ? base64(conteudo)
                         : cod == "quoted-printable" ? quotedPrintable(conteudo)
                                                     : conteudo;
        m.partes.push_back(std::move(parte));
    }
    return m;
}

std::optional<MensagemRecebida> EsperaMensagem(const std::string& marca, int limiteMs)
{
    namespace fs = std::filesystem;
    const fs::path caixa = fs::path(pastaServidores()) / "caixa" / "new";
    const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(limiteMs);
    do {
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(caixa, ec)) {
            if (e.path().extension() != ".eml")
                continue;
            const std::string bruta = LeArquivo(e.path().string());
            MensagemRecebida m = LeMensagem(bruta);
            if (m.assunto.find(marca) == std::string::npos)
                continue;
            fs::path env = e.path();
            env.replace_extension(".env");
            std::istringstream linhas(LeArquivo(env.string()));
            for (std::string l; std::getline(linhas, l);)
                m.envelope.push_back(l);
            return m;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < limite);
    return std::nullopt;
}

std::string LeArquivo(const std::string& caminho)
{
    std::ifstream f(caminho, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

void GravaArquivo(const std::string& caminho, const std::string& dados)
{
    std::ofstream f(caminho, std::ios::binary | std::ios::trunc);
    f << dados;
}

std::string MarcaUnica(const std::string& prefixo)
{
    static std::mt19937_64 g{std::random_device{}()};
    return prefixo + "-" + std::to_string(g() % 1000000000ULL);
}

} // namespace vendrilo::teste
