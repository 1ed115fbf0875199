#pragma once
// O trabalho do atualizador externo: desempacota Update/Vendrilo.zip na
// pasta do programa e regrava Update/versao.ini, tudo ou nada.

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

struct Resultado {
    bool ok = false;
    std::string mensagem; // em português, para o usuário
};

// Instala o pacote baixado. Se update.ini publica SHA256 (seção "Versao"),
// o pacote precisa conferir. Qualquer falha deixa os arquivos antigos como
// estavam; no sucesso o pacote baixado é apagado.
Resultado InstalaAtualizacao(const std::filesystem::path& pastaPrograma);

} // namespace vendrilo::atualizador
