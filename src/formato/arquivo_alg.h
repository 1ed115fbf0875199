#pragma once
// Documento de algoritmo (.ALG): leitura e gravação, sem Qt.
//
// Os bytes do arquivo estão em Windows-1252; o editor trabalha em UTF-8. Um
// arquivo que já é UTF-8 válido com letras acentuadas continua UTF-8 ao ser
// gravado. A gravação passa pela gravação segura, para que uma falha nunca
// destrua o arquivo anterior.

#include "translate/leitor_linhas.h"

#include <string>
#include <vector>

namespace vendrilo {

enum class CodificacaoAlg { Windows1252, Utf8 };

// Conteúdo de um .ALG como o editor o vê: linhas em UTF-8, sem quebras.
struct DocumentoAlg {
    std::vector<std::string> linhas;
    EstiloQuebra quebra = EstiloQuebra::CRLF;            // CR LF num documento novo
    CodificacaoAlg codificacao = CodificacaoAlg::Windows1252;
};

// Lê o arquivo; falso com `erro` em português quando não pode ser lido.
bool LeAlg(const std::string& caminho, DocumentoAlg& doc, std::string& erro);

// Grava o documento em `caminho` (cada linha seguida da quebra do documento).
// Falso com `erro` em português; nesse caso o arquivo antigo fica intacto.
bool GravaAlg(const std::string& caminho, const DocumentoAlg& doc, std::string& erro);

// Codifica as linhas na codificação do documento. Falso quando um caractere
// não cabe nela (`erro` diz qual e em que linha); nada é produzido então.
bool CodificaAlg(const DocumentoAlg& doc, std::string& bytes, std::string& erro);

} // namespace vendrilo
