#include "comm/email/config_email.h"

#include "formato/arquivo_ini.h"

#include <charconv>
#include <filesystem>
#include <map>

namespace vendrilo {

namespace {

std::string minusculas(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool numero(const std::string& texto, int minimo, int maximo, int& valor)
{
    int v = 0;
    const auto [fim, ec] = std::from_chars(texto.data(), texto.data() + texto.size(), v);
    if (ec != std::errc() || fim != texto.data() + texto.size() || v < minimo || v > maximo)
        return false;
    valor = v;
    return true;
}

} // namespace

std::string CaminhoConfigEmail(const std::string& pastaPrograma)
{
    if (pastaPrograma.empty() || pastaPrograma.back() == '/')
        return pastaPrograma + kArquivoConfigEmail;
    return pastaPrograma + '/' + kArquivoConfigEmail;
}

bool LeConfigEmail(const std::string& caminho, ConfigEmail& cfg, std::string& erro)
{
    std::string conteudo;
    if (!LeArquivoInteiro(caminho, conteudo)) {
        std::error_code ec;
        if (std::filesystem::exists(caminho, ec))
            erro = "Não foi possível ler o arquivo de configuração do e-mail: " + caminho + ".";
        else
            erro = "O arquivo de configuração do e-mail não foi encontrado: " + caminho +
                   ". Copie o arquivo email.ini.exemplo para esse nome e preencha a conta de e-mail.";
        return false;
    }
    std::map<std::string, std::string> valores; // "secao.chave" -> valor
    std::string secao;
    for (const LinhaIni& l : LinhasIni(conteudo)) {
        if (l.tipo == LinhaIni::Tipo::Secao) {
            secao = minusculas(std::string(l.nome));
        } else if (l.tipo == LinhaIni::Tipo::Valor) {
            valores[secao + '.' + minusculas(std::string(l.nome))] = std::string(l.valor);
        } else if (l.tipo == LinhaIni::Tipo::Invalida) {
            erro = "Linha " + std::to_string(l.numero) + " inválida no arquivo de configuração do e-mail " +
                   caminho + " (falta o sinal '=').";
            return false;
        }
    }

    std::string faltam;
    auto texto = [&](const char* chave, std::string& destino) {
        const auto it = valores.find(chave);
        if (it == valores.end() || it->second.empty()) {
            faltam += faltam.empty() ? "" : ", ";
            faltam += chave;
            return;
        }
        destino = it->second;
    };
    auto inteiro = [&](const char* chave, int minimo, int maximo, int& destino) {
        const auto it = valores.find(chave);
        if (it == valores.end() || it->second.empty())
            return true; // vale o padrão
        if (numero(it->second, minimo, maximo, destino))
            return true;
        erro = std::string("Valor inválido para ") + chave + " no arquivo de configuração do e-mail " +
               caminho + ": \"" + it->second + "\".";
        return false;
    };
    texto("smtp.servidor", cfg.smtpServidor);
    texto("pop3.servidor", cfg.pop3Servidor);
    texto("conta.usuario", cfg.usuario);
    texto("conta.senha", cfg.senha);
    texto("destinos.professor_rotulo", cfg.professorRotulo);
    texto("destinos.professor_email", cfg.professorEmail);
    texto("destinos.equipe_rotulo", cfg.equipeRotulo);
    texto("destinos.equipe_email", cfg.equipeEmail);
    if (!faltam.empty()) {
        erro = "O arquivo de configuração do e-mail " + caminho + " não informa: " + faltam + ".";
        return false;
    }
    return inteiro("smtp.porta", 1, 65535, cfg.smtpPorta) && inteiro("pop3.porta", 1, 65535, cfg.pop3Porta) &&
           inteiro("envio.tempo_limite", 1, 600, cfg.tempoLimiteSeg);
}

std::string AparaBrancos(const std::string& s)
{
    const auto ini = s.find_first_not_of(" \t\r\n");
    if (ini == std::string::npos)
        return {};
    const auto fim = s.find_last_not_of(" \t\r\n");
    return s.substr(ini, fim - ini + 1);
}

} // namespace vendrilo
