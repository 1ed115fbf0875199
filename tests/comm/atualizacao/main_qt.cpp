// Os testes da atualização rodam com uma QApplication (plataforma offscreen).

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // O tráfego dos testes vai só a 127.0.0.1, nunca por um proxy do ambiente.
    for (const char* v : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
        unsetenv(v);
    // A descoberta dos testes roda o executável sem o ENVIRONMENT do CTest.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Janelas de teste abrem e fecham o tempo todo: fechar a última não
    // pode encerrar os laços de eventos dos testes seguintes.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Vendrilo de Algoritmos - Versão 2.4"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
