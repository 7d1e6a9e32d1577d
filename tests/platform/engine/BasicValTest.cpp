#include "BasicVal.h"

#include <gtest/gtest.h>

using namespace carnelis;

namespace {

TEST(BasicVal, ReadsTheLeadingNumberByTheBasicRules)
{
    const struct {
        const char *text;
        double value;
    } cases[] = {{"  1 2 3", 123},     {"12,5", 12},  {"12.5", 12.5}, {"1E3", 1000}, {"1D2", 100},
                 {"&H10", 16},         {"&hff", 255}, {"&O17", 15},   {"-.5", -0.5}, {"+7", 7},
                 {"abc", 0},           {"", 0},       {"3 rue", 3},   {"1E", 1},     {"2e-1x", 0.2},
                 {"\t-4.25 €", -4.25}, {".", 0},      {"-", 0}};
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(basicVal(QString::fromUtf8(c.text)), c.value) << c.text;
}

} // namespace
