// Genuine Access files read through the helper process into a snapshot: which tables, which
// values, whatever the user's locale, and the calendar of Access's dates; damaged files and the
// helper's limits: a clear French error every time, nothing written to the file or beside it; one
// snapshot per version of a file, gone with the program. And the importer: a native copy of every
// user table, rows and Nulls kept, an existing target or what is not a genuine Access file refused;
// through it and the engine, names that SQL must quote, and every write to the genuine file refused.
#include "AccessSnapshot.h"
#include "Commands.h"
#include "Engine.h"
#include "JetSamples.h"
#include "JetValues.h"
#include "SnapshotProcess.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextStream>
#include <functional>
#include <map>

using namespace carnelis;
using namespace carnelis::test;

namespace {

const QString memo = QString("Mémoire € ").repeated(2038); // 26 494 bytes in UTF-8

const struct {
    const char *file, *table, *where;
    QStringList rows;
} valueCases[] = {
    // The user tables have Attributes 0 and their row count; MSysObjects exactly DAO's
    // dbSystemObject, and no system table's rows are copied.
    {"testV1997.mdb",
     "carnelis.catalogue",
     "attributes = 0 OR name IN ('MSysObjects', 'MSysModules')",
     {"'MSysObjects'|-2147483646|NULL", "'MSysModules'|-2147483646|NULL", "'Table1'|0|2", "'Table2'|0|0",
      "'Table3'|0|0", "'Table4'|0|0"}},
    {"emptyJet4.mdb", "carnelis.catalogue", "attributes = 0 OR name = 'MSysACEs'", {"'MSysACEs'|-2147483646|NULL"}},
    // Access 2003's navigation and attachment tables are hidden.
    {"testUnicodeCompV2003.mdb",
     "carnelis.catalogue",
     "attributes = 0 OR rowid IN (5, 9)",
     {"'f_B2444F72C17C49C3B2E92EED7C2E6EF3_Data'|-2146828286|NULL", "'MSysNavPaneGroups'|-2147483637|NULL",
      "'Table'|0|8"}},
    // Every type: text, byte, integer, long, double, date, currency, yes/no as -1/0.
    {"testV1997.mdb",
     "Table1",
     "1",
     {"'a'|'b'|0|0|0|0.0|'1981-12-12'|0.0|0", "'abcdefg'|'hijklmnop'|2|222|333333333|444.555|'1974-09-21'|3.5|-1"}},
    // Accents in Jet 3 (code page 1252) and Jet 4 (Unicode); single, date and time, GUID.
    {"testIndexCodesV1997.mdb", "Table14", "name = 'row128'", {"'row128'|'a€a'"}},
    {"testIndexCodesV1997.mdb", "Table9", "name = 'row10'", {"'row10'|128"}},
    {"testIndexCodesV1997.mdb", "Table5", "name = 'row10'", {"'row10'|-0.00035134"}},
    {"testIndexCodesV1997.mdb", "Table8", "name = 'row11'", {"'row11'|804983.35"}},
    {"testIndexCodesV1997.mdb", "Table6", "name = 'row14'", {"'row14'|'1899-09-27 10:19:15'"}},
    {"testIndexCodesV1997.mdb", "Table13", "name = 'row0'", {"'row0'|'{8E39276A-BCA8-4AC4-891E-49911D8438DD}'"}},
    {"testUnicodeCompV2003.mdb", "Table", "ID IN (2, 3)", {"2|'ääkkösiä'", "3|'Мир'"}},
    {"fixedNumericTestV2000.mdb", "test", "1", {"'some data'|1.0|0.0|0.0|4.0|-1.0|1.0"}}, // memo, decimals
    {"overflowTestV1997.mdb",
     "Table1",
     "data3 = 'row3col3'",
     {"NULL|'row3col3'|NULL|NULL|NULL|NULL|NULL|'row3col9'|NULL"}},
    // Null is not the empty text.
    {"vide.mdb", "Table1", "rowid = 1", {"NULL|''|0|0|0|0.0|'1981-12-12'|0.0|0"}},
    // A memo longer than the library's bind size (16 384 bytes) is kept whole.
    {"memo.mdb", "test", "1", {"'" + memo + "'|1.0|0.0|0.0|4.0|-1.0|1.0"}},
};

// Read for a French user, whose settings the helper must not let through: they would
// write 3,5 or read the texts in another code page. The locale is made even where none is.
TEST(AccessValues, ReadAsTheTypeSaysWhateverTheUsersSettings)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("locales"));
    QProcess::execute("localedef", {"-i", "fr_FR", "-f", "UTF-8", dir.filePath("locales/fr_FR.UTF-8")});
    const QByteArrayList french = {"LOCPATH=" + dir.filePath("locales").toUtf8(), "LC_ALL=fr_FR.UTF-8",
                                   "LANG=fr_FR.UTF-8", "MDBICONV=ISO-8859-1", "MDB_JET3_CHARSET=CP437"};
    for (const QByteArray &setting : french)
        qputenv(setting.left(setting.indexOf('=')), setting.mid(setting.indexOf('=') + 1));
    // Row 0 of Table1 (page 31): B ends where it starts, A's bit cleared in the null mask.
    const std::map<QString, QByteArray> altered = {
        {"vide.mdb", patched("testV1997.mdb", {{31 * 2048 + 0x7fa, "\x21"}, {31 * 2048 + 0x7fe, "\xfe"}})},
        {"memo.mdb", longMemoJet4(memo)}};
    std::map<QString, QString> snapshots; // made here, not taken from the run's cache
    for (const auto &c : valueCases) {
        QString &snapshot = snapshots[c.file];
        if (snapshot.isEmpty()) {
            QString source = jetSample(c.file);
            if (altered.count(c.file))
                writeAll(source = dir.filePath(c.file), altered.at(c.file));
            snapshot = dir.filePath(QString::number(snapshots.size()));
            access::runSnapshotHelper(source, snapshot);
        }
        EXPECT_EQ(rowsOf(snapshot, c.table, c.where), c.rows) << c.file << " " << c.table;
    }
    for (const QByteArray &setting : french)
        qunsetenv(setting.left(setting.indexOf('=')));
}

