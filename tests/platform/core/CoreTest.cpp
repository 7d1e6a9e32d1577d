// The pieces the engine and the Access reader share, on their own.
#include "JetNames.h"
#include "Value.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

TEST(JetNames, BracketsOnlyWhatDoesNotReadAsOneName)
{
    for (const QString plain : {"TIMBRES", "TIMBRES_ÉTÉ", "_x1"})
        EXPECT_EQ(jetName(plain), plain);
    for (const QString odd : {"MES TIMBRES", "ORDER", "select", "1900", "A-B", "L'ÉCU"})
        EXPECT_EQ(jetName(odd), u'[' + odd + u']');
    EXPECT_EQ(jetName("A]B"), "[A]]B]");
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
