// Um aluno: pasta privada, tradução, verificação, compilação e os casos.
#include "correcao/comparacao.h"
#include "correcao/turma.h"

#include "check/estrutura.h"
#include "formato/texto_1252.h"
#include "platform/processo_limitado.h"
#include "translate/compilacao.h"
#include "translate/leitor_linhas.h"
#include "translate/tradutor.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace vendrilo::correcao {

namespace {

// Até `limite` bytes do arquivo; `cortado` diz se havia mais.
std::string leAte(const std::string& caminho, long long limite, bool& cortado)
{
    std::ifstream f(caminho, std::ios::binary);
    std::string s(static_cast<std::size_t>(limite) + 1, '\0');
    f.read(s.data(), static_cast<std::streamsize>(s.size()));
    s.resize(static_cast<std::size_t>(f.gcount()));
    cortado = static_cast<long long>(s.size()) > limite;
    if (cortado)
        s.resize(static_cast<std::size_t>(limite));
    return s;
}

// Pasta privada apagada ao fim da correção do aluno.
struct PastaPrivada {
    std::string caminho;
    explicit PastaPrivada(const std::string& raiz)
    {
        std::string modelo = raiz + "/aluno-XXXXXX";
        if (mkdtemp(modelo.data()))
            caminho = modelo;
    }
    ~PastaPrivada()
    {
        std::error_code ec;
        if (!caminho.empty())
            fs::remove_all(caminho, ec);
    }
};

// Textos do núcleo em Windows-1252, sem o caminho da pasta privada.
std::string paraMensagem(const std::string& texto1252, const std::string& pasta)
{
    std::string s = De1252(texto1252);
    const std::string prefixo = pasta + "/";
    for (std::size_t p; (p = s.find(prefixo)) != std::string::npos;)
        s.erase(p, prefixo.size());
    return s;
}

std::string umaLinha(std::string s)
{
    for (char& c : s)
        if (c == '\n' || c == '\r')
            c = ' ';
    return s;
}

std::string primeiraLinha(const std::string& s)
{
    const auto fim = s.find_first_of("\r\n");
    return fim == std::string::npos ? s : s.substr(0, fim);
}

std::string segundos(std::chrono::milliseconds t)
{
    std::string s = std::to_string(t.count() / 1000);
    if (const long long resto = t.count() % 1000) {
        std::string frac = std::to_string(1000 + resto).substr(1);
        while (frac.back() == '0')
            frac.pop_back();
        s += "," + frac;
    }
    return s + " s";
}

struct Execucao {
    std::string situacao; // como na coluna do caso
    std::vector<std::string> obtido;
    int linhaDiferente = -1;
    std::string observacao;
    std::string falha; // a correção não conseguiu rodar o programa
};

Execucao rodaCaso(const std::string& exe, const Caso& caso, const std::string& privada,
                  const Configuracao& config)
{
    Execucao e;
    const std::string trabalho = privada + "/execucao";
    std::error_code ec;
    fs::remove_all(trabalho, ec);
    fs::create_directory(trabalho, ec);
    LimitesExecucao lim;
    lim.pasta = trabalho;
    lim.arquivoEntrada = caso.entrada;
    lim.arquivoSaida = privada + "/saida.txt";
    lim.arquivoErros = privada + "/erros.txt";
    lim.tempo = config.tempo;
    lim.memoria = config.memoria;
    // Um byte além do limite: só quem passa dele é cortado.
    lim.tamanhoArquivo = config.limiteSaida + 1;
    const ResultadoVigiado r = ExecutaVigiado({exe}, lim);
    if (!r.iniciado) {
        e.falha = "o programa compilado não pôde ser executado: " + r.erro;
        e.situacao = "erro-execucao 0";
        return e;
    }
    bool cortada = false;
    const std::string saida = leAte(lim.arquivoSaida, config.limiteSaida, cortada);
    bool errosCortados = false;
    const std::string erros = TextoEsperado(leAte(lim.arquivoErros, 4096, errosCortados));
    e.obtido = LinhasNormalizadas(TextoObtido(saida));
    const auto esperado = LinhasNormalizadas(caso.esperado);
    const long long mb = config.limiteSaida >> 20;
    const std::string limiteTexto =
        mb > 0 ? std::to_string(mb) + " MB" : std::to_string(config.limiteSaida) + " bytes";
    if (r.tempoEsgotado) {
        e.situacao = "tempo";
        e.observacao = "O programa não terminou em " + segundos(config.tempo) + " e foi interrompido.";
    } else if (cortada) {
        e.situacao = "saida";
        e.linhaDiferente = PrimeiraDiferenca(esperado, e.obtido);
        e.observacao = "A saída passou de " + limiteTexto + " e foi cortada.";
    } else if (r.semMemoria) {
        e.situacao = "erro-execucao 203"; // estouro do heap, no Turbo Pascal
        e.observacao =
            "O programa precisa de mais de " + std::to_string(config.memoria >> 20) + " MB de memória.";
    } else if (r.sinal == SIGXFSZ) {
        // Um arquivo gravado pelo programa passou do limite: para o Turbo
        // Pascal, erro de escrita em disco.
        e.situacao = "erro-execucao 101";
        e.observacao = "Um arquivo gravado pelo programa passou de " + limiteTexto + ".";
    } else if (r.sinal != 0) {
        // Morto por um sinal antes que o próprio programa o tratasse (na
        // carga, sem memória): o número do Turbo Pascal mais próximo.
        const int numero = r.sinal == SIGFPE ? 200 : r.sinal == SIGSEGV || r.sinal == SIGBUS ? 216 : r.status;
        e.situacao = "erro-execucao " + std::to_string(numero);
        e.observacao = "O programa foi encerrado pelo sinal " + std::to_string(r.sinal) +
                       (r.sinal == SIGSEGV ? " (acesso inválido à memória; o limite é de " +
                                                 std::to_string(config.memoria >> 20) + " MB)."
                                           : ".");
    } else if (r.status != 0) {
        e.situacao = "erro-execucao " + std::to_string(r.status);
        e.observacao = primeiraLinha(erros);
        if (e.observacao.empty())
            e.observacao = "O programa terminou com o código " + std::to_string(r.status) + ".";
    } else {
        e.linhaDiferente = PrimeiraDiferenca(esperado, e.obtido);
        e.situacao = e.linhaDiferente < 0 ? "ok" : "saida";
        if (e.linhaDiferente >= 0)
            e.observacao = "Saída diferente na linha " + std::to_string(e.linhaDiferente + 1) + ".";
    }
    return e;
}

} // namespace

