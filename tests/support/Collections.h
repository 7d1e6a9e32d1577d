#pragma once
// Collection files written from a small table literal, the way every test makes them.
#include "CollectionFile.h"

#include <QString>
#include <vector>

namespace carnelis::test {

using Rows = std::vector<std::vector<Value>>;

// A row of the six collection columns.
inline std::vector<Value> row(const Value &numero, const Value &designation = {}, const Value &couleur = {},
                              const Value &etat = {}, const Value &cote = {}, const Value &divers = {})
{
    return {numero, designation, couleur, etat, cote, divers};
}

// Creates the table (with the collection's columns unless told otherwise) in the file,
// made if missing, fills it through the engine and hands back the path.
QString writeCollection(const QString &path, const QString &table, const Rows &rows,
                        const std::vector<ColumnDef> &columns = collectionColumns());

// SQL run straight through SQLite, for files shaped in ways the engine itself never
// writes (a text slipped into COTE, a view, SQLite's own tables).
void rawSql(const QString &path, const QString &sql);

} // namespace carnelis::test
