#include "translate/tabela_palavras.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace vendrilo;

// O vocabulário como o documento da linguagem o lista, transcrito à parte da
// tabela do tradutor: tipo, grafias, texto Pascal usual, texto em seção de
// tipos (ou do CASO seguinte), terminador (nullptr: mantém; "=|;": depende
// de MarcaConstante).
struct Esperado {
    int tipo;
    std::vector<std::string> grafias;
    std::string pascal;
    std::string alternativo;
    const char* terminador;
};

const std::vector<Esperado> vocabulario = {
    {1, {"INICIO"}, "BEGIN", "", nullptr},
    {2, {"FIM"}, "AUTHORS99; END.", "", nullptr},
    {3, {"LIMPA-TELA"}, "CLRSCR;", "", nullptr},
    {4, {"<-"}, ":=", "", ";"},
    {5, {"DECLARE", "DEC"}, "VAR", "", nullptr},
    {6, {"(DECLARE", "(DEC"}, "(VAR", "", nullptr},
    {7, {"INTEIRO"}, ": INTEGER", "= INTEGER", ";"},
    {8, {"INTEIRO)"}, ": INTEGER)", "", ";"},
    {9, {"REAL"}, ": REAL", "= REAL", ";"},
    {10, {"REAL)"}, ": REAL)", "", ";"},
    {11, {"CARACTER"}, ": STRING", "= STRING", ";"},
    {12, {"CARACTER)"}, ": STRING)", "", ";"},
    {13, {"LITERAL"}, ": STRING", "= STRING", ";"},
    {14, {"LITERAL)"}, ": STRING)", "", ";"},
    {15, {"CONSTANTE"}, "CONST", "", "="},
    {16, {"(CONSTANTE"}, "(CONST", "", nullptr},
    {17, {"LOGICO"}, ": BOOLEAN", "= BOOLEAN", ";"},
    {18, {"LOGICO)"}, ": BOOLEAN)", "", ";"},
    {19, {"CARACTER-ESPECIAL"}, ": CHAR", "= CHAR", ";"},
    {20, {"CARACTER-ESPECIAL)"}, ": CHAR)", "", ";"},
    {21, {"VERDADEIRO"}, "TRUE", "", nullptr},
    {22, {"FALSO"}, "FALSE", "", nullptr},
    {23, {"TIPO"}, "TYPE", "", ";"},
    {24, {"ASSIM-COMO"}, ":", "", ";"},
    {25, {"COMO-TIPO"}, "OF", "", ";"},
    {26, {"CONTEM-INTEIRO"}, "OF INTEGER", "", "=|;"},
    {27, {"CONTEM-REAL"}, "OF REAL", "", "=|;"},
    {28, {"CONTEM-CARACTER"}, "OF STRING", "", "=|;"},
    {29, {"CONTEM-LOGICO"}, "OF BOOLEAN", "", "=|;"},
    {30, {"VETOR", "MATRIZ", "TABELA"}, ": ARRAY", "= ARRAY", nullptr},
    {31, {"LEIA-PL"}, "READLN", "", ";"},
    {32, {"LEIA"}, "READ", "", ";"},
    {33, {"MOSTRE-PL"}, "WRITELN", "", ";"},
    {34, {"MOSTRE"}, "WRITE", "", ";"},
    {35, {"IMPRIMA"}, "WRITE", "", ";"},
    {36, {"E"}, "AND", "", nullptr},
    {37, {"OU"}, "OR", "", nullptr},
    {38, {"NAO"}, "NOT", "", nullptr},
    {39, {"SE"}, "IF", "", nullptr},
    {40, {"ENTAO"}, "THEN BEGIN", "", nullptr},
    {41, {"SENAO"}, "END ELSE BEGIN", "", nullptr},
    {42, {"FIM-SE"}, "END;", "", nullptr},
    {43, {"ENQUANTO", "ENQ"}, "WHILE", "", nullptr},
    {44, {"FIM-ENQUANTO", "FIM-ENQ"}, "END;", "", nullptr},
    {45, {"REPITA"}, "REPEAT", "", nullptr},
    {46, {"ATE-QUE"}, "UNTIL", "", ";"},
    {47, {"PARA"}, "FOR", "", nullptr},
    {48, {"DE"}, ":=", "", nullptr},
    {49, {"ATE", "ATE+1", "ATE-CRESCENDO"}, "TO", "", nullptr},
    {50, {"ATE-1", "ATE-DECRESCENDO"}, "DOWNTO", "", nullptr},
    {51, {"FACA"}, "DO BEGIN", "", nullptr},
    {52, {"FIM-PARA"}, "END;", "", nullptr},
    {53, {"SELECIONE", "ESCOLHA"}, "CASE", "", " OF "},
    {55, {"CASO"}, "    ", " end;    ", " : begin "},
    {56, {"CASO-CONTRARIO"}, "END; ELSE BEGIN", "", nullptr},
    {57, {"FIM-SELECIONE", "FIM-ESCOLHA", "FIM-CASO"}, "END; END;", "", nullptr},
    {58, {"PAUSA"}, "READLN;", "", nullptr},
    {59, {"CURSOR"}, "GOTOXY", "", ";"},
    {60, {"LOG-NEP"}, "LN", "", ";"},
    {61, {"EXP-NEP"}, "EXP", "", ";"},
    {62, {"ABSOLUTO"}, "ABS", "", ";"},
    {63, {"TRUNCAR", "TRUNCA", "PARTE-INTEIRA", "INTEIRA"}, "TRUNC", "", ";"},
    {64, {"ARREDONDAR", "ARREDONDA", "ARRED"}, "ROUND", "", ";"},
    {65, {"QUADRADO", "QUAD"}, "SQR", "", ";"},
    {66, {"RAIZ", "RAIZ-QUAD", "RAIZ-QUADRADA"}, "SQRT", "", ";"},
    {67, {"SENO"}, "SIN", "", ";"},
    {68, {"COSENO"}, "COS", "", ";"},
    {69, {"ARCO-TANGENTE", "TANGENTE"}, "ARCTAN", "", ";"},
    {70, {"DIVISAO-INTEIRA"}, "DIV", "", ";"},
    {71, {"RESTO"}, "MOD", "", ";"},
    {72, {"SINAL"}, "(-1) * ", "", ";"},
    {73, {"IMPAR"}, "ODD", "", ";"},
    {74, {"PAR"}, "NOT ODD", "", ";"},
    {75, {"FIM-LINHA"}, "EOLN", "", ";"},
    {76, {"FIM-ARQUIVO", "FIM-ARQ"}, "EOF", "", ";"},
    {77, {"ORDEM-N"}, "ORD", "", ";"},
    {78, {"ORDEM-C"}, "CHR", "", ";"},
    {79, {"SUCESSOR"}, "SUCC", "", ";"},
    {80, {"PREDECESSOR"}, "PRED", "", ";"},
    {81, {"TIPO-REG", "TIPO-REGISTRO"}, "TYPE", "", " "},
    {82, {"REG", "REGISTRO"}, "record", "", " "},
    {83, {"FIM-REG", "FIM-REGISTRO"}, "end", "", ";"},
    {84, {"ARQ", "ARQUIVO"}, "FILE OF", "", " "},
    {85, {"ABRA", "ABRIR"}, "ASSIGN", "", ";"},
    {86, {"POSICIONE", "POSICIONAR"}, "RESET", "", ";"},
    {87, {"CRIE", "CRIAR", "INICIALIZE"}, "REWRITE", "", ";"},
    {88, {"FECHE", "FECHAR"}, "CLOSE", "", ";"},
    {89, {"LEIA-ARQ", "LER-ARQ"}, "READ", "", ";"},
    {90, {"GRAVE", "GRAVAR"}, "WRITE", "", ";"},
    {91, {"LEIA-DIRETO", "LER-DIRETO", "LEIA-CHAVE", "LER-CHAVE"}, "SEEK", "", ";"},
    {92, {"TOTAL-REG", "TOTAL-REGISTROS", "TOTAL-REGISTRO"}, "FILESIZE", "", ";"},
    {93, {"TEXTO", "ARQ-TEXTO"}, "TEXT", "", ";"},
    {94, {"ABRA-TXT", "ABRIR-TXT"}, "APPEND", "", ";"},
    {95, {"COMO"}, "WITH", "", " DO BEGIN"},
    {96, {"FIM-COMO"}, "END", "", ";"},
    {97, {"PROCEDIMENTO", "PROC"}, "PROCEDURE", "", "; "},
    {98, {"INICIO-PROCEDIMENTO", "INICIO-PROC"}, "BEGIN", "", nullptr},
    {99, {"FIM-PROCEDIMENTO", "FIM-PROC"}, "END", "", ";"},
    {100, {"FUNCAO"}, "FUNCTION", "", "; "},
    {101, {"INICIO-FUNCAO", "INICIO-FUNC"}, "BEGIN", "", nullptr},
    {102, {"FIM-FUNCAO", "FIM-FUNC"}, "END", "", ";"},
    {103, {"RETROCESSO", "BS"}, "#08", "", " "},
    {104, {"SALTA-LINHA", "LF"}, "#10", "", " "},
    {105, {"SALTA-PAGINA", "FF"}, "#12", "", " "},
    {106, {"VOLTA-LINHA", "CR"}, "#13", "", " "},
    {107, {"ESCAPE", "ESC"}, "#27", "", " "},
    {108, {"INTEIRO-BYTE", "INT-BYTE"}, ": BYTE", "= BYTE", ";"},
    {109, {"INTEIRO-CURTO", "INT-CURTO"}, ": SHORTINT", "= SHORTINT", ";"},
    {110, {"INTEIRO-LONGO", "INT-LON"}, ": LONGINT", "= LONGINT", ";"},
    {111, {"REAL-SIMPLES", "SIMPLES"}, ": SINGLE", "= SINGLE", ";"},
    {112, {"REAL-DUPLO", "DUPLO"}, ": DOUBLE", "= DOUBLE", ";"},
    {113, {"REAL-ESTENDIDO", "ESTENDIDO"}, ": EXTENDED", "= EXTENDED", ";"},
    {114, {"REAL-COMP", "COMP"}, ": COMP", "= COMP", ";"},
    {115, {"INTEIRO-PALAVRA", "INT-PAL", "PALAVRA"}, ": WORD", "= WORD", ";"},
    {116, {"INTEIRO-BYTE)", "INT-BYTE)"}, ": BYTE)", "", ";"},
    {117, {"INTEIRO-CURTO)", "INT-CURTO)"}, ": SHORTINT)", "", ";"},
    {118, {"INTEIRO-LONGO)", "INT-LON)"}, ": LONGINT)", "", ";"},
    {119, {"REAL-SIMPLES)", "SIMPLES)"}, ": SINGLE)", "", ";"},
    {120, {"REAL-DUPLO)", "DUPLO)"}, ": DOUBLE)", "", ";"},
    {121, {"REAL-ESTENDIDO)", "ESTENDIDO)"}, ": EXTENDED)", "", ";"},
    {122, {"REAL-COMP)", "COMP)"}, ": COMP)", "", ";"},
    {123, {"INTEIRO-PALAVRA)", "INT-PAL)", "PALAVRA)"}, ": WORD)", "", ";"},
    {124, {"FRACIONARIO", "FRACAO"}, "FRAC", "", ";"},
    {125, {"RANDOMICO"}, "RANDOM", "", ";"},
    {126, {"RANDOMICO-SISTEMA"}, "RANDOMIZE", "", ";"},
    {127, {"CONCATENAR", "CONCATENE", "CONCATENACAO"}, "CONCACT", "", ";"},
    {128, {"COPIAR", "COPIA", "COPIE"}, "COPY", "", ";"},
    {129, {"TAMANHO", "TAMANHO-LIT"}, "LENGTH", "", ";"},
    {130, {"POSICAO"}, "POS", "", ";"},
    {131, {"MAIUSCULA"}, "UPCASE", "", nullptr},
    {131, {"(MAIUSCULA"}, "(UPCASE", "", nullptr},
    {133, {"REMOVER", "REMOVA"}, "DELETE", "", ";"},
    {134, {"INSERIR", "INSIRA"}, "INSERT", "", ";"},
    {135, {"TABELA-ASCII", "TAB-ASC"}, "CHR", "", ";"},
    {136, {"NUMERO-ALFA", "NUM-ALFA"}, "STR", "", ";"},
    {137, {"ALFA-NUMERO", "ALFA-NUM"}, "VAL", "", ";"},
    {138, {"INTERROMPA", "INTERROMPER"}, "EXIT", "", ";"},
    {139, {"SAIR", "SAIA"}, "HALT", "", ";"},
    {144, {"TECLOU", "TECLA-PRESSIONADA"}, "KEYPRESSED", "", ";"},
    {145, {"LEIA-TECLA", "LER-TECLA", "LEIA-T"}, "READKEY", "", ";"},
    {146, {"COLUNA-CURSOR", "COL-CURSOR"}, "WHEREX", "", ";"},
    {147, {"LINHA-CURSOR", "LIN-CURSOR"}, "WHEREY", "", ";"},
    {148, {"LIMPA-LINHA-FIM"}, "CLREOL", "", ";"},
    {149, {"ESPERE", "ESPERAR"}, "DELAY", "", ";"},
    {150, {"APAGA-LINHA", "APAGA-LIN", "APAGAR-LINHA", "APAGAR-LIN"}, "DELLINE", "", ";"},
    {151, {"INSERE-LINHA", "INSERE-LIN", "INSERIR-LINHA", "INSERIR-LIN"}, "INSLINE", "", ";"},
    {152, {"VIDEO-BRILHO"}, "HIGHVIDEO", "", ";"},
    {153, {"VIDEO-NORMAL"}, "NORMVIDEO", "", ";"},
    {154, {"SEM-SOM"}, "NOSOUND", "", ";"},
    {155, {"SOM"}, "SOUND", "", ";"},
    {156, {"COR-FUNDO", "COR-DE-FUNDO"}, "TEXTBACKGROUND", "", ";"},
    {157, {"COR-FRENTE", "COR-DE-FRENTE", "COR-TEXTO", "COR-DO-TEXTO"}, "TEXTCOLOR", "", ";"},
    {158, {"MODO-VIDEO", "MODO-DO-VIDEO"}, "TEXTMODE", "", ";"},
    {159, {"JANELA", "MOLDURA", "QUADRO"}, "WINDOW", "", ";"},
    {160, {"ESPACO-DISPONIVEL", "ESPACO-DISP"}, "DISKFREE", "", ";"},
    {161, {"ESPACO-TOTAL", "ESPACO-TOT"}, "DISKSIZE", "", ";"},
    {162, {"VERSAO-DOS", "VER-DOS", "VERSAO-DO-DOS"}, "DOSVERSION", "", ";"},
    {163, {"ENDERECO-ARQUIVO", "END-ARQ"}, "FEXPAND", "", ";"},
    {164, {"PROCURA-ARQUIVO", "PROCURA-ARQ"}, "FSEARCH", "", ";"},
    {165, {"EXECUTE", "EXECUTAR"}, "EXEC", "", ";"},
    {166, {"PRIMEIRO-ARQUIVO", "PRIM-ARQ", "PRIMEIRO-ARQ"}, "FINDFIRST", "", ";"},
    {167, {"PROXIMO-ARQUIVO", "PROX-ARQ", "PROXIMO-ARQ"}, "FINDNEXT", "", ";"},
    {168, {"ATRIBUTOS-ARQUIVO", "ATRIB-ARQ", "ATRIBUTOS-ARQ"}, "GETFATTR", "", ";"},
    {169, {"DATA-SISTEMA", "DATA-DO-SISTEMA"}, "GETDATE", "", ";"},
    {170, {"HORA-SISTEMA", "HORA-DO-SISTEMA"}, "GETTIME", "", ";"},
    {171, {"GRAVACAO-ARQUIVO", "GRAV-ARQ", "GRAVACAO-ARQ"}, "GETFTIME", "", ";"},
    {172, {"COMPACTAR-DATA", "COMP-DATA"}, "PACKTIME", "", ";"},
    {173, {"DESCOMPACTAR-DATA", "DESCOMP-DATA"}, "UNPACKTIME", "", ";"},
    {174, {"ALTERA-DATA-SISTEMA", "ALT-DATA-SIS"}, "SETDATE", "", ";"},
    {175, {"ALTERA-HORA-SISTEMA", "ALT-HORA-SIS"}, "SETTIME", "", ";"},
    {176, {"ALTERA-ATRIBUTOS-ARQUIVO", "ALT-ATRIB-ARQ", "ALTERA-ATRIBUTOS-ARQ"}, "SETFATTR", "", ";"},
    {177, {"ALTERA-HORA-ARQUIVO", "ALT-HORA-ARQ"}, "SETFTIME", "", ";"},
    {178, {"EM", "CONTIDO-EM"}, "IN", "", nullptr},
    {179, {"CONJUNTO"}, " = SET OF", "", ";"},
    {180, {"PROCESSO", "ROTINA", "SUB-ROTINA", "MODULO"}, "", "", ";"},
    {181, {"EXP-REAL", "EXPONENCIACAO-BASE-REAL"}, "exp_real", "", ";"},
    {182, {"EXP-INT", "EXPONENCIACAO-BASE-INTEIRO"}, "exp_int", "", ";"},
    {183, {"BIBLIOTECA"}, ", ", "", ";"},
    {184, {"^INTEIRO"}, ": ^INTEGER", "= ^INTEGER", ";"},
    {185, {"^INTEIRO)"}, ": ^INTEGER)", "", ";"},
    {186, {"^REAL"}, ": ^REAL", "= ^REAL", ";"},
    {187, {"^REAL)"}, ": ^REAL)", "", ";"},
    {188, {"^CARACTER-ESPECIAL"}, ": ^CHAR", "= ^CHAR", ";"},
    {189, {"^CARACTER-ESPECIAL)"}, ": ^CHAR)", "", ";"},
    {190, {"^CARACTER"}, ": ^STRING", "= ^STRING", ";"},
    {192, {"UNIDADE"}, "UNIT", "", ";"},
    {193, {"(PARAMETRO-VALOR", "(PARAM-VALOR", "(PARAM-VAL"}, "(", "", nullptr},
    {194, {"PARAMETRO-VALOR", "PARAM-VALOR", "PARAM-VAL"}, " ", "", nullptr},
    {195, {"(PARAMETRO-REFERENCIA", "(PARAM-REFERENCIA", "(PARAM-REF"}, "(VAR", "", nullptr},
    {196, {"PARAMETRO-REFERENCIA", "PARAM-REFERENCIA", "PARAM-REF"}, "VAR", "", nullptr},
};

