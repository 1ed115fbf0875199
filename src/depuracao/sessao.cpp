#include "depuracao/sessao.h"

#include "check/mapeamento.h"
#include "depuracao/erros_execucao.h"
#include "depuracao/mi.h"
#include "depuracao/valores.h"
#include "platform/processo.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace vendrilo::depuracao {

namespace {

// Diálogo com o gdb num arquivo, para diagnóstico ($VENDRILO_GDB_REGISTRO).
void registra(char sentido, const std::string& texto)
{
    static const char* caminho = std::getenv("VENDRILO_GDB_REGISTRO");
    if (!caminho || !*caminho)
        return;
    if (std::FILE* f = std::fopen(caminho, "a")) {
        std::fprintf(f, "%c %s\n", sentido, texto.c_str());
        std::fclose(f);
    }
}

using namespace std::chrono_literals;

// Resposta a um comando que não faz o programa andar.
constexpr auto PrazoResposta = 15s;
// Entre duas olhadas no pedido de parada.
constexpr auto Intervalo = 50ms;
// Quantas vezes um passo pode sair de código sem linhas do algoritmo.
constexpr int MaxDesvios = 64;

// Simbolo por onde passa todo erro de execução do Free Pascal.
constexpr const char* RotinaErroExecucao = "'SYSTEM_$$_HANDLEERRORADDRFRAME$LONGINT$POINTER$POINTER'";

std::string nomeBase(const std::string& caminho)
{
    const auto barra = caminho.find_last_of('/');
    return barra == std::string::npos ? caminho : caminho.substr(barra + 1);
}

int numeroDoSinal(const std::string& sinal)
{
    if (sinal == "SIGFPE")
        return 200;
    if (sinal == "SIGSEGV" || sinal == "SIGBUS")
        return 216;
    return 0;
}

long long numero(const std::string& texto, int base = 10)
{
    return std::strtoll(texto.c_str(), nullptr, base);
}

} // namespace

std::string MensagemSemGdb()
{
    return "O depurador gdb não foi encontrado. Para executar passo a passo, instale o pacote "
           "Debian \"gdb\" (sudo apt install gdb).";
}

Sessao::~Sessao()
{
    Encerra();
}

bool Sessao::envia(const std::string& texto, unsigned long& ficha)
{
    ficha = proximaFicha_++;
    registra('>', std::to_string(ficha) + texto);
    return gdb_.Escreve(std::to_string(ficha) + texto + "\n");
}

bool Sessao::esperaResposta(unsigned long ficha, RegistroMi& r)
{
    if (const auto it = guardadas_.find(ficha); it != guardadas_.end()) {
        r = std::move(it->second);
        guardadas_.erase(it);
        return true;
    }
    const auto prazo = std::chrono::steady_clock::now() + PrazoResposta;
    std::string linha;
    while (std::chrono::steady_clock::now() < prazo) {
        const auto lido = gdb_.LeLinha(linha, Intervalo);
        if (lido == CanalProcesso::Leitura::Fim)
            return false;
        if (lido == CanalProcesso::Leitura::Prazo)
            continue;
        registra('<', linha);
        auto reg = LeRegistroMi(linha);
        if (!reg)
            continue;
        if (reg->tipo == '^' && reg->ficha == ficha) {
            r = std::move(*reg);
            return true;
        }
        anota(std::move(*reg));
    }
    return false;
}

void Sessao::anota(RegistroMi&& reg)
{
    if (reg.tipo == '*' && reg.classe == "stopped")
        assincronos_.push_back(std::move(reg));
    else if (reg.tipo == '=' && reg.classe == "thread-group-started")
        pidPrograma_ = numero(reg.resultados.textoDe("pid"));
    else if (reg.tipo == '^' && reg.ficha && antecipadas_.count(*reg.ficha))
        guardadas_[*reg.ficha] = std::move(reg);
}

RegistroMi Sessao::comando(const std::string& texto)
{
    auto v = comandos({texto});
    return v.front();
}

