#pragma once
// Runs the helper that turns a genuine Access file into an SQLite snapshot, under a time
// and a memory limit, and turns every way it can end badly into a French RuntimeError.
#include <QString>
#include <cstdint>

namespace carnelis::access {

struct SnapshotLimits {
    int timeoutMs = 20000;                  // then the helper is killed
    int64_t memoryBytes = int64_t(1) << 30; // address space of the helper
};

// The helper beside the program, in the installed layout relative to it, or, for a
// program of the build tree, the one built with it.
QString snapshotHelperPath();

// Reads `source` in the helper process and writes the snapshot to `target` (which must
// not exist). On failure the target is removed and a RuntimeError says why.
void runSnapshotHelper(const QString &source, const QString &target, const SnapshotLimits &limits = {});

} // namespace carnelis::access
