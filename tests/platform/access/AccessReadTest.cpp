// Genuine Access files read through the helper process into a snapshot: which tables,
// which values, whatever the user's locale; and the calendar of Access's dates.
#include "AccessSnapshot.h"
#include "JetSamples.h"
#include "JetValues.h"
#include "SnapshotFormat.h"
#include "SnapshotProcess.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <map>

using namespace carnelis;
using carnelis::test::jetSample;
using carnelis::test::quotedValues;

namespace {

QString snapshotOf(const char *sample) { return access::openSnapshot(jetSample(QString::fromUtf8(sample))); }

struct TableListCase {
    const char *file;
    QString userTables; // Attributes 0, in name order
    const char *others; // some tables with Attributes other than 0, as an SQL list
};

void PrintTo(const TableListCase &c, std::ostream *os) { *os << c.file; }

class TableList : public ::testing::TestWithParam<TableListCase> {};

TEST_P(TableList, ListsTheUserTablesWithAttributesZeroAndFlagsTheOthers)
{
    SKIP_WITHOUT_JET_SAMPLES();
    const QString snapshot = snapshotOf(GetParam().file);
    const QString catalogue = " FROM \"carnelis.catalogue\" WHERE ";
    const QStringList user = quotedValues(snapshot, "SELECT name" + catalogue + "attributes = 0 ORDER BY name");
    EXPECT_EQ(user.join(u' ').remove(u'\''), GetParam().userTables);
    EXPECT_EQ(quotedValues(snapshot, "SELECT min(attributes <> 0)" + catalogue + "name IN (" + GetParam().others + ")"),
              QStringList{"1"});
    // MSysObjects reports exactly DAO's dbSystemObject, and its rows are not copied.
    EXPECT_EQ(quotedValues(snapshot, "SELECT attributes || ifnull(rows, ' NULL')" + catalogue + "name = 'MSysObjects'"),
              QStringList{"'-2147483646 NULL'"});
    // The catalogue counts the rows each user table really holds.
    for (const QString &t : user)
        EXPECT_EQ(quotedValues(snapshot, "SELECT rows = (SELECT count(*) FROM \"" + t.mid(1, t.size() - 2) + "\")" +
                                             catalogue + "name = " + t),
                  QStringList{"1"})
            << t;
}

INSTANTIATE_TEST_SUITE_P(
    Samples, TableList,
    ::testing::Values(TableListCase{"testV1997.mdb", "Table1 Table2 Table3 Table4", "'MSysModules'"},
                      TableListCase{"emptyJet4.mdb", "", "'MSysACEs'"},
                      // Access 2003's navigation and attachment tables are hidden.
                      TableListCase{"testUnicodeCompV2003.mdb", "Table",
                                    "'MSysNavPaneGroups', 'f_B2444F72C17C49C3B2E92EED7C2E6EF3_Data'"}));

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
    {"testIndexCodesV1997.mdb", "SELECT data FROM Table9 WHERE name = 'row10'", "128"},
    {"testIndexCodesV1997.mdb", "SELECT data FROM Table5 WHERE name = 'row10'", "-0.00035134"}, // single
    {"testIndexCodesV1997.mdb", "SELECT data FROM Table8 WHERE name = 'row11'", "804983.35"},
    {"testIndexCodesV1997.mdb", "SELECT data FROM Table6 WHERE name = 'row14'", "'1899-09-27 10:19:15'"},
    {"testIndexCodesV1997.mdb", "SELECT data FROM Table13 WHERE name = 'row0'",
     "'{8E39276A-BCA8-4AC4-891E-49911D8438DD}'"},
    {"testUnicodeCompV2003.mdb", "SELECT Unicode FROM \"Table\" WHERE ID = 2", "'ääkkösiä'"},
    {"testUnicodeCompV2003.mdb", "SELECT Unicode FROM \"Table\" WHERE ID = 3", "'Мир'"},
    {"fixedNumericTestV2000.mdb", "SELECT col1 FROM test", "'some data'"}, // memo
    {"fixedNumericTestV2000.mdb", "SELECT col6 FROM test", "-1.0"},        // decimal
    {"overflowTestV1997.mdb", "SELECT data1 FROM Table1 WHERE data3 = 'row3col3'", "NULL"},
    {"overflowTestV1997.mdb", "SELECT data9 FROM Table1 WHERE data3 = 'row3col3'", "'row3col9'"},
    {"vide.mdb", "SELECT A FROM Table1 ORDER BY rowid LIMIT 1", "NULL"}, // Null is not the empty text
    {"vide.mdb", "SELECT B FROM Table1 ORDER BY rowid LIMIT 1", "''"},
    // A memo longer than the library's bind size (16 384 bytes) is kept whole.
    {"memo.mdb", "SELECT length(col1) || substr(col1, 20371) FROM test", "'20380Mémoire € '"},
};