// Access counts days from 30 December 1899, the fraction being the time of day, counted
// forward from midnight even before that day: -1.5 is 29 December 1899 at noon.
TEST(AccessDates, FollowTheCalendarAndRoundToTheSecond)
{
    const QDate epoch(1899, 12, 30); // 1900 has no 29 February in either
    for (qint64 day = epoch.daysTo({1600, 1, 1}); day < epoch.daysTo({2400, 1, 1}); ++day)
        ASSERT_EQ(access::isoDateFromJet(double(day)), epoch.addDays(day).toString(Qt::ISODate).toStdString()) << day;
    const struct {
        double days[2];
        const char *iso[2]; // "-" for no date
    } times[] = {{{-657435, 2958466}, {"-", "-"}},
                 {{-657434, 2958465}, {"0100-01-01", "9999-12-31"}},
                 {{-657434.5, -657434.99998843}, {"0100-01-01 12:00:00", "0100-01-01 23:59:59"}},
                 {{45292.75, 45292.99998}, {"2024-01-01 18:00:00", "2024-01-01 23:59:58"}},
                 {{-0.5, -1.5}, {"1899-12-30 12:00:00", "1899-12-29 12:00:00"}},
                 // Less than half a second before midnight is the next day, at midnight.
                 {{45322.99999999, 45657.99999999}, {"2024-02-01", "2025-01-01"}},
                 {{45351.99999999, -1.99999999}, {"2024-03-01", "1899-12-30"}}};
    for (const auto &t : times)
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(access::isoDateFromJet(t.days[i]).value_or("-"), t.iso[i]) << std::to_string(t.days[i]);
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

struct DamageCase {
    const char *name;
    std::function<QByteArray()> bytes;
    const char *reason = ""; // a part of the message, when the reason is known
    access::SnapshotLimits limits = {};
    const char *snapshot = "copie.sqlite";
};

QByteArray v97(qsizetype at = 0, const QByteArray &patch = {}) { return patched("testV1997.mdb", {{at, patch}}); }
QByteArray v2003() { return patched("testUnicodeCompV2003.mdb").left(4096); }

const DamageCase damageCases[] = {
    {"tronque", [] { return v97().left(20000); }},
    {"en_tete_seul", v2003},
    {"octets_au_hasard", [] { return randomBytes(65536, 7); }},
    {"en_tete_sain_puis_hasard", [] { return v2003() + randomBytes(290816, 11); }},
    {"vide", [] { return QByteArray(); }},
    // Page 2 holds the definition of MSysObjects; page 31 the rows of Table1, whose loss must be told.
    {"zeros_sur_le_catalogue", [] { return v97(2 * 2048, QByteArray(2048, '\0')); }},
    {"zeros_sur_une_page_de_lignes", [] { return v97(31 * 2048, QByteArray(2048, '\0')); },
     "la table « Table1 » est incomplète (0 lignes lues sur 2)"},
    // Table1's definition (page 29) claiming 300 columns where Access allows 255.
    {"plus_de_255_colonnes", [] { return v97(29 * 2048 + 25, "\x2c\x01"); }, "compte plus de 255 colonnes"},
    // MSysObjects (data page 18) naming Table2 "Table1" too.
    {"deux_tables_du_meme_nom", [] { return v97(0x9356, "Table1"); }, "son catalogue des tables est incohérent"},
    // Found by the fuzz target: table properties that make mdbtools loop for ever.
    {"boucle_sans_fin", [] { return readAll(CARNELIS_FUZZ_FOUND "/boucle.mdb"); }, "dépasse", {2000, 1 << 30}},
#if !defined(__SANITIZE_ADDRESS__) // which does not limit the helper's memory
    {"plus_de_memoire", [] { return v97(); }, "", {20000, 4 << 20}},
#endif
    // A sound file is not called damaged when its copy cannot be written.
    {"copie_impossible", [] { return v97(); }, "sa copie temporaire n'a pas pu être écrite", {}, "absent/copie.sqlite"},
};

class DamagedFile : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedFile, GivesAClearErrorAndLeavesTheFileAlone)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QTemporaryDir dir;
    const QString file = dir.filePath("abime.mdb");
    writeAll(file, GetParam().bytes());
    const RuntimeError e =
        thrownBy([&] { access::runSnapshotHelper(file, dir.filePath(GetParam().snapshot), GetParam().limits); });
    EXPECT_EQ(e.number(), err::NotADatabase);
    EXPECT_TRUE(e.text().startsWith("Le fichier Access « abime.mdb » n'a pas pu être lu : ") &&
                e.text().contains(GetParam().reason))
        << e.text();
    EXPECT_EQ(readAll(file), GetParam().bytes());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"abime.mdb"});
}

