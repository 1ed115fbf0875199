// atualizar [PASTA]: instala o pacote baixado pela janela de atualização.
// Sem PASTA, usa $VENDRILO_PASTA ou ~/vendrilo, como o programa.

#include "instalador.h"
#include "platform/pasta_programa.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

namespace fs = std::filesystem;

namespace {

const vendrilo::atualizador::ChavePublica& chave()
{
#ifdef ATUALIZAR_SO_PARA_TESTES
    // Só na cópia dos testes, que nunca é instalada: a chave descartável do teste.
    static const auto c = vendrilo::atualizador::ChaveDeHex(
        std::getenv("VENDRILO_CHAVE_TESTE") ? std::getenv("VENDRILO_CHAVE_TESTE") : "");
    if (c)
        return *c;
#endif
    return vendrilo::atualizador::ChaveDeLancamento();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 || (argc == 2 && (std::string(argv[1]) == "-h" || std::string(argv[1]) == "--help"))) {
        std::cerr << "uso: atualizar [PASTA_DO_PROGRAMA]\n";
        return 2;
    }
    const fs::path pasta = argc == 2 ? fs::path(argv[1]) : fs::path(vendrilo::PastaPrograma());
    const auto r = vendrilo::atualizador::InstalaAtualizacao(pasta, chave());
    std::cerr << "atualizar: " << r.mensagem << '\n';
    // Iniciado sem terminal: o resultado fica registrado ao lado do pacote.
    std::ofstream registro(pasta / "Update" / "atualizar.log", std::ios::app);
    if (registro)
        registro << (r.ok ? "OK: " : "FALHA: ") << r.mensagem << '\n';
    return r.ok ? 0 : 1;
}
