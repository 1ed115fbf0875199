#include "comm/impressao/acesso_impressora.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace vendrilo {

AcessoImpressora::~AcessoImpressora() = default;

namespace {

class AcessoImpressoraQt final : public AcessoImpressora {
public:
    bool haImpressoraInstalada() override { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

    QPrinter& impressora() override
    {
        // Criada no primeiro uso: só então o sistema de impressão é consultado.
        if (!impressora_)
            impressora_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        return *impressora_;
    }

    bool dialogoImpressao(QPrinter& impressora, QWidget* pai) override
    {
        QPrintDialog dialogo(&impressora, pai);
        return dialogo.exec() == QDialog::Accepted;
    }

    void dialogoConfiguracao(QPrinter& impressora, QWidget* pai) override
    {
        QPageSetupDialog dialogo(&impressora, pai);
        dialogo.exec();
    }

private:
    std::unique_ptr<QPrinter> impressora_;
};

AcessoImpressora* atual = nullptr;

} // namespace

AcessoImpressora& acessoImpressora()
{
    static AcessoImpressoraQt real;
    return atual ? *atual : real;
}

void defineAcessoImpressora(AcessoImpressora* acesso) { atual = acesso; }

} // namespace vendrilo
