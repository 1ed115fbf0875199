#include "platform/console.h"

#include "check/texto_1252.h"
#include "platform/processo.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>

namespace fs = std::filesystem;

namespace vendrilo {

namespace {

std::mutex mutexLancador;
LancadorConsole lancadorAtual;

std::string apara(std::string s)
{
    const char* brancos = " \t\r\n";
    s.erase(0, s.find_first_not_of(brancos));
    auto f = s.find_last_not_of(brancos);
    s.erase(f == std::string::npos ? 0 : f + 1);
    return s;
}

std::string minusculas(std::string s)
{
    for (auto& c : s)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return s;
}

// UTF-8 bem formado (sem sequências longas demais nem substitutos).
bool utf8Valido(const std::string& s, bool& temNaoAscii)
{
    temNaoAscii = false;
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        temNaoAscii = true;
        int n = c >= 0xF0 && c <= 0xF4 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : -1;
        if (n < 0 || i + static_cast<std::size_t>(n) >= s.size())
            return false;
        for (int k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80)
                return false;
        i += static_cast<std::size_t>(n) + 1;
    }
    return true;
}

// Texto do .pif em UTF-8, venha ele em UTF-8 ou em Windows-1252.
std::string paraUtf8(const std::string& s)
{
    bool naoAscii = false;
    return utf8Valido(s, naoAscii) ? s : verificacao::De1252(s);
}

bool lancadorPadrao(const std::vector<std::string>& argv, const std::string& pasta)
{
    return IniciaDesligado(argv, pasta);
}

// O sh só recebe texto fixo; mensagens e programa chegam como argumentos.
constexpr const char* RoteiroConsole =
    "fim=$1; erro=$2; manter=$3; shift 3\n"
    "\"$@\"; st=$?\n"
    "if [ \"$manter\" = 1 ]; then\n"
    "  if [ \"$st\" -ne 0 ]; then printf '\\n%s %s.\\n' \"$erro\" \"$st\"; fi\n"
    "  printf '\\n%s' \"$fim\"; read -r _\n"
    "fi\n"
    "exit \"$st\"\n";

} // namespace

ConfigConsole LeConfigConsole(const std::string& caminhoPif)
{
    ConfigConsole c;
    std::ifstream f(caminhoPif, std::ios::binary);
    std::string linha, secao;
    bool primeira = true;
    while (f && std::getline(f, linha)) {
        if (primeira && linha.rfind("\xEF\xBB\xBF", 0) == 0)
            linha.erase(0, 3); // marca de ordem de bytes de editores UTF-8
        primeira = false;
        linha = apara(linha);
        if (linha.empty() || linha[0] == ';' || linha[0] == '#')
            continue;
        if (linha.front() == '[') {
            secao = minusculas(apara(linha.substr(1, linha.find(']') - 1)));
            continue;
        }
        if (secao != "console")
            continue;
        auto igual = linha.find('=');
        if (igual == std::string::npos)
            continue;
        const std::string chave = minusculas(apara(linha.substr(0, igual)));
        const std::string valor = paraUtf8(apara(linha.substr(igual + 1)));
        auto sim = [&] { return valor == "1" || minusculas(valor) == "sim" || minusculas(valor) == "true"; };
        if (chave == "terminal" && !valor.empty())
            c.terminal = valor;
        else if (chave == "titulo")
            c.titulo = valor;
        else if (chave == "maximizada")
            c.maximizada = sim();
        else if (chave == "manteraberta")
            c.manterAberta = sim();
        else if (chave == "mensagemfinal")
            c.mensagemFinal = valor;
        else if (chave == "mensagemerro")
            c.mensagemErro = valor;
        else if (chave == "codificacao" && !valor.empty())
            c.codificacao = valor;
    }
    return c;
}

bool ConsoleUtf8(const std::string& NomeExe, const ConfigConsole& config)
{
    const std::string cod = minusculas(config.codificacao);
    if (cod == "utf-8" || cod == "utf8")
        return true;
    if (cod != "automatica" || NomeExe.size() < 3)
        return false;
    const std::string base = NomeExe.substr(0, NomeExe.size() - 3);
    for (const char* ext : {"alg", "ALG", "Alg"}) {
        std::ifstream f(base + ext, std::ios::binary);
        if (!f)
            continue;
        std::string tudo((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        bool naoAscii = false;
        return utf8Valido(tudo, naoAscii) && naoAscii;
    }
    return false;
}

std::vector<std::string> ComandoConsole(const std::string& NomeExe, const ConfigConsole& config, bool utf8)
{
    std::vector<std::string> argv = {config.terminal, "-T", config.titulo};
    if (config.maximizada)
        argv.push_back("-maximized");
    argv.push_back("-e");
    std::string fim = config.mensagemFinal, erro = config.mensagemErro;
    if (!utf8) {
        // Sob o luit tudo o que o console escreve é Windows-1252, inclusive
        // as mensagens do roteiro.
        if (std::string luit = ProcuraPrograma("luit"); !luit.empty()) {
            argv.insert(argv.end(), {luit, "-encoding", "CP 1252", "--"});
            fim = verificacao::Para1252(fim);
            erro = verificacao::Para1252(erro);
        }
    }
    argv.insert(argv.end(), {"/bin/sh", "-c", RoteiroConsole, "vendrilo-console", fim, erro,
                             config.manterAberta ? "1" : "0", NomeExe});
    return argv;
}

void DefineLancadorConsole(LancadorConsole lancador)
{
    std::lock_guard trava(mutexLancador);
    lancadorAtual = std::move(lancador);
}

bool AbreConsole(const std::string& NomeExe)
{
    std::error_code ec;
    const std::string exe = fs::absolute(NomeExe, ec).lexically_normal().string();
    if (exe.size() < 3)
        return false;
    ConfigConsole config = LeConfigConsole(exe.substr(0, exe.size() - 3) + "pif");
    if (const char* t = std::getenv("VENDRILO_TERMINAL"); t && *t)
        config.terminal = t;
    const auto argv = ComandoConsole(exe, config, ConsoleUtf8(exe, config));
    LancadorConsole lancador;
    {
        std::lock_guard trava(mutexLancador);
        lancador = lancadorAtual ? lancadorAtual : LancadorConsole(lancadorPadrao);
    }
    return lancador(argv, fs::path(exe).parent_path().string());
}

} // namespace vendrilo
