#pragma once
#include <QString>

namespace carnelis {

// What CUPS says of a printer's readiness, when it can be asked at all. libcups is
// loaded at run time: a machine without it only loses the paper check.
enum class CupsReadiness { Unknown, Ready, OutOfPaper, Stopped };

CupsReadiness cupsReadiness(const QString &printerName);

// The decision on CUPS's own words, apart so that it can be checked without a printer.
CupsReadiness readinessFromCups(const QString &printerState, const QString &stateReasons);

} // namespace carnelis
