#include "check/mapeamento.h"

#include "formato/texto_1252.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vendrilo {

namespace {

// Textos na ordem dos números do compilador. Alguns terminam com um espaço e
// mantêm a grafia que os alunos já conhecem; não "corrigir".
const std::array<const char*, TotalMensagensCompilador> kTextos = {
    "Acabou espaço na memória.", // 1
    "Identificador esperado.", // 2
    "Identificador desconhecido - verifique a declaração da variável.", // 3
    "Identificador repetido (declaração da variável já existente).", // 4
    "Erro de sintaxe.", // 5
    "Erro na sintaxe da constante real.", // 6
    "Erro na sintaxe constante inteira.", // 7
    "Constante tipo caracter ou literal excede a linha.", // 8
    "Muitos arquivos aninhados (um dentro do outro).", // 9
    "Fim de arquivo inesperado.", // 10
    "Linha muito longa.", // 11
    "Identificador de tipo esperado.", // 12
    "Muitos arquivos abertos.", // 13
    "Nome de arquivo inválido.", // 14
    "Arquivo não foi encontrado.", // 15
    "Disco cheio.", // 16
    "Diretiva de compilação inválida.", // 17
    "Muitos arquivos.", // 18
    "Tipo indefinido na definição de um ponteiro.", // 19
    "Identificador de variável esperado.", // 20
    "Erro no tipo.", // 21
    "Estrutura muito grande.", // 22
    "Tipo base de um conjunto está fora do limite.", // 23
    "Componentes do arquivo não podem ser outros arquivos.", // 24
    "Comprimento do texto inválido. ", // 25
    "Tipos incompatíveis - verifique os tipos das variáveis envolvidas.", // 26
    "Faixa de valores inválidas para o tipo base.", // 27
    "Limite inferior maior que limite superior.", // 28
    "Tipo ordinal (escalar) esperado.", // 29
    "Constante inteira esperada.", // 30
    "Constante esperada.", // 31
    "Constante inteira ou real esperada.", // 32
    "Identificador de tipo esperado.", // 33
    "Tipo de resultado da função inválido.", // 34
    "Identificador de Label esperado.", // 35
    "Início do bloco esperado.", // 36
    "Fim do bloco esperado.", // 37
    "Expressão inteira esperada.", // 38
    "Expressão ordinal (escalar) esperada.", // 39
    "Expressão tipo lógica esperada.", // 40
    "Tipo do operando não corresponde ao tipo do operador.", // 41
    "Erro na expressão.", // 42
    "Associação ilegal.", // 43
    "Identificador de campo esperado. ", // 44
    "Arquivo-objeto muito grande.", // 45
    "Procedimento ou Função externa indefinida.", // 46
    "Registro inválido no arquivo-objeto. ", // 47
    "Segmento de código muito grande.", // 48
    "Segmento de dados muito grande.", // 49
    "FACA esperado.", // 50
    "Definição PUBLICA inválida.", // 51
    "Definição EXTERNA inválida.", // 52
    "Muitas definições EXTERNA.", // 53
    "DE esperado.", // 54
    "INTERFACE esperado.", // 55
    "Referência relocável inválida.", // 56
    "ENTAO esperado.", // 57
    "ATE ou ATE-1 esperado.", // 58
    "Forward indefinido.", // 59
    "Muitos procedimentos.", // 60
    "Typecast inválido.", // 61
    "Divisão por zero.", // 62
    "Tipo de arquivo inválido.", // 63
    "Impossível usar variáveis tipo leia ou mostre. ", // 64
    "Variável ponteiro esperada.", // 65
    "Variável caracter ou literal esperada.", // 66
    "Expressão caracter ou literal esperada.", // 67
    "Unidade não foi encontrada.", // 68
    "Nome da Unidade Incompatível.", // 69
    "Versão incompatível da Unidade.", // 70
    "Nome duplicado da Unidade.", // 71
    "Erro no formato do arquivo da Unidade.", // 72
    "Implementação esperado.", // 73
    "Tipos incompatíveis entre o seletor e as constantes do CASO.", // 74
    "Variável registro esperada.", // 75
    "Constante fora do limite.", // 76
    "Variável arquivo esperada.", // 77
    "Expressão ponteiro esperada.", // 78
    "expressão inteira ou real esperada.", // 79
    "Label não está presente no bloco atual.", // 80
    "Label já foi definido", // 81
    "Label indefinido na área anterior dos comandos.", // 82
    "Argumento @ inválido.", // 83
    "unidade esperado.", // 84
    "Final de linha esperado.", // 85
    "Erro na declaração.", // 86
    "\",\" esperada.", // 87
    "\"(\" esperado.", // 88
    "\")\" esperado.", // 89
    "\"=\" esperado.", // 90
    "\"<-\" esperado.", // 91
    "\"[\" esperado.", // 92
    "\"]\" esperado.", // 93
    "\".\" esperado.", // 94
    "\"..\" esperado.", // 95
    "Variáveis demais.", // 96
    "Variável de controle do PARA inválida.", // 97
    "Variável inteira esperada.", // 98
    "Arquivos não são permitidos aqui.", // 99
    "Comprimento do texto incompatível.", // 100
    "Ordenação inválida dos campos.", // 101
    "Constante Caracter ou Literal esperada.", // 102
    "Variável inteira ou real esperada.", // 103
    "Variável ordinal (escalar) esperada. ", // 104
    "erro no INLINE", // 105
    "Expressão do tipo caracter esperada.", // 106
    "Itens de relocação demais. ", // 107
    "Não há memória suficiente para executar o programa.", // 108
    "Não consegue achar arquivo EXE.", // 109
    "Não pode executar uma Unidade.", // 110
    "Compilação abortada.", // 111
    "Constante do CASO fora do limite.", // 112
    "Erro no comando.", // 113
    "Não pode chamar um procedimento Interrupt.", // 114
    "O co-processador 80x87 é necessário para compilar isto.", // 115
    "Precisa estar no modo 80x87 para compilar isto.", // 116
    "Endereço destino não encontrado.", // 117
    "Inclusão de arquivos não é permitida aqui.", // 118
    "Erro no formato do arquivo TPM.", // 119
    "NIL esperado.", // 120
    "Qualificador inválido.", // 121
    "Referência inválida à variável.", // 122
    "Símbolos demais.", // 123
    "Área dos comandos muito grande.", // 124
    "Módulo não tem informação para debugh (depuração)", // 125
    "Arquivos devem ser parâmetros DECLARE (por referência).", // 126
    "Símbolos condicionais em excesso.", // 127
    "Diretiva condicional em lugar errado.", // 128
    "Diretiva FIM-SE faltando.", // 129
    "Erro nas definições condicionais iniciais.", // 130
    "Cabeçalho incompatível com definição anterior.", // 131
    "Erro crítico no disco.", // 132
    "Não é possível avaliar esta expressão.", // 133
    "Expressão terminada incorretamente.", // 134
    "Especificador de formato inválido.", // 135
    "Referência indireta inválida.", // 136
    "Variáveis estruturadas não são permitidas aqui.", // 137
    "Avaliação não é possível sem a Unidade System.", // 138
    "Não é permitido acessar este símbolo.", // 139
    "Operação de ponto flutuante inválida.", // 140
    "Não é possível compilar overlays na memória.", // 141
    "Variável procedure ou função esperada.", // 142
    "Referência inválida.", // 143
    "Não é possível tornar esta Unidade num overlay.", // 144
};

constexpr std::string_view kChave = ": Error";
constexpr std::string_view kReferenciaPas = ".PAS(";
constexpr std::string_view kReferenciaAlg = ".ALG(";

// Acima disso o número não é uma linha de programa; evita transbordar.
constexpr std::size_t kMaxDigitosLinha = 9;

bool EhDigito(char c) { return c >= '0' && c <= '9'; }

// Posição do primeiro ".PAS(" seguido de dígitos e ")", com o fim dos dígitos;
// um ".PAS(" que não cite linha (parte de um nome de pasta) é pulado.
struct Referencia {
    std::size_t inicio = std::string::npos; // posição de ".PAS("
    std::size_t fimDigitos = 0;             // posição do ")"
};

std::optional<Referencia> AchaReferencia(const std::string& linha)
{
    std::size_t p = linha.find(kReferenciaPas);
    while (p != std::string::npos) {
        const std::size_t digitos = p + kReferenciaPas.size();
        std::size_t j = digitos;
        while (j < linha.size() && EhDigito(linha[j]))
            ++j;
        if (j > digitos && j < linha.size() && linha[j] == ')' &&
            j - digitos <= kMaxDigitosLinha)
            return Referencia{p, j};
        p = linha.find(kReferenciaPas, p + 1);
    }
    return std::nullopt;
}

} // namespace

