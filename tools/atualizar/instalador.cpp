#include "instalador.h"

#include "formato/arquivo_ini.h"

#include <openssl/evp.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <zip.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <set>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace vendrilo::atualizador {

namespace {

std::string minusculas(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

std::string apara(const std::string& s)
{
    const size_t i = s.find_first_not_of(" \t\r\n");
    if (i == std::string::npos)
        return {};
    return s.substr(i, s.find_last_not_of(" \t\r\n") - i + 1);
}

struct Entrada {
    zip_uint64_t indice;
    fs::path relativo;
    bool executavel; // algum bit de execução nas permissões Unix do pacote
    zip_uint64_t tamanho; // declarado no diretório do zip
};

// Um pacote assinado cabe na memória: a verificação Ed25519 é de uma vez só.
constexpr std::uintmax_t kMaximoPacote = 256u << 20;

// Pastas de trabalho do próprio atualizador, dentro de Update/.
constexpr const char* kPastaNova = ".atualizacao-nova";
constexpr const char* kPastaAntiga = ".atualizacao-antiga";

struct FechaZip {
    void operator()(zip_t* z) const { zip_discard(z); }
};

// Extrai a entrada para `destino`, conferindo tamanho e CRC.
bool extrai(zip_t* za, const Entrada& e, const fs::path& destino, std::string& erro)
{
    zip_file_t* zf = zip_fopen_index(za, e.indice, 0);
    if (!zf) {
        erro = "não foi possível abrir no pacote: " + e.relativo.string();
        return false;
    }
    std::ofstream out(destino, std::ios::binary | std::ios::trunc);
    char buf[64 * 1024];
    zip_uint64_t total = 0;
    bool ok = bool(out);
    while (ok) {
        const zip_int64_t n = zip_fread(zf, buf, sizeof buf);
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        // Nunca além do tamanho declarado: um pacote que mente não enche o disco.
        if (zip_uint64_t(n) > e.tamanho - total) {
            ok = false;
            break;
        }
        out.write(buf, std::streamsize(n));
        total += zip_uint64_t(n);
        ok = bool(out);
    }
    ok = (zip_fclose(zf) == 0) && ok;
    out.close();
    if (!ok || !out || total != e.tamanho) {
        erro = "falha ao extrair " + e.relativo.string() + " (pacote danificado ou disco cheio)";
        return false;
    }
    // Programas do pacote (tpc, o próprio atualizador) continuam executáveis;
    // nenhum outro bit (setuid, escrita para todos) passa do pacote à pasta.
    std::error_code ec;
    fs::permissions(destino, fs::perms(e.executavel ? 0755 : 0644), ec);
    if (ec) {
        erro = "não foi possível ajustar as permissões de " + e.relativo.string();
        return false;
    }
    return true;
}

std::string emHex(const unsigned char* p, size_t n)
{
    static const char* hex = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        s += hex[p[i] >> 4];
        s += hex[p[i] & 15];
    }
    return s;
}

bool leInteiro(const fs::path& p, std::uintmax_t maximo, std::vector<unsigned char>& dados)
{
    std::error_code ec;
    if (!fs::is_regular_file(p, ec))
        return false;
    const std::uintmax_t tam = fs::file_size(p, ec);
    if (ec || tam > maximo)
        return false;
    dados.resize(tam);
    std::ifstream in(p, std::ios::binary);
    return in && in.read(reinterpret_cast<char*>(dados.data()), std::streamsize(tam)) &&
           in.peek() == std::char_traits<char>::eof();
}

// Pastas que faltam até `pasta`, da mais alta à mais funda.
std::vector<fs::path> pastasQueFaltam(fs::path pasta)
{
    std::vector<fs::path> faltam;
    std::error_code ec;
    while (!pasta.empty() && !fs::exists(fs::symlink_status(pasta, ec))) {
        faltam.push_back(pasta);
        if (pasta == pasta.parent_path())
            break;
        pasta = pasta.parent_path();
    }
    std::reverse(faltam.begin(), faltam.end());
    return faltam;
}

} // namespace

