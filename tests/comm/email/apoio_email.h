#pragma once
// Apoio aos testes do e-mail: portas dos servidores das fixtures e leitura
// (MIME decodificado) das mensagens que o servidor SMTP de teste recebeu.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vendrilo::teste {

// Porta do servidor `nome` ("smtp", "pop3") subido pela fixture; 0 se faltar.
int PortaServidor(const std::string& nome);
// Porta do servidor ruim no `modo` ("fecha", "lixo", "calado", "mudo", "enorme").
int PortaRuim(const std::string& modo);
// Uma porta de 127.0.0.1 em que ninguém escuta.
int PortaFechada();

inline const char* kUsuarioPop = "aluno.vendrilo";
inline const char* kSenhaPop = "abc1234567";

struct ParteMime {
    std::map<std::string, std::string> cabecalhos; // nomes em minúsculas
    std::string conteudo;                          // já decodificado
};

struct MensagemRecebida {
    std::string bruta;
    std::vector<std::string> envelope; // remetente, depois destinatários
    std::map<std::string, std::string> cabecalhos; // desdobrados; nomes em minúsculas
    std::string assunto;                           // palavras codificadas já decodificadas
    std::vector<ParteMime> partes;
};

MensagemRecebida LeMensagem(const std::string& bruta);

// Espera (até `limiteMs`) uma mensagem recebida cujo assunto contenha `marca`.
std::optional<MensagemRecebida> EsperaMensagem(const std::string& marca, int limiteMs = 10000);

// Lê um arquivo inteiro, em bytes.
std::string LeArquivo(const std::string& caminho);
void GravaArquivo(const std::string& caminho, const std::string& dados);

// Marca única para o assunto de um teste.
std::string MarcaUnica(const std::string& prefixo);

} // namespace vendrilo::teste
