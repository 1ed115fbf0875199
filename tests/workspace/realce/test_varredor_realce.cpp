// Varredura do realce sem Qt: os casos de borda do pseudocódigo.

#include "workspace/realce/varredor_realce.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace vendrilo;

namespace {

using T = TipoFicha;
using E = EstadoLinha;

struct Esperada {
    TipoFicha tipo;
    std::string texto;
    bool operator==(const Esperada&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Esperada& e)
{
    return os << '{' << static_cast<int>(e.tipo) << ", \"" << e.texto << "\"}";
}

struct Caso {
    const char* nome;
    std::string linha;
    EstadoLinha inicio;
    std::vector<Esperada> fichas; // espaços omitidos
    EstadoLinha fim;
};

// Nome da linha da tabela no lugar dos bytes do parâmetro.
void PrintTo(const Caso& c, std::ostream* os) { *os << c.nome; }

std::vector<Esperada> varreSemEspacos(const std::string& linha, EstadoLinha inicio, EstadoLinha& fim)
{
    VarredorRealce v;
    std::vector<Ficha> fichas;
    fim = v.varre(linha, inicio, fichas);
    std::vector<Esperada> r;
    std::size_t esperado = 0;
    for (const auto& f : fichas) {
        // As fichas cobrem a linha inteira, sem buraco nem sobreposição.
        EXPECT_EQ(f.inicio, esperado);
        EXPECT_GT(f.tamanho, 0u);
        esperado = f.inicio + f.tamanho;
        if (f.tipo != T::Espaco)
            r.push_back({f.tipo, linha.substr(f.inicio, f.tamanho)});
    }
    EXPECT_EQ(esperado, linha.size());
    return r;
}

class Varredura : public testing::TestWithParam<Caso> {};

TEST_P(Varredura, FichasEEstadoFinal)
{
    const Caso& c = GetParam();
    EstadoLinha fim;
    EXPECT_EQ(varreSemEspacos(c.linha, c.inicio, fim), c.fichas) << c.linha;
    EXPECT_EQ(fim, c.fim);
}

const Caso casos[] = {
    {"palavra_fimse_minusculas", "fim-se", E::Nenhum, {{T::PalavraReservada, "fim-se"}}, E::Nenhum},
    {"palavra_fimse_mista", "Fim-Se", E::Nenhum, {{T::PalavraReservada, "Fim-Se"}}, E::Nenhum},
    {"palavra_fimse_maiusculas", "FIM-SE", E::Nenhum, {{T::PalavraReservada, "FIM-SE"}}, E::Nenhum},
    {"palavra_fim_se_separados", "FIM - SE", E::Nenhum,
     {{T::PalavraReservada, "FIM"}, {T::Desconhecido, "-"}, {T::PalavraReservada, "SE"}}, E::Nenhum},
    {"palavra_ate_menos_um", "ATE-1", E::Nenhum, {{T::PalavraReservada, "ATE-1"}}, E::Nenhum},
    {"palavra_ate_mais_um_nunca", "ATE+1", E::Nenhum,
     {{T::PalavraReservada, "ATE"}, {T::Desconhecido, "+"}, {T::Numero, "1"}}, E::Nenhum},
    {"palavra_identificador", "soma_total2 x", E::Nenhum,
     {{T::Identificador, "soma_total2"}, {T::Identificador, "x"}}, E::Nenhum},
    {"palavra_hifen_final_nao_reservada", "fim- ", E::Nenhum, {{T::Identificador, "fim-"}}, E::Nenhum},
    {"palavra_acentuada_media", "média", E::Nenhum,
     {{T::Identificador, "m"}, {T::Desconhecido, "é"}, {T::Identificador, "dia"}}, E::Nenhum},
    {"palavra_acento_inicial", "ção", E::Nenhum,
     {{T::Desconhecido, "ç"}, {T::Desconhecido, "ã"}, {T::Identificador, "o"}}, E::Nenhum},
    // Só é pintada a palavra que o tradutor troca: o pedaço inteiro entre
    // espaços, sem nada colado à direita que não seja espaço.
    {"colada_ao_parentese_nao_traduz", "mostre-pl('x')", E::Nenhum,
     {{T::Identificador, "mostre-pl"}, {T::Simbolo, "("}, {T::Cadeia, "'x'"}, {T::Desconhecido, ")"}}, E::Nenhum},
    {"parentese_antes_nao_traduz", "(tamanho s", E::Nenhum,
     {{T::Simbolo, "("}, {T::Identificador, "tamanho"}, {T::Identificador, "s"}}, E::Nenhum},
    {"tabulacao_depois_nao_traduz", "fim\tx", E::Nenhum,
     {{T::Identificador, "fim"}, {T::Identificador, "x"}}, E::Nenhum},
    {"forma_com_parentese_traduz", "a inteiro)", E::Nenhum,
     {{T::Identificador, "a"}, {T::PalavraReservada, "inteiro"}, {T::Desconhecido, ")"}}, E::Nenhum},
    {"acentuada_nao_traduz", "ent\xC3\xA3o", E::Nenhum,
     {{T::Identificador, "ent"}, {T::Desconhecido, "\xC3\xA3"}, {T::Identificador, "o"}}, E::Nenhum},
    {"numero_real", "3.14", E::Nenhum, {{T::Numero, "3.14"}}, E::Nenhum},
    {"numero_expoente", "1E5", E::Nenhum, {{T::Numero, "1E5"}}, E::Nenhum},
    {"numero_intervalo", "1..10", E::Nenhum,
     {{T::Numero, "1"}, {T::Desconhecido, "."}, {T::Desconhecido, "."}, {T::Numero, "10"}}, E::Nenhum},
    {"numero_seguido_de_letras", "12abc", E::Nenhum,
     {{T::Numero, "12"}, {T::Identificador, "abc"}}, E::Nenhum},
    {"numero_hexa_com_x", "0x1Fg", E::Nenhum, {{T::Numero, "0x1F"}, {T::Identificador, "g"}}, E::Nenhum},
    {"numero_hexa_cifrao", "$FFz", E::Nenhum, {{T::Numero, "$FF"}, {T::Identificador, "z"}}, E::Nenhum},
    {"numero_cifrao_sozinho", "$", E::Nenhum, {{T::Numero, "$"}}, E::Nenhum},
    {"cadeia_simples", "mostre ('texto');", E::Nenhum,
     {{T::PalavraReservada, "mostre"}, {T::Simbolo, "("}, {T::Cadeia, "'texto'"},
      {T::Desconhecido, ")"}, {T::Simbolo, ";"}},
     E::Nenhum},
    {"cadeia_sem_fecho_vai_ao_fim", "'abc {x", E::Nenhum, {{T::Cadeia, "'abc {x"}}, E::Nenhum},
    {"cadeia_apostrofo_sozinho", "'", E::Nenhum, {{T::Cadeia, "'"}}, E::Nenhum},
    {"cadeia_vazia", "''x", E::Nenhum, {{T::Cadeia, "''"}, {T::Identificador, "x"}}, E::Nenhum},
    {"cadeia_tres_apostrofos", "'''a'", E::Nenhum, {{T::Cadeia, "'''a'"}}, E::Nenhum},
    {"cadeia_acentuada", "'média'", E::Nenhum, {{T::Cadeia, "'média'"}}, E::Nenhum},
    {"cadeia_codigo_caractere", "#13#10", E::Nenhum, {{T::Cadeia, "#13"}, {T::Cadeia, "#10"}}, E::Nenhum},
    {"chave_fechada", "{Declaração das variáveis} x", E::Nenhum,
     {{T::Comentario, "{Declaração das variáveis}"}, {T::Identificador, "x"}}, E::Nenhum},
    {"chave_aberta", "a {comentario", E::Nenhum,
     {{T::Identificador, "a"}, {T::Comentario, "{comentario"}}, E::ComentarioChaves},
    {"chave_continua", "ainda 'nada' aqui", E::ComentarioChaves,
     {{T::Comentario, "ainda 'nada' aqui"}}, E::ComentarioChaves},
    {"chave_fecha_na_linha", "fim} se", E::ComentarioChaves,
     {{T::Comentario, "fim}"}, {T::PalavraReservada, "se"}}, E::Nenhum},
    {"chave_nao_fecha_com_outro_fecho", "*) */", E::ComentarioChaves, {{T::Comentario, "*) */"}},
     E::ComentarioChaves},
    {"parenteses_abre", "x (* a", E::Nenhum,
     {{T::Identificador, "x"}, {T::Comentario, "(* a"}}, E::ComentarioParenteses},
    {"parenteses_fecha", "b *) y", E::ComentarioParenteses,
     {{T::Comentario, "b *)"}, {T::Identificador, "y"}}, E::Nenhum},
    {"parenteses_fecho_exige_novo_asterisco", "(*)", E::Nenhum, {{T::Comentario, "(*)"}},
     E::ComentarioParenteses},
    {"parenteses_ponto", "(.x", E::Nenhum, {{T::Simbolo, "(."}, {T::Identificador, "x"}}, E::Nenhum},
    {"barra_dupla", "a // resto (* {", E::Nenhum,
     {{T::Identificador, "a"}, {T::Comentario, "// resto (* {"}}, E::Nenhum},
    {"barra_asterisco_abre", "/* a", E::Nenhum, {{T::Comentario, "/* a"}}, E::ComentarioBarra},
    {"barra_asterisco_fecha", "b */c", E::ComentarioBarra,
     {{T::Comentario, "b */"}, {T::Identificador, "c"}}, E::Nenhum},
    {"barra_sozinha", "a/b", E::Nenhum,
     {{T::Identificador, "a"}, {T::Simbolo, "/"}, {T::Identificador, "b"}}, E::Nenhum},
    {"simbolos_desconhecidos", "x<=y*2", E::Nenhum,
     {{T::Identificador, "x"}, {T::Desconhecido, "<"}, {T::Desconhecido, "="},
      {T::Identificador, "y"}, {T::Desconhecido, "*"}, {T::Numero, "2"}},
     E::Nenhum},
    {"linha_vazia_mantem_estado", "", E::ComentarioParenteses, {}, E::ComentarioParenteses},
    {"robustez_byte_nul_no_meio", std::string("a\0b", 3), E::Nenhum,
     {{T::Identificador, "a"}, {T::Desconhecido, std::string(1, '\0')}, {T::Identificador, "b"}},
     E::Nenhum},
    {"robustez_utf8_truncado", "a\xC3", E::Nenhum,
     {{T::Identificador, "a"}, {T::Desconhecido, "\xC3"}}, E::Nenhum},
    {"robustez_cp1252_solto", "m\xE9" "dia", E::Nenhum,
     {{T::Identificador, "m"}, {T::Desconhecido, "\xE9"}, {T::Identificador, "dia"}}, E::Nenhum},
};

INSTANTIATE_TEST_SUITE_P(Casos, Varredura, testing::ValuesIn(casos),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(VarreduraMultilinha, ChaveSemFechoPintaAteAPrimeiraChaveDeFecho)
{
    VarredorRealce v;
    std::vector<Ficha> f;
    EstadoLinha e = EstadoLinha::Nenhum;
    const char* linhas[] = {"inicio { abre", "leia(x)", "mostre 'a' } fim", "se"};
    std::vector<TipoFicha> ultimas;
    for (const char* l : linhas) {
        e = v.varre(l, e, f);
        ultimas.push_back(f.back().tipo);
    }
    EXPECT_EQ(ultimas, (std::vector<TipoFicha>{T::Comentario, T::Comentario, T::PalavraReservada,
                                               T::PalavraReservada}));
    EXPECT_EQ(e, EstadoLinha::Nenhum);
}

TEST(VarreduraMultilinha, CadeiaSemFechoNaoPassaParaALinhaSeguinte)
{
    VarredorRealce v;
    std::vector<Ficha> f;
    EXPECT_EQ(v.varre("mostre('sem fecho", EstadoLinha::Nenhum, f), EstadoLinha::Nenhum);
    v.varre("fim", EstadoLinha::Nenhum, f);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].tipo, T::PalavraReservada);
}

TEST(VarreduraQuebras, CrELfSaoEspacosInclusiveDentroDeComentario)
{
    VarredorRealce v;
    std::vector<Ficha> f;
    EXPECT_EQ(v.varre("{a\r\nb", EstadoLinha::Nenhum, f), EstadoLinha::ComentarioChaves);
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0], (Ficha{T::Comentario, 0, 2}));
    EXPECT_EQ(f[1], (Ficha{T::Espaco, 2, 2}));
    EXPECT_EQ(f[2], (Ficha{T::Comentario, 4, 1}));
}

