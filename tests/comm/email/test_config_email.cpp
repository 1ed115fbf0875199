#include "comm/email/config_email.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using vendrilo::ConfigEmail;
using vendrilo::LeConfigEmail;

const char* kCompleto = "[smtp]\nservidor = smtp.escola.br\nporta = 2525\n"
                        "[pop3]\nservidor=pop.escola.br\n"
                        "[conta]\nusuario=contadoaluno\nsenha=abc1234567\n"
                        "[destinos]\nprofessor_rotulo=Prof. Ana, Algoritmos\nprofessor_email=ana@escola.br\n"
                        "equipe_rotulo=Equipe Vendrilo\nequipe_email=vendrilo@escola.br\n";

class ConfigEmailTeste : public ::testing::Test {
protected:
    std::string grava(const std::string& conteudo)
    {
        std::ofstream(caminho_, std::ios::binary) << conteudo;
        return caminho_;
    }
    void TearDown() override { std::filesystem::remove(caminho_); }
    std::string caminho_ = (std::filesystem::temp_directory_path() /
                            ("email-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini"))
                               .string();
};

TEST_F(ConfigEmailTeste, nominal_arquivoCompletoComPadroes)
{
    ConfigEmail c;
    std::string erro;
    ASSERT_TRUE(LeConfigEmail(grava(kCompleto), c, erro)) << erro;
    EXPECT_EQ(c.smtpServidor, "smtp.escola.br");
    EXPECT_EQ(c.smtpPorta, 2525);
    EXPECT_EQ(c.pop3Servidor, "pop.escola.br");
    EXPECT_EQ(c.pop3Porta, 110); // padrão
    EXPECT_EQ(c.usuario, "contadoaluno");
    EXPECT_EQ(c.senha, "abc1234567");
    EXPECT_EQ(c.professorRotulo, "Prof. Ana, Algoritmos"); // vírgula não vira lista
    EXPECT_EQ(c.equipeEmail, "vendrilo@escola.br");
    EXPECT_EQ(c.tempoLimiteSeg, 20);
}

TEST_F(ConfigEmailTeste, nominal_bomComentariosMaiusculasEFimDeLinhaWindows)
{
    std::string texto = "\xEF\xBB\xBF; comentario\r\n# outro\r\n[SMTP]\r\nServidor = s\r\n[envio]\r\ntempo_limite=3\r\n";
    texto += std::string(kCompleto).substr(std::string(kCompleto).find("[pop3]"));
    ConfigEmail c;
    std::string erro;
    ASSERT_TRUE(LeConfigEmail(grava(texto), c, erro)) << erro;
    EXPECT_EQ(c.smtpServidor, "s");
    EXPECT_EQ(c.smtpPorta, 25);
    EXPECT_EQ(c.tempoLimiteSeg, 3);
}

TEST_F(ConfigEmailTeste, robustez_arquivoAusenteDizOndeECommoResolver)
{
    ConfigEmail c;
    std::string erro;
    EXPECT_FALSE(LeConfigEmail("/nao/existe/email.ini", c, erro));
    EXPECT_NE(erro.find("/nao/existe/email.ini"), std::string::npos);
    EXPECT_NE(erro.find("email.ini.exemplo"), std::string::npos);
}

TEST_F(ConfigEmailTeste, robustez_errosDeConteudo)
{
    struct Caso {
        const char* nome;
        std::string texto;
        const char* trechoErro;
    };
    const std::string sem = [] {
        std::string t = kCompleto;
        t.replace(t.find("senha=abc1234567\n"), 17, "senha=\n");
        return t;
    }();
    const Caso casos[] = {
        {"chave obrigatória vazia", sem, "conta.senha"},
        {"seção inteira faltando", "[smtp]\nservidor=x\n", "pop3.servidor, conta.usuario"},
        {"porta não numérica", std::string(kCompleto) + "[pop3]\nporta=cento e dez\n", "pop3.porta"},
        {"porta fora da faixa", std::string(kCompleto) + "[smtp]\nporta=70000\n", "smtp.porta"},
        {"tempo limite zero", std::string(kCompleto) + "[envio]\ntempo_limite=0\n", "envio.tempo_limite"},
        {"linha sem igual", std::string(kCompleto) + "lixo aqui\n", "Linha 14"},
    };
    for (const Caso& caso : casos) {
        ConfigEmail c;
        std::string erro;
        EXPECT_FALSE(LeConfigEmail(grava(caso.texto), c, erro)) << caso.nome;
        EXPECT_NE(erro.find(caso.trechoErro), std::string::npos) << caso.nome << ": " << erro;
        EXPECT_EQ(erro.find("abc1234567"), std::string::npos) << caso.nome << ": a senha não aparece";
    }
}

TEST(CaminhoConfigEmail, juntaPastaENome)
{
    EXPECT_EQ(vendrilo::CaminhoConfigEmail("/home/a/vendrilo"), "/home/a/vendrilo/email.ini");
    EXPECT_EQ(vendrilo::CaminhoConfigEmail("/home/a/vendrilo/"), "/home/a/vendrilo/email.ini");
}

} // namespace
