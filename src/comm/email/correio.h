#pragma once
// Transporte do e-mail sobre a libcurl, sem Qt: o login POP3 que antecede o
// SMTP (a conta do provedor só aceita envio depois dele) e o envio SMTP de
// uma mensagem MIME com anexos. Toda espera tem limite.

#include <string>
#include <vector>

namespace vendrilo {

struct ServidorCorreio {
    std::string host;
    int porta = 0;
    int tempoLimiteMs = 20000; // para conectar e para cada resposta
};

// Diálogo literal USER/PASS; com o login aceito espera `esperaMs` e manda
// QUIT. Falso, com `erro` em português, quando não conecta, o servidor recusa
// a senha, fecha cedo, demora demais ou responde algo que não é POP3.
bool EntraPop3(const ServidorCorreio& servidor, const std::string& usuario, const std::string& senha,
               int esperaMs, std::string& erro);

struct MensagemCorreio {
    std::string para;      // endereços separados por vírgula (pode ser vazio)
    std::string copia;     // idem
    std::string remetente; // endereço do aluno
    std::string assunto;   // UTF-8; codificado no cabeçalho quando tem acentos
    std::string corpo;     // bytes já na codificação `charsetCorpo`, linhas com CR LF
    std::string charsetCorpo = "windows-1252";
    std::vector<std::string> anexos; // caminhos, na ordem da lista
};

// Envia pelo SMTP sem autenticação (EHLO). Falso, com `erro` em português,
// em qualquer falha; nada é enviado pela metade sem erro.
bool EnviaSmtp(const ServidorCorreio& servidor, const MensagemCorreio& msg, std::string& erro);

// Peças da mensagem, expostas para os testes.
std::vector<std::string> SeparaEnderecos(const std::string& lista); // só os endereços, sem nomes
std::string CodificaCabecalho(const std::string& utf8);             // RFC 2047 quando preciso
std::string DataCabecalho(long long segundosEpoch);                  // "Tue, 08 Dec 2026 00:30:03 +0000"
std::string NovoMessageId(const std::string& remetente);             // "<...@dominio>"

} // namespace vendrilo
