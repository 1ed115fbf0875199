// main dos testes de janela: uma QApplication com o título do programa.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // A descoberta dos testes roda este programa fora do ambiente do CTest.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vendrilo de Algoritmos - Versão 2.4"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
