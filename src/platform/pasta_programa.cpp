#include "platform/pasta_programa.h"

#include "platform/processo.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vendrilo {

namespace {

std::string semBarraFinal(std::string s)
{
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

// Existe algo no caminho (arquivo, pasta ou link, mesmo quebrado).
bool existeAlgo(const fs::path& p)
{
    std::error_code ec;
    return fs::symlink_status(p, ec).type() != fs::file_type::not_found && !ec;
}

// Copia um arquivo que ainda não existe no destino. A cópia vai para um
// nome provisório e só então ganha o nome final, sem substituir: outra
// instância que prepare a pasta ao mesmo tempo não vê arquivo pela metade.
bool copiaSeFalta(const fs::path& origem, const fs::path& destino, const std::string& relativo,
                  ResultadoPreparo& r)
{
    std::error_code ec;
    if (existeAlgo(destino) || !fs::is_regular_file(origem, ec))
        return true;
    fs::create_directories(destino.parent_path(), ec);
    fs::path provisorio = destino;
    provisorio += ".copiando." + std::to_string(getpid());
    fs::copy_file(origem, provisorio, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        fs::remove(provisorio, ec);
        r.erro = "Não foi possível copiar " + relativo + " para a pasta do programa.";
        return false;
    }
    // link() falha se o destino já existe: nunca substitui.
    if (::link(provisorio.c_str(), destino.c_str()) == 0) {
        r.criados.push_back(relativo);
    } else if (errno != EEXIST && !existeAlgo(destino)) {
        // Sistema de arquivos sem links físicos: renomeia.
        fs::rename(provisorio, destino, ec);
        if (!ec)
            r.criados.push_back(relativo);
    }
    fs::remove(provisorio, ec);
    return true;
}

bool copiaPastaSeFalta(const fs::path& origem, const fs::path& destino, const std::string& nome,
                       ResultadoPreparo& r)
{
    std::error_code ec;
    if (!fs::is_directory(origem, ec))
        return true;
    for (auto it = fs::recursive_directory_iterator(origem, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        // Relativo só pelo texto: fs::relative resolveria cada parte do
        // caminho no disco, dezenas de chamadas por arquivo a cada compilação.
        const fs::path rel = it->path().lexically_relative(origem);
        if (!copiaSeFalta(it->path(), destino / rel, nome + "/" + rel.string(), r))
            return false;
    }
    return true;
}

// Marca da instalação das unidades: tamanho e data de cada uma. Vazia
// quando alguma falta na instalação.
std::string marcaInstalacao(const std::vector<fs::path>& fontes)
{
    std::string marca;
    for (const fs::path& f : fontes) {
        struct stat st {};
        if (::stat(f.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            return {};
        marca += std::to_string(st.st_size) + " " + std::to_string(st.st_mtim.tv_sec) + "." +
                 std::to_string(st.st_mtim.tv_nsec) + "\n";
    }
    return marca;
}

std::string leArquivoPequeno(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

bool mesmoConteudo(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    return fs::file_size(a, ec) == fs::file_size(b, ec) && !ec && leArquivoPequeno(a) == leArquivoPequeno(b);
}

// Grava por nome provisório e renomeia: quem compila ao mesmo tempo vê a
// unidade velha ou a nova, nunca a metade.
bool substitui(const fs::path& origem, const fs::path& destino)
{
    std::error_code ec;
    fs::path provisorio = destino;
    provisorio += ".copiando." + std::to_string(getpid());
    fs::copy_file(origem, provisorio, fs::copy_options::overwrite_existing, ec);
    if (!ec)
        fs::rename(provisorio, destino, ec);
    if (ec)
        fs::remove(provisorio, ec);
    return !ec;
}

// As unidades compiladas (AUTORIA) não são do aluno: acompanham a
// instalação. Uma pasta preenchida por uma versão anterior ficaria com a
// unidade velha para sempre, e os erros de execução citariam a linha do
// Pascal. A marca guarda de qual instalação vieram; a unidade refeita pela
// verificação da instalação (mesma marca) não é desfeita.
bool preparaUnidades(const fs::path& origem, const fs::path& destino, ResultadoPreparo& r)
{
    std::error_code ec;
    std::vector<fs::path> fontes;
    const char* itens[] = {NomeUnidadeApoio, NomeObjetoApoio};
    // Dependem da arquitetura: instaladas ficam em lib, não com os dados; na
    // árvore de build estão junto dos dados.
    for (const char* item : itens) {
        fs::path de = origem / item;
        if (!fs::is_regular_file(de, ec))
            de = fs::path(PastaAuxiliares()) / item;
        fontes.push_back(de);
    }
    const std::string marca = marcaInstalacao(fontes);
    if (marca.empty()) {
        for (size_t i = 0; i < fontes.size(); ++i)
            if (!copiaSeFalta(fontes[i], destino / itens[i], itens[i], r))
                return false;
        return true;
    }
    const fs::path arquivoMarca = destino / NomeMarcaUnidades;
    bool presentes = true;
    for (const char* item : itens)
        presentes = presentes && fs::is_regular_file(destino / item, ec);
    if (presentes && leArquivoPequeno(arquivoMarca) == marca)
        return true;
    bool iguais = presentes;
    for (size_t i = 0; iguais && i < fontes.size(); ++i)
        iguais = mesmoConteudo(fontes[i], destino / itens[i]);
    if (!iguais) {
        for (size_t i = 0; i < fontes.size(); ++i) {
            const bool existia = existeAlgo(destino / itens[i]);
            if (!substitui(fontes[i], destino / itens[i])) {
                r.erro = std::string("Não foi possível copiar ") + itens[i] + " para a pasta do programa.";
                return false;
            }
            (existia ? r.atualizados : r.criados).push_back(itens[i]);
        }
    }
    // Com a marca, as próximas compilações não comparam byte a byte; se ela
    // não puder ser gravada, a próxima só compara de novo.
    const fs::path provisorio = fs::path(arquivoMarca) += ".gravando." + std::to_string(getpid());
    {
        std::ofstream f(provisorio, std::ios::binary | std::ios::trunc);
        f << marca;
    }
    fs::rename(provisorio, arquivoMarca, ec);
    if (ec)
        fs::remove(provisorio, ec);
    return true;
}

} // namespace

std::string PastaPrograma()
{
    if (const char* v = std::getenv("VENDRILO_PASTA"); v && *v)
        return semBarraFinal(v);
    std::string home;
    if (const char* h = std::getenv("HOME"); h && *h)
        home = h;
    else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        home = pw->pw_dir;
    else
        home = "/tmp";
    return semBarraFinal(home) + "/vendrilo";
}

std::string NaPastaPrograma(const std::string& nome)
{
    return PastaPrograma() + "/" + nome;
}

std::string PastaDados()
{
    if (const char* v = std::getenv("VENDRILO_DADOS"); v && *v)
        return semBarraFinal(v);
    return PastaDoExecutavel() + "/../share/vendrilo";
}

std::string PastaAuxiliares()
{
    const std::string executavel = PastaDoExecutavel();
    const std::string instalada = executavel + "/../lib/vendrilo";
    std::error_code ec;
    return fs::is_directory(instalada, ec) ? instalada : executavel;
}

std::string CompiladorInstalado()
{
    return PastaAuxiliares() + "/" + NomeCompilador;
}

ResultadoPreparo PreparaPastaPrograma(const std::string& pasta, const std::string& dados,
                                      const std::string& compilador)
{
    ResultadoPreparo r;
    std::error_code ec;
    const fs::path destino(pasta);
    fs::create_directories(destino, ec);
    if (!fs::is_directory(destino, ec)) {
        r.erro = "Não foi possível criar a pasta do programa " + pasta + ".";
        return r;
    }

    // O tpc entra como link para o adaptador compilado; um link quebrado
    // (build apagado, programa reinstalado) é refeito.
    const fs::path tpc = destino / NomeCompilador;
    if (fs::is_symlink(tpc, ec) && !fs::exists(tpc, ec))
        fs::remove(tpc, ec);
    if (!existeAlgo(tpc) && fs::exists(compilador, ec)) {
        fs::create_symlink(fs::absolute(compilador, ec), tpc, ec);
        if (!ec)
            r.criados.push_back(NomeCompilador);
    }

    const fs::path origem(dados);
    for (const char* item : {NomePifPadrao, "versao.txt", "Update/versao.ini"})
        if (!copiaSeFalta(origem / item, destino / item, item, r))
            return r;
    if (!preparaUnidades(origem, destino, r))
        return r;
    for (const char* sub : {"exp", "hlp"})
        if (!copiaPastaSeFalta(origem / sub, destino / sub, sub, r))
            return r;
    r.ok = true;
    return r;
}

ResultadoPreparo PreparaPastaPrograma()
{
    return PreparaPastaPrograma(PastaPrograma(), PastaDados(), CompiladorInstalado());
}

TravaPastaPrograma::TravaPastaPrograma(const std::string& pasta)
{
    fd_ = ::open((pasta + "/.compilando").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ >= 0)
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
}

TravaPastaPrograma::~TravaPastaPrograma()
{
    if (fd_ >= 0)
        ::close(fd_); // fechar solta a trava
}

} // namespace vendrilo
