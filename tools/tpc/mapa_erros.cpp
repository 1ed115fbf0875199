#include "mapa_erros.h"

#include <cctype>
#include <charconv>

namespace vendrilo::tpc {

namespace {

// Só dígitos: linha, coluna e número nunca são negativos, e um "-2147483648"
// viraria conta com estouro adiante.
bool lerInteiro(std::string_view s, int& valor)
{
    if (s.empty() || !std::isdigit(static_cast<unsigned char>(s.front())))
        return false;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), valor);
    return ec == std::errc() && p == s.data() + s.size();
}

std::string maiusculas(std::string_view s)
{
    std::string r(s);
    for (auto& c : r)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

bool ehLetra(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// O símbolo que precede (linha, coluna) no fonte, atravessando linhas em
// branco: uma palavra inteira ou um caractere de pontuação.
std::string simboloAnterior(const std::vector<std::string>& fonte, int linha, int coluna)
{
    int l = linha - 1;
    int c = coluna - 1; // posição do erro (base 0); olha antes dela
    while (l >= 0 && l < static_cast<int>(fonte.size())) {
        const std::string& t = fonte[static_cast<std::size_t>(l)];
        int i = std::min<int>(c, static_cast<int>(t.size())) - 1;
        while (i >= 0 && std::isspace(static_cast<unsigned char>(t[static_cast<std::size_t>(i)])))
            --i;
        if (i >= 0) {
            if (!ehLetra(t[static_cast<std::size_t>(i)]))
                return std::string(1, t[static_cast<std::size_t>(i)]);
            int fim = i + 1;
            while (i >= 0 && ehLetra(t[static_cast<std::size_t>(i)]))
                --i;
            const auto inicio = static_cast<std::size_t>(i + 1);
            return maiusculas(std::string_view(t).substr(inicio, static_cast<std::size_t>(fim) - inicio));
        }
        --l;
        c = l >= 0 ? static_cast<int>(fonte[static_cast<std::size_t>(l)].size()) : 0;
    }
    return {};
}

// ":=" aparece depois do erro, antes do fim da instrução (";") na mesma linha.
bool atribuicaoAdiante(const std::vector<std::string>& fonte, int linha, int coluna)
{
    if (linha < 1 || linha > static_cast<int>(fonte.size()))
        return false;
    const std::string& t = fonte[static_cast<std::size_t>(linha - 1)];
    std::size_t i = coluna > 0 ? static_cast<std::size_t>(coluna - 1) : 0;
    for (; i + 1 < t.size(); ++i) {
        if (t[i] == ';')
            return false;
        if (t[i] == ':' && t[i + 1] == '=')
            return true;
    }
    return false;
}

// O texto entre aspas que segue `marca` ("expected ", "Got ", "but ").
std::string citado(std::string_view texto, std::string_view marca)
{
    auto p = texto.find(marca);
    if (p == std::string_view::npos)
        return {};
    p += marca.size();
    if (p >= texto.size() || texto[p] != '"')
        return {};
    auto f = texto.find('"', p + 1);
    if (f == std::string_view::npos)
        return {};
    return std::string(texto.substr(p + 1, f - p - 1));
}

bool tipoInteiro(std::string_view t)
{
    for (std::string_view n : {"ShortInt", "SmallInt", "LongInt", "Int64", "Byte", "Word",
                               "LongWord", "Cardinal", "QWord", "Integer"})
        if (t == n)
            return true;
    return false;
}

bool tipoReal(std::string_view t)
{
    for (std::string_view n : {"Real", "Single", "Double", "Extended", "Comp", "Currency"})
        if (t == n)
            return true;
    return false;
}

bool ehPalavraChave(const std::string& p)
{
    return p == "BEGIN" || p == "THEN" || p == "ELSE" || p == "DO" || p == "REPEAT" || p == "END" || p == "OF";
}

// Uma instrução como "x = 5" ou "v[i] < 3": variável (com índices e campos)
// seguida de um operador onde o Pascal pede ":=". O Turbo Pascal acusava
// ":=" esperado sobre o operador; o Free Pascal só vê a expressão ilegal
// depois dela, às vezes na linha seguinte. Devolve a posição do operador.
bool atribuicaoComOperador(const std::vector<std::string>& fonte, int linha, int coluna, int& lOp, int& cOp)
{
    // Volta até o começo da instrução: ";" ou palavra que abre instrução.
    int l = linha - 1;
    int c = coluna - 1;
    if (l < 0 || l >= static_cast<int>(fonte.size()))
        return false;
    int li = -1, ci = -1;
    while (l >= 0) {
        const std::string& t = fonte[static_cast<std::size_t>(l)];
        int i = std::min<int>(c, static_cast<int>(t.size())) - 1;
        while (i >= 0) {
            const char ch = t[static_cast<std::size_t>(i)];
            if (ch == ';') {
                li = l;
                ci = i + 1;
                break;
            }
            if (ehLetra(ch)) {
                int f = i;
                while (i >= 0 && ehLetra(t[static_cast<std::size_t>(i)]))
                    --i;
                const auto inicio = static_cast<std::size_t>(i + 1);
                const auto tamanho = static_cast<std::size_t>(f) + 1 - inicio;
                if (ehPalavraChave(maiusculas(std::string_view(t).substr(inicio, tamanho)))) {
                    li = l;
                    ci = f + 1;
                    break;
                }
                continue;
            }
            --i;
        }
        if (li >= 0)
            break;
        if (--l >= 0)
            c = static_cast<int>(fonte[static_cast<std::size_t>(l)].size());
    }
    if (li < 0)
        return false;
    // Avança: brancos, identificador, seletores [..] e .campo, brancos, operador.
    auto car = [&](int& a, int& b) -> int {
        while (a < static_cast<int>(fonte.size())) {
            const std::string& t = fonte[static_cast<std::size_t>(a)];
            if (b < static_cast<int>(t.size()))
                return static_cast<unsigned char>(t[static_cast<std::size_t>(b)]);
            ++a;
            b = 0;
        }
        return -1;
    };
    auto pulaBrancos = [&](int& a, int& b) {
        int ch;
        while ((ch = car(a, b)) == ' ' || ch == '\t')
            ++b;
    };
    int a = li, b = ci;
    pulaBrancos(a, b);
    int ch = car(a, b);
    if (ch < 0 || !ehLetra(static_cast<char>(ch)) || std::isdigit(ch))
        return false;
    const int la = a, ca = b;
    while ((ch = car(a, b)) >= 0 && ehLetra(static_cast<char>(ch)) && a == la)
        ++b;
    const std::string primeira = maiusculas(std::string_view(fonte[static_cast<std::size_t>(la)]).substr(
        static_cast<std::size_t>(ca), static_cast<std::size_t>(b - ca)));
    if (primeira == "IF" || primeira == "WHILE" || primeira == "FOR" || primeira == "UNTIL" || primeira == "CASE" ||
        primeira == "WITH" || primeira == "REPEAT")
        return false;
    for (;;) {
        pulaBrancos(a, b);
        ch = car(a, b);
        if (ch == '[') {
            int nivel = 0;
            while ((ch = car(a, b)) >= 0) {
                ++b;
                if (ch == '[')
                    ++nivel;
                else if (ch == ']' && --nivel == 0)
                    break;
            }
        } else if (ch == '.') {
            ++b;
            pulaBrancos(a, b);
            while ((ch = car(a, b)) >= 0 && ehLetra(static_cast<char>(ch)))
                ++b;
        } else {
            break;
        }
    }
    ch = car(a, b);
    if (ch != '=' && ch != '<' && ch != '>' && ch != '+' && ch != '-' && ch != '*' && ch != '/')
        return false;
    lOp = a + 1;
    cOp = b + 1;
    return true;
}

bool contextoCasa(Contexto c, const MensagemFpc& m, const std::vector<std::string>& fonte)
{
    switch (c) {
    case Contexto::Qualquer:
        return true;
    case Contexto::DepoisDeFor:
        return simboloAnterior(fonte, m.linha, m.coluna) == "FOR";
    case Contexto::AntesDeAtribuicao:
        return atribuicaoAdiante(fonte, m.linha, m.coluna);
    case Contexto::InicioDeInstrucao: {
        const std::string s = simboloAnterior(fonte, m.linha, m.coluna);
        return s == ";" || s == "BEGIN" || s == "THEN" || s == "ELSE" || s == "DO" || s == "REPEAT";
    }
    case Contexto::VariavelSemAtribuicao: {
        int l = 0, col = 0;
        return atribuicaoComOperador(fonte, m.linha, m.coluna, l, col);
    }
    case Contexto::EsperaLogico:
        return citado(m.texto, "expected ") == "Boolean";
    case Contexto::InteiroRecebeReal:
        return tipoReal(citado(m.texto, "Got ")) && tipoInteiro(citado(m.texto, "expected "));
    case Contexto::EncontrouElse:
        return citado(m.texto, "but ") == "ELSE";
    }
    return false;
}

} // namespace

std::optional<MensagemFpc> LeMensagemFpc(std::string_view linha)
{
    MensagemFpc m;
    std::string_view resto = linha;
    // Posição opcional: "arquivo(L)" ou "arquivo(L,C)", seguida de espaço.
    static constexpr std::string_view gravidades[] = {"Error: ", "Fatal: ", "Warning: ", "Note: ", "Hint: "};
    std::size_t pg = std::string_view::npos;
    std::string_view grav;
    for (auto g : gravidades) {
        auto p = resto.find(g);
        if (p != std::string_view::npos && p < pg) {
            pg = p;
            grav = g;
        }
    }
    if (pg == std::string_view::npos)
        return std::nullopt;
    std::string_view posicao = resto.substr(0, pg);
    if (!posicao.empty()) {
        if (posicao.back() != ' ')
            return std::nullopt;
        posicao.remove_suffix(1);
        if (posicao.empty() || posicao.back() != ')')
            return std::nullopt;
        auto abre = posicao.rfind('(');
        if (abre == std::string_view::npos)
            return std::nullopt;
        std::string_view nums = posicao.substr(abre + 1, posicao.size() - abre - 2);
        auto virg = nums.find(',');
        if (!lerInteiro(nums.substr(0, virg), m.linha))
            return std::nullopt;
        if (virg != std::string_view::npos && !lerInteiro(nums.substr(virg + 1), m.coluna))
            return std::nullopt;
        m.arquivo = std::string(posicao.substr(0, abre));
    }
    m.gravidade = std::string(grav.substr(0, grav.size() - 2));
    resto = resto.substr(pg + grav.size());
    if (resto.empty() || resto.front() != '(')
        return std::nullopt;
    auto fecha = resto.find(") ");
    if (fecha == std::string_view::npos || !lerInteiro(resto.substr(1, fecha - 1), m.numero))
        return std::nullopt;
    m.texto = std::string(resto.substr(fecha + 2));
    while (!m.texto.empty() && (m.texto.back() == '\r' || m.texto.back() == ' '))
        m.texto.pop_back();
    return m;
}

std::string SimboloEsperado(std::string_view texto)
{
    static constexpr std::string_view inicio = "Syntax error, \"";
    if (texto.substr(0, inicio.size()) != inicio)
        return {};
    auto f = texto.find("\" expected", inicio.size());
    if (f == std::string_view::npos)
        return {};
    return std::string(texto.substr(inicio.size(), f - inicio.size()));
}

const std::vector<RegraErro>& TabelaErros()
{
    using C = Contexto;
    // Os números do Free Pascal estão em msg/errore.msg; os do Turbo Pascal
    // são os da tabela de mensagens em português.
    static const std::vector<RegraErro> tabela = {
        // Erros de sintaxe genéricos: vale o símbolo esperado.
        {2003, ";", C::EncontrouElse, 113},
        {2003, ";", C::Qualquer, 85},
        {2003, ")", C::Qualquer, 89},
        {2003, "(", C::Qualquer, 88},
        {2003, "THEN", C::Qualquer, 57},
        {2003, "DO", C::Qualquer, 50},
        {2003, "OF", C::Qualquer, 54},
        {2003, "TO", C::Qualquer, 58},
        {2003, ":=", C::Qualquer, 91},
        {2003, "BEGIN", C::Qualquer, 36},
        {2003, "END", C::Qualquer, 37},
        {2003, "identifier", C::Qualquer, 2},
        {2003, ":", C::Qualquer, 86},
        {2003, ",", C::Qualquer, 87},
        {2003, "=", C::Qualquer, 90},
        {2003, "]", C::Qualquer, 93},
        {2003, ".", C::Qualquer, 94},
        // Leitura do texto.
        {2000, {}, C::Qualquer, 10},  // Unexpected end of file
        {2001, {}, C::Qualquer, 8},   // String exceeds line
        {2002, {}, C::Qualquer, 5},   // illegal character
        {2011, {}, C::Qualquer, 5},   // Illegal char constant
        {2013, {}, C::Qualquer, 15},  // Cannot open include file
        {3050, {}, C::Qualquer, 6},   // Illegal floating point constant
        {3204, {}, C::Qualquer, 7},   // Invalid integer expression
        {10022, {}, C::Qualquer, 68}, // Can't find unit
        // Identificadores e tipos.
        {5000, {}, C::Qualquer, 3},   // Identifier not found
        {5002, {}, C::Qualquer, 4},   // Duplicate identifier
        {4003, {}, C::Qualquer, 12},  // Type identifier expected
        {5007, {}, C::Qualquer, 21},  // Error in type definition
        {3041, {}, C::Qualquer, 25},  // string length must be 1..255
        {5021, {}, C::Qualquer, 23},  // illegal type declaration of set elements
        {3206, {}, C::Qualquer, 28},  // High range limit < low range limit
        {4052, {}, C::Qualquer, 31},  // Constant Expression expected
        {4011, {}, C::Qualquer, 31},  // Can't evaluate constant expression
        {5038, {}, C::Qualquer, 44},  // identifier idents no member
        {3079, {}, C::Qualquer, 75},  // WITH sobre algo que não é registro
        {5005, {}, C::Qualquer, 59},  // Forward declaration not solved
        {5020, {}, C::Qualquer, 81},  // label already defined
        // Variáveis e expressões.
        {4004, {}, C::DepoisDeFor, 97},       // FOR com constante
        {4004, {}, C::AntesDeAtribuicao, 122}, // atribuição a algo que não é variável
        {4004, {}, C::Qualquer, 20},          // Variable identifier expected
        {4007, {}, C::DepoisDeFor, 97},       // FOR com variável não ordinal
        {4007, {}, C::Qualquer, 39},          // Ordinal expression expected
        {4088, {}, C::Qualquer, 39},          // Ordinal or string expression expected
        {4001, {}, C::EsperaLogico, 40},
        {4001, {}, C::Qualquer, 26},          // Incompatible types
        {4000, {}, C::Qualquer, 26},          // Type mismatch
        {4025, {}, C::InteiroRecebeReal, 38}, // argumento real onde se quer inteiro
        {4025, {}, C::Qualquer, 26},          // Incompatible type for arg
        {3283, {}, C::Qualquer, 41},          // Operator is not overloaded (unário)
        {3284, {}, C::Qualquer, 41},          // Operator is not overloaded (binário)
        {3203, {}, C::VariavelSemAtribuicao, 91}, // "x = 5": faltou o ":="
        {3203, {}, C::InicioDeInstrucao, 113}, // Illegal expression onde começa instrução
        {3203, {}, C::Qualquer, 42},
        {3138, {}, C::Qualquer, 62},          // Division by zero
        {4018, {}, C::Qualquer, 64},          // Can't read or write variables of this type
        {3055, {}, C::Qualquer, 74},          // Constant and CASE types do not match
        {4110, {}, C::Qualquer, 76},          // constante fora dos limites (aviso promovido)
    };
    return tabela;
}

Correspondencia NumeroTurboPascal(const MensagemFpc& m, const std::vector<std::string>& fonte)
{
    const auto& tabela = TabelaErros();
    const std::string esperado = m.numero == 2003 ? SimboloEsperado(m.texto) : std::string();
    for (std::size_t i = 0; i < tabela.size(); ++i) {
        const RegraErro& r = tabela[i];
        if (r.numeroFpc != m.numero)
            continue;
        if (!r.esperado.empty() && maiusculas(r.esperado) != maiusculas(esperado))
            continue;
        if (!contextoCasa(r.contexto, m, fonte))
            continue;
        Correspondencia c{r.numeroTp, static_cast<int>(i)};
        if (r.contexto == Contexto::VariavelSemAtribuicao)
            atribuicaoComOperador(fonte, m.linha, m.coluna, c.linha, c.coluna);
        return c;
    }
    // Sem equivalente: o número do Free Pascal, sempre fora de 1..144, para
    // que a mensagem fique em inglês em vez de virar um texto errado.
    int n = m.numero;
    if (n >= 1 && n <= 144)
        n += 100000;
    if (n <= 0)
        n = 99999;
    return {n, -1};
}

} // namespace vendrilo::tpc
