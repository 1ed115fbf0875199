#pragma once
// A pasta do programa: a pasta de trabalho fixa do Vendrilo, onde ficam o
// compilador (tpc), a unidade AUTORIA, o tpc.pif, o relatório temporário
// ArquiTmp.tmp, a marca xpas.xno, os exemplos, a ajuda e a atualização.

#include <string>
#include <vector>

namespace vendrilo {

// Nomes fixos dentro da pasta do programa.
inline constexpr const char* NomeCompilador = "tpc";
inline constexpr const char* NomeUnidadeApoio = "autoria.ppu";
inline constexpr const char* NomeObjetoApoio = "autoria.o";
inline constexpr const char* NomePifPadrao = "tpc.pif";
inline constexpr const char* NomeRelatorioCompilador = "ArquiTmp.tmp";
inline constexpr const char* NomeMarcaPas = "xpas.xno";
// De qual instalação vieram autoria.ppu/.o da pasta (tamanho e data).
inline constexpr const char* NomeMarcaUnidades = ".autoria.origem";

// $VENDRILO_PASTA quando definida e não vazia; senão ~/vendrilo ($HOME;
// sem HOME, a pasta do usuário no sistema). Sem barra no fim.
std::string PastaPrograma();

// Caminho de um arquivo da pasta do programa: PastaPrograma() + "/" + nome.
std::string NaPastaPrograma(const std::string& nome);

// Dados instalados (ou da árvore de build): $VENDRILO_DADOS quando
// definida; senão <pasta do executável>/../share/vendrilo.
std::string PastaDados();

// Pasta dos programas auxiliares (tpc, atualizar) e das unidades Pascal
// compiladas: <pasta do executável>/../lib/vendrilo quando existe (programa
// instalado); senão a pasta do próprio executável (árvore de build).
std::string PastaAuxiliares();

// O adaptador tpc na pasta dos auxiliares.
std::string CompiladorInstalado();

struct ResultadoPreparo {
    bool ok = false;
    std::string erro;                   // português, UTF-8, quando !ok
    std::vector<std::string> criados;   // caminhos relativos acrescentados à pasta
    std::vector<std::string> atualizados; // unidades trocadas pelas da instalação
};

// Cria `pasta` (com as intermediárias) e põe nela o que falta: tpc (um
// link para `compilador`), tpc.pif, autoria.ppu/.o, versao.txt,
// Update/versao.ini, exp/ e hlp/, copiados de `dados` (as unidades, quando
// não estão em `dados`, vêm de PastaAuxiliares()). Nada que já existe é
// substituído, salvo um link quebrado para o tpc e as unidades compiladas,
// que acompanham a instalação (trocadas quando a instalação muda). Itens ausentes
// nos dados são pulados: a verificação da compilação acusa o que faltar.
ResultadoPreparo PreparaPastaPrograma(const std::string& pasta, const std::string& dados,
                                      const std::string& compilador);

// O mesmo com PastaPrograma(), PastaDados() e CompiladorInstalado().
ResultadoPreparo PreparaPastaPrograma();

// Trava exclusiva da pasta do programa enquanto dura: duas compilações ao
// mesmo tempo (a janela e a linha de comando) usariam o mesmo ArquiTmp.tmp.
// A segunda espera a primeira terminar. Sem a trava (pasta sem escrita),
// segue sem ela: a compilação falhará adiante com a mensagem própria.
class TravaPastaPrograma {
public:
    explicit TravaPastaPrograma(const std::string& pasta);
    ~TravaPastaPrograma();
    TravaPastaPrograma(const TravaPastaPrograma&) = delete;
    TravaPastaPrograma& operator=(const TravaPastaPrograma&) = delete;

private:
    int fd_ = -1;
};

} // namespace vendrilo
