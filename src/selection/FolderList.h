#pragma once
#include <QListWidget>

namespace carnelis {

class RuntimeError;

// The error a folder that cannot be read gives, by the system's error number: 68 the
// device is gone, 70 permission denied, 71 no medium, 72 a medium error, 76 otherwise.
RuntimeError folderError(const QString &folder, int errnoValue);

// A folder list box: the current folder's ancestors from the root down, the current
// folder, then its subfolders. Opening an entry (double click, Enter) asks for that
// folder through openRequested; writing Path shows a folder and raises Change before
// the write returns.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget *parent = nullptr);

    // "/" for the root, no trailing separator for any other folder.
    const QString &Path() const { return path_; }
    // Throws RuntimeError (see folderError) when the folder cannot be read; the list
    // then stays where it was and Change is not raised.
    void setPath(const QString &folder);
    // The folder the window opens on, without raising Change; the root when it cannot
    // be read.
    void showInitially(const QString &folder);

    // The full path of the entry in the given row.
    QString folderAt(int row) const;

signals:
    void Change();
    void openRequested(const QString &folder);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void show(const QString &folder);

    QString path_;
};

} // namespace carnelis
