#include "BasicVal.h"
#include "JetNames.h"

#include <gtest/gtest.h>

using namespace carnelis;

namespace {

TEST(BasicVal, ReadsTheLeadingNumberByTheBasicRules)
{
    const struct {
        const char *text;
        double value;
    } cases[] = {{"  1 2 3", 123},  {"12,5", 12},  {"12.5", 12.5}, {"1E3", 1000},  {"1D2", 100},
                 {"&H10", 16},      {"&hff", 255}, {"&O17", 15},   {"-.5", -0.5},  {"+7", 7},
                 {"abc", 0},        {"", 0},       {"3 rue", 3},   {"1E", 1},      {"2e-1x", 0.2},
                 {"\t-4.25 €", -4.25}, {".", 0},   {"-", 0}};
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(basicVal(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(JetNames, BracketsOnlyWhatDoesNotReadAsOneName)
{
    const struct {
        const char *name;
        const char *written;
    } cases[] = {{"TIMBRES", "TIMBRES"},         {"TIMBRES_ÉTÉ", "TIMBRES_ÉTÉ"}, {"MES TIMBRES", "[MES TIMBRES]"},
                 {"ORDER", "[ORDER]"},           {"select", "[select]"},        {"1900", "[1900]"},
                 {"A-B", "[A-B]"},               {"_x1", "_x1"},                {"L'ÉCU", "[L'ÉCU]"},
                 {"A]B", "[A]]B]"}};
    for (const auto &c : cases)
        EXPECT_EQ(jetName(QString::fromUtf8(c.name)), QString::fromUtf8(c.written)) << c.name;
}

} // namespace
