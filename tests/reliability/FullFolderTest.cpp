// A catalogue on a small folder of its own (a tmpfs mount) that becomes full, or a folder
// whose rights are taken away, while the catalogue is open: every write fails with its
// French message, the file stays as it was, and the change waits to be stored once room is
// back. Mounting needs the right to do so; where the machine refuses, the tests skip.
#include "BadFiles.h"
#include "Collections.h"
#include "Engine.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace carnelis;

namespace {

class SmallFolder : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder = dir.filePath("petit");
    bool mounted = false;

    void SetUp() override
    {
        QDir().mkpath(folder);
        if (::mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", 0, "size=192k,mode=0755") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs folder here (" << std::strerror(errno) << ")";
        mounted = true;
    }
    void TearDown() override
    {
        if (mounted)
            ::umount2(folder.toLocal8Bit().constData(), MNT_DETACH);
    }

    QString makeCatalogue()
    {
        test::Rows rows;
        for (int i = 1; i <= 60; ++i)
            rows.push_back(test::row(QString::number(i), "Timbre " + QString::number(i), "rouge", "neuf", double(i)));
        return test::writeCollection(folder + "/COLLECTION.MDB", "COLL", rows);
    }
};

// The writes of the grid, each with a text big enough to need new pages.
const QString bigText = QString(20000, u'é');

TEST_F(SmallFolder, AFullFolderRefusesEachWriteAndTheEditWaitsForRoom)
{
    const QString path = makeCatalogue();
    auto db = DBEngine::OpenDatabase(path);
    auto rs = db->OpenRecordset("SELECT * FROM COLL ORDER BY NUMERO");
    {
        QFile filler(folder + "/REMPLI");
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    const QByteArray before = test::digestOf(path);
    const RuntimeError added = test::thrownBy([&] {
        rs->AddNew();
        rs->setField("NUMERO", "999");
        rs->setField("DIVERS", bigText);
        rs->Update();
    });
    rs->CancelUpdate();
    rs->setAbsolutePosition(3);
    rs->Edit();
    rs->setField("DIVERS", bigText);
    const RuntimeError edited = test::thrownBy([&] { rs->Update(); });
    for (const RuntimeError &e : {added, edited}) {
        EXPECT_EQ(e.number(), err::DiskFull) << e.what();
        EXPECT_EQ(e.text(), "Le disque est plein : rien n'a été enregistré.");
    }
    EXPECT_TRUE(rs->isEditing()) << "the refused edit must wait, not vanish";
    EXPECT_EQ(rs->RecordCount(), 60);
    EXPECT_EQ(test::digestOf(path), before);
    EXPECT_EQ(test::integrityOf(path), "ok");

    // Room again: the same edit is stored whole.
    QFile::remove(folder + "/REMPLI");
    rs->Update();
    db.reset();
    EXPECT_EQ(test::integrityOf(path), "ok");
    auto again = DBEngine::OpenDatabase(path)->OpenRecordset("SELECT * FROM COLL WHERE NUMERO = '4'");
    ASSERT_EQ(again->RecordCount(), 1);
    EXPECT_EQ(again->Fields("DIVERS"), Value(bigText));
}

// The folder's rights taken away while the catalogue is open (a share turned read-only):
// SQLite can no longer write its journal beside the file. Root may write anywhere, so the
// test takes the file rights of an ordinary user for its own thread (setfsuid) as root.
class FolderTurnedReadOnly : public SmallFolder {
protected:
    void SetUp() override { folder = dir.filePath("archives"); }
    void TearDown() override
    {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (::geteuid() == 0)
            ::setfsuid(0);
    }
};

TEST_F(FolderTurnedReadOnly, EveryWriteIsRefusedInFrenchAndTheFileStaysAsItWas)
{
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

    rs->setAbsolutePosition(5);
    for (const auto &write : std::vector<std::function<void()>>{[&] {
                                                                    rs->Edit();
                                                                    rs->setField("DESIGNATION", "Changé");
                                                                    rs->Update();
                                                                },
                                                                [&] {
                                                                    rs->AddNew();
                                                                    rs->setField("NUMERO", "999");
                                                                    rs->Update();
                                                                },
                                                                [&] { rs->Delete(); }}) {
        const RuntimeError e = test::thrownBy(write);
        EXPECT_EQ(e.number(), err::ReadOnly) << e.what();
        EXPECT_TRUE(e.text().contains("lecture seule")) << e.what();
        rs->CancelUpdate();
    }
    EXPECT_EQ(rs->RecordCount(), 60);
    EXPECT_EQ(rs->Fields("NUMERO"), Value("6"));
    EXPECT_EQ(test::digestOf(path), before);
    db.reset();
    EXPECT_EQ(test::integrityOf(path), "ok");
}

} // namespace
