#pragma once
// Caminhos .alg que não são arquivos comuns, para os testes de abertura:
// nenhum deles pode travar a leitura nem encher a memória.

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vendrilo::teste {

struct ArquivoEspecial {
    std::string nome;   // dentro da pasta dada
    std::string motivo; // trecho esperado da mensagem
};

// `comEnorme`: também um arquivo comum acima do limite de 16 MB do editor.
inline std::vector<ArquivoEspecial> CriaArquivosEspeciais(const std::filesystem::path& pasta, bool comEnorme = true)
{
    namespace fs = std::filesystem;
    mkfifo((pasta / "fifo.alg").c_str(), 0600);
    fs::create_symlink("/dev/zero", pasta / "zero.alg");
    fs::create_directory(pasta / "pasta.alg");
    std::vector<ArquivoEspecial> r = {{"fifo.alg", "FIFO"}, {"zero.alg", "dispositivo"}, {"pasta.alg", "pasta"}};
    if (comEnorme) {
        std::ofstream(pasta / "enorme.alg").close();
        fs::resize_file(pasta / "enorme.alg", (16u << 20) + 1); // esparso: não ocupa o disco
        r.push_back({"enorme.alg", "mais que o limite de 16 MB"});
    }
    return r;
}

} // namespace vendrilo::teste
