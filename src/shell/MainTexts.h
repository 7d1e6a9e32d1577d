#pragma once
// The fixed texts of the main window and of its help and About boxes, and the one rule
// that turns the program's folder into the prefix of the help page's path.
#include "DialogServices.h"

#include <QString>
#include <QStringList>

namespace carnelis::shell {

// The program's folder with exactly one trailing separator: the root "/" stays "/".
QString withTrailingSeparator(const QString &folder);

// The five welcome lines, in order; every blank counts.
QStringList welcomeLines();
// The welcome lines joined by CR LF, nothing before the first or after the last.
QString welcomeText();
// The warning about copying published catalogue values.
QString warningText();

// "CARNELIS  -  " + the credit + " 12/2003".
QString windowCaption();
QString titleCaption();

// The menu bar entries.
QString menuBase();
QString menuLire();
QString menuPropos();
QString menuQuitter();

// The help page, beside the executable.
QString helpFileName();
QString helpMissingPrompt();
QString helpMissingTitle();
inline constexpr int helpMissingStyle = vb::Exclamation + vb::CancelTryContinue;

// The About box: five lines, the last one empty.
QString aboutText();
QString aboutTitle();
inline constexpr int aboutStyle = vb::Information + vb::OKOnly;

} // namespace carnelis::shell
