#include "translate/execucao.h"

#include "platform/console.h"
#include "platform/ponte_terminal.h"
#include "platform/processo.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace vendrilo {

std::string NomeExeDe(const std::string& NomeArquivo)
{
    if (NomeArquivo.size() < 3)
        return NomeArquivo + "exe";
    return NomeArquivo.substr(0, NomeArquivo.size() - 3) + "exe";
}

ResultadoExecucao ExecutaAlgoritmo(const std::string& NomeArquivo)
{
    ResultadoExecucao r;
    const std::string NomeExe = NomeExeDe(NomeArquivo);
    std::error_code ec;
    if (!fs::is_regular_file(NomeExe, ec)) {
        r.mensagem = "O algoritmo ainda não foi traduzido. Faça a tradução para rodar.";
        return r;
    }
    // O programa em si não é vigiado; só a falta do terminal é relatada,
    // porque sem ela o comando pareceria não fazer nada.
    r.iniciado = AbreConsole(NomeExe);
    if (!r.iniciado)
        r.mensagem = "Não foi possível abrir a janela do console para rodar o programa.";
    return r;
}

int ExecutaNoTerminal(const std::string& NomeExe)
{
    std::error_code ec;
    if (!fs::is_regular_file(NomeExe, ec))
        return -1;
    // Caminho absoluto: um nome sem "/" não pode ser procurado no PATH.
    const std::string exe = fs::absolute(NomeExe, ec).string();
    // Num terminal UTF-8 a saída em Windows-1252 é convertida; num arquivo
    // ou cano os bytes seguem como o programa os escreveu.
    if (SaidaEmTerminalUtf8() && exe.size() >= 3 &&
        !ConsoleUtf8(exe, LeConfigConsole(exe.substr(0, exe.size() - 3) + "pif")))
        return ExecutaComConversao1252({exe});
    const ResultadoProcesso r = ExecutaProcesso({exe});
    return r.iniciado ? r.status : -1;
}

} // namespace vendrilo
