#pragma once
// Acesso à impressora do programa e aos seus dois diálogos, atrás de uma
// interface: os testes põem no lugar uma impressora em PDF e respondem os
// diálogos sem abrir janela.

class QPrinter;
class QWidget;

namespace vendrilo {

class AcessoImpressora {
public:
    virtual ~AcessoImpressora();

    // Há ao menos uma impressora instalada no sistema.
    virtual bool haImpressoraInstalada() = 0;

    // A impressora do programa, a mesma para os três comandos: o que o
    // diálogo de configuração escolhe vale para as impressões seguintes.
    virtual QPrinter& impressora() = 0;

    // Diálogo de impressão (configuração padrão); verdadeiro quando confirmado.
    virtual bool dialogoImpressao(QPrinter& impressora, QWidget* pai) = 0;

    // Diálogo de configuração da impressora; o resultado não é examinado.
    virtual void dialogoConfiguracao(QPrinter& impressora, QWidget* pai) = 0;
};

// A implementação em uso; a real (Qt PrintSupport) por omissão.
AcessoImpressora& acessoImpressora();

// Troca a implementação (testes); nullptr volta à real. Não toma posse.
void defineAcessoImpressora(AcessoImpressora* acesso);

} // namespace vendrilo
