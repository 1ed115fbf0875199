// A planilha CSV da correção, escrita e lida.
#include "correcao/relatorios.h"

#include <charconv>

namespace vendrilo::correcao {

namespace {

std::string campo(const std::string& s)
{
    if (s.find_first_of(",\"\r\n") == std::string::npos)
        return s;
    std::string q = "\"";
    for (char c : s) {
        if (c == '"')
            q += '"';
        q += c;
    }
    return q + "\"";
}

// Registros RFC 4180: aspas duplicadas, quebras de linha dentro de aspas.
bool registros(const std::string& texto, std::vector<std::vector<std::string>>& linhas)
{
    std::vector<std::string> atual;
    std::string valor;
    bool aspas = false, comecou = false;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        if (aspas) {
            if (c == '"' && i + 1 < texto.size() && texto[i + 1] == '"')
                valor += '"', ++i;
            else if (c == '"')
                aspas = false;
            else
                valor += c;
        } else if (c == '"') {
            aspas = comecou = true;
        } else if (c == ',') {
            atual.push_back(std::move(valor));
            valor.clear();
            comecou = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n')
                ++i;
            if (comecou || !valor.empty()) {
                atual.push_back(std::move(valor));
                linhas.push_back(std::move(atual));
            }
            atual.clear();
            valor.clear();
            comecou = false;
        } else {
            valor += c;
            comecou = true;
        }
    }
    if (aspas)
        return false;
    if (comecou || !valor.empty()) {
        atual.push_back(std::move(valor));
        linhas.push_back(std::move(atual));
    }
    return true;
}

bool numero(const std::string& s, int& n)
{
    const auto r = std::from_chars(s.data(), s.data() + s.size(), n);
    return r.ec == std::errc() && r.ptr == s.data() + s.size() && n >= 0;
}

} // namespace

std::string TextoCsv(const std::vector<std::string>& nomesCasos, const std::vector<ResultadoAluno>& alunos)
{
    std::string t = "aluno,situacao,acertos,casos";
    for (const auto& nome : nomesCasos)
        t += "," + campo("caso:" + nome);
    t += ",mensagem\n";
    for (const auto& a : alunos) {
        t += campo(a.aluno) + "," + NomeSituacao(a.situacao) + "," + std::to_string(a.acertos) + "," +
             std::to_string(a.casos);
        for (std::size_t i = 0; i < nomesCasos.size(); ++i)
            t += "," + campo(i < a.situacaoCasos.size() ? a.situacaoCasos[i] : std::string());
        t += "," + campo(a.mensagem) + "\n";
    }
    return t;
}

bool LeCsv(const std::string& texto, std::vector<std::string>& nomesCasos,
           std::vector<ResultadoAluno>& alunos, std::string& erro)
{
    nomesCasos.clear();
    alunos.clear();
    std::vector<std::vector<std::string>> linhas;
    if (!registros(texto, linhas)) {
        erro = "aspas sem fechamento";
        return false;
    }
    if (linhas.empty() || linhas[0].size() < 5 || linhas[0][0] != "aluno" || linhas[0][1] != "situacao" ||
        linhas[0][2] != "acertos" || linhas[0][3] != "casos" || linhas[0].back() != "mensagem") {
        erro = "o cabeçalho não é o de uma planilha do vendrilo-corrige";
        return false;
    }
    const auto& cab = linhas[0];
    for (std::size_t i = 4; i + 1 < cab.size(); ++i) {
        if (cab[i].rfind("caso:", 0) != 0) {
            erro = "coluna inesperada no cabeçalho: " + cab[i];
            return false;
        }
        nomesCasos.push_back(cab[i].substr(5));
    }
    for (std::size_t l = 1; l < linhas.size(); ++l) {
        const auto& v = linhas[l];
        const std::string onde = "linha " + std::to_string(l + 1);
        if (v.size() != cab.size()) {
            erro =
                onde + ": " + std::to_string(v.size()) + " colunas em vez de " + std::to_string(cab.size());
            return false;
        }
        ResultadoAluno a;
        a.aluno = v[0];
        bool achou = false;
        for (Situacao s : {Situacao::Ok, Situacao::Falhou, Situacao::Compilacao, Situacao::Estrutura})
            if (v[1] == NomeSituacao(s))
                a.situacao = s, achou = true;
        if (!achou || !numero(v[2], a.acertos) || !numero(v[3], a.casos)) {
            erro = onde + ": situação, acertos ou casos inválidos";
            return false;
        }
        a.situacaoCasos.assign(v.begin() + 4, v.end() - 1);
        a.mensagem = a.mensagemCompleta = v.back();
        alunos.push_back(std::move(a));
    }
    return true;
}

} // namespace vendrilo::correcao
