#include "EngineFixture.h"

#include <QFile>

using namespace carnelis;
using namespace carnelis::test;

namespace {

using Engine = EngineFixture;

TEST_F(Engine, ListsTablesByNameWithoutRegardToCaseAndMarksSqliteOwnTables)
{
    const QString path = makeCollection("timbres", {});
    writeCollection(path, "MONNAIES", {});
    writeCollection(path, "Adresses", {}, {{"NOM", "TEXT"}, {"VILLE", "TEXT"}});
    // An AUTOINCREMENT table makes SQLite keep its own sqlite_sequence table; a view is
    // no table at all.
    rawSql(path, "CREATE TABLE journal (id INTEGER PRIMARY KEY AUTOINCREMENT, texte TEXT);"
                 "INSERT INTO journal (texte) VALUES ('x');"
                 "CREATE VIEW chers AS SELECT * FROM MONNAIES WHERE COTE > 100");
    std::vector<std::pair<QString, int32_t>> got;
    for (const TableDef &t : DBEngine::OpenDatabase(path)->TableDefs())
        got.emplace_back(t.Name, t.Attributes);
    EXPECT_EQ(
        got,
        decltype(got)(
            {{"Adresses", 0}, {"journal", 0}, {"MONNAIES", 0}, {"sqlite_sequence", dbSystemObject}, {"timbres", 0}}));
}

TEST_F(Engine, NamesWithAccentsPlainAndAnyNameInBrackets)
{
    const QString path = makeCollection("TIMBRES_ÉTÉ", {row("1", "Cérès", {}, {}, 2.0)});
    writeCollection(path, "L'ANNÉE 1900", {row("7", "Semeuse", {}, {}, 3.0)});
    EXPECT_EQ(column(*query(path, "SELECT * FROM timbres_été WHERE Timbres_Été.designation = ('CÉRÈS')"), "NUMERO"),
              QStringList({"1"}));
    EXPECT_EQ(column(*query(path, "SELECT * FROM [L'ANNÉE 1900] WHERE [L'ANNÉE 1900].[COTE] > 2 ORDER BY [NUMERO]"),
                     "NUMERO"),
              QStringList({"7"}));
}

} // namespace
