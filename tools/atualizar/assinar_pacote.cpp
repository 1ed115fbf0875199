// assinar_pacote: assina uma versão para o atualizador, na máquina de quem
// publica. A chave privada fica fora do repositório.
//
//   assinar_pacote --gera-chave PRIVADA.pem   cria o par; mostra a pública
//   assinar_pacote PRIVADA.pem Vendrilo.zip   grava Vendrilo.zip.sig
//
// A chave pública (64 dígitos hex) vai em -DVENDRILO_CHAVE_ATUALIZACAO=...

#include "instalador.h"

#include <openssl/evp.h>
#include <openssl/pem.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using vendrilo::atualizador::ChavePublica;

namespace {

using Chave = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;

int falha(const std::string& msg)
{
    std::cerr << "assinar_pacote: " << msg << '\n';
    return 1;
}

std::string hex(const ChavePublica& c)
{
    static const char* d = "0123456789abcdef";
    std::string s;
    for (unsigned char b : c)
        s += {d[b >> 4], d[b & 15]};
    return s;
}

bool publica(EVP_PKEY* k, ChavePublica& c)
{
    size_t n = c.size();
    return EVP_PKEY_get_raw_public_key(k, c.data(), &n) == 1 && n == c.size();
}

int geraChave(const fs::path& destino)
{
    Chave k(EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519"), EVP_PKEY_free);
    ChavePublica c;
    if (!k || !publica(k.get(), c))
        return falha("não foi possível gerar a chave.");
    // Nunca sobrescreve uma chave existente; só o dono lê.
    const int fd = open(destino.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return falha("não foi possível criar " + destino.string() + " (já existe?).");
    FILE* f = fdopen(fd, "w");
    const bool ok = f && PEM_write_PrivateKey(f, k.get(), nullptr, nullptr, 0, nullptr, nullptr) == 1;
    if (!f || std::fclose(f) != 0 || !ok) {
        fs::remove(destino);
        return falha("não foi possível gravar " + destino.string() + ".");
    }
    std::cout << hex(c) << '\n';
    return 0;
}

int assina(const fs::path& privada, const fs::path& pacote)
{
    FILE* f = std::fopen(privada.c_str(), "r");
    if (!f)
        return falha("não foi possível ler a chave " + privada.string() + ".");
    Chave k(PEM_read_PrivateKey(f, nullptr, nullptr, nullptr), EVP_PKEY_free);
    std::fclose(f);
    ChavePublica c;
    if (!k || EVP_PKEY_get_base_id(k.get()) != EVP_PKEY_ED25519 || !publica(k.get(), c))
        return falha(privada.string() + " não é uma chave privada Ed25519.");
    std::ifstream in(pacote, std::ios::binary);
    if (!in || !fs::is_regular_file(pacote))
        return falha("não foi possível ler " + pacote.string() + ".");
    const std::vector<unsigned char> dados((std::istreambuf_iterator<char>(in)), {});
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    unsigned char sig[64];
    size_t tam = sizeof sig;
    if (!ctx || EVP_DigestSignInit(ctx.get(), nullptr, nullptr, nullptr, k.get()) != 1 ||
        EVP_DigestSign(ctx.get(), sig, &tam, dados.data(), dados.size()) != 1 || tam != sizeof sig)
        return falha("não foi possível assinar " + pacote.string() + ".");
    const fs::path destino = pacote.string() + ".sig";
    std::ofstream(destino, std::ios::binary | std::ios::trunc).write(reinterpret_cast<char*>(sig), 64);
    // Confere como o atualizador fará, antes de publicar.
    const std::string motivo = vendrilo::atualizador::ConfereAssinatura(pacote, destino, c);
    if (!motivo.empty())
        return falha(motivo);
    std::cout << destino.string() << " (chave " << hex(c) << ")\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> a(argv + 1, argv + argc);
    if (a.size() == 2 && a[0] == "--gera-chave")
        return geraChave(a[1]);
    if (a.size() == 2 && a[0].rfind("-", 0) != 0)
        return assina(a[0], a[1]);
    std::cerr << "uso: assinar_pacote --gera-chave PRIVADA.pem\n"
                 "     assinar_pacote PRIVADA.pem PACOTE.zip\n";
    return 2;
}
