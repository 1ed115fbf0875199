#pragma once
// A impressora aberta como dispositivo de texto: abrir começa o trabalho,
// cada linha escrita é a próxima linha impressa, uma página cheia puxa a
// seguinte, fechar termina o trabalho.
//
// Paginação: margens de ao menos 15 mm (as da impressora, quando maiores),
// altura de linha a da fonte; uma linha mais larga que a página continua
// nas linhas seguintes, quebrada no caractere que não cabe, para que nada
// do algoritmo se perca. Tabulações avançam até a próxima coluna múltipla
// de 3, como no editor.

#include <QFont>
#include <QPainter>
#include <QString>

class QPrinter;

namespace vendrilo {

class DispositivoTexto {
public:
    explicit DispositivoTexto(QPrinter& impressora);
    ~DispositivoTexto(); // fecha o trabalho se ficou aberto
    DispositivoTexto(const DispositivoTexto&) = delete;
    DispositivoTexto& operator=(const DispositivoTexto&) = delete;

    // Começa o trabalho com a fonte dada. Falso quando a impressora não abre.
    bool abre(const QFont& fonte);
    // Escreve uma linha (vazia = linha em branco). Falso em falha de E/S.
    bool escreve(const QString& linha);
    // Termina o trabalho. Falso quando o término falhou; sem trabalho aberto, verdadeiro.
    bool fecha();

    bool aberto() const { return pintor_.isActive(); }
    int paginas() const { return paginas_; }

private:
    bool proximaLinha(); // posição da próxima linha, com página nova se preciso

    QPrinter& impressora_;
    QPainter pintor_;
    QRectF area_;
    qreal alturaLinha_ = 0;
    qreal ascendente_ = 0;
    qreal larguraEspaco_ = 0;
    qreal y_ = 0;
    bool primeiraDaPagina_ = true;
    int paginas_ = 0;
};

// Fonte de uma impressão: tamanhos em pixels (da tela) passam a pontos, para
// que a letra saia no papel do tamanho que se vê no editor.
QFont FonteParaImpressora(const QFont& fonte);

} // namespace vendrilo
