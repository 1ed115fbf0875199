// O Enviar da janela contra os servidores das fixtures: a mensagem que chega,
// as conferências dos campos e as falhas de rede.
#include "apoio_janela.h"
#include "platform/conexao.h"

#include <QDir>

#include <chrono>

namespace {

using namespace vendrilo;
using namespace vendrilo::teste;

const std::string kAssinaturaEsperada = "\r\n-------------------------------\r\n"
                                        "Aluno: Jos\xE9 da Silva\r\nRA: 12345x\r\n"
                                        "Curso: Engenharia da Computa\xE7\xE3o\r\n"
                                        "-------------------------------\r\n"
                                        "Vendrilo de Algoritmos - Vers\xE3o 2.4";

class EnviarTeste : public JanelaEnvioTeste {
protected:
    QString anexo(const QString& nome, const std::string& conteudo)
    {
        const QString caminho = pasta_.filePath(nome);
        GravaArquivo(caminho.toStdString(), conteudo);
        return caminho;
    }
    void anexa(const QStringList& caminhos)
    {
        dialogos_.respostasArquivos.enqueue(caminhos);
        aciona("BtnAnexar");
    }
    QString assunto(const std::string& marca)
    {
        const QString a = QStringLiteral("ALG - Exercício ") + QString::fromStdString(marca);
        linha("edtAssunto")->setText(a);
        return a;
    }
    int ocorrencias(const QString& trecho) const { return mensagem()->toPlainText().count(trecho); }
};

TEST_F(EnviarTeste, nominal_envioCompletoComDoisAnexos)
{
    std::string binario;
    for (int i = 0; i < 5000; ++i)
        binario += static_cast<char>((i * 31 + 7) & 0xFF);
    const std::string alg = "{ALGORITMO....: M\xC9" "DIA }\r\ninicio\r\n  mostre \"ol\xE1\"\r\nfim\r\n";
    const QString a = anexo(QStringLiteral("MEDIA.ALG"), alg);
    const QString b = anexo(QStringLiteral("lista 1.zip"), binario);

    EXPECT_EQ(TfrmEnvio(pasta_.path()).esperaPop(), 2000) << "espera padrão entre POP3 e SMTP";
    janela_->defineEsperaPop(2000);
    preencheValido();
    escolhe("CBcurso", 1);
    anexa({a, b});
    mensagem()->setPlainText(QStringLiteral("Olá, professor!\nSegue a ação."));
    const std::string marca = MarcaUnica("janela");
    const QString titulo = assunto(marca);

    const auto ini = std::chrono::steady_clock::now();
    aciona("BtnEnviar");
    EXPECT_GE(std::chrono::steady_clock::now() - ini, std::chrono::milliseconds(2000)) << "espera do POP3";
    ASSERT_EQ(dialogos_.textos(), QStringList{QStringLiteral("Email enviado com sucesso!")});
    EXPECT_EQ(dialogos_.perguntas.last().titulo, QStringLiteral("Confirmação"));
    EXPECT_TRUE(mensagem()->toPlainText().isEmpty()) << "mensagem limpa depois do envio";

    const auto r = EsperaMensagem(marca);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(QString::fromStdString(r->assunto), titulo);
    EXPECT_EQ(r->envelope, (std::vector<std::string>{"jose@aluno.br", "prof@escola.br"}));
    EXPECT_EQ(r->cabecalhos.at("to"), "prof@escola.br");
    EXPECT_EQ(r->cabecalhos.at("from"), "jose@aluno.br");
    EXPECT_EQ(r->cabecalhos.count("cc"), 0u);
    EXPECT_TRUE(r->cabecalhos.count("date"));
    EXPECT_TRUE(r->cabecalhos.count("message-id"));
    ASSERT_EQ(r->partes.size(), 3u);
    EXPECT_EQ(r->partes[0].cabecalhos.at("content-type"), "text/plain; charset=windows-1252");
    EXPECT_EQ(r->partes[0].conteudo, "Ol\xE1, professor!\r\nSegue a a\xE7\xE3o.\r\n" + kAssinaturaEsperada);
    EXPECT_EQ(r->partes[1].conteudo, alg);
    EXPECT_EQ(r->partes[2].conteudo, binario);
    // Campos e anexos ficam para o próximo envio.
    EXPECT_EQ(linha("edtAluno")->text(), QStringLiteral("José da Silva"));
    EXPECT_EQ(anexos()->count(), 2);
}

TEST_F(EnviarTeste, nominal_soCopiaSemDestinatario)
{
    digita("edtAluno", QStringLiteral("Ana"));
    digita("edtRemetente", QStringLiteral("ana@aluno.br"));
    digita("edtCC", QStringLiteral("copia@escola.br"));
    digita("CBcurso", QStringLiteral("Computação Gráfica"));
    const std::string marca = MarcaUnica("copia");
    assunto(marca);
    aciona("BtnEnviar");
    ASSERT_EQ(dialogos_.textos(), QStringList{QStringLiteral("Email enviado com sucesso!")});
    const auto r = EsperaMensagem(marca);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->cabecalhos.count("to"), 0u) << "lista de destinatários vazia";
    EXPECT_EQ(r->cabecalhos.at("cc"), "copia@escola.br");
    EXPECT_EQ(r->envelope, (std::vector<std::string>{"ana@aluno.br", "copia@escola.br"}));
    EXPECT_NE(r->partes.at(0).conteudo.find("\r\nCurso: Sistemas de Informa\xE7\xE3o\r\n"), std::string::npos)
        << "curso digitado vale o primeiro da lista";
    EXPECT_EQ(r->partes.size(), 1u) << "sem anexos";
}