std::vector<RegistroMi> Sessao::comandos(const std::vector<std::string>& textos)
{
    // Todos seguem juntos; as respostas vêm na ordem dos pedidos.
    std::vector<unsigned long> fichas(textos.size());
    std::string lote;
    for (std::size_t i = 0; i < textos.size(); ++i) {
        fichas[i] = proximaFicha_++;
        lote += std::to_string(fichas[i]) + textos[i] + "\n";
        registra('>', std::to_string(fichas[i]) + textos[i]);
    }
    std::vector<RegistroMi> respostas(textos.size());
    bool ok = gdb_.Escreve(lote);
    for (std::size_t i = 0; ok && i < textos.size(); ++i)
        ok = esperaResposta(fichas[i], respostas[i]);
    if (!ok) {
        for (auto& r : respostas)
            if (r.tipo == 0)
                r.tipo = '^', r.classe = "error";
        falha("O gdb parou de responder.");
    }
    return respostas;
}

void Sessao::falha(const std::string& texto)
{
    if (estado_ == EstadoSessao::Falha)
        return;
    estado_ = EstadoSessao::Falha;
    mensagem_ = texto;
}

int Sessao::linhaAlgoritmo(long long linhaPascal) const
{
    return LinhaAlgoritmoDaLinhaPascal(linhaPascal, config_.bibliotecaUsada);
}

bool Sessao::doPrograma(const std::string& arquivo) const
{
    return !arquivo.empty() && nomeBase(arquivo) == arquivoPrograma_;
}

bool Sessao::Inicia(const ConfigSessao& config, std::string& erro)
{
    Encerra();
    config_ = config;
    pedidoParada_ = false;
    assincronos_.clear();
    antecipadas_.clear();
    guardadas_.clear();
    pidPrograma_ = 0;
    interrupcaoAtrasada_ = false;
    paradas_.clear();
    numerosParada_.clear();
    mensagem_.clear();
    std::string gdb = config.gdb;
    if (gdb.empty()) {
        const char* env = std::getenv("VENDRILO_GDB");
        gdb = env && *env ? env : "gdb";
    }
    const std::string caminho = ProcuraPrograma(gdb);
    if (caminho.empty()) {
        erro = MensagemSemGdb();
        return false;
    }
    std::string motivo;
    if (!gdb_.Inicia({caminho, "-q", "-nx", "--interpreter=mi3"}, motivo)) {
        erro = "Não foi possível iniciar o gdb: " + motivo;
        return false;
    }
    estado_ = EstadoSessao::Parada;
    std::vector<std::string> preparo = {
        "-gdb-set confirm off",
        // Síncrono: o que se pede junto com um passo espera o fim dele no
        // gdb, sem uma ida e volta a mais (ver Variaveis).
        "-gdb-set mi-async off",
        "-gdb-set pagination off",
        "-gdb-set startup-with-shell off", // o programa começa sem interpretador
        "-gdb-set print repeats unlimited",
        "-gdb-set print elements 1000",
        "-gdb-set print array-indexes on", // índices declarados, para o painel expandir
        "-gdb-set debuginfod enabled off", // nada de rede nem de pergunta ao abrir
        "-gdb-set auto-load off", // nenhum script junto do programa
        // A cada parada o gdb montaria os argumentos do quadro, que ninguém lê.
        "-gdb-set print frame-arguments none",
        "-gdb-set print entry-values no",
        // Paradas postas uma vez, e não a cada retomada do passo.
        "-gdb-set breakpoint always-inserted on",
        "-file-exec-and-symbols " + AspasMi(config.programa),
        // Sem terminal, o programa herdaria os canais do MI e os corromperia.
        "-inferior-tty-set " + AspasMi(config.terminal.empty() ? "/dev/null" : config.terminal),
    };
    preparo.push_back(std::string("-break-insert ") + AspasMi(RotinaErroExecucao));
    preparo.push_back("-break-insert -t main");
    const auto r = comandos(preparo);
    if (estado_ == EstadoSessao::Falha) {
        erro = mensagem_;
        Encerra();
        return false;
    }
    std::size_t iArquivo = 0;
    while (preparo[iArquivo].rfind("-file-exec-and-symbols", 0) != 0)
        ++iArquivo;
    if (r[iArquivo].classe == "error") {
        erro = "O gdb não conseguiu abrir o programa \"" + config.programa +
               "\": " + r[iArquivo].resultados.textoDe("msg");
        Encerra();
        return false;
    }
    if (const ValorMi* b = r[r.size() - 2].resultados.campo("bkpt"))
        paradaErro_ = b->textoDe("number");
    const ValorMi* inicio = r.back().resultados.campo("bkpt");
    if (r.back().classe == "error" || !inicio || inicio->textoDe("file").empty()) {
        erro = "O programa não tem informação de linhas para a execução passo a passo.";
        Encerra();
        return false;
    }
    arquivoPrograma_ = nomeBase(inicio->textoDe("file"));
    anda("-exec-run");
    if (estado_ == EstadoSessao::Falha) {
        erro = mensagem_;
        Encerra();
        return false;
    }
    return true;
}

