#pragma once
// Liga os comandos de impressão da janela principal: as ações com os nomes
// "btnImprimir", "ComVendrilo1", "Configurar1" e "UsarWord1" (QAction ou
// botão) passam a chamar as rotinas de impressao.h e ficam visíveis.
//
// Uso na janela principal:
//     new ComandosImpressao(this,
//         [this] { return documentoAtivoParaImpressao(); }, // std::optional<DocumentoImpressao>
//         [this] { return ArquivoAtual; },
//         [this] { FormCreate(); });                        // refeita antes do UsarWord1

#include <QFont>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace vendrilo {

// O que a impressão precisa do editor ativo.
struct DocumentoImpressao {
    QStringList linhas;
    QFont fonte;
};

class ComandosImpressao : public QObject {
    Q_OBJECT
public:
    using ObtemDocumento = std::function<std::optional<DocumentoImpressao>()>;
    using ObtemArquivoAtual = std::function<QString()>;

    // `janela` é a dona (e pai deste objeto); `refazCriacao`, opcional, é a
    // rotina de criação da janela principal, rodada de novo pelo UsarWord1.
    ComandosImpressao(QWidget* janela, ObtemDocumento documento, ObtemArquivoAtual arquivoAtual,
                      std::function<void()> refazCriacao = {});

    // Quantos dos quatro comandos foram achados e ligados.
    int comandosLigados() const { return ligados_; }

public slots:
    void btnImprimirClick();
    void ComVendrilo1Click();
    void Configurar1Click();
    void UsarWord1Click();

private:
    void liga(const char* nome, void (ComandosImpressao::*handler)());

    QWidget* janela_;
    ObtemDocumento documento_;
    ObtemArquivoAtual arquivoAtual_;
    std::function<void()> refazCriacao_;
    int ligados_ = 0;
};

} // namespace vendrilo
