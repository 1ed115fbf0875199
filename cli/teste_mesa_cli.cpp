#include "teste_mesa_cli.h"

#include "depuracao/sessao.h"
#include "depuracao/teste_mesa.h"
#include "formato/gravacao_segura.h"
#include "platform/canal_processo.h"
#include "platform/ponte_depuracao.h"

#include <cstdlib>
#include <ostream>

namespace vendrilo::cli {

namespace {

using namespace std::chrono_literals;

// Com a entrada esgotada, um passo que espera tanto está esperando dados.
constexpr auto EsperaSemEntrada = 3s;

} // namespace

std::vector<std::string> SeparaOpcoesTesteMesa(const std::vector<std::string>& argumentos, Opcoes& o)
{
    std::vector<std::string> resto;
    bool fimOpcoes = false;
    for (std::size_t i = 0; i < argumentos.size(); ++i) {
        const std::string& a = argumentos[i];
        fimOpcoes = fimOpcoes || a == "--";
        if (fimOpcoes || (a != "--teste-de-mesa" && a != "--passos")) {
            resto.push_back(a);
            continue;
        }
        // Opções com valor: o argumento seguinte.
        if (i + 1 >= argumentos.size() || argumentos[i + 1].empty()) {
            if (o.erro.empty())
                o.erro = a + " precisa de um valor";
            ++i;
            continue;
        }
        const std::string& valor = argumentos[++i];
        if (a == "--teste-de-mesa") {
            o.testeDeMesa = valor;
            continue;
        }
        o.passosDados = true;
        char* fim = nullptr;
        const long n = std::strtol(valor.c_str(), &fim, 10);
        if (*fim != '\0' || n < 1 || n > 100000000) {
            if (o.erro.empty())
                o.erro = "--passos precisa de um número inteiro de 1 a 100000000: " + valor;
        } else {
            o.passos = static_cast<int>(n);
        }
    }
    return resto;
}

void ConfereOpcoesTesteMesa(Opcoes& o)
{
    if (!o.erro.empty())
        return;
    if (!o.testeDeMesa.empty() && (o.soTraduz || o.executar))
        o.erro = "--teste-de-mesa não pode ser usada com --so-traduz nem com --executar";
    else if (o.passosDados && o.testeDeMesa.empty())
        o.erro = "--passos só vale com --teste-de-mesa";
    else if (!o.testeDeMesa.empty() && o.arquivos.size() > 1)
        o.erro = "--teste-de-mesa aceita um só algoritmo";
}

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
        PonteDepuracao ponte(pt.mestre);
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
