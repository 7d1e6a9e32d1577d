#include "ScriptedDialogs.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <ostream>

namespace carnelis {

void PrintTo(const DialogCall &call, std::ostream *os)
{
    static const char *const kinds[] = {"MsgBox", "InputBox", "Beep", "SetCursorPos", "OpenDocument"};
    *os << kinds[int(call.kind)] << "(\"" << call.prompt.toStdString() << "\", style " << call.style << ", "
        << (call.title ? '"' + call.title->toStdString() + '"' : "no title") << ", at " << call.x << ", " << call.y
        << ")";
}

std::vector<DialogCall> ScriptedDialogs::boxes() const
{
    std::vector<DialogCall> result;
    std::copy_if(transcript_.begin(), transcript_.end(), std::back_inserter(result),
                 [](const DialogCall &call) { return call.kind == DialogCall::Kind::MsgBox; });
    return result;
}

int ScriptedDialogs::MsgBox(const QString &prompt, int style, const std::optional<QString> &title)
{
    transcript_.push_back(DialogCall::msgBox(prompt, style, title));
    if (msgBoxAnswers_.empty()) {
        ADD_FAILURE() << "Unexpected message box: \"" << prompt.toStdString() << "\" (style " << style << ")";
        // What Escape would answer: the harmless way out.
        switch (style & 0xF) {
        case vb::OKOnly:
            return vb::OK;
        case vb::AbortRetryIgnore:
            return vb::Abort;
        case vb::YesNo:
            return vb::No;
        default:
            return vb::Cancel;
        }
    }
    const int answer = msgBoxAnswers_.front();
    msgBoxAnswers_.pop_front();
    return answer;
}

QString ScriptedDialogs::InputBox(const QString &prompt)
{
    transcript_.push_back(DialogCall::inputBox(prompt));
    if (inputAnswers_.empty()) {
        ADD_FAILURE() << "Unexpected input box: \"" << prompt.toStdString() << "\"";
        return {};
    }
    QString answer = inputAnswers_.front();
    inputAnswers_.pop_front();
    return answer;
}

QString ScriptedDialogs::AppPath() { return appPath_ ? *appPath_ : QCoreApplication::applicationDirPath(); }

} // namespace carnelis
