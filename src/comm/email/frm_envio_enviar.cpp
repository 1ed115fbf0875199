// O envio propriamente dito: conexão, login POP3, conferência dos campos,
// assinatura e SMTP. Tudo na thread da interface, com esperas limitadas.
#include "comm/email/caixa_escolha.h"
#include "comm/email/config_email.h"
#include "comm/email/correio.h"
#include "comm/email/frm_envio.h"
#include "formato/texto_1252.h"
#include "platform/conexao.h"
#include "platform/dialogos.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace vendrilo {

namespace {

const QString kLinhaAssinatura = QStringLiteral("-------------------------------");

// Ampulheta enquanto a rede trabalha; sai antes de qualquer caixa de mensagem.
class Ampulheta {
public:
    Ampulheta() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Ampulheta() { solta(); }
    void solta()
    {
        if (ativa_)
            QApplication::restoreOverrideCursor();
        ativa_ = false;
    }

private:
    bool ativa_ = true;
};

} // namespace

void TfrmEnvio::BtnEnviarClick()
{
    const QString tituloErro = QStringLiteral("Erro de envio");
    ConfigEmail cfg;
    QString erro;
    if (!leConfig(cfg, erro)) {
        dialogos().caixaMensagem(erro, tituloErro, Caixa::IconeAviso);
        return;
    }
    switch (AlcancaServidor(cfg.smtpServidor, cfg.smtpPorta)) {
    case Alcance::Alcancavel: break;
    case Alcance::SemRede:
        dialogos().caixaMensagem(
            QStringLiteral("Você não está conectado à Internet. Não será possível enviar o e-mail!"), tituloErro,
            Caixa::IconeAviso);
        return;
    case Alcance::NomeDesconhecido:
    case Alcance::SemRota:
        // Há rede: o problema é o servidor configurado, e o aluno precisa do nome dele.
        dialogos().caixaMensagem(
            QStringLiteral("O servidor de e-mail \"%1\" não foi encontrado ou não responde. O e-mail "
                           "não foi enviado; confira o servidor no email.ini.")
                .arg(QString::fromStdString(cfg.smtpServidor)),
            tituloErro, Caixa::IconeErro);
        return;
    }
    const int limiteMs = cfg.tempoLimiteSeg * 1000;

    Ampulheta ampulheta;
    std::string falha;
    if (!EntraPop3({cfg.pop3Servidor, cfg.pop3Porta, limiteMs}, cfg.usuario, cfg.senha, esperaPopMs_, falha)) {
        ampulheta.solta();
        dialogos().caixaMensagem(QString::fromStdString(falha), tituloAplicacao_, Caixa::IconeErro);
        return;
    }
    ampulheta.solta();

    if (!camposConferem())
        return;
    acrescentaAssinatura();

    MensagemCorreio msg;
    msg.para = enderecoDestinatario(cfg).toStdString();
    msg.copia = edtCC->text().toStdString();
    msg.remetente = edtRemetente->text().toStdString();
    msg.assunto = edtAssunto->text().toStdString();
    const QString corpo = mmMensagem->toPlainText().split(QLatin1Char('\n')).join(QStringLiteral("\r\n"));
    if (!Codifica1252(corpo.toStdString(), msg.corpo)) {
        // Texto fora do Windows-1252 (um símbolo colado, por exemplo): vai em UTF-8, sem perder nada.
        msg.corpo = corpo.toStdString();
        msg.charsetCorpo = "utf-8";
    }
    for (int i = 0; i < ListBox1->count(); ++i)
        msg.anexos.push_back(QFile::encodeName(ListBox1->item(i)->text()).toStdString());

    Ampulheta outra;
    if (!EnviaSmtp({cfg.smtpServidor, cfg.smtpPorta, limiteMs}, msg, falha)) {
        outra.solta();
        dialogos().caixaMensagem(QString::fromStdString(falha), tituloAplicacao_, Caixa::IconeErro);
        return;
    }
    outra.solta();
    dialogos().caixaMensagem(QStringLiteral("Email enviado com sucesso!"), QStringLiteral("Confirmação"),
                             Caixa::IconeInformacao);
    mmMensagem->clear();
    assinaturaAnexada_.clear();
}

// Todas as conferências são feitas, mesmo depois de uma falha.
bool TfrmEnvio::camposConferem()
{
    const QString titulo = QStringLiteral("Erro de Preechimento");
    const unsigned flags = Caixa::IconeAviso;
    bool ok = true;
    if (!edtAluno->isModified()) {
        dialogos().caixaMensagem(QStringLiteral("Atenção: o nome é de preenchimento obrigatório"), titulo, flags);
        edtAluno->setFocus();
        ok = false;
    }
    if (!edtRemetente->isModified()) {
        dialogos().caixaMensagem(QStringLiteral("Atenção: o email do remetente é de preenchimento obrigatório"),
                                 titulo, flags);
        edtRemetente->setFocus();
        ok = false;
    }
    if (CBPara->itemEscolhido() < 0 && !edtCC->isModified()) {
        dialogos().caixaMensagem(QStringLiteral("Atenção: escolha o destinatário"), titulo, flags);
        CBPara->setFocus();
        ok = false;
    }
    return ok;
}

// Uma tentativa que falhou deixou a assinatura no fim da mensagem: ela é
// trocada pela atual em vez de repetida.
void TfrmEnvio::acrescentaAssinatura()
{
    QString texto = mmMensagem->toPlainText();
    QTextCursor cursor(mmMensagem->document());
    if (!assinaturaAnexada_.isEmpty() && texto.endsWith(assinaturaAnexada_)) {
        cursor.setPosition(static_cast<int>(texto.size() - assinaturaAnexada_.size()));
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        texto.chop(assinaturaAnexada_.size());
    }
    const QStringList linhas{QString(), // a linha em branco que separa a assinatura
                             kLinhaAssinatura,
                             QStringLiteral("Aluno: ") + edtAluno->text(),
                             QStringLiteral("RA: ") + edtRA->text(),
                             QStringLiteral("Curso: ") + textoCurso(),
                             kLinhaAssinatura,
                             tituloAplicacao_};
    assinaturaAnexada_ = (texto.isEmpty() ? QString() : QStringLiteral("\n")) + linhas.join(QLatin1Char('\n'));
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(assinaturaAnexada_);
}

} // namespace vendrilo
