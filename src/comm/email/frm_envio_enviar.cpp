// O envio propriamente dito: conexão, login POP3, conferência dos campos,
// assinatura e SMTP. Tudo na thread da interface, com esperas limitadas.
#include "comm/email/caixa_escolha.h"
#include "comm/email/config_email.h"
#include "comm/email/correio.h"
#include "comm/email/frm_envio.h"
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

// Caracteres de 0x80 a 0x9F do Windows-1252; 0 onde a página não tem nada.
constexpr char16_t kWin1252Alto[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

// Falso quando algum caractere não cabe no Windows-1252.
bool paraWindows1252(const QString& texto, std::string& saida)
{
    saida.clear();
    saida.reserve(static_cast<size_t>(texto.size()));
    for (const QChar ch : texto) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            saida += static_cast<char>(u);
            continue;
        }
        int achado = -1;
        for (int i = 0; i < 32 && achado < 0; ++i)
            if (kWin1252Alto[i] == u && u != 0)
                achado = i;
        if (achado < 0)
            return false;
        saida += static_cast<char>(0x80 + achado);
    }
    return true;
}

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
        dialogos().caixaMensagem(erro, tituloErro, Caixa::Ok | Caixa::IconeAviso);
        return;
    }
    if (!TestaConexao(cfg.smtpServidor, cfg.smtpPorta)) {
        dialogos().caixaMensagem(
            QStringLiteral("Você não está conectado à Internet. Não será possível enviar o e-mail!"), tituloErro,
            Caixa::Ok | Caixa::IconeAviso);
        return;
    }
    const int limiteMs = cfg.tempoLimiteSeg * 1000;

    Ampulheta ampulheta;
    std::string falha;
    if (!EntraPop3({cfg.pop3Servidor, cfg.pop3Porta, limiteMs}, cfg.usuario, cfg.senha, esperaPopMs_, falha)) {
        ampulheta.solta();
        dialogos().caixaMensagem(QString::fromStdString(falha), tituloAplicacao_, Caixa::Ok | Caixa::IconeErro);
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
    if (!paraWindows1252(corpo, msg.corpo)) {
        // Texto fora do Windows-1252 (um símbolo colado, por exemplo): vai em UTF-8, sem perder nada.
        msg.corpo = corpo.toStdString();
        msg.charsetCorpo = "utf-8";
    }
    for (int i = 0; i < ListBox1->count(); ++i)
        msg.anexos.push_back(QFile::encodeName(ListBox1->item(i)->text()).toStdString());

    Ampulheta outra;
    if (!EnviaSmtp({cfg.smtpServidor, cfg.smtpPorta, limiteMs}, msg, falha)) {
        outra.solta();
        dialogos().caixaMensagem(QString::fromStdString(falha), tituloAplicacao_, Caixa::Ok | Caixa::IconeErro);
        return;
    }
    outra.solta();
    dialogos().caixaMensagem(QStringLiteral("Email enviado com sucesso!"), QStringLiteral("Confirmação"),
                             Caixa::Ok | Caixa::IconeInformacao);
    mmMensagem->clear();
    assinaturaAnexada_.clear();
}

// Todas as conferências são feitas, mesmo depois de uma falha.
bool TfrmEnvio::camposConferem()
{
    const QString titulo = QStringLiteral("Erro de Preechimento");
    const unsigned flags = Caixa::Ok | Caixa::IconeAviso;
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
