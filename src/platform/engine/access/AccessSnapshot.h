#pragma once
// How the engine reads a genuine Access file: never itself, always through a snapshot
// made by a helper process (see SnapshotFormat.h for what the snapshot holds).
#include <QString>

namespace carnelis::access {

// The path of an SQLite snapshot of the genuine Access file at `path`, to be opened read
// only. It is made once per file and version (path, size, modification time) during a
// run, and every snapshot is removed when the program ends. Throws RuntimeError for a
// missing, damaged or unreadable file.
QString openSnapshot(const QString &path);

} // namespace carnelis::access
