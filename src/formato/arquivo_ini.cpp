#include "comm/atualizacao/arquivo_ini.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace vendrilo {

namespace {

std::string_view apara(std::string_view s)
{
    const auto espaco = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && espaco(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && espaco(s.back()))
        s.remove_suffix(1);
    return s;
}

bool iguaisSemCaixa(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

struct Linha {
    std::string_view texto;
    std::string_view quebra; // "", "\r\n", "\n" ou "\r"
};

std::vector<Linha> divideLinhas(std::string_view conteudo)
{
    std::vector<Linha> linhas;
    size_t inicio = 0;
    while (inicio < conteudo.size()) {
        size_t fim = conteudo.find_first_of("\r\n", inicio);
        if (fim == std::string_view::npos) {
            linhas.push_back({conteudo.substr(inicio), {}});
            break;
        }
        size_t tam = (conteudo[fim] == '\r' && fim + 1 < conteudo.size() && conteudo[fim + 1] == '\n')
                         ? 2 : 1;
        linhas.push_back({conteudo.substr(inicio, fim - inicio), conteudo.substr(fim, tam)});
        inicio = fim + tam;
    }
    return linhas;
}

// Nome da seção quando a linha é um cabeçalho "[...]".
bool ehSecao(std::string_view linha, std::string_view& nome)
{
    linha = apara(linha);
    if (linha.empty() || linha.front() != '[')
        return false;
    const size_t fecha = linha.find(']');
    if (fecha == std::string_view::npos)
        return false;
    nome = apara(linha.substr(1, fecha - 1));
    return true;
}

bool ehChave(std::string_view linha, std::string_view& chave, std::string_view& valor)
{
    const std::string_view aparada = apara(linha);
    if (aparada.empty() || aparada.front() == ';' || aparada.front() == '#')
        return false;
    const size_t igual = aparada.find('=');
    if (igual == std::string_view::npos)
        return false;
    chave = apara(aparada.substr(0, igual));
    valor = apara(aparada.substr(igual + 1));
    return true;
}

std::string_view semBom(std::string_view s)
{
    if (s.substr(0, 3) == "\xEF\xBB\xBF")
        s.remove_prefix(3);
    return s;
}

} // namespace

std::string LeIniTexto(std::string_view conteudo, std::string_view secao, std::string_view chave)
{
    bool naSecao = false;
    for (const Linha& l : divideLinhas(semBom(conteudo))) {
        std::string_view nome, k, v;
        if (ehSecao(l.texto, nome)) {
            naSecao = iguaisSemCaixa(nome, secao);
        } else if (naSecao && ehChave(l.texto, k, v) && iguaisSemCaixa(k, chave)) {
            if (v.size() >= 2 && ((v.front() == '"' && v.back() == '"') ||
                                  (v.front() == '\'' && v.back() == '\'')))
                v = v.substr(1, v.size() - 2);
            return std::string(v);
        }
    }
    return {};
}

std::string LeValorIni(const std::filesystem::path& arquivo, std::string_view secao,
                       std::string_view chave)
{
    std::ifstream in(arquivo, std::ios::binary);
    if (!in)
        return {};
    const std::string conteudo((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return LeIniTexto(conteudo, secao, chave);
}

std::string AlteraIniTexto(std::string_view conteudo, std::string_view secao,
                           std::string_view chave, std::string_view valor)
{
    const std::vector<Linha> linhas = divideLinhas(conteudo);
    std::string quebra = "\r\n"; // arquivos novos no estilo dos instalados
    for (const Linha& l : linhas)
        if (!l.quebra.empty()) {
            quebra = std::string(l.quebra);
            break;
        }
    const std::string novaLinha = std::string(chave) + "=" + std::string(valor);

    std::string saida;
    bool naSecao = false, achouSecao = false, feito = false;
    size_t fimDaSecao = std::string::npos; // onde acrescentar a chave que falta
    for (const Linha& l : linhas) {
        std::string_view nome, k, v;
        if (ehSecao(l.texto, nome)) {
            if (naSecao && !feito && fimDaSecao == std::string::npos)
                fimDaSecao = saida.size();
            naSecao = iguaisSemCaixa(nome, secao);
            achouSecao = achouSecao || naSecao;
        } else if (naSecao && !feito && ehChave(l.texto, k, v) && iguaisSemCaixa(k, chave)) {
            saida += novaLinha;
            saida += l.quebra.empty() ? std::string_view{} : l.quebra;
            feito = true;
            continue;
        }
        saida += l.texto;
        saida += l.quebra;
    }
    if (feito)
        return saida;
    if (achouSecao && fimDaSecao != std::string::npos) {
        saida.insert(fimDaSecao, novaLinha + quebra);
        return saida;
    }
    if (!saida.empty() && saida.back() != '\n' && saida.back() != '\r')
        saida += quebra;
    if (!achouSecao)
        saida += "[" + std::string(secao) + "]" + quebra;
    saida += novaLinha + quebra;
    return saida;
}

bool GravaValorIni(const std::filesystem::path& arquivo, std::string_view secao,
                   std::string_view chave, std::string_view valor, std::string* erro)
{
    std::string conteudo;
    {
        std::ifstream in(arquivo, std::ios::binary);
        if (in)
            conteudo.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::string novo = AlteraIniTexto(conteudo, secao, chave, valor);
    std::filesystem::path temporario = arquivo;
    temporario += ".novo";
    {
        std::ofstream out(temporario, std::ios::binary | std::ios::trunc);
        out.write(novo.data(), std::streamsize(novo.size()));
        out.flush();
        if (!out) {
            if (erro)
                *erro = "não foi possível gravar " + temporario.string();
            std::error_code ec;
            std::filesystem::remove(temporario, ec);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporario, arquivo, ec);
    if (ec) {
        if (erro)
            *erro = "não foi possível substituir " + arquivo.string() + ": " + ec.message();
        std::filesystem::remove(temporario, ec);
        return false;
    }
    return true;
}

} // namespace vendrilo
