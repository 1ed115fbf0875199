#include "console/tela_terminal.h"

#include <algorithm>

namespace vendrilo {

namespace {

// Linhas guardadas acima da tela: bastam para rever a saída recente sem
// que um programa que escreve sem parar leve a memória embora.
constexpr std::size_t MaxHistorico = 5000;

VTermColor cor(std::uint32_t rgb)
{
    VTermColor c;
    vterm_color_rgb(&c, static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                    static_cast<uint8_t>(rgb));
    return c;
}

} // namespace

TelaTerminal::TelaTerminal(int colunas, int linhas, std::uint32_t frente, std::uint32_t fundo)
    : colunas_(colunas)
    , linhas_(linhas)
    , frente_(frente)
    , fundo_(fundo)
{
    vt_ = vterm_new(linhas_, colunas_);
    vterm_set_utf8(vt_, 1);
    vterm_output_set_callback(vt_, &TelaTerminal::saidaCb, this);
    VTermState* estado = vterm_obtain_state(vt_);
    const VTermColor f = cor(frente_), b = cor(fundo_);
    vterm_state_set_default_colors(estado, &f, &b);
    // As cores claras do CRT chegam como negrito + cor escura.
    vterm_state_set_bold_highbright(estado, 1);
    tela_ = vterm_obtain_screen(vt_);
    static const VTermScreenCallbacks chamadas = {
        &TelaTerminal::danoCb,    nullptr, &TelaTerminal::cursorCb, &TelaTerminal::propCb, nullptr, nullptr,
        &TelaTerminal::empurraCb, nullptr,
    };
    vterm_screen_set_callbacks(tela_, &chamadas, this);
    vterm_screen_set_damage_merge(tela_, VTERM_DAMAGE_SCROLL);
    vterm_screen_reset(tela_, 1);
}

TelaTerminal::~TelaTerminal()
{
    vterm_free(vt_);
}

void TelaTerminal::escreve(std::string_view utf8)
{
    if (utf8.empty())
        return;
    vterm_input_write(vt_, utf8.data(), utf8.size());
    vterm_screen_flush_damage(tela_);
}

void TelaTerminal::tecla(VTermKey t, VTermModifier mod)
{
    vterm_keyboard_key(vt_, t, mod);
}

void TelaTerminal::caractere(std::uint32_t c, VTermModifier mod)
{
    vterm_keyboard_unichar(vt_, c, mod);
}

void TelaTerminal::redimensiona(int colunas, int linhas)
{
    if (colunas < 1 || linhas < 1 || (colunas == colunas_ && linhas == linhas_))
        return;
    colunas_ = colunas;
    linhas_ = linhas;
    vterm_set_size(vt_, linhas, colunas);
    vterm_screen_flush_damage(tela_);
    avisa();
}

CelulaTerminal TelaTerminal::resolve(const VTermScreenCell& c) const
{
    CelulaTerminal r;
    r.caractere = c.chars[0] == static_cast<uint32_t>(-1) ? 0 : c.chars[0];
    r.largura = c.chars[0] == static_cast<uint32_t>(-1) ? 0 : c.width;
    r.negrito = c.attrs.bold;
    r.sublinhado = c.attrs.underline != 0;
    auto rgb = [this](VTermColor v, bool padraoFrente, bool padraoFundo) -> std::uint32_t {
        if (padraoFrente)
            return frente_;
        if (padraoFundo)
            return fundo_;
        vterm_screen_convert_color_to_rgb(tela_, &v);
        return (std::uint32_t(v.rgb.red) << 16) | (std::uint32_t(v.rgb.green) << 8) | v.rgb.blue;
    };
    r.frente = rgb(c.fg, VTERM_COLOR_IS_DEFAULT_FG(&c.fg), false);
    r.fundo = rgb(c.bg, false, VTERM_COLOR_IS_DEFAULT_BG(&c.bg));
    if (c.attrs.reverse)
        std::swap(r.frente, r.fundo);
    return r;
}

CelulaTerminal TelaTerminal::celula(int coluna, int linha) const
{
    VTermScreenCell c{};
    if (linha < 0) {
        const int i = linhasHistorico() + linha;
        if (i < 0)
            return CelulaTerminal{0, frente_, fundo_};
        const auto& l = historico_[static_cast<std::size_t>(i)];
        if (coluna < 0 || coluna >= static_cast<int>(l.size()))
            return CelulaTerminal{0, frente_, fundo_};
        return resolve(l[static_cast<std::size_t>(coluna)]);
    }
    if (coluna < 0 || coluna >= colunas_ || linha >= linhas_ ||
        !vterm_screen_get_cell(tela_, VTermPos{linha, coluna}, &c))
        return CelulaTerminal{0, frente_, fundo_};
    return resolve(c);
}

void TelaTerminal::avisa()
{
    if (aoMudar)
        aoMudar();
}

int TelaTerminal::danoCb(VTermRect, void* eu)
{
    static_cast<TelaTerminal*>(eu)->avisa();
    return 1;
}

int TelaTerminal::cursorCb(VTermPos p, VTermPos, int visivel, void* eu)
{
    auto* t = static_cast<TelaTerminal*>(eu);
    t->cursorColuna_ = p.col;
    t->cursorLinha_ = p.row;
    t->cursorVisivel_ = visivel != 0;
    t->avisa();
    return 1;
}

int TelaTerminal::propCb(VTermProp prop, VTermValue* v, void* eu)
{
    auto* t = static_cast<TelaTerminal*>(eu);
    if (prop == VTERM_PROP_CURSORVISIBLE) {
        t->cursorVisivel_ = v->boolean != 0;
        t->avisa();
    }
    return 1;
}

int TelaTerminal::empurraCb(int colunas, const VTermScreenCell* celulas, void* eu)
{
    auto* t = static_cast<TelaTerminal*>(eu);
    if (t->historico_.size() >= MaxHistorico) {
        // Reaproveita a linha mais velha em vez de alocar outra.
        auto velha = std::move(t->historico_.front());
        t->historico_.pop_front();
        velha.assign(celulas, celulas + colunas);
        t->historico_.push_back(std::move(velha));
    } else {
        t->historico_.emplace_back(celulas, celulas + colunas);
    }
    return 1;
}

void TelaTerminal::saidaCb(const char* s, std::size_t n, void* eu)
{
    auto* t = static_cast<TelaTerminal*>(eu);
    if (t->aoResponder)
        t->aoResponder(std::string_view(s, n));
}

} // namespace vendrilo
