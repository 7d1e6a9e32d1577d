#pragma once
#include <QString>

namespace carnelis {

// True when the name reads as one plain Jet name: a letter (accented letters too) or
// underscore first, then letters, digits and underscores, and not a reserved word.
bool isPlainJetName(const QString &name);

// The name as it must stand in a query: unchanged when plain, in square brackets
// otherwise.
QString jetName(const QString &name);

// Words the query language keeps for itself.
bool isJetReservedWord(const QString &word);

} // namespace carnelis
