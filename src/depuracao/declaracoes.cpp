#include "depuracao/declaracoes.h"

#include <cctype>

namespace vendrilo::depuracao {

namespace {

struct Ficha {
    std::string texto; // como escrito
    std::string chave; // em maiúsculas (só nomes); símbolos como estão
    bool nome = false;
};

bool letra(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

// Nomes e símbolos, sem comentários nem literais.
std::vector<Ficha> fichas(const std::vector<std::string>& linhas)
{
    std::vector<Ficha> f;
    std::string t;
    for (const auto& l : linhas)
        t += l + "\n";
    std::size_t i = 0;
    while (i < t.size()) {
        const char c = t[i];
        if (c == '{') {
            const auto fim = t.find('}', i);
            i = fim == std::string::npos ? t.size() : fim + 1;
        } else if (c == '(' && i + 1 < t.size() && t[i + 1] == '*') {
            const auto fim = t.find("*)", i + 2);
            i = fim == std::string::npos ? t.size() : fim + 2;
        } else if (c == '/' && i + 1 < t.size() && t[i + 1] == '/') {
            const auto fim = t.find('\n', i);
            i = fim == std::string::npos ? t.size() : fim;
        } else if (c == '\'') {
            const auto fim = t.find('\'', i + 1);
            i = fim == std::string::npos ? t.size() : fim + 1;
            f.push_back({"''", "''", false});
        } else if (letra(c)) {
            std::size_t j = i;
            while (j < t.size() && (letra(t[j]) || std::isdigit(static_cast<unsigned char>(t[j]))))
                ++j;
            Ficha x{t.substr(i, j - i), Maiusculas(t.substr(i, j - i)), true};
            f.push_back(std::move(x));
            i = j;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else {
            f.push_back({std::string(1, c), std::string(1, c), false});
            ++i;
        }
    }
    return f;
}

bool secao(const std::string& k)
{
    return k == "VAR" || k == "CONST" || k == "TYPE" || k == "PROCEDURE" || k == "FUNCTION" || k == "BEGIN" ||
           k == "LABEL";
}

struct Leitor {
    std::vector<Ficha> f;
    std::size_t i = 0;
    Declaracoes d;

    bool fim() const { return i >= f.size(); }
    const std::string& k() const
    {
        static const std::string vazio;
        return fim() ? vazio : f[i].chave;
    }

    void anota(const Ficha& x) { d.grafias.emplace(x.chave, x.texto); }

    // Um tipo até o ";" (ou ")" de parâmetros) no mesmo nível; campos de
    // registro ficam anotados com a sua grafia.
    void pulaTipo(bool emParametros)
    {
        int parenteses = 0, registros = 0;
        while (!fim()) {
            const std::string& c = k();
            if (c == "RECORD") {
                ++registros;
            } else if (c == "END" && registros > 0) {
                --registros;
            } else if (c == "(" || c == "[") {
                ++parenteses;
            } else if ((c == ")" || c == "]") && parenteses > 0) {
                --parenteses;
            } else if (registros > 0 && f[i].nome && i + 1 < f.size() &&
                       (f[i + 1].chave == ":" || f[i + 1].chave == ",")) {
                d.grafiasCampos.emplace(f[i].chave, f[i].texto);
            } else if (parenteses == 0 && registros == 0 && (c == ";" || (emParametros && c == ")"))) {
                return;
            }
            ++i;
        }
    }

    // nome {, nome} : tipo ;   (até a próxima seção)
    void listaVariaveis(std::vector<std::string>& destino)
    {
        while (!fim() && !secao(k())) {
            std::vector<std::size_t> nomes;
            while (!fim() && f[i].nome && !secao(k())) {
                nomes.push_back(i++);
                if (k() != ",")
                    break;
                ++i;
            }
            if (k() != ":") { // não é declaração: avança para não travar
                ++i;
                continue;
            }
            ++i;
            for (std::size_t n : nomes) {
                destino.push_back(f[n].texto);
                anota(f[n]);
            }
            pulaTipo(false);
            if (k() == ";")
                ++i;
        }
    }

    // Seções TYPE/CONST: só os campos de registro interessam.
    void pulaSecao()
    {
        while (!fim() && !secao(k())) {
            if (k() == "=" || k() == ":") {
                ++i;
                pulaTipo(false);
            }
            ++i;
        }
    }

    void parametros(std::vector<std::string>& destino)
    {
        ++i; // "("
        while (!fim() && k() != ")") {
            if (k() == "VAR" || k() == "CONST" || k() == "OUT")
                ++i;
            std::vector<std::size_t> nomes;
            while (!fim() && f[i].nome) {
                nomes.push_back(i++);
                if (k() != ",")
                    break;
                ++i;
            }
            for (std::size_t n : nomes) {
                destino.push_back(f[n].texto);
                anota(f[n]);
            }
            if (k() == ":") {
                ++i;
                pulaTipo(true);
            }
            if (k() == ";")
                ++i;
            else if (k() != ")")
                ++i;
        }
        if (k() == ")")
            ++i;
    }

    // Corpo BEGIN ... END, com CASE/RECORD/TRY aninhados.
    void pulaCorpo()
    {
        int nivel = 0;
        while (!fim()) {
            const std::string& c = k();
            if (c == "BEGIN" || c == "CASE" || c == "RECORD" || c == "TRY" || c == "ASM")
                ++nivel;
            else if (c == "END" && --nivel <= 0) {
                ++i;
                return;
            }
            ++i;
        }
    }

    void rotina()
    {
        ++i; // PROCEDURE/FUNCTION
        if (fim() || !f[i].nome)
            return;
        Rotina r;
        r.nome = f[i].texto;
        anota(f[i]);
        ++i;
        if (k() == "(")
            parametros(r.variaveis);
        // Resto do cabeçalho (tipo do resultado, diretivas).
        while (!fim() && k() != ";")
            ++i;
        ++i;
        while (!fim() && k() != "BEGIN") {
            if (k() == "FORWARD" || k() == "EXTERNAL")
                return;
            if (k() == "VAR") {
                ++i;
                listaVariaveis(r.variaveis);
            } else if (k() == "PROCEDURE" || k() == "FUNCTION") {
                rotina(); // aninhada: entra na lista também
            } else {
                ++i;
                pulaSecao();
            }
        }
        pulaCorpo();
        d.rotinas.push_back(std::move(r));
    }

    void programa()
    {
        d.rotinas.push_back(Rotina{});
        while (!fim() && k() != "BEGIN") {
            if (k() == "VAR") {
                ++i;
                listaVariaveis(d.rotinas.front().variaveis);
            } else if (k() == "PROCEDURE" || k() == "FUNCTION") {
                rotina();
            } else if (k() == "TYPE" || k() == "CONST") {
                ++i;
                pulaSecao();
            } else {
                ++i;
            }
        }
    }
};

} // namespace

std::string Maiusculas(std::string texto)
{
    for (char& c : texto)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return texto;
}

std::string Declaracoes::grafia(const std::string& nome) const
{
    const auto it = grafias.find(Maiusculas(nome));
    return it == grafias.end() ? nome : it->second;
}

std::string Declaracoes::grafiaCampo(const std::string& nome) const
{
    const auto it = grafiasCampos.find(Maiusculas(nome));
    return it == grafiasCampos.end() ? grafia(nome) : it->second;
}

const Rotina* Declaracoes::rotina(const std::string& nome) const
{
    const std::string chave = Maiusculas(nome);
    for (const Rotina& r : rotinas)
        if (!r.nome.empty() && Maiusculas(r.nome) == chave)
            return &r;
    return nullptr;
}

Declaracoes LeDeclaracoes(const std::vector<std::string>& linhasPascal)
{
    Leitor l;
    l.f = fichas(linhasPascal);
    l.programa();
    return std::move(l.d);
}

} // namespace vendrilo::depuracao