TEST(PalavrasReservadas, ListaTem280PalavrasMaiusculasSemRepeticao)
{
    const auto& lista = palavrasReservadasVendrilo();
    EXPECT_EQ(lista.size(), 280u);
    PalavrasReservadas p(lista);
    EXPECT_EQ(p.lista().size(), 280u);
    EXPECT_TRUE(std::is_sorted(p.lista().begin(), p.lista().end()));
    for (const auto& w : lista) {
        EXPECT_EQ(w, maiusculasAscii(w));
        EXPECT_TRUE(p.contem(w)) << w;
    }
}

TEST(PalavrasReservadas, DefinirPassaAMaiusculasEBuscaSemCaixa)
{
    PalavrasReservadas p({"zeta", "Alfa-Beta", "meio"});
    EXPECT_EQ(p.lista(), (std::vector<std::string>{"ALFA-BETA", "MEIO", "ZETA"}));
    EXPECT_TRUE(p.contem("alfa-beta"));
    EXPECT_TRUE(p.contem("ZeTa"));
    EXPECT_FALSE(p.contem("alfa"));
    EXPECT_FALSE(p.contem(std::string(200, 'A')));
}

TEST(PalavrasReservadas, PalavrasForaDaListaNaoSaoReservadas)
{
    PalavrasReservadas p(palavrasReservadasVendrilo());
    for (const char* w : {"SOMA", "FIM-", "ENQUANTOS", "CASO-CONTRARI", ""})
        EXPECT_FALSE(p.contem(w)) << w;
}