const ChavePublica& ChaveDeLancamento()
{
    static const ChavePublica chave = *ChaveDeHex(VENDRILO_CHAVE_ATUALIZACAO);
    return chave;
}

std::optional<ChavePublica> ChaveDeHex(std::string_view hex)
{
    if (hex.size() != 64)
        return std::nullopt;
    ChavePublica c{};
    for (size_t i = 0; i < 64; ++i) {
        const char ch = char(std::tolower(static_cast<unsigned char>(hex[i])));
        const int v = ch >= '0' && ch <= '9' ? ch - '0' : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10 : -1;
        if (v < 0)
            return std::nullopt;
        c[i / 2] = static_cast<unsigned char>(c[i / 2] << 4 | v);
    }
    return c;
}

std::string ConfereAssinatura(const fs::path& arquivo, const fs::path& assinatura,
                              const ChavePublica& chave)
{
    std::vector<unsigned char> sig, dados;
    std::error_code ec;
    if (!fs::exists(assinatura, ec))
        return "O pacote baixado não traz assinatura (" + assinatura.filename().string() + ").";
    if (!leInteiro(assinatura, 64, sig) || sig.size() != 64)
        return "A assinatura do pacote baixado está danificada.";
    if (!leInteiro(arquivo, kMaximoPacote, dados))
        return "O pacote baixado não pôde ser lido ou é grande demais.";
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> k(
        EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr, chave.data(), chave.size()),
        EVP_PKEY_free);
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (!k || !ctx || EVP_DigestVerifyInit(ctx.get(), nullptr, nullptr, nullptr, k.get()) != 1)
        return "Não foi possível conferir a assinatura do pacote.";
    if (EVP_DigestVerify(ctx.get(), sig.data(), sig.size(), dados.data(), dados.size()) != 1)
        return "A assinatura do pacote baixado não confere: ele não foi publicado pelo Vendrilo.";
    return {};
}

std::optional<fs::path> CaminhoSeguro(std::string_view nomeEntrada)
{
    std::string nome(nomeEntrada);
    std::replace(nome.begin(), nome.end(), '\\', '/');
    if (nome.empty() || nome.front() == '/')
        return std::nullopt;
    if (nome.size() >= 2 && nome[1] == ':' && std::isalpha(static_cast<unsigned char>(nome[0])))
        return std::nullopt;
    fs::path rel;
    size_t inicio = 0;
    while (inicio <= nome.size()) {
        size_t fim = nome.find('/', inicio);
        if (fim == std::string::npos)
            fim = nome.size();
        const std::string parte = nome.substr(inicio, fim - inicio);
        if (parte == "..")
            return std::nullopt;
        if (!parte.empty() && parte != ".")
            rel /= parte;
        inicio = fim + 1;
    }
    return rel;
}

std::string Sha256Arquivo(const fs::path& arquivo)
{
    std::ifstream in(arquivo, std::ios::binary);
    if (!in)
        return {};
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr) != 1)
        return {};
    char buf[64 * 1024];
    while (in) {
        in.read(buf, sizeof buf);
        if (in.gcount() > 0)
            EVP_DigestUpdate(ctx.get(), buf, size_t(in.gcount()));
    }
    if (in.bad())
        return {};
    unsigned char md[EVP_MAX_MD_SIZE];
    unsigned int tam = 0;
    EVP_DigestFinal_ex(ctx.get(), md, &tam);
    return emHex(md, tam);
}

