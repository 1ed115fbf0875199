// Os testes de janela precisam de uma QApplication viva do começo ao fim.

#include "workspace/principal.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // A descoberta dos testes (--gtest_list_tests) roda sem o ENVIRONMENT do CTest.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(vendrilo::TituloAplicacao());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
