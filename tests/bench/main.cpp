// One application for all benchmark tests, on the offscreen platform, with
// every window of the program created as at start-up.
#include "Startup.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TELVANE"));
    CreateAllForms();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
