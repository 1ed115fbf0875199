#include "translate/tradutor.h"

#include "translate/moldura.h"
#include "translate/leitor_linhas.h"
#include "translate/tabela_palavras.h"

#include <algorithm>
#include <array>
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

// Classe de cada byte para a varredura: quase todos são de palavra, e o laço
// só para nos poucos que mudam alguma coisa.
enum ClasseByte : unsigned char { DePalavra, Espaco, Literal, Quebra };

constexpr std::array<unsigned char, 256> TabelaClasses = [] {
    std::array<unsigned char, 256> t{};
    t[' '] = Espaco;
    for (unsigned char c : {'"', '\'', '{', '}', '\t'})
        t[c] = Literal;
    for (unsigned char c : {'\r', '\n', '\0'})
        t[c] = Quebra;
    return t;
}();

unsigned char classe(char c)
{
    return TabelaClasses[static_cast<unsigned char>(c)];
}

// Maior palavra que passa pela busca na tabela sem ir para a memória dinâmica.
constexpr std::size_t MaiusculaNaPilha = 64;

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
    escritoAntes_ = inicioLinhaPas_ = 0;
    estado_.Colunas.inicioLinha.assign(1, 0);
    estado_.Colunas.trechos.clear();
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

// O mapa de colunas serve aos algoritmos de gente: num arquivo gigante ele
// para de crescer (poucos MiB), e as linhas seguintes ficam com a coluna do
// Pascal.
constexpr std::size_t LimiteMapaColunas = std::size_t(1) << 18;

void Tradutor::terminaLinhaSaida()
{
    escreve("\r\n");
    inicioLinhaPas_ = escritoAntes_ + saida_.size();
    auto& m = estado_.Colunas;
    if (m.inicioLinha.size() < LimiteMapaColunas && m.trechos.size() < LimiteMapaColunas)
        m.inicioLinha.push_back(static_cast<std::uint32_t>(m.trechos.size()));
}

void Tradutor::registraColunas(std::uint32_t pascal, std::uint32_t algoritmo, std::uint32_t tamPascal,
                               std::uint32_t tamAlgoritmo)
{
    auto& t = estado_.Colunas.trechos;
    if (t.size() >= LimiteMapaColunas || estado_.Colunas.inicioLinha.size() >= LimiteMapaColunas)
        return;
    // Um trecho do mesmo tamanho nos dois textos, no deslocamento que o
    // anterior já deixou, não precisa ser guardado: o mapa segue um a um
    // depois de cada trecho. Só as palavras que mudam de tamanho ocupam
    // memória, e um algoritmo enorme não pesa por isso.
    if (tamPascal == tamAlgoritmo) {
        const bool primeiro = t.size() <= estado_.Colunas.inicioLinha.back();
        const std::uint64_t fimP = primeiro ? 0 : t.back().pascal + t.back().tamanhoPascal;
        const std::uint64_t fimA = primeiro ? 0 : t.back().algoritmo + t.back().tamanhoAlgoritmo;
        if (static_cast<std::int64_t>(pascal - fimP) == static_cast<std::int64_t>(algoritmo - fimA) &&
            pascal >= fimP)
            return;
    }
    t.push_back({pascal, algoritmo, tamPascal, tamAlgoritmo});
}

void Tradutor::descarregaSaida()
{
    if (ArquivoPascal && !falhou() && !saida_.empty()) {
        if (std::fwrite(saida_.data(), 1, saida_.size(), ArquivoPascal) != saida_.size())
            falha("Não foi possível gravar o programa \"" + estado_.NomePas + "\": " + motivo(errno) + ".");
    }
    escritoAntes_ += saida_.size();
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
        colunaAlg_ = 0;
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
            const char* inicio = bloco.data() + pos;
            const std::size_t fim =
                static_cast<std::size_t>(trataTrecho(inicio, bloco.data() + lidos) - bloco.data());
            e.LinhaLida = std::string_view(inicio, fim - pos);
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
        if (!palavraLongaEmCurso_) {
            const auto n = static_cast<std::uint32_t>(e.PalavraSaida.size());
            registraColunas(colunaPascal(), inicioPalavraAlg_, n, n);
        }
        escreve(e.PalavraSaida);
        e.PalavraSaida.clear();
        e.PalavraMaiuscula.clear();
        palavraLongaEmCurso_ = false;
    }
    registraColunas(colunaPascal(), colunaAlg_, 1, 1);
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

