#include "comm/impressao/comandos_impressao.h"

#include "comm/impressao/impressao.h"

#include <QAbstractButton>
#include <QAction>
#include <QWidget>

namespace vendrilo {

ComandosImpressao::ComandosImpressao(QWidget* janela, ObtemDocumento documento,
                                     ObtemArquivoAtual arquivoAtual,
                                     std::function<void()> refazCriacao)
    : QObject(janela), janela_(janela), documento_(std::move(documento)),
      arquivoAtual_(std::move(arquivoAtual)), refazCriacao_(std::move(refazCriacao))
{
    liga("btnImprimir", &ComandosImpressao::btnImprimirClick);
    liga("ComVendrilo1", &ComandosImpressao::ComVendrilo1Click);
    liga("Configurar1", &ComandosImpressao::Configurar1Click);
    liga("UsarWord1", &ComandosImpressao::UsarWord1Click);
}

void ComandosImpressao::liga(const char* nome, void (ComandosImpressao::*handler)())
{
    if (!janela_)
        return;
    const QString objeto = QString::fromLatin1(nome);
    bool achou = false;
    for (QAction* acao : janela_->findChildren<QAction*>(objeto)) {
        connect(acao, &QAction::triggered, this, handler);
        acao->setVisible(true);
        achou = true;
    }
    // Um botão ligado a uma ação de mesmo nome já dispara por ela: ligá-lo
    // também imprimiria duas vezes.
    if (!achou) {
        for (QAbstractButton* botao : janela_->findChildren<QAbstractButton*>(objeto)) {
            connect(botao, &QAbstractButton::clicked, this, handler);
            botao->setVisible(true);
            achou = true;
        }
    }
    if (achou)
        ++ligados_;
}

void ComandosImpressao::btnImprimirClick()
{
    if (const auto doc = documento_ ? documento_() : std::nullopt)
        ImprimeTexto(doc->linhas);
}

void ComandosImpressao::ComVendrilo1Click()
{
    if (const auto doc = documento_ ? documento_() : std::nullopt)
        ImprimeComCabecalho(doc->linhas, doc->fonte, arquivoAtual_ ? arquivoAtual_() : QString(),
                            janela_);
}

void ComandosImpressao::Configurar1Click() { ConfiguraImpressora(janela_); }

void ComandosImpressao::UsarWord1Click()
{
    if (refazCriacao_)
        refazCriacao_();
    if (const auto doc = documento_ ? documento_() : std::nullopt)
        EnviaAoProcessador(doc->linhas);
}

} // namespace vendrilo
