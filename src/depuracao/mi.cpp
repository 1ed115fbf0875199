#include "depuracao/mi.h"

namespace vendrilo::depuracao {

namespace {

struct Leitor {
    const std::string& s;
    std::size_t i = 0;

    bool fim() const { return i >= s.size(); }
    char atual() const { return fim() ? '\0' : s[i]; }

    bool textoC(std::string& saida)
    {
        if (atual() != '"')
            return false;
        ++i;
        while (!fim() && s[i] != '"') {
            char c = s[i++];
            if (c != '\\') {
                saida.push_back(c);
                continue;
            }
            if (fim())
                return false;
            c = s[i++];
            switch (c) {
            case 'n': saida.push_back('\n'); break;
            case 't': saida.push_back('\t'); break;
            case 'r': saida.push_back('\r'); break;
            case 'a': saida.push_back('\a'); break;
            case 'b': saida.push_back('\b'); break;
            case 'f': saida.push_back('\f'); break;
            case 'v': saida.push_back('\v'); break;
            case 'e': saida.push_back('\x1b'); break;
            default:
                if (c >= '0' && c <= '7') {
                    // Octal de até três dígitos: bytes fora do ASCII.
                    int v = c - '0';
                    for (int n = 0; n < 2 && atual() >= '0' && atual() <= '7'; ++n)
                        v = v * 8 + (s[i++] - '0');
                    saida.push_back(static_cast<char>(v));
                } else {
                    saida.push_back(c);
                }
            }
        }
        if (fim())
            return false;
        ++i;
        return true;
    }

    bool nome(std::string& saida)
    {
        const std::size_t ini = i;
        while (!fim() && s[i] != '=' && s[i] != ',' && s[i] != '{' && s[i] != '[' && s[i] != '"' &&
               s[i] != '}' && s[i] != ']')
            ++i;
        saida = s.substr(ini, i - ini);
        return i > ini;
    }

    // resultado: nome=valor
    bool resultado(std::pair<std::string, ValorMi>& par)
    {
        if (!nome(par.first) || atual() != '=')
            return false;
        ++i;
        return valor(par.second);
    }

    bool valor(ValorMi& v)
    {
        if (atual() == '"') {
            v.tipo = ValorMi::Tipo::Texto;
            return textoC(v.texto);
        }
        const char abre = atual();
        if (abre != '{' && abre != '[')
            return false;
        const char fecha = abre == '{' ? '}' : ']';
        v.tipo = abre == '{' ? ValorMi::Tipo::Tupla : ValorMi::Tipo::Lista;
        ++i;
        if (atual() == fecha) {
            ++i;
            return true;
        }
        for (;;) {
            std::pair<std::string, ValorMi> item;
            // Numa lista, um valor sem nome; senão nome=valor.
            if (abre == '[' && (atual() == '"' || atual() == '{' || atual() == '[')) {
                if (!valor(item.second))
                    return false;
            } else if (!resultado(item)) {
                return false;
            }
            v.itens.push_back(std::move(item));
            if (atual() == ',') {
                ++i;
                continue;
            }
            if (atual() != fecha)
                return false;
            ++i;
            return true;
        }
    }
};

} // namespace

const ValorMi* ValorMi::campo(const std::string& nome) const
{
    for (const auto& [n, v] : itens)
        if (n == nome)
            return &v;
    return nullptr;
}

std::string ValorMi::textoDe(const std::string& nome) const
{
    const ValorMi* v = campo(nome);
    return v && v->tipo == Tipo::Texto ? v->texto : std::string();
}

std::optional<RegistroMi> LeRegistroMi(const std::string& linhaBruta)
{
    std::string linha = linhaBruta;
    if (!linha.empty() && linha.back() == '\r')
        linha.pop_back();
    RegistroMi r;
    if (linha.rfind("(gdb)", 0) == 0)
        return r;
    Leitor l{linha};
    if (l.atual() >= '0' && l.atual() <= '9') {
        unsigned long n = 0;
        while (l.atual() >= '0' && l.atual() <= '9') {
            n = n * 10 + static_cast<unsigned long>(l.atual() - '0');
            ++l.i;
        }
        r.ficha = n;
    }
    r.tipo = l.atual();
    switch (r.tipo) {
    case '~':
    case '@':
    case '&':
        ++l.i;
        if (!l.textoC(r.resultados.texto) || !l.fim())
            return std::nullopt;
        return r;
    case '^':
    case '*':
    case '+':
    case '=': break;
    default: return std::nullopt;
    }
    ++l.i;
    const std::size_t ini = l.i;
    while (!l.fim() && l.atual() != ',')
        ++l.i;
    r.classe = linha.substr(ini, l.i - ini);
    if (r.classe.empty())
        return std::nullopt;
    r.resultados.tipo = ValorMi::Tipo::Tupla;
    while (l.atual() == ',') {
        ++l.i;
        std::pair<std::string, ValorMi> par;
        if (!l.resultado(par))
            return std::nullopt;
        r.resultados.itens.push_back(std::move(par));
    }
    if (!l.fim())
        return std::nullopt;
    return r;
}

std::string AspasMi(const std::string& texto)
{
    std::string s = "\"";
    for (char c : texto) {
        if (c == '"' || c == '\\')
            s.push_back('\\');
        if (c == '\n') {
            s += "\\n";
            continue;
        }
        s.push_back(c);
    }
    s.push_back('"');
    return s;
}

} // namespace vendrilo::depuracao
