// tpc: compila um programa Pascal com o Free Pascal em modo Turbo Pascal e
// escreve na saída padrão um relatório no formato que o Vendrilo lê.
//
//   tpc [/U<pasta>|-U<pasta>] [-g] ARQUIVO
//
// -g grava informação de linhas para a execução passo a passo.
//
// Saída 0: compilou; 1: erro de compilação; 2: uso errado ou sem compilador.

#include "cache_unidade.h"
#include "configuracao.h"
#include "mapa_erros.h"
#include "platform/processo.h"
#include "relatorio.h"
#include "translate/leitor_linhas.h"
#include "versao.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace vendrilo;
using namespace vendrilo::tpc;

namespace {

int uso(const std::string& msg)
{
    std::cerr << "tpc: " << msg << "\nUso: tpc [/U<pasta das unidades>] [-g] ARQUIVO.pas\n";
    return 2;
}

// Pasta temporária própria, apagada ao sair.
struct PastaTemporaria {
    fs::path caminho;
    ~PastaTemporaria()
    {
        std::error_code ec;
        if (!caminho.empty())
            fs::remove_all(caminho, ec);
    }
};

// No limite de tempo o tpc é morto junto com o compilador (SIGKILL no
// grupo), sem chance de limpar. Um vigia em sessão própria espera o fim do
// tpc, qualquer que seja, e apaga a pasta.
void vigiaPasta(const fs::path& pasta)
{
    int fim[2], pronto[2];
    if (pipe2(fim, O_CLOEXEC) != 0)
        return;
    if (pipe2(pronto, O_CLOEXEC) != 0) {
        close(fim[0]), close(fim[1]);
        return;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        setsid();
        close(fim[1]);
        close(pronto[0]);
        close(pronto[1]); // fora do grupo: o tpc pode seguir
        const int nulo = open("/dev/null", O_RDWR);
        dup2(nulo, 0), dup2(nulo, 1), dup2(nulo, 2);
        char c;
        while (read(fim[0], &c, 1) < 0 && errno == EINTR) {
        }
        std::error_code ec;
        fs::remove_all(pasta, ec);
        _exit(0);
    }
    close(fim[0]);
    close(pronto[1]);
    char c;
    if (pid > 0)
        while (read(pronto[0], &c, 1) < 0 && errno == EINTR) {
        }
    close(pronto[0]);
    // fim[1] fica aberto até o tpc terminar; o compilador não o herda.
}

void imprime(const std::vector<std::string>& linhas)
{
    for (const auto& l : linhas)
        std::fwrite(l.data(), 1, l.size(), stdout), std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Um programa gerado pelo Vendrilo usa a unidade AUTORIA na moldura. Devolve
// quantas linhas o Pascal tem a mais que o algoritmo antes de cada linha
// dele (a mesma regra dos erros de compilação), ou 0 se não é um programa
// gerado.
int deslocamentoDoAlgoritmo(const std::vector<std::string>& linhas)
{
    const std::size_t limite = std::min<std::size_t>(linhas.size(), 40);
    for (std::size_t i = 0; i < limite; ++i) {
        std::string l;
        for (char c : linhas[i])
            l += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (l.rfind("USES ", 0) != 0 || l.find("AUTORIA") == std::string::npos)
            continue;
        // Depois da lista, "," de uma BIBLIOTECA ou o ";" da linha separadora.
        bool comentario = false;
        for (std::size_t j = i; j < linhas.size(); ++j)
            for (std::size_t k = j == i ? l.size() : 0; k < linhas[j].size(); ++k) {
                const char c = linhas[j][k];
                if (comentario) {
                    comentario = c != '}';
                } else if (c == '{') {
                    comentario = true;
                } else if (c != ' ' && c != '\t' && c != '\r') {
                    return c == ',' ? 26 : 27;
                }
            }
        return 27;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return uso("falta o arquivo a compilar.");
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << "Uso: tpc [/U<pasta das unidades>] ARQUIVO.pas\n"
                     "Compila com o Free Pascal, no modo Turbo Pascal, e escreve o relatório que o "
                     "Vendrilo lê.\n";
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "tpc " << VersaoVendrilo << '\n';
        return 0;
    }
    // O último argumento é o arquivo: um caminho absoluto que comece por
    // "/U" não é tomado por opção.
    const std::string fonte = args.back();
    std::string pastaUnidades;
    bool depuracao = false;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 2 && (a[0] == '/' || a[0] == '-') && (a[1] == 'U' || a[1] == 'u'))
            pastaUnidades = a.substr(2);
        else if (a == "-g" || a == "/G" || a == "/g")
            depuracao = true;
        else
            return uso("opção desconhecida: " + a);
    }

