// carnelis-base importer: a native copy of every user table, rows and Nulls kept, the
// source untouched, an existing target refused.
#include "AccessImport.h"
#include "AccessSnapshot.h"
#include "Commands.h"
#include "JetSamples.h"
#include "RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

using namespace carnelis;
using carnelis::test::jetSample;
using carnelis::test::quotedValues;
using carnelis::test::readAll;
using carnelis::test::writeAll;

namespace {

// Every row of a table as one line of quoted values, in the table's order.
QStringList rowsOf(const QString &file, const QString &table)
{
    const QString name = u'"' + table + u'"';
    QStringList columns;
    for (QString column : quotedValues(file, QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table)))
        columns << QStringLiteral("quote(\"%1\")").arg(column.mid(1, column.size() - 2));
    return quotedValues(file,
                        QStringLiteral("SELECT %1 AS r FROM %2 ORDER BY rowid").arg(columns.join(u"||'|'||"), name));
}

class Importer : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!test::jetSamplesPresent())
            GTEST_SKIP() << "dossier des fichiers Access d'exemple absent";
    }
    int run(const QString &source, const QString &target)
    {
        out_.clear();
        err_.clear();
        QTextStream out(&out_), err(&err_);
        return runCommand({QStringLiteral("importer"), source, target}, out, err);
    }
    QTemporaryDir dir_;
    QString out_, err_;
};

TEST_F(Importer, CopiesEveryUserTableWithItsTypesRowsAndNulls)
{
    const QString source = jetSample(QStringLiteral("testIndexCodesV1997.mdb"));
    const QByteArray before = readAll(source);
    const QString target = dir_.filePath(QStringLiteral("COPIE.MDB"));
    ASSERT_EQ(run(source, target), 0) << err_.toStdString();

    const QString snapshot = access::openSnapshot(source);
    const QStringList tables =
        quotedValues(snapshot, "SELECT name FROM \"carnelis.catalogue\" WHERE attributes = 0 ORDER BY rowid");
    EXPECT_EQ(tables.size(), 29);
    EXPECT_EQ(quotedValues(target, "SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY rowid"), tables);
    for (QString table : tables) {
        table = table.mid(1, table.size() - 2);
        EXPECT_EQ(rowsOf(target, table), rowsOf(snapshot, table)) << table.toStdString();
        EXPECT_EQ(quotedValues(target, QStringLiteral("SELECT type FROM pragma_table_info('%1')").arg(table)),
                  quotedValues(snapshot, QStringLiteral("SELECT type FROM pragma_table_info('%1')").arg(table)));
    }
    EXPECT_TRUE(out_.contains(QStringLiteral("Table1 : 275 lignes copiées\n"))) << out_.toStdString();
    EXPECT_TRUE(out_.contains(QStringLiteral("Table10 : 5 lignes copiées\n")));
    EXPECT_EQ(readAll(source), before);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("COPIE.MDB")});
}

TEST_F(Importer, PrintsTheRowsCopiedPerTable)
{
    ASSERT_EQ(run(jetSample(QStringLiteral("testV1997.mdb")), dir_.filePath(QStringLiteral("T.MDB"))), 0);
    EXPECT_EQ(out_, QStringLiteral("Table1 : 2 lignes copiées\nTable2 : 0 ligne copiée\n"
                                   "Table3 : 0 ligne copiée\nTable4 : 0 ligne copiée\n"));
}

TEST_F(Importer, RefusesAnExistingTargetAndLeavesIt)
{
    const QString target = dir_.filePath(QStringLiteral("COPIE.MDB"));
    writeAll(target, "à garder");
    EXPECT_EQ(run(jetSample(QStringLiteral("testV1997.mdb")), target), 1);
    EXPECT_TRUE(err_.contains(QStringLiteral("existe déjà"))) << err_.toStdString();
    EXPECT_EQ(readAll(target), QByteArray("à garder"));
}

TEST_F(Importer, RefusesWhatIsNotAGenuineAccessFileAndCreatesNothing)
{
    const QString text = dir_.filePath(QStringLiteral("NOTES.MDB"));
    writeAll(text, "pas une base");
    const QString damaged = dir_.filePath(QStringLiteral("ABIME.MDB"));
    writeAll(damaged, readAll(jetSample(QStringLiteral("testV1997.mdb"))).left(20000));
    for (const QString &source : {text, damaged, dir_.filePath(QStringLiteral("ABSENT.MDB"))}) {
        const QString target = dir_.filePath(QStringLiteral("COPIE.MDB"));
        EXPECT_EQ(run(source, target), 1) << source.toStdString();
        EXPECT_TRUE(err_.startsWith(QStringLiteral("Erreur "))) << err_.toStdString();
        EXPECT_FALSE(QFileInfo::exists(target));
    }
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

} // namespace
