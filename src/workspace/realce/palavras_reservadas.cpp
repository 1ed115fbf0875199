#include "workspace/realce/palavras_reservadas.h"

#include <algorithm>

namespace vendrilo {

const std::vector<std::string>& palavrasReservadasVendrilo()
{
    static const std::vector<std::string> palavras = {
    "ABRA", "ABRA-TXT", "ABRIR", "ABRIR-TXT", "ABSOLUTO", "ALFA-NUM", "ALFA-NUMERO",
    "ALT-ATRIB-ARQ", "ALT-DATA-SIS", "ALTERA-ATRIBUTOS-ARQ", "ALTERA-ATRIBUTOS-ARQUIVO",
    "ALTERA-DATA-SISTEMA", "ALTERA-HORA-ARQ", "ALTERA-HORA-ARQUIVO", "ALTERA-HORA-SISTEMA",
    "ALT-HORA-ARQ", "ALT-HORA-SIS", "APAGA-LIN", "APAGA-LINHA", "APAGAR-LIN", "APAGAR-LINHA",
    "ARCO-TANGENTE", "ARQ", "ARQ-TEXTO", "ARQUIVO", "ARRED", "ARREDONDA", "ARREDONDAR",
    "ASSIM-COMO", "ATE", "ATE+1", "ATE-1", "ATE-CRESCENDO", "ATE-DECRESCENDO", "ATE-QUE",
    "ATRIB-ARQ", "ATRIBUTOS-ARQ", "ATRIBUTOS-ARQUIVO", "BIBLIOTECA", "BS", "CARACTER",
    "CARACTER-ESPECIAL", "CASO", "CASO-CONTRARIO", "COL-CURSOR", "COLUNA-CURSOR", "COMO",
    "COMO-TIPO", "COMP", "COMPACTAR-DATA", "COMP-DATA", "CONCATENACAO", "CONCATENAR",
    "CONCATENE", "CONJUNTO", "CONSTANTE", "CONTEM-CARACTER", "CONTEM-INTEIRO", "CONTEM-LOGICO",
    "CONTEM-REAL", "CONTIDO-EM", "COPIA", "COPIAR", "COPIE", "COR-DE-FRENTE", "COR-DE-FUNDO",
    "COR-DO-TEXTO", "COR-FRENTE", "COR-FUNDO", "COR-TEXTO", "COSENO", "CR", "CRIAR", "CRIE",
    "CURSOR", "DATA-DO-SISTEMA", "DATA-SISTEMA", "DE", "DEC", "DECLARE", "DESCOMPACTAR-DATA",
    "DESCOMP-DATA", "DIVISAO-INTEIRA", "DUPLO", "E", "EM", "END-ARQ", "ENDERECO-ARQUIVO", "ENQ",
    "ENQUANTO", "ENTAO", "ESC", "ESCAPE", "ESCOLHA", "ESPACO-DISP", "ESPACO-DISPONIVEL",
    "ESPACO-TOT", "ESPACO-TOTAL", "ESPERAR", "ESPERE", "ESTENDIDO", "EXECUTAR", "EXECUTE",
    "EXP-INT", "EXP-NEP", "EXPONENCIACAO-BASE-INTEIRO", "EXPONENCIACAO-BASE-REAL", "EXP-REAL",
    "FACA", "FALSO", "FECHAR", "FECHE", "FF", "FIM", "FIM-ARQUIVO", "FIM-CASO", "FIM-COMO",
    "FIM-ENQ", "FIM-ENQUANTO", "FIM-ESCOLHA", "FIM-FUNC", "FIM-FUNCAO", "FIM-LINHA", "FIM-PARA",
    "FIM-PROC", "FIM-PROCEDIMENTO", "FIM-REG", "FIM-REGISTRO", "FIM-SE", "FIM-SELECIONE",
    "FRACAO", "FRACIONARIO", "FUNCAO", "GRAVACAO-ARQ", "GRAVACAO-ARQUIVO", "GRAVAR", "GRAV-ARQ",
    "GRAVE", "HORA-DO-SISTEMA", "HORA-SISTEMA", "IMPAR", "IMPRIMA", "INICIALIZE", "INICIO",
    "INICIO-FUNC", "INICIO-FUNCAO", "INICIO-PROC", "INICIO-PROCEDIMENTO", "INSERE-LIN",
    "INSERE-LINHA", "INSERIR", "INSERIR-LIN", "INSERIR-LINHA", "INSIRA", "INT-BYTE",
    "INT-CURTO", "INTEIRA", "INTEIRO", "INTEIRO-BYTE", "INTEIRO-CURTO", "INTEIRO-LONGO",
    "INTEIRO-PALAVRA", "INTERROMPA", "INTERROMPER", "INT-LON", "INT-LONGO", "INT-PAL", "JANELA",
    "LEIA", "LEIA-ARQ", "LEIA-CHAVE", "LEIA-DIRETO", "LEIA-PL", "LEIA-T", "LEIA-TECLA",
    "LER-ARQ", "LER-CHAVE", "LER-DIRETO", "LER-TECLA", "LF", "LIMPA-LINHA-FIM", "LIMPA-TELA",
    "LIN-CURSOR", "LINHA-CURSOR", "LITERAL", "LOGICO", "LOG-NEP", "MAIUSCULA", "MATRIZ",
    "MODO-DO-VIDEO", "MODO-VIDEO", "MODULO", "MOLDURA", "MOSTRE", "MOSTRE-PL", "NAO",
    "NUM-ALFA", "NUMERO-ALFA", "ORDEM-C", "ORDEM-N", "OU", "PALAVRA", "PAR", "PARA",
    "PARTE-INTEIRA", "PAUSA", "POSICAO", "POSICIONAR", "POSICIONE", "PREDECESSOR", "PRIM-ARQ",
    "PRIMEIRO-ARQ", "PRIMEIRO-ARQUIVO", "PROC", "PROCEDIMENTO", "PROCESSO", "PROCURA-ARQ",
    "PROCURA-ARQUIVO", "PROX-ARQ", "PROXIMO-ARQ", "PROXIMO-ARQUIVO", "QUAD", "QUADRADO",
    "QUADRO", "RAIZ", "RAIZ-QUAD", "RAIZ-QUADRADA", "RANDOMICO", "RANDOMICO-SISTEMA", "REAL",
    "REAL-COMP", "REAL-DUPLO", "REAL-ESTENDIDO", "REAL-SIMPLES", "REG", "REGISTRO", "REMOVA",
    "REMOVER", "REPITA", "RESTO", "RETROCESSO", "ROTINA", "SAIA", "SAIR", "SALTA-PAGINA", "SE",
    "SELECIONE", "SEM-SOM", "SENAO", "SENO", "SIMPLES", "SINAL", "SOM", "SUB-ROTINA",
    "SUCESSOR", "TAB-ASC", "TABELA", "TABELA-ASCII", "TAMANHO", "TAMANHO-LIT", "TANGENTE",
    "TECLA-PRESSIONADA", "TECLOU", "TEXTO", "TIPO", "TIPO-REG", "TIPO-REGISTRO", "TOTAL-REG",
    "TOTAL-REGISTRO", "TOTAL-REGISTROS", "TRUNCA", "TRUNCAR", "VERDADEIRO", "VER-DOS",
    "VERSAO-DO-DOS", "VERSAO-DOS", "VETOR", "VIDEO-BRILHO", "VIDEO-NORMAL", "VOLTA-LINHA",
    };
    return palavras;
}

std::string maiusculasAscii(std::string_view texto)
{
    std::string r(texto);
    for (char& c : r)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return r;
}

void PalavrasReservadas::define(const std::vector<std::string>& palavras)
{
    ordenadas_.clear();
    ordenadas_.reserve(palavras.size());
    for (const auto& p : palavras)
        ordenadas_.push_back(maiusculasAscii(p));
    std::sort(ordenadas_.begin(), ordenadas_.end());
    ordenadas_.erase(std::unique(ordenadas_.begin(), ordenadas_.end()), ordenadas_.end());
}

bool PalavrasReservadas::contem(std::string_view palavra) const
{
    // Palavras curtas cabem na pilha: a busca roda para cada palavra do texto.
    char buffer[64];
    if (palavra.size() > sizeof buffer)
        return std::binary_search(ordenadas_.begin(), ordenadas_.end(), maiusculasAscii(palavra));
    for (std::size_t i = 0; i < palavra.size(); ++i) {
        char c = palavra[i];
        buffer[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    std::string_view chave(buffer, palavra.size());
    return std::binary_search(ordenadas_.begin(), ordenadas_.end(), chave,
                              [](std::string_view a, std::string_view b) { return a < b; });
}

} // namespace vendrilo
