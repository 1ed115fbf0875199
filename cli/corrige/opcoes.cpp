#include "opcoes.h"

#include <charconv>
#include <cmath>

namespace vendrilo::corrige {

namespace {

bool inteiro(const std::string& s, int& n)
{
    const auto r = std::from_chars(s.data(), s.data() + s.size(), n);
    return !s.empty() && r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// Segundos com ponto ou vírgula decimal: "5", "0.5", "2,5".
bool segundos(std::string s, std::chrono::milliseconds& t)
{
    for (char& c : s)
        if (c == ',')
            c = '.';
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size() || !(v > 0) || v > 86400)
        return false;
    t = std::chrono::milliseconds(static_cast<long long>(std::ceil(v * 1000)));
    return true;
}

} // namespace

Opcoes LeOpcoes(const std::vector<std::string>& argumentos)
{
    Opcoes o;
    bool fimOpcoes = false, deuParte = false, deuTempo = false, deuJ = false;
    auto falha = [&o](const std::string& msg) {
        if (o.erro.empty())
            o.erro = msg;
    };
    for (std::size_t i = 0; i < argumentos.size(); ++i) {
        std::string a = argumentos[i];
        if (fimOpcoes || a.empty() || a[0] != '-' || a == "-") {
            o.arquivos.push_back(a);
            continue;
        }
        if (a == "--") {
            fimOpcoes = true;
            continue;
        }
        // --opcao=valor e -jN valem como --opcao valor e -j N.
        std::string valor;
        bool temValor = false;
        if (const auto igual = a.find('='); a.rfind("--", 0) == 0 && igual != std::string::npos) {
            valor = a.substr(igual + 1), a = a.substr(0, igual), temValor = true;
        } else if (a.rfind("-j", 0) == 0 && a.size() > 2) {
            valor = a.substr(2), a = "-j", temValor = true;
        }
        auto pegaValor = [&]() -> bool {
            if (temValor)
                return true;
            if (i + 1 >= argumentos.size()) {
                falha("a opção " + a + " precisa de um valor");
                return false;
            }
            valor = argumentos[++i];
            return true;
        };
        if (a == "--help" || a == "-h" || a == "--ajuda") {
            o.ajuda = true;
        } else if (a == "--version" || a == "--versao") {
            o.versao = true;
        } else if (a == "--juntar") {
            o.juntar = true;
        } else if (a == "--casos") {
            if (pegaValor())
                o.casos = valor;
        } else if (a == "--csv") {
            if (pegaValor())
                o.csv = valor;
        } else if (a == "--html") {
            if (pegaValor())
                o.html = valor;
        } else if (a == "-j" || a == "--trabalhos") {
            deuJ = true;
            if (pegaValor() && (!inteiro(valor, o.trabalhos) || o.trabalhos < 1 || o.trabalhos > 1024))
                falha("-j precisa de um número de 1 a 1024, e não \"" + valor + "\"");
        } else if (a == "--tempo") {
            deuTempo = true;
            if (pegaValor() && !segundos(valor, o.tempo))
                falha("--tempo precisa de um número de segundos maior que zero, e não \"" + valor + "\"");
        } else if (a == "--parte") {
            deuParte = true;
            if (pegaValor()) {
                const auto barra = valor.find('/');
                if (barra == std::string::npos || !inteiro(valor.substr(0, barra), o.parte) ||
                    !inteiro(valor.substr(barra + 1), o.partes) || o.partes < 1 || o.parte < 1 ||
                    o.parte > o.partes)
                    falha("--parte precisa da forma K/N, com 1 <= K <= N, e não \"" + valor + "\"");
            }
        } else {
            falha("opção desconhecida: " + a);
        }
    }
    if (o.ajuda || o.versao)
        return o;
    if (o.juntar) {
        if (!o.casos.empty() || deuParte || deuTempo || deuJ)
            falha("--juntar só aceita as planilhas, --csv e --html");
        if (o.arquivos.empty())
            falha("--juntar precisa de pelo menos uma planilha");
        if (o.csv.empty())
            falha("--juntar precisa de --csv para a planilha final");
    } else {
        if (o.casos.empty())
            falha("falta --casos PASTA");
        if (o.arquivos.empty())
            falha("nenhuma entrega informada");
    }
    return o;
}

std::string TextoAjuda()
{
    return "Uso: vendrilo-corrige --casos PASTA [--csv ARQ.csv] [--html ARQ.html] [-j N]\n"
           "                        [--tempo S] [--parte K/N] ENTREGA...\n"
           "     vendrilo-corrige --juntar PARTE.csv... --csv TOTAL.csv [--html TOTAL.html]\n"
           "Corrige uma turma: cada ENTREGA é um algoritmo .ALG ou uma pasta deles (um\n"
           "aluno por arquivo). Cada um é traduzido, verificado e compilado numa pasta\n"
           "temporária própria e roda com cada caso NOME.in da PASTA; a saída é comparada\n"
           "com NOME.out (um .out sozinho: entrada vazia).\n"
           "  --casos PASTA  os casos de teste\n"
           "  --csv ARQ      a planilha (sem --csv, na saída padrão)\n"
           "  --html ARQ     a página com o resumo, o gráfico e o primeiro erro de cada aluno\n"
           "  -j N           alunos corrigidos ao mesmo tempo (padrão: um por processador)\n"
           "  --tempo S      limite de cada caso, em segundos (padrão: 5)\n"
           "  --parte K/N    corrige só a K-ésima de N fatias da turma\n"
           "  --juntar       junta as planilhas das fatias numa só\n"
           "  --help         mostra esta ajuda\n"
           "  --version      mostra a versão\n"
           "Saída: 0 a correção foi feita (quaisquer que sejam as notas), 1 a correção\n"
           "       falhou, 3 uso incorreto ou casos que não puderam ser lidos.\n";
}

} // namespace vendrilo::corrige
