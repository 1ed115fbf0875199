#include "translate/dica_dialeto.h"

#include "translate/tabela_palavras.h"

#include <vector>

namespace vendrilo {

namespace {

// Letra acentuada (código Latin-1/Windows-1252) sem o acento, em maiúscula; 0 se não é.
char semAcento(unsigned char c)
{
    if (c >= 0xE0)
        c = static_cast<unsigned char>(c - 0x20);
    if (c >= 0xC0 && c <= 0xC5) return 'A';
    if (c == 0xC7) return 'C';
    if (c >= 0xC8 && c <= 0xCB) return 'E';
    if (c >= 0xCC && c <= 0xCF) return 'I';
    if (c == 0xD1) return 'N';
    if (c >= 0xD2 && c <= 0xD6) return 'O';
    if (c >= 0xD9 && c <= 0xDC) return 'U';
    return 0;
}

struct Palavra {
    std::size_t inicio, fim;     // na linha, em bytes
    std::string maiuscula;       // sem acentos
    bool acentuada = false;
};

bool ehDePalavra(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '+' ||
           c == '_' || c >= 0x80;
}

// Os pedaços de palavra fora de literais e comentários, com o caractere que
// vem antes e depois de cada um.
std::vector<Palavra> pedacos(const std::string& l)
{
    std::vector<Palavra> v;
    char aberto = 0;
    for (std::size_t i = 0; i < l.size();) {
        const unsigned char c = static_cast<unsigned char>(l[i]);
        if (aberto) {
            if ((aberto == '{' && c == '}') || (aberto != '{' && c == static_cast<unsigned char>(aberto)))
                aberto = 0;
            ++i;
        } else if (c == '{' || c == '\'' || c == '"') {
            aberto = static_cast<char>(c);
            ++i;
        } else if (ehDePalavra(c)) {
            Palavra p{i, i, {}, false};
            while (i < l.size() && ehDePalavra(static_cast<unsigned char>(l[i]))) {
                unsigned char d = static_cast<unsigned char>(l[i]);
                // Também UTF-8: "ã" é C3 A3 e vira o código Latin-1 E3.
                if (d == 0xC3 && i + 1 < l.size() && (static_cast<unsigned char>(l[i + 1]) & 0xC0) == 0x80) {
                    d = static_cast<unsigned char>(0x40 + static_cast<unsigned char>(l[i + 1]));
                    ++i;
                }
                if (const char s = semAcento(d)) {
                    p.maiuscula += s;
                    p.acentuada = true;
                } else {
                    p.maiuscula += static_cast<char>(d >= 'a' && d <= 'z' ? d - 32 : d);
                }
                ++i;
            }
            p.fim = i;
            v.push_back(std::move(p));
        } else {
            ++i;
        }
    }
    return v;
}

std::string pascalDe(const PalavraChave& p)
{
    std::string_view t = p.pascal;
    while (!t.empty() && (t.front() == ':' || t.front() == '=' || t.front() == ' '))
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    return std::string(t);
}

} // namespace

std::string DicaDialeto(const std::string& linha, int coluna)
{
    const auto ps = pedacos(linha);
    if (ps.empty())
        return {};

    // Nome de variável que é palavra do Vendrilo: o primeiro depois de
    // DECLARE e os que vêm depois de uma vírgula.
    auto depoisDeVirgula = [&](std::size_t i) {
        std::size_t k = ps[i].inicio;
        while (k > 0 && (linha[k - 1] == ' ' || linha[k - 1] == '\t'))
            --k;
        return k > 0 && linha[k - 1] == ',';
    };
    if ((ps.front().maiuscula == "DECLARE" || ps.front().maiuscula == "DEC") && ps.size() >= 3)
        for (std::size_t i = 1; i + 1 < ps.size() && (i == 1 || depoisDeVirgula(i)); ++i)
            if (const PalavraChave* p = ProcuraPalavra(ps[i].maiuscula); p && !ps[i].acentuada)
                return "Dica: " + ps[i].maiuscula + " é uma palavra do Vendrilo (vira " + pascalDe(*p) +
                       "); escolha outro nome para a variável.";

    // O pedaço sob o "^", ou o último antes dele (o compilador às vezes acusa
    // o símbolo seguinte).
    const std::size_t c = coluna > 0 ? static_cast<std::size_t>(coluna - 1) : 0;
    std::vector<const Palavra*> candidatos;
    for (std::size_t i = ps.size(); i-- > 0;)
        if (ps[i].inicio <= c) {
            candidatos.push_back(&ps[i]);
            if (i > 0)
                candidatos.push_back(&ps[i - 1]);
            break;
        }
    for (const Palavra* p : candidatos) {
        const PalavraChave* k = ProcuraPalavra(p->maiuscula);
        if (!k)
            continue;
        if (p->acentuada)
            return "Dica: escreva " + p->maiuscula + " sem acento.";
        const char antes = p->inicio > 0 ? linha[p->inicio - 1] : ' ';
        const char depois = p->fim < linha.size() ? linha[p->fim] : ' ';
        auto cola = [](char x) { return x == '(' || x == ')' || x == '\'' || x == '"'; };
        if (!cola(antes) && !cola(depois))
            continue; // separada, ou colada a outra coisa
        const bool aspas = antes == '\'' || antes == '"' || depois == '\'' || depois == '"';
        return "Dica: separe " + p->maiuscula + (aspas ? " das aspas" : " do parêntese") + " com um espaço.";
    }
    return {};
}

} // namespace vendrilo
