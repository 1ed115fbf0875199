#include "formato/arquivo_alg.h"

#include "formato/gravacao_segura.h"
#include "formato/texto_1252.h"

#include <cerrno>

namespace vendrilo {

bool LeAlg(const std::string& caminho, DocumentoAlg& doc, std::string& erro)
{
    LeitorLinhas leitor;
    std::string motivo;
    if (!leitor.abreComum(caminho, kMaximoAlgoritmo, motivo)) {
        erro = "Não foi possível abrir o arquivo " + caminho + ": " +
               (motivo.empty() ? DescreveErroSistema(errno) : motivo) + ".";
        return false;
    }
    std::vector<std::string> linhas;
    std::string linha;
    bool soAscii = true;
    bool utf8 = true;
    while (leitor.proxima(linha)) {
        for (char ch : linha)
            if (static_cast<unsigned char>(ch) >= 0x80) {
                soAscii = false;
                break;
            }
        if (utf8 && !soAscii && !Utf8Valido(linha))
            utf8 = false;
        linhas.push_back(std::move(linha));
        linha.clear();
    }
    if (leitor.falhou()) {
        erro = "Erro ao ler o arquivo " + caminho + ": " + DescreveErroSistema(errno) + ".";
        return false;
    }
    doc.quebra = leitor.estilo();
    // Só vira UTF-8 o que não deixa dúvida: bytes altos que formam UTF-8 válido.
    doc.codificacao = (!soAscii && utf8) ? CodificacaoAlg::Utf8 : CodificacaoAlg::Windows1252;
    if (doc.codificacao == CodificacaoAlg::Windows1252)
        for (auto& l : linhas)
            l = De1252(l);
    doc.linhas = std::move(linhas);
    return true;
}

bool CodificaAlg(const DocumentoAlg& doc, std::string& bytes, std::string& erro)
{
    const std::string quebra = textoQuebra(doc.quebra);
    std::string saida;
    std::string convertida;
    for (std::size_t n = 0; n < doc.linhas.size(); ++n) {
        const std::string& l = doc.linhas[n];
        if (doc.codificacao == CodificacaoAlg::Utf8) {
            if (!Utf8Valido(l)) {
                erro = "A linha " + std::to_string(n + 1) + " contém texto inválido.";
                return false;
            }
            saida += l;
        } else {
            FalhaCodificacao falha;
            if (!Codifica1252(l, convertida, &falha)) {
                erro = "O caractere " + falha.caractere + " da linha " + std::to_string(n + 1)
                       + " não existe na codificação do arquivo (Windows-1252). "
                         "Troque-o por outro e salve de novo.";
                return false;
            }
            saida += convertida;
        }
        saida += quebra;
    }
    bytes = std::move(saida);
    return true;
}

bool GravaAlg(const std::string& caminho, const DocumentoAlg& doc, std::string& erro)
{
    std::string bytes;
    return CodificaAlg(doc, bytes, erro) && GravaArquivoSeguro(caminho, bytes, erro);
}

} // namespace vendrilo
