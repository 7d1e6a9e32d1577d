// A genuine Access file through the engine, as the windows and carnelis-base use it:
// the chooser's tables, queries of the query builder, every write refused, and names
// Access allows but SQL must quote.
#include "AccessImport.h"
#include "Engine.h"
#include "JetSamples.h"
#include "TestFiles.h"

#include <QTemporaryDir>

using namespace carnelis;
using carnelis::test::jetSample;

namespace {

TEST(GenuineAccess, TableDefsGiveTheFilesTablesWithTheirRealAttributes)
{
    SKIP_WITHOUT_JET_SAMPLES();
    auto db = DBEngine::OpenDatabase(jetSample("testUnicodeCompV2003.mdb"));
    EXPECT_TRUE(db->isGenuineAccess() && db->isReadOnly());
    QStringList user, other;
    for (const TableDef &t : db->TableDefs())
        (t.Attributes == 0 ? user : other) << t.Name;
    EXPECT_EQ(user, QStringList{"Table"});
    EXPECT_TRUE(other.contains("MSysNavPaneGroups"));
}

TEST(GenuineAccess, QueriesRunAndWritesAreRefusedLeavingTheFileAlone)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QTemporaryDir dir;
    const QString file = dir.filePath("INDEX.MDB");
    test::writeAll(file, test::readAll(jetSample("testIndexCodesV1997.mdb")));
    const QByteArray digest = test::digestOf(file);
    DataControl data;
    data.DatabaseName = file;
    data.RecordSource = "SELECT * FROM Table11 WHERE INSTR(data, 'ä') > 0 ORDER BY id";
    data.Refresh();
    Recordset &rs = *data.recordset();
    ASSERT_GE(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Fields("DATA"), Value("aäa"));
    EXPECT_EQ(rs.Fields("id"), Value(48));
    EXPECT_TRUE(rs.isReadOnly());
    EXPECT_NE(test::thrownBy([&] {
                  rs.Edit();
                  rs.setField("data", Value("x"));
                  rs.Update();
              }).number(),
              0);
    rs.CancelUpdate();
    EXPECT_NE(test::thrownBy([&] { rs.Delete(); }).number(), 0);
    data.database()->Close();
    EXPECT_EQ(test::digestOf(file), digest);
}

// Access takes a " in a table's or a column's name: the snapshot, the native copy and the
// engine's queries must all double it.
TEST(GenuineAccess, AQuoteInATableOrColumnNameIsReadAndImported)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QByteArray bytes = test::genuineCollectionJet3();
    bytes.replace(0x9399, 6, "Tab\"e1"); // Table1's name in MSysObjects
    bytes.replace(bytes.indexOf("DESIGNATION"), 11, "DESIG\"ATION");
    QTemporaryDir dir;
    const QString genuine = dir.filePath("GUILLEMET.MDB"), copy = dir.filePath("COPIE.MDB");
    test::writeAll(genuine, bytes);
    access::importAccessFile(genuine, copy);
    for (const QString &file : {genuine, copy}) {
        DataControl data;
        data.DatabaseName = file;
        data.RecordSource = "SELECT * FROM [Tab\"e1] WHERE [DESIG\"ATION] = 'row3col3'";
        data.Refresh();
        ASSERT_EQ(data.recordset()->RecordCount(), 1) << file;
        EXPECT_EQ(data.recordset()->Fields("DESIG\"ATION"), Value("row3col3"));
        data.database()->Close();
    }
}

} // namespace
