#include "FileKind.h"

#include <QFile>

#include <cstring>

namespace carnelis {

namespace {

uint32_t bigEndian(const char *p, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}

} // namespace

FileKind recognizeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileKind::Unknown;
    const QByteArray head = file.read(100);
    const qint64 size = file.size();

    if (head.size() >= 19) {
        const QByteArray signature = head.mid(4, 15);
        if (signature == "Standard Jet DB" || signature == "Standard ACE DB")
            return FileKind::GenuineAccess;
    }
    if (head.size() < 100 || std::memcmp(head.constData(), "SQLite format 3\0", 16) != 0)
        return FileKind::Unknown;

    // Page size: a power of two from 512 to 65536 (stored as 1 for 65536).
    uint32_t pageSize = bigEndian(head.constData() + 16, 2);
    if (pageSize == 1)
        pageSize = 65536;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return FileKind::Damaged;
    if (size < qint64(pageSize))
        return FileKind::Damaged;
    // The page count in the header is trusted only when it was written by the same change
    // as the header itself; then a shorter file has lost its end.
    const uint32_t pages = bigEndian(head.constData() + 28, 4);
    const uint32_t changeCounter = bigEndian(head.constData() + 24, 4);
    const uint32_t validFor = bigEndian(head.constData() + 92, 4);
    if (pages != 0 && changeCounter == validFor && size < qint64(pages) * pageSize)
        return FileKind::Damaged;
    return FileKind::Sqlite;
}

} // namespace carnelis
