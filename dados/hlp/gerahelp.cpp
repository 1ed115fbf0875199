// Gera a referência das palavras-chave da ajuda (referencia.html) a partir da
// tabela do tradutor, para que a ajuda nunca diga outra coisa que ele faz.
//
// Uso: gerahelp SAIDA.html

#include "significados.h"
#include "translate/tabela_palavras.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

using vendrilo::FormaPascal;
using vendrilo::FormaTerminador;
using vendrilo::PalavraChave;

// Os grupos, pela faixa de tipos, na ordem e com os títulos da tabela.
struct Grupo {
    int primeiro, ultimo;
    const char* ancora;
    const char* titulo;
};
constexpr Grupo Grupos[] = {
    {1, 6, "programa", "Programa, atribuição e declarações"},
    {7, 30, "tipos", "Tipos, constantes, valores lógicos e seções de tipos"},
    {31, 58, "controle", "Entrada e saída, lógica e estruturas de controle"},
    {59, 80, "aritmetica", "Funções de tela e aritméticas"},
    {81, 107, "registros", "Registros, arquivos, subprogramas e caracteres de controle"},
    {108, 123, "numericos", "Tipos numéricos"},
    {124, 139, "texto", "Funções de texto e outras funções"},
    {144, 173, "tela", "Rotinas de tela, som, disco e arquivos"},
    {174, 196, "sistema",
     "Sistema, conjuntos, módulos, exponenciação, bibliotecas, ponteiros e parâmetros"},
};

std::string html(std::string_view s)
{
    std::string r;
    for (char c : s) {
        switch (c) {
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '&': r += "&amp;"; break;
        case '"': r += "&quot;"; break;
        case ' ': r += "&nbsp;"; break; // os espaços do texto Pascal contam
        default: r += c;
        }
    }
    return r;
}

