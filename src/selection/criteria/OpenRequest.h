#pragma once
#include <QString>
#include <optional>

class QLocale;

namespace carnelis {

struct SelectionState;

// One critical box of the open request, always preceded by a beep.
struct Refusal {
    QString prompt;
    int style;
    QString title;
};

// The completeness check: a file selected in the file list, then a table. The file is
// asked for first, so at most one box is shown.
std::optional<Refusal> PiegeFichier(const QString &fichierChoisi, const QString &nomTable);

// A column other than " TOUT" needs a condition value; the single space of the
// emptiness tests counts as one.
std::optional<Refusal> missingSecondCriterion(const SelectionState &selection);

// The readable summary shown under the grid and on the printed report. columnCaption is
// the caption of the chosen column button, with its leading blank; the COTE value is
// written with two decimals and the locale's decimal separator.
QString ResumeCriteres(const QString &columnCaption, const SelectionState &selection, const QLocale &locale);

// The folder as the selection keeps it: one trailing separator dropped, so the root
// folder becomes "" and the database path still has a single separator.
QString folderWithoutTrailingSeparator(const QString &folder);

} // namespace carnelis
