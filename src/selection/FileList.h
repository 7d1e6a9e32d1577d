#pragma once
#include "ClickList.h"

namespace carnelis {

// The names of one folder's files that match a pattern, without regard to case; the
// selected name carries no folder.
class FileList : public ClickList {
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);

    void setPattern(const QString &pattern);
    // The folder shown: "/" for the root, no trailing separator for any other folder.
    const QString &Path() const { return path_; }
    // Shows another folder's names, none selected; the folder already shown is left as
    // it is.
    void setPath(const QString &folder);
    // The selected name, or "" when none is selected.
    QString FileName() const { return Text(); }

private:
    void reload(const QString &keepSelected);

    QString pattern_ = QStringLiteral("*.*");
    QString path_;
};

} // namespace carnelis
