#include "check/estrutura.h"

#include "formato/texto_1252.h"

namespace vendrilo {

namespace {

// Um teste compara dois totais; com duas mensagens, a primeira vale para o
// lado esquerdo menor e a segunda para o maior.
enum class Comparacao { Zero, MaisDeUm, Diferente, Maior, SemSelecione };

struct Teste {
    Comparacao comparacao;
    int esquerda;            // tipo (ou soma de dois, ver `esquerda2`)
    int esquerda2;           // segundo tipo somado à esquerda; 0 quando não há
    int direita;
    const char* menor;       // ou a única mensagem
    const char* maior;
    int pagina;
};

// Na ordem em que as mensagens são numeradas. Os textos guardam a grafia
// que os alunos conhecem, inclusive "ocorrencia" e "expresssão".
const Teste kTestes[] = {
    {Comparacao::Zero, Tipo::Inicio, 0, 0,
     ". Está faltando o marcador de bloco de INICIO do algoritmo.", nullptr, 1},
    {Comparacao::MaisDeUm, Tipo::Inicio, 0, 0,
     ". Existe mais de uma ocorrencia do marcador de bloco de INICIO do algoritmo.", nullptr, 1},
    {Comparacao::Zero, Tipo::Fim, 0, 0,
     ". Está faltando o marcador de bloco de FIM do algoritmo.", nullptr, 2},
    {Comparacao::MaisDeUm, Tipo::Fim, 0, 0,
     ". Existe mais de uma ocorrencia do marcador de bloco de FIM do algoritmo.", nullptr, 2},
    {Comparacao::Diferente, Tipo::Entao, 0, Tipo::Se,
     ". Existe algum comando SE que não possui a expressão ENTAO.",
     ". Existe alguma expressão ENTAO que não possui o comando SE.", 3},
    {Comparacao::Diferente, Tipo::FimSe, 0, Tipo::Se,
     ". Existe algum comando SE que não possui a finalização FIM-SE.",
     ". Existe alguma finalização FIM-SE que não possui o comando SE.", 3},
    {Comparacao::Maior, Tipo::Senao, 0, Tipo::Se,
     ". Existe alguma expresssão SENAO que não possui o comando SE.", nullptr, 3},
    {Comparacao::Diferente, Tipo::FimEnquanto, 0, Tipo::Enquanto,
     ". Existe algum comando ENQUANTO que não possui a finalização FIM-ENQUANTO.",
     ". Existe alguma finalização FIM-ENQUANTO que não possui o comando ENQUANTO.", 4},
    {Comparacao::Diferente, Tipo::FacaEnquanto, 0, Tipo::Enquanto,
     ". Existe algum comando ENQUANTO que não possui a expressão FACA.",
     ". Existe alguma expressão FACA que não possui o comando ENQUANTO.", 4},
    {Comparacao::Diferente, Tipo::AteQue, 0, Tipo::Repita,
     ". Existe algum comando REPITA que não possui a finalização ATE-QUE.",
     ". Existe alguma finalização ATE-QUE que não possui o comando REPITA.", 5},
    {Comparacao::Diferente, Tipo::De, 0, Tipo::Para,
     ". Existe algum comando PARA que não possui a expressão DE.",
     ". Existe alguma expressão DE que não possui o comando PARA.", 6},
    {Comparacao::Diferente, Tipo::AteCrescente, Tipo::AteDecrescente, Tipo::Para,
     ". Existe algum comando PARA que não possui a expressão ATE ou ATE-DECRESCENDO.",
     ". Existe alguma expressão ATE ou ATE-DESCRESCENDO que não possui o comando PARA.", 6},
    {Comparacao::Diferente, Tipo::FacaPara, 0, Tipo::Para,
     ". Existe algum comando PARA que não possui a expressão FACA.",
     ". Existe alguma expressão FACA que não possui o comando PARA.", 6},
    {Comparacao::Diferente, Tipo::FimPara, 0, Tipo::Para,
     ". Existe algum comando PARA que não possui a finalização FIM-PARA.",
     ". Existe alguma finalização FIM-PARA que não possui o comando PARA.", 6},
    {Comparacao::Diferente, Tipo::FimSelecione, 0, Tipo::Selecione,
     ". Existe algum comando SELECIONE que não possui a finalização FIM-SELECIONE.",
     ". Existe alguma finalização FIM-SELECIONE que não possui o comando SELECIONE.", 7},
    {Comparacao::SemSelecione, Tipo::Caso, 0, Tipo::Selecione,
     ". Existe alguma expressão CASO que não tem comando SELECIONE.", nullptr, 7},
    {Comparacao::SemSelecione, Tipo::CasoContrario, 0, Tipo::Selecione,
     ". Existe alguma expressão CASO-CONTRARIO que não tem comando SELECIONE.", nullptr, 7},
    {Comparacao::Diferente, Tipo::FimComo, 0, Tipo::Como,
     ". Existe alguma estrutura do comando COMO que não tem o marcador de FIM-COMO.",
     ". Existe algum marcador de FIM-COMO que não tem o cabeçalho do comando COMO.", 8},
    {Comparacao::Diferente, Tipo::InicioProcedimento, 0, Tipo::Procedimento,
     ". Existe algum PROCEDIMENTO que não tem o marcador de INICIO-PROCEDIMENTO.",
     ". Existe algum marcador de INICIO-PROCEDIMENTO que não tem o cabeçalho de PROCEDIMENTO.", 9},
    {Comparacao::Diferente, Tipo::FimProcedimento, 0, Tipo::Procedimento,
     ". Existe algum PROCEDIMENTO que não tem o marcador de FIM-PROCEDIMENTO.",
     ". Existe algum marcador de FIM-PROCEDIMENTO que não tem o cabeçalho de PROCEDIMENTO.", 9},
    {Comparacao::Diferente, Tipo::InicioFuncao, 0, Tipo::Funcao,
     ". Existe alguma FUNCAO que não tem o marcador de INICIO-FUNCAO.",
     ". Existe algum marcador de INICIO-FUNCAO que não tem o cabeçalho de FUNCAO.", 10},
    {Comparacao::Diferente, Tipo::FimFuncao, 0, Tipo::Funcao,
     ". Existe alguma FUNCAO que não tem o marcador de FIM-FUNCAO.",
     ". Existe algum marcador de FIM-FUNCAO que não tem o cabeçalho de FUNCAO.", 10},
};

// A mensagem que o teste produz, ou nullptr quando os totais estão de acordo.
// A soma é feita em 64 bits: contadores enormes não devem dar a volta.
const char* MensagemDoTeste(const Teste& t, const ContadoresTipos& c)
{
    const long long esquerda =
        static_cast<long long>(c[t.esquerda]) + (t.esquerda2 ? c[t.esquerda2] : 0);
    const long long direita = t.direita ? c[t.direita] : 0;
    switch (t.comparacao) {
    case Comparacao::Zero:
        return esquerda == 0 ? t.menor : nullptr;
    case Comparacao::MaisDeUm:
        return esquerda > 1 ? t.menor : nullptr;
    case Comparacao::Maior:
        return esquerda > direita ? t.menor : nullptr;
    case Comparacao::SemSelecione:
        return esquerda > 0 && direita == 0 ? t.menor : nullptr;
    case Comparacao::Diferente:
        if (esquerda < direita)
            return t.menor;
        return esquerda > direita ? t.maior : nullptr;
    }
    return nullptr;
}

// A linha que a pilha achou para a mensagem, ou 0 quando ela não acha
// falha desse lado ou não explica a diferença das contagens.
int LinhaDaFalha(const Teste& t, int numeroTeste, bool maior, const ContadoresTipos& c,
                 const LocaisFalhas& locais)
{
    if (!locais.valido)
        return 0;
    const LocaisFalhas::Local& aqui = locais.porTeste[numeroTeste][maior ? 1 : 0];
    if (aqui.quantas == 0)
        return 0;
    if (t.comparacao == Comparacao::Diferente) {
        const long long esquerda = static_cast<long long>(c[t.esquerda]) + (t.esquerda2 ? c[t.esquerda2] : 0);
        const long long diferenca = esquerda - c[t.direita];
        const long long pelaPilha = aqui.quantas - locais.porTeste[numeroTeste][maior ? 0 : 1].quantas;
        if (pelaPilha != (diferenca < 0 ? -diferenca : diferenca))
            return 0;
    }
    return aqui.linha;
}

} // namespace

ResultadoEstrutura VerificaEstrutura(const ContadoresTipos& ContadorTipos, const LocaisFalhas& locais)
{
    ResultadoEstrutura r;
    r.IndiceErro = 1;
    r.ErrosSintaxe.push_back(Para1252(
        "O algoritmo não foi traduzido em função dos seguintes erros de sintaxe de comandos:"));
    r.ErrosSintaxe.push_back(" ");
    r.TipoErroLinha = {0, 0};
    r.LinhaAlgoritmo = {0, 0};

    int numeroTeste = 0;
    for (const Teste& t : kTestes) {
        ++numeroTeste;
        const char* mensagem = MensagemDoTeste(t, ContadorTipos);
        if (!mensagem)
            continue;
        ++r.TotalErros;
        r.ErrosSintaxe.push_back("   " + std::to_string(r.TotalErros) + Para1252(mensagem));
        ++r.IndiceErro;
        r.TipoErroLinha.push_back(t.pagina);
        const bool maior = t.maior && mensagem == t.maior;
        r.LinhaAlgoritmo.push_back(LinhaDaFalha(t, numeroTeste, maior, ContadorTipos, locais));
        if (static_cast<int>(r.ListaErros.size()) < CapacidadeListaErros)
            r.ListaErros.push_back(numeroTeste);
    }
    return r;
}

std::string TextoResumoEstrutura(int TotalErros)
{
    if (TotalErros < 1)
        return {};
    const char* palavra = TotalErros == 1 ? " erro" : " erros";
    return Para1252("Atenção!!! O algoritmo apresenta " + std::to_string(TotalErros) + palavra +
                    " de estrutura nos comandos básicos. Será apresentada uma lista com estes "
                    "erros, basta clicar na linha numerada com a mensagem para ver a sintaxe "
                    "correta do comando.");
}

void ZeraContadores(ContadoresTipos& ContadorTipos, ResultadoEstrutura& resultado)
{
    ContadorTipos.fill(0);
    resultado = ResultadoEstrutura{};
}

} // namespace vendrilo
