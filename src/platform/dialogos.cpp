#include "platform/dialogos.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace vendrilo {

Dialogos::~Dialogos() = default;

namespace {

// O diálogo do próprio Qt: fala a tradução carregada na partida em qualquer
// área de trabalho (o nativo depende do idioma do sistema).
constexpr QFileDialog::Options kOpcoes = QFileDialog::DontUseNativeDialog;

class DialogosQt final : public Dialogos {
public:
    void mostraMensagem(const QString& texto) override
    {
        // Aviso simples: sem ícone, só o texto e o OK.
        QMessageBox caixa(QMessageBox::NoIcon, QApplication::applicationName(), texto, QMessageBox::NoButton,
                          janelaPai());
        caixa.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        caixa.exec();
    }

    int caixaMensagem(const QString& texto, const QString& titulo, unsigned flags) override
    {
        QMessageBox caixa(janelaPai());
        caixa.setWindowTitle(titulo);
        caixa.setText(texto);
        switch (flags & 0xF0) {
        case Caixa::IconeErro: caixa.setIcon(QMessageBox::Critical); break;
        case Caixa::IconePergunta: caixa.setIcon(QMessageBox::Question); break;
        case Caixa::IconeAviso: caixa.setIcon(QMessageBox::Warning); break;
        case Caixa::IconeInformacao: caixa.setIcon(QMessageBox::Information); break;
        default: break;
        }
        QAbstractButton* sim = nullptr;
        QAbstractButton* nao = nullptr;
        QAbstractButton* cancelar = nullptr;
        QAbstractButton* primeiro = nullptr;
        switch (flags & 0x0F) {
        case Caixa::SimNaoCancelar:
            sim = caixa.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole);
            nao = caixa.addButton(QStringLiteral("&Não"), QMessageBox::NoRole);
            cancelar = caixa.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
            break;
        case Caixa::SimNao:
            sim = caixa.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole);
            nao = caixa.addButton(QStringLiteral("&Não"), QMessageBox::NoRole);
            break;
        case Caixa::OkCancelar:
            primeiro = caixa.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            cancelar = caixa.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
            break;
        default: primeiro = caixa.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole); break;
        }
        // Enter escolhe o primeiro botão (Sim ou OK), como nas caixas clássicas;
        // sem isso valeria o botão que a ordem do tema põe em foco.
        caixa.setDefaultButton(qobject_cast<QPushButton*>(sim ? sim : primeiro));
        caixa.exec();
        QAbstractButton* clicado = caixa.clickedButton();
        if (clicado && clicado == sim)
            return Caixa::RespSim;
        if (clicado && clicado == nao)
            return Caixa::RespNao;
        // Fechar a caixa pelo título equivale a Cancelar (ou a Não, sem Cancelar).
        if (clicado == cancelar || !clicado)
            return cancelar ? Caixa::RespCancelar : (nao ? Caixa::RespNao : Caixa::RespOk);
        return Caixa::RespOk;
    }

    QString abreArquivo(const QString& titulo, const QString& filtro, const QString& pasta) override
    {
        return QFileDialog::getOpenFileName(janelaPai(), titulo, pasta, filtro, nullptr, kOpcoes);
    }

    QStringList abreArquivos(const QString& titulo, const QString& filtro,
                             const QString& pasta) override
    {
        return QFileDialog::getOpenFileNames(janelaPai(), titulo, pasta, filtro, nullptr, kOpcoes);
    }

    QString salvaArquivo(const QString& titulo, const QString& filtro, const QString& pasta,
                         const QString& nomeInicial) override
    {
        const QString inicial = nomeInicial.isEmpty() ? pasta : pasta + QLatin1Char('/') + nomeInicial;
        return QFileDialog::getSaveFileName(janelaPai(), titulo, inicial, filtro, nullptr,
                                            kOpcoes | QFileDialog::DontConfirmOverwrite);
    }

    bool pedeTexto(const QString& titulo, const QString& rotulo, QString& valor) override
    {
        bool ok = false;
        const QString texto = QInputDialog::getText(janelaPai(), titulo, rotulo,
                                                    QLineEdit::Normal, valor, &ok);
        if (ok)
            valor = texto;
        return ok;
    }

    void bipe() override { QApplication::beep(); }
};

DialogosQt& real()
{
    static DialogosQt instancia;
    return instancia;
}

Dialogos* atual = nullptr;

} // namespace

Dialogos& dialogos() { return atual ? *atual : real(); }

void defineDialogos(Dialogos* d) { atual = d; }

} // namespace vendrilo
