#include "platform/console.h"

#include "formato/arquivo_ini.h"
#include "formato/texto_1252.h"
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

std::string minusculas(std::string s)
{
    for (auto& c : s)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return s;
}

// Texto do .pif em UTF-8, venha ele em UTF-8 ou em Windows-1252.
std::string paraUtf8(std::string_view s)
{
    return Utf8Valido(s) ? std::string(s) : De1252(s);
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
    std::string conteudo;
    if (!LeArquivoInteiro(caminhoPif, conteudo))
        return c;
    bool naSecao = false;
    for (const LinhaIni& l : LinhasIni(conteudo)) {
        if (l.tipo == LinhaIni::Tipo::Secao)
            naSecao = NomesIniIguais(l.nome, "console");
        if (!naSecao || l.tipo != LinhaIni::Tipo::Valor)
            continue;
        const std::string chave = minusculas(std::string(l.nome));
        const std::string valor = paraUtf8(l.valor);
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
        return TemNaoAscii(tudo) && Utf8Valido(tudo);
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
            fim = Para1252(fim);
            erro = Para1252(erro);
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
