#pragma once
// The filter a person sets in the chooser, read from the command line, for the commands
// that apply it (filtre, rapport).
#include "SelectionState.h"

#include <QStringList>

namespace carnelis {

// A command line the companion cannot read: exit status 2.
struct UsageError {
    QString text;
};

struct FilterOptions {
    SelectionState selection; // ColonneTri and the criteria, as the chooser stores them
    QStringList positional;   // the arguments that are not options, in order
    bool queryOnly = false;   // --requete-seule
};

// Reads --colonne 0..6, --condition, --critere, --cote = | > | <, --valeur and, where
// allowed, --requete-seule; the criterion is upper-cased and the value read as a number
// (decimal comma or point), through the same code as the chooser. Throws UsageError.
FilterOptions readFilterOptions(const QStringList &arguments, bool allowQueryOnly);

// The query text the table view runs for the selection (NomTable set). Throws UsageError
// for a column without one of the ten conditions.
QString filterQuery(const SelectionState &selection);

} // namespace carnelis
