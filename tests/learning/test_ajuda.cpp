// A ajuda gerada: toda grafia da tabela do tradutor aparece na referência, e
// os links entre as páginas levam a arquivos que existem.

#include "translate/tabela_palavras.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace vendrilo {
namespace {

namespace fs = std::filesystem;

const fs::path PastaAjuda = fs::path(VENDRILO_DADOS_BUILD) / "hlp";

std::string le(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string desfazEntidades(std::string s)
{
    const std::pair<const char*, const char*> trocas[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&amp;", "&"}};
    for (auto [de, para] : trocas)
        for (std::size_t p; (p = s.find(de)) != std::string::npos;)
            s.replace(p, std::strlen(de), para);
    return s;
}

std::string maiusculas(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Grafias listadas na referência, com o tipo da linha em que aparecem.
std::multimap<std::string, int> grafiasDaReferencia()
{
    const std::string texto = le(PastaAjuda / "referencia.html");
    std::multimap<std::string, int> r;
    const std::regex linha(R"re(<tr><td>(?:<a name="tipo-\d+"></a>)?(\d+)</td><td>(.*?)</td>)re");
    const std::regex grafia(R"re(<code class="grafia">(.*?)</code>)re");
    for (std::sregex_iterator l(texto.begin(), texto.end(), linha), fim; l != fim; ++l) {
        const int tipo = std::stoi((*l)[1]);
        const std::string celula = (*l)[2];
        for (std::sregex_iterator g(celula.begin(), celula.end(), grafia); g != fim; ++g)
            r.emplace(maiusculas(desfazEntidades((*g)[1])), tipo);
    }
    return r;
}

TEST(Ajuda, TodaGrafiaDaTabelaApareceNaReferenciaComOSeuTipo)
{
    const auto referencia = grafiasDaReferencia();
    for (const auto& g : GrafiasPalavras()) {
        const std::string grafia(g.grafia);
        ASSERT_EQ(referencia.count(grafia), 1u) << "grafia ausente ou repetida: " << grafia;
        EXPECT_EQ(referencia.find(grafia)->second, g.tipo) << grafia;
    }
    // E nada além delas: a referência não inventa palavras.
    EXPECT_EQ(referencia.size(), GrafiasPalavras().size());
}

// A tabela única das palavras reservadas: toda grafia uma vez, em ordem, com
// o tipo certo; e as diferenças em relação ao Turbo Pascal com o conselho de
// formatar os reais.
TEST(Ajuda, TabelaUnicaDasReservadasEDiferencasDoTurboPascal)
{
    const std::string texto = desfazEntidades(le(PastaAjuda / "referencia.html"));
    const auto inicio = texto.find("<a name=\"reservadas\">");
    const auto fim = texto.find("</table>", inicio);
    ASSERT_NE(inicio, std::string::npos);
    const std::string tabela = texto.substr(inicio, fim - inicio);
    const std::regex linha(R"re(<tr><td><code class="grafia">(.*?)</code></td><td>(\d+)</td>)re");
    std::vector<std::string> vistas;
    std::map<std::string, int> tipos;
    for (std::sregex_iterator l(tabela.begin(), tabela.end(), linha), f; l != f; ++l) {
        vistas.push_back((*l)[1]);
        tipos[maiusculas(vistas.back())] = std::stoi((*l)[2]);
    }
    EXPECT_EQ(vistas.size(), GrafiasPalavras().size());
    EXPECT_TRUE(std::is_sorted(vistas.begin(), vistas.end()));
    for (const auto& g : GrafiasPalavras())
        EXPECT_EQ(tipos[std::string(g.grafia)], g.tipo) << g.grafia;

    const auto dif = texto.find("Diferenças em relação ao Turbo Pascal");
    ASSERT_NE(dif, std::string::npos);
    for (const char* trecho : {"3.3999999999999999E+000", "x:0:2", "32767", "8.5"})
        EXPECT_NE(texto.find(trecho, dif), std::string::npos) << trecho;
}

TEST(Ajuda, ReferenciaMostraOTextoPascalDeCadaTipo)
{
    const std::string texto = desfazEntidades(le(PastaAjuda / "referencia.html"));
    EXPECT_NE(texto.find("<code>AUTHORS99; END.</code>"), std::string::npos);
    EXPECT_NE(texto.find("<code>THEN BEGIN</code>"), std::string::npos);
    EXPECT_NE(texto.find("<code>: INTEGER</code>"), std::string::npos);
    EXPECT_NE(texto.find("<code>= INTEGER</code>"), std::string::npos);
    EXPECT_NE(texto.find("<code> end;    </code>"), std::string::npos);
    EXPECT_NE(texto.find("(nada: a palavra some)"), std::string::npos);
}

// Ctrl+F1 leva à linha da palavra: uma âncora por tipo, na linha do tipo.
TEST(Ajuda, CadaTipoTemUmaAncoraParaAAjudaDeContexto)
{
    const std::string texto = le(PastaAjuda / "referencia.html");
    for (const auto& p : TabelaPalavras()) {
        const std::string ancora =
            "<tr><td><a name=\"tipo-" + std::to_string(p.tipo) + "\"></a>" + std::to_string(p.tipo) + "</td>";
        const auto primeira = texto.find(ancora);
        ASSERT_NE(primeira, std::string::npos) << ancora;
        EXPECT_EQ(texto.find(ancora, primeira + 1), std::string::npos) << "repetida: " << ancora;
    }
}

TEST(Ajuda, LinksLocaisLevamAArquivosEAncorasQueExistem)
{
    const std::regex href(R"re(href="([^"#:]*)(#([^"]*))?")re");
    const std::regex ancora(R"re(<a name="([^"]+)")re");
    int links = 0;
    for (const char* pagina : {"index.html", "uso.html", "comandos.html", "cuidados.html", "referencia.html"}) {
        const fs::path origem = PastaAjuda / pagina;
        ASSERT_TRUE(fs::is_regular_file(origem)) << pagina;
        const std::string texto = le(origem);
        for (std::sregex_iterator h(texto.begin(), texto.end(), href), fim; h != fim; ++h) {
            ++links;
            const std::string arquivo = (*h)[1].str().empty() ? pagina : (*h)[1].str();
            const fs::path destino = PastaAjuda / arquivo;
            ASSERT_TRUE(fs::is_regular_file(destino)) << pagina << " -> " << arquivo;
            if (!(*h)[3].matched)
                continue;
            const std::string alvo = le(destino);
            std::set<std::string> nomes;
            for (std::sregex_iterator a(alvo.begin(), alvo.end(), ancora); a != fim; ++a)
                nomes.insert((*a)[1]);
            EXPECT_TRUE(nomes.count((*h)[3])) << pagina << " -> " << arquivo << "#" << (*h)[3];
        }
    }
    EXPECT_GT(links, 20);
}

} // namespace
} // namespace vendrilo