ResultadoAluno CorrigeAluno(const Entrega& entrega, const std::vector<Caso>& casos,
                            const Configuracao& config)
{
    ResultadoAluno r;
    r.aluno = entrega.aluno;
    r.casos = static_cast<int>(casos.size());
    r.situacaoCasos.assign(casos.size(), std::string());
    PastaPrivada privada(config.pastaTemporaria);
    if (privada.caminho.empty()) {
        r.mensagem = r.falhaCorrecao = "não foi possível criar a pasta temporária do aluno";
        return r;
    }
    // Tudo acontece numa cópia: o tradutor grava o .pas ao lado do
    // algoritmo e o compilador grava o programa ao lado do .pas.
    const std::string alg = privada.caminho + "/" + fs::path(entrega.caminho).filename().string();
    std::error_code ec;
    fs::copy_file(entrega.caminho, alg, ec);
    if (ec) {
        r.mensagem = r.mensagemCompleta =
            "Não foi possível ler \"" + entrega.caminho + "\": " + ec.message() + ".";
        return r;
    }

    Tradutor tradutor;
    std::string erro;
    if (!tradutor.TraduzArquivo(alg, erro)) {
        r.mensagem = r.mensagemCompleta = paraMensagem(erro, privada.caminho);
        return r;
    }
    const EstadoTraducao& estado = tradutor.estado();
    if (estado.TotalErros > 0) {
        r.situacao = Situacao::Estrutura;
        // Na planilha, só as linhas numeradas, sem o título e os brancos.
        const auto& linhas = estado.Estrutura.ErrosSintaxe;
        const auto& ondeNoAlgoritmo = estado.Estrutura.LinhaAlgoritmo;
        for (std::size_t i = 0; i < linhas.size(); ++i) {
            std::string l = paraMensagem(linhas[i], privada.caminho);
            if (i < ondeNoAlgoritmo.size() && ondeNoAlgoritmo[i] > 0)
                l += " (linha " + std::to_string(ondeNoAlgoritmo[i]) + ")";
            r.mensagemCompleta += l + "\n";
            const auto ini = l.find_first_not_of(' ');
            if (i > 0 && ini != std::string::npos)
                r.mensagem += (r.mensagem.empty() ? "" : " ") + l.substr(ini);
        }
        r.mensagemCompleta += De1252(TextoResumoEstrutura(estado.TotalErros));
        r.mensagem = umaLinha(r.mensagem);
        return r;
    }

    std::vector<std::string> linhas;
    LeTodasAsLinhas(alg, linhas);
    EntradaCompilacao entrada = EntradaDe(estado, std::move(linhas));
    entrada.PastaPrograma = config.pastaPrograma;
    entrada.ArquivoRelatorio = privada.caminho + "/relatorio.tmp";
    entrada.NomePif.clear(); // o console não é usado aqui
    const ResultadoCompilacao c = CompilaPrograma(entrada);
    if (c.situacao == SituacaoCompilacao::ErroCompilacao) {
        for (const std::string& linha : c.LinhasErro)
            r.mensagemCompleta += paraMensagem(linha, privada.caminho) + "\n";
        r.mensagem =
            umaLinha(paraMensagem(c.LinhasErro.empty() ? std::string() : c.LinhasErro[0], privada.caminho));
        return r;
    }
    if (c.situacao != SituacaoCompilacao::Sucesso) {
        r.mensagem = r.mensagemCompleta = umaLinha(c.mensagem);
        // Um compilador lento demais ainda é culpa da entrega; o resto, não.
        if (c.situacao != SituacaoCompilacao::TempoEsgotado)
            r.falhaCorrecao = r.mensagem;
        return r;
    }

    r.situacao = Situacao::Ok;
    const std::string exe = fs::absolute(estado.NomeExe, ec).string();
    for (std::size_t i = 0; i < casos.size(); ++i) {
        Execucao e = rodaCaso(exe, casos[i], privada.caminho, config);
        r.situacaoCasos[i] = e.situacao;
        if (!e.falha.empty() && r.falhaCorrecao.empty())
            r.falhaCorrecao = e.falha;
        if (e.situacao == "ok") {
            ++r.acertos;
            continue;
        }
        if (r.detalhe)
            continue;
        r.situacao = Situacao::Falhou;
        Detalhe d;
        d.caso = casos[i].nome;
        d.situacao = e.situacao;
        if (!casos[i].entrada.empty()) {
            bool cortada = false;
            d.entrada = TextoEsperado(leAte(casos[i].entrada, 64 * 1024, cortada));
        }
        d.esperado = LinhasNormalizadas(casos[i].esperado);
        d.obtido = std::move(e.obtido);
        d.linhaDiferente = e.linhaDiferente;
        d.observacao = e.falha.empty() ? e.observacao : e.falha;
        r.mensagem = umaLinha("caso " + d.caso + ": " + d.observacao);
        r.detalhe = std::move(d);
    }
    return r;
}

} // namespace vendrilo::correcao
