#pragma once
// The work of the helper process: the whole Access file into a new SQLite file.
#include <string>

namespace carnelis::access {

// Reads `source` (never writing it) and creates `target`, which must not exist.
// Throws ReadError with a French text; a failed run leaves no target behind.
void writeSnapshot(const std::string &source, const std::string &target);

} // namespace carnelis::access
