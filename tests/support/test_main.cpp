// One application for all tests of a test program, on the offscreen
// platform.  Built with TELVANE_TEST_ALL_FORMS, it first creates every window
// of the program as start-up does.
#include <QApplication>
#include <gtest/gtest.h>

#ifdef TELVANE_TEST_ALL_FORMS
#include "Startup.h"
#endif

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#ifdef TELVANE_TEST_ALL_FORMS
    QApplication::setApplicationName(QStringLiteral("TELVANE"));
    CreateAllForms();
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
