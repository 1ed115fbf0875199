#pragma once
// Verificação da instalação: cada peça de que a tradução depende é
// conferida de verdade (o compilador roda, as unidades compilam, um
// algoritmo mínimo vai até o programa executado) e, quando falha, a
// verificação diz como corrigir. Usada pela linha de comando
// (vendrilo-traduz --diagnostico) e por Ajuda → Verificar instalação.

#include <string>
#include <vector>

namespace vendrilo {

struct Verificacao {
    bool ok = false;
    std::string texto; // uma linha em português (UTF-8)
    std::string correcao; // o que fazer, quando !ok
};

struct OpcoesDiagnostico {
    std::string pasta; // pasta do programa; vazia: PastaPrograma()
    std::string dados; // dados instalados; vazio: PastaDados()
    std::string compilador; // adaptador tpc; vazio: CompiladorInstalado()
};

// Roda todas as verificações, na ordem: compilador, unidades CRT e DOS,
// AUTORIA (refeita a partir de autoria.pas quando não serve para este
// compilador), pasta do programa gravável, gdb, algoritmo mínimo.
std::vector<Verificacao> DiagnosticaInstalacao(const OpcoesDiagnostico& opcoes = {});

// Verdadeiro quando todas passaram.
bool TudoCerto(const std::vector<Verificacao>& verificacoes);

// "ok    texto" ou "FALHA texto\n      Correção: ..." para cada verificação.
std::string TextoDiagnostico(const std::vector<Verificacao>& verificacoes);

} // namespace vendrilo
