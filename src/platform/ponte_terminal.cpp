#include "platform/ponte_terminal.h"

#include "formato/texto_1252.h"
#include "platform/pty_processo.h"

#include <cerrno>
#include <cstdlib>
#include <poll.h>
#include <string_view>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace vendrilo {

namespace {

bool escreveTudo(int fd, std::string_view s)
{
    while (!s.empty()) {
        ssize_t n = write(fd, s.data(), s.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        s.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Quantos bytes do fim de `s` são o começo de um caractere UTF-8 que ainda
// não chegou inteiro (guardados para a próxima leitura).
std::size_t incompletoNoFim(std::string_view s)
{
    for (std::size_t k = 1; k <= 3 && k <= s.size(); ++k) {
        const auto c = static_cast<unsigned char>(s[s.size() - k]);
        if ((c & 0xC0) == 0x80)
            continue; // continuação: procura o início
        const std::size_t precisa = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return precisa > k ? k : 0;
    }
    return 0;
}

// Terminal em modo cru enquanto vive: cada tecla vai ao programa, e quem
// edita a linha e gera o Ctrl+C é o pseudoterminal dele.
class ModoCru {
public:
    ModoCru()
    {
        if (isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &antes_) == 0) {
            termios cru = antes_;
            cfmakeraw(&cru);
            ativo_ = tcsetattr(STDIN_FILENO, TCSANOW, &cru) == 0;
        }
    }
    ~ModoCru()
    {
        if (ativo_)
            tcsetattr(STDIN_FILENO, TCSANOW, &antes_);
    }

private:
    termios antes_{};
    bool ativo_ = false;
};

} // namespace

std::string Windows1252ParaTerminal(std::string_view bytes)
{
    std::string r;
    r.reserve(bytes.size() + bytes.size() / 4);
    std::size_t inicio = 0;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        const bool vago = i < bytes.size() && [](unsigned char c) {
            return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
        }(static_cast<unsigned char>(bytes[i]));
        if (i < bytes.size() && !vago)
            continue;
        r += De1252(bytes.substr(inicio, i - inicio));
        if (vago)
            r += "\xEF\xBF\xBD";
        inicio = i + 1;
    }
    return r;
}

std::string TeclasPara1252(std::string& pendente, std::string_view novos)
{
    pendente.append(novos);
    const std::size_t guarda = incompletoNoFim(pendente);
    std::string r = Para1252(std::string_view(pendente).substr(0, pendente.size() - guarda));
    pendente.erase(0, pendente.size() - guarda);
    return r;
}

bool SaidaEmTerminalUtf8()
{
    return isatty(STDOUT_FILENO) && LocaleUtf8();
}

bool LocaleUtf8()
{
    const char* locale = nullptr;
    for (const char* nome : {"LC_ALL", "LC_CTYPE", "LANG"})
        if (const char* v = std::getenv(nome); v && *v) {
            locale = v;
            break;
        }
    if (!locale)
        return false;
    std::string s(locale);
    for (char& c : s)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return s.find("utf-8") != std::string::npos || s.find("utf8") != std::string::npos;
}

int ExecutaComConversao1252(const std::vector<std::string>& argv)
{
    winsize w{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &w) != 0 || w.ws_col == 0)
        w = winsize{25, 80, 0, 0};
    ProcessoPty pty;
    std::string erro;
    if (!pty.inicia(argv, {}, {}, w.ws_col, w.ws_row, erro))
        return -1;
    ModoCru cru;
    std::string pendente; // pedaço de caractere UTF-8 digitado
    bool entradaAberta = true;
    char buf[16384];
    int status = -1;
    for (;;) {
        pollfd p[2] = {{pty.mestre(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        const int n = poll(p, entradaAberta ? 2 : 1, 100);
        if (n < 0 && errno != EINTR)
            break;
        // O terminal pode ter mudado de tamanho.
        winsize agora{};
        if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &agora) == 0 && agora.ws_col &&
            (agora.ws_col != w.ws_col || agora.ws_row != w.ws_row)) {
            w = agora;
            pty.redimensiona(w.ws_col, w.ws_row);
        }
        long lidos = 0;
        while ((lidos = pty.le(buf, sizeof buf)) > 0)
            escreveTudo(STDOUT_FILENO,
                        Windows1252ParaTerminal(std::string_view(buf, static_cast<std::size_t>(lidos))));
        if (entradaAberta && n > 0 && (p[1].revents & (POLLIN | POLLHUP | POLLERR))) {
            ssize_t k = read(STDIN_FILENO, buf, sizeof buf);
            if (k > 0) {
                pty.escreve(TeclasPara1252(pendente, std::string_view(buf, static_cast<std::size_t>(k))));
            } else if (k == 0 || errno != EINTR) {
                // Fim da entrada (um arquivo ou cano): o programa recebe o fim também.
                entradaAberta = false;
                pty.escreve("\x04");
            }
        }
        if (pty.terminou(status)) {
            while ((lidos = pty.le(buf, sizeof buf)) > 0)
                escreveTudo(STDOUT_FILENO,
                            Windows1252ParaTerminal(std::string_view(buf, static_cast<std::size_t>(lidos))));
            break;
        }
    }
    return status;
}

} // namespace vendrilo