// Grafia como o aluno a digita: em minúsculas.
std::string minusculas(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

std::string codigo(std::string_view pascal)
{
    if (pascal.empty())
        return "<i>(nada: a palavra some)</i>";
    return "<code>" + html(pascal) + "</code>";
}

std::string textoPascal(const PalavraChave& p)
{
    switch (p.forma) {
    case FormaPascal::PorSecaoTipos:
        return codigo(p.pascal) + "<br><small>logo após <code>tipo</code>: " +
               codigo(p.pascalAlternativo) + "</small>";
    case FormaPascal::PorEstadoCaso:
        return codigo(p.pascal) + " <small>(primeiro caso)</small><br>" +
               codigo(p.pascalAlternativo) + " <small>(casos seguintes)</small>";
    case FormaPascal::Fixa:
        break;
    }
    return codigo(p.pascal);
}

std::string terminador(const PalavraChave& p)
{
    switch (p.formaTerminador) {
    case FormaTerminador::Fixo:
        return p.terminador.find_first_not_of(' ') == std::string_view::npos
                   ? std::string("<small>(espaço)</small>")
                   : codigo(p.terminador);
    case FormaTerminador::PorMarcaConstante:
        return "<code>;</code> <small>ou, depois de <code>constante</code>,</small> <code>=</code>";
    case FormaTerminador::Mantem:
        break;
    }
    return "&mdash;";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "uso: gerahelp SAIDA.html\n";
        return 2;
    }
    std::ostringstream o;
    o << "<!DOCTYPE html>\n<html lang=\"pt-BR\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<title>Referência das palavras-chave</title>\n"
         "<link rel=\"stylesheet\" href=\"estilo.css\">\n</head>\n<body>\n"
         "<p><a href=\"index.html\">Início da ajuda</a></p>\n"
         "<h1>Referência das palavras-chave</h1>\n"
         "<p>Todas as palavras que o tradutor reconhece, com as suas formas "
         "abreviadas, agrupadas por assunto. A coluna <b>Vira em Pascal</b> mostra "
         "o texto que substitui a palavra no programa traduzido; a coluna "
         "<b>Fim da linha</b> mostra o que a palavra põe no fim da linha traduzida "
         "(quase sempre o ponto e vírgula que separa os comandos em Pascal). "
         "Maiúsculas e minúsculas tanto faz: <code>inicio</code>, <code>Inicio</code> "
         "e <code>INICIO</code> são a mesma palavra; já <code>início</code>, com "
         "acento, não é palavra-chave.</p>\n"
         "<p>Uma palavra-chave só é reconhecida quando está separada das vizinhas "
         "por espaços: <code>leia-pl (x)</code> funciona, <code>leia-pl(x)</code> "
         "não. As formas com parênteses colados (como <code>(param-valor</code> e "
         "<code>inteiro)</code>) existem justamente para as listas de parâmetros.</p>\n"
         "<h2>Grupos</h2>\n<ul>\n";
    for (const auto& g : Grupos)
        o << "<li><a href=\"#" << g.ancora << "\">" << g.titulo << "</a></li>\n";
    o << "</ul>\n";

    std::size_t linhas = 0;
    int ultimoTipo = -1;
    for (const auto& g : Grupos) {
        o << "<h2><a name=\"" << g.ancora << "\"></a>" << g.titulo << "</h2>\n"
          << "<table class=\"referencia\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n"
             "<tr><th>Tipo</th><th>Palavras</th><th>Para que serve</th><th>Vira em Pascal</th><th>Fim da linha</th></tr>\n";
        for (const auto& p : vendrilo::TabelaPalavras()) {
            if (p.tipo < g.primeiro || p.tipo > g.ultimo)
                continue;
            ++linhas;
            // A ajuda de contexto (Ctrl+F1) chega à linha da palavra por "#tipo-N".
            o << "<tr><td>";
            if (p.tipo != ultimoTipo)
                o << "<a name=\"tipo-" << p.tipo << "\"></a>";
            ultimoTipo = p.tipo;
            o << p.tipo << "</td><td>";
            bool primeira = true;
            for (auto grafia : p.grafias) {
                o << (primeira ? "" : ", ") << "<code class=\"grafia\">"
                  << html(minusculas(grafia)) << "</code>";
                primeira = false;
            }
            const auto sig = SignificadosPalavras().find(p.tipo);
            o << "</td><td>" << (sig != SignificadosPalavras().end() ? sig->second : std::string_view{});
            o << "</td><td>" << textoPascal(p) << "</td><td>" << terminador(p) << "</td></tr>\n";
        }
        o << "</table>\n";
    }
    // Todas as grafias numa tabela só, em ordem alfabética: é onde o aluno
    // confere se o nome que quer dar a uma variável já é palavra do Vendrilo.
    std::vector<std::pair<std::string, const vendrilo::PalavraChave*>> grafias;
    for (const auto& p : vendrilo::TabelaPalavras())
        for (auto grafia : p.grafias)
            grafias.emplace_back(minusculas(grafia), &p);
    std::sort(grafias.begin(), grafias.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    o << "<h2><a name=\"reservadas\"></a>Todas as palavras reservadas</h2>\n"
         "<p>Nenhuma destas grafias pode ser nome de variável, constante, "
         "procedimento ou função: o tradutor troca a palavra pelo seu texto em "
         "Pascal onde quer que ela apareça.</p>\n"
         "<table class=\"referencia\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n"
         "<tr><th>Palavra</th><th>Tipo</th><th>Vira em Pascal</th></tr>\n";
    for (const auto& [grafia, p] : grafias)
        o << "<tr><td><code class=\"grafia\">" << html(grafia) << "</code></td><td>" << p->tipo << "</td><td>"
          << textoPascal(*p) << "</td></tr>\n";
    o << "</table>\n";

    o << "<h2><a name=\"diferencas\"></a>Diferenças em relação ao Turbo Pascal</h2>\n"
         "<p>O programa traduzido é compilado pelo Free Pascal, no modo que imita o "
         "Turbo Pascal. Quase tudo se comporta igual; onde não dá, fica assim:</p>\n<ul>\n"
         "<li><b>Reais sem formato.</b> <code>mostre-pl (x)</code> com <code>x</code> "
         "real escreve 17 algarismos em notação científica: 3.4 sai como "
         "<code> 3.3999999999999999E+000</code>. Formate sempre os reais: "
         "<code>mostre-pl (x:0:2)</code> escreve <code>3.40</code>.</li>\n"
         "<li><b>Contas com inteiros.</b> No Turbo Pascal um resultado intermediário "
         "de uma expressão <code>inteiro</code> que passasse de 32767 dava a volta e "
         "virava negativo; aqui as contas intermediárias usam mais bits e dão o valor "
         "certo, e só a atribuição a uma variável <code>inteiro</code> corta o "
         "resultado. Não conte com o estouro em 16 bits.</li>\n"
         "<li><b>Arredondamento.</b> <code>arredonda</code> arredonda as metades para "
         "longe do zero, como no Turbo Pascal: <code>arredonda (2.5)</code> dá 3 e "
         "<code>arredonda (-2.5)</code> dá -3.</li>\n"
         "<li><b>Erros durante a execução.</b> Aparecem numa linha só, com o número do "
         "Turbo Pascal e a linha do algoritmo, por exemplo "
         "<code>Erro de execução 200 na linha 7 do algoritmo: divisão por zero.</code> "
         "Ao ler um número real, use ponto como separador decimal: <code>8.5</code>, "
         "e não <code>8,5</code>.</li>\n</ul>\n";
    o << "<p><a href=\"index.html\">Início da ajuda</a></p>\n</body>\n</html>\n";

    // Uma linha da tabela fora de todos os grupos sumiria da ajuda em silêncio.
    if (linhas != vendrilo::TabelaPalavras().size()) {
        std::cerr << "gerahelp: há tipos da tabela fora dos grupos da ajuda\n";
        return 1;
    }
    for (const auto& p : vendrilo::TabelaPalavras())
        if (!SignificadosPalavras().count(p.tipo)) {
            std::cerr << "gerahelp: o tipo " << p.tipo << " não tem explicação na ajuda\n";
            return 1;
        }
    std::ofstream arquivo(argv[1], std::ios::binary);
    arquivo << o.str();
    arquivo.close();
    if (!arquivo) {
        std::cerr << "gerahelp: não foi possível gravar " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
