// Os casos do professor e as entregas dos alunos.
#include "correcao/comparacao.h"
#include "correcao/turma.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace fs = std::filesystem;

namespace vendrilo::correcao {

namespace {

bool leArquivo(const fs::path& caminho, std::string& conteudo)
{
    std::ifstream f(caminho, std::ios::binary);
    if (!f)
        return false;
    conteudo.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return !f.bad();
}

bool extensaoAlg(const fs::path& p)
{
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".alg";
}

} // namespace

const char* NomeSituacao(Situacao s)
{
    switch (s) {
    case Situacao::Ok: return "ok";
    case Situacao::Falhou: return "falhou";
    case Situacao::Compilacao: return "compilacao";
    case Situacao::Estrutura: return "estrutura";
    }
    return "";
}

bool LeCasos(const std::string& pasta, std::vector<Caso>& casos, std::string& erro)
{
    casos.clear();
    std::error_code ec;
    if (!fs::is_directory(pasta, ec)) {
        erro = "a pasta de casos \"" + pasta + "\" não existe ou não é uma pasta";
        return false;
    }
    // nome -> (tem .in, tem .out)
    std::map<std::string, std::pair<bool, bool>> pares;
    fs::directory_iterator it(pasta, ec), fim;
    if (ec) {
        erro = "a pasta de casos \"" + pasta + "\" não pôde ser lida: " + ec.message();
        return false;
    }
    for (; it != fim; it.increment(ec)) {
        const fs::path p = it->path();
        const std::string ext = p.extension().string();
        if (ext == ".in")
            pares[p.stem().string()].first = true;
        else if (ext == ".out")
            pares[p.stem().string()].second = true;
    }
    if (ec) {
        erro = "a pasta de casos \"" + pasta + "\" não pôde ser lida: " + ec.message();
        return false;
    }
    for (const auto& [nome, par] : pares) {
        // Caminho absoluto: o programa do aluno roda noutra pasta.
        const fs::path base = fs::absolute(fs::path(pasta) / nome, ec);
        if (!par.second) {
            erro = "o caso \"" + nome + "\" tem " + nome + ".in mas não tem " + nome + ".out";
            return false;
        }
        Caso c;
        c.nome = nome;
        std::string bytes;
        if (!leArquivo(base.string() + ".out", bytes)) {
            erro = "o arquivo \"" + base.string() + ".out\" não pôde ser lido";
            return false;
        }
        c.esperado = TextoEsperado(bytes);
        if (par.first) {
            c.entrada = base.string() + ".in";
            std::ifstream teste(c.entrada, std::ios::binary);
            if (!teste) {
                erro = "o arquivo \"" + c.entrada + "\" não pôde ser lido";
                return false;
            }
        }
        casos.push_back(std::move(c));
    }
    if (casos.empty()) {
        erro = "a pasta de casos \"" + pasta + "\" não tem nenhum caso (NOME.in e NOME.out)";
        return false;
    }
    return true;
}

bool ListaEntregas(const std::vector<std::string>& argumentos, std::vector<Entrega>& entregas,
                   std::string& erro)
{
    entregas.clear();
    std::map<std::string, std::string> porAluno;
    auto acrescenta = [&](const fs::path& p) {
        // O nome vai para uma planilha UTF-8: um nome de arquivo em Latin-1
        // (de um pendrive antigo) é convertido como o .out.
        const std::string aluno = TextoEsperado(p.stem().string());
        auto [pos, novo] = porAluno.emplace(aluno, p.string());
        if (!novo && pos->second != p.string()) {
            erro = "dois arquivos dão o mesmo aluno \"" + aluno + "\": \"" + pos->second + "\" e \"" +
                   p.string() + "\"";
            return false;
        }
        return true;
    };
    for (const std::string& a : argumentos) {
        std::error_code ec;
        if (fs::is_directory(a, ec)) {
            std::vector<fs::path> arquivos;
            fs::directory_iterator it(a, ec), fim;
            for (; !ec && it != fim; it.increment(ec))
                if (extensaoAlg(it->path()) && it->is_regular_file())
                    arquivos.push_back(it->path());
            if (ec) {
                erro = "a pasta \"" + a + "\" não pôde ser lida: " + ec.message();
                return false;
            }
            for (const auto& p : arquivos)
                if (!acrescenta(p))
                    return false;
        } else if (fs::is_regular_file(a, ec)) {
            if (!extensaoAlg(a)) {
                erro = "\"" + a + "\" não é um algoritmo .ALG";
                return false;
            }
            if (!acrescenta(a))
                return false;
        } else {
            erro = "a entrega \"" + a + "\" não existe";
            return false;
        }
    }
    for (auto& [aluno, caminho] : porAluno)
        entregas.push_back({aluno, caminho});
    if (entregas.empty()) {
        erro = "nenhum algoritmo .ALG nas entregas indicadas";
        return false;
    }
    return true;
}

std::vector<Entrega> Fatia(const std::vector<Entrega>& entregas, int k, int n)
{
    // Alternadas, e não em blocos: alunos parecidos em nome não caem todos
    // na mesma máquina, e as fatias ficam do mesmo tamanho (± 1).
    std::vector<Entrega> parte;
    for (std::size_t i = 0; i < entregas.size(); ++i)
        if (n > 0 && static_cast<int>(i % static_cast<std::size_t>(n)) == k - 1)
            parte.push_back(entregas[i]);
    return parte;
}

} // namespace vendrilo::correcao
