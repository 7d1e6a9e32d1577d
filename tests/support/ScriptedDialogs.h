#pragma once
// The desktop as tests see it: boxes and prompts answer from queues the test fills,
// every call is written down in order, and a box nobody expected fails the test.
#include "DialogServices.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <iosfwd>
#include <optional>
#include <vector>

namespace carnelis {

struct DialogCall {
    enum class Kind { MsgBox, InputBox, Beep, SetCursorPos, OpenDocument };

    Kind kind = Kind::Beep;
    QString prompt; // the prompt of a box, or the path of a document
    int style = 0;
    std::optional<QString> title;
    int x = 0;
    int y = 0;

    static DialogCall msgBox(const QString &prompt, int style = vb::OKOnly,
                             const std::optional<QString> &title = std::nullopt)
    {
        return {Kind::MsgBox, prompt, style, title, 0, 0};
    }
    static DialogCall inputBox(const QString &prompt) { return {Kind::InputBox, prompt, 0, {}, 0, 0}; }
    static DialogCall beep() { return {}; }
    static DialogCall cursor(int x, int y) { return {Kind::SetCursorPos, {}, 0, {}, x, y}; }
    static DialogCall openDocument(const QString &path) { return {Kind::OpenDocument, path, 0, {}, 0, 0}; }

    bool operator==(const DialogCall &other) const = default;
};

// Readable failures in gtest comparisons of transcripts.
void PrintTo(const DialogCall &call, std::ostream *os);

class ScriptedDialogs : public DialogServices {
public:
    // The answers of the next boxes and prompts, in order.
    void answerMsgBox(int code) { msgBoxAnswers_.push_back(code); }
    void answerInput(const QString &text) { inputAnswers_.push_back(text); }

    const std::vector<DialogCall> &transcript() const { return transcript_; }
    // Only the message boxes of the transcript.
    std::vector<DialogCall> boxes() const;
    void clearTranscript() { transcript_.clear(); }
    // Answers queued but never asked for: a box the test expected did not come.
    int unusedAnswers() const { return int(msgBoxAnswers_.size() + inputAnswers_.size()); }

    void setAppPath(const QString &folder) { appPath_ = folder; }
    void setOpenDocumentResult(bool result) { openResult_ = result; }

    int MsgBox(const QString &prompt, int style = vb::OKOnly,
               const std::optional<QString> &title = std::nullopt) override;
    QString InputBox(const QString &prompt) override;
    void Beep() override { transcript_.push_back(DialogCall::beep()); }
    void SetCursorPos(int x, int y) override { transcript_.push_back(DialogCall::cursor(x, y)); }
    QString Today() override { return QStringLiteral("12-05-2026"); }
    QString AppPath() override;
    bool OpenDocument(const QString &path) override
    {
        transcript_.push_back(DialogCall::openDocument(path));
        return openResult_;
    }

private:
    std::deque<int> msgBoxAnswers_;
    std::deque<QString> inputAnswers_;
    std::vector<DialogCall> transcript_;
    std::optional<QString> appPath_;
    bool openResult_ = true;
};

} // namespace carnelis
