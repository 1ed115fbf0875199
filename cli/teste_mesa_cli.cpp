#include "teste_mesa_cli.h"

#include "depuracao/sessao.h"
#include "depuracao/teste_mesa.h"
#include "formato/gravacao_segura.h"
#include "platform/canal_processo.h"
#include "platform/ponte_terminal.h"

#include <ostream>

namespace vendrilo::cli {

namespace {

using namespace std::chrono_literals;

// Com a entrada esgotada, um passo que espera tanto está esperando dados.
constexpr auto EsperaSemEntrada = 3s;

} // namespace

int EtapaTesteDeMesa(const std::string& programa, const std::vector<std::string>& linhasPascal,
                     int bibliotecaUsada, const Opcoes& opcoes, Terminal& t)
{
    constexpr const char* Programa = "vendrilo-traduz";
    using namespace depuracao;
    PseudoTerminal pt;
    std::string erro;
    if (!AbrePseudoTerminal(pt, erro)) {
        t.erros << Programa << ": não foi possível criar o terminal do programa: " << erro << '\n';
        return SaidaTesteIncompleto;
    }
    t.saida.flush();
    ConfigSessao config;
    config.programa = programa;
    config.terminal = pt.nomeEscravo;
    config.declaracoes = LeDeclaracoes(linhasPascal);
    config.bibliotecaUsada = bibliotecaUsada;
    ResultadoTesteMesa r;
    TesteDeMesa tabela(config.declaracoes);
    bool entradaEsgotada = false;
    {
        ModoCru cru(0); // as teclas vão direto ao programa, que ecoa o que lê
        PonteTerminal ponte(pt.mestre);
        config.deveParar = [&](std::chrono::milliseconds passo) {
            entradaEsgotada = ponte.EntradaAcabou() && passo > EsperaSemEntrada;
            return ponte.PediuInterrupcao() || entradaEsgotada;
        };
        Sessao sessao;
        if (!sessao.Inicia(config, erro)) {
            ponte.Para();
            FechaPseudoTerminal(pt);
            t.erros << Programa << ": " << erro << '\n';
            return SaidaTesteIncompleto;
        }
        ponte.LiberaEntrada();
        r = ExecutaTesteDeMesa(sessao, tabela, opcoes.passos);
        sessao.Encerra();
        ponte.Para();
    }
    FechaPseudoTerminal(pt);
    // A tabela nunca fica pela metade, nem substitui a antiga se falhar.
    if (!GravaArquivoSeguro(opcoes.testeDeMesa, tabela.Csv(), erro)) {
        t.erros << Programa << ": não foi possível gravar o teste de mesa em \"" << opcoes.testeDeMesa
                << "\": " << erro << '\n';
        return SaidaErroUso;
    }
    switch (r.fim) {
    case FimTesteMesa::Terminou:
        if (!r.mensagem.empty())
            t.erros << Programa << ": " << r.mensagem << '\n';
        return r.codigoSaida;
    case FimTesteMesa::Interrompido:
        if (entradaEsgotada)
            r.mensagem = "O programa esperava uma entrada que não veio (a entrada acabou); a execução foi "
                         "interrompida.";
        break;
    default: break;
    }
    t.erros << Programa << ": " << r.mensagem << '\n';
    return SaidaTesteIncompleto;
}

} // namespace vendrilo::cli
