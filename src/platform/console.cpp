#include "platform/console.h"

#include "formato/arquivo_ini.h"
#include "formato/texto_1252.h"

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
        // Números fora de uma faixa razoável ficam no padrão.
        auto numero = [&](int& destino, int minimo, int maximo) {
            try {
                std::size_t fim = 0;
                int v = std::stoi(valor, &fim);
                if (fim == valor.size() && v >= minimo && v <= maximo)
                    destino = v;
            } catch (const std::exception&) {
            }
        };
        if (chave == "titulo")
            c.titulo = valor;
        else if (chave == "colunas")
            numero(c.colunas, 20, 500);
        else if (chave == "linhas")
            numero(c.linhas, 5, 300);
        else if (chave == "fonte" && !valor.empty())
            c.fonte = valor;
        else if (chave == "tamanhofonte")
            numero(c.tamanhoFonte, 4, 96);
        else if (chave == "cortexto" && !valor.empty())
            c.corTexto = valor;
        else if (chave == "corfundo" && !valor.empty())
            c.corFundo = valor;
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
    PedidoConsole pedido;
    pedido.programa = exe;
    pedido.pasta = fs::path(exe).parent_path().string();
    pedido.config = LeConfigConsole(exe.substr(0, exe.size() - 3) + "pif");
    pedido.utf8 = ConsoleUtf8(exe, pedido.config);
    LancadorConsole lancador;
    {
        std::lock_guard trava(mutexLancador);
        lancador = lancadorAtual;
    }
    return lancador && lancador(pedido);
}

} // namespace vendrilo