// Decisão do projeto: a forma colada ao parêntese de ^CARACTER, no tipo 191.
const Esperado caracterPonteiroParametro = {191, {"^CARACTER)"}, ": ^STRING)", "", ";"};

std::string textoTerminador(const PalavraChave& p)
{
    switch (p.formaTerminador) {
    case FormaTerminador::Mantem: return "(mantém)";
    case FormaTerminador::PorMarcaConstante: return "=|;";
    case FormaTerminador::Fixo: break;
    }
    return std::string(p.terminador);
}

TEST(TabelaPalavras, TemExatamenteAsGrafiasETiposDoVocabulario)
{
    std::map<std::string, int> esperado;
    for (const auto& e : vocabulario)
        for (const auto& g : e.grafias)
            esperado[g] = e.tipo;
    ASSERT_EQ(esperado.size(), 328u) << "a transcrição do vocabulário mudou";
    for (const auto& g : caracterPonteiroParametro.grafias)
        esperado[g] = caracterPonteiroParametro.tipo;

    std::map<std::string, int> naTabela;
    for (const auto& linha : TabelaPalavras())
        for (auto g : linha.grafias)
            EXPECT_TRUE(naTabela.emplace(std::string(g), linha.tipo).second) << "grafia repetida: " << g;
    EXPECT_EQ(naTabela, esperado);
    EXPECT_EQ(GrafiasPalavras().size(), 329u);
}

