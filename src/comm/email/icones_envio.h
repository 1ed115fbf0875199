#pragma once
// Figuras da barra do envio e da ajuda, desenhadas na hora: nenhum arquivo
// de imagem a instalar.

#include <QIcon>
#include <QPixmap>

namespace vendrilo {

enum class FiguraEnvio { Novo, Enviar, Anexar, Ajuda, Sair };

// Ícone de 40 x 35 pontos.
QIcon IconeEnvio(FiguraEnvio figura);

// Figura da janela de ajuda (um envelope grande).
QPixmap FiguraAjudaEnvio();

} // namespace vendrilo
