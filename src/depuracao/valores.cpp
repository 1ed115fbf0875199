#include "depuracao/valores.h"

#include "formato/texto_1252.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vendrilo::depuracao {

namespace {

struct Formatador {
    const std::string& s;
    const GrafiaDeNome& grafia;
    std::size_t i = 0;
    bool erro = false;

    char atual() const { return i < s.size() ? s[i] : '\0'; }
    void brancos()
    {
        while (atual() == ' ')
            ++i;
    }

    // Pedaços 'abc' e #nnn juntos formam um texto em Windows-1252.
    bool texto(std::string& bytes)
    {
        bool algum = false;
        for (;;) {
            if (atual() == '\'') {
                ++i;
                for (;;) {
                    if (i >= s.size())
                        return erro = true, false;
                    if (s[i] == '\'') {
                        if (i + 1 < s.size() && s[i + 1] == '\'') {
                            bytes.push_back('\'');
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    bytes.push_back(s[i++]);
                }
                algum = true;
            } else if (atual() == '#' && i + 1 < s.size() &&
                       std::isdigit(static_cast<unsigned char>(s[i + 1]))) {
                ++i;
                int v = 0;
                while (std::isdigit(static_cast<unsigned char>(atual())))
                    v = v * 10 + (s[i++] - '0');
                bytes.push_back(static_cast<char>(v & 0xFF));
                algum = true;
            } else {
                return algum;
            }
        }
    }

    std::string simples()
    {
        const std::size_t ini = i;
        while (i < s.size() && s[i] != ',' && s[i] != '}')
            ++i;
        std::string t = s.substr(ini, i - ini);
        while (!t.empty() && t.back() == ' ')
            t.pop_back();
        return t;
    }

    // Com `no`, guarda também as partes (só quem pede a árvore paga por ela).
    std::string valor(NoValor* no = nullptr)
    {
        brancos();
        if (atual() == '{')
            return agregado(no);
        if (atual() == '\'' || atual() == '#') {
            std::string bytes;
            texto(bytes);
            return De1252(bytes);
        }
        std::string t = simples();
        return escalar(t);
    }

    std::string escalar(const std::string& t)
    {
        if (t == "true")
            return "VERDADEIRO";
        if (t == "false")
            return "FALSO";
        // Caractere: "97 'a'" ou "10 #10".
        const auto espaco = t.find(' ');
        if (espaco != std::string::npos && espaco + 1 < t.size() &&
            (t[espaco + 1] == '\'' || t[espaco + 1] == '#')) {
            const int codigo = std::atoi(t.c_str());
            if (codigo == 0) // caractere ainda sem valor
                return {};
            if (codigo >= 32 && codigo != 127)
                return De1252(std::string(1, static_cast<char>(codigo)));
            return "#" + std::to_string(codigo);
        }
        if (t.empty())
            return t;
        const bool numero = std::isdigit(static_cast<unsigned char>(t[0])) ||
                            (t.size() > 1 && t[0] == '-' && std::isdigit(static_cast<unsigned char>(t[1])));
        if (numero && t.find_first_of(".eE") != std::string::npos) {
            char* fim = nullptr;
            const double d = std::strtod(t.c_str(), &fim);
            if (fim && *fim == '\0')
                return RealDoAlgoritmo(d);
        }
        if (t == "inf" || t == "-inf" || t.rfind("nan", 0) == 0 || t.rfind("-nan", 0) == 0)
            return RealDoAlgoritmo(std::strtod(t.c_str(), nullptr));
        return t;
    }

    // "[i] = " antes de um elemento (print array-indexes): o índice que o
    // aluno declarou, que pode não começar em 1. Um caractere entre aspas
    // pode ser o próprio ']'.
    bool indiceReal(std::string& indice)
    {
        std::size_t j = i + 1;
        while (j < s.size() && s[j] != ']') {
            if (s[j] != '\'') {
                ++j;
                continue;
            }
            for (++j; j < s.size(); ++j)
                if (s[j] == '\'') {
                    if (j + 1 < s.size() && s[j + 1] == '\'') {
                        ++j;
                        continue;
                    }
                    ++j;
                    break;
                }
        }
        if (j >= s.size() || s.compare(j + 1, 3, " = ") != 0)
            return false;
        indice = escalar(s.substr(i + 1, j - i - 1));
        i = j + 4;
        return true;
    }

    // {a, b} vira [a; b]; {X = a, Y = b} vira {x: a; y: b}.
    std::string agregado(NoValor* no)
    {
        ++i;
        std::string saida;
        bool registro = false;
        bool primeiro = true;
        brancos();
        while (atual() != '}') {
            if (i >= s.size())
                return erro = true, std::string();
            brancos();
            std::string indice;
            if (atual() == '[' && !indiceReal(indice))
                return erro = true, std::string();
            std::string campo;
            // Um nome seguido de " = " é campo de registro.
            std::size_t j = i;
            while (j < s.size() && (std::isalnum(static_cast<unsigned char>(s[j])) || s[j] == '_'))
                ++j;
            if (j > i && s.compare(j, 3, " = ") == 0 && !std::isdigit(static_cast<unsigned char>(s[i]))) {
                campo = s.substr(i, j - i);
                if (grafia)
                    campo = grafia(campo);
                i = j + 3;
                registro = true;
            }
            NoValor* filho = nullptr;
            if (no) {
                no->filhos.emplace_back(std::string(), NoValor{});
                filho = &no->filhos.back().second;
            }
            std::string v = valor(filho);
            if (erro)
                return {};
            if (filho) {
                filho->texto = v;
                no->filhos.back().first =
                    !campo.empty()
                        ? campo
                        : "[" + (indice.empty() ? std::to_string(no->filhos.size()) : indice) + "]";
            }
            if (!primeiro)
                saida += "; ";
            primeiro = false;
            if (!campo.empty())
                saida += campo + ": ";
            saida += v;
            brancos();
            if (atual() == ',')
                ++i;
            else if (atual() != '}')
                return erro = true, std::string();
        }
        ++i;
        return registro ? "{" + saida + "}" : "[" + saida + "]";
    }
};

} // namespace

std::string RealDoAlgoritmo(double valor)
{
    if (std::isnan(valor))
        return "NaN";
    if (std::isinf(valor))
        return valor < 0 ? "-Infinito" : "Infinito";
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.6f", valor);
    std::string t = buf;
    const auto ponto = t.find('.');
    if (ponto != std::string::npos) {
        while (t.back() == '0')
            t.pop_back();
        if (t.back() == '.')
            t.pop_back();
    }
    if (t == "-0")
        t = "0";
    return t;
}

NoValor ArvoreDoAlgoritmo(const std::string& impresso, const GrafiaDeNome& grafia)
{
    Formatador f{impresso, grafia};
    NoValor no;
    no.texto = f.valor(&no);
    f.brancos();
    if (f.erro || f.i != impresso.size())
        return {impresso, {}};
    return no;
}

std::string ValorDoAlgoritmo(const std::string& impresso, const GrafiaDeNome& grafia)
{
    Formatador f{impresso, grafia};
    std::string v = f.valor();
    f.brancos();
    if (f.erro || f.i != impresso.size())
        return impresso;
    return v;
}

} // namespace vendrilo::depuracao
