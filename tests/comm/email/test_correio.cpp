// Transporte contra servidores reais em 127.0.0.1: dovecot (POP3), aiosmtpd
// (SMTP) e um servidor que se comporta mal.
#include "apoio_email.h"
#include "comm/email/correio.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <set>

namespace {

using namespace vendrilo;
using namespace vendrilo::teste;

ServidorCorreio local(int porta, int limiteMs = 15000) { return {"127.0.0.1", porta, limiteMs}; }

// ---------- peças da mensagem ----------

TEST(SeparaEnderecos, tabela)
{
    struct Caso {
        const char* nome;
        const char* texto;
        std::vector<std::string> esperado;
    };
    const Caso casos[] = {
        {"vazio", "", {}},
        {"só espaços e vírgulas", " , ;  ,", {}},
        {"um", "ana@x.br", {"ana@x.br"}},
        {"vírgula e ponto e vírgula", "a@x.br, b@y.br;c@z.br", {"a@x.br", "b@y.br", "c@z.br"}},
        {"nome e ângulos", "Ana <ana@x.br>, <b@y.br>", {"ana@x.br", "b@y.br"}},
        {"vírgula dentro de aspas", "\"Silva, Ana\" <ana@x.br>", {"ana@x.br"}},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(SeparaEnderecos(c.texto), c.esperado) << c.nome;
}

TEST(CodificaCabecalho, asciiFicaComoEstaEAcentosVoltamIguais)
{
    EXPECT_EQ(CodificaCabecalho("ALG - exercicio 3"), "ALG - exercicio 3");
    // "=?" em texto simples seria lido como palavra codificada: codifica.
    EXPECT_NE(CodificaCabecalho("a =?b?= c"), "a =?b?= c");

    const std::string longo = "ALG - Exercício de repetição com ação e coração número " + std::string(60, 'x') + "ção";
    const std::string cod = CodificaCabecalho(longo);
    const std::string envolto = "Subject: " + cod + "\r\n\r\n";
    EXPECT_EQ(LeMensagem(envolto).assunto, longo);
    // Cada palavra codificada cabe no limite de 75 caracteres e só tem ASCII.
    std::regex palavra(R"(=\?UTF-8\?B\?[A-Za-z0-9+/=]+\?=)");
    size_t palavras = 0;
    for (std::sregex_iterator it(cod.begin(), cod.end(), palavra), fim; it != fim; ++it, ++palavras)
        EXPECT_LE(it->length(), 75);
    EXPECT_GE(palavras, 2u);
    for (unsigned char ch : cod)
        EXPECT_LT(ch, 0x80);
}

TEST(DataEIdentificador, formatos)
{
    EXPECT_TRUE(std::regex_match(DataCabecalho(1796690000),
                                 std::regex(R"((Mon|Tue|Wed|Thu|Fri|Sat|Sun), \d\d (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \d{4} \d\d:\d\d:\d\d [+-]\d{4})")))
        << DataCabecalho(1796690000);
    std::set<std::string> ids;
    for (int i = 0; i < 50; ++i)
        ids.insert(NovoMessageId("Ana <ana@escola.br>"));
    EXPECT_EQ(ids.size(), 50u);
    EXPECT_TRUE(std::regex_match(*ids.begin(), std::regex(R"(<[0-9a-f]+\.[0-9a-f]{16}@escola\.br>)"))) << *ids.begin();
    EXPECT_NE(NovoMessageId("sem arroba").find("@vendrilo.local>"), std::string::npos);
}

// ---------- POP3 ----------

TEST(EntraPop3, nominal_loginAceitoEsperaAntesDoQuit)
{
    const int porta = PortaServidor("pop3");
    ASSERT_NE(porta, 0);
    std::string erro;
    const auto ini = std::chrono::steady_clock::now();
    EXPECT_TRUE(EntraPop3(local(porta), kUsuarioPop, kSenhaPop, 300, erro)) << erro;
    EXPECT_GE(std::chrono::steady_clock::now() - ini, std::chrono::milliseconds(300));
}

TEST(EntraPop3, robustez_falhasTerminamComMensagemClara)
{
    struct Caso {
        const char* nome;
        int porta;
        const char* senha;
        const char* trecho;
    };
    const Caso casos[] = {
        {"senha errada", PortaServidor("pop3"), "xyz9999999", "recusou o usuário ou a senha"},
        {"servidor fora do ar", PortaFechada(), kSenhaPop, "Não foi possível conectar ao servidor POP3"},
        {"fecha sem dizer nada", PortaRuim("fecha"), kSenhaPop, "encerrou a conexão"},
        {"responde lixo", PortaRuim("lixo"), kSenhaPop, "resposta inesperada"},
        {"saudação de SMTP", PortaRuim("recusa"), kSenhaPop, "resposta inesperada: \"554 5.3.2"},
        {"cumprimenta e cala", PortaRuim("calado"), kSenhaPop, "não respondeu em 1 segundos"},
        {"linha sem fim", PortaRuim("enorme"), kSenhaPop, "linha longa demais"},
    };
    for (const Caso& c : casos) {
        ASSERT_NE(c.porta, 0) << c.nome;
        std::string erro;
        const auto ini = std::chrono::steady_clock::now();
        // Tempo curto só para os servidores que calam; o dovecot real pode demorar sob carga.
        const int limite = c.porta == PortaServidor("pop3") ? 15000 : 1000;
        EXPECT_FALSE(EntraPop3(local(c.porta, limite), kUsuarioPop, c.senha, 0, erro)) << c.nome;
        EXPECT_NE(erro.find(c.trecho), std::string::npos) << c.nome << ": " << erro;
        EXPECT_EQ(erro.find(c.senha), std::string::npos) << c.nome << ": a senha não aparece na mensagem";
        EXPECT_LT(std::chrono::steady_clock::now() - ini, std::chrono::seconds(20)) << c.nome << ": não trava";
    }
}

TEST(EntraPop3, robustez_quebraDeLinhaNaSenhaNaoViraComando)
{
    std::string erro;
    EXPECT_FALSE(EntraPop3(local(PortaServidor("pop3")), kUsuarioPop, "x\r\nDELE 1", 0, erro));
    EXPECT_NE(erro.find("quebra de linha"), std::string::npos) << erro;
}

// ---------- SMTP ----------

class EnviaSmtpTeste : public ::testing::Test {
protected:
    void SetUp() override
    {
        porta_ = PortaServidor("smtp");
        ASSERT_NE(porta_, 0);
        pasta_ = std::filesystem::temp_directory_path() / MarcaUnica("anexos");
        std::filesystem::create_directories(pasta_);
    }
    void TearDown() override { std::filesystem::remove_all(pasta_); }

    int porta_ = 0;
    std::filesystem::path pasta_;
};

TEST_F(EnviaSmtpTeste, nominal_doisAnexosChegamByteAByteNaOrdem)
{
    std::string binario;
    for (int i = 0; i < 3000; ++i)
        binario += static_cast<char>((i * 7) & 0xFF); // NUL, 0xFF, CR e LF soltos
    const std::string algoritmo = "{ALGORITMO....: m\xE9" "dia }\r\ninicio\r\n   mostre \"ol\xE1\"\r\nfim\r\n";
    const std::string a = (pasta_ / "MEDIA.ALG").string();
    const std::string b = (pasta_ / "trabalho final.zip").string();
    GravaArquivo(a, algoritmo);
    GravaArquivo(b, binario);

    const std::string marca = MarcaUnica("nominal");
    MensagemCorreio m;
    m.para = "prof@escola.br";
    m.copia = "Colega <colega@escola.br>, outro@escola.br";
    m.remetente = "aluno@escola.br";
    m.assunto = "ALG - Média ç " + marca;
    m.corpo = "Ol\xE1 professor,\r\nsegue a m\xE9" "dia.\r\n" + std::string(200, '=') + "\r\n";
    m.anexos = {a, b};
    std::string erro;
    ASSERT_TRUE(EnviaSmtp(local(porta_), m, erro)) << erro;

    const auto r = EsperaMensagem(marca);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->assunto, m.assunto);
    EXPECT_EQ(r->envelope, (std::vector<std::string>{"aluno@escola.br", "prof@escola.br", "colega@escola.br",
                                                     "outro@escola.br"}));
    EXPECT_EQ(r->cabecalhos.at("to"), "prof@escola.br");
    EXPECT_EQ(r->cabecalhos.at("cc"), "Colega <colega@escola.br>, outro@escola.br");
    EXPECT_EQ(r->cabecalhos.at("from"), "aluno@escola.br");
    EXPECT_TRUE(r->cabecalhos.count("date"));
    EXPECT_TRUE(std::regex_match(r->cabecalhos.at("message-id"), std::regex(R"(<.+@escola\.br>)")));
    ASSERT_EQ(r->partes.size(), 3u);
    EXPECT_EQ(r->partes[0].cabecalhos.at("content-type"), "text/plain; charset=windows-1252");
    EXPECT_EQ(r->partes[0].conteudo, m.corpo);
    EXPECT_NE(r->partes[1].cabecalhos.at("content-disposition").find("filename=\"MEDIA.ALG\""), std::string::npos);
    EXPECT_EQ(r->partes[1].conteudo, algoritmo);
    EXPECT_NE(r->partes[2].cabecalhos.at("content-disposition").find("trabalho final.zip"), std::string::npos);
    EXPECT_EQ(r->partes[2].cabecalhos.at("content-type"), "application/zip");
    EXPECT_EQ(r->partes[2].conteudo, binario);
    // Linhas do SMTP dentro do limite de 998 caracteres.
    size_t maior = 0, ini = 0;
    for (size_t p; (p = r->bruta.find('\n', ini)) != std::string::npos; ini = p + 1)
        maior = std::max(maior, p - ini);
    EXPECT_LE(maior, 998u);
}

TEST_F(EnviaSmtpTeste, nominal_nomeDeAnexoComAcentoVaiPelaRfc2231)
{
    const std::string a = (pasta_ / "exercício.alg").string();
    GravaArquivo(a, "inicio\r\nfim\r\n");
    const std::string marca = MarcaUnica("acento");
    MensagemCorreio m;
    m.copia = "so-copia@escola.br";
    m.remetente = "aluno@escola.br";
    m.assunto = marca;
    m.anexos = {a};
    std::string erro;
    ASSERT_TRUE(EnviaSmtp(local(porta_), m, erro)) << erro;
    const auto r = EsperaMensagem(marca);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->cabecalhos.count("to"), 0u) << "lista de destinatários vazia";
    EXPECT_EQ(r->envelope, (std::vector<std::string>{"aluno@escola.br", "so-copia@escola.br"}));
    ASSERT_EQ(r->partes.size(), 2u);
    EXPECT_NE(r->partes[1].cabecalhos.at("content-disposition").find("filename*=UTF-8''exerc%C3%ADcio.alg"),
              std::string::npos);
}

