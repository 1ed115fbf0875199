#include "arquivos_teste.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace vendrilo::teste {

QByteArray le(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void escreve(const QString& caminho, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(caminho).path());
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << caminho.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size()) << caminho.toStdString();
}

void processa()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace vendrilo::teste