const char* Tradutor::trataTrecho(const char* p, const char* fim)
{
    // Os trechos sem nada de especial (palavra inteira, brancos, miolo de
    // texto ou comentário) vão de uma vez; o resto passa por TrataCaractere.
    EstadoTraducao& e = estado_;
    while (p < fim) {
        const unsigned char k = classe(*p);
        if (k == Quebra)
            return p;
        const bool palavraPendente = !e.PalavraSaida.empty() || palavraLongaEmCurso_;
        if (e.EmLiteral && k != Literal && !palavraPendente) {
            // Dentro de texto ou comentário só aspas, chaves e tabulação mudam
            // algo. O mapa de colunas guarda no máximo o primeiro byte do
            // trecho: os seguintes, contíguos e do mesmo tamanho, nunca entram.
            const char* q = p + 1;
            while (q < fim && classe(*q) <= Espaco)
                ++q;
            registraColunas(colunaPascal(), colunaAlg_, 1, 1);
            escreve(std::string_view(p, static_cast<std::size_t>(q - p)));
            colunaAlg_ += static_cast<std::uint32_t>(q - p);
            p = q;
            continue;
        }
        if (e.EmLiteral || k == Literal || (k == Espaco && palavraPendente)) {
            TrataCaractere(*p++);
            ++colunaAlg_;
            continue;
        }
        if (k == Espaco) {
            // Sem palavra corrente, cada espaço traduz uma palavra vazia: só
            // escreve o espaço.
            const char* q = p + 1;
            while (q < fim && *q == ' ')
                ++q;
            e.TipoPalavra = 0;
            escreve(std::string_view(p, static_cast<std::size_t>(q - p)));
            colunaAlg_ += static_cast<std::uint32_t>(q - p);
            p = q;
            continue;
        }
        const char* q = p + 1;
        while (q < fim && classe(*q) == DePalavra)
            ++q;
        const auto n = static_cast<std::size_t>(q - p);
        // Palavra inteira dentro do bloco (termina num espaço ou na quebra):
        // traduzida direto do bloco, sem cópia.
        if (!palavraPendente && q < fim && classe(*q) != Literal && n < LimitePalavra) {
            inicioPalavraAlg_ = colunaAlg_;
            colunaAlg_ += static_cast<std::uint32_t>(n);
            char maiusculas[MaiusculaNaPilha];
            std::size_t m = 0;
            if (n <= MaiusculaNaPilha)
                for (; m < n; ++m)
                    maiusculas[m] = maiuscula(p[m]);
            traduzPalavra(std::string_view(p, n), std::string_view(maiusculas, m));
            p = q;
            if (*p == ' ') {
                ++p;
                ++colunaAlg_;
            }
            continue;
        }
        if (!palavraPendente)
            inicioPalavraAlg_ = colunaAlg_;
        colunaAlg_ += static_cast<std::uint32_t>(n);
        acrescentaTrecho(p, n);
        p = q;
    }
    return fim;
}

void Tradutor::acrescentaTrecho(const char* p, std::size_t n)
{
    EstadoTraducao& e = estado_;
    while (n > 0) {
        // Em pedaços que cabem no limite, para a palavra longa sair em partes.
        const std::size_t k = std::min(n, LimitePalavra - e.PalavraSaida.size());
        e.PalavraSaida.append(p, k);
        const std::size_t antes = e.PalavraMaiuscula.size();
        e.PalavraMaiuscula.append(p, k);
        for (std::size_t i = antes; i < e.PalavraMaiuscula.size(); ++i)
            e.PalavraMaiuscula[i] = maiuscula(e.PalavraMaiuscula[i]);
        p += k;
        n -= k;
        if (e.PalavraSaida.size() >= LimitePalavra)
            descarregaPalavraLonga();
    }
}

void Tradutor::AcrescentaCaractere(char c)
{
    EstadoTraducao& e = estado_;
    if (e.PalavraSaida.empty() && !palavraLongaEmCurso_)
        inicioPalavraAlg_ = colunaAlg_;
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
    traduzPalavra(estado_.PalavraSaida, estado_.PalavraMaiuscula);
}

void Tradutor::traduzPalavra(std::string_view digitada, std::string_view maiusculas)
{
    EstadoTraducao& e = estado_;
    std::string_view saida = digitada;
    e.TipoPalavra = 0;
    if (!palavraLongaEmCurso_) {
        if (digitada == "=") {
            ++e.ContadorIgual;
        } else if (const PalavraChave* p = ProcuraPalavra(maiusculas)) {
            std::string_view texto = p->pascal;
            if ((p->forma == FormaPascal::PorSecaoTipos && e.SecaoTipos == 1) ||
                (p->forma == FormaPascal::PorEstadoCaso && e.EstadoCaso != 0))
                texto = p->pascalAlternativo;
            saida = texto;
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
                // Só muda a correspondência das linhas a BIBLIOTECA que fecha
                // o USES; depois do separador ela não tira linha nenhuma.
                if (e.EstadoCabecalho != CabecalhoFechado)
                    e.BibliotecaUsada = 1;
                e.EstadoCabecalho = CabecalhoFechado;
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

    if (!saida.empty() && !palavraLongaEmCurso_)
        registraColunas(colunaPascal(), inicioPalavraAlg_, static_cast<std::uint32_t>(saida.size()),
                        colunaAlg_ - inicioPalavraAlg_);
    escreve(saida);
    escreve(' ');
    e.PalavraSaida.clear();
    e.PalavraMaiuscula.clear();
    palavraLongaEmCurso_ = false;
}

} // namespace vendrilo
