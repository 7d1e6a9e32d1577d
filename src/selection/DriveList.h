#pragma once
#include <QComboBox>

namespace carnelis {

// The places a person starts from: the root, the home folder and every mounted volume
// under /media, /mnt or /run/media (USB keys, disks), never the system's pseudo file
// systems. Picking an entry, or selecting one by index from code, raises Change at once
// when the selection changes.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget *parent = nullptr);

    static QStringList discoverDrives();
    // The candidates a person can start from: folders that exist, none of them hidden.
    static QStringList usable(const QStringList &candidates);

    // Replaces the entries without raising Change.
    void setDrives(const QStringList &drives);
    // The entry that holds the folder (the longest one that contains it), selected
    // without raising Change.
    void selectDriveOf(const QString &folder);

    // The selected drive, as a folder the folder list accepts.
    QString Drive() const;
    int ListIndex() const { return currentIndex(); }
    void setListIndex(int index) { setCurrentIndex(index); }

signals:
    void Change();

private:
    bool quiet_ = false;
};

} // namespace carnelis
