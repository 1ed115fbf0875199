// Os testes de janela precisam de uma QApplication viva do começo ao fim.

#include "partida_testes_qt.h"
#include "workspace/principal.h"

int main(int argc, char** argv)
{
    return vendrilo::teste::RodaTestesQt(argc, argv, vendrilo::TituloAplicacao());
}
