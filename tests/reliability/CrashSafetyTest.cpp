// A stream of writes killed with SIGKILL at random moments, many times over: after every
// kill the file is sound, holds every change the writer had reported done, holds none it
// had not begun, and the one change in flight is either wholly there or wholly absent.
#include "BadFiles.h"
#include "Collections.h"
#include "Engine.h"
#include "TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <optional>
#include <random>

#include <unistd.h>

using namespace carnelis;

namespace {

// NUMERO → "DESIGNATION/COTE", as the file holds it.
using Table = std::map<std::string, std::string>;

// One change as the writer announced it, "B A|E|X NUMERO [SEQUENCE]", made in the table.
void apply(const QStringList &change, Table &t)
{
    if (change[1] == "X")
        t.erase(change[2].toStdString());
    else
        t[change[2].toStdString()] = (change[1] + change[3] + u'/' + change[3]).toStdString();
}

// What the writer printed before it died: the changes reported done ("D"), and the one
// begun and not reported, if any.
struct Transcript {
    std::vector<QStringList> done;
    std::optional<QStringList> inFlight;
};

// Starts the writer, lets it report `reports` changes, waits `delayUs` more and kills it.
Transcript runAndKill(const QString &path, unsigned seed, long firstSequence, int reports, int delayUs)
{
    QProcess writer;
    writer.start(CRASH_WRITER, {path, "COLL", QString::number(seed), QString::number(firstSequence)});
    EXPECT_TRUE(writer.waitForStarted(10000));
    Transcript t;
    auto takeLines = [&] {
        while (writer.canReadLine()) {
            const QString line = QString::fromUtf8(writer.readLine()).trimmed();
            if (line == "D" && t.inFlight)
                t.done.push_back(*std::exchange(t.inFlight, std::nullopt));
            else if (line.startsWith("B "))
                t.inFlight = line.split(u' ');
        }
    };
    while (int(t.done.size()) < reports && writer.state() == QProcess::Running) {
        writer.waitForReadyRead(5000);
        takeLines();
    }
    ::usleep(useconds_t(delayUs));
    writer.kill(); // SIGKILL: no chance to finish what it was doing
    writer.waitForFinished(10000);
    takeLines(); // lines already written when it died were reported
    EXPECT_EQ(writer.exitStatus(), QProcess::CrashExit) << "the writer stopped on its own after " << t.done.size();
    return t;
}

// The file as the program would see it on the next start.
Table readThroughEngine(const QString &path)
{
    auto rs = DBEngine::OpenDatabase(path)->OpenRecordset("SELECT * FROM COLL");
    Table t;
    for (int i = 0; i < rs->RecordCount(); ++i)
        t[rs->valueAt(i, 0).text().toStdString()] =
            (rs->valueAt(i, 1).text() + u'/' + QString::number(qint64(rs->valueAt(i, 4).number()))).toStdString();
    return t;
}

TEST(CrashSafety, TwoHundredKillsLoseNothingReportedAndHalveNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("COLLECTION.MDB");
    test::Rows rows;
    for (int i = 1; i <= 40; ++i)
        rows.push_back(test::row("I" + QString::number(i), "D" + QString::number(i), {}, {}, double(i)));
    Table model = readThroughEngine(test::writeCollection(path, "COLL", rows));

    constexpr int kills = 220;
    std::mt19937 random(20261206);
    int inFlight = 0, reported = 0;
    for (int k = 0; k < kills; ++k) {
        const int reports = int(random() % 6), delayUs = int(random() % 4000);
        const Transcript t = runAndKill(path, unsigned(k), 1000 + 100000L * k, reports, delayUs);
        reported += int(t.done.size());
        inFlight += t.inFlight.has_value();
        for (const QStringList &c : t.done)
            apply(c, model);
        const Table found = readThroughEngine(path); // rolls back what the kill left half done
        ASSERT_EQ(test::integrityOf(path), "ok") << "kill " << k;
        if (found != model && t.inFlight)
            apply(*t.inFlight, model);
        ASSERT_EQ(found, model) << "kill " << k << ": a reported change lost, or the one in flight there in part";
    }
    // The kills must really land in the middle of the writes, not only before or after.
    EXPECT_GT(reported, kills);
    EXPECT_GT(inFlight, kills / 4);
}

// The state a crash leaves when the file is then found read-only (copied from a backup
// disk, marked read-only by the user): the journal cannot be rolled back yet, so the file
// cannot be read; the message says so, and once the file may be written again it opens
// as it was before the interrupted write.
TEST(CrashSafety, AnInterruptedWriteOnAReadOnlyFileIsToldAndRepairedOnceWritable)
{
    QTemporaryDir dir;
    const QString live = dir.filePath("VIVANT.MDB"), path = dir.filePath("COLLECTION.MDB");
    test::Rows rows;
    for (int i = 1; i <= 2000; ++i)
        rows.push_back(test::row(QString::number(i), QString(200, u'a'), {}, {}, double(i)));
    test::writeCollection(live, "COLL", rows);
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(live.toUtf8().constData(), &db), SQLITE_OK);
    // A tiny cache makes the change spill into the file before its commit, as a large
    // change does: the copy taken now is what a crash at this moment leaves.
    sqlite3_exec(db, "PRAGMA cache_size = 1; BEGIN; UPDATE COLL SET DESIGNATION = 'cassé', COTE = 0", nullptr, nullptr,
                 nullptr);
    for (const char *suffix : {"", "-journal"})
        ASSERT_TRUE(QFile::copy(live + suffix, path + suffix));
    sqlite3_close_v2(db);

    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const RuntimeError e = test::thrownBy([&] { DBEngine::OpenDatabase(path); });
    EXPECT_EQ(e.number(), err::ReadOnly);
    EXPECT_TRUE(e.text().contains(QStringLiteral("interrompu pendant une écriture"))) << e.what();
    EXPECT_TRUE(QFile::exists(path + "-journal"));

    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    const Table found = readThroughEngine(path);
    ASSERT_EQ(found.size(), 2000u);
    EXPECT_EQ(found.at("1234"), QString(200, u'a').toStdString() + "/1234");
    EXPECT_EQ(test::integrityOf(path), "ok");
    EXPECT_FALSE(QFile::exists(path + "-journal"));
}

} // namespace