TEST_F(EnviarTeste, conferenciaDosCampos)
{
    const QString nome = QStringLiteral("Atenção: o nome é de preenchimento obrigatório");
    const QString email = QStringLiteral("Atenção: o email do remetente é de preenchimento obrigatório");
    const QString destino = QStringLiteral("Atenção: escolha o destinatário");
    struct Caso {
        const char* nome;
        bool aluno, remetente, para;
        QStringList mensagens;
        const char* foco;
    };
    const Caso casos[] = {
        {"nada preenchido", false, false, false, {nome, email, destino}, "CBPara"},
        {"falta o nome", false, true, true, {nome}, "edtAluno"},
        {"falta o remetente", true, false, true, {email}, "edtRemetente"},
        {"falta o destinatário", true, true, false, {destino}, "CBPara"},
        {"falta nome e destinatário", false, true, false, {nome, destino}, "CBPara"},
    };
    for (const Caso& c : casos) {
        dialogos_.respostasCaixa.enqueue(Caixa::RespOk);
        aciona("BtnNovo");
        linha("edtRemetente")->setText(QString()); // volta a "não preenchido"
        if (c.aluno)
            digita("edtAluno", QStringLiteral("Ana"));
        if (c.remetente)
            digita("edtRemetente", QStringLiteral("ana@aluno.br"));
        if (c.para)
            escolhe("CBPara", 1);
        mensagem()->setPlainText(QStringLiteral("não pode sumir"));
        linha("edtAssunto")->setFocus();
        const std::string marca = MarcaUnica("campos");
        assunto(marca);
        dialogos_.limpa();
        aciona("BtnEnviar");
        EXPECT_EQ(dialogos_.textos(), c.mensagens) << c.nome;
        for (const Pergunta& p : dialogos_.perguntas)
            EXPECT_EQ(p.titulo, QStringLiteral("Erro de Preechimento")) << c.nome;
        EXPECT_EQ(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(),
                  QString::fromLatin1(c.foco))
            << c.nome;
        EXPECT_EQ(mensagem()->toPlainText(), QStringLiteral("não pode sumir")) << c.nome << ": sem assinatura";
        EXPECT_FALSE(EsperaMensagem(marca, 200).has_value()) << c.nome << ": nada enviado";
    }
}

