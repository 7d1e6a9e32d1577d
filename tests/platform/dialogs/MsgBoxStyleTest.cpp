#include "MsgBoxStyle.h"
#include "DialogServices.h"

#include <gtest/gtest.h>

using namespace carnelis;

namespace {

struct StyleCase {
    int style;
    std::vector<int> codes;
    MsgBoxLayout::Icon icon;
    int defaultButton;
    std::optional<int> escape;
};

class MsgBoxStyleTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(MsgBoxStyleTest, DecodesButtonsIconDefaultAndEscape)
{
    const StyleCase &c = GetParam();
    const MsgBoxLayout layout = decodeMsgBoxStyle(c.style);
    std::vector<int> codes;
    for (const auto &b : layout.buttons)
        codes.push_back(b.code);
    EXPECT_EQ(codes, c.codes);
    EXPECT_EQ(layout.icon, c.icon);
    EXPECT_EQ(layout.defaultButton, c.defaultButton);
    EXPECT_EQ(layout.escapeCode, c.escape);
}

using I = MsgBoxLayout::Icon;
INSTANTIATE_TEST_SUITE_P(
    Styles, MsgBoxStyleTest,
    ::testing::Values(StyleCase{0, {1}, I::None, 0, 1},                    // the box of a failed load
                      StyleCase{16, {1}, I::Critical, 0, 1},               // system error
                      StyleCase{36, {6, 7}, I::Question, 0, std::nullopt}, // deletion and save questions
                      StyleCase{48, {1}, I::Exclamation, 0, 1}, StyleCase{64 + 1, {1, 2}, I::Information, 0, 2},
                      StyleCase{2, {3, 4, 5}, I::None, 0, std::nullopt}, StyleCase{3 + 256, {6, 7, 2}, I::None, 1, 2},
                      StyleCase{4 + 32 + 256, {6, 7}, I::Question, 1, std::nullopt},
                      StyleCase{5, {4, 2}, I::None, 0, 2}, StyleCase{6 + 512, {2, 10, 11}, I::None, 2, 2},
                      StyleCase{0 + 256, {1}, I::None, 0, 1}), // no second button to make default
    [](const auto &info) { return "style" + std::to_string(info.param.style); });

} // namespace
