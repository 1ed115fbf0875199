#include "linha_comando.h"
#include "teste_mesa_cli.h"

#include "formato_gcc.h"
#include "versao.h"

#include "formato/texto_1252.h"
#include "platform/pasta_programa.h"
#include "translate/compilacao.h"
#include "translate/diagnostico.h"
#include "translate/execucao.h"
#include "translate/leitor_linhas.h"
#include "translate/tradutor.h"

#include <algorithm>
#include <map>
#include <ostream>

namespace vendrilo::cli {

namespace {

constexpr const char* Programa = "vendrilo-traduz";

// A extensão é o fim do nome: "notas.alg.txt" não é um algoritmo.
bool temExtensaoAlg(const std::string& arquivo)
{
    if (arquivo.size() < 4)
        return false;
    std::string fim = arquivo.substr(arquivo.size() - 4);
    for (char& c : fim)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return fim == ".ALG";
}

// Textos do núcleo estão em Windows-1252; o terminal quase sempre é UTF-8.
std::string paraTerminal(const std::string& texto1252, const Terminal& t)
{
    return t.utf8 ? De1252(texto1252) : texto1252;
}

// Estágio 1: traduz e verifica. Falso quando o arquivo não pôde ser lido ou
// o .pas não pôde ser gravado (a mensagem já foi dada).
bool etapaTraducao(vendrilo::Tradutor& tradutor, const std::string& arquivo, Terminal& t)
{
    std::string erro;
    if (tradutor.TraduzArquivo(arquivo, erro))
        return true;
    t.erros << Programa << ": " << erro << '\n';
    return false;
}

// As linhas do algoritmo com esses números (a partir de 1), lidas em fluxo
// até a última pedida, com as mesmas quebras da tradução; sem espaços nem
// tabulações nas pontas.
std::map<int, std::string> linhasPedidas(const std::string& arquivo, const std::vector<int>& numeros)
{
    std::map<int, std::string> r;
    for (int n : numeros)
        if (n > 0)
            r[n];
    LeitorLinhas leitor;
    if (r.empty() || !leitor.abre(arquivo))
        return r;
    std::string linha;
    for (int n = 1; n <= r.rbegin()->first && leitor.proxima(linha); ++n) {
        auto it = r.find(n);
        if (it == r.end())
            continue;
        const auto inicio = linha.find_first_not_of(" \t");
        if (inicio != std::string::npos)
            it->second = linha.substr(inicio, linha.find_last_not_of(" \t") - inicio + 1);
    }
    return r;
}

// Estágio 2: relatório da verificação de estrutura; verdadeiro se há erros.
// Cada mensagem que sabe onde está a falha ganha logo abaixo a linha do
// algoritmo, para o aluno não precisar procurá-la.
bool etapaRelatorioEstrutura(const vendrilo::Tradutor& tradutor, const std::string& arquivo,
                             const Opcoes& opcoes, Terminal& t)
{
    const EstadoTraducao& e = tradutor.estado();
    if (e.TotalErros <= 0)
        return false;
    const ResultadoEstrutura& r = e.Estrutura;
    const auto textos = linhasPedidas(arquivo, r.LinhaAlgoritmo);
    const char* seta = t.utf8 ? "→" : "->"; // a seta não existe em Windows-1252
    if (!opcoes.formatoGcc)
        t.saida << arquivo << ":\n";
    for (std::size_t i = 0; i < r.ErrosSintaxe.size(); ++i) {
        const std::string& linha = r.ErrosSintaxe[i];
        const int n = i < r.LinhaAlgoritmo.size() ? r.LinhaAlgoritmo[i] : 0;
        if (opcoes.formatoGcc) {
            // Só as linhas numeradas são erros; o cabeçalho e a linha em branco ficam de fora.
            const auto inicio = linha.find_first_not_of(' ');
            if (inicio != std::string::npos && linha[inicio] >= '0' && linha[inicio] <= '9')
                t.saida << LinhaGcc(arquivo, n, n > 0 ? 1 : 0, paraTerminal(linha.substr(inicio), t)) << '\n';
            continue;
        }
        t.saida << paraTerminal(linha, t) << '\n';
        if (n > 0)
            t.saida << "   " << seta << " linha " << n << ": " << paraTerminal(textos.at(n), t) << '\n';
    }
    t.saida << paraTerminal(TextoResumoEstrutura(e.TotalErros), t) << '\n';
    return true;
}

// Estágio 4 (com --executar): o programa roda neste terminal, com a entrada
// e a saída dele; o código de saída do programa passa a ser o do arquivo.
int etapaExecucao(const vendrilo::Tradutor& tradutor, Terminal& t)
{
    t.saida.flush();
    const int status = ExecutaNoTerminal(tradutor.estado().NomeExe);
    if (status < 0) {
        t.erros << Programa << ": não foi possível executar \"" << tradutor.estado().NomeExe << "\".\n";
        return SaidaErroCompilacao;
    }
    return status;
}

// Estágio 3: compilação pelo tpc e relatório do primeiro erro em português.
int etapaCompilacao(const vendrilo::Tradutor& tradutor, const std::string& arquivo, const Opcoes& opcoes,
                    Terminal& t, Desfecho& desfecho)
{
    const ResultadoPreparo preparo = PreparaPastaPrograma();
    if (!preparo.ok)
        t.erros << Programa << ": " << preparo.erro << '\n';
    // Linhas do algoritmo como estão no disco, para a linha 4 do relatório.
    std::vector<std::string> linhas;
    LeTodasAsLinhas(arquivo, linhas);
    EntradaCompilacao entrada = EntradaDe(tradutor.estado(), linhas);
    entrada.ManterPas = opcoes.manterPas;
    // O teste de mesa lê as declarações do .pas, que a compilação pode apagar.
    std::vector<std::string> linhasPascal;
    if (!opcoes.testeDeMesa.empty()) {
        entrada.InformacaoDepuracao = true;
        LeTodasAsLinhas(tradutor.estado().NomePas, linhasPascal);
    }
    const ResultadoCompilacao r = CompilaPrograma(entrada);
    desfecho = Desfecho::ErroCompilacao;
    switch (r.situacao) {
    case SituacaoCompilacao::Sucesso:
        desfecho = opcoes.executar || !opcoes.testeDeMesa.empty() ? Desfecho::Executado : Desfecho::Compilado;
        if (!opcoes.testeDeMesa.empty())
            return EtapaTesteDeMesa(tradutor.estado().NomeExe, linhasPascal,
                                    tradutor.estado().BibliotecaUsada, opcoes, t);
        return opcoes.executar ? etapaExecucao(tradutor, t) : SaidaSucesso;
    case SituacaoCompilacao::ErroCompilacao:
        if (opcoes.formatoGcc) {
            // Linha e coluna só quando o erro cai numa linha do algoritmo.
            const int linha = r.PosicionaCursor ? r.LinhaErroExibida : 0;
            t.saida << LinhaGcc(arquivo, linha, linha > 0 ? r.ColunaErro : 0,
                                paraTerminal(TextoErroCompilador(r.LinhasErro[0]), t))
                    << '\n';
            return SaidaErroCompilacao;
        }
        t.saida << arquivo << ":\n";
        for (const std::string& linha : r.LinhasErro)
            t.saida << paraTerminal(linha, t) << '\n';
        if (!r.Dica.empty())
            t.saida << (t.utf8 ? r.Dica : Para1252(r.Dica)) << '\n';
        return SaidaErroCompilacao;
    case SituacaoCompilacao::ErrosEstrutura:
        return SaidaErroEstrutura;
    case SituacaoCompilacao::ArquivosIncompletos:
    case SituacaoCompilacao::FalhaExecucao:
    case SituacaoCompilacao::TempoEsgotado:
        break;
    }
    // O compilador não pôde dar um veredito: a mensagem diz por quê.
    t.erros << Programa << ": \"" << arquivo << "\": " << r.mensagem << '\n';
    return SaidaErroCompilacao;
}

} // namespace

Opcoes LeOpcoes(const std::vector<std::string>& argumentos)
{
    Opcoes o;
    bool fimOpcoes = false;
    bool esperaFormato = false;
    for (const std::string& a : SeparaOpcoesTesteMesa(argumentos, o)) {
        if (esperaFormato) {
            esperaFormato = false;
            if (a == "gcc")
                o.formatoGcc = true;
            else if (o.erro.empty())
                o.erro = "formato desconhecido: " + a + " (o único é gcc)";
        } else if (!fimOpcoes && a == "--") {
            fimOpcoes = true;
        } else if (!fimOpcoes && a == "--so-traduz") {
            o.soTraduz = true;
        } else if (!fimOpcoes && a == "--executar") {
            o.executar = true;
        } else if (!fimOpcoes && (a == "--help" || a == "-h" || a == "--ajuda")) {
            o.ajuda = true;
        } else if (!fimOpcoes && (a == "--version" || a == "--versao")) {
            o.versao = true;
        } else if (!fimOpcoes && a == "--diagnostico") {
            o.diagnostico = true;
        } else if (!fimOpcoes && a == "--manter-pas") {
            o.manterPas = true;
        } else if (!fimOpcoes && (a == "--formato" || a.rfind("--formato=", 0) == 0)) {
            if (a == "--formato")
                esperaFormato = true;
            else if (a.substr(10) == "gcc")
                o.formatoGcc = true;
            else if (o.erro.empty())
                o.erro = "formato desconhecido: " + a.substr(10) + " (o único é gcc)";
        } else if (!fimOpcoes && a.size() > 1 && a[0] == '-') {
            if (o.erro.empty())
                o.erro = "opção desconhecida: " + a;
        } else {
            o.arquivos.push_back(a);
        }
    }
    if (esperaFormato && o.erro.empty())
        o.erro = "falta o nome do formato depois de --formato (o único é gcc)";
    if (o.erro.empty() && o.soTraduz && o.executar)
        o.erro = "--so-traduz e --executar não podem ser usadas juntas";
    ConfereOpcoesTesteMesa(o);
    if (o.erro.empty() && !o.ajuda && !o.versao && !o.diagnostico && o.arquivos.empty())
        o.erro = "nenhum algoritmo informado";
    return o;
}

std::string TextoAjuda()
{
    return "Uso: vendrilo-traduz [OPÇÕES] ARQUIVO.ALG...\n"
           "     vendrilo-traduz --teste-de-mesa SAIDA.csv [--passos N] ARQUIVO.ALG\n"
           "     vendrilo-traduz --diagnostico\n"
           "Traduz cada algoritmo para o programa Pascal (.pas) ao lado dele, confere a\n"
           "estrutura dos blocos e compila.\n"
           "  --so-traduz     para depois da verificação da estrutura, sem compilar\n"
           "  --executar      executa o programa compilado neste terminal\n"
           "  --manter-pas    guarda o programa Pascal depois de compilar\n"
           "  --formato gcc   erros como arquivo.alg:LINHA:COLUNA: erro: texto\n"
           "  --teste-de-mesa SAIDA.csv\n"
           "                  executa linha a linha neste terminal (pelo gdb) e grava\n"
           "                  o teste de mesa: passo, linha e o valor de cada variável\n"
           "  --passos N      limite de passos do teste de mesa (padrão: 10000)\n"
           "  --diagnostico   verifica a instalação (compilador, unidades, pasta do\n"
           "                  programa, gdb) e diz como corrigir o que falhar\n"
           "  --version       mostra a versão\n"
           "  --help          mostra esta ajuda\n"
           "Saída: 0 sucesso, 1 erro de compilação, 2 erros de estrutura,\n"
           "       3 uso incorreto ou arquivo que não pôde ser lido ou gravado,\n"
           "       4 teste de mesa incompleto (limite de passos, erro de execução,\n"
           "         interrupção ou gdb ausente).\n";
}

std::string TextoVersao()
{
    return std::string(Programa) + " " + VersaoVendrilo + "\n";
}

std::string LinhaResultado(const std::string& arquivo, Desfecho desfecho)
{
    switch (desfecho) {
    case Desfecho::Traduzido: return arquivo + ": traduzido, estrutura correta.";
    case Desfecho::Compilado: return arquivo + ": compilado.";
    case Desfecho::Executado: return arquivo + ": compilado e executado.";
    case Desfecho::ErroCompilacao: return arquivo + ": erro de compilação.";
    case Desfecho::ErroEstrutura: return arquivo + ": erros de estrutura.";
    case Desfecho::NaoProcessado: break;
    }
    return arquivo + ": não traduzido.";
}

std::string LinhaResumo(const std::vector<Desfecho>& desfechos)
{
    struct Grupo {
        Desfecho d;
        const char* um;
        const char* varios;
    };
    static const Grupo grupos[] = {
        {Desfecho::Traduzido, "traduzido", "traduzidos"},
        {Desfecho::Compilado, "compilado", "compilados"},
        {Desfecho::Executado, "executado", "executados"},
        {Desfecho::ErroEstrutura, "com erros de estrutura", "com erros de estrutura"},
        {Desfecho::ErroCompilacao, "com erro de compilação", "com erro de compilação"},
        {Desfecho::NaoProcessado, "não traduzido", "não traduzidos"},
    };
    std::string partes;
    for (const Grupo& g : grupos) {
        const auto n = std::count(desfechos.begin(), desfechos.end(), g.d);
        if (n > 0)
            partes += (partes.empty() ? "" : ", ") + std::to_string(n) + " " + (n == 1 ? g.um : g.varios);
    }
    return "Resumo: " + std::to_string(desfechos.size()) + " arquivos; " + partes + ".";
}

int TraduzUmArquivo(const std::string& arquivo, const Opcoes& opcoes, Terminal& terminal, Desfecho* desfecho)
{
    Desfecho d = Desfecho::NaoProcessado;
    const int codigo = [&] {
        if (!temExtensaoAlg(arquivo)) {
            terminal.erros << Programa << ": \"" << arquivo
                           << "\": o algoritmo precisa ter a extensão .ALG.\n";
            return SaidaErroUso;
        }
        // Estado novo por arquivo: o resultado de um nunca depende dos anteriores.
        vendrilo::Tradutor tradutor;
        if (!etapaTraducao(tradutor, arquivo, terminal))
            return SaidaErroUso;
        if (etapaRelatorioEstrutura(tradutor, arquivo, opcoes, terminal)) {
            d = Desfecho::ErroEstrutura;
            return SaidaErroEstrutura;
        }
        if (opcoes.soTraduz) {
            d = Desfecho::Traduzido;
            return SaidaSucesso;
        }
        return etapaCompilacao(tradutor, arquivo, opcoes, terminal, d);
    }();
    if (desfecho)
        *desfecho = d;
    return codigo;
}

int Executa(const std::vector<std::string>& argumentos, Terminal& terminal)
{
    const Opcoes opcoes = LeOpcoes(argumentos);
    if (opcoes.ajuda && opcoes.erro.empty()) {
        terminal.saida << TextoAjuda();
        return SaidaSucesso;
    }
    if (opcoes.versao && opcoes.erro.empty()) {
        terminal.saida << TextoVersao();
        return SaidaSucesso;
    }
    if (!opcoes.erro.empty()) {
        terminal.erros << Programa << ": " << opcoes.erro << ".\n" << TextoAjuda();
        return SaidaErroUso;
    }
    if (opcoes.diagnostico) {
        const std::vector<Verificacao> v = DiagnosticaInstalacao();
        terminal.saida << TextoDiagnostico(v);
        if (opcoes.arquivos.empty() || !TudoCerto(v))
            return TudoCerto(v) ? SaidaSucesso : SaidaErroCompilacao;
    }
    int codigo = SaidaSucesso;
    std::vector<Desfecho> desfechos;
    const bool varios = opcoes.arquivos.size() > 1;
    for (const std::string& arquivo : opcoes.arquivos) {
        Desfecho d = Desfecho::NaoProcessado;
        codigo = std::max(codigo, TraduzUmArquivo(arquivo, opcoes, terminal, &d));
        desfechos.push_back(d);
        if (varios)
            terminal.saida << LinhaResultado(arquivo, d) << '\n';
    }
    if (varios)
        terminal.saida << LinhaResumo(desfechos) << '\n';
    return codigo;
}

} // namespace vendrilo::cli
