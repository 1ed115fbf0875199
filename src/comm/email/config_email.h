#pragma once
// Conta de correio e destinos do envio de algoritmos, lidos de um arquivo na
// pasta do programa: nada disso fica compilado no programa.
//
// Arquivo `email.ini` (UTF-8, "chave = valor", comentários com ';' ou '#'):
//   [smtp]     servidor, porta (25)
//   [pop3]     servidor, porta (110)
//   [conta]    usuario, senha          (a mesma conta para POP3 e SMTP)
//   [destinos] professor_rotulo, professor_email, equipe_rotulo, equipe_email
//   [envio]    tempo_limite (segundos de espera por conexão e resposta, 20)

#include <string>

namespace vendrilo {

inline constexpr const char* kArquivoConfigEmail = "email.ini";

struct ConfigEmail {
    std::string smtpServidor;
    int smtpPorta = 25;
    std::string pop3Servidor;
    int pop3Porta = 110;
    std::string usuario;
    std::string senha;
    std::string professorRotulo;
    std::string professorEmail;
    std::string equipeRotulo;
    std::string equipeEmail;
    int tempoLimiteSeg = 20;
};

// Contato da equipe do programa: a ajuda do envio o mostra quando o
// email.ini ainda não foi preenchido.
inline constexpr const char* kEquipeRotuloPadrao = "Equipe do Vendrilo";
inline constexpr const char* kEquipeEmailPadrao = "contato@vendrilo.org";

// Lê `caminho`. Falso, com `erro` em português, quando o arquivo falta, não
// se lê ou deixa de fora uma chave obrigatória; `cfg` recebe o que foi lido.
bool LeConfigEmail(const std::string& caminho, ConfigEmail& cfg, std::string& erro);

// Caminho do arquivo dentro da pasta do programa.
std::string CaminhoConfigEmail(const std::string& pastaPrograma);

// O texto sem brancos (espaço, tabulação, CR, LF) nas pontas.
std::string AparaBrancos(const std::string& s);

} // namespace vendrilo
