// A catalogue on a small folder of its own (a tmpfs mount) that becomes full, or is
// remounted read-only, while the catalogue is open: every write fails with a French
// message, the file stays as it was, and the change waits to be stored once room is back.
// Mounting needs the right to do so; where the machine refuses, the tests say so and skip.
#include "CollectionFile.h"
#include "Engine.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace carnelis;

namespace {

constexpr const char *mountOptions = "size=192k,mode=0755";

class SmallFolder : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder;
    bool mounted = false;

    void SetUp() override
    {
        folder = dir.filePath("petit");
        QDir().mkpath(folder);
        if (::mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", 0, mountOptions) != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs folder here (" << std::strerror(errno)
                         << "); the full and read-only folder cases are not run";
        mounted = true;
    }
    void TearDown() override
    {
        if (mounted)
            ::umount2(folder.toLocal8Bit().constData(), MNT_DETACH);
    }

    QString makeCatalogue()
    {
        const QString path = folder + "/COLLECTION.MDB";
        CollectionFile f(path);
        f.createTable("COLL");
        std::vector<std::vector<Value>> rows;
        for (int i = 1; i <= 60; ++i)
            rows.push_back({QString::number(i), "Timbre " + QString::number(i), "rouge", "neuf", double(i), Value()});
        f.appendRows("COLL", rows);
        return path;
    }

    static QString integrityOf(const QString &path)
    {
        sqlite3 *db = nullptr;
        QString result = "cannot open";
        if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt *s = nullptr;
            if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &s, nullptr) == SQLITE_OK &&
                sqlite3_step(s) == SQLITE_ROW)
                result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 0)));
            sqlite3_finalize(s);
        }
        sqlite3_close(db);
        return result;
    }

    // Fills what is left of the folder.
    void fill()
    {
        QFile filler(folder + "/REMPLI");
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
};

// The three writes of the grid, each with a text big enough to need new pages.
const QString bigText = QString(20000, u'é');

void expectRefusedInFrench(const std::function<void()> &write, const char *what)
{
    try {
        write();
        ADD_FAILURE() << what << " was reported written";
    } catch (const RuntimeError &e) {
        EXPECT_FALSE(e.text().isEmpty()) << what;
        EXPECT_TRUE(e.text().contains(u'é') || e.text().contains(QStringLiteral("disque")) ||
                    e.text().contains(QStringLiteral("lecture seule")))
            << what << ": " << e.what();
    }
}

TEST_F(SmallFolder, AFullFolderRefusesEachWriteAndTheEditWaitsForRoom)
{
    const QString path = makeCatalogue();
    auto db = DBEngine::OpenDatabase(path);
    auto rs = db->OpenRecordset("SELECT * FROM COLL ORDER BY NUMERO");
    ASSERT_FALSE(rs->isReadOnly());
    fill();
    const QByteArray before = test::digestOf(path);

    expectRefusedInFrench(
        [&] {
            rs->AddNew();
            rs->setField("NUMERO", "999");
            rs->setField("DIVERS", bigText);
            rs->Update();
        },
        "an addition");
    rs->CancelUpdate();
    rs->setAbsolutePosition(3);
    rs->Edit();
    rs->setField("DIVERS", bigText);
    expectRefusedInFrench([&] { rs->Update(); }, "an edit");
    EXPECT_TRUE(rs->isEditing()) << "the refused edit must wait, not vanish";
    EXPECT_EQ(rs->RecordCount(), 60);
    EXPECT_EQ(test::digestOf(path), before);
    EXPECT_EQ(integrityOf(path), "ok");

    // Room again: the same edit is stored whole.
    QFile::remove(folder + "/REMPLI");
    rs->Update();
    EXPECT_EQ(rs->Fields("DIVERS"), Value(bigText));
    db.reset();
    EXPECT_EQ(integrityOf(path), "ok");
    auto again = DBEngine::OpenDatabase(path)->OpenRecordset("SELECT * FROM COLL WHERE NUMERO = '4'");
    ASSERT_EQ(again->RecordCount(), 1);
}

// The folder's rights taken away while the catalogue is open (a share turned read-only,
// a folder another session locked): SQLite can no longer write its journal beside the file.
// Root may write anywhere, so the test takes the file rights of an ordinary user for its
// own thread (setfsuid) when it runs as root.
class FolderTurnedReadOnly : public SmallFolder {
protected:
    void SetUp() override {}
    void TearDown() override
    {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (::geteuid() == 0)
            ::setfsuid(0);
    }
};

TEST_F(FolderTurnedReadOnly, EveryWriteIsRefusedInFrenchAndTheFileStaysAsItWas)
{
    folder = dir.filePath("archives");
    QDir().mkpath(folder);
    if (::geteuid() == 0) {
        constexpr uid_t nobody = 65534;
        ASSERT_EQ(::chmod(dir.path().toLocal8Bit().constData(), 0711), 0);
        ASSERT_EQ(::chown(folder.toLocal8Bit().constData(), nobody, nobody), 0);
        ::setfsuid(nobody);
        if (int(::setfsuid(uid_t(-1))) != int(nobody))
            GTEST_SKIP() << "cannot take an ordinary user's file rights here";
    }
    const QString path = makeCatalogue();
    auto db = DBEngine::OpenDatabase(path);
    auto rs = db->OpenRecordset("SELECT * FROM COLL ORDER BY NUMERO");
    ASSERT_FALSE(rs->isReadOnly());
    const QByteArray before = test::digestOf(path);
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));

    expectRefusedInFrench(
        [&] {
            rs->Edit();
            rs->setField("DESIGNATION", "Changé");
            rs->Update();
        },
        "an edit");
    rs->CancelUpdate();
    expectRefusedInFrench(
        [&] {
            rs->AddNew();
            rs->setField("NUMERO", "999");
            rs->Update();
        },
        "an addition");
    rs->CancelUpdate();
    rs->setAbsolutePosition(5);
    expectRefusedInFrench([&] { rs->Delete(); }, "a deletion");
    EXPECT_EQ(rs->RecordCount(), 60);
    EXPECT_EQ(rs->Fields("NUMERO"), Value("6"));
    EXPECT_EQ(test::digestOf(path), before);
    db.reset();
    EXPECT_EQ(integrityOf(path), "ok");
}

} // namespace
