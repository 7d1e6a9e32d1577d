#pragma once
// One corpus of files that are no sound collection, for every level that opens a file.
#include <QString>
#include <vector>

namespace carnelis::test {

struct BadFile {
    QString path;
    int number;       // what the engine answers to opening it and reading its TIMBRES
    const char *says; // a part of that answer's text
};

// Writes the corpus into the folder: a file missing, a folder, empty, text, random bytes,
// Access headers over nothing, a collection cut short or with a page overwritten, one
// without the table. Cut from a sound collection BON.MDB (one TIMBRES row), left beside them.
std::vector<BadFile> writeBadFiles(const QString &folder);

// SQLite's own check of a file: "ok" when it is sound.
QString integrityOf(const QString &path);

} // namespace carnelis::test