// Read for a French user, whose settings the helper must not let through: they would
// write 3,5 or read the texts in another code page. The locale is made even where none is.
TEST(AccessValues, ReadAsTheTypeSaysWhateverTheUsersSettings)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("locales"));
    QProcess::execute("localedef", {"-i", "fr_FR", "-f", "UTF-8", dir.filePath("locales/fr_FR.UTF-8")});
    const std::pair<const char *, QString> french[] = {{"LOCPATH", dir.filePath("locales")},
                                                       {"LC_ALL", "fr_FR.UTF-8"},
                                                       {"LANG", "fr_FR.UTF-8"},
                                                       {"MDBICONV", "ISO-8859-1"},
                                                       {"MDB_JET3_CHARSET", "CP437"}};
    for (const auto &[name, value] : french)
        qputenv(name, value.toUtf8());
    const std::map<QString, QByteArray> altered = {
        {"vide.mdb", test::nullAndEmptyJet3()},
        {"memo.mdb", test::longMemoJet4(QString("Mémoire € ").repeated(2038))}}; // 26 494 bytes in UTF-8
    std::map<QString, QString> snapshots; // made here, not taken from the run's cache
    for (const ValueCase &c : valueCases) {
        QString &snapshot = snapshots[c.file];
        if (snapshot.isEmpty()) {
            QString source = jetSample(c.file);
            if (altered.count(c.file))
                test::writeAll(source = dir.filePath(c.file), altered.at(c.file));
            snapshot = dir.filePath(QString::number(snapshots.size()));
            access::runSnapshotHelper(source, snapshot);
        }
        EXPECT_EQ(quotedValues(snapshot, c.query), QStringList{c.expected}) << c.file << ": " << c.query;
    }
    for (const auto &[name, value] : french)
        qunsetenv(name);
}

// Access counts days from 30 December 1899, the fraction being the time of day, counted
// forward from midnight even before that day: -1.5 is 29 December 1899 at noon.
TEST(AccessDates, FollowTheCalendarAndRoundToTheSecond)
{
    const struct {
        double days[2];
        const char *iso[2]; // "-" for no date
    } dates[] = {{{45292, 45322}, {"2024-01-01", "2024-01-31"}},
                 {{45323, 45351}, {"2024-02-01", "2024-02-29"}},
                 {{45352, 45382}, {"2024-03-01", "2024-03-31"}},
                 {{45383, 45412}, {"2024-04-01", "2024-04-30"}},
                 {{45413, 45443}, {"2024-05-01", "2024-05-31"}},
                 {{45444, 45473}, {"2024-06-01", "2024-06-30"}},
                 {{45474, 45504}, {"2024-07-01", "2024-07-31"}},
                 {{45505, 45535}, {"2024-08-01", "2024-08-31"}},
                 {{45536, 45565}, {"2024-09-01", "2024-09-30"}},
                 {{45566, 45596}, {"2024-10-01", "2024-10-31"}},
                 {{45597, 45626}, {"2024-11-01", "2024-11-30"}},
                 {{45627, 45657}, {"2024-12-01", "2024-12-31"}},
                 {{60, 61}, {"1900-02-28", "1900-03-01"}}, // no 29 February in 1900
                 {{-657434, 2958465}, {"0100-01-01", "9999-12-31"}},
                 {{-657434.5, -657434.99998843}, {"0100-01-01 12:00:00", "0100-01-01 23:59:59"}},
                 {{-657435, 2958466}, {"-", "-"}},
                 {{45292.75, 45292.99998}, {"2024-01-01 18:00:00", "2024-01-01 23:59:58"}},
                 // Less than half a second before midnight is the next day, at midnight.
                 {{45322.99999999, 45657.99999999}, {"2024-02-01", "2025-01-01"}},
                 {{-0.5, -1.5}, {"1899-12-30 12:00:00", "1899-12-29 12:00:00"}},
                 {{45351.99999999, -1.99999999}, {"2024-03-01", "1899-12-30"}}};
    for (const auto &d : dates)
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(access::isoDateFromJet(d.days[i]).value_or("-"), d.iso[i]) << std::to_string(d.days[i]);
}

} // namespace