Resultado InstalaAtualizacao(const fs::path& pasta, const ChavePublica& chave, const Limites& limites)
{
    std::error_code ec;
    if (!fs::is_directory(pasta, ec))
        return {false, "Pasta do programa não encontrada: " + pasta.string()};
    const fs::path update = pasta / "Update";
    const fs::path pacote = update / "Vendrilo.zip";
    const fs::path assinatura = update / "Vendrilo.zip.sig";
    const fs::path updateIni = update / "update.ini";
    if (!fs::is_regular_file(pacote, ec))
        return {false, "Pacote de atualização não encontrado: " + pacote.string()};

    // Quem responde ao download pode trocar pacote e SHA-256 juntos; só a
    // assinatura prova a origem.
    if (const std::string motivo = ConfereAssinatura(pacote, assinatura, chave); !motivo.empty())
        return {false, motivo + " Nada foi alterado."};

    const std::string esperado = minusculas(apara(LeValorIni(updateIni, "Versao", "SHA256")));
    if (!esperado.empty() && Sha256Arquivo(pacote) != esperado)
        return {false, "O pacote baixado não confere com o SHA-256 publicado. "
                       "Nada foi alterado; tente atualizar novamente."};

    int codigo = 0;
    std::unique_ptr<zip_t, FechaZip> za(zip_open(pacote.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &codigo));
    if (!za)
        return {false, "O pacote baixado não é um arquivo zip válido. Nada foi alterado."};

    // Tudo é conferido antes de qualquer gravação.
    std::vector<Entrada> arquivos;
    const zip_int64_t n = zip_get_num_entries(za.get(), 0);
    if (n < 0 || zip_uint64_t(n) > limites.entradas)
        return {false, "O pacote tem entradas demais (" + std::to_string(n) + "). Nada foi alterado."};
    std::set<std::string> nomes;  // caminhos já normalizados
    std::set<std::string> pastas; // prefixos dos arquivos
    zip_uint64_t total = 0, compactado = 0;
    for (zip_int64_t i = 0; i < n; ++i) {
        const char* nome = zip_get_name(za.get(), zip_uint64_t(i), ZIP_FL_ENC_RAW);
        if (!nome)
            return {false, "O pacote tem uma entrada ilegível. Nada foi alterado."};
        const auto rel = CaminhoSeguro(nome);
        if (!rel)
            return {false, std::string("O pacote tenta gravar fora da pasta do programa (") + nome +
                               "). Nada foi alterado."};
        zip_uint8_t so = 0;
        zip_uint32_t atributos = 0;
        zip_file_get_external_attributes(za.get(), zip_uint64_t(i), 0, &so, &atributos);
        if (so == ZIP_OPSYS_UNIX && S_ISLNK(atributos >> 16))
            return {false, std::string("O pacote traz um atalho simbólico (") + nome +
                               "), que não é aceito. Nada foi alterado."};
        const std::string_view v(nome);
        const bool ehPasta = !v.empty() && (v.back() == '/' || v.back() == '\\');
        if (ehPasta || rel->empty())
            continue;
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(za.get(), zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) ||
            !(st.valid & ZIP_STAT_COMP_SIZE))
            return {false, std::string("O pacote tem uma entrada ilegível (") + nome + "). Nada foi alterado."};
        // "tpc" e "./tpc", "a\\b" e "a/b": o mesmo arquivo duas vezes faria a
        // segunda troca passar por cima da cópia de segurança da primeira.
        const std::string chaveNome = rel->generic_string();
        bool conflito = !nomes.insert(chaveNome).second || pastas.count(chaveNome);
        for (fs::path p = rel->parent_path(); !conflito && !p.empty(); p = p.parent_path()) {
            conflito = nomes.count(p.generic_string()) > 0;
            pastas.insert(p.generic_string());
        }
        if (conflito)
            return {false, "O pacote traz duas vezes o caminho " + chaveNome + ". Nada foi alterado."};
        total += st.size;
        compactado += st.comp_size;
        if (total > limites.total)
            return {false, "O pacote ocuparia mais de " + std::to_string(limites.total >> 20) +
                               " MB ao ser aberto. Nada foi alterado."};
        const bool executavel = so == ZIP_OPSYS_UNIX && ((atributos >> 16) & 0111) != 0;
        arquivos.push_back({zip_uint64_t(i), *rel, executavel, st.size});
    }
    if (total > limites.razaoDesde && total / std::max<zip_uint64_t>(compactado, 1) > limites.razao)
        return {false, "O pacote tem uma taxa de compressão impossível para uma atualização "
                       "(" + std::to_string(total >> 20) + " MB em " + std::to_string(compactado >> 10) +
                           " KB). Nada foi alterado."};
    struct statvfs disco;
    if (statvfs(update.c_str(), &disco) == 0 &&
        total > std::uint64_t(disco.f_bavail) * disco.f_frsize / 2)
        return {false, "Não há espaço livre no disco para abrir o pacote (" + std::to_string(total >> 20) +
                           " MB). Nada foi alterado."};

    const fs::path nova = update / kPastaNova;
    const fs::path antiga = update / kPastaAntiga;
    fs::remove_all(nova, ec);
    fs::remove_all(antiga, ec);
    const auto limpa = [&] {
        std::error_code e2;
        fs::remove_all(nova, e2);
        fs::remove_all(antiga, e2);
    };

    // 1. Extrai tudo numa pasta ao lado; o que já está instalado não é tocado.
    std::string erro;
    for (const Entrada& e : arquivos) {
        const fs::path destino = nova / e.relativo;
        fs::create_directories(destino.parent_path(), ec);
        if (ec || !extrai(za.get(), e, destino, erro)) {
            limpa();
            return {false, (erro.empty() ? "não foi possível criar " + destino.parent_path().string()
                                         : erro) +
                               ". Nada foi alterado."};
        }
    }
    za.reset();

    // 2. Troca arquivo por arquivo, guardando os antigos para desfazer.
    struct Troca {
        fs::path relativo;
        bool tinhaAntigo;
    };
    std::vector<Troca> feitas;
    std::vector<fs::path> pastasCriadas;
    const auto desfaz = [&] {
        for (auto it = feitas.rbegin(); it != feitas.rend(); ++it) {
            std::error_code e2;
            fs::remove(pasta / it->relativo, e2);
            if (it->tinhaAntigo)
                fs::rename(antiga / it->relativo, pasta / it->relativo, e2);
        }
        // Só as pastas que esta instalação criou, e só se ficaram vazias.
        for (auto it = pastasCriadas.rbegin(); it != pastasCriadas.rend(); ++it) {
            std::error_code e2;
            fs::remove(*it, e2);
        }
        limpa();
    };
    for (const Entrada& e : arquivos) {
        const fs::path destino = pasta / e.relativo;
        if (fs::is_directory(fs::symlink_status(destino, ec))) {
            desfaz();
            return {false, "Já existe uma pasta onde o pacote traz o arquivo " + e.relativo.string() +
                               ". Nada foi alterado."};
        }
        for (auto& p : pastasQueFaltam(destino.parent_path()))
            pastasCriadas.push_back(std::move(p));
        fs::create_directories(destino.parent_path(), ec);
        const bool tinha = fs::exists(fs::symlink_status(destino, ec));
        if (tinha) {
            fs::create_directories((antiga / e.relativo).parent_path(), ec);
            fs::rename(destino, antiga / e.relativo, ec);
            if (ec) {
                desfaz();
                return {false, "Não foi possível substituir " + destino.string() + ": " +
                                   ec.message() + ". Nada foi alterado."};
            }
        }
        fs::rename(nova / e.relativo, destino, ec);
        if (ec) {
            std::error_code e2;
            if (tinha)
                fs::rename(antiga / e.relativo, destino, e2);
            desfaz();
            return {false, "Não foi possível gravar " + destino.string() + ": " + ec.message() +
                               ". Nada foi alterado."};
        }
        feitas.push_back({e.relativo, tinha});
    }

    // 3. A versão instalada passa a ser a publicada.
    const std::string publicada = LeValorIni(updateIni, "Versao", "Vendrilo");
    if (!publicada.empty() &&
        !GravaValorIni(update / "versao.ini", "Versao", "Vendrilo", publicada, &erro)) {
        desfaz();
        return {false, "Não foi possível regravar versao.ini (" + erro + "). Nada foi alterado."};
    }
    limpa();
    fs::remove(pacote, ec);
    fs::remove(assinatura, ec);
    return {true, publicada.empty() ? std::string("Vendrilo atualizado.")
                                    : "Vendrilo atualizado para a versão " + publicada + "."};
}

} // namespace vendrilo::atualizador