TEST_F(EnviaSmtpTeste, robustez_quebraDeLinhaNoAssuntoNaoCriaCabecalho)
{
    const std::string marca = MarcaUnica("injecao");
    MensagemCorreio m;
    m.para = "prof@escola.br";
    m.remetente = "aluno@escola.br";
    m.assunto = marca + "\r\nBcc: intruso@fora.br";
    std::string erro;
    ASSERT_TRUE(EnviaSmtp(local(porta_), m, erro)) << erro;
    const auto r = EsperaMensagem(marca);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->cabecalhos.count("bcc"), 0u);
    EXPECT_EQ(r->envelope.size(), 2u);
}

TEST_F(EnviaSmtpTeste, robustez_controlesNoNomeDoAnexoNaoCriamCabecalho)
{
    const std::vector<std::string> nomes = {"a\r\nX-Injetado: sim\r\n.alg", "b\nContent-Type: text-html\x01\t.alg",
                                            "c\r\nX-Injetado: n\xC3\xA3o.alg"};
    const std::string marca = MarcaUnica("anexo-injecao");
    MensagemCorreio m;
    m.para = "prof@escola.br";
    m.remetente = "aluno@escola.br";
    m.assunto = marca;
    for (const auto& n : nomes) {
        m.anexos.push_back((pasta_ / n).string());
        GravaArquivo(m.anexos.back(), n);
    }
    std::string erro;
    ASSERT_TRUE(EnviaSmtp(local(porta_), m, erro)) << erro;
    const auto r = EsperaMensagem(marca);
    ASSERT_TRUE(r.has_value());
    ASSERT_EQ(r->partes.size(), 4u);
    for (size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(r->partes[i].cabecalhos.count("x-injetado"), 0u) << i;
        EXPECT_EQ(r->partes[i].cabecalhos.at("content-type"), "application/octet-stream") << i;
        EXPECT_EQ(r->partes[i].conteudo, nomes[i - 1]) << i;
    }
    EXPECT_NE(r->partes[1].cabecalhos.at("content-disposition").find("filename=\"a  X-Injetado: sim  .alg\""),
              std::string::npos);
    EXPECT_NE(r->partes[3].cabecalhos.at("content-disposition").find("c%20%20X-Injetado%3A%20n%C3%A3o.alg"),
              std::string::npos);
}