TEST(TabelaPalavras, TiposAusentesEIntervalo)
{
    std::set<int> tipos;
    for (const auto& linha : TabelaPalavras()) {
        EXPECT_GE(linha.tipo, 1);
        EXPECT_LE(linha.tipo, 196);
        tipos.insert(linha.tipo);
    }
    for (int ausente : {54, 132, 140, 141, 142, 143})
        EXPECT_FALSE(tipos.count(ausente)) << ausente;
    EXPECT_FALSE(tipos.count(251)) << "251 conta FACA de ENQUANTO, não é linha da tabela";
    EXPECT_EQ(tipos.size(), 196u - 6u);
}

TEST(TabelaPalavras, TextosPascalETerminadoresDeCadaGrafia)
{
    std::vector<Esperado> todos = vocabulario;
    todos.push_back(caracterPonteiroParametro);
    for (const auto& e : todos)
        for (const auto& g : e.grafias) {
            SCOPED_TRACE(g);
            const PalavraChave* p = ProcuraPalavra(g);
            ASSERT_NE(p, nullptr);
            EXPECT_EQ(p->tipo, e.tipo);
            EXPECT_EQ(p->pascal, e.pascal);
            EXPECT_EQ(p->pascalAlternativo, e.alternativo);
            EXPECT_EQ(p->forma == FormaPascal::Fixa, e.alternativo.empty());
            EXPECT_EQ(textoTerminador(*p), e.terminador ? e.terminador : "(mantém)");
        }
}

