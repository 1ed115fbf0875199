#include "depuracao/erros_execucao.h"

#include "formato/texto_1252.h"

#include <utility>

namespace vendrilo::depuracao {

namespace {
#include "erros_execucao_autoria.inc"
} // namespace

int NumeroErroTurbo(int numeroFreePascal)
{
    for (const auto& [fpc, turbo] : NumerosTurboAutoria)
        if (fpc == numeroFreePascal)
            return turbo;
    return numeroFreePascal;
}

std::string ExplicacaoErroExecucao(int numero)
{
    for (const auto& [n, texto] : ExplicacoesAutoria)
        if (n == numero)
            return De1252(texto);
    return De1252(ExplicacaoOutrosAutoria);
}

std::string MensagemErroExecucao(int numero, int linhaAlgoritmo)
{
    std::string m = "Erro de execução " + std::to_string(numero);
    if (linhaAlgoritmo > 0)
        m += " na linha " + std::to_string(linhaAlgoritmo) + " do algoritmo";
    return m + ": " + ExplicacaoErroExecucao(numero) + ".";
}

} // namespace vendrilo::depuracao
