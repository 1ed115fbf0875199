#include "translate/diagnostico.h"

#include "formato/texto_1252.h"
#include "platform/pasta_programa.h"
#include "platform/processo.h"
#include "translate/compilacao.h"
#include "translate/leitor_linhas.h"
#include "translate/tradutor.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vendrilo {

namespace {

constexpr std::chrono::seconds LimiteCompilador{60};
constexpr const char* InstalaFpc = "instale o Free Pascal: apt-get install fp-compiler fp-units-rtl "
                                   "(como administrador).";

// Pasta temporária própria, apagada ao sair do escopo.
struct PastaTemporaria {
    fs::path caminho;
    PastaTemporaria()
    {
        const char* base = std::getenv("TMPDIR");
        std::string modelo = std::string(base && *base ? base : "/tmp") + "/vendrilo-diag-XXXXXX";
        if (mkdtemp(modelo.data()))
            caminho = modelo;
    }
    ~PastaTemporaria()
    {
        std::error_code ec;
        if (!caminho.empty())
            fs::remove_all(caminho, ec);
    }
};

bool gravaTexto(const fs::path& arquivo, const std::string& texto)
{
    std::ofstream f(arquivo, std::ios::binary | std::ios::trunc);
    f << texto;
    return static_cast<bool>(f.flush());
}

// A linha de erro do compilador ("Fatal:"/"Error:") ou, sem ela, a primeira.
std::string primeiraLinha(const fs::path& arquivo)
{
    std::vector<std::string> linhas;
    LeTodasAsLinhas(arquivo.string(), linhas);
    for (const std::string& l : linhas)
        if (l.find("Fatal:") != std::string::npos || l.find("Error:") != std::string::npos)
            return De1252(l);
    for (const std::string& l : linhas)
        if (!l.empty())
            return De1252(l);
    return {};
}

// Compila `fonte` (um programa Pascal) com o fpc numa pasta temporária, no
// modo do tpc, procurando unidades também em `unidades`. Vazio quando
// compilou; senão a primeira linha que o compilador escreveu.
std::string compilaTeste(const std::string& fpc, const std::string& fonte, const std::string& unidades,
                         bool& compilou)
{
    compilou = false;
    PastaTemporaria tmp;
    if (tmp.caminho.empty())
        return "não foi possível criar uma pasta temporária";
    const fs::path pas = tmp.caminho / "teste.pas";
    if (!gravaTexto(pas, fonte))
        return "não foi possível gravar na pasta temporária";
    std::vector<std::string> cmd = {fpc, "-Mtp", "-l-", "-v0ewq"};
    if (!unidades.empty())
        cmd.push_back("-Fu" + unidades);
    cmd.push_back("-FU" + tmp.caminho.string());
    cmd.push_back("-o" + (tmp.caminho / "teste").string());
    cmd.push_back(pas.string());
    OpcoesProcesso op;
    op.arquivoSaida = (tmp.caminho / "saida.txt").string();
    op.errosNaSaida = true;
    op.semEntrada = true;
    op.limite = LimiteCompilador;
    const ResultadoProcesso r = ExecutaProcesso(cmd, op);
    if (!r.iniciado)
        return "o compilador não pôde ser iniciado: " + r.erro;
    compilou = r.status == 0 && !r.tempoEsgotado;
    if (compilou)
        return {};
    const std::string linha = primeiraLinha(op.arquivoSaida);
    return linha.empty() ? "o compilador terminou com o código " + std::to_string(r.status) : linha;
}

Verificacao verificaCompilador(const std::string& fpc, std::string& versao)
{
    if (fpc.empty())
        return {false, "Compilador Free Pascal (fpc): não encontrado no PATH.", InstalaFpc};
    PastaTemporaria tmp;
    OpcoesProcesso op;
    op.arquivoSaida = (tmp.caminho / "versao.txt").string();
    op.semEntrada = true;
    op.limite = LimiteCompilador;
    const ResultadoProcesso r = ExecutaProcesso({fpc, "-iV"}, op);
    versao = r.iniciado && r.status == 0 ? primeiraLinha(op.arquivoSaida) : std::string();
    if (versao.empty())
        return {false, "Compilador Free Pascal: " + fpc + " não respondeu a \"fpc -iV\".",
                "reinstale o Free Pascal: apt-get install --reinstall fp-compiler (como administrador)."};
    return {true, "Compilador Free Pascal " + versao + ": " + fpc + ".", {}};
}

Verificacao verificaUnidadesSistema(const std::string& fpc)
{
    if (fpc.empty())
        return {false, "Unidades CRT e DOS: não verificadas, falta o compilador.", InstalaFpc};
    bool ok = false;
    const std::string erro = compilaTeste(fpc, "program teste;\nuses crt, dos;\nbegin\nend.\n", {}, ok);
    if (ok)
        return {true, "Unidades CRT e DOS: encontradas.", {}};
    return {false, "Unidades CRT e DOS: o compilador não as achou (" + erro + ").",
            "instale as unidades do Free Pascal: apt-get install fp-units-rtl (como administrador)."};
}

// AUTORIA serve quando um programa que a usa compila com ela; senão é
// refeita a partir de autoria.pas dos dados, na pasta do programa.
Verificacao verificaAutoria(const std::string& fpc, const std::string& versao, const std::string& pasta,
                            const std::string& dados)
{
    if (fpc.empty())
        return {false, "Unidade AUTORIA: não verificada, falta o compilador.", InstalaFpc};
    const std::string teste = "program teste;\nuses autoria;\nbegin\nend.\n";
    bool ok = false;
    const std::string erroAntes = compilaTeste(fpc, teste, pasta, ok);
    if (ok)
        return {true, "Unidade AUTORIA: compilada para o Free Pascal " + versao + ".", {}};

    const fs::path fonte = fs::path(dados) / "autoria.pas";
    std::error_code ec;
    const std::string correcao = "reinstale o Vendrilo (a unidade vem de " + fonte.string() +
                                 "), ou apague " + pasta + "/autoria.ppu e " + pasta +
                                 "/autoria.o para que sejam copiados de novo.";
    if (!fs::is_regular_file(fonte, ec))
        return {false,
                "Unidade AUTORIA: não serve para este compilador (" + erroAntes + ") e falta " +
                    fonte.string() + " para refazê-la.",
                correcao};
    {
        TravaPastaPrograma trava(pasta);
        OpcoesProcesso op;
        op.arquivoSaida = "/dev/null";
        op.errosNaSaida = true;
        op.semEntrada = true;
        op.limite = LimiteCompilador;
        ExecutaProcesso({fpc, "-Mtp", "-l-", "-v0ewq", "-FU" + pasta, fonte.string()}, op);
    }
    const std::string erroDepois = compilaTeste(fpc, teste, pasta, ok);
    if (ok)
        return {true,
                "Unidade AUTORIA: refeita para o Free Pascal " + versao +
                    " (a que estava na pasta do programa não servia).",
                {}};
    return {false,
            "Unidade AUTORIA: não serve para este compilador e não pôde ser refeita (" + erroDepois + ").",
            correcao};
}

Verificacao verificaPasta(const std::string& pasta, const ResultadoPreparo& preparo)
{
    const fs::path marca = fs::path(pasta) / (".verificando." + std::to_string(getpid()));
    const bool grava = preparo.ok && gravaTexto(marca, "ok");
    std::error_code ec;
    fs::remove(marca, ec);
    if (grava)
        return {true, "Pasta do programa " + pasta + ": permite gravação.", {}};
    return {false, "Pasta do programa " + pasta + ": não pôde ser criada ou não permite gravação.",
            "dê permissão de gravação (chmod u+w " + pasta +
                "), ou defina VENDRILO_PASTA com outra pasta antes de abrir o Vendrilo."};
}

Verificacao verificaGdb()
{
    const std::string gdb = ProcuraPrograma("gdb");
    if (gdb.empty())
        return {false, "Depurador gdb (execução passo a passo): não encontrado no PATH.",
                "instale o gdb: apt-get install gdb (como administrador)."};
    return {true, "Depurador gdb (execução passo a passo): " + gdb + ".", {}};
}

// Um algoritmo mínimo percorre o caminho inteiro do comando Traduzir e
// Executar: tradução, tpc, compilador, AUTORIA e o programa rodando.
Verificacao verificaAlgoritmo(const std::string& pasta)
{
    const std::string titulo = "Algoritmo de teste (traduzir, compilar e executar): ";
    PastaTemporaria tmp;
    const fs::path alg = tmp.caminho / "TESTE.ALG";
    if (tmp.caminho.empty() ||
        !gravaTexto(
            alg,
            "DECLARE a INTEIRO\r\nINICIO\r\n   a <- 6 * 7\r\n   MOSTRE-PL ('Resultado: ', a)\r\nFIM\r\n"))
        return {false, titulo + "não foi possível gravar numa pasta temporária.",
                "confira a variável TMPDIR e o espaço livre em disco."};
    Tradutor tradutor;
    std::string erro;
    if (!tradutor.TraduzArquivo(alg.string(), erro))
        return {false, titulo + "a tradução falhou: " + erro, "reinstale o Vendrilo."};
    std::vector<std::string> linhas;
    LeTodasAsLinhas(alg.string(), linhas);
    EntradaCompilacao entrada = EntradaDe(tradutor.estado(), linhas);
    entrada.PastaPrograma = pasta;
    entrada.Limite = LimiteCompilador;
    const ResultadoCompilacao c = CompilaPrograma(entrada);
    if (c.situacao != SituacaoCompilacao::Sucesso) {
        // Da linha de erro basta a mensagem, sem o caminho temporário.
        std::string motivo = c.mensagem;
        if (!c.LinhasErro.empty()) {
            const std::string& l = c.LinhasErro[0];
            const auto erro = l.rfind("): ");
            motivo = De1252(erro == std::string::npos ? l : l.substr(erro + 3));
        }
        return {false, titulo + "a compilação falhou: " + motivo,
                "corrija antes as verificações acima que falharam; se todas passaram, reinstale o Vendrilo."};
    }
    OpcoesProcesso op;
    op.arquivoSaida = (tmp.caminho / "saida.txt").string();
    op.semEntrada = true;
    op.limite = std::chrono::seconds(20);
    const ResultadoProcesso r = ExecutaProcesso({tradutor.estado().NomeExe}, op);
    std::ifstream f(op.arquivoSaida, std::ios::binary);
    const std::string saida((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (!r.iniciado || r.status != 0 || saida.find("Resultado: 42") == std::string::npos)
        return {false, titulo + "o programa compilado não mostrou o resultado esperado.",
                "reinstale o Free Pascal (fp-units-rtl) e o Vendrilo."};
    return {true, titulo + "ok.", {}};
}

} // namespace

std::vector<Verificacao> DiagnosticaInstalacao(const OpcoesDiagnostico& opcoes)
{
    const std::string pasta = opcoes.pasta.empty() ? PastaPrograma() : opcoes.pasta;
    const std::string dados = opcoes.dados.empty() ? PastaDados() : opcoes.dados;
    const std::string compilador = opcoes.compilador.empty() ? CompiladorInstalado() : opcoes.compilador;
    // A pasta recebe o que lhe falta antes, como na partida do programa.
    const ResultadoPreparo preparo = PreparaPastaPrograma(pasta, dados, compilador);

    const std::string fpc = ProcuraPrograma("fpc");
    std::string versao;
    std::vector<Verificacao> v;
    v.push_back(verificaCompilador(fpc, versao));
    v.push_back(verificaUnidadesSistema(fpc));
    v.push_back(verificaAutoria(fpc, versao, pasta, dados));
    v.push_back(verificaPasta(pasta, preparo));
    v.push_back(verificaGdb());
    v.push_back(verificaAlgoritmo(pasta));
    return v;
}

bool TudoCerto(const std::vector<Verificacao>& verificacoes)
{
    for (const Verificacao& v : verificacoes)
        if (!v.ok)
            return false;
    return true;
}

std::string TextoDiagnostico(const std::vector<Verificacao>& verificacoes)
{
    std::string texto;
    for (const Verificacao& v : verificacoes) {
        texto += (v.ok ? "ok    " : "FALHA ") + v.texto + '\n';
        if (!v.ok && !v.correcao.empty())
            texto += "      Correção: " + v.correcao + '\n';
    }
    return texto;
}

} // namespace vendrilo
