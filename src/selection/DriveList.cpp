#include "DriveList.h"

#include <QDir>
#include <QFileInfo>

#include <QStorageInfo>
#include <algorithm>

namespace carnelis {

namespace {

bool isUnder(const QString &folder, const QString &root)
{
    return root == QStringLiteral("/") || folder == root || folder.startsWith(root + u'/');
}

} // namespace

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!quiet_)
            emit Change();
    });
}

QStringList DriveList::discoverDrives()
{
    QStringList drives{QStringLiteral("/"), QDir::cleanPath(QDir::homePath())};
    static const QStringList mountFolders{QStringLiteral("/media"), QStringLiteral("/mnt"),
                                          QStringLiteral("/run/media")};
    static const QStringList pseudo{QStringLiteral("tmpfs"),    QStringLiteral("proc"),   QStringLiteral("sysfs"),
                                    QStringLiteral("devtmpfs"), QStringLiteral("autofs"), QStringLiteral("overlay"),
                                    QStringLiteral("squashfs")};
    QStringList volumes;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::cleanPath(volume.rootPath());
        if (pseudo.contains(QString::fromLatin1(volume.fileSystemType())))
            continue;
        for (const QString &mountFolder : mountFolders)
            if (root.startsWith(mountFolder + u'/') && !volumes.contains(root) && !drives.contains(root))
                volumes << root;
    }
    volumes.sort(Qt::CaseInsensitive);
    drives += volumes;
    drives.removeDuplicates(); // a home folder that is the root itself
    return usable(drives);
}

QStringList DriveList::usable(const QStringList &candidates)
{
    QStringList drives;
    for (const QString &drive : candidates) {
        const QStringList parts = drive.split(u'/', Qt::SkipEmptyParts);
        const bool hidden =
            std::any_of(parts.begin(), parts.end(), [](const QString &part) { return part.startsWith(u'.'); });
        if (!hidden && QFileInfo(drive).isDir())
            drives << drive;
    }
    return drives;
}

void DriveList::setDrives(const QStringList &drives)
{
    quiet_ = true;
    clear();
    addItems(drives);
    quiet_ = false;
}

void DriveList::selectDriveOf(const QString &folder)
{
    const QString target = QDir::cleanPath(folder);
    int best = -1;
    for (int i = 0; i < count(); ++i)
        if (isUnder(target, itemText(i)) && (best < 0 || itemText(i).size() > itemText(best).size()))
            best = i;
    quiet_ = true;
    setCurrentIndex(best);
    quiet_ = false;
}

QString DriveList::Drive() const { return currentText(); }

} // namespace carnelis