bool Sessao::esperaParada(RegistroMi& parada)
{
    bool interrupcaoEnviada = false;
    const auto inicio = std::chrono::steady_clock::now();
    std::string linha;
    for (;;) {
        if (!assincronos_.empty()) {
            parada = std::move(assincronos_.front());
            assincronos_.erase(assincronos_.begin());
            // O programa parou por outro motivo antes de o Ctrl+C chegar: ele
            // fica pendente e pararia o próximo passo logo no começo.
            if (interrupcaoEnviada && parada.resultados.textoDe("signal-name") != "SIGINT")
                interrupcaoAtrasada_ = true;
            return true;
        }
        if (!interrupcaoEnviada &&
            (pedidoParada_ ||
             (config_.deveParar && config_.deveParar(std::chrono::duration_cast<std::chrono::milliseconds>(
                                       std::chrono::steady_clock::now() - inicio))))) {
            pedidoParada_ = true;
            // O gdb síncrono não lê comandos com o programa andando: o
            // Ctrl+C vai direto ao programa, e o gdb para nele.
            if (!InterrompeProcesso(pidPrograma_)) {
                unsigned long f = 0;
                envia("-exec-interrupt", f);
            }
            interrupcaoEnviada = true;
        }
        const auto lido = gdb_.LeLinha(linha, Intervalo);
        if (lido == CanalProcesso::Leitura::Fim)
            return false;
        if (lido == CanalProcesso::Leitura::Prazo)
            continue;
        registra('<', linha);
        if (auto reg = LeRegistroMi(linha))
            anota(std::move(*reg));
    }
}

void Sessao::localizaNoPrograma()
{
    linha_ = -1;
    rotina_.clear();
    nivelQuadro_ = 0;
    const RegistroMi r = comando("-stack-list-frames");
    const ValorMi* pilha = r.resultados.campo("stack");
    if (!pilha)
        return;
    for (const auto& [nome, quadro] : pilha->itens) {
        if (!doPrograma(quadro.textoDe("file")))
            continue;
        linha_ = linhaAlgoritmo(numero(quadro.textoDe("line")));
        const std::string func = quadro.textoDe("func");
        rotina_ = func == "main" ? std::string() : config_.declaracoes.grafia(func);
        nivelQuadro_ = static_cast<int>(numero(quadro.textoDe("level")));
        return;
    }
}

