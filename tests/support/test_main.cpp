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

namespace {
struct LocaleReset : ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo &) override { QLocale::setDefault(QLocale::c()); }
};
} // namespace

// Every test binary runs headless with a fixed locale; a test that needs another
// locale sets it, and the C locale is back for the next test. The layers below the windows are tested without the
// widget library, so that nothing there leans on it unnoticed.
int main(int argc, char **argv)
{
    // Test discovery does not pass CTest's environment, so the platform is set here.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application app(argc, argv);
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new LocaleReset);
    return RUN_ALL_TESTS();
}
