// Damaged Access files, the helper's limits and the snapshots of a run: a clear French
// error every time, nothing written to the file, and one snapshot per version of a file.
#include "AccessSnapshot.h"
#include "JetSamples.h"
#include "RuntimeError.h"
#include "SnapshotProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <functional>

using namespace carnelis;
using carnelis::test::jetSample;
using carnelis::test::quotedValues;
using carnelis::test::readAll;
using carnelis::test::writeAll;

namespace {

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

struct DamageCase {
    const char *name;
    std::function<QByteArray()> bytes;
    const char *reason = ""; // a part of the message, when the reason is known
};

void PrintTo(const DamageCase &c, std::ostream *os) { *os << c.name; }

QByteArray sample(const char *name) { return readAll(jetSample(QString::fromUtf8(name))); }

QByteArray zeroPage(QByteArray bytes, int pageSize, int page)
{
    bytes.replace(page * pageSize, pageSize, QByteArray(pageSize, '\0'));
    return bytes;
}

const DamageCase damageCases[] = {
    {"tronque", [] { return sample("testV1997.mdb").left(20000); }},
    {"en_tete_seul", [] { return sample("testUnicodeCompV2003.mdb").left(4096); }},
    // Page 2 holds the definition of MSysObjects; page 31 the rows of Table1.
    {"zeros_sur_le_catalogue", [] { return zeroPage(sample("testV1997.mdb"), 2048, 2); }},
    // Pages that cannot be read would otherwise drop their rows without a word.
    {"zeros_sur_une_page_de_lignes", [] { return zeroPage(sample("testV1997.mdb"), 2048, 31); },
     "la table « Table1 » est incomplète (0 lignes lues sur 2)"},
    {"octets_au_hasard", [] { return randomBytes(65536, 7); }},
    {"en_tete_sain_puis_hasard",
     [] {
         QByteArray bytes = sample("testUnicodeCompV2003.mdb");
         return bytes.left(4096) + randomBytes(int(bytes.size()) - 4096, 11);
     }},
    {"vide", [] { return QByteArray(); }},
    // Table1's definition (page 29) claiming 300 columns where Access allows 255.
    {"plus_de_255_colonnes",
     [] {
         QByteArray bytes = sample("testV1997.mdb");
         bytes[29 * 2048 + 25] = char(300 & 0xff);
         bytes[29 * 2048 + 26] = char(300 >> 8);
         return bytes;
     },
     "la table « Table1 » compte plus de 255 colonnes"},
    // MSysObjects (data page 18) naming Table2 "Table1" too.
    {"deux_tables_du_meme_nom",
     [] {
         QByteArray bytes = sample("testV1997.mdb");
         EXPECT_EQ(bytes.mid(0x9356, 6), QByteArray("Table2"));
         return bytes.replace(0x9356, 6, "Table1");
     },
     "son catalogue des tables est incohérent"},
};

class DamagedFile : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedFile, GivesAClearErrorAndLeavesTheFileAlone)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("abime.mdb"));
    const QByteArray bytes = GetParam().bytes();
    writeAll(file, bytes);
    try {
        access::openSnapshot(file);
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), err::NotADatabase);
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Le fichier Access « abime.mdb » n'a pas pu être lu : ")))
            << e.text().toStdString();
        EXPECT_TRUE(e.text().contains(QString::fromUtf8(GetParam().reason))) << e.text().toStdString();
    }
    EXPECT_EQ(readAll(file), bytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("abime.mdb")});
}

INSTANTIATE_TEST_SUITE_P(Copies, DamagedFile, ::testing::ValuesIn(damageCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SnapshotHelper, KilledWhenItOverrunsItsTime)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("copie.sqlite"));
    try {
        access::runSnapshotHelper(jetSample(QStringLiteral("testIndexCodesV1997.mdb")), target, {0, int64_t(1) << 30});
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("sa lecture dépasse"))) << e.text().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(target));
}

// Found by the fuzz target: a catalogue whose table properties make mdbtools loop for ever.
// Only the helper's time limit ends it, with the clear message and no file left behind.
TEST(SnapshotHelper, AFileThatMakesTheReaderLoopIsStoppedByTheTimeLimit)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("copie.sqlite"));
    try {
        access::runSnapshotHelper(QStringLiteral(CARNELIS_FUZZ_FOUND "/boucle-proprietes.mdb"), target,
                                  {2000, int64_t(1) << 30});
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("sa lecture dépasse"))) << e.text().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(target));
}

TEST(SnapshotHelper, FailsCleanlyBeyondItsMemory)
{
    SKIP_WITHOUT_JET_SAMPLES();
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "sous AddressSanitizer, la mémoire de l'assistant n'est pas limitée";
#endif
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("copie.sqlite"));
    EXPECT_THROW(access::runSnapshotHelper(jetSample(QStringLiteral("testV1997.mdb")), target, {20000, 4 << 20}),
                 RuntimeError);
    EXPECT_FALSE(QFileInfo::exists(target));
}

// A sound file whose snapshot cannot be written is not called damaged.
TEST(SnapshotHelper, ASnapshotThatCannotBeWrittenIsNotBlamedOnTheFile)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("absent/copie.sqlite"));
    try {
        access::runSnapshotHelper(jetSample(QStringLiteral("testV1997.mdb")), target);
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("sa copie temporaire n'a pas pu être écrite")))
            << e.text().toStdString();
    }
}

TEST(Snapshots, OnePerVersionOfAFile)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("BASE.MDB"));
    writeAll(file, sample("testV1997.mdb"));
    const QString first = access::openSnapshot(file);
    EXPECT_EQ(access::openSnapshot(dir.path() + QStringLiteral("/./BASE.MDB")), first);

    writeAll(file, sample("testUnicodeCompV2003.mdb")); // another size, another time
    const QString second = access::openSnapshot(file);
    EXPECT_NE(second, first);
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_EQ(quotedValues(second, "SELECT name FROM \"carnelis.catalogue\" WHERE attributes = 0"),
              QStringList{QStringLiteral("'Table'")});
}

} // namespace

namespace {

// Run by the test below in a child process of this test program.
TEST(Snapshots, MadeByAChildProgram)
{
    if (!qEnvironmentVariableIsSet("CARNELIS_SNAPSHOT_CHILD"))
        GTEST_SKIP() << "only as the child of TemporaryFolderGoesWithTheProgram";
    SKIP_WITHOUT_JET_SAMPLES();
    const QString snapshot = access::openSnapshot(jetSample(QStringLiteral("testV1997.mdb")));
    EXPECT_TRUE(snapshot.startsWith(QDir::tempPath() + QStringLiteral("/carnelis-"))) << snapshot.toStdString();
}

TEST(Snapshots, TemporaryFolderGoesWithTheProgram)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QTemporaryDir temp;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), temp.path());
    env.insert(QStringLiteral("CARNELIS_SNAPSHOT_CHILD"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=Snapshots.MadeByAChildProgram")});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromUtf8(child.readAllStandardOutput());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
    EXPECT_FALSE(output.contains(QStringLiteral("SKIPPED"))) << output.toStdString();
    EXPECT_EQ(QDir(temp.path()).entryList({QStringLiteral("carnelis-*")}, QDir::AllEntries | QDir::Hidden),
              QStringList{});
}

} // namespace