const std::vector<std::string>& Erropas()
{
    static const std::vector<std::string> tabela = [] {
        std::vector<std::string> t;
        t.reserve(TotalMensagensCompilador);
        for (int n = 1; n <= TotalMensagensCompilador; ++n)
            t.push_back(": Error " + std::to_string(n) + ":");
        return t;
    }();
    return tabela;
}

const std::vector<std::string>& Erropor()
{
    static const std::vector<std::string> tabela = [] {
        std::vector<std::string> t;
        t.reserve(TotalMensagensCompilador);
        for (int n = 1; n <= TotalMensagensCompilador; ++n)
            t.push_back(": Erro " + std::to_string(n) + ": " +
                        Para1252(kTextos[n - 1]));
        return t;
    }();
    return tabela;
}

bool TrocaMsgErro(std::vector<std::string>& Memo1)
{
    for (std::string& linha : Memo1) {
        const std::size_t p = linha.find(kChave);
        if (p == std::string::npos)
            continue;
        // Só a primeira linha com ": Error" é considerada, traduzida ou não.
        const std::size_t doisPontos = linha.find(':', p + kChave.size());
        if (doisPontos == std::string::npos)
            return false;
        const std::string chave = linha.substr(p, doisPontos + 1 - p);
        const auto& pas = Erropas();
        const auto achada = std::find(pas.begin(), pas.end(), chave);
        if (achada == pas.end())
            return false;
        linha.erase(p);
        linha += Erropor()[static_cast<std::size_t>(achada - pas.begin())];
        return true;
    }
    return false;
}