void Sessao::trataParada(const RegistroMi& parada, bool& repete)
{
    repete = false;
    const ValorMi& p = parada.resultados;
    const std::string motivo = p.textoDe("reason");
    if (motivo == "exited-normally" || motivo == "exited") {
        estado_ = EstadoSessao::Terminada;
        codigoSaida_ = static_cast<int>(numero(p.textoDe("exit-code"), 8));
        linha_ = -1;
        return;
    }
    if (motivo == "exited-signalled") {
        estado_ = EstadoSessao::Terminada;
        codigoSaida_ = 128;
        mensagem_ = "O programa foi terminado pelo sinal " + p.textoDe("signal-name") + ".";
        linha_ = -1;
        return;
    }
    bool erroExecucao = motivo == "breakpoint-hit" && p.textoDe("bkptno") == paradaErro_;
    const bool sinal = motivo == "signal-received" || motivo.empty();
    if (erroExecucao || (sinal && p.textoDe("signal-name") != "SIGINT" && !motivo.empty())) {
        const std::string nomeSinal = p.textoDe("signal-name");
        int n = numeroDoSinal(nomeSinal);
        localizaNoPrograma();
        const int linhaSinal = linha_; // a instrução exata que falhou
        if (!erroExecucao && n > 0 && estado_ != EstadoSessao::Falha) {
            // O próprio programa transforma o sinal no seu erro de execução
            // (o número depende do tipo de falha): deixá-lo chegar lá.
            especulacao_.clear(); // a parada final já não é a do passo
            const RegistroMi r = comando("-exec-continue");
            RegistroMi seguinte;
            if (r.classe != "error" && esperaParada(seguinte) &&
                seguinte.resultados.textoDe("reason") == "breakpoint-hit" &&
                seguinte.resultados.textoDe("bkptno") == paradaErro_) {
                erroExecucao = true;
                localizaNoPrograma();
                linha_ = linhaSinal >= 0 ? linhaSinal : linha_;
            }
        }
        if (erroExecucao) {
            // Primeiro argumento da rotina de erro, ao entrar nela (x86-64).
            const RegistroMi r = comando("-data-evaluate-expression $edi");
            n = NumeroErroTurbo(static_cast<int>(numero(r.resultados.textoDe("value"))));
        }
        if (estado_ == EstadoSessao::Falha)
            return;
        estado_ = EstadoSessao::ErroExecucao;
        // A mesma linha que o programa escreveria; sem memória (203, 204) ele
        // não procura a linha, e a mensagem também não a cita.
        const bool citaLinha = linha_ >= 0 && n != 203 && n != 204;
        if (n > 0)
            mensagem_ = MensagemErroExecucao(n, citaLinha ? linha_ + 1 : 0);
        else
            mensagem_ = "Erro de execução (sinal " + nomeSinal + ")" +
                        (linha_ >= 0 ? " na linha " + std::to_string(linha_ + 1) + " do algoritmo" : "") +
                        ".";
        return;
    }
    if (sinal) { // a parada pedida
        interrompida_ = true;
        localizaNoPrograma();
        estado_ = linha_ >= 0 ? EstadoSessao::Parada : EstadoSessao::Interrompida;
        mensagem_ = "Execução interrompida.";
        return;
    }
    const ValorMi* quadro = p.campo("frame");
    if (quadro && doPrograma(quadro->textoDe("file")) && motivo != "function-finished") {
        estado_ = EstadoSessao::Parada;
        linha_ = linhaAlgoritmo(numero(quadro->textoDe("line")));
        const std::string func = quadro->textoDe("func");
        rotina_ = func == "main" ? std::string() : config_.declaracoes.grafia(func);
        nivelQuadro_ = 0;
        return;
    }
    // Código sem linhas do algoritmo (biblioteca, unidade de apoio): sair dele.
    repete = true;
}

void Sessao::anda(const std::string& comandoMi)
{
    if (estado_ != EstadoSessao::Parada && comandoMi != "-exec-run")
        return;
    std::string proximo = comandoMi;
    interrompida_ = false;
    // Os valores da parada seguinte vão pedidos junto com o passo, supondo
    // que ele termine na mesma rotina; Variaveis confere se foi assim.
    antecipadas_.clear();
    guardadas_.clear();
    especulacao_.clear();
    if (comandoMi != "-exec-run")
        especulacao_ = avaliacoesDaRotinaAtual();
    bool primeira = true;
    for (int desvios = 0; desvios < MaxDesvios; ++desvios) {
        RegistroMi r;
        if (primeira) {
            unsigned long ficha = 0;
            std::string lote = std::to_string(ficha = proximaFicha_++) + proximo + "\n";
            registra('>', std::to_string(ficha) + proximo);
            for (const std::string& e : especulacao_) {
                antecipadas_.insert(proximaFicha_);
                registra('>', std::to_string(proximaFicha_) + e);
                lote += std::to_string(proximaFicha_++) + e + "\n";
            }
            if (!gdb_.Escreve(lote) || !esperaResposta(ficha, r))
                falha("O gdb parou de responder.");
        } else {
            especulacao_.clear(); // a parada final não é a do primeiro comando
            r = comando(proximo);
        }
        primeira = false;
        if (estado_ == EstadoSessao::Falha)
            return;
        if (r.classe == "error") {
            const std::string msg = r.resultados.textoDe("msg");
            // Sair de código sem linhas pode não ter para onde: continua.
            if (proximo == "-exec-finish") {
                proximo = "-exec-continue";
                continue;
            }
            falha("O gdb recusou o comando: " + msg);
            return;
        }
        RegistroMi parada;
        if (!esperaParada(parada)) {
            falha("O gdb terminou no meio da execução.");
            return;
        }
        quadroEscolhido_ = 0; // toda parada escolhe o quadro do topo
        if (interrupcaoAtrasada_ && !pedidoParada_ && parada.resultados.textoDe("signal-name") == "SIGINT") {
            // O Ctrl+C atrasado de um passo anterior: refaz o comando.
            interrupcaoAtrasada_ = false;
            especulacao_.clear();
            --desvios;
            continue;
        }
        bool repete = false;
        trataParada(parada, repete);
        if (!repete)
            break;
        if (pedidoParada_) {
            interrompida_ = true;
            localizaNoPrograma();
            estado_ = linha_ >= 0 ? EstadoSessao::Parada : EstadoSessao::Interrompida;
            break;
        }
        const std::string motivo = parada.resultados.textoDe("reason");
        const ValorMi* quadro = parada.resultados.campo("frame");
        const bool noPrograma = quadro && doPrograma(quadro->textoDe("file"));
        // Fora do algoritmo: termina a rotina alheia e refaz o passo pedido,
        // que completa a linha do algoritmo de onde ela foi chamada.
        if (comandoMi == "-exec-continue" || comandoMi == "-exec-run")
            proximo = "-exec-continue";
        else if (motivo == "function-finished" && noPrograma)
            proximo = comandoMi;
        else
            proximo = "-exec-finish";
    }
    pedidoParada_ = false;
}

