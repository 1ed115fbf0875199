#include "workspace/realce/varredor_realce.h"

#include "translate/tabela_palavras.h"

#include <cctype>

namespace vendrilo {

namespace {

bool ehEspaco(unsigned char c)
{
    return (c >= 1 && c <= 9) || c == 11 || c == 12 || (c >= 14 && c <= 32);
}

bool ehDigito(unsigned char c) { return c >= '0' && c <= '9'; }

bool ehHexa(unsigned char c)
{
    return ehDigito(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool iniciaPalavra(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Bytes de um caractere UTF-8 que começa em `p`; 1 para ASCII ou sequência
// inválida, para que um byte solto nunca engula o que vem depois.
std::size_t bytesDoCaractere(std::string_view s, std::size_t p)
{
    const unsigned char c = static_cast<unsigned char>(s[p]);
    std::size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 1;
    if (c >= 0xF5)
        n = 1;
    if (p + n > s.size())
        return 1;
    for (std::size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(s[p + i]) & 0xC0) != 0x80)
            return 1;
    return n;
}

// Estado de uma varredura: a linha, a posição e o estado de comentário.
class Varredura {
public:
    Varredura(const VarredorRealce& v, std::string_view linha, EstadoLinha estado)
        : cfg_(v.configuracao()), palavras_(v.palavras()), s_(linha), estado_(estado)
    {
    }

    EstadoLinha executa(std::vector<Ficha>& fichas)
    {
        while (pos_ < s_.size()) {
            const std::size_t inicio = pos_;
            const TipoFicha tipo = proxima();
            fichas.push_back({tipo, inicio, pos_ - inicio});
        }
        return estado_;
    }

private:
    unsigned char em(std::size_t p) const
    {
        return p < s_.size() ? static_cast<unsigned char>(s_[p]) : 0;
    }
    bool fimDeLinha(std::size_t p) const { return p >= s_.size() || s_[p] == '\n' || s_[p] == '\r'; }

    TipoFicha proxima()
    {
        if (estado_ != EstadoLinha::Nenhum)
            return continuaComentario();
        const unsigned char c = em(pos_);
        if (c == '\n') {
            ++pos_;
            return TipoFicha::Espaco;
        }
        if (c == '\r') {
            ++pos_;
            if (em(pos_) == '\n')
                ++pos_;
            return TipoFicha::Espaco;
        }
        if (c == static_cast<unsigned char>(cfg_.delimitadorCadeia))
            return cadeia();
        if (ehEspaco(c)) {
            while (pos_ < s_.size() && ehEspaco(em(pos_)))
                ++pos_;
            return TipoFicha::Espaco;
        }
        if (ehDigito(c))
            return numero();
        if (iniciaPalavra(c))
            return palavra();
        switch (c) {
        case '#': return cerquilha();
        case '$': ++pos_; return hexadecimal();
        case '(': return parentese();
        case '/': return barra();
        case ';': return pontoEVirgula();
        case '{': return chave();
        default: break;
        }
        pos_ += bytesDoCaractere(s_, pos_);
        return TipoFicha::Desconhecido;
    }

    // Consome até o fecho (inclusive) ou até o fim da linha, que mantém o estado.
    TipoFicha ateFecho(std::string_view fecho)
    {
        while (!fimDeLinha(pos_)) {
            if (s_.compare(pos_, fecho.size(), fecho) == 0) {
                pos_ += fecho.size();
                estado_ = EstadoLinha::Nenhum;
                return TipoFicha::Comentario;
            }
            ++pos_;
        }
        return TipoFicha::Comentario;
    }

    TipoFicha continuaComentario()
    {
        const unsigned char c = em(pos_);
        if (c == '\n' || c == '\r') {
            pos_ += (c == '\r' && em(pos_ + 1) == '\n') ? 2 : 1;
            return TipoFicha::Espaco;
        }
        switch (estado_) {
        case EstadoLinha::ComentarioParenteses: return ateFecho("*)");
        case EstadoLinha::ComentarioChaves: return ateFecho("}");
        default: return ateFecho("*/");
        }
    }

    TipoFicha palavra()
    {
        const std::size_t inicio = pos_;
        while (pos_ < s_.size() && ehCaractereDePalavra(em(pos_)))
            ++pos_;
        if (!palavras_.contem(s_.substr(inicio, pos_ - inicio)))
            return TipoFicha::Identificador;
        // O tradutor só troca o pedaço inteiro entre espaços, e nada colado a
        // aspas, chave ou tabulação à direita: "mostre-pl(" não é pintada.
        auto doPedaco = [](unsigned char c) {
            return c != ' ' && c != '\t' && c != '\'' && c != '"' && c != '{' && c != '}' && c != '\r' && c != '\n';
        };
        std::size_t a = inicio, b = pos_;
        while (a > 0 && doPedaco(em(a - 1)))
            --a;
        while (b < s_.size() && doPedaco(em(b)))
            ++b;
        if (b < s_.size() && em(b) != ' ')
            return TipoFicha::Identificador;
        if (a == inicio && b == pos_)
            return TipoFicha::PalavraReservada;
        std::string pedaco(s_.substr(a, b - a));
        for (char& c : pedaco)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return ProcuraPalavra(pedaco) ? TipoFicha::PalavraReservada : TipoFicha::Identificador;
    }

    TipoFicha numero()
    {
        ++pos_;
        for (;;) {
            const unsigned char c = em(pos_);
            if (c == 'x')
                return hexadecimal(); // "0x1F" segue como um só número
            if (c == '.' && em(pos_ + 1) == '.')
                break;                // 1..10: o intervalo fica de fora
            if (!ehDigito(c) && c != 'E' && c != 'e' && c != '.')
                break;
            ++pos_;
        }
        return TipoFicha::Numero;
    }

    // Chamado já depois do "$" (ou no "x" de um número).
    TipoFicha hexadecimal()
    {
        if (em(pos_) == 'x')
            ++pos_;
        while (pos_ < s_.size() && ehHexa(em(pos_)))
            ++pos_;
        return TipoFicha::Numero;
    }

    TipoFicha cerquilha()
    {
        if (cfg_.detectaPreProcessador) {
            while (!fimDeLinha(pos_))
                ++pos_;
            return TipoFicha::PreProcessador;
        }
        ++pos_;
        while (ehDigito(em(pos_)))
            ++pos_;
        return TipoFicha::Cadeia; // código de caractere, como #13
    }

    TipoFicha parentese()
    {
        if (cfg_.comentarios & EstiloComentario::Ansi) {
            if (em(pos_ + 1) == '*') {
                pos_ += 2;
                estado_ = EstadoLinha::ComentarioParenteses;
                return ateFecho("*)");
            }
            if (em(pos_ + 1) == '.') {
                pos_ += 2;
                return TipoFicha::Simbolo;
            }
        }
        ++pos_;
        return TipoFicha::Simbolo;
    }

    TipoFicha barra()
    {
        if (em(pos_ + 1) == '/') {
            while (!fimDeLinha(pos_))
                ++pos_;
            return TipoFicha::Comentario;
        }
        if (em(pos_ + 1) == '*' && (cfg_.comentarios & EstiloComentario::C)) {
            // A busca do fecho parte do próprio "*": "/*/" já se fecha.
            ++pos_;
            estado_ = EstadoLinha::ComentarioBarra;
            return ateFecho("*/");
        }
        ++pos_;
        return TipoFicha::Simbolo;
    }

    TipoFicha pontoEVirgula()
    {
        if (cfg_.comentarios & (EstiloComentario::Asm | EstiloComentario::Basic)) {
            while (!fimDeLinha(pos_))
                ++pos_;
            return TipoFicha::Comentario;
        }
        ++pos_;
        return TipoFicha::Simbolo;
    }

    TipoFicha chave()
    {
        if (!(cfg_.comentarios & EstiloComentario::Pascal)) {
            ++pos_;
            return TipoFicha::Simbolo;
        }
        ++pos_;
        estado_ = EstadoLinha::ComentarioChaves;
        return ateFecho("}");
    }

    TipoFicha cadeia()
    {
        const unsigned char d = static_cast<unsigned char>(cfg_.delimitadorCadeia);
        if (em(pos_ + 1) == d && em(pos_ + 2) == d)
            pos_ += 2;
        // Sem delimitador de fecho, a cadeia vai ao fim da linha e não passa adiante.
        do {
            if (fimDeLinha(pos_))
                return TipoFicha::Cadeia;
            ++pos_;
        } while (em(pos_) != d);
        ++pos_;
        return TipoFicha::Cadeia;
    }

    const ConfiguracaoVarredor& cfg_;
    const PalavrasReservadas& palavras_;
    std::string_view s_;
    EstadoLinha estado_;
    std::size_t pos_ = 0;
};

struct TabelaPalavra {
    bool tabela[256] = {};
    constexpr TabelaPalavra()
    {
        tabela[static_cast<unsigned char>('-')] = true;
        tabela[static_cast<unsigned char>('_')] = true;
        for (int c = '0'; c <= '9'; ++c)
            tabela[c] = true;
        for (int c = 'A'; c <= 'Z'; ++c)
            tabela[c] = tabela[c - 'A' + 'a'] = true;
    }
};
constexpr TabelaPalavra tabelaPalavra;

} // namespace

bool ehCaractereDePalavra(unsigned char c) { return tabelaPalavra.tabela[c]; }

VarredorRealce::VarredorRealce() : palavras_(palavrasReservadasVendrilo()) {}

VarredorRealce::VarredorRealce(const ConfiguracaoVarredor& configuracao,
                               const PalavrasReservadas& palavras)
    : config_(configuracao), palavras_(palavras)
{
}

EstadoLinha VarredorRealce::varre(std::string_view linha, EstadoLinha inicio,
                                  std::vector<Ficha>& fichas) const
{
    fichas.clear();
    return Varredura(*this, linha, inicio).executa(fichas);
}

CaracteresIdentificador::CaracteresIdentificador()
{
    for (int c = 33; c <= 255; ++c)
        conjunto_.set(c);
}

void CaracteresIdentificador::define(std::string_view caracteres)
{
    conjunto_.reset();
    for (char c : caracteres)
        conjunto_.set(static_cast<unsigned char>(c));
}

std::string CaracteresIdentificador::texto() const
{
    std::string r;
    for (int c = 1; c < 256; ++c)
        if (conjunto_[c])
            r.push_back(static_cast<char>(c));
    return r;
}

} // namespace vendrilo
