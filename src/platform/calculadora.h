#pragma once
// Calculadora do ambiente gráfico (o comando "Calculadora", F7): a primeira
// das conhecidas que estiver instalada, iniciada sem esperar pelo seu fim.

#include <QString>
#include <QStringList>

namespace vendrilo {

// Calculadoras procuradas no PATH, na ordem de preferência.
QStringList CalculadorasConhecidas();

// Caminho completo da primeira calculadora achada no PATH; vazio sem nenhuma.
QString ProcuraCalculadora();

// Texto mostrado quando nenhuma calculadora está instalada.
QString MensagemSemCalculadora();

// Inicia a calculadora desligada do Vendrilo. Sem nenhuma instalada, ou se
// ela não pôde ser iniciada, avisa pela interface de diálogos e devolve falso.
bool AbreCalculadora();

} // namespace vendrilo
