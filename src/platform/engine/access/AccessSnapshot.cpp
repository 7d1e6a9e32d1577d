#include "AccessSnapshot.h"

#include "RuntimeError.h"
#include "SnapshotProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <tuple>

namespace carnelis::access {

namespace {

struct Version {
    QString path; // canonical, so two spellings of one file share a snapshot
    qint64 size = 0;
    qint64 modifiedNs = 0;
    bool operator<(const Version &other) const
    {
        return std::tie(path, size, modifiedNs) < std::tie(other.path, other.size, other.modifiedNs);
    }
};

// The snapshots of this run, in one temporary folder that goes with the program.
class SnapshotCache {
public:
    QString snapshotOf(const QString &path)
    {
        const Version version = versionOf(path);
        std::lock_guard lock(mutex_);
        auto known = snapshots_.find(version);
        if (known != snapshots_.end() && QFileInfo::exists(known->second))
            return known->second;

        const QString target = folder().filePath(QStringLiteral("copie-%1.sqlite").arg(++made_));
        runSnapshotHelper(path, target);
        QFile::setPermissions(target, QFileDevice::ReadOwner);
        forgetOlderVersions(version.path);
        snapshots_[version] = target;
        return target;
    }

private:
    static Version versionOf(const QString &path)
    {
        const QFileInfo info(path);
        struct stat st;
        if (!info.exists() || stat(QFile::encodeName(path).constData(), &st) != 0)
            throw RuntimeError(err::CannotOpen, QStringLiteral("Le fichier « %1 » est introuvable.").arg(path));
        return {info.canonicalFilePath(), qint64(st.st_size),
                qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    }

    QDir folder()
    {
        if (!dir_) {
            dir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/carnelis-XXXXXX"));
            if (!dir_->isValid()) {
                dir_.reset();
                throw RuntimeError(
                    err::CannotOpen,
                    QStringLiteral("Impossible de créer le dossier temporaire où lire le fichier Access."));
            }
        }
        return QDir(dir_->path());
    }

    // A file that changed gets a new snapshot; the old one is of no more use.
    void forgetOlderVersions(const QString &canonicalPath)
    {
        for (auto it = snapshots_.begin(); it != snapshots_.end();) {
            if (it->first.path == canonicalPath) {
                QFile::remove(it->second);
                it = snapshots_.erase(it);
            } else {
                ++it;
            }
        }
    }

    std::mutex mutex_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::map<Version, QString> snapshots_;
    int made_ = 0;
};

SnapshotCache &cache()
{
    static SnapshotCache instance; // its destructor removes the folder when the program ends
    return instance;
}

} // namespace

QString openSnapshot(const QString &path) { return cache().snapshotOf(path); }

} // namespace carnelis::access