    // O compilador propriamente dito, quando está no PATH, dispensa o
    // processo intermediário do "fpc" (que só o escolhe e o chama).
#if defined(__x86_64__)
    std::string fpc = ProcuraPrograma("ppcx64");
#elif defined(__aarch64__)
    std::string fpc = ProcuraPrograma("ppca64");
#elif defined(__i386__)
    std::string fpc = ProcuraPrograma("ppc386");
#else
    std::string fpc;
#endif
    if (fpc.empty())
        fpc = ProcuraPrograma("fpc");
    if (fpc.empty()) {
        std::cerr << "tpc: o compilador Free Pascal (fpc) não foi encontrado no PATH.\n";
        return 2;
    }
    std::vector<std::string> linhas;
    if (!LeTodasAsLinhas(fonte, linhas)) {
        std::cerr << "tpc: não foi possível ler o arquivo " << fonte << ".\n";
        return 2;
    }
    const std::string programa = CaminhoPrograma(fonte);
    const auto inicio = std::chrono::steady_clock::now();

    // Tudo o que o Free Pascal escreve fica numa pasta própria; o fonte e as
    // pastas entram por nomes fixos, e nenhum caractere dos caminhos do
    // aluno chega a ele (o fpc expande "$" nas opções).
    PastaTemporaria tmp;
    {
        const char* base = std::getenv("TMPDIR");
        std::string modelo = std::string(base && *base ? base : "/tmp") + "/tpc-XXXXXX";
        if (!mkdtemp(modelo.data())) {
            std::cerr << "tpc: não foi possível criar a pasta temporária.\n";
            return 2;
        }
        tmp.caminho = modelo;
        vigiaPasta(tmp.caminho);
    }
    std::error_code ec;
    fs::create_directory(tmp.caminho / "obj", ec);
    fs::copy_file(fonte, tmp.caminho / "programa.pas", ec);
    if (ec) {
        std::cerr << "tpc: não foi possível copiar o arquivo " << fonte << ".\n";
        return 2;
    }
    const fs::path pastaFonte = fs::absolute(fs::path(fonte), ec).parent_path();
    fs::create_directory_symlink(pastaFonte, tmp.caminho / "f", ec);
    // Com a informação de linhas, a unidade AUTORIA diz em que linha do
    // algoritmo um erro de execução aconteceu. A correspondência chega a ela
    // pelo ligador (o endereço de um símbolo é o número) ou, com uma
    // BIBLIOTECA, por uma unidade gerada aqui, carregada antes da lista USES.
    std::vector<std::string> cmd = {fpc, "-Mtp", "-l-", "-v0ewq", "-Se1", "-Sc-", "-gl"};
    if (!pastaUnidades.empty())
        fs::create_directory_symlink(fs::absolute(pastaUnidades, ec), tmp.caminho / "u", ec);
    const int deslocamento = deslocamentoDoAlgoritmo(linhas);
    // Sem BIBLIOTECA, só as unidades de rtl e rtl-console entram: a
    // configuração enxuta poupa o compilador de listar todos os pacotes.
    // O compilador roda na pasta temporária e lê a configuração como
    // fpc.cfg dela: nenhuma pasta do aluno nem a /tmp inteira é listada.
    std::string configuracao, reduzida;
    const bool temConfiguracao = LeConfiguracaoPadrao(fpc, configuracao);
    const auto gravaConfiguracao = [&](const std::string& texto) {
        std::ofstream c(tmp.caminho / "fpc.cfg", std::ios::binary);
        c << texto;
        return static_cast<bool>(c.flush());
    };
    bool enxuta = false;
    if (deslocamento == 27) {
        cmd.push_back("-k--defsym=vendrilo_deslocamento_linhas=" + std::to_string(deslocamento));
        enxuta = temConfiguracao && ConfiguracaoEnxuta(configuracao, reduzida) && gravaConfiguracao(reduzida);
    }
    if (temConfiguracao && !enxuta)
        gravaConfiguracao(configuracao);
    bool comLinhas = false;
    std::string unidade;      // o fonte da unidade de linhas
    fs::path entrada;         // a pasta dela no cache (vazia: sem cache)
    bool doCache = false;     // a compilação usa a do cache
    bool guardarNoCache = false; // a compilada agora vai para o cache, se tudo der certo
    // A unidade escrita na pasta temporária, para ser compilada junto.
    const auto unidadeLocal = [&] {
        std::ofstream u(tmp.caminho / "vendrilo_linhas.pas", std::ios::binary);
        u << unidade;
        return static_cast<bool>(u.flush());
    };
    if (deslocamento == 26) {
        // A BIBLIOTECA pode trazer a SysUtils, que troca os erros de
        // execução por exceções com texto em inglês: aqui eles continuam erros.
        unidade = std::string("unit vendrilo_linhas;\ninterface\nimplementation\nuses SysUtils, AUTORIA;\n"
                              "begin\n  ErrorProc := nil;\n") +
                "  DeslocamentoLinhas := " + std::to_string(deslocamento) +
                ";\n  FontePrograma := 'programa.pas';\nend.\n";
        // Já compilada, fica na pasta das unidades (atrás do link "u", sem
        // caracteres do caminho do aluno).
        if (!pastaUnidades.empty())
            entrada = EntradaCacheUnidade(tmp.caminho / "u" / ".tpc", unidade,
                                          {tmp.caminho / "u" / "autoria.ppu", tmp.caminho / "f" / "autoria.ppu", fpc});
        doCache = !entrada.empty() && CacheUnidadePronta(entrada, "vendrilo_linhas");
        if (doCache || unidadeLocal()) {
            cmd.push_back("-Fu" + (doCache ? entrada.lexically_relative(tmp.caminho) : fs::path(".")).string());
            cmd.push_back("-Favendrilo_linhas");
            comLinhas = true;
            guardarNoCache = !doCache && !entrada.empty();
        }
    }
    if (depuracao)
        cmd.push_back("-g");
    if (!pastaUnidades.empty())
        cmd.push_back("-Fuu");
    cmd.insert(cmd.end(), {"-Fuf", "-Fif", "-FUobj", "-oprograma", "programa.pas"});

