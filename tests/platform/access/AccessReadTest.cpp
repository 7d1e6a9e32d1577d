// Genuine Access files read through the helper process into a snapshot: which tables,
// which values, whatever the user's locale.
#include "AccessSnapshot.h"
#include "JetSamples.h"
#include "SnapshotFormat.h"
#include "SnapshotProcess.h"

#include <QDir>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>
#include <iostream>
#include <map>

using namespace carnelis;
using carnelis::test::jetSample;
using carnelis::test::quotedValues;

namespace {

QString snapshotOf(const QString &sample) { return access::openSnapshot(jetSample(sample)); }

struct TableListCase {
    const char *file;
    QStringList userTables;      // Attributes 0, by name
    QStringList someOtherTables; // present with Attributes other than 0
};

void PrintTo(const TableListCase &c, std::ostream *os) { *os << c.file; }

class TableList : public ::testing::TestWithParam<TableListCase> {};

TEST_P(TableList, ListsTheUserTablesWithAttributesZeroAndFlagsTheOthers)
{
    SKIP_WITHOUT_JET_SAMPLES();
    const TableListCase &c = GetParam();
    const QString snapshot = snapshotOf(QString::fromUtf8(c.file));
    EXPECT_EQ(quotedValues(snapshot, "SELECT name FROM \"carnelis.catalogue\" WHERE attributes = 0 ORDER BY name"),
              [&] {
                  QStringList quoted;
                  for (const QString &t : c.userTables)
                      quoted << u'\'' + t + u'\'';
                  return quoted;
              }());
    const QStringList others = quotedValues(snapshot, "SELECT name FROM \"carnelis.catalogue\" WHERE attributes <> 0");
    for (const QString &t : c.someOtherTables)
        EXPECT_TRUE(others.contains(u'\'' + t + u'\'')) << t.toStdString();
    // MSysObjects reports exactly DAO's dbSystemObject, and its rows are not copied.
    EXPECT_EQ(quotedValues(snapshot, "SELECT attributes FROM \"carnelis.catalogue\" WHERE name = 'MSysObjects'"),
              QStringList{QString::number(int32_t(0x80000002))});
    EXPECT_EQ(quotedValues(snapshot, "SELECT rows FROM \"carnelis.catalogue\" WHERE name = 'MSysObjects'"),
              QStringList{QStringLiteral("NULL")});
    // The catalogue counts the rows each user table really holds.
    for (const QString &t : c.userTables)
        EXPECT_EQ(quotedValues(snapshot, QStringLiteral("SELECT rows = (SELECT count(*) FROM \"%1\") FROM "
                                                        "\"carnelis.catalogue\" WHERE name = '%1'")
                                             .arg(t)),
                  QStringList{QStringLiteral("1")})
            << t.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Samples, TableList,
    ::testing::Values(
        TableListCase{"testV1997.mdb", {"Table1", "Table2", "Table3", "Table4"}, {"MSysObjects", "MSysModules"}},
        TableListCase{"emptyJet4.mdb", {}, {"MSysObjects", "MSysACEs"}},
        TableListCase{"overflowTestV1997.mdb", {"Table1"}, {"MSysModules2"}},
        TableListCase{"fixedNumericTestV2000.mdb", {"test"}, {"MSysAccessObjects"}},
        // Access 2003's navigation tables are hidden system tables (flags 0x0a), and the
        // attachment table f_..._Data is hidden too.
        TableListCase{"testUnicodeCompV2003.mdb",
                      {"Table"},
                      {"MSysNavPaneGroups", "MSysNameMap", "f_B2444F72C17C49C3B2E92EED7C2E6EF3_Data"}},
        TableListCase{"testIndexCodesV1997.mdb",
                      {"Table1",      "Table10",          "Table10_desc",     "Table11",
                       "Table12",     "Table12_asc_desc", "Table12_desc_asc", "Table12_desc_desc",
                       "Table13",     "Table13_desc",     "Table14",          "Table14_desc",
                       "Table15",     "Table15_desc",     "Table1_desc",      "Table2",
                       "Table2_desc", "Table3",           "Table3_desc",      "Table4",
                       "Table4_desc", "Table5",           "Table5_desc",      "Table6",
                       "Table6_desc", "Table8",           "Table8_desc",      "Table9",
                       "Table9_desc"},
                      {"MSysIMEXSpecs"}}));

struct ValueCase {
    const char *file;
    const char *query;    // one column, one row
    const char *expected; // as quote() writes it
};

// A few values of every type: text and memo as text, accents in Jet 3 (code page 1252)
// and Jet 4 (Unicode), every number type as numbers, yes/no as -1/0, dates as ISO text,
// Null as Null.
const ValueCase valueCases[] = {
    {"testV1997.mdb", "SELECT B FROM Table1 WHERE A = 'abcdefg'", "'hijklmnop'"},
    {"testV1997.mdb", "SELECT C FROM Table1 WHERE A = 'abcdefg'", "2"},         // byte
    {"testV1997.mdb", "SELECT D FROM Table1 WHERE A = 'abcdefg'", "222"},       // integer
    {"testV1997.mdb", "SELECT E FROM Table1 WHERE A = 'abcdefg'", "333333333"}, // long
    {"testV1997.mdb", "SELECT F FROM Table1 WHERE A = 'abcdefg'", "444.555"},   // double
    {"testV1997.mdb", "SELECT G FROM Table1 WHERE A = 'abcdefg'", "'1974-09-21'"},
    {"testV1997.mdb", "SELECT H FROM Table1 WHERE A = 'abcdefg'", "3.5"}, // currency
    {"testV1997.mdb", "SELECT I FROM Table1 WHERE A = 'abcdefg'", "-1"},  // yes
    {"testV1997.mdb", "SELECT I FROM Table1 WHERE A = 'a'", "0"},         // no
    {"testIndexCodesV1997.mdb", "SELECT data FROM Table14 WHERE name = 'row128'", "'a€a'"},
    {"testIndexCodesV1997.mdb", "SELECT data FROM Table11 WHERE id = 48", "'aäa'"},
    {"testIndexCodesV1997.mdb", "SELECT data FROM Table9 WHERE name = 'row10'", "128"},
    {"testIndexCodesV1997.mdb", "SELECT data FROM Table5 WHERE name = 'row10'", "-0.00035134"}, // single
    {"testIndexCodesV1997.mdb", "SELECT data FROM Table8 WHERE name = 'row11'", "804983.35"},
    {"testIndexCodesV1997.mdb", "SELECT data FROM Table6 WHERE name = 'row10'", "'1899-12-30 00:00:30'"},
    {"testIndexCodesV1997.mdb", "SELECT data FROM Table6 WHERE name = 'row11'", "'4103-12-19 08:18:03'"},
    {"testIndexCodesV1997.mdb", "SELECT data FROM Table6 WHERE name = 'row14'", "'1899-09-27 10:19:15'"},
    {"testIndexCodesV1997.mdb", "SELECT data FROM Table6 WHERE name = 'row12'", "NULL"},
    {"testIndexCodesV1997.mdb", "SELECT data FROM Table13 WHERE name = 'row0'",
     "'{8E39276A-BCA8-4AC4-891E-49911D8438DD}'"},
    {"testUnicodeCompV2003.mdb", "SELECT Unicode FROM \"Table\" WHERE ID = 2", "'ääkkösiä'"},
    {"testUnicodeCompV2003.mdb", "SELECT Unicode FROM \"Table\" WHERE ID = 3", "'Мир'"},
    {"fixedNumericTestV2000.mdb", "SELECT col1 FROM test", "'some data'"}, // memo
    {"fixedNumericTestV2000.mdb", "SELECT col5 FROM test", "4.0"},         // decimal
    {"fixedNumericTestV2000.mdb", "SELECT col6 FROM test", "-1.0"},
    {"overflowTestV1997.mdb", "SELECT data1 FROM Table1 WHERE data3 = 'row3col3'", "NULL"},
    {"overflowTestV1997.mdb", "SELECT data9 FROM Table1 WHERE data3 = 'row3col3'", "'row3col9'"},
};

void PrintTo(const ValueCase &c, std::ostream *os) { *os << c.file << ": " << c.query; }

class Values : public ::testing::TestWithParam<ValueCase> {};

TEST_P(Values, ReadAsTheTypeSays)
{
    SKIP_WITHOUT_JET_SAMPLES();
    const ValueCase &c = GetParam();
    EXPECT_EQ(quotedValues(snapshotOf(QString::fromUtf8(c.file)), QString::fromUtf8(c.query)),
              QStringList{QString::fromUtf8(c.expected)});
}

INSTANTIATE_TEST_SUITE_P(Samples, Values, ::testing::ValuesIn(valueCases));

TEST(AccessValues, NullIsNotTheEmptyText)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("vide.mdb"));
    test::writeAll(file, test::nullAndEmptyJet3());
    const QString snapshot = access::openSnapshot(file);
    EXPECT_EQ(quotedValues(snapshot, "SELECT A FROM Table1 ORDER BY rowid"), (QStringList{"NULL", "'abcdefg'"}));
    EXPECT_EQ(quotedValues(snapshot, "SELECT B FROM Table1 ORDER BY rowid"), (QStringList{"''", "'hijklmnop'"}));
}