TEST_F(EnviaSmtpTeste, robustez_falhasTerminamComMensagemClara)
{
    const std::string anexo = (pasta_ / "ok.alg").string();
    GravaArquivo(anexo, "x");
    struct Caso {
        const char* nome;
        int porta;
        std::string para;
        std::vector<std::string> anexos;
        const char* trecho;
    };
    const Caso casos[] = {
        {"servidor fora do ar", PortaFechada(), "p@x.br", {}, "Não foi possível conectar ao servidor de e-mail"},
        {"destinatário recusado", porta_, "recusa@x.br", {}, "recusou o envio (código 550)"},
        {"anexo que não existe", porta_, "p@x.br", {anexo, (pasta_ / "sumiu.alg").string()},
         "Não foi possível ler o anexo"},
        {"sem destinatário algum", porta_, " , ", {}, "Nenhum destinatário"},
        {"fecha sem dizer nada", PortaRuim("fecha"), "p@x.br", {}, "e-mail não foi enviado"},
        {"responde lixo e demora a fechar", PortaRuim("lixo"), "p@x.br", {}, "e-mail não foi enviado"},
        {"cumprimenta como POP3", PortaRuim("calado"), "p@x.br", {}, "e-mail não foi enviado"},
        {"recusa na saudação", PortaRuim("recusa"), "p@x.br", {}, "recusou o envio (código 554)"},
        {"cumprimenta e cala", PortaRuim("mudo"), "p@x.br", {}, "não respondeu em 1 segundos"},
        {"linha sem fim", PortaRuim("enorme"), "p@x.br", {}, "e-mail não foi enviado"},
    };
    for (const Caso& c : casos) {
        ASSERT_NE(c.porta, 0) << c.nome;
        MensagemCorreio m;
        m.para = c.para;
        m.remetente = "aluno@escola.br";
        m.assunto = "falha";
        m.anexos = c.anexos;
        std::string erro;
        const auto ini = std::chrono::steady_clock::now();
        const int limite = c.porta == porta_ ? 15000 : 1000;
        EXPECT_FALSE(EnviaSmtp(local(c.porta, limite), m, erro)) << c.nome;
        EXPECT_NE(erro.find(c.trecho), std::string::npos) << c.nome << ": " << erro;
        EXPECT_LT(std::chrono::steady_clock::now() - ini, std::chrono::seconds(20)) << c.nome << ": não trava";
    }
}

} // namespace
