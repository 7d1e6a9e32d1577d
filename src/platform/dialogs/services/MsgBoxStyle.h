#pragma once
#include <QString>
#include <optional>
#include <vector>

namespace carnelis {

// What a message-box style number asks for, decoded once so that the box itself only
// draws it.
struct MsgBoxLayout {
    enum class Icon { None, Critical, Question, Exclamation, Information };
    struct Button {
        QString text; // French caption, with its access key
        int code;     // what MsgBox returns when it is pressed
    };

    std::vector<Button> buttons; // in the order the desktop shows them, left to right
    Icon icon = Icon::None;
    int defaultButton = 0;         // index into buttons
    std::optional<int> escapeCode; // what Escape answers; none on a Yes/No box
};

// Buttons 0-6 in the low bits, icons 16/32/48/64, 256/512 for the second/third default
// button. An unknown button group reads as OK only.
MsgBoxLayout decodeMsgBoxStyle(int style);

} // namespace carnelis