void Sessao::PassoSobre()
{
    anda("-exec-next");
}

void Sessao::PassoDentro()
{
    anda("-exec-step");
}

void Sessao::Continua()
{
    anda("-exec-continue");
}

bool Sessao::DefineParada(int linhaAlgoritmo, bool ligada)
{
    if (!gdb_.Ativo())
        return false;
    if (!ligada) {
        const auto it = numerosParada_.find(linhaAlgoritmo);
        if (it == numerosParada_.end())
            return false;
        comando("-break-delete " + it->second);
        numerosParada_.erase(it);
        paradas_.erase(linhaAlgoritmo);
        return true;
    }
    if (paradas_.count(linhaAlgoritmo))
        return true;
    const long long pascal = linhaAlgoritmo - LinhaAlgoritmoDaLinhaPascal(0, config_.bibliotecaUsada);
    const RegistroMi r = comando("-break-insert " + AspasMi(arquivoPrograma_ + ":" + std::to_string(pascal)));
    const ValorMi* b = r.resultados.campo("bkpt");
    if (r.classe == "error" || !b)
        return false;
    // O gdb pode levar a parada para a próxima linha que tem código.
    const int real = this->linhaAlgoritmo(numero(b->textoDe("line")));
    if (paradas_.count(real)) {
        comando("-break-delete " + b->textoDe("number"));
        return true;
    }
    numerosParada_[real] = b->textoDe("number");
    paradas_.insert(real);
    return true;
}

bool Sessao::rotinaEscondeGlobal() const
{
    if (rotina_.empty() || config_.declaracoes.rotinas.empty())
        return false;
    const Rotina* atual = config_.declaracoes.rotina(rotina_);
    if (!atual)
        return false;
    for (const auto& g : config_.declaracoes.rotinas.front().variaveis)
        for (const auto& l : atual->variaveis)
            if (Maiusculas(g) == Maiusculas(l))
                return true;
    return false;
}

std::string Sessao::avaliacao(int quadro, const std::string& nome, int& escolhido)
{
    // O gdb lê os comandos byte a byte: no quadro do topo, que é o escolhido
    // depois de cada parada, o comando vai sem as opções de contexto, e um
    // identificador dispensa as aspas.
    const bool simples = !nome.empty() && std::all_of(nome.begin(), nome.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '_';
    });
    const std::string expressao = simples ? nome : AspasMi(nome);
    if (quadro == 0 && escolhido == 0)
        return "-data-evaluate-expression " + expressao;
    escolhido = quadro;
    return "-data-evaluate-expression --thread 1 --frame " + std::to_string(quadro) + " " + expressao;
}

std::vector<std::string> Sessao::avaliacoesDaRotinaAtual() const
{
    std::vector<std::string> textos;
    if (config_.declaracoes.rotinas.empty() || rotinaEscondeGlobal())
        return textos;
    int escolhido = 0; // o que a parada deixa
    for (const auto& g : config_.declaracoes.rotinas.front().variaveis)
        textos.push_back(avaliacao(0, g, escolhido));
    if (const Rotina* atual = rotina_.empty() ? nullptr : config_.declaracoes.rotina(rotina_))
        for (const auto& l : atual->variaveis)
            textos.push_back(avaliacao(0, l, escolhido));
    return textos;
}

