// A genuine Access file through the engine, as the windows and carnelis-base use it:
// the chooser's tables, queries of the query builder, and every write refused.
#include "Engine.h"
#include "JetSamples.h"

#include <QTemporaryDir>

using namespace carnelis;
using carnelis::test::jetSample;
using carnelis::test::readAll;
using carnelis::test::writeAll;

namespace {

TEST(GenuineAccess, TableDefsGiveTheFilesTablesWithTheirRealAttributes)
{
    SKIP_WITHOUT_JET_SAMPLES();
    auto db = DBEngine::OpenDatabase(jetSample(QStringLiteral("testUnicodeCompV2003.mdb")));
    EXPECT_TRUE(db->isGenuineAccess());
    EXPECT_TRUE(db->isReadOnly());
    QStringList user;
    int32_t navPane = 0;
    for (const TableDef &t : db->TableDefs()) {
        if (t.Attributes == 0)
            user << t.Name;
        if (t.Name == QStringLiteral("MSysNavPaneGroups"))
            navPane = t.Attributes;
    }
    EXPECT_EQ(user, QStringList{QStringLiteral("Table")});
    EXPECT_NE(navPane, 0);
}

TEST(GenuineAccess, QueriesRunAndWritesAreRefusedLeavingTheFileAlone)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("INDEX.MDB"));
    writeAll(file, readAll(jetSample(QStringLiteral("testIndexCodesV1997.mdb"))));
    const QByteArray before = readAll(file);

    DataControl data;
    data.DatabaseName = file;
    data.RecordSource = QStringLiteral("SELECT * FROM Table11 WHERE INSTR(data, 'ä') > 0 ORDER BY id");
    data.Refresh();
    Recordset &rs = *data.recordset();
    ASSERT_GE(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Fields(QStringLiteral("DATA")), Value(QStringLiteral("aäa")));
    EXPECT_EQ(rs.Fields(QStringLiteral("id")), Value(48));
    EXPECT_TRUE(rs.isReadOnly());

    EXPECT_THROW(
        {
            rs.Edit();
            rs.setField(QStringLiteral("data"), Value(QStringLiteral("x")));
            rs.Update();
        },
        RuntimeError);
    rs.CancelUpdate();
    EXPECT_THROW(rs.Delete(), RuntimeError);
    data.database()->Close();
    EXPECT_EQ(readAll(file), before);
}

} // namespace
