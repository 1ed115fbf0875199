// O atualizador com um pacote qualquer, assinado por uma chave da própria
// harness para que a conferência do zip e a instalação sejam exercitadas.

#include "apoio_fuzz.h"
#include "instalador.h"

#include <openssl/evp.h>

#include <memory>

namespace fs = std::filesystem;

namespace {

EVP_PKEY* chave()
{
    static EVP_PKEY* k = EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519");
    return k;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    const fs::path pasta = vendrilo::fuzz::PastaTemporaria() / "programa";
    std::error_code ec;
    fs::remove_all(pasta, ec);
    fs::create_directories(pasta / "Update");
    std::ofstream(pasta / "Update/update.ini") << "[Versao]\r\nVendrilo=9.9\r\n";
    std::ofstream(pasta / "Update/Vendrilo.zip", std::ios::binary)
        .write(reinterpret_cast<const char*>(dados), static_cast<std::streamsize>(tamanho));
    unsigned char sig[64];
    size_t n = sizeof sig;
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    FUZZ_CONFERE(EVP_DigestSignInit(ctx.get(), nullptr, nullptr, nullptr, chave()) == 1);
    FUZZ_CONFERE(EVP_DigestSign(ctx.get(), sig, &n, dados, tamanho) == 1);
    std::ofstream(pasta / "Update/Vendrilo.zip.sig", std::ios::binary).write(reinterpret_cast<char*>(sig), 64);
    vendrilo::atualizador::ChavePublica publica{};
    size_t np = publica.size();
    EVP_PKEY_get_raw_public_key(chave(), publica.data(), &np);

    const auto r = vendrilo::atualizador::InstalaAtualizacao(pasta, publica);
    FUZZ_CONFERE(!r.mensagem.empty());
    // Nada fora da pasta do programa, e nenhuma pasta de trabalho esquecida.
    for (const auto& e : fs::directory_iterator(vendrilo::fuzz::PastaTemporaria()))
        FUZZ_CONFERE(e.path().filename() == "programa");
    FUZZ_CONFERE(!fs::exists(pasta / "Update/.atualizacao-nova"));
    FUZZ_CONFERE(!fs::exists(pasta / "Update/.atualizacao-antiga"));
    if (!r.ok)
        FUZZ_CONFERE(fs::exists(pasta / "Update/Vendrilo.zip"));
    return 0;
}