std::vector<VariavelVista> Sessao::Variaveis()
{
    std::vector<VariavelVista> v;
    if ((estado_ != EstadoSessao::Parada && estado_ != EstadoSessao::ErroExecucao) ||
        config_.declaracoes.rotinas.empty())
        return v;
    const Rotina& globais = config_.declaracoes.rotinas.front();
    const Rotina* atual = rotina_.empty() ? nullptr : config_.declaracoes.rotina(rotina_);
    // Uma global escondida por uma local do mesmo nome é lida no quadro do programa.
    int quadroGlobais = nivelQuadro_;
    if (rotinaEscondeGlobal()) {
        const RegistroMi r = comando("-stack-info-depth");
        quadroGlobais = static_cast<int>(numero(r.resultados.textoDe("depth"))) - 1;
    }
    std::vector<std::string> pedidos;
    int escolhido = quadroEscolhido_;
    auto pede = [&](int quadro, const std::string& nome) {
        pedidos.push_back(avaliacao(quadro, nome, escolhido));
    };
    for (const auto& g : globais.variaveis) {
        pede(quadroGlobais, g);
        v.push_back({"", g, ""});
    }
    if (atual)
        for (const auto& l : atual->variaveis) {
            pede(nivelQuadro_, l);
            v.push_back({atual->nome, l, ""});
        }
    if (pedidos.empty())
        return v;
    // Os pedidos já feitos junto com o passo, nesta mesma parada, só se
    // colhem; os demais (outra rotina, outro quadro) vão agora.
    std::size_t comuns = 0;
    while (comuns < pedidos.size() && comuns < especulacao_.size() && pedidos[comuns] == especulacao_[comuns])
        ++comuns;
    std::vector<RegistroMi> respostas;
    auto ficha = antecipadas_.begin();
    for (std::size_t i = 0; i < comuns && ficha != antecipadas_.end(); ++i, ++ficha) {
        RegistroMi r;
        if (!esperaResposta(*ficha, r)) {
            falha("O gdb parou de responder.");
            r.tipo = '^', r.classe = "error";
        }
        respostas.push_back(std::move(r));
    }
    if (respostas.size() < pedidos.size()) {
        auto resto = comandos(std::vector<std::string>(pedidos.begin() + respostas.size(), pedidos.end()));
        respostas.insert(respostas.end(), resto.begin(), resto.end());
    }
    quadroEscolhido_ = escolhido;
    especulacao_.clear();
    antecipadas_.clear();
    guardadas_.clear();
    const auto grafia = [this](const std::string& n) { return config_.declaracoes.grafiaCampo(n); };
    for (std::size_t i = 0; i < v.size(); ++i)
        if (respostas[i].classe == "done")
            v[i].valor =
                (v[i].arvore = ArvoreDoAlgoritmo(respostas[i].resultados.textoDe("value"), grafia)).texto;
    return v;
}

std::vector<QuadroPilha> Sessao::Pilha()
{
    std::vector<QuadroPilha> q;
    if (estado_ != EstadoSessao::Parada && estado_ != EstadoSessao::ErroExecucao)
        return q;
    const RegistroMi r = comando("-stack-list-frames");
    if (const ValorMi* pilha = r.resultados.campo("stack"))
        for (const auto& [nome, quadro] : pilha->itens) {
            if (!doPrograma(quadro.textoDe("file")))
                continue;
            const std::string func = quadro.textoDe("func");
            q.push_back({func == "main" ? std::string() : config_.declaracoes.grafia(func),
                         linhaAlgoritmo(numero(quadro.textoDe("line")))});
        }
    return q;
}

void Sessao::Encerra()
{
    if (gdb_.Ativo()) {
        gdb_.Escreve("-gdb-exit\n");
        gdb_.Encerra();
    }
    if (estado_ != EstadoSessao::Terminada && estado_ != EstadoSessao::ErroExecucao &&
        estado_ != EstadoSessao::Falha)
        estado_ = EstadoSessao::Inativa;
}

} // namespace vendrilo::depuracao
