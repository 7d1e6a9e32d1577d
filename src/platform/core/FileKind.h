#pragma once
// What a file is, told by its first bytes and never by its name.
#include <QString>

namespace carnelis {

enum class FileKind {
    Sqlite,        // a sound SQLite header, the file as long as the header says
    GenuineAccess, // "Standard Jet DB" / "Standard ACE DB" at offset 4
    Damaged,       // an SQLite header, but the file is shorter than it claims
    Unknown,       // anything else: text, random bytes, an empty file
};

FileKind recognizeFile(const QString &path);

} // namespace carnelis
