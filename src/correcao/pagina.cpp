// A página HTML da correção: um arquivo só, sem nada de fora.
#include "correcao/comparacao.h"
#include "correcao/relatorios.h"

#include <algorithm>
#include <map>

namespace vendrilo::correcao {

namespace {

// Linhas mostradas por coluna e caracteres por linha: uma saída de
// megabytes não vira uma página de megabytes.
constexpr std::size_t MaxLinhas = 200;
constexpr std::size_t MaxLargura = 300;

std::string esc(const std::string& s)
{
    std::string r;
    r.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '"': r += "&quot;"; break;
        case '\'': r += "&#39;"; break;
        default: r += c;
        }
    }
    return r;
}

// Corta sem partir um caractere UTF-8 ao meio.
std::string curta(const std::string& s)
{
    if (s.size() <= MaxLargura)
        return s;
    std::size_t n = MaxLargura;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
        --n;
    return s.substr(0, n) + "…";
}

std::string coluna(const std::string& titulo, const std::vector<std::string>& linhas, int marcada)
{
    std::string h = "<div class=\"coluna\"><h4>" + esc(titulo) + "</h4><pre>";
    const std::size_t limite = std::max(MaxLinhas, static_cast<std::size_t>(std::max(marcada, 0)) + 10);
    for (std::size_t i = 0; i < linhas.size() && i < limite; ++i) {
        const std::string l = esc(curta(linhas[i]));
        h += static_cast<int>(i) == marcada ? "<mark>" + l + "</mark>\n" : l + "\n";
    }
    if (marcada >= static_cast<int>(linhas.size()))
        h += "<mark class=\"fim\">(fim do texto)</mark>\n";
    if (linhas.size() > limite)
        h += "<span class=\"nota\">… mais " + std::to_string(linhas.size() - limite) + " linhas</span>\n";
    return h + "</pre></div>";
}

// Barras verticais: quantos alunos tiveram cada número de acertos.
std::string grafico(const std::vector<ResultadoAluno>& alunos)
{
    int maxCasos = 0;
    std::map<int, int> contagem;
    for (const auto& a : alunos) {
        maxCasos = std::max(maxCasos, a.casos);
        ++contagem[a.acertos];
    }
    int maior = 1;
    for (auto [nota, n] : contagem)
        maior = std::max(maior, n);
    const int largura = 48, altura = 160, base = altura + 20;
    const int total = (maxCasos + 1) * largura + 20;
    std::string h =
        "<svg class=\"grafico\" role=\"img\" aria-label=\"Alunos por número de acertos\" width=\"" +
        std::to_string(total) + "\" height=\"" + std::to_string(base + 40) + "\">";
    for (int nota = 0; nota <= maxCasos; ++nota) {
        const int n = contagem.count(nota) ? contagem[nota] : 0;
        const int alt = n * altura / maior;
        const int x = 10 + nota * largura;
        h += "<rect x=\"" + std::to_string(x + 6) + "\" y=\"" + std::to_string(base - alt) + "\" width=\"" +
             std::to_string(largura - 12) + "\" height=\"" + std::to_string(alt) + "\"><title>" +
             std::to_string(n) + " aluno(s) com " + std::to_string(nota) + " acerto(s)</title></rect>";
        h += "<text x=\"" + std::to_string(x + largura / 2) + "\" y=\"" + std::to_string(base - alt - 4) +
             "\">" + std::to_string(n) + "</text>";
        h += "<text x=\"" + std::to_string(x + largura / 2) + "\" y=\"" + std::to_string(base + 16) + "\">" +
             std::to_string(nota) + "</text>";
    }
    return h + "<text x=\"" + std::to_string(total / 2) + "\" y=\"" + std::to_string(base + 34) +
           "\">acertos</text></svg>";
}

