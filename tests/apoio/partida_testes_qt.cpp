#include "partida_testes_qt.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace vendrilo::teste {

int RodaTestesQt(int argc, char** argv, const QString& nome, const std::function<int(const QString&)>& captura)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!nome.isEmpty())
        QApplication::setApplicationName(nome);
    const QStringList args = QApplication::arguments();
    if (const int i = int(args.indexOf(QStringLiteral("--captura"))); captura && i > 0 && i + 1 < args.size())
        return captura(args[i + 1]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

} // namespace vendrilo::teste
