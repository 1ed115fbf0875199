// Milhares de algoritmos com um só erro de digitação, compilados pela cadeia
// inteira (vendrilo-traduz -> tpc -> Free Pascal): todo relatório tem de sair
// em português com um número de 1 a 144, sem queda nem travamento, e a
// maioria dos erros tem de cair na linha editada.
//
// As mutações são sorteadas com semente fixa: a mesma lista a cada execução.

#include "apoio_tpc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <regex>
#include <thread>

namespace fs = std::filesystem;
using namespace vendrilo::teste;

namespace {

constexpr int kTotalMutacoes = 2000;
constexpr std::uint64_t kSemente = 20261208;

// Gerador próprio: o mesmo sorteio em qualquer biblioteca padrão.
struct Sorteio {
    std::uint64_t s;
    std::uint64_t proximo()
    {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return s;
    }
    std::size_t ate(std::size_t n) { return n ? static_cast<std::size_t>(proximo() % n) : 0; }
};

struct Palavra {
    std::size_t inicio, fim;
};

bool letra(unsigned char c) { return std::isalnum(c) || c == '_' || c == '-' || c >= 0xC0; }

// As palavras fora de comentários e de literais; os símbolos contam como palavras.
std::vector<Palavra> Palavras(const std::string& l)
{
    std::vector<Palavra> v;
    std::size_t i = 0;
    while (i < l.size()) {
        const unsigned char c = static_cast<unsigned char>(l[i]);
        if (c == '{') {
            const auto f = l.find('}', i);
            i = f == std::string::npos ? l.size() : f + 1;
        } else if (c == '\'') {
            const auto f = l.find('\'', i + 1);
            const std::size_t fim = f == std::string::npos ? l.size() : f + 1;
            v.push_back({i, fim});
            i = fim;
        } else if (std::isspace(c)) {
            ++i;
        } else if (letra(c)) {
            std::size_t j = i;
            while (j < l.size() && letra(static_cast<unsigned char>(l[j])))
                ++j;
            v.push_back({i, j});
            i = j;
        } else {
            std::size_t j = i + 1;
            if (j < l.size() && (l.substr(i, 2) == "<-" || l.substr(i, 2) == "<=" || l.substr(i, 2) == ">=" ||
                                 l.substr(i, 2) == "<>"))
                ++j;
            v.push_back({i, j});
            i = j;
        }
    }
    return v;
}

const std::vector<std::string> kVocabulario = {
    "se", "entao", "senao", "fim-se", "enquanto", "faca", "fim-enquanto", "para", "de", "ate",
    "repita", "ate-que", "inicio", "fim", "declare", "inteiro", "real", "literal", "logico",
    "mostre", "mostre-pl", "leia", "(", ")", "<-", "=", "<", "+", "*", "/", ",", ";", ":", "[", "]",
    "'texto'", "1", "2.5", "x", "nome", "e", "ou", "nao", "div", "mod", "caso", "verdadeiro",
};

struct Mutacao {
    std::string texto;
    int linhaEditada; // base 1
    std::string descricao;
};

// Uma edição numa linha com código: apaga, insere ou troca uma palavra,
// tira um caractere ou erra uma letra de um nome.
std::optional<Mutacao> Muta(const std::vector<std::string>& linhas, Sorteio& s)
{
    std::vector<std::size_t> comCodigo;
    for (std::size_t i = 0; i < linhas.size(); ++i)
        if (!Palavras(linhas[i]).empty())
            comCodigo.push_back(i);
    if (comCodigo.empty())
        return std::nullopt;
    const std::size_t n = comCodigo[s.ate(comCodigo.size())];
    std::string l = linhas[n];
    const auto p = Palavras(l);
    const Palavra w = p[s.ate(p.size())];
    const std::string original = l.substr(w.inicio, w.fim - w.inicio);
    std::string desc;
    switch (s.ate(5)) {
    case 0:
        l.erase(w.inicio, w.fim - w.inicio);
        desc = "apaga '" + original + "'";
        break;
    case 1: {
        const std::string& nova = kVocabulario[s.ate(kVocabulario.size())];
        l.insert(w.inicio, nova + " ");
        desc = "insere '" + nova + "'";
        break;
    }
    case 2: {
        const std::string& nova = kVocabulario[s.ate(kVocabulario.size())];
        l.replace(w.inicio, w.fim - w.inicio, nova);
        desc = "troca '" + original + "' por '" + nova + "'";
        break;
    }
    case 3: {
        const std::size_t c = w.inicio + s.ate(w.fim - w.inicio);
        desc = std::string("tira '") + l[c] + "'";
        l.erase(c, 1);
        break;
    }
    default: {
        const std::size_t c = w.inicio + s.ate(w.fim - w.inicio);
        const char troca = static_cast<char>('a' + s.ate(26));
        desc = std::string("erra '") + l[c] + "' por '" + troca + "'";
        l[c] = troca;
        break;
    }
    }
    Mutacao m;
    for (std::size_t i = 0; i < linhas.size(); ++i)
        m.texto += (i == n ? l : linhas[i]) + "\r\n";
    m.linhaEditada = static_cast<int>(n) + 1;
    m.descricao = desc;
    return m;
}

std::vector<std::string> Algoritmos()
{
    std::vector<std::string> v;
    for (const fs::path& pasta : {fs::path(FONTES) / "dados/exp", fs::path(FONTES) / "tests/compilacao/algoritmos"})
        for (const auto& e : fs::recursive_directory_iterator(pasta))
            if (e.is_regular_file() && e.path().extension() == ".alg")
                v.push_back(e.path().string());
    std::sort(v.begin(), v.end());
    return v;
}

} // namespace

