#include "translate/tabela_palavras.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace vendrilo {

namespace {

using F = FormaPascal;
using T = FormaTerminador;

// Uma linha por tipo (o 131 tem duas). Textos Pascal com espaços nas pontas
// são escritos com esses espaços. Em PorSecaoTipos o texto usual é ": TIPO" e
// o alternativo "= TIPO"; em PorEstadoCaso o usual é o do primeiro CASO.
// ALTERA-HORA-SISTEMA escreve SETTIME, a rotina da unidade DOS que acerta o
// relógio (gêmea de SETDATE).
const std::vector<PalavraChave> tabela = {
    {1, {"INICIO"}, "BEGIN", "", F::Fixa, T::Mantem, "", PedeSeparador},
    {2, {"FIM"}, "AUTHORS99; END.", "", F::Fixa, T::Mantem, "", SemEfeito},
    {3, {"LIMPA-TELA"}, "CLRSCR;", "", F::Fixa, T::Mantem, "", SemEfeito},
    {4, {"<-"}, ":=", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {5, {"DECLARE", "DEC"}, "VAR", "", F::Fixa, T::Mantem, "", PedeSeparador | ZeraSecaoTipos | ZeraContadorIgual},
    {6, {"(DECLARE", "(DEC"}, "(VAR", "", F::Fixa, T::Mantem, "", ZeraContadorIgual},
    {7, {"INTEIRO"}, ": INTEGER", "= INTEGER", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {8, {"INTEIRO)"}, ": INTEGER)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {9, {"REAL"}, ": REAL", "= REAL", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {10, {"REAL)"}, ": REAL)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {11, {"CARACTER"}, ": STRING", "= STRING", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {12, {"CARACTER)"}, ": STRING)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {13, {"LITERAL"}, ": STRING", "= STRING", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {14, {"LITERAL)"}, ": STRING)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {15, {"CONSTANTE"}, "CONST", "", F::Fixa, T::Fixo, "=", MarcaConstanteC},
    {16, {"(CONSTANTE"}, "(CONST", "", F::Fixa, T::Mantem, "", MarcaConstanteC},
    {17, {"LOGICO"}, ": BOOLEAN", "= BOOLEAN", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {18, {"LOGICO)"}, ": BOOLEAN)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {19, {"CARACTER-ESPECIAL"}, ": CHAR", "= CHAR", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {20, {"CARACTER-ESPECIAL)"}, ": CHAR)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {21, {"VERDADEIRO"}, "TRUE", "", F::Fixa, T::Mantem, "", SemEfeito},
    {22, {"FALSO"}, "FALSE", "", F::Fixa, T::Mantem, "", SemEfeito},
    {23, {"TIPO"}, "TYPE", "", F::Fixa, T::Fixo, ";", AbreSecaoTipos},
    {24, {"ASSIM-COMO"}, ":", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {25, {"COMO-TIPO"}, "OF", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {26, {"CONTEM-INTEIRO"}, "OF INTEGER", "", F::Fixa, T::PorMarcaConstante, "", MarcaConstanteEspaco},
    {27, {"CONTEM-REAL"}, "OF REAL", "", F::Fixa, T::PorMarcaConstante, "", MarcaConstanteEspaco},
    {28, {"CONTEM-CARACTER"}, "OF STRING", "", F::Fixa, T::PorMarcaConstante, "", MarcaConstanteEspaco},
    {29, {"CONTEM-LOGICO"}, "OF BOOLEAN", "", F::Fixa, T::PorMarcaConstante, "", MarcaConstanteEspaco},
    {30, {"VETOR", "MATRIZ", "TABELA"}, ": ARRAY", "= ARRAY", F::PorSecaoTipos, T::Mantem, "", ZeraSecaoTipos},
    {31, {"LEIA-PL"}, "READLN", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {32, {"LEIA"}, "READ", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {33, {"MOSTRE-PL"}, "WRITELN", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {34, {"MOSTRE"}, "WRITE", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {35, {"IMPRIMA"}, "WRITE", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {36, {"E"}, "AND", "", F::Fixa, T::Mantem, "", SemEfeito},
    {37, {"OU"}, "OR", "", F::Fixa, T::Mantem, "", SemEfeito},
    {38, {"NAO"}, "NOT", "", F::Fixa, T::Mantem, "", SemEfeito},
    {39, {"SE"}, "IF", "", F::Fixa, T::Mantem, "", SemEfeito},
    {40, {"ENTAO"}, "THEN BEGIN", "", F::Fixa, T::Mantem, "", SemEfeito},
    {41, {"SENAO"}, "END ELSE BEGIN", "", F::Fixa, T::Mantem, "", SemEfeito},
    {42, {"FIM-SE"}, "END;", "", F::Fixa, T::Mantem, "", SemEfeito},
    {43, {"ENQUANTO", "ENQ"}, "WHILE", "", F::Fixa, T::Mantem, "", LacoEnquanto},
    {44, {"FIM-ENQUANTO", "FIM-ENQ"}, "END;", "", F::Fixa, T::Mantem, "", SemEfeito},
    {45, {"REPITA"}, "REPEAT", "", F::Fixa, T::Mantem, "", SemEfeito},
    {46, {"ATE-QUE"}, "UNTIL", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {47, {"PARA"}, "FOR", "", F::Fixa, T::Mantem, "", LacoPara},
    {48, {"DE"}, ":=", "", F::Fixa, T::Mantem, "", SemEfeito},
    {49, {"ATE", "ATE+1", "ATE-CRESCENDO"}, "TO", "", F::Fixa, T::Mantem, "", SemEfeito},
    {50, {"ATE-1", "ATE-DECRESCENDO"}, "DOWNTO", "", F::Fixa, T::Mantem, "", SemEfeito},
    {51, {"FACA"}, "DO BEGIN", "", F::Fixa, T::Mantem, "", SemEfeito},
    {52, {"FIM-PARA"}, "END;", "", F::Fixa, T::Mantem, "", SemEfeito},
    {53, {"SELECIONE", "ESCOLHA"}, "CASE", "", F::Fixa, T::Fixo, " OF ", ZeraEstadoCaso},
    {55, {"CASO"}, "    ", " end;    ", F::PorEstadoCaso, T::Fixo, " : begin ", PrimeiroCaso},
    {56, {"CASO-CONTRARIO"}, "END; ELSE BEGIN", "", F::Fixa, T::Mantem, "", CasoContrario},
    {57, {"FIM-SELECIONE", "FIM-ESCOLHA", "FIM-CASO"}, "END; END;", "", F::Fixa, T::Mantem, "", SemEfeito},
    {58, {"PAUSA"}, "READLN;", "", F::Fixa, T::Mantem, "", SemEfeito},
    {59, {"CURSOR"}, "GOTOXY", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {60, {"LOG-NEP"}, "LN", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {61, {"EXP-NEP"}, "EXP", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {62, {"ABSOLUTO"}, "ABS", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {63, {"TRUNCAR", "TRUNCA", "PARTE-INTEIRA", "INTEIRA"}, "TRUNC", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {64, {"ARREDONDAR", "ARREDONDA", "ARRED"}, "ROUND", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {65, {"QUADRADO", "QUAD"}, "SQR", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {66, {"RAIZ", "RAIZ-QUAD", "RAIZ-QUADRADA"}, "SQRT", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {67, {"SENO"}, "SIN", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {68, {"COSENO"}, "COS", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {69, {"ARCO-TANGENTE", "TANGENTE"}, "ARCTAN", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {70, {"DIVISAO-INTEIRA"}, "DIV", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {71, {"RESTO"}, "MOD", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {72, {"SINAL"}, "(-1) * ", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {73, {"IMPAR"}, "ODD", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {74, {"PAR"}, "NOT ODD", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {75, {"FIM-LINHA"}, "EOLN", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {76, {"FIM-ARQUIVO", "FIM-ARQ"}, "EOF", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {77, {"ORDEM-N"}, "ORD", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {78, {"ORDEM-C"}, "CHR", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {79, {"SUCESSOR"}, "SUCC", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {80, {"PREDECESSOR"}, "PRED", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {81, {"TIPO-REG", "TIPO-REGISTRO"}, "TYPE", "", F::Fixa, T::Fixo, " ", SemEfeito},
    {82, {"REG", "REGISTRO"}, "record", "", F::Fixa, T::Fixo, " ", SemEfeito},
    {83, {"FIM-REG", "FIM-REGISTRO"}, "end", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {84, {"ARQ", "ARQUIVO"}, "FILE OF", "", F::Fixa, T::Fixo, " ", SemEfeito},
    {85, {"ABRA", "ABRIR"}, "ASSIGN", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {86, {"POSICIONE", "POSICIONAR"}, "RESET", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {87, {"CRIE", "CRIAR", "INICIALIZE"}, "REWRITE", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {88, {"FECHE", "FECHAR"}, "CLOSE", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {89, {"LEIA-ARQ", "LER-ARQ"}, "READ", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {90, {"GRAVE", "GRAVAR"}, "WRITE", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {91, {"LEIA-DIRETO", "LER-DIRETO", "LEIA-CHAVE", "LER-CHAVE"}, "SEEK", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {92, {"TOTAL-REG", "TOTAL-REGISTROS", "TOTAL-REGISTRO"}, "FILESIZE", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {93, {"TEXTO", "ARQ-TEXTO"}, "TEXT", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {94, {"ABRA-TXT", "ABRIR-TXT"}, "APPEND", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {95, {"COMO"}, "WITH", "", F::Fixa, T::Fixo, " DO BEGIN", SemEfeito},
    {96, {"FIM-COMO"}, "END", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {97, {"PROCEDIMENTO", "PROC"}, "PROCEDURE", "", F::Fixa, T::Fixo, "; ", PedeSeparador},
    {98, {"INICIO-PROCEDIMENTO", "INICIO-PROC"}, "BEGIN", "", F::Fixa, T::Mantem, "", SemEfeito},
    {99, {"FIM-PROCEDIMENTO", "FIM-PROC"}, "END", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {100, {"FUNCAO"}, "FUNCTION", "", F::Fixa, T::Fixo, "; ", PedeSeparador},
    {101, {"INICIO-FUNCAO", "INICIO-FUNC"}, "BEGIN", "", F::Fixa, T::Mantem, "", SemEfeito},
    {102, {"FIM-FUNCAO", "FIM-FUNC"}, "END", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {103, {"RETROCESSO", "BS"}, "#08", "", F::Fixa, T::Fixo, " ", SemEfeito},
    {104, {"SALTA-LINHA", "LF"}, "#10", "", F::Fixa, T::Fixo, " ", SemEfeito},
    {105, {"SALTA-PAGINA", "FF"}, "#12", "", F::Fixa, T::Fixo, " ", SemEfeito},
    {106, {"VOLTA-LINHA", "CR"}, "#13", "", F::Fixa, T::Fixo, " ", SemEfeito},
    {107, {"ESCAPE", "ESC"}, "#27", "", F::Fixa, T::Fixo, " ", SemEfeito},
    {108, {"INTEIRO-BYTE", "INT-BYTE"}, ": BYTE", "= BYTE", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {109, {"INTEIRO-CURTO", "INT-CURTO"}, ": SHORTINT", "= SHORTINT", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {110, {"INTEIRO-LONGO", "INT-LON"}, ": LONGINT", "= LONGINT", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {111, {"REAL-SIMPLES", "SIMPLES"}, ": SINGLE", "= SINGLE", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {112, {"REAL-DUPLO", "DUPLO"}, ": DOUBLE", "= DOUBLE", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {113, {"REAL-ESTENDIDO", "ESTENDIDO"}, ": EXTENDED", "= EXTENDED", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {114, {"REAL-COMP", "COMP"}, ": COMP", "= COMP", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {115, {"INTEIRO-PALAVRA", "INT-PAL", "PALAVRA"}, ": WORD", "= WORD", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {116, {"INTEIRO-BYTE)", "INT-BYTE)"}, ": BYTE)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {117, {"INTEIRO-CURTO)", "INT-CURTO)"}, ": SHORTINT)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {118, {"INTEIRO-LONGO)", "INT-LON)"}, ": LONGINT)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {119, {"REAL-SIMPLES)", "SIMPLES)"}, ": SINGLE)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {120, {"REAL-DUPLO)", "DUPLO)"}, ": DOUBLE)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {121, {"REAL-ESTENDIDO)", "ESTENDIDO)"}, ": EXTENDED)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {122, {"REAL-COMP)", "COMP)"}, ": COMP)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {123, {"INTEIRO-PALAVRA)", "INT-PAL)", "PALAVRA)"}, ": WORD)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {124, {"FRACIONARIO", "FRACAO"}, "FRAC", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {125, {"RANDOMICO"}, "RANDOM", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {126, {"RANDOMICO-SISTEMA"}, "RANDOMIZE", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {127, {"CONCATENAR", "CONCATENE", "CONCATENACAO"}, "CONCACT", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {128, {"COPIAR", "COPIA", "COPIE"}, "COPY", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {129, {"TAMANHO", "TAMANHO-LIT"}, "LENGTH", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {130, {"POSICAO"}, "POS", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {131, {"MAIUSCULA"}, "UPCASE", "", F::Fixa, T::Mantem, "", SemEfeito},
    {131, {"(MAIUSCULA"}, "(UPCASE", "", F::Fixa, T::Mantem, "", SemEfeito},
    {133, {"REMOVER", "REMOVA"}, "DELETE", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {134, {"INSERIR", "INSIRA"}, "INSERT", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {135, {"TABELA-ASCII", "TAB-ASC"}, "CHR", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {136, {"NUMERO-ALFA", "NUM-ALFA"}, "STR", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {137, {"ALFA-NUMERO", "ALFA-NUM"}, "VAL", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {138, {"INTERROMPA", "INTERROMPER"}, "EXIT", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {139, {"SAIR", "SAIA"}, "HALT", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {144, {"TECLOU", "TECLA-PRESSIONADA"}, "KEYPRESSED", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {145, {"LEIA-TECLA", "LER-TECLA", "LEIA-T"}, "READKEY", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {146, {"COLUNA-CURSOR", "COL-CURSOR"}, "WHEREX", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {147, {"LINHA-CURSOR", "LIN-CURSOR"}, "WHEREY", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {148, {"LIMPA-LINHA-FIM"}, "CLREOL", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {149, {"ESPERE", "ESPERAR"}, "DELAY", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {150, {"APAGA-LINHA", "APAGA-LIN", "APAGAR-LINHA", "APAGAR-LIN"}, "DELLINE", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {151, {"INSERE-LINHA", "INSERE-LIN", "INSERIR-LINHA", "INSERIR-LIN"}, "INSLINE", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {152, {"VIDEO-BRILHO"}, "HIGHVIDEO", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {153, {"VIDEO-NORMAL"}, "NORMVIDEO", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {154, {"SEM-SOM"}, "NOSOUND", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {155, {"SOM"}, "SOUND", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {156, {"COR-FUNDO", "COR-DE-FUNDO"}, "TEXTBACKGROUND", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {157, {"COR-FRENTE", "COR-DE-FRENTE", "COR-TEXTO", "COR-DO-TEXTO"}, "TEXTCOLOR", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {158, {"MODO-VIDEO", "MODO-DO-VIDEO"}, "TEXTMODE", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {159, {"JANELA", "MOLDURA", "QUADRO"}, "WINDOW", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {160, {"ESPACO-DISPONIVEL", "ESPACO-DISP"}, "DISKFREE", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {161, {"ESPACO-TOTAL", "ESPACO-TOT"}, "DISKSIZE", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {162, {"VERSAO-DOS", "VER-DOS", "VERSAO-DO-DOS"}, "DOSVERSION", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {163, {"ENDERECO-ARQUIVO", "END-ARQ"}, "FEXPAND", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {164, {"PROCURA-ARQUIVO", "PROCURA-ARQ"}, "FSEARCH", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {165, {"EXECUTE", "EXECUTAR"}, "EXEC", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {166, {"PRIMEIRO-ARQUIVO", "PRIM-ARQ", "PRIMEIRO-ARQ"}, "FINDFIRST", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {167, {"PROXIMO-ARQUIVO", "PROX-ARQ", "PROXIMO-ARQ"}, "FINDNEXT", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {168, {"ATRIBUTOS-ARQUIVO", "ATRIB-ARQ", "ATRIBUTOS-ARQ"}, "GETFATTR", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {169, {"DATA-SISTEMA", "DATA-DO-SISTEMA"}, "GETDATE", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {170, {"HORA-SISTEMA", "HORA-DO-SISTEMA"}, "GETTIME", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {171, {"GRAVACAO-ARQUIVO", "GRAV-ARQ", "GRAVACAO-ARQ"}, "GETFTIME", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {172, {"COMPACTAR-DATA", "COMP-DATA"}, "PACKTIME", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {173, {"DESCOMPACTAR-DATA", "DESCOMP-DATA"}, "UNPACKTIME", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {174, {"ALTERA-DATA-SISTEMA", "ALT-DATA-SIS"}, "SETDATE", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {175, {"ALTERA-HORA-SISTEMA", "ALT-HORA-SIS"}, "SETTIME", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {176, {"ALTERA-ATRIBUTOS-ARQUIVO", "ALT-ATRIB-ARQ", "ALTERA-ATRIBUTOS-ARQ"}, "SETFATTR", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {177, {"ALTERA-HORA-ARQUIVO", "ALT-HORA-ARQ"}, "SETFTIME", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {178, {"EM", "CONTIDO-EM"}, "IN", "", F::Fixa, T::Mantem, "", SemEfeito},
    {179, {"CONJUNTO"}, " = SET OF", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {180, {"PROCESSO", "ROTINA", "SUB-ROTINA", "MODULO"}, "", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {181, {"EXP-REAL", "EXPONENCIACAO-BASE-REAL"}, "exp_real", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {182, {"EXP-INT", "EXPONENCIACAO-BASE-INTEIRO"}, "exp_int", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {183, {"BIBLIOTECA"}, ", ", "", F::Fixa, T::Fixo, ";", FechaComBiblioteca},
    {184, {"^INTEIRO"}, ": ^INTEGER", "= ^INTEGER", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {185, {"^INTEIRO)"}, ": ^INTEGER)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {186, {"^REAL"}, ": ^REAL", "= ^REAL", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {187, {"^REAL)"}, ": ^REAL)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {188, {"^CARACTER-ESPECIAL"}, ": ^CHAR", "= ^CHAR", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    {189, {"^CARACTER-ESPECIAL)"}, ": ^CHAR)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {190, {"^CARACTER"}, ": ^STRING", "= ^STRING", F::PorSecaoTipos, T::Fixo, ";", ZeraSecaoTipos},
    // Forma colada ao parêntese, como a das outras palavras de tipo: sem ela um
    // parâmetro ^CARACTER) sairia sem tradução. Ocupa o tipo livre entre 190 e 192.
    {191, {"^CARACTER)"}, ": ^STRING)", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {192, {"UNIDADE"}, "UNIT", "", F::Fixa, T::Fixo, ";", SemEfeito},
    {193, {"(PARAMETRO-VALOR", "(PARAM-VALOR", "(PARAM-VAL"}, "(", "", F::Fixa, T::Mantem, "", ZeraContadorIgual},
    {194, {"PARAMETRO-VALOR", "PARAM-VALOR", "PARAM-VAL"}, " ", "", F::Fixa, T::Mantem, "", ZeraContadorIgual},
    {195, {"(PARAMETRO-REFERENCIA", "(PARAM-REFERENCIA", "(PARAM-REF"}, "(VAR", "", F::Fixa, T::Mantem, "", ZeraContadorIgual},
    {196, {"PARAMETRO-REFERENCIA", "PARAM-REFERENCIA", "PARAM-REF"}, "VAR", "", F::Fixa, T::Mantem, "", ZeraContadorIgual},
};

// Busca por palavra inteira: endereçamento aberto com hash FNV-1a, e antes
// dele um filtro por (tamanho, primeira letra) que descarta de cara a maioria
// dos identificadores do aluno. A busca roda uma vez por palavra traduzida.
struct Indice {
    static constexpr std::size_t Vagas = 1024; // potência de dois, bem acima das grafias
    struct Vaga {
        std::string_view grafia;
        const PalavraChave* linha = nullptr;
    };
    std::array<Vaga, Vagas> vagas{};
    std::array<std::array<bool, 256>, 64> comeco{}; // [tamanho][primeiro byte]
    std::vector<GrafiaPalavra> grafias;
    std::size_t maior = 0;

    static std::uint32_t espalha(std::string_view s)
    {
        std::uint32_t h = 2166136261u;
        for (unsigned char c : s)
            h = (h ^ c) * 16777619u;
        return h;
    }

    Indice()
    {
        for (const PalavraChave& linha : tabela)
            for (std::string_view g : linha.grafias) {
                std::size_t i = espalha(g) & (Vagas - 1);
                while (vagas[i].linha)
                    i = (i + 1) & (Vagas - 1);
                vagas[i] = {g, &linha};
                comeco[g.size()][static_cast<unsigned char>(g[0])] = true;
                grafias.push_back({g, linha.tipo, linha.pascal, &linha});
                maior = std::max(maior, g.size());
            }
    }

    const PalavraChave* procura(std::string_view s) const
    {
        if (s.empty() || s.size() > maior || !comeco[s.size()][static_cast<unsigned char>(s[0])])
            return nullptr;
        for (std::size_t i = espalha(s) & (Vagas - 1); vagas[i].linha; i = (i + 1) & (Vagas - 1))
            if (vagas[i].grafia == s)
                return vagas[i].linha;
        return nullptr;
    }
};

const Indice& indice()
{
    static const Indice i;
    return i;
}

} // namespace

const std::vector<PalavraChave>& TabelaPalavras() { return tabela; }

const PalavraChave* ProcuraPalavra(std::string_view maiuscula) { return indice().procura(maiuscula); }

std::size_t MaiorGrafia() { return indice().maior; }

const std::vector<GrafiaPalavra>& GrafiasPalavras() { return indice().grafias; }

} // namespace vendrilo
