#include "MsgBoxStyle.h"

#include "DialogServices.h"

namespace carnelis {

namespace {

MsgBoxLayout::Button button(int code)
{
    switch (code) {
    case vb::OK:
        return {QStringLiteral("OK"), code};
    case vb::Cancel:
        return {QStringLiteral("Annuler"), code};
    case vb::Abort:
        return {QStringLiteral("&Abandonner"), code};
    case vb::Retry:
        return {QStringLiteral("&Réessayer"), code};
    case vb::Ignore:
        return {QStringLiteral("&Ignorer"), code};
    case vb::Yes:
        return {QStringLiteral("&Oui"), code};
    case vb::No:
        return {QStringLiteral("&Non"), code};
    case vb::TryAgain:
        return {QStringLiteral("&Recommencer"), code};
    default:
        return {QStringLiteral("&Continuer"), code};
    }
}

} // namespace

MsgBoxLayout decodeMsgBoxStyle(int style)
{
    MsgBoxLayout layout;
    std::vector<int> codes;
    switch (style & 0xF) {
    case vb::OKCancel:
        codes = {vb::OK, vb::Cancel};
        layout.escapeCode = vb::Cancel;
        break;
    case vb::AbortRetryIgnore:
        // Windows answers nothing to Escape here either: only an explicit choice counts.
        codes = {vb::Abort, vb::Retry, vb::Ignore};
        break;
    case vb::YesNoCancel:
        codes = {vb::Yes, vb::No, vb::Cancel};
        layout.escapeCode = vb::Cancel;
        break;
    case vb::YesNo:
        codes = {vb::Yes, vb::No};
        break;
    case vb::RetryCancel:
        codes = {vb::Retry, vb::Cancel};
        layout.escapeCode = vb::Cancel;
        break;
    case vb::CancelTryContinue:
        codes = {vb::Cancel, vb::TryAgain, vb::Continue};
        layout.escapeCode = vb::Cancel;
        break;
    default:
        codes = {vb::OK};
        layout.escapeCode = vb::OK;
        break;
    }
    for (int code : codes)
        layout.buttons.push_back(button(code));

    switch (style & 0xF0) {
    case vb::Critical:
        layout.icon = MsgBoxLayout::Icon::Critical;
        break;
    case vb::Question:
        layout.icon = MsgBoxLayout::Icon::Question;
        break;
    case vb::Exclamation:
        layout.icon = MsgBoxLayout::Icon::Exclamation;
        break;
    case vb::Information:
        layout.icon = MsgBoxLayout::Icon::Information;
        break;
    default:
        break;
    }

    const int wanted = (style >> 8) & 0xF; // 0 first, 1 second, 2 third
    if (wanted < int(layout.buttons.size()))
        layout.defaultButton = wanted;
    return layout;
}

} // namespace carnelis
