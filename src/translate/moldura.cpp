#include "translate/moldura.h"

namespace vendrilo {

namespace {

// Endereço de contato impresso na faixa de todo programa gerado.
constexpr std::string_view ContatoProjeto = "vendrilo@example.org";

// "{" + texto completado com espaços até a coluna 65 + "}" na coluna 66.
// Texto longo demais não é cortado: a moldura quebrada aparece nos testes.
std::string faixa(std::string_view texto)
{
    std::string linha = "{";
    linha += texto;
    if (linha.size() < LarguraFaixa - 1)
        linha.append(LarguraFaixa - 1 - linha.size(), ' ');
    linha += '}';
    return linha;
}

std::string secao(std::string_view titulo) { return faixa(std::string("    ") += titulo); }
std::string credito(std::string_view nome) { return faixa(std::string(11, ' ') += nome); }
std::string aviso(std::string_view texto) { return faixa(std::string(" ") += texto); }

} // namespace

std::vector<std::string> LinhasMoldura(std::string_view titulo)
{
    const std::string tracos = "{ " + std::string(62, '-') + " }";
    std::string linhaTitulo = "{   Programa traduzido por ";
    linhaTitulo += titulo;
    linhaTitulo += " - Dez/2003}";

    // Textos em Windows-1252; escapes partidos onde a letra seguinte seria
    // lida como dígito hexadecimal.
    return {
        tracos,
        linhaTitulo,
        tracos,
        secao("Projeto/Desenvolvimento Profs:"),
        credito("Equipe Vendrilo - Tradu\xE7\xE3o e verifica\xE7\xE3o"),
        credito("Equipe Vendrilo - Editor e ambiente de estudo"),
        credito("Equipe Vendrilo - Compila\xE7\xE3o e comunica\xE7\xE3o"),
        tracos,
        secao("Alunos que participaram do projeto:"),
        credito("Estudantes volunt\xE1rios - Ci\xEAncia da Computa\xE7\xE3o 2026"),
        credito("Estudantes volunt\xE1rios - Sistemas de Informa\xE7\xE3o 2026"),
        credito("Estudantes volunt\xE1rios - Engenharia de Software 2026"),
        tracos,
        secao("Professores de Apoio:"),
        credito("Docentes de Algoritmos e L\xF3gica de Programa\xE7\xE3o"),
        credito("Docentes de Introdu\xE7\xE3o \xE0 Programa\xE7\xE3o"),
        tracos,
        aviso("Uso livre no ensino e no estudo; redistribua com este aviso."),
        aviso("Fornecido como est\xE1, sem garantia de qualquer esp\xE9" "cie."),
        faixa(std::string(" Contato: ") += ContatoProjeto),
        tracos,
        "",
        "PROGRAM Executavel;",
        "",
        "USES CRT, DOS, AUTORIA",
        "",
    };
}

} // namespace vendrilo
