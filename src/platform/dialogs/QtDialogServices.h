#pragma once
#include "DialogServices.h"

namespace carnelis {

// The real desktop: Qt message and input boxes, the system sound, the pointer.
class QtDialogServices : public DialogServices {
public:
    int MsgBox(const QString &prompt, int style = vb::OKOnly,
               const std::optional<QString> &title = std::nullopt) override;
    QString InputBox(const QString &prompt) override;
    void Beep() override;
    void SetCursorPos(int x, int y) override;
    QString Today() override;
    QString AppPath() override;
    bool OpenDocument(const QString &path) override;
};

// The title every box without one of its own shows.
inline constexpr const char *applicationTitle = "CARNELIS";

} // namespace carnelis