TEST(Mutacoes, TodoRelatorioEmPortuguesNaLinhaEditada)
{
    const auto arquivos = Algoritmos();
    ASSERT_GE(arquivos.size(), 62u);
    std::vector<std::vector<std::string>> textos;
    for (const auto& a : arquivos)
        textos.push_back(Linhas(Le(a)));

    // Para explorar outros sorteios à mão: MUTACOES=N e SEMENTE=S no ambiente.
    const char* total = std::getenv("MUTACOES");
    const char* semente = std::getenv("SEMENTE");
    const int kTotal = total ? std::max(1, std::atoi(total)) : kTotalMutacoes;
    Sorteio s{semente ? std::strtoull(semente, nullptr, 10) | 1 : kSemente};
    std::vector<Mutacao> mutacoes;
    std::vector<std::string> origem;
    while (static_cast<int>(mutacoes.size()) < kTotal) {
        const std::size_t k = s.ate(textos.size());
        if (auto m = Muta(textos[k], s)) {
            mutacoes.push_back(std::move(*m));
            origem.push_back(fs::path(arquivos[k]).filename().string());
        }
    }

    PastaTemp raiz;
    const unsigned trabalhadores = std::max(2u, std::thread::hardware_concurrency());
    std::atomic<std::size_t> proxima{0};
    std::mutex trava;
    std::vector<std::string> falhas;
    int mapeados = 0, naLinha = 0, compilados = 0, estrutura = 0;
    const std::regex relatorio(R"(^.*/M\.ALG\((\d+)\): Erro (\d+): .+)");

    auto trabalho = [&](unsigned id) {
        const std::string pasta = raiz / ("t" + std::to_string(id));
        fs::create_directories(pasta + "/prog");
        for (std::size_t i; (i = proxima++) < mutacoes.size();) {
            const Mutacao& m = mutacoes[i];
            Grava(pasta + "/M.alg", m.texto);
            const Execucao e = Roda({"env", "VENDRILO_PASTA=" + pasta + "/prog", TRADUZ_EXE, pasta + "/M.alg"}, pasta);
            std::string falha;
            std::smatch g;
            bool mapeado = false, mesmaLinha = false;
            if (e.status == 0 || e.status == 2) {
            } else if (e.status != 1) {
                falha = "saída " + std::to_string(e.status);
            } else if (e.linhas.size() < 2 || !std::regex_match(e.linhas[1], g, relatorio) ||
                       std::stoi(g[2]) < 1 || std::stoi(g[2]) > 144) {
                falha = "relatório fora do formato";
            } else {
                mapeado = true;
                mesmaLinha = std::stoi(g[1]) == m.linhaEditada;
            }
            std::lock_guard<std::mutex> t(trava);
            compilados += e.status == 0;
            estrutura += e.status == 2;
            mapeados += mapeado;
            naLinha += mesmaLinha;
            if (!falha.empty())
                falhas.push_back(origem[i] + " linha " + std::to_string(m.linhaEditada) + " (" + m.descricao +
                                 "): " + falha + "\n" + e.saida);
        }
    };
    std::vector<std::thread> ts;
    for (unsigned i = 0; i < trabalhadores; ++i)
        ts.emplace_back(trabalho, i);
    for (auto& t : ts)
        t.join();

    const double fracao = mapeados ? static_cast<double>(naLinha) / mapeados : 0.0;
    std::cout << mutacoes.size() << " mutações: " << compilados << " compilaram, " << estrutura
              << " com erro de estrutura, " << mapeados << " com erro do compilador (" << naLinha
              << " na linha editada, " << static_cast<int>(fracao * 1000) / 10.0 << "%)\n";
    for (std::size_t i = 0; i < falhas.size() && i < 400; ++i)
        ADD_FAILURE() << falhas[i];
    EXPECT_TRUE(falhas.empty()) << falhas.size() << " relatórios fora do português";
    EXPECT_GE(fracao, 0.85);
}
