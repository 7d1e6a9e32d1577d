// Damaged Access files and the helper's limits: a clear French error every time, nothing
// written to the file or beside it; and one snapshot per version of a file, gone with the program.
#include "AccessSnapshot.h"
#include "JetSamples.h"
#include "SnapshotProcess.h"
#include "TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <functional>

using namespace carnelis;
using carnelis::test::jetSample;
using carnelis::test::patched;

namespace {

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

void PrintTo(const DamageCase &c, std::ostream *os) { *os << c.name; }

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
    {"boucle_sans_fin",
     [] { return test::readAll(CARNELIS_FUZZ_FOUND "/boucle-proprietes.mdb"); },
     "sa lecture dépasse",
     {2000, 1 << 30}},
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
    test::writeAll(file, GetParam().bytes());
    const QByteArray digest = test::digestOf(file);
    const RuntimeError e =
        test::thrownBy([&] { access::runSnapshotHelper(file, dir.filePath(GetParam().snapshot), GetParam().limits); });
    EXPECT_EQ(e.number(), err::NotADatabase);
    EXPECT_TRUE(e.text().startsWith("Le fichier Access « abime.mdb » n'a pas pu être lu : ") &&
                e.text().contains(GetParam().reason))
        << e.text();
    EXPECT_EQ(test::digestOf(file), digest);
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
    test::writeAll(file, v97());
    const QString first = access::openSnapshot(file);
    EXPECT_TRUE(first.startsWith(QDir::tempPath() + "/carnelis-")) << first;
    EXPECT_EQ(access::openSnapshot(dir.path() + "/./BASE.MDB"), first);
    test::writeAll(file, patched("testUnicodeCompV2003.mdb")); // another size, another time
    const QString second = access::openSnapshot(file);
    EXPECT_NE(second, first);
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_EQ(test::rowsOf(second, "carnelis.catalogue", "attributes = 0"), QStringList{"'Table'|0|8"});
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

} // namespace
