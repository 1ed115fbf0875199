#include "translate/tradutor.h"

#include "translate/moldura.h"
#include "translate/leitor_linhas.h"
#include "translate/tabela_palavras.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>
#include <vector>

namespace vendrilo {

namespace {

namespace fs = std::filesystem;

// A entrada é lida em blocos do tamanho do despejo da saída.
constexpr std::size_t TamanhoBloco = Tradutor::TamanhoDespejo;

// Uma palavra deste tamanho já não pode ser palavra-chave nem "=": o que
// se acumulou dela é escrito, e a memória não cresce com ela.
constexpr std::size_t LimitePalavra = 4096;

bool ehCaractereLiteral(char c)
{
    return c == '"' || c == '\'' || c == '{' || c == '}' || c == '\t';
}

bool ehCaractereDePalavra(char c) { return c != ' ' && !ehCaractereLiteral(c); }

char maiuscula(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string motivo(int codigo)
{
    switch (codigo) {
    case ENOENT: return "arquivo ou pasta inexistente";
    case EACCES:
    case EPERM: return "permissão negada";
    case EISDIR: return "é uma pasta, não um arquivo";
    case ENOTDIR: return "uma parte do caminho não é pasta";
    case ENOSPC: return "não há espaço no disco";
    case EROFS: return "o disco só permite leitura";
    case ENAMETOOLONG: return "nome longo demais";
    case EMFILE:
    case ENFILE: return "arquivos abertos demais";
    case EIO: return "erro de leitura ou gravação no dispositivo";
    default: return "erro de entrada e saída (código " + std::to_string(codigo) + ")";
    }
}

// Verdadeiro quando os dois caminhos levam ao mesmo arquivo existente.
bool mesmoArquivo(const std::string& a, const std::string& b)
{
    if (a == b)
        return true;
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

// Apaga um arquivo antigo (ou link); pastas e o que não existe ficam.
bool apagaAntigo(const std::string& caminho, std::error_code& ec)
{
    ec.clear();
    const auto st = fs::symlink_status(caminho, ec);
    if (ec || st.type() == fs::file_type::not_found || st.type() == fs::file_type::directory) {
        ec.clear();
        return true;
    }
    return fs::remove(caminho, ec);
}

} // namespace

Tradutor::Tradutor() { saida_.reserve(TamanhoBloco + LimitePalavra + 256); }

Tradutor::~Tradutor() { fechaSemConferir(); }

// ---------------------------------------------------------------- comando

bool Tradutor::TraduzArquivo(const std::string& caminhoAlg, std::string& erro)
{
    erro_.clear();
    EstadoTraducao& e = estado_;
    const NomesDerivados nomes = DerivaNomes(caminhoAlg);
    e.NomeAlg = nomes.NomeAlg;
    e.NomePas = nomes.NomePas;
    e.NomeExe = nomes.NomeExe;
    e.NomePif = nomes.NomePif;

    // Um algoritmo salvo como "x.alg.pas" seria apagado e sobrescrito pela
    // própria tradução: recusa antes de tocar em qualquer arquivo.
    for (const std::string* derivado : {&e.NomePas, &e.NomeExe, &e.NomePif})
        if (mesmoArquivo(e.NomeAlg, *derivado)) {
            erro = "O algoritmo \"" + e.NomeAlg +
                   "\" tem o mesmo nome de um arquivo que a tradução gera; salve-o com a extensão .ALG.";
            return false;
        }

    std::error_code ec;
    apagaAntigo(e.NomePas, ec); // se não sair, a criação do .pas dirá por quê
    if (!apagaAntigo(e.NomeExe, ec) && ec) {
        // Um programa velho que ficasse seria executado como se fosse deste algoritmo.
        erro = "Não foi possível apagar o programa antigo \"" + e.NomeExe + "\": " + motivo(ec.value()) + ".";
        return false;
    }

    e.TotalTipos = TotalTiposPalavra;
    e.CapacidadeErros = CapacidadeListaErros;
    e.TipoLaco = 0;
    e.Estrutura.ErrosSintaxe.clear();

    AbreArquivos();
    GeraCabecalho();
    ZeraContadores();
    TraduzLinhas();
    FechaArquivos();
    if (falhou()) {
        fechaSemConferir();
        // Um .pas pela metade pareceria um programa válido: não fica.
        std::error_code ignorado;
        if (fs::is_regular_file(e.NomePas, ignorado))
            fs::remove(e.NomePas, ignorado);
        erro = erro_;
        return false;
    }
    VerificaEstrutura();
    return true;
}

// ---------------------------------------------------------------- arquivos

void Tradutor::AbreArquivos()
{
    // Começo de uma tradução: a falha de uma anterior não vale para esta.
    erro_.clear();
    fechaSemConferir();
    estado_.LinhaLida = {};
    estado_.LinhaAtual = 0;
    saida_.clear();
    std::string porque;
    // Só arquivo comum: um FIFO travaria a tradução e /dev/zero geraria um .pas sem fim.
    ArquivoAlgoritmo = AbreArquivoComum(estado_.NomeAlg, UINTMAX_MAX, porque);
    if (!ArquivoAlgoritmo) {
        falha("Não foi possível abrir o algoritmo \"" + estado_.NomeAlg + "\": " +
              (porque.empty() ? motivo(errno) : porque) + ".");
        return;
    }
    ArquivoPascal = std::fopen(estado_.NomePas.c_str(), "wb");
    if (!ArquivoPascal)
        falha("Não foi possível criar o programa \"" + estado_.NomePas + "\": " + motivo(errno) + ".");
}

void Tradutor::FechaArquivos()
{
    if (ArquivoAlgoritmo) {
        std::fclose(ArquivoAlgoritmo);
        ArquivoAlgoritmo = nullptr;
    }
    if (!ArquivoPascal)
        return;
    descarregaSaida();
    if (std::fclose(ArquivoPascal) != 0 && !falhou())
        falha("Não foi possível gravar o programa \"" + estado_.NomePas + "\": " + motivo(errno) + ".");
    ArquivoPascal = nullptr;
}

void Tradutor::fechaSemConferir()
{
    if (ArquivoAlgoritmo)
        std::fclose(ArquivoAlgoritmo);
    if (ArquivoPascal)
        std::fclose(ArquivoPascal);
    ArquivoAlgoritmo = ArquivoPascal = nullptr;
    saida_.clear();
}

void Tradutor::falha(std::string mensagem)
{
    if (erro_.empty())
        erro_ = std::move(mensagem);
}

// ---------------------------------------------------------------- saída

void Tradutor::terminaLinhaSaida() { escreve("\r\n"); }

void Tradutor::descarregaSaida()
{
    if (ArquivoPascal && !falhou() && !saida_.empty()) {
        if (std::fwrite(saida_.data(), 1, saida_.size(), ArquivoPascal) != saida_.size())
            falha("Não foi possível gravar o programa \"" + estado_.NomePas + "\": " + motivo(errno) + ".");
    }
    saida_.clear();
}

// ---------------------------------------------------------------- passos

void Tradutor::GeraCabecalho()
{
    if (falhou())
        return;
    for (const std::string& linha : LinhasMoldura()) {
        escreve(linha);
        terminaLinhaSaida();
    }
    estado_.EstadoCabecalho = CabecalhoAberto;
    estado_.BibliotecaUsada = 0;
}

void Tradutor::ZeraContadores()
{
    EstadoTraducao& e = estado_;
    const int limite = std::min<int>(e.TotalTipos, static_cast<int>(e.ContadorTipos.size()) - 1);
    for (int i = 1; i <= limite; ++i)
        e.ContadorTipos[i] = 0;
    e.Estrutura = ResultadoEstrutura{};
    e.Blocos = CasadorBlocos{};
    e.TotalErros = 0;
}

void Tradutor::VerificaEstrutura()
{
    estado_.Estrutura = vendrilo::VerificaEstrutura(estado_.ContadorTipos, estado_.Blocos.Termina());
    estado_.TotalErros = estado_.Estrutura.TotalErros;
}

void Tradutor::TraduzLinhas()
{
    if (falhou() || !ArquivoAlgoritmo)
        return;
    EstadoTraducao& e = estado_;
    std::vector<char> bloco(TamanhoBloco);
    bool emLinha = false;      // há uma linha começada ainda sem quebra
    bool algumaLinha = false;
    bool crPendente = false;   // CR no fim do bloco anterior: um LF a seguir é o par dele

    auto iniciaLinha = [&] {
        e.PalavraSaida.clear();
        e.PalavraMaiuscula.clear();
        e.TerminadorLinha.clear();
        e.ContadorAspas = 0;
        palavraLongaEmCurso_ = false;
        emLinha = true;
        if (e.LinhaAtual < std::numeric_limits<int>::max())
            ++e.LinhaAtual;
    };
    auto terminaLinha = [&] {
        if (!e.PalavraSaida.empty() || palavraLongaEmCurso_)
            TraduzPalavra();
        if (!e.TerminadorLinha.empty()) {
            if (e.TerminadorLinha == "=" && e.ContadorIgual == 1)
                e.TerminadorLinha = ";";
            escreve(e.TerminadorLinha);
        }
        terminaLinhaSaida();
        emLinha = false;
        algumaLinha = true;
    };

    for (;;) {
        const std::size_t lidos = std::fread(bloco.data(), 1, bloco.size(), ArquivoAlgoritmo);
        if (lidos == 0) {
            if (std::ferror(ArquivoAlgoritmo)) {
                falha("Não foi possível ler o algoritmo \"" + e.NomeAlg + "\": " + motivo(errno) + ".");
                return;
            }
            break;
        }
        std::size_t pos = 0;
        while (pos < lidos && !falhou()) {
            if (crPendente) {
                crPendente = false;
                if (bloco[pos] == '\n') {
                    ++pos;
                    continue;
                }
            }
            if (!emLinha)
                iniciaLinha();
            // O trecho até a próxima quebra (ou o fim do bloco) é a linha lida.
            std::size_t fim = pos;
            while (fim < lidos && bloco[fim] != '\r' && bloco[fim] != '\n' && bloco[fim] != '\0')
                ++fim;
            e.LinhaLida = std::string_view(bloco.data() + pos, fim - pos);
            trataTrecho(e.LinhaLida);
            if (fim == lidos)
                break;
            terminaLinha();
            crPendente = bloco[fim] == '\r';
            pos = fim + 1;
        }
        if (falhou())
            return;
    }
    e.LinhaLida = {};
    if (emLinha)
        terminaLinha();
    if (!algumaLinha) { // arquivo vazio: ainda assim uma linha
        iniciaLinha();
        terminaLinha();
    }
}

void Tradutor::TrataCaractere(char c)
{
    EstadoTraducao& e = estado_;
    if (!e.EmLiteral) {
        if (c == ' ') {
            TraduzPalavra();
            return;
        }
        if (!ehCaractereLiteral(c)) {
            AcrescentaCaractere(c);
            return;
        }
    }
    const char escrito = c == '"' ? '\'' : c == '\t' ? ' ' : c;
    // Palavra colada a aspas, chave ou tabulação sai como foi digitada.
    if (!e.PalavraMaiuscula.empty() || palavraLongaEmCurso_) {
        escreve(e.PalavraSaida);
        e.PalavraSaida.clear();
        e.PalavraMaiuscula.clear();
        palavraLongaEmCurso_ = false;
    }
    escreve(escrito);
    if (escrito == '{') {
        e.EmLiteral = true;
    } else if (escrito == '}') {
        e.EmLiteral = false;
    } else if (escrito == '\'') {
        ++e.ContadorAspas;
        if (e.ContadorAspas == 1) {
            e.EmLiteral = true;
        } else {
            e.EmLiteral = false;
            e.ContadorAspas = 0;
        }
    }
}

void Tradutor::trataTrecho(std::string_view trecho)
{
    // Caminho rápido: fora de literal, uma sequência de caracteres de palavra
    // vai para a palavra de uma vez; o resto passa por TrataCaractere.
    EstadoTraducao& e = estado_;
    std::size_t i = 0;
    while (i < trecho.size()) {
        if (e.EmLiteral || !ehCaractereDePalavra(trecho[i])) {
            TrataCaractere(trecho[i++]);
            continue;
        }
        std::size_t fim = i + 1;
        while (fim < trecho.size() && ehCaractereDePalavra(trecho[fim]))
            ++fim;
        while (i < fim) {
            // Em pedaços que cabem no limite, para a palavra longa sair em partes.
            const std::size_t n = std::min(fim - i, LimitePalavra - e.PalavraSaida.size());
            e.PalavraSaida.append(trecho.data() + i, n);
            const std::size_t antes = e.PalavraMaiuscula.size();
            e.PalavraMaiuscula.append(trecho.data() + i, n);
            for (std::size_t k = antes; k < e.PalavraMaiuscula.size(); ++k)
                e.PalavraMaiuscula[k] = maiuscula(e.PalavraMaiuscula[k]);
            i += n;
            if (e.PalavraSaida.size() >= LimitePalavra)
                descarregaPalavraLonga();
        }
    }
}

void Tradutor::AcrescentaCaractere(char c)
{
    EstadoTraducao& e = estado_;
    e.PalavraSaida.push_back(c);
    e.PalavraMaiuscula.push_back(maiuscula(c));
    if (e.PalavraSaida.size() >= LimitePalavra)
        descarregaPalavraLonga();
}

void Tradutor::descarregaPalavraLonga()
{
    // Nunca há separador pendente aqui (EstadoCabecalho só vale 3 dentro de
    // TraduzPalavra), então escrever já o começo da palavra não muda a saída.
    escreve(estado_.PalavraSaida);
    estado_.PalavraSaida.clear();
    estado_.PalavraMaiuscula.clear();
    palavraLongaEmCurso_ = true;
}

void Tradutor::TraduzPalavra()
{
    EstadoTraducao& e = estado_;
    e.TipoPalavra = 0;
    if (!palavraLongaEmCurso_) {
        if (e.PalavraSaida == "=") {
            ++e.ContadorIgual;
        } else if (const PalavraChave* p = ProcuraPalavra(e.PalavraMaiuscula)) {
            std::string_view texto = p->pascal;
            if ((p->forma == FormaPascal::PorSecaoTipos && e.SecaoTipos == 1) ||
                (p->forma == FormaPascal::PorEstadoCaso && e.EstadoCaso != 0))
                texto = p->pascalAlternativo;
            e.PalavraSaida.assign(texto);
            if (p->formaTerminador == FormaTerminador::Fixo)
                e.TerminadorLinha.assign(p->terminador);
            else if (p->formaTerminador == FormaTerminador::PorMarcaConstante)
                e.TerminadorLinha = e.MarcaConstante == "C" ? "=" : ";";

            const unsigned ef = p->efeitos;
            if ((ef & PedeSeparador) && e.EstadoCabecalho == CabecalhoAberto)
                e.EstadoCabecalho = SeparadorDevido;
            if (ef & ZeraSecaoTipos)
                e.SecaoTipos = 0;
            if (ef & AbreSecaoTipos)
                e.SecaoTipos = 1;
            if (ef & ZeraContadorIgual)
                e.ContadorIgual = 0;
            if (ef & MarcaConstanteC)
                e.MarcaConstante = "C";
            if (ef & MarcaConstanteEspaco)
                e.MarcaConstante = " ";
            if (ef & LacoEnquanto)
                e.TipoLaco = 1;
            if (ef & LacoPara)
                e.TipoLaco = 2;
            if (ef & ZeraEstadoCaso)
                e.EstadoCaso = 0;
            if ((ef & PrimeiroCaso) && e.EstadoCaso == 0)
                e.EstadoCaso = 1;
            if (ef & CasoContrario)
                e.EstadoCaso = 2;
            if (ef & FechaComBiblioteca) {
                e.EstadoCabecalho = CabecalhoFechado;
                e.BibliotecaUsada = 1;
            }
            e.TipoPalavra = p->tipo;
        }
    }

    if (e.TipoPalavra != 0) {
        // FACA de ENQUANTO conta à parte, no último contador.
        const int tipo = (e.TipoPalavra == 51 && e.TipoLaco == 1) ? e.TotalTipos : e.TipoPalavra;
        if (tipo >= 1 && tipo < static_cast<int>(e.ContadorTipos.size())) {
            ++e.ContadorTipos[tipo];
            e.Blocos.Palavra(tipo, e.LinhaAtual);
        }
    }

    if (e.EstadoCabecalho == SeparadorDevido) {
        escreve(';');
        terminaLinhaSaida();
        e.EstadoCabecalho = CabecalhoFechado;
        e.TerminadorLinha = " ";
    }

    escreve(e.PalavraSaida);
    escreve(' ');
    e.PalavraSaida.clear();
    e.PalavraMaiuscula.clear();
    palavraLongaEmCurso_ = false;
}

} // namespace vendrilo
