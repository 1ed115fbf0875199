#pragma once
// Apoio dos testes de ponta a ponta: uma pasta do programa preenchida com os
// dados do build e a cadeia inteira (tradução, verificação, compilação).

#include "apoio_tpc.h"

#include "platform/pasta_programa.h"
#include "translate/compilacao.h"
#include "translate/leitor_linhas.h"
#include "translate/tradutor.h"

#include <gtest/gtest.h>

namespace vendrilo::teste {

// Pasta do programa de teste, preenchida como no primeiro uso.
class PastaProgramaTeste {
public:
    PastaProgramaTeste()
    {
        auto r = PreparaPastaPrograma(tmp_ / "vendrilo", DADOS_BUILD, TPC_EXE);
        EXPECT_TRUE(r.ok) << r.erro;
    }
    std::string caminho() const { return tmp_ / "vendrilo"; }

private:
    PastaTemp tmp_;
};

inline std::vector<std::string> LinhasDoAlgoritmo(const std::string& caminho)
{
    std::vector<std::string> v;
    LeitorLinhas l;
    if (!l.abre(caminho))
        return v;
    std::string s;
    while (l.proxima(s))
        v.push_back(s);
    return v;
}

// Traduz e compila `alg`, com a pasta do programa `pasta`.
inline ResultadoCompilacao TraduzECompila(const std::string& alg, const std::string& pasta,
                                          std::string* erroTraducao = nullptr)
{
    Tradutor t;
    std::string erro;
    if (!t.TraduzArquivo(alg, erro)) {
        if (erroTraducao)
            *erroTraducao = erro;
        ADD_FAILURE() << "tradução falhou: " << erro;
        return {};
    }
    EntradaCompilacao e = EntradaDe(t.estado(), LinhasDoAlgoritmo(alg));
    e.PastaPrograma = pasta;
    return CompilaPrograma(e);
}

} // namespace vendrilo::teste
