#include "translate/compilacao.h"
#include "translate/dica_dialeto.h"
#include "translate/leitor_linhas.h"

#include "check/mapeamento.h"
#include "platform/pasta_programa.h"
#include "platform/processo.h"
#include "translate/moldura.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

namespace fs = std::filesystem;

namespace vendrilo {

namespace {

bool existe(const std::string& caminho)
{
    std::error_code ec;
    return fs::exists(caminho, ec);
}

void apaga(const std::string& caminho)
{
    std::error_code ec;
    fs::remove(caminho, ec);
}

std::string linha(const std::vector<std::string>& v, std::size_t i)
{
    return i < v.size() ? v[i] : std::string();
}

// Os arquivos de apoio, na ordem em que são conferidos; vazio se completos.
bool apoioCompleto(const std::string& pasta)
{
    return existe(pasta + "/" + NomeUnidadeApoio) && existe(pasta + "/" + NomeObjetoApoio) &&
           existe(pasta + "/" + NomePifPadrao) && !ProcuraPrograma(pasta + "/" + NomeCompilador).empty() &&
           !ProcuraPrograma("fpc").empty();
}

std::string nomeExeDe(const std::string& NomePas)
{
    return NomePas.size() < 3 ? NomePas + ".exe" : NomePas.substr(0, NomePas.size() - 3) + "exe";
}

} // namespace

EntradaCompilacao EntradaDe(const EstadoTraducao& estado, std::vector<std::string> linhasAlgoritmo)
{
    EntradaCompilacao e;
    e.NomePas = estado.NomePas;
    e.NomePif = estado.NomePif;
    e.TotalErros = estado.TotalErros;
    e.BibliotecaUsada = estado.BibliotecaUsada;
    e.LinhasAlgoritmo = std::move(linhasAlgoritmo);
    e.Colunas = estado.Colunas;
    return e;
}

std::string TextoLinhaComando(const std::string& pasta, const std::string& NomePas)
{
    return "cmd.exe /c " + pasta + "/" + NomeCompilador + " /U" + pasta + " " + NomePas + " > " + pasta + "/" +
           NomeRelatorioCompilador;
}

ResultadoCompilacao CompilaPrograma(const EntradaCompilacao& entrada)
{
    ResultadoCompilacao r;
    const bool pastaPadrao = entrada.PastaPrograma.empty();
    const std::string pasta = pastaPadrao ? PastaPrograma() : entrada.PastaPrograma;
    const bool relatorioProprio = !entrada.ArquivoRelatorio.empty();
    const std::string relatorio =
        relatorioProprio ? entrada.ArquivoRelatorio : pasta + "/" + NomeRelatorioCompilador;

    // 1. Arquivos de apoio. A pasta padrão é preenchida no primeiro uso.
    bool completo = apoioCompleto(pasta);
    if (!completo && pastaPadrao) {
        PreparaPastaPrograma();
        completo = apoioCompleto(pasta);
    }
    if (!completo) {
        r.situacao = SituacaoCompilacao::ArquivosIncompletos;
        r.mensagem = std::string("Arquivos do Vendrilo de Algoritmos não estão completos!!! "
                                 "Contate a equipe do projeto. (") + ContatoProjeto + ")";
        apaga(entrada.NomePas);
        return r;
    }

    // 2. Erros de estrutura: nada é compilado, o .pas fica.
    if (entrada.TotalErros > 0) {
        r.situacao = SituacaoCompilacao::ErrosEstrutura;
        return r;
    }

    // 4 e 5. O compilador roda sem shell; a linha de comando é só texto.
    r.LinhaComando = TextoLinhaComando(pasta, entrada.NomePas);
    std::optional<TravaPastaPrograma> trava;
    if (!relatorioProprio)
        trava.emplace(pasta);
    apaga(relatorio); // um relatório velho nunca é lido como novo
    OpcoesProcesso op;
    op.arquivoSaida = relatorio;
    op.semEntrada = true;
    op.limite = entrada.Limite;
    std::vector<std::string> argumentos = {pasta + "/" + NomeCompilador, "/U" + pasta, entrada.NomePas};
    if (entrada.InformacaoDepuracao)
        argumentos.insert(argumentos.end() - 1, "-g");
    const ResultadoProcesso proc = ExecutaProcesso(argumentos, op);
    if (!proc.iniciado) {
        r.situacao = SituacaoCompilacao::FalhaExecucao;
        r.mensagem = "Erro na execução!!!";
        apaga(relatorio);
        return r;
    }
    if (proc.tempoEsgotado) {
        r.situacao = SituacaoCompilacao::TempoEsgotado;
        r.mensagem = "O compilador não terminou em " + std::to_string(entrada.Limite.count() / 1000) +
                     " segundos e foi interrompido. Tente traduzir de novo.";
        apaga(relatorio);
        apaga(nomeExeDe(entrada.NomePas)); // pode ter ficado pela metade
        return r;
    }

    // 6. O relatório completo: o processo já terminou.
    std::vector<std::string> Memo1;
    LeTodasAsLinhas(relatorio, Memo1);
    if (Memo1.empty()) {
        r.situacao = SituacaoCompilacao::FalhaExecucao;
        r.mensagem = "Erro na execução!!! O compilador terminou sem relatório (código " +
                     std::to_string(proc.status) + ").";
        apaga(relatorio);
        return r;
    }

    // 7 a 9. Título, mensagem em português e linha do algoritmo.
    Memo1[0] = entrada.Titulo.empty() ? std::string(TituloAplicacao) : entrada.Titulo;
    TrocaMsgErro(Memo1);
    const auto n = TrocaLinhaErro(Memo1, entrada.BibliotecaUsada, entrada.LinhasAlgoritmo);
    r.LinhaMapeada = n.has_value();
    r.LinhaErro = n.value_or(0);
    r.Relatorio = Memo1;

    // 11. Sucesso: a linha 5 traz o resumo.
    if (linha(Memo1, 5).find(" bytes data.") != std::string::npos) {
        r.situacao = SituacaoCompilacao::Sucesso;
        apaga(relatorio);
        if (!entrada.ManterPas && !existe(pasta + "/" + NomeMarcaPas))
            apaga(entrada.NomePas);
    } else {
        r.situacao = SituacaoCompilacao::ErroCompilacao;
        // O "^" sai sob a coluna do algoritmo, e não sob a do Pascal.
        if (r.LinhaMapeada && Memo1.size() > 5 && !entrada.Colunas.inicioLinha.empty()) {
            const auto circ = Memo1[5].find('^');
            if (circ != std::string::npos) {
                const long long L = r.LinhaErro + (entrada.BibliotecaUsada ? 27LL : 28LL);
                const int c = entrada.Colunas.ColunaAlgoritmo(L, static_cast<int>(circ) + 1);
                Memo1[5] = std::string(static_cast<std::size_t>(std::max(c, 1) - 1), ' ') + '^';
                r.Relatorio[5] = Memo1[5];
            }
        }
        r.LinhasErro = {linha(Memo1, 3), linha(Memo1, 4), linha(Memo1, 5)};
        const auto circ = r.LinhasErro[2].find('^');
        r.ColunaErro = circ == std::string::npos ? 0 : static_cast<int>(circ) + 1;
        r.MostraPainel = true;
        if (r.LinhaMapeada && r.LinhaErro >= 0 && r.LinhaErro < static_cast<int>(entrada.LinhasAlgoritmo.size()))
            r.Dica = DicaDialeto(entrada.LinhasAlgoritmo[static_cast<std::size_t>(r.LinhaErro)], r.ColunaErro);
        r.PosicionaCursor = r.LinhaMapeada && r.LinhaErro >= 0 &&
                            r.LinhaErro < static_cast<int>(entrada.LinhasAlgoritmo.size());
        if (r.PosicionaCursor)
            r.LinhaErroExibida = r.LinhaErro + 1;
        apaga(relatorio);
    }

    // 14. O tpc.pif ao lado do programa, sem substituir um que já esteja lá.
    if (!entrada.NomePif.empty()) {
        std::error_code ec;
        fs::copy_file(pasta + "/" + NomePifPadrao, entrada.NomePif, fs::copy_options::skip_existing, ec);
    }
    return r;
}

} // namespace vendrilo
