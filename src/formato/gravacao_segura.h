#pragma once
// Gravação de arquivos do usuário e de configuração sem nunca deixá-los pela
// metade: um temporário exclusivo na mesma pasta, já com as permissões
// finais, sincronizado no disco antes de tomar o lugar do arquivo.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace vendrilo {

struct OpcoesGravacao {
    // Permissões de um arquivo que ainda não existe (a umask ainda vale);
    // um arquivo existente mantém as suas. 0600 para um arquivo privado.
    mode_t modoNovo = 0666;
    // Chamado logo após a criação do temporário, antes de escrever nele
    // (os testes olham ali o modo com que o arquivo nasceu).
    std::function<void(const std::filesystem::path& temporario)> aoCriarTemporario;
};

// Grava `bytes` em `caminho`. Um atalho simbólico continua atalho: grava-se
// no arquivo para onde ele aponta. Falso com `erro` em português; o arquivo
// antigo fica então intacto e nenhum temporário sobra.
bool GravaArquivoSeguro(const std::filesystem::path& caminho, std::string_view bytes,
                        std::string& erro, const OpcoesGravacao& opcoes = {});

// A causa de um errno, em português ("o disco está cheio"...).
std::string DescreveErroSistema(int numero);

} // namespace vendrilo