TEST(TabelaPalavras, BuscaSoPorPalavraInteiraEmMaiusculas)
{
    EXPECT_EQ(ProcuraPalavra(""), nullptr);
    EXPECT_EQ(ProcuraPalavra("inicio"), nullptr) << "a busca recebe a forma em maiúsculas";
    EXPECT_EQ(ProcuraPalavra("INICI"), nullptr);
    EXPECT_EQ(ProcuraPalavra("INICIOS"), nullptr);
    EXPECT_EQ(ProcuraPalavra("IN\xCD" "CIO"), nullptr) << "letra acentuada não é a letra sem acento";
    EXPECT_EQ(ProcuraPalavra("LEIA(X)"), nullptr);
    EXPECT_EQ(ProcuraPalavra(std::string(MaiorGrafia() + 1, 'A')), nullptr);
    ASSERT_NE(ProcuraPalavra("(DECLARE"), nullptr);
    EXPECT_EQ(ProcuraPalavra("(DECLARE")->tipo, 6);
    EXPECT_EQ(MaiorGrafia(), std::string("EXPONENCIACAO-BASE-INTEIRO").size());
}

TEST(TabelaPalavras, ListaDeGrafiasApontaParaALinhaCerta)
{
    for (const auto& g : GrafiasPalavras()) {
        SCOPED_TRACE(std::string(g.grafia));
        EXPECT_EQ(ProcuraPalavra(g.grafia), g.linha);
        EXPECT_EQ(g.tipo, g.linha->tipo);
        EXPECT_EQ(g.pascal, g.linha->pascal);
    }
}

} // namespace
