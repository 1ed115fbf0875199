#pragma once
// O trabalho do atualizador externo: desempacota Update/Vendrilo.zip na
// pasta do programa e regrava Update/versao.ini, tudo ou nada.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vendrilo::atualizador {

// Caminho relativo onde a entrada do pacote pode ser gravada, ou nada
// quando ela sairia da pasta (caminho absoluto, letra de unidade, "..").
// Aceita "\" como separador, como gravam os compactadores do Windows.
std::optional<std::filesystem::path> CaminhoSeguro(std::string_view nomeEntrada);

// SHA-256 do arquivo em hexadecimal minúsculo; vazio quando não pôde ser lido.
std::string Sha256Arquivo(const std::filesystem::path& arquivo);

// Chave pública Ed25519 (32 bytes) que assina os pacotes publicados.
using ChavePublica = std::array<unsigned char, 32>;

// A chave de quem publica as versões, fixada na compilação do atualizador.
const ChavePublica& ChaveDeLancamento();

// Lê 64 dígitos hexadecimais; nada quando o texto não é uma chave.
std::optional<ChavePublica> ChaveDeHex(std::string_view hex);

// Vazio quando `assinatura` (Ed25519, 64 bytes) confere com os bytes de
// `arquivo` e `chave`; senão o motivo, em português.
std::string ConfereAssinatura(const std::filesystem::path& arquivo,
                              const std::filesystem::path& assinatura, const ChavePublica& chave);

// O que um pacote pode ocupar ao ser aberto, conferido pelo diretório do
// zip antes de gravar qualquer byte.
struct Limites {
    std::uint64_t entradas = 20000;
    std::uint64_t total = 512ull << 20;  // soma dos tamanhos declarados
    std::uint64_t razao = 100;           // total / compactado, acima de `razaoDesde`
    std::uint64_t razaoDesde = 8ull << 20;
};

struct Resultado {
    bool ok = false;
    std::string mensagem; // em português, para o usuário
};

// Instala o pacote baixado. Update/Vendrilo.zip.sig precisa conferir com
// `chave`; se update.ini publica SHA256 (seção "Versao"), o pacote também.
// Qualquer falha deixa os arquivos antigos como estavam, sem pastas novas;
// no sucesso o pacote baixado e a assinatura são apagados.
Resultado InstalaAtualizacao(const std::filesystem::path& pastaPrograma, const ChavePublica& chave,
                             const Limites& limites = {});

} // namespace vendrilo::atualizador
