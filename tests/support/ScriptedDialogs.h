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
                             const std::optional<QString> &title = std::nullopt);
    static DialogCall inputBox(const QString &prompt);
    static DialogCall beep();
    static DialogCall cursor(int x, int y);
    static DialogCall openDocument(const QString &path);

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

    void setToday(const QString &mmddyyyy) { today_ = mmddyyyy; }
    void setAppPath(const QString &folder) { appPath_ = folder; }
    void setOpenDocumentResult(bool result) { openResult_ = result; }
    const QStringList &openedDocuments() const { return opened_; }

    int MsgBox(const QString &prompt, int style = vb::OKOnly,
               const std::optional<QString> &title = std::nullopt) override;
    QString InputBox(const QString &prompt) override;
    void Beep() override;
    void SetCursorPos(int x, int y) override;
    QString Today() override { return today_; }
    QString AppPath() override;
    bool OpenDocument(const QString &path) override;

private:
    std::deque<int> msgBoxAnswers_;
    std::deque<QString> inputAnswers_;
    std::vector<DialogCall> transcript_;
    QString today_ = QStringLiteral("12-05-2026");
    std::optional<QString> appPath_;
    bool openResult_ = true;
    QStringList opened_;
};

} // namespace carnelis