    OpcoesProcesso op;
    op.arquivoSaida = (tmp.caminho / "saida.txt").string();
    op.errosNaSaida = true;
    op.semEntrada = true;
    op.pastaTrabalho = tmp.caminho.string();
    ResultadoProcesso r;
    std::vector<std::string> saida;
    std::optional<MensagemFpc> erro;
    auto compila = [&] {
        r = ExecutaProcesso(cmd, op);
        saida.clear();
        erro.reset();
        if (!r.iniciado)
            return;
        LeTodasAsLinhas(op.arquivoSaida, saida);
        // O primeiro erro vale; o aviso de constante fora dos limites também
        // é erro, como era no Turbo Pascal.
        for (const auto& l : saida) {
            auto m = LeMensagemFpc(l);
            if (!m)
                continue;
            if (m->gravidade == "Error" || m->gravidade == "Fatal" ||
                (m->gravidade == "Warning" && m->numero == 4110)) {
                erro = m;
                break;
            }
        }
    };
    compila();
    // Uma entrada do cache estragada não pode virar erro do aluno: falha fora
    // do programa, ou na ligação, refaz a unidade aqui e joga a entrada fora.
    constexpr int ErroLigacao = 9013;
    if (doCache && (erro || r.status != 0) &&
        !(erro && fs::path(erro->arquivo).filename() == "programa.pas" && erro->numero != ErroLigacao) &&
        unidadeLocal()) {
        fs::remove_all(entrada, ec);
        std::replace(cmd.begin(), cmd.end(), "-Fu" + entrada.lexically_relative(tmp.caminho).string(),
                     std::string("-Fu."));
        guardarNoCache = true;
        compila();
    }
    // Uma unidade fora de rtl e rtl-console (pedida por uma diretiva num
    // comentário, por exemplo): compila de novo com a configuração inteira.
    constexpr int UnidadeNaoEncontrada = 10022;
    if (enxuta && r.iniciado &&
        (erro ? erro->numero == UnidadeNaoEncontrada || erro->numero == ErroLigacao ||
                    fs::path(erro->arquivo).filename() != "programa.pas"
              : r.status != 0)) {
        gravaConfiguracao(configuracao);
        compila();
    }
    // Uma AUTORIA antiga na pasta do programa não conhece a correspondência
    // de linhas: compila sem ela, e o erro de execução cita a linha do Pascal.
    if (comLinhas && erro && fs::path(erro->arquivo).filename() == "vendrilo_linhas.pas") {
        cmd.erase(std::remove(cmd.begin(), cmd.end(), "-Favendrilo_linhas"), cmd.end());
        compila();
    }
    if (!r.iniciado) {
        std::cerr << "tpc: não foi possível executar " << fpc << ": " << r.erro << "\n";
        return 2;
    }

