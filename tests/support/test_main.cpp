#ifdef CARNELIS_TEST_WIDGETS
#include <QApplication>
using Application = QApplication;
#else
#include <QGuiApplication>
using Application = QGuiApplication;
#endif
#include <QLocale>
#include <gtest/gtest.h>

#include <cstdlib>

// Every test binary runs headless with a fixed locale; a test that needs another
// locale sets it and puts it back. The layers below the windows are tested without the
// widget library, so that nothing there leans on it unnoticed.
int main(int argc, char **argv)
{
    // Test discovery does not pass CTest's environment, so the platform is set here.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application app(argc, argv);
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
