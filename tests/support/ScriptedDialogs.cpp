#include "ScriptedDialogs.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <ostream>

namespace carnelis {

DialogCall DialogCall::msgBox(const QString &prompt, int style, const std::optional<QString> &title)
{
    return {Kind::MsgBox, prompt, style, title, 0, 0};
}

DialogCall DialogCall::inputBox(const QString &prompt) { return {Kind::InputBox, prompt, 0, std::nullopt, 0, 0}; }

DialogCall DialogCall::beep() { return {Kind::Beep, {}, 0, std::nullopt, 0, 0}; }

DialogCall DialogCall::cursor(int x, int y) { return {Kind::SetCursorPos, {}, 0, std::nullopt, x, y}; }

DialogCall DialogCall::openDocument(const QString &path) { return {Kind::OpenDocument, path, 0, std::nullopt, 0, 0}; }

void PrintTo(const DialogCall &call, std::ostream *os)
{
    switch (call.kind) {
    case DialogCall::Kind::MsgBox:
        *os << "MsgBox(\"" << call.prompt.toStdString() << "\", " << call.style << ", ";
        if (call.title)
            *os << '"' << call.title->toStdString() << '"';
        else
            *os << "no title";
        *os << ")";
        break;
    case DialogCall::Kind::InputBox:
        *os << "InputBox(\"" << call.prompt.toStdString() << "\")";
        break;
    case DialogCall::Kind::Beep:
        *os << "Beep";
        break;
    case DialogCall::Kind::SetCursorPos:
        *os << "SetCursorPos(" << call.x << ", " << call.y << ")";
        break;
    case DialogCall::Kind::OpenDocument:
        *os << "OpenDocument(\"" << call.prompt.toStdString() << "\")";
        break;
    }
}

std::vector<DialogCall> ScriptedDialogs::boxes() const
{
    std::vector<DialogCall> result;
    for (const DialogCall &call : transcript_)
        if (call.kind == DialogCall::Kind::MsgBox)
            result.push_back(call);
    return result;
}

namespace {

// What Escape would answer on a box of this style: the harmless way out.
int escapeAnswer(int style)
{
    switch (style & 0xF) {
    case vb::OKCancel:
    case vb::YesNoCancel:
    case vb::RetryCancel:
    case vb::CancelTryContinue:
        return vb::Cancel;
    case vb::AbortRetryIgnore:
        return vb::Abort;
    case vb::YesNo:
        return vb::No;
    default:
        return vb::OK;
    }
}

} // namespace

int ScriptedDialogs::MsgBox(const QString &prompt, int style, const std::optional<QString> &title)
{
    transcript_.push_back(DialogCall::msgBox(prompt, style, title));
    if (msgBoxAnswers_.empty()) {
        ADD_FAILURE() << "Unexpected message box: \"" << prompt.toStdString() << "\" (style " << style << ")";
        return escapeAnswer(style);
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

void ScriptedDialogs::Beep() { transcript_.push_back(DialogCall::beep()); }

void ScriptedDialogs::SetCursorPos(int x, int y) { transcript_.push_back(DialogCall::cursor(x, y)); }

QString ScriptedDialogs::AppPath() { return appPath_ ? *appPath_ : QCoreApplication::applicationDirPath(); }

bool ScriptedDialogs::OpenDocument(const QString &path)
{
    transcript_.push_back(DialogCall::openDocument(path));
    opened_.push_back(path);
    return openResult_;
}

} // namespace carnelis