TEST(ConfiguracaoVarredor, EstilosDesligadosViramSimbolos)
{
    ConfiguracaoVarredor c;
    c.comentarios = EstiloComentario::Asm;
    c.delimitadorCadeia = '"';
    VarredorRealce v(c, PalavrasReservadas(palavrasReservadasVendrilo()));
    std::vector<Ficha> f;
    EXPECT_EQ(v.varre("{(*/*\"x\"'; resto", EstadoLinha::Nenhum, f), EstadoLinha::Nenhum);
    std::vector<TipoFicha> tipos;
    for (const auto& x : f)
        tipos.push_back(x.tipo);
    EXPECT_EQ(tipos, (std::vector<TipoFicha>{T::Simbolo, T::Simbolo, T::Desconhecido, T::Simbolo,
                                             T::Desconhecido, T::Cadeia, T::Desconhecido,
                                             T::Comentario}));
}

TEST(ConfiguracaoVarredor, PreProcessadorVaiAoFimDaLinha)
{
    ConfiguracaoVarredor c;
    c.detectaPreProcessador = true;
    VarredorRealce v(c, PalavrasReservadas({"SE"}));
    std::vector<Ficha> f;
    v.varre("#define se", EstadoLinha::Nenhum, f);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].tipo, T::PreProcessador);
}

TEST(CaracteresIdentificador, PadraoDe33a255EDefinirSubstitui)
{
    CaracteresIdentificador ci;
    const std::string padrao = ci.texto();
    ASSERT_EQ(padrao.size(), 223u);
    EXPECT_EQ(padrao.front(), '!');
    EXPECT_EQ(static_cast<unsigned char>(padrao.back()), 255);
    EXPECT_FALSE(ci.contem(' '));
    EXPECT_TRUE(ci.contem('-'));
    ci.define("zA-a");
    EXPECT_EQ(ci.texto(), "-Aaz");
    EXPECT_FALSE(ci.contem('!'));
}

TEST(TabelaPalavra, SoHifenDigitosLetrasAsciiESublinhado)
{
    std::string dentro;
    for (int c = 0; c < 256; ++c)
        if (ehCaractereDePalavra(static_cast<unsigned char>(c)))
            dentro.push_back(static_cast<char>(c));
    EXPECT_EQ(dentro, "-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz");
}

} // namespace
