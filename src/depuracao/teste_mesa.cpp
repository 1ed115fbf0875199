#include "depuracao/teste_mesa.h"

namespace vendrilo::depuracao {

TesteDeMesa::TesteDeMesa(const Declaracoes& d)
{
    cabecalho_ = {"passo", "linha"};
    for (const Rotina& r : d.rotinas)
        for (const std::string& v : r.variaveis) {
            cabecalho_.push_back(r.nome.empty() ? v : r.nome + "." + v);
            chaves_.push_back(Maiusculas(r.nome + "." + v));
        }
}

void TesteDeMesa::Registra(int linhaAlgoritmo, const std::vector<VariavelVista>& variaveis)
{
    std::vector<std::string> linha(cabecalho_.size());
    linha[0] = std::to_string(linhas_.size() + 1);
    linha[1] = std::to_string(linhaAlgoritmo + 1);
    for (const VariavelVista& v : variaveis) {
        const std::string chave = Maiusculas(v.rotina + "." + v.nome);
        for (std::size_t i = 0; i < chaves_.size(); ++i)
            if (chaves_[i] == chave) {
                linha[i + 2] = v.valor;
                break;
            }
    }
    linhas_.push_back(std::move(linha));
}

std::string CampoCsv(const std::string& texto)
{
    const bool aspas = texto.find_first_of(",\"\r\n") != std::string::npos ||
                       (!texto.empty() && (texto.front() == ' ' || texto.back() == ' '));
    if (!aspas)
        return texto;
    std::string s = "\"";
    for (char c : texto) {
        if (c == '"')
            s.push_back('"');
        s.push_back(c);
    }
    s.push_back('"');
    return s;
}

std::string TesteDeMesa::Csv() const
{
    std::string s;
    auto linha = [&s](const std::vector<std::string>& campos) {
        for (std::size_t i = 0; i < campos.size(); ++i) {
            if (i)
                s.push_back(',');
            s += CampoCsv(campos[i]);
        }
        s.push_back('\n');
    };
    linha(cabecalho_);
    for (const auto& l : linhas_)
        linha(l);
    return s;
}

ResultadoTesteMesa ExecutaTesteDeMesa(Sessao& sessao, TesteDeMesa& tabela, int limitePassos)
{
    ResultadoTesteMesa r;
    while (sessao.estado() == EstadoSessao::Parada) {
        if (sessao.Linha() >= 0) {
            if (r.passos >= limitePassos) {
                r.fim = FimTesteMesa::LimitePassos;
                r.mensagem = "O limite de " + std::to_string(limitePassos) +
                             " passos foi atingido; a execução parou na linha " +
                             std::to_string(sessao.Linha() + 1) + " e a tabela guarda os passos até aqui.";
                return r;
            }
            tabela.Registra(sessao.Linha(), sessao.Variaveis());
            ++r.passos;
        }
        sessao.PassoDentro();
        if (sessao.FoiInterrompida() && sessao.estado() == EstadoSessao::Parada) {
            r.fim = FimTesteMesa::Interrompido;
            r.mensagem = "Execução interrompida na linha " + std::to_string(sessao.Linha() + 1) + ".";
            return r;
        }
    }
    switch (sessao.estado()) {
    case EstadoSessao::Terminada:
        r.fim = FimTesteMesa::Terminou;
        r.codigoSaida = sessao.codigoSaida();
        r.mensagem = sessao.mensagem();
        break;
    case EstadoSessao::ErroExecucao:
        r.fim = FimTesteMesa::ErroExecucao;
        r.mensagem = sessao.mensagem();
        break;
    case EstadoSessao::Interrompida:
        r.fim = FimTesteMesa::Interrompido;
        r.mensagem = "Execução interrompida.";
        break;
    default:
        r.fim = FimTesteMesa::Falha;
        r.mensagem = sessao.mensagem().empty() ? "A execução passo a passo falhou." : sessao.mensagem();
    }
    return r;
}

} // namespace vendrilo::depuracao
