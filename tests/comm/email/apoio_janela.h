#pragma once
// Base dos testes da janela de envio: pasta do programa temporária com um
// email.ini apontando para os servidores das fixtures, a janela aberta e os
// diálogos roteirizados.

#include "apoio_email.h"
#include "comm/email/frm_envio.h"
#include "dialogos_roteirizados.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

// Mensagens legíveis quando uma comparação de QString falha.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace vendrilo::teste {

inline const QString kTitulo = QStringLiteral("Vendrilo de Algoritmos - Versão 2.4");

struct ContaTeste {
    std::string smtpHost = "127.0.0.1";
    int smtpPorta = PortaServidor("smtp");
    int pop3Porta = PortaServidor("pop3");
    std::string senha = kSenhaPop;
    int tempoLimite = 15;
};

class JanelaEnvioTeste : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pasta_.isValid());
        ASSERT_NE(PortaServidor("smtp"), 0);
        gravaConta(ContaTeste{});
        janela_ = std::make_unique<TfrmEnvio>(pasta_.path());
        janela_->defineEsperaPop(20);
        janela_->show();
        QApplication::setActiveWindow(janela_.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(janela_.get()));
    }

    void gravaConta(const ContaTeste& c)
    {
        std::ofstream f(pasta_.filePath(QStringLiteral("email.ini")).toStdString(), std::ios::trunc);
        f << "[smtp]\nservidor=" << c.smtpHost << "\nporta=" << c.smtpPorta << "\n[pop3]\nservidor=127.0.0.1\nporta="
          << c.pop3Porta << "\n[conta]\nusuario=" << kUsuarioPop << "\nsenha=" << c.senha
          << "\n[destinos]\nprofessor_rotulo=Prof. Teste\nprofessor_email=prof@escola.br\n"
             "equipe_rotulo=Equipe Vendrilo Teste\nequipe_email=equipe@vendrilo.br\n[envio]\ntempo_limite="
          << c.tempoLimite << "\n";
    }

    template <class T> T* campo(const char* nome) const
    {
        T* w = janela_->findChild<T*>(QString::fromLatin1(nome));
        EXPECT_NE(w, nullptr) << nome;
        return w;
    }
    QLineEdit* linha(const char* nome) const { return campo<QLineEdit>(nome); }
    QComboBox* combo(const char* nome) const { return campo<QComboBox>(nome); }
    QPlainTextEdit* mensagem() const { return campo<QPlainTextEdit>("mmMensagem"); }
    QListWidget* anexos() const { return campo<QListWidget>("ListBox1"); }

    // Como o aluno: foco no campo e teclas.
    void digita(const char* nome, const QString& texto)
    {
        QWidget* w = janela_->findChild<QWidget*>(QString::fromLatin1(nome));
        ASSERT_NE(w, nullptr) << nome;
        if (auto* c = qobject_cast<QComboBox*>(w))
            w = c->lineEdit();
        w->setFocus();
        for (const QChar ch : texto) {
            if (ch.unicode() < 0x80) // o QTest só traduz ASCII em teclas
                QTest::keyClick(w, static_cast<char>(ch.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
    // Escolha de um item na lista, como faz o clique no item.
    void escolhe(const char* nome, int i)
    {
        QComboBox* c = combo(nome);
        c->setCurrentIndex(i);
        emit c->activated(i);
    }
    void aciona(const char* botao) { janela_->findChild<QAction*>(QString::fromLatin1(botao))->trigger(); }

    // Campos mínimos para um envio válido.
    void preencheValido()
    {
        digita("edtAluno", QStringLiteral("José da Silva"));
        digita("edtRA", QStringLiteral("12345x"));
        digita("edtRemetente", QStringLiteral("jose@aluno.br"));
        escolhe("CBPara", 0);
    }

    DialogosRoteirizados dialogos_; // antes da janela: vive mais que ela
    QTemporaryDir pasta_;
    std::unique_ptr<TfrmEnvio> janela_;
};

} // namespace vendrilo::teste
