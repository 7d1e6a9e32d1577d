// The pieces the engine and the Access reader share, on their own.
#include "JetNames.h"
#include "Value.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

TEST(JetNames, BracketsOnlyWhatDoesNotReadAsOneName)
{
    const struct {
        const char *name;
        const char *written;
    } cases[] = {{"TIMBRES", "TIMBRES"},
                 {"TIMBRES_ÉTÉ", "TIMBRES_ÉTÉ"},
                 {"MES TIMBRES", "[MES TIMBRES]"},
                 {"ORDER", "[ORDER]"},
                 {"select", "[select]"},
                 {"1900", "[1900]"},
                 {"A-B", "[A-B]"},
                 {"_x1", "_x1"},
                 {"L'ÉCU", "[L'ÉCU]"},
                 {"A]B", "[A]]B]"}};
    for (const auto &c : cases)
        EXPECT_EQ(jetName(QString::fromUtf8(c.name)), QString::fromUtf8(c.written)) << c.name;
}

TEST(ValueText, NumbersInTheirPlainShortestFormWithTheLocaleSeparator)
{
    const QLocale french(QLocale::French, QLocale::France);
    EXPECT_EQ(Value(12.5).toDisplayText(french), "12,5");
    EXPECT_EQ(Value(150.0).toDisplayText(french), "150");
    EXPECT_EQ(Value(1234567.25).toDisplayText(french), "1234567,25");
    EXPECT_EQ(Value(-0.5).toDisplayText(QLocale::c()), "-0.5");
    EXPECT_EQ(Value().toDisplayText(french), "");
    EXPECT_EQ(Value("l'écu").toDisplayText(french), "l'écu");
}

} // namespace