TEST_F(EnviarTeste, campoDigitadoEApagadoContaComoPreenchido)
{
    digita("edtAluno", QStringLiteral("A"));
    QTest::keyClick(linha("edtAluno"), Qt::Key_Backspace);
    ASSERT_TRUE(linha("edtAluno")->text().isEmpty());
    digita("edtRemetente", QStringLiteral("ana@aluno.br"));
    escolhe("CBPara", 1);
    const std::string marca = MarcaUnica("apagado");
    assunto(marca);
    aciona("BtnEnviar");
    EXPECT_EQ(dialogos_.textos(), QStringList{QStringLiteral("Email enviado com sucesso!")});
    const auto r = EsperaMensagem(marca);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->envelope.at(1), "equipe@vendrilo.br");

    // Depois do Novo o mesmo campo vazio não conta mais.
    dialogos_.limpa();
    dialogos_.respostasCaixa.enqueue(Caixa::RespOk);
    aciona("BtnNovo");
    escolhe("CBPara", 1);
    aciona("BtnEnviar");
    EXPECT_EQ(dialogos_.textos(),
              (QStringList{QStringLiteral("Tem certeza que deseja criar um novo envio?"),
                           QStringLiteral("Atenção: o nome é de preenchimento obrigatório")}));
}

TEST_F(EnviarTeste, doisEnviosCadaUmComSeusAnexos)
{
    const QString a = anexo(QStringLiteral("a.alg"), "primeiro\r\n");
    const QString b = anexo(QStringLiteral("b.alg"), "segundo\r\n");
    preencheValido();
    anexa({a});
    const std::string m1 = MarcaUnica("um");
    assunto(m1);
    aciona("BtnEnviar");
    anexa({b});
    const std::string m2 = MarcaUnica("dois");
    assunto(m2);
    aciona("BtnEnviar");
    dialogos_.respostasCaixa.enqueue(Caixa::RespOk);
    aciona("BtnNovo"); // o remetente fica
    digita("edtAluno", QStringLiteral("José da Silva"));
    escolhe("CBPara", 0);
    anexa({b});
    const std::string m3 = MarcaUnica("tres");
    assunto(m3);
    aciona("BtnEnviar");
    EXPECT_EQ(dialogos_.textos().count(QStringLiteral("Email enviado com sucesso!")), 3) << dialogos_.textos().join(QLatin1Char('|')).toStdString();

    auto conteudos = [](const std::string& marca) {
        std::vector<std::string> r;
        const auto m = EsperaMensagem(marca);
        EXPECT_TRUE(m.has_value()) << marca;
        if (m)
            for (size_t i = 1; i < m->partes.size(); ++i)
                r.push_back(m->partes[i].conteudo);
        return r;
    };
    EXPECT_EQ(conteudos(m1), (std::vector<std::string>{"primeiro\r\n"}));
    EXPECT_EQ(conteudos(m2), (std::vector<std::string>{"primeiro\r\n", "segundo\r\n"}));
    EXPECT_EQ(conteudos(m3), (std::vector<std::string>{"segundo\r\n"}));
}

