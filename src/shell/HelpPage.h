#pragma once
#include <QString>

namespace carnelis::shell {

// Where the help page is, given the program's folder with its trailing separator: beside
// the program (the build tree) or in the installed data folder. When it is in neither,
// the place beside the program, so that the missing page is reported there.
QString helpPagePath(const QString &programFolder);

} // namespace carnelis::shell