constexpr const char* Estilo = R"(
body{font-family:sans-serif;margin:1.5em;color:#222}
table.resumo{border-collapse:collapse}
table.resumo th,table.resumo td{border:1px solid #bbb;padding:.25em .6em;text-align:left}
table.resumo th{background:#eee;cursor:pointer;user-select:none}
td.ok{background:#dfd}td.falhou,td.saida,td.tempo,td.erro{background:#fdd}
td.compilacao,td.estrutura{background:#fed}
svg.grafico rect{fill:#4a7bb7}svg.grafico text{font-size:12px;text-anchor:middle}
section.aluno{border-top:1px solid #ccc;margin-top:1em}
div.lado{display:flex;gap:1em}div.coluna{flex:1;min-width:0}
pre{background:#f6f6f6;padding:.4em;overflow-x:auto}
mark{background:#fc6}span.nota{color:#777}
)";

// Ordena pela coluna clicada; números como números.
constexpr const char* Roteiro = R"(
document.querySelectorAll('table.resumo th').forEach(function(th, col) {
  th.addEventListener('click', function() {
    var corpo = th.closest('table').tBodies[0];
    var asc = th.dataset.ordem !== 'asc';
    th.parentNode.querySelectorAll('th').forEach(function(o) { delete o.dataset.ordem; });
    th.dataset.ordem = asc ? 'asc' : 'desc';
    var linhas = Array.prototype.slice.call(corpo.rows);
    linhas.sort(function(a, b) {
      var x = a.cells[col].textContent, y = b.cells[col].textContent;
      var nx = parseFloat(x), ny = parseFloat(y);
      var r = (!isNaN(nx) && !isNaN(ny)) ? nx - ny : x.localeCompare(y, 'pt-BR');
      return asc ? r : -r;
    });
    linhas.forEach(function(l) { corpo.appendChild(l); });
  });
});
)";

// Marcas da parte de cada aluno. Todo texto vindo do aluno passa por esc(),
// então "<!--" nunca aparece dentro dela.
constexpr const char* InicioCorpo = "<!--corpo-->";
constexpr const char* FimCorpo = "<!--/corpo-->";

std::string desesc(const std::string& s)
{
    std::string r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        bool trocou = false;
        for (auto [ent, c] :
             {std::pair{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&#39;", '\''}})
            if (s.compare(i, std::char_traits<char>::length(ent), ent) == 0) {
                r += c;
                i += std::char_traits<char>::length(ent) - 1;
                trocou = true;
                break;
            }
        if (!trocou)
            r += s[i];
    }
    return r;
}

std::string classeCaso(const std::string& s)
{
    return s.rfind("erro-execucao", 0) == 0 ? "erro" : s;
}

} // namespace

std::string TextoHtml(const std::vector<std::string>& nomesCasos, const std::vector<ResultadoAluno>& alunos,
                      const std::map<std::string, std::string>& corpos)
{
    std::map<Situacao, int> porSituacao;
    for (const auto& a : alunos)
        ++porSituacao[a.situacao];
    std::string h = "<!DOCTYPE html>\n<html lang=\"pt-BR\"><head><meta charset=\"utf-8\">"
                    "<title>Correção da turma</title><style>";
    h += Estilo;
    h += "</style></head><body>\n<h1>Correção da turma</h1>\n<p class=\"totais\">" +
         std::to_string(alunos.size()) + " aluno(s), " + std::to_string(nomesCasos.size()) +
         " caso(s): " + std::to_string(porSituacao[Situacao::Ok]) + " ok, " +
         std::to_string(porSituacao[Situacao::Falhou]) + " falharam, " +
         std::to_string(porSituacao[Situacao::Compilacao]) + " com erro de compilação, " +
         std::to_string(porSituacao[Situacao::Estrutura]) + " com erro de estrutura.</p>\n";

    h += "<h2>Resumo</h2>\n<table class=\"resumo\"><thead><tr><th>aluno</th><th>situacao</th><th>acertos</th>"
         "<th>casos</th>";
    for (const auto& n : nomesCasos)
        h += "<th>caso:" + esc(n) + "</th>";
    h += "<th>mensagem</th></tr></thead>\n<tbody>\n";
    for (std::size_t i = 0; i < alunos.size(); ++i) {
        const auto& a = alunos[i];
        const std::string sit = NomeSituacao(a.situacao);
        h += "<tr><td><a href=\"#aluno-" + std::to_string(i + 1) + "\">" + esc(a.aluno) +
             "</a></td><td class=\"" + sit + "\">" + sit + "</td><td>" + std::to_string(a.acertos) +
             "</td><td>" + std::to_string(a.casos) + "</td>";
        for (std::size_t k = 0; k < nomesCasos.size(); ++k) {
            const std::string c = k < a.situacaoCasos.size() ? a.situacaoCasos[k] : std::string();
            h += "<td class=\"" + esc(classeCaso(c)) + "\">" + esc(c) + "</td>";
        }
        h += "<td>" + esc(a.mensagem) + "</td></tr>\n";
    }
    h += "</tbody></table>\n<h2>Acertos</h2>\n" + grafico(alunos) + "\n<h2>Por aluno</h2>\n";

    for (std::size_t i = 0; i < alunos.size(); ++i) {
        const auto& a = alunos[i];
        h += "<section class=\"aluno\" id=\"aluno-" + std::to_string(i + 1) + "\" data-aluno=\"" +
             esc(a.aluno) + "\"><h3>" + esc(a.aluno) + " — " + NomeSituacao(a.situacao) + ", " +
             std::to_string(a.acertos) + " de " + std::to_string(a.casos) + "</h3>\n" + InicioCorpo;
        if (const auto c = corpos.find(a.aluno); c != corpos.end()) {
            h += c->second;
        } else if (a.detalhe) {
            const Detalhe& d = *a.detalhe;
            h += "<p class=\"caso\">Primeiro caso errado: <b>" + esc(d.caso) + "</b> (" + esc(d.situacao) +
                 "). " + esc(d.observacao) + "</p>\n<div class=\"lado\">" +
                 coluna("Entrada", LinhasNormalizadas(d.entrada), -1) +
                 coluna("Esperado", d.esperado, d.linhaDiferente) +
                 coluna("Obtido", d.obtido, d.linhaDiferente) + "</div>\n";
        } else if (!a.mensagemCompleta.empty()) {
            h += "<pre class=\"mensagem\">" + esc(a.mensagemCompleta) + "</pre>\n";
        } else if (a.situacao == Situacao::Ok) {
            h += "<p>Todos os casos certos.</p>\n";
        }
        h += std::string(FimCorpo) + "</section>\n";
    }
    h += "<script>";
    h += Roteiro;
    h += "</script>\n</body></html>\n";
    return h;
}

std::map<std::string, std::string> CorposDaPagina(const std::string& html)
{
    std::map<std::string, std::string> corpos;
    const std::string marca = "<section class=\"aluno\" id=\"";
    for (std::size_t p = html.find(marca); p != std::string::npos; p = html.find(marca, p + 1)) {
        const auto a = html.find("data-aluno=\"", p);
        const auto aFim = a == std::string::npos ? a : html.find('"', a + 12);
        const auto ini = aFim == std::string::npos ? aFim : html.find(InicioCorpo, aFim);
        const auto fim = ini == std::string::npos ? ini : html.find(FimCorpo, ini);
        if (fim == std::string::npos)
            break;
        const auto corpo = ini + std::char_traits<char>::length(InicioCorpo);
        corpos[desesc(html.substr(a + 12, aFim - a - 12))] = html.substr(corpo, fim - corpo);
    }
    return corpos;
}

} // namespace vendrilo::correcao
