#include "MsgBoxStyle.h"
#include "DialogServices.h"

#include <gtest/gtest.h>

using namespace carnelis;

namespace {

TEST(MsgBoxStyle, DecodesButtonsIconDefaultAndEscape)
{
    using I = MsgBoxLayout::Icon;
    const std::optional<int> none;
    // The style, the button codes, the icon, the default button and the code Escape answers.
    const std::tuple<int, std::vector<int>, I, int, std::optional<int>> cases[] = {
        {0, {1}, I::None, 0, 1},            // the box of a failed load
        {16, {1}, I::Critical, 0, 1},       // system error
        {36, {6, 7}, I::Question, 0, none}, // deletion and save questions
        {48, {1}, I::Exclamation, 0, 1},
        {64 + 1, {1, 2}, I::Information, 0, 2},       // OK, Cancel
        {2, {3, 4, 5}, I::None, 0, none},             // Abort, Retry, Ignore
        {3 + 256, {6, 7, 2}, I::None, 1, 2},          // Yes, No, Cancel
        {4 + 32 + 256, {6, 7}, I::Question, 1, none}, // Yes, No
        {5, {4, 2}, I::None, 0, 2},                   // Retry, Cancel
        {6 + 512, {2, 10, 11}, I::None, 2, 2},        // Cancel, Try Again, Continue
        {0 + 256, {1}, I::None, 0, 1},                // no second button to make default
    };
    for (const auto &[style, codes, icon, defaultButton, escape] : cases) {
        const MsgBoxLayout layout = decodeMsgBoxStyle(style);
        std::vector<int> shown;
        for (const auto &b : layout.buttons)
            shown.push_back(b.code);
        EXPECT_EQ(std::tuple(shown, layout.icon, layout.defaultButton, layout.escapeCode),
                  std::tuple(codes, icon, defaultButton, escape))
            << style;
    }
}

} // namespace
