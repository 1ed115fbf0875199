#include "formato/gravacao_segura.h"

#include <cerrno>
#include <cstdio>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vendrilo {

namespace {

bool escreveTudo(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Sem isto, uma queda de energia logo após o rename pode desfazê-lo.
void sincronizaPasta(const fs::path& pasta)
{
    const int fd = ::open(pasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd); // alguns sistemas de arquivos recusam; o arquivo já está no lugar
    ::close(fd);
}

} // namespace

std::string DescreveErroSistema(int e)
{
    switch (e) {
    case EACCES:
    case EPERM: return "permissão negada";
    case ENOSPC: return "o disco está cheio";
    case EDQUOT: return "a cota de disco acabou";
    case EROFS: return "o disco é somente leitura";
    case ENOENT: return "a pasta ou o arquivo não existe";
    case ENOTDIR: return "uma parte do caminho não é uma pasta";
    case EISDIR: return "o caminho é uma pasta";
    case ENAMETOOLONG: return "o nome é longo demais";
    case EIO: return "erro de entrada e saída no disco";
    default: return "erro do sistema número " + std::to_string(e);
    }
}

bool GravaArquivoSeguro(const fs::path& caminho, std::string_view bytes, std::string& erro,
                        const OpcoesGravacao& opcoes)
{
    std::error_code ec;
    fs::path destino = caminho;
    if (fs::is_symlink(destino, ec)) {
        const fs::path alvo = fs::canonical(destino, ec);
        if (!ec)
            destino = alvo;
    }
    const fs::path pasta = destino.has_parent_path() ? destino.parent_path() : fs::path(".");

    // O temporário nasce com as permissões finais: as do arquivo que será
    // substituído, ou as pedidas para um arquivo novo.
    mode_t modo = opcoes.modoNovo & 07777;
    bool existia = false;
    struct stat st {};
    if (::stat(destino.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        modo = st.st_mode & 07777;
        existia = true;
    }

    std::random_device aleatorio;
    fs::path temporario;
    int fd = -1;
    for (int tentativa = 0; tentativa < 50 && fd < 0; ++tentativa) {
        char sufixo[16];
        const int n = std::snprintf(sufixo, sizeof sufixo, "%08x", static_cast<unsigned>(aleatorio()));
        if (n <= 0)
            break;
        temporario = pasta / ("." + destino.filename().string() + ".tmp" + std::string(sufixo, static_cast<std::size_t>(n)));
        fd = ::open(temporario.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, modo);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        erro = "Não foi possível salvar " + caminho.string() + ": " + DescreveErroSistema(errno) + ".";
        return false;
    }
    if (opcoes.aoCriarTemporario)
        opcoes.aoCriarTemporario(temporario);

    // A umask pode ter tirado bits das permissões do arquivo antigo; devolvê-los
    // nunca alarga além do que o arquivo já tinha.
    if (existia)
        (void)::fchmod(fd, modo);
    int falha = 0;
    if (!escreveTudo(fd, bytes) || ::fsync(fd) != 0)
        falha = errno;
    if (::close(fd) != 0 && falha == 0)
        falha = errno;
    if (falha == 0 && ::rename(temporario.c_str(), destino.c_str()) != 0)
        falha = errno;
    if (falha != 0) {
        ::unlink(temporario.c_str());
        erro = "Não foi possível salvar " + caminho.string() + ": " + DescreveErroSistema(falha) + "."
               + (existia ? " O arquivo anterior não foi alterado." : "");
        return false;
    }
    sincronizaPasta(pasta);
    return true;
}

} // namespace vendrilo
