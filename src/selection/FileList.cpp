#include "FileList.h"

#include <QDir>

namespace carnelis {

FileList::FileList(QWidget *parent) : ClickList(parent) {}

void FileList::setPattern(const QString &pattern)
{
    pattern_ = pattern;
    reload(FileName());
}

void FileList::setPath(const QString &folder)
{
    // The click on a file writes the folder it already shows: the list must stay as it
    // is, with the clicked name selected (and the clicked entry alive).
    if (folder == path_)
        return;
    path_ = folder;
    reload(QString());
}

void FileList::reload(const QString &keepSelected)
{
    clear();
    if (path_.isEmpty())
        return;
    QDir dir(path_);
    dir.setNameFilters({pattern_}); // name filters ignore case unless told otherwise
    dir.setFilter(QDir::Files | QDir::NoDotAndDotDot);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    for (const QString &name : dir.entryList()) {
        auto *item = new QListWidgetItem(name, this);
        if (name == keepSelected) {
            setCurrentItem(item);
            item->setSelected(true);
        }
    }
}

} // namespace carnelis