INSTANTIATE_TEST_SUITE_P(Copies, DamagedFile, ::testing::ValuesIn(damageCases),
                         [](const auto &info) { return std::string(info.param.name); });

// One snapshot per version of a file, all in one temporary folder that goes with the program: the
// test runs itself as a child program in a temporary folder of its own.
TEST(Snapshots, OnePerVersionOfAFileAllGoneWithTheProgram)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QTemporaryDir dir;
    const QString file = dir.filePath("BASE.MDB");
    writeAll(file, v97());
    const QString first = access::openSnapshot(file);
    EXPECT_TRUE(first.startsWith(QDir::tempPath() + "/carnelis-")) << first;
    EXPECT_EQ(access::openSnapshot(dir.path() + "/./BASE.MDB"), first);
    writeAll(file, patched("testUnicodeCompV2003.mdb")); // another size, another time
    const QString second = access::openSnapshot(file);
    EXPECT_NE(second, first);
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_EQ(rowsOf(second, "carnelis.catalogue", "attributes = 0"), QStringList{"'Table'|0|8"});
    if (qEnvironmentVariableIsSet("CARNELIS_SNAPSHOT_CHILD"))
        return;
    QTemporaryDir temp;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", temp.path());
    env.insert("CARNELIS_SNAPSHOT_CHILD", "1");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=Snapshots.*"});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromUtf8(child.readAllStandardOutput());
    EXPECT_TRUE(child.exitCode() == 0 && output.contains("[  PASSED  ] 1 test")) << output;
    EXPECT_EQ(QDir(temp.path()).entryList({"carnelis-*"}, QDir::AllEntries | QDir::Hidden), QStringList{});
}

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
    const QString user = "SELECT name FROM \"carnelis.catalogue\" WHERE attributes = 0 AND rows >= 0 ORDER BY rowid";
    const QStringList tables = quotedValues(snapshot, user, false);
    EXPECT_EQ(quotedValues(target, "SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY rowid", false),
              tables);
    for (const QString &table : tables) {
        EXPECT_EQ(rowsOf(target, table), rowsOf(snapshot, table)) << table;
        const QString types = "SELECT type FROM pragma_table_info('" + table + "')";
        EXPECT_EQ(quotedValues(target, types), quotedValues(snapshot, types)) << table;
    }
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"COPIE.MDB"});
}

INSTANTIATE_TEST_SUITE_P(Samples, Importer,
                         ::testing::Values("testV1997.mdb", "testIndexCodesV1997.mdb", "testUnicodeCompV2003.mdb",
                                           "fixedNumericTestV2000.mdb", "overflowTestV1997.mdb"));

// Each table's rows counted, in French; then an existing target, or what is not a genuine Access
// file, refused with nothing changed.
TEST_F(Importer, PrintsTheRowsCopiedPerTableAndRefusesAnExistingTargetOrWhatIsNotAccess)
{
    SKIP_WITHOUT_JET_SAMPLES();
    const QString kept = dir_.filePath("GARDE.MDB"), notes = dir_.filePath("NOTES.MDB");
    const QString damaged = dir_.filePath("ABIME.MDB"), copy = dir_.filePath("COPIE.MDB");
    ASSERT_EQ(run(jetSample("testV1997.mdb"), kept), 0);
    EXPECT_EQ(out_, "Table1 : 2 lignes copiées\nTable2 : 0 ligne copiée\n"
                    "Table3 : 0 ligne copiée\nTable4 : 0 ligne copiée\n");
    ASSERT_EQ(run(jetSample("fixedNumericTestV2000.mdb"), copy), 0);
    EXPECT_EQ(out_, "test : 1 ligne copiée\n");
    QFile::remove(copy);
    writeAll(notes, "pas une base");
    writeAll(damaged, patched("testV1997.mdb").left(20000));
    const QStringList files = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);
    const QByteArray before = readAll(kept);
    const std::tuple<QString, QString, const char *> cases[] = {
        {jetSample("fixedNumericTestV2000.mdb"), kept, "existe déjà"},
        {notes, copy, "n'est pas un fichier Access d'origine"},
        {damaged, copy, "n'a pas pu être lu"},
        {dir_.filePath("ABSENT.MDB"), copy, "introuvable"}};
    for (const auto &[source, target, reason] : cases) {
        EXPECT_EQ(run(source, target), 1) << source;
        EXPECT_TRUE(err_.startsWith("Erreur ") && err_.contains(reason)) << err_;
    }
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), files);
    EXPECT_EQ(readAll(kept), before);
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