int LinhaAlgoritmoDaLinhaPascal(long long L, int BibliotecaUsada)
{
    return static_cast<int>(L - (BibliotecaUsada ? 27 : 28));
}

std::optional<int> TrocaLinhaErro(std::vector<std::string>& Memo1, int BibliotecaUsada,
                                  const std::vector<std::string>& LinhasAlgoritmo)
{
    if (Memo1.size() < 4)
        return std::nullopt;
    std::string& linhaErro = Memo1[3];
    const auto ref = AchaReferencia(linhaErro);
    if (!ref)
        return std::nullopt;

    const std::size_t digitos = ref->inicio + kReferenciaPas.size();
    const long long L = std::stoll(linhaErro.substr(digitos, ref->fimDigitos - digitos));
    const int n = LinhaAlgoritmoDaLinhaPascal(L, BibliotecaUsada);

    for (std::size_t i = 1; i <= 2; ++i)
        if (const auto r = AchaReferencia(Memo1[i]))
            Memo1[i].replace(r->inicio, kReferenciaAlg.size(), kReferenciaAlg);

    // O número inteiro é trocado, tenha quantos dígitos tiver.
    linhaErro.replace(digitos, ref->fimDigitos - digitos, std::to_string(n + 1LL));
    linhaErro.replace(ref->inicio, kReferenciaAlg.size(), kReferenciaAlg);

    if (Memo1.size() > 4) {
        const bool dentro = n >= 0 && static_cast<std::size_t>(n) < LinhasAlgoritmo.size();
        Memo1[4] = dentro ? LinhasAlgoritmo[static_cast<std::size_t>(n)] : std::string();
    }
    return n;
}

} // namespace vendrilo