TEST_F(EnviarTeste, semRedeOuServidorInalcancavelAvisaENaoTentaNada)
{
    // Só sem rede nenhuma a culpa é da conexão; com rede, o servidor é nomeado.
    const struct {
        bool rede;
        const char* texto;
        unsigned icone;
    } casos[] = {
        {false, "Você não está conectado à Internet. Não será possível enviar o e-mail!", Caixa::IconeAviso},
        {true,
         "O servidor de e-mail \"servidor-que-nao-existe.invalid\" não foi encontrado ou não "
         "responde. O e-mail não foi enviado; confira o servidor no email.ini.",
         Caixa::IconeErro},
    };
    ContaTeste c;
    c.smtpHost = "servidor-que-nao-existe.invalid";
    gravaConta(c);
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.rede);
        DefineVerificadorRede([&] { return caso.rede; });
        dialogos_.perguntas.clear();
        preencheValido();
        mensagem()->setPlainText(QStringLiteral("rascunho"));
        aciona("BtnEnviar");
        ASSERT_EQ(dialogos_.perguntas.size(), 1);
        EXPECT_EQ(dialogos_.perguntas[0].texto, QString::fromUtf8(caso.texto));
        EXPECT_EQ(dialogos_.perguntas[0].titulo, QStringLiteral("Erro de envio"));
        EXPECT_EQ(dialogos_.perguntas[0].flags & 0xF0, caso.icone);
        EXPECT_EQ(mensagem()->toPlainText(), QStringLiteral("rascunho"));
    }
    DefineVerificadorRede(nullptr);
}

TEST_F(EnviarTeste, semConfiguracaoDizOQueFalta)
{
    QDir(pasta_.path()).remove(QStringLiteral("email.ini"));
    preencheValido();
    aciona("BtnEnviar");
    ASSERT_EQ(dialogos_.perguntas.size(), 1);
    EXPECT_EQ(dialogos_.perguntas[0].titulo, QStringLiteral("Erro de envio"));
    EXPECT_TRUE(dialogos_.perguntas[0].texto.contains(pasta_.filePath(QStringLiteral("email.ini"))));
    EXPECT_TRUE(dialogos_.perguntas[0].texto.contains(QStringLiteral("não foi encontrado")));
}

TEST_F(EnviarTeste, senhaPop3ErradaParaAntesDasConferencias)
{
    ContaTeste c;
    c.senha = "zzz0000000";
    gravaConta(c);
    digita("edtRemetente", QStringLiteral("ana@aluno.br")); // nome e destino faltando de propósito
    mensagem()->setPlainText(QStringLiteral("rascunho"));
    aciona("BtnEnviar");
    ASSERT_EQ(dialogos_.perguntas.size(), 1) << dialogos_.textos().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(dialogos_.perguntas[0].texto.contains(QStringLiteral("recusou o usuário ou a senha")));
    EXPECT_FALSE(dialogos_.perguntas[0].texto.contains(QStringLiteral("zzz0000000")));
    EXPECT_EQ(dialogos_.perguntas[0].titulo, kTitulo);
    EXPECT_EQ(mensagem()->toPlainText(), QStringLiteral("rascunho"));
    EXPECT_EQ(linha("edtRemetente")->text(), QStringLiteral("ana@aluno.br"));
}

TEST_F(EnviarTeste, smtpForaDoArNaoRepeteAssinaturaNemPerdeNada)
{
    ContaTeste c;
    c.smtpPorta = PortaFechada();
    gravaConta(c);
    preencheValido();
    escolhe("CBcurso", 1);
    const QString a = anexo(QStringLiteral("a.alg"), "x\r\n");
    anexa({a});
    mensagem()->setPlainText(QStringLiteral("Olá"));
    const std::string marca = MarcaUnica("fora");
    assunto(marca);
    for (int tentativa = 1; tentativa <= 2; ++tentativa) {
        dialogos_.limpa();
        aciona("BtnEnviar");
        ASSERT_EQ(dialogos_.perguntas.size(), 1) << tentativa;
        EXPECT_TRUE(dialogos_.perguntas[0].texto.contains(QStringLiteral("Não foi possível conectar")))
            << dialogos_.perguntas[0].texto.toStdString();
        EXPECT_EQ(ocorrencias(QStringLiteral("Aluno: José da Silva")), 1) << tentativa;
        EXPECT_TRUE(mensagem()->toPlainText().startsWith(QStringLiteral("Olá\n\n----"))) << tentativa;
    }
    EXPECT_EQ(anexos()->count(), 1);
    EXPECT_EQ(linha("edtRA")->text(), QStringLiteral("12345x"));

    // O aluno corrige o RA; a assinatura velha é trocada pela nova.
    linha("edtRA")->setText(QStringLiteral("99"));
    gravaConta(ContaTeste{});
    dialogos_.limpa();
    aciona("BtnEnviar");
    ASSERT_EQ(dialogos_.textos(), QStringList{QStringLiteral("Email enviado com sucesso!")});
    const auto r = EsperaMensagem(marca);
    ASSERT_TRUE(r.has_value());
    const std::string& corpo = r->partes.at(0).conteudo;
    EXPECT_EQ(corpo.find("RA: 12345x"), std::string::npos);
    EXPECT_NE(corpo.find("RA: 99"), std::string::npos);
    EXPECT_EQ(corpo.find("Aluno:"), corpo.rfind("Aluno:")) << "uma assinatura só";
}

