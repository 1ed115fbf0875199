#include "formato/arquivo_ini.h"

#include "formato/gravacao_segura.h"

#include <fstream>
#include <iterator>

namespace vendrilo {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view apara(std::string_view s)
{
    const auto espaco = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && espaco(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && espaco(s.back()))
        s.remove_suffix(1);
    return s;
}

void classifica(LinhaIni& l)
{
    const std::string_view t = apara(l.texto);
    if (t.empty()) {
        l.tipo = LinhaIni::Tipo::Vazia;
    } else if (t.front() == ';' || t.front() == '#') {
        l.tipo = LinhaIni::Tipo::Comentario;
    } else if (t.front() == '[') {
        const std::size_t fecha = t.find(']');
        l.tipo = fecha == std::string_view::npos ? LinhaIni::Tipo::Invalida : LinhaIni::Tipo::Secao;
        if (fecha != std::string_view::npos)
            l.nome = apara(t.substr(1, fecha - 1));
    } else if (const std::size_t igual = t.find('='); igual != std::string_view::npos) {
        l.tipo = LinhaIni::Tipo::Valor;
        l.nome = apara(t.substr(0, igual));
        l.valor = apara(t.substr(igual + 1));
    } else {
        l.tipo = LinhaIni::Tipo::Invalida;
    }
}

} // namespace

std::vector<LinhaIni> LinhasIni(std::string_view conteudo)
{
    if (conteudo.substr(0, kBom.size()) == kBom)
        conteudo.remove_prefix(kBom.size());
    std::vector<LinhaIni> linhas;
    std::size_t inicio = 0;
    while (inicio < conteudo.size()) {
        LinhaIni l;
        l.numero = linhas.size() + 1;
        const std::size_t fim = conteudo.find_first_of("\r\n", inicio);
        if (fim == std::string_view::npos) {
            l.texto = conteudo.substr(inicio);
            inicio = conteudo.size();
        } else {
            const bool crlf = conteudo[fim] == '\r' && fim + 1 < conteudo.size() && conteudo[fim + 1] == '\n';
            l.texto = conteudo.substr(inicio, fim - inicio);
            l.quebra = conteudo.substr(fim, crlf ? 2 : 1);
            inicio = fim + l.quebra.size();
        }
        classifica(l);
        linhas.push_back(l);
    }
    return linhas;
}

bool NomesIniIguais(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    const auto minuscula = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (minuscula(a[i]) != minuscula(b[i]))
            return false;
    return true;
}

std::string LeIniTexto(std::string_view conteudo, std::string_view secao, std::string_view chave)
{
    bool naSecao = false;
    for (const LinhaIni& l : LinhasIni(conteudo)) {
        if (l.tipo == LinhaIni::Tipo::Secao) {
            naSecao = NomesIniIguais(l.nome, secao);
        } else if (naSecao && l.tipo == LinhaIni::Tipo::Valor && NomesIniIguais(l.nome, chave)) {
            std::string_view v = l.valor;
            if (v.size() >= 2 && ((v.front() == '"' && v.back() == '"') ||
                                  (v.front() == '\'' && v.back() == '\'')))
                v = v.substr(1, v.size() - 2);
            return std::string(v);
        }
    }
    return {};
}

bool LeArquivoInteiro(const std::filesystem::path& arquivo, std::string& conteudo)
{
    std::ifstream in(arquivo, std::ios::binary);
    if (!in)
        return false;
    conteudo.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string LeValorIni(const std::filesystem::path& arquivo, std::string_view secao,
                       std::string_view chave)
{
    std::string conteudo;
    return LeArquivoInteiro(arquivo, conteudo) ? LeIniTexto(conteudo, secao, chave) : std::string();
}

std::string AlteraIniTexto(std::string_view conteudo, std::string_view secao,
                           std::string_view chave, std::string_view valor)
{
    const std::vector<LinhaIni> linhas = LinhasIni(conteudo);
    std::string quebra = "\r\n"; // arquivos novos no estilo dos instalados
    for (const LinhaIni& l : linhas)
        if (!l.quebra.empty()) {
            quebra = std::string(l.quebra);
            break;
        }
    const std::string novaLinha = std::string(chave) + "=" + std::string(valor);

    // A marca de ordem de bytes fica onde estava, fora das linhas.
    std::string saida(conteudo.substr(0, kBom.size()) == kBom ? kBom : std::string_view{});
    bool naSecao = false, achouSecao = false, feito = false;
    std::size_t fimDaSecao = std::string::npos; // onde acrescentar a chave que falta
    for (const LinhaIni& l : linhas) {
        if (l.tipo == LinhaIni::Tipo::Secao) {
            if (naSecao && !feito && fimDaSecao == std::string::npos)
                fimDaSecao = saida.size();
            naSecao = NomesIniIguais(l.nome, secao);
            achouSecao = achouSecao || naSecao;
        } else if (naSecao && !feito && l.tipo == LinhaIni::Tipo::Valor && NomesIniIguais(l.nome, chave)) {
            saida += novaLinha;
            saida += l.quebra;
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
    if (!saida.empty() && saida != kBom && saida.back() != '\n' && saida.back() != '\r')
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
    std::error_code ec;
    if (!LeArquivoInteiro(arquivo, conteudo) && std::filesystem::exists(arquivo, ec)) {
        // Trocar um arquivo que não se consegue ler apagaria o resto dele.
        if (erro)
            *erro = "Não foi possível ler " + arquivo.string() + ".";
        return false;
    }
    std::string falha;
    if (!GravaArquivoSeguro(arquivo, AlteraIniTexto(conteudo, secao, chave, valor), falha)) {
        if (erro)
            *erro = falha;
        return false;
    }
    return true;
}

} // namespace vendrilo