TEST(AccessValues, ACollectionShapedGenuineFileReads)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("COLLECTION.MDB"));
    test::writeAll(file, test::genuineCollectionJet3());
    const QString snapshot = access::openSnapshot(file);
    EXPECT_EQ(quotedValues(snapshot, "SELECT name FROM pragma_table_info('Table1') LIMIT 6"),
              (QStringList{"'NUMERO'", "'DESIGNATION'", "'COULEUR'", "'ETAT'", "'COTE'", "'DIVERS'"}));
    EXPECT_EQ(quotedValues(snapshot, "SELECT DESIGNATION FROM Table1 ORDER BY rowid"),
              (QStringList{"NULL", "'row2col3'", "'row3col3'", "'row4col2'", "'row5col2'", "'row6col2'", "NULL"}));
}

TEST(AccessValues, MemoLongerThanTheLibrarysBindSizeIsKeptWhole)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QString text;
    while (text.size() < 10 * 2038)
        text += QStringLiteral("Mémoire € ");
    text.truncate(10 * 2038); // 26 494 bytes in UTF-8, far above 16 384
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("memo.mdb"));
    test::writeAll(file, test::longMemoJet4(text));
    const QStringList values = quotedValues(access::openSnapshot(file), "SELECT col1 FROM test");
    ASSERT_EQ(values.size(), 1);
    EXPECT_EQ(values[0], u'\'' + text + u'\'');
}

