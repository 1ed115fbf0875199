#pragma once
// Partida comum dos testes com janelas.

#include <QString>

#include <functional>

namespace vendrilo::teste {

// Cria a QApplication (plataforma offscreen quando nenhuma foi pedida: a
// descoberta dos testes roda o executável sem o ambiente do CTest), dá-lhe
// `nome` quando não vazio e roda os testes. Com "--captura ARQUIVO" e uma
// `captura`, tira a foto do README em vez de rodar os testes.
int RodaTestesQt(int argc, char** argv, const QString& nome = {},
                 const std::function<int(const QString&)>& captura = {});

} // namespace vendrilo::teste
