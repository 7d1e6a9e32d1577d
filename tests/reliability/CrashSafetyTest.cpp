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
using Table = std::map<QString, QString>;

// One change as the writer announced it: "B A|E|X NUMERO [SEQUENCE]".
struct Change {
    QStringList parts;

    long sequence() const { return parts.value(3).toLong(); }
    void applyTo(Table &t) const
    {
        if (parts[1] == "X")
            t.erase(parts[2]);
        else
            t[parts[2]] = parts[1] + parts[3] + u'/' + parts[3];
    }
};

// What the writer printed before it died: the changes reported done, and the one begun
// and not reported, if any.
struct Transcript {
    std::vector<Change> done;
    std::optional<Change> inFlight;
    long lastSequence = 0;
};

// Starts the writer, lets it report `reportsBeforeKill` changes, waits `delayUs` more and
// kills it; then reads everything it had written before it died.
Transcript runAndKill(const QString &path, unsigned seed, long firstSequence, int reportsBeforeKill, int delayUs)
{
    QProcess writer;
    writer.start(QStringLiteral(CRASH_WRITER),
                 {path, QStringLiteral("COLL"), QString::number(seed), QString::number(firstSequence)});
    if (!writer.waitForStarted(10000))
        throw std::runtime_error("the writer did not start");

    Transcript t;
    QByteArray buffer;
    int reported = 0;
    auto takeLines = [&] {
        qsizetype end;
        while ((end = buffer.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(buffer.left(end));
            buffer.remove(0, end + 1);
            if (line == QLatin1String("D")) {
                if (t.inFlight)
                    t.done.push_back(*t.inFlight);
                t.inFlight.reset();
                ++reported;
            } else if (line.startsWith("B ")) {
                t.inFlight = Change{line.split(u' ')};
                t.lastSequence = std::max(t.lastSequence, t.inFlight->sequence());
            }
        }
    };
    while (reported < reportsBeforeKill && writer.state() == QProcess::Running) {
        writer.waitForReadyRead(5000);
        buffer.append(writer.readAllStandardOutput());
        takeLines();
    }
    if (delayUs > 0)
        ::usleep(useconds_t(delayUs));
    writer.kill(); // SIGKILL: no chance to finish what it was doing
    writer.waitForFinished(10000);
    buffer.append(writer.readAllStandardOutput());
    takeLines(); // lines already written when it died were reported
    EXPECT_EQ(writer.exitStatus(), QProcess::CrashExit)
        << "the writer stopped on its own (status " << writer.exitCode() << ") after " << reported << " changes";
    return t;
}

// The file as the program would see it on the next start.
Table readThroughEngine(const QString &path)
{
    auto rs = DBEngine::OpenDatabase(path)->OpenRecordset("SELECT * FROM COLL");
    Table t;
    for (int i = 0; i < rs->RecordCount(); ++i)
        t[rs->valueAt(i, 0).text()] = rs->valueAt(i, 1).text() + u'/' + QString::number(rs->valueAt(i, 4).number());
    return t;
}

QString describe(const Table &t)
{
    QStringList rows;
    for (const auto &[numero, row] : t)
        rows << numero + '=' + row;
    return rows.join(u' ');
}

TEST(CrashSafety, TwoHundredKillsLoseNothingReportedAndHalveNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("COLLECTION.MDB");
    Table model;
    test::Rows rows;
    for (int i = 1; i <= 40; ++i) {
        rows.push_back(test::row("I" + QString::number(i), "D" + QString::number(i), {}, {}, double(i)));
        model["I" + QString::number(i)] = "D" + QString::number(i) + "/" + QString::number(i);
    }
    test::writeCollection(path, "COLL", rows);

    constexpr int kills = 220;
    std::mt19937 random(20261206);
    long nextSequence = 1000;
    int inFlightKept = 0, inFlightLost = 0, reportedInAll = 0;
    for (int k = 0; k < kills; ++k) {
        const int reports = int(random() % 6);
        const int delayUs = int(random() % 4000);
        const Transcript t = runAndKill(path, unsigned(k), nextSequence, reports, delayUs);
        nextSequence = std::max(nextSequence, t.lastSequence + 1);
        reportedInAll += int(t.done.size());

        for (const Change &c : t.done)
            c.applyTo(model);
        const Table found = readThroughEngine(path);
        ASSERT_EQ(test::integrityOf(path), "ok") << "kill " << k;
        if (found == model) {
            inFlightLost += t.inFlight ? 1 : 0;
            continue;
        }
        ASSERT_TRUE(t.inFlight.has_value())
            << "kill " << k << ": the file differs from every reported change\n"
            << "expected " << describe(model).toStdString() << "\nfound    " << describe(found).toStdString();
        Table withInFlight = model;
        t.inFlight->applyTo(withInFlight);
        ASSERT_EQ(found, withInFlight) << "kill " << k << ": the change in flight is there only in part\n"
                                       << "found " << describe(found).toStdString();
        model = withInFlight;
        ++inFlightKept;
    }
    // The kills must really land in the middle of the writes, not only before or after.
    EXPECT_GT(reportedInAll, kills);
    EXPECT_GT(inFlightKept + inFlightLost, kills / 4);
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
    ASSERT_TRUE(QFile::exists(live + "-journal"));
    ASSERT_TRUE(QFile::copy(live, path));
    ASSERT_TRUE(QFile::copy(live + "-journal", path + "-journal"));
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);

    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const RuntimeError e = test::thrownBy([&] { DBEngine::OpenDatabase(path); });
    EXPECT_EQ(e.number(), err::ReadOnly);
    EXPECT_TRUE(e.text().contains(QStringLiteral("interrompu pendant une écriture"))) << e.what();
    EXPECT_TRUE(QFile::exists(path + "-journal"));

    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    const Table found = readThroughEngine(path);
    ASSERT_EQ(found.size(), 2000u);
    EXPECT_EQ(found.at("1234"), QString(200, u'a') + "/1234");
    EXPECT_EQ(test::integrityOf(path), "ok");
    EXPECT_FALSE(QFile::exists(path + "-journal"));
}

} // namespace