// Makes a French locale available even where none is installed, so that a helper that
// let the user's settings through would write 3,5 or read the text in another code page.
class FrenchUser : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString locales = dir_.filePath(QStringLiteral("locales"));
        QDir().mkpath(locales);
        QProcess::execute(QStringLiteral("localedef"),
                          {QStringLiteral("-i"), QStringLiteral("fr_FR"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
                           locales + QStringLiteral("/fr_FR.UTF-8")});
        set("LOCPATH", locales);
        set("LC_ALL", QStringLiteral("fr_FR.UTF-8"));
        set("LANG", QStringLiteral("fr_FR.UTF-8"));
        set("MDBICONV", QStringLiteral("ISO-8859-1"));
        set("MDB_JET3_CHARSET", QStringLiteral("CP437"));
        if (!std::setlocale(LC_ALL, ""))
            std::cerr << "(pas de paramètres régionaux français ici : seuls MDBICONV et MDB_JET3_CHARSET changent)\n";
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    }
    void TearDown() override
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second.isNull())
                unsetenv(it->first.constData());
            else
                setenv(it->first.constData(), it->second.constData(), 1);
        }
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
    }
    QTemporaryDir dir_;

private:
    void set(const char *name, const QString &value)
    {
        saved_.emplace_back(name, qgetenv(name));
        if (!qEnvironmentVariableIsSet(name))
            saved_.back().second = QByteArray();
        setenv(name, value.toUtf8().constData(), 1);
    }
    std::vector<std::pair<QByteArray, QByteArray>> saved_;
};

TEST_F(FrenchUser, ValuesAreTheSame)
{
    SKIP_WITHOUT_JET_SAMPLES();
    std::map<QString, QString> snapshots; // made here, not taken from the run's cache
    for (const ValueCase &c : valueCases) {
        const QString file = QString::fromUtf8(c.file);
        if (!snapshots.count(file)) {
            snapshots[file] = dir_.filePath(file + QStringLiteral(".sqlite"));
            access::runSnapshotHelper(jetSample(file), snapshots[file]);
        }
        EXPECT_EQ(quotedValues(snapshots[file], QString::fromUtf8(c.query)), QStringList{QString::fromUtf8(c.expected)})
            << c.query;
    }
}

} // namespace
