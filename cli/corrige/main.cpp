// vendrilo-corrige: corrige uma turma de algoritmos contra casos de teste e
// escreve a planilha e a página; ou junta as planilhas de várias fatias.
#include "opcoes.h"

#include "correcao/relatorios.h"
#include "correcao/turma.h"
#include "formato/gravacao_segura.h"
#include "platform/interrupcao.h"
#include "platform/pasta_programa.h"
#include "platform/processo_limitado.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace vendrilo;
using namespace vendrilo::corrige;
using correcao::ResultadoAluno;
using correcao::Situacao;

namespace {

constexpr const char* Programa = "vendrilo-corrige";

int erroUso(const std::string& msg)
{
    std::cerr << Programa << ": " << msg << ".\n";
    return SaidaErroUso;
}

// A pasta de destino existe e aceita escrita: conferido antes de corrigir,
// para não perder uma correção longa por um caminho errado.
bool destinoGravavel(const std::string& arquivo)
{
    const fs::path pasta = fs::absolute(arquivo).parent_path();
    std::error_code ec;
    return fs::is_directory(pasta, ec) && access(pasta.c_str(), W_OK) == 0 && !fs::is_directory(arquivo, ec);
}

// Gravação segura: quem lê nunca vê uma planilha pela metade.
bool grava(const std::string& arquivo, const std::string& conteudo)
{
    std::string erro;
    if (GravaArquivoSeguro(arquivo, conteudo, erro))
        return true;
    std::cerr << Programa << ": " << erro << '\n'; // a mensagem já traz o caminho
    return false;
}

bool escreveRelatorios(const Opcoes& o, const std::vector<std::string>& nomes,
                       const std::vector<ResultadoAluno>& r,
                       const std::map<std::string, std::string>& corpos = {})
{
    bool ok = true;
    if (o.csv.empty())
        std::cout << correcao::TextoCsv(nomes, r) << std::flush;
    else
        ok = grava(o.csv, correcao::TextoCsv(nomes, r));
    if (!o.html.empty())
        ok = grava(o.html, correcao::TextoHtml(nomes, r, corpos)) && ok;
    return ok;
}

std::string duracao(double s)
{
    const long long t = static_cast<long long>(s + 0.5);
    if (t < 1)
        return "menos de 1 s";
    if (t < 60)
        return std::to_string(t) + " s";
    return std::to_string(t / 60) + " min " + std::to_string(t % 60) + " s";
}

void resumo(const std::vector<ResultadoAluno>& r, const std::string& como)
{
    int n[4] = {};
    for (const auto& a : r)
        ++n[static_cast<int>(a.situacao)];
    std::cerr << Programa << ": " << r.size() << " aluno(s) " << como << ": " << n[0] << " ok, " << n[1]
              << " falharam, " << n[2] << " com erro de compilação, " << n[3] << " com erro de estrutura.\n";
}

int juntar(const Opcoes& o)
{
    std::vector<std::string> nomes;
    std::vector<ResultadoAluno> todos;
    std::set<std::string> vistos;
    std::map<std::string, std::string> corpos;
    for (const std::string& arquivo : o.arquivos) {
        std::ifstream f(arquivo, std::ios::binary);
        if (!f)
            return erroUso("a planilha \"" + arquivo + "\" não pôde ser lida");
        const std::string texto((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        std::vector<std::string> nomesAqui;
        std::vector<ResultadoAluno> alunos;
        std::string erro;
        if (!correcao::LeCsv(texto, nomesAqui, alunos, erro))
            return erroUso("\"" + arquivo + "\": " + erro);
        if (&arquivo != &o.arquivos.front() && nomesAqui != nomes)
            return erroUso("\"" + arquivo + "\" tem outros casos que \"" + o.arquivos.front() + "\"");
        nomes = nomesAqui;
        // A página da fatia, ao lado da planilha, traz o primeiro erro de
        // cada aluno, que a planilha não guarda.
        if (!o.html.empty()) {
            std::ifstream p(fs::path(arquivo).replace_extension(".html"), std::ios::binary);
            if (p) {
                const std::string pagina((std::istreambuf_iterator<char>(p)),
                                         std::istreambuf_iterator<char>());
                corpos.merge(correcao::CorposDaPagina(pagina));
            }
        }
        for (auto& a : alunos) {
            if (!vistos.insert(a.aluno).second)
                return erroUso("o aluno \"" + a.aluno + "\" está em mais de uma planilha");
            todos.push_back(std::move(a));
        }
    }
    std::sort(todos.begin(), todos.end(), [](const auto& a, const auto& b) { return a.aluno < b.aluno; });
    if (!escreveRelatorios(o, nomes, todos, corpos))
        return SaidaFalhaCorrecao;
    resumo(todos, "de " + std::to_string(o.arquivos.size()) + " planilha(s)");
    return SaidaSucesso;
}

// Raiz das pastas privadas, apagada no fim.
struct RaizTemporaria {
    std::string caminho;
    RaizTemporaria()
    {
        const char* base = std::getenv("TMPDIR");
        std::string modelo = std::string(base && *base ? base : "/tmp") + "/vendrilo-corrige-XXXXXX";
        // Absoluta: o programa de cada aluno roda noutra pasta de trabalho.
        std::error_code ec;
        if (mkdtemp(modelo.data()))
            caminho = fs::absolute(modelo, ec).string();
    }
    ~RaizTemporaria()
    {
        std::error_code ec;
        if (!caminho.empty())
            fs::remove_all(caminho, ec);
    }
};

int corrigir(const Opcoes& o)
{
    std::vector<correcao::Caso> casos;
    std::string erro;
    if (!correcao::LeCasos(o.casos, casos, erro))
        return erroUso(erro);
    std::vector<correcao::Entrega> entregas;
    if (!correcao::ListaEntregas(o.arquivos, entregas, erro))
        return erroUso(erro);
    entregas = correcao::Fatia(entregas, o.parte, o.partes);
    for (const std::string& destino : {o.csv, o.html})
        if (!destino.empty() && !destinoGravavel(destino))
            return erroUso("não é possível gravar \"" + destino + "\"");

    // A pasta do programa é preparada uma vez, antes dos trabalhadores.
    const ResultadoPreparo preparo = PreparaPastaPrograma();
    if (!preparo.ok) {
        std::cerr << Programa << ": " << preparo.erro << '\n';
        return SaidaFalhaCorrecao;
    }
    RaizTemporaria raiz;
    if (raiz.caminho.empty()) {
        std::cerr << Programa << ": não foi possível criar a pasta temporária.\n";
        return SaidaFalhaCorrecao;
    }
    // Interrompida, a correção não deixa para trás as cópias dos alunos; os
    // programas em andamento morrem com este processo.
    TrataInterrupcao([pasta = raiz.caminho](int) {
        std::cerr << "\n" << Programa << ": interrompido.\n";
        std::error_code ec;
        fs::remove_all(pasta, ec);
    });
    correcao::Configuracao config;
    config.pastaPrograma = PastaPrograma();
    config.pastaTemporaria = raiz.caminho;
    config.tempo = o.tempo;
    const int trabalhos = o.trabalhos > 0 ? o.trabalhos : ProcessadoresDisponiveis();

    std::vector<std::string> nomes;
    for (const auto& c : casos)
        nomes.push_back(c.nome);
    const auto inicio = std::chrono::steady_clock::now();
    auto decorrido = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    };
    std::cerr << Programa << ": " << entregas.size() << " aluno(s), " << casos.size() << " caso(s), "
              << trabalhos << " ao mesmo tempo.\n";
    const auto resultados = correcao::CorrigeTurma(
        entregas, casos, config, trabalhos,
        [&](const ResultadoAluno& r, std::size_t feitos, std::size_t total) {
            const double t = decorrido();
            std::cerr << Programa << ": [" << feitos << "/" << total << "] " << r.aluno << ": "
                      << correcao::NomeSituacao(r.situacao) << " (" << r.acertos << "/" << r.casos << ")";
            const double resta = t / static_cast<double>(feitos) * static_cast<double>(total - feitos);
            if (feitos < total)
                std::cerr << (resta < 0.5 ? "; falta menos de 1 s" : "; faltam cerca de " + duracao(resta));
            std::cerr << '\n';
        });
    if (!escreveRelatorios(o, nomes, resultados))
        return SaidaFalhaCorrecao;
    resumo(resultados, "em " + duracao(decorrido()));
    int falhas = 0;
    for (const auto& r : resultados)
        if (!r.falhaCorrecao.empty()) {
            std::cerr << Programa << ": a correção de \"" << r.aluno << "\" falhou: " << r.falhaCorrecao
                      << '\n';
            ++falhas;
        }
    return falhas ? SaidaFalhaCorrecao : SaidaSucesso;
}

} // namespace

int main(int argc, char** argv)
{
    const Opcoes o = LeOpcoes(std::vector<std::string>(argv + 1, argv + argc));
    if (o.erro.empty() && o.ajuda) {
        std::cout << TextoAjuda();
        return SaidaSucesso;
    }
    if (o.erro.empty() && o.versao) {
        std::cout << Programa << " " << VENDRILO_VERSAO << '\n';
        return SaidaSucesso;
    }
    if (!o.erro.empty()) {
        std::cerr << Programa << ": " << o.erro << ".\n" << TextoAjuda();
        return SaidaErroUso;
    }
    return o.juntar ? juntar(o) : corrigir(o);
}
