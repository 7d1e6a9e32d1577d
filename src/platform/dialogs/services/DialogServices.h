#pragma once
#include <QString>
#include <optional>

namespace carnelis {

// Published message-box values: styles are summed, answers are the codes of the button.
namespace vb {
inline constexpr int OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5,
                     CancelTryContinue = 6;
inline constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
inline constexpr int DefaultButton2 = 256;
inline constexpr int OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7, TryAgain = 10,
                     Continue = 11;
} // namespace vb

// Everything the windows ask of the desktop. The Qt implementation shows real boxes;
// tests use a scripted one that answers from a queue and keeps a transcript.
class DialogServices {
public:
    virtual ~DialogServices() = default;

    // A modal box; no title shows "CARNELIS". Returns the code of the button pressed.
    virtual int MsgBox(const QString &prompt, int style = vb::OKOnly,
                       const std::optional<QString> &title = std::nullopt) = 0;
    // A modal one-line entry titled "CARNELIS", empty at first; "" on Cancel.
    virtual QString InputBox(const QString &prompt) = 0;
    virtual void Beep() = 0;
    virtual void SetCursorPos(int x, int y) = 0;
    // Today as MM-DD-YYYY.
    virtual QString Today() = 0;
    // The folder of the executable, without a trailing separator (except for the root).
    virtual QString AppPath() = 0;
    // Opens a document with the desktop's associated viewer; false when the file is
    // missing or nothing could open it.
    virtual bool OpenDocument(const QString &path) = 0;
};

} // namespace carnelis