    const fs::path gerado = tmp.caminho / "programa";
    if (!erro && r.status == 0 && fs::exists(gerado)) {
        std::error_code e2;
        if (guardarNoCache && std::find(cmd.begin(), cmd.end(), "-Favendrilo_linhas") != cmd.end())
            GuardaCacheUnidade(entrada, tmp.caminho, tmp.caminho / "obj", "vendrilo_linhas");
        long long codigo = 0, dados = 0;
        if (!TamanhosElf(gerado.string(), codigo, dados))
            codigo = static_cast<long long>(fs::file_size(gerado, e2));
        fs::remove(programa, e2);
        // Mesmo sistema de arquivos: basta renomear; senão, copia.
        fs::rename(gerado, programa, e2);
        if (e2) {
            e2.clear();
            fs::copy_file(gerado, programa, fs::copy_options::overwrite_existing, e2);
        }
        if (!e2) {
            const double seg = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
            imprime(RelatorioSucesso(fonte, static_cast<int>(linhas.size()), seg, codigo, dados));
            return 0;
        }
        fs::remove(programa, e2);
        imprime(RelatorioErro(fonte, 0, NumeroPorFaixa(0), "Cannot write program file " + programa, "", 0));
        return 1;
    }

    // Falhou: nenhum programa (nem um antigo) fica ao lado do fonte.
    fs::remove(programa, ec);
    int linha = 0, coluna = 0, numero = NumeroPorFaixa(0);
    std::string texto = "Compilation failed";
    if (erro) {
        const Correspondencia c = NumeroTurboPascal(*erro, linhas);
        numero = c.numero;
        texto = erro->texto;
        if (fs::path(erro->arquivo).filename() == "programa.pas") {
            linha = c.linha > 0 ? c.linha : erro->linha;
            coluna = c.linha > 0 ? c.coluna : erro->coluna;
        } else if (!erro->arquivo.empty()) {
            texto = fs::path(erro->arquivo).filename().string() + "(" + std::to_string(erro->linha) + "): " + texto;
        }
    } else {
        for (const auto& l : saida)
            if (!l.empty()) {
                texto = l;
                break;
            }
    }
    const std::string linhaFonte =
        linha >= 1 && linha <= static_cast<int>(linhas.size()) ? linhas[static_cast<std::size_t>(linha - 1)] : "";
    imprime(RelatorioErro(fonte, linha, numero, texto, linhaFonte, coluna));
    return 1;
}
