// A genuine Access file through the engine, as the windows and carnelis-base use it: the chooser's
// tables, queries, every write refused, names that SQL must quote; and the importer: a native copy
// of every user table, rows and Nulls kept, the source untouched, an existing target or what is
// not a genuine Access file refused.
#include "AccessSnapshot.h"
#include "Commands.h"
#include "Engine.h"
#include "JetSamples.h"

#include <QTextStream>

using namespace carnelis;
using namespace carnelis::test;

namespace {

class Importer : public ::testing::TestWithParam<const char *> {
protected:
    int run(const QString &source, const QString &target)
    {
        out_ = err_ = QString();
        QTextStream out(&out_), err(&err_);
        return runCommand({"importer", source, target}, out, err);
    }
    QTemporaryDir dir_;
    QString out_, err_;
};

TEST_P(Importer, CopiesEveryUserTableWithItsTypesRowsAndNulls)
{
    SKIP_WITHOUT_JET_SAMPLES();
    const QString source = jetSample(GetParam()), target = dir_.filePath("COPIE.MDB");
    ASSERT_EQ(run(source, target), 0) << err_;
    const QString snapshot = access::openSnapshot(source);
    const QStringList tables = quotedValues(snapshot, "SELECT name FROM \"carnelis.catalogue\" WHERE attributes = 0 "
                                                      "AND rows IS NOT NULL ORDER BY rowid");
    EXPECT_EQ(quotedValues(target, "SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY rowid"), tables);
    for (QString table : tables) {
        table = table.mid(1, table.size() - 2);
        EXPECT_EQ(rowsOf(target, table), rowsOf(snapshot, table)) << table;
        const QString types = "SELECT type FROM pragma_table_info('" + table + "')";
        EXPECT_EQ(quotedValues(target, types), quotedValues(snapshot, types)) << table;
    }
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"COPIE.MDB"});
}

INSTANTIATE_TEST_SUITE_P(Samples, Importer,
                         ::testing::Values("testV1997.mdb", "testIndexCodesV1997.mdb", "testUnicodeCompV2003.mdb",
                                           "fixedNumericTestV2000.mdb", "overflowTestV1997.mdb"));

TEST_F(Importer, PrintsTheRowsCopiedPerTable)
{
    SKIP_WITHOUT_JET_SAMPLES();
    ASSERT_EQ(run(jetSample("testV1997.mdb"), dir_.filePath("T.MDB")), 0);
    EXPECT_EQ(out_, "Table1 : 2 lignes copiées\nTable2 : 0 ligne copiée\n"
                    "Table3 : 0 ligne copiée\nTable4 : 0 ligne copiée\n");
    ASSERT_EQ(run(jetSample("fixedNumericTestV2000.mdb"), dir_.filePath("F.MDB")), 0);
    EXPECT_EQ(out_, "test : 1 ligne copiée\n");
}

TEST_F(Importer, RefusesAnExistingTargetOrWhatIsNotAGenuineAccessFileAndChangesNothing)
{
    SKIP_WITHOUT_JET_SAMPLES();
    const QString kept = dir_.filePath("GARDE.MDB"), notes = dir_.filePath("NOTES.MDB");
    const QString damaged = dir_.filePath("ABIME.MDB"), copy = dir_.filePath("COPIE.MDB");
    test::writeAll(kept, "à garder");
    test::writeAll(notes, "pas une base");
    test::writeAll(damaged, test::patched("testV1997.mdb").left(20000));
    const QStringList files = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);
    const std::tuple<QString, QString, const char *> cases[] = {{jetSample("testV1997.mdb"), kept, "existe déjà"},
                                                                {notes, copy, "n'est pas un fichier Access d'origine"},
                                                                {damaged, copy, "n'a pas pu être lu"},
                                                                {dir_.filePath("ABSENT.MDB"), copy, "introuvable"}};
    for (const auto &[source, target, reason] : cases) {
        EXPECT_EQ(run(source, target), 1) << source;
        EXPECT_TRUE(err_.startsWith("Erreur ") && err_.contains(reason)) << err_;
    }
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), files);
    EXPECT_EQ(test::readAll(kept), QByteArray("à garder"));
}

// Access takes a " in a table's or a column's name: the snapshot, the native copy and the engine's
// queries must all double it. The genuine file itself is only ever read.
TEST_F(Importer, AQuoteInANameIsReadAndImportedAndTheFileIsNeverWritten)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QByteArray bytes = genuineCollectionJet3().replace(0x9399, 6, "Tab\"e1"); // Table1's name in MSysObjects
    bytes.replace(bytes.indexOf("DESIGNATION"), 11, "DESIG\"ATION");
    const QString genuine = dir_.filePath("GUILLEMET.MDB"), copy = dir_.filePath("COPIE.MDB");
    writeAll(genuine, bytes);
    ASSERT_EQ(run(genuine, copy), 0) << err_;
    for (const QString &file : {genuine, copy}) {
        DataControl data;
        data.DatabaseName = file;
        data.RecordSource = "SELECT * FROM [Tab\"e1] WHERE [DESIG\"ATION] = 'row3col3'";
        data.Refresh();
        Recordset &rs = *data.recordset();
        ASSERT_EQ(rs.RecordCount(), 1) << file;
        EXPECT_EQ(rs.Fields("data9"), Value("row3col9"));
        EXPECT_EQ(rs.isReadOnly(), file == genuine);
        if (file == genuine) { // every write refused
            EXPECT_NE(test::thrownBy([&] { rs.Delete(); }).number(), 0);
            EXPECT_NE(test::thrownBy([&] { rs.Edit(), rs.setField("data9", Value("x")), rs.Update(); }).number(), 0);
        }
        data.database()->Close();
    }
    EXPECT_EQ(test::readAll(genuine), bytes);
}

} // namespace
