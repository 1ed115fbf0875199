#pragma once
// Pequenas utilidades comuns aos testes das janelas: ler e gravar bytes e
// deixar o Qt entregar os eventos pendentes.

#include <QByteArray>
#include <QString>

namespace vendrilo::teste {

// Conteúdo do arquivo; vazio quando não pode ser lido.
QByteArray le(const QString& caminho);

// Grava os bytes (criando a pasta); falha o teste em andamento quando não consegue.
void escreve(const QString& caminho, const QByteArray& bytes);

// Entrega as destruições adiadas e os eventos pendentes.
void processa();

} // namespace vendrilo::teste