TEST_F(EnviarTeste, servidorQueCalaTerminaNoTempoLimite)
{
    struct Caso {
        const char* nome;
        ContaTeste conta;
    };
    ContaTeste smtpMudo;
    smtpMudo.smtpPorta = PortaRuim("mudo");
    smtpMudo.tempoLimite = 2; // o login no dovecot real vem antes, com o mesmo limite
    ContaTeste popCalado;
    popCalado.pop3Porta = PortaRuim("calado");
    popCalado.tempoLimite = 1;
    for (const Caso& c : {Caso{"SMTP mudo", smtpMudo}, Caso{"POP3 calado", popCalado}}) {
        gravaConta(c.conta);
        preencheValido();
        mensagem()->setPlainText(QStringLiteral("rascunho"));
        dialogos_.limpa();
        const auto ini = std::chrono::steady_clock::now();
        aciona("BtnEnviar");
        EXPECT_LT(std::chrono::steady_clock::now() - ini, std::chrono::seconds(20)) << c.nome;
        ASSERT_EQ(dialogos_.perguntas.size(), 1) << c.nome;
        EXPECT_TRUE(dialogos_.perguntas[0].texto.contains(QStringLiteral("não respondeu"))) << c.nome;
        EXPECT_TRUE(mensagem()->toPlainText().startsWith(QStringLiteral("rascunho"))) << c.nome;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << c.nome;
    }
}

} // namespace

namespace {

using namespace vendrilo::teste;

TEST_F(EnviarTeste, simboloForaDoWindows1252VaiEmUtf8SemPerda)
{
    preencheValido();
    mensagem()->setPlainText(QStringLiteral("média → 7,5 ✓ e o € cabe"));
    const std::string marca = MarcaUnica("utf8");
    assunto(marca);
    aciona("BtnEnviar");
    ASSERT_EQ(dialogos_.textos(), QStringList{QStringLiteral("Email enviado com sucesso!")});
    const auto r = EsperaMensagem(marca);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->partes.at(0).cabecalhos.at("content-type"), "text/plain; charset=utf-8");
    EXPECT_EQ(r->partes.at(0).conteudo.rfind("m\xC3\xA9" "dia \xE2\x86\x92 7,5 \xE2\x9C\x93 e o \xE2\x82\xAC cabe\r\n", 0), 0u);
}

TEST_F(EnviarTeste, euroEAspasCurvasFicamNoWindows1252)
{
    preencheValido();
    mensagem()->setPlainText(QStringLiteral("“nota” — 10 €"));
    const std::string marca = MarcaUnica("cp1252");
    assunto(marca);
    aciona("BtnEnviar");
    const auto r = EsperaMensagem(marca);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->partes.at(0).cabecalhos.at("content-type"), "text/plain; charset=windows-1252");
    EXPECT_EQ(r->partes.at(0).conteudo.rfind("\x93nota\x94 \x97 10 \x80\r\n", 0), 0u);
}

} // namespace
