#include "FolderList.h"

#include "RuntimeError.h"

#include <QDir>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <cerrno>
#include <dirent.h>

namespace carnelis {

namespace {

constexpr int LevelRole = Qt::UserRole + 1;
constexpr int PathRole = Qt::UserRole + 2;
constexpr int IndentPixels = 8;

// Ancestors, current folder and subfolders stand one step further right per level.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.adjust(index.data(LevelRole).toInt() * IndentPixels, 0, 0, 0);
        QStyledItemDelegate::paint(painter, shifted, index);
    }
};

QString normalised(const QString &folder) { return QDir::cleanPath(QDir(folder).absolutePath()); }

void checkReadable(const QString &folder)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        throw folderError(folder, errno);
    ::closedir(dir);
}

} // namespace

RuntimeError folderError(const QString &folder, int errnoValue)
{
    switch (errnoValue) {
    case ENOENT:
    case ENOTDIR:
    case ENXIO:
    case ENODEV:
        return RuntimeError(err::DeviceUnavailable, QStringLiteral("Périphérique non disponible : ") + folder);
    case EACCES:
    case EPERM:
        return RuntimeError(err::PermissionDenied, QStringLiteral("Permission refusée : ") + folder);
    case ENOMEDIUM:
        return RuntimeError(err::DiskNotReady, QStringLiteral("Disque non prêt : ") + folder);
    case EIO:
        return RuntimeError(err::DiskMediumError, QStringLiteral("Erreur de support du disque : ") + folder);
    default:
        return RuntimeError(err::PathNotFound, QStringLiteral("Chemin d'accès introuvable : ") + folder);
    }
}

FolderList::FolderList(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { emit openRequested(item->data(PathRole).toString()); });
}

QString FolderList::folderAt(int row) const
{
    const QListWidgetItem *entry = item(row);
    return entry ? entry->data(PathRole).toString() : QString();
}

void FolderList::setPath(const QString &folder)
{
    const QString target = normalised(folder);
    try {
        checkReadable(target);
    } catch (const RuntimeError &) {
        // The entry clicked stays no longer chosen: the list shows again the folder whose
        // files are listed.
        if (!path_.isEmpty())
            show(path_);
        throw;
    }
    show(target);
    emit Change();
}

void FolderList::showInitially(const QString &folder)
{
    QString target = normalised(folder);
    try {
        checkReadable(target);
    } catch (const RuntimeError &) {
        target = QStringLiteral("/");
    }
    show(target);
}

void FolderList::show(const QString &folder)
{
    path_ = folder;
    clear();

    // Ancestors from the root down to the current folder, which stays selected.
    QStringList parts = folder.split(u'/', Qt::SkipEmptyParts);
    QString walked = QStringLiteral("/");
    auto add = [this](const QString &text, const QString &path, int level, QStyle::StandardPixmap icon) {
        auto *entry = new QListWidgetItem(style()->standardIcon(icon), text, this);
        entry->setData(PathRole, path);
        entry->setData(LevelRole, level);
        return entry;
    };
    QListWidgetItem *current = add(QStringLiteral("/"), walked, 0, QStyle::SP_DirOpenIcon);
    for (int level = 0; level < parts.size(); ++level) {
        walked = walked == QStringLiteral("/") ? walked + parts[level] : walked + u'/' + parts[level];
        current = add(parts[level], walked, level + 1, QStyle::SP_DirOpenIcon);
    }

    // Subfolders, the visible ones first and the hidden ones after them, each by name.
    QDir dir(folder);
    const QFileInfoList subfolders =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (bool hidden : {false, true})
        for (const QFileInfo &info : subfolders)
            if (info.fileName().startsWith(u'.') == hidden)
                add(info.fileName(), info.absoluteFilePath(), int(parts.size()) + 1, QStyle::SP_DirClosedIcon);

    setCurrentItem(current);
    current->setSelected(true);
}

void FolderList::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        emit openRequested(currentItem()->data(PathRole).toString());
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace carnelis
