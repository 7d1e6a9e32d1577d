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

class Folder : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder = dir.filePath("petit"), path = folder + "/COLLECTION.MDB";
    bool mounted = false;
    std::unique_ptr<Database> db;
    std::unique_ptr<Recordset> rs;

    void SetUp() override { QDir().mkpath(folder); }
    void TearDown() override
    {
        rs.reset();
        db.reset();
        EXPECT_EQ(test::integrityOf(path), "ok");
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (::geteuid() == 0)
            ::setfsuid(0);
        if (mounted)
            ::umount2(folder.toLocal8Bit().constData(), MNT_DETACH);
    }
    void openCatalogue()
    {
        test::Rows rows;
        for (int i = 1; i <= 60; ++i)
            rows.push_back(test::row(QString::number(i), "Timbre " + QString::number(i), "rouge", "neuf", double(i)));
        db = DBEngine::OpenDatabase(test::writeCollection(path, "COLL", rows));
        rs = db->OpenRecordset("SELECT * FROM COLL ORDER BY NUMERO");
    }
    // Each write of the grid (delete, add, edit), begun on the row at `position`: the
    // answers they get, with nothing changed in the file.
    std::vector<RuntimeError> everyWrite(int position, const QString &text)
    {
        const QByteArray before = test::digestOf(path);
        std::vector<RuntimeError> errors;
        for (const int write : {0, 1, 2}) {
            rs->CancelUpdate();
            rs->setAbsolutePosition(position);
            errors.push_back(test::thrownBy([&] {
                if (write == 0)
                    return rs->Delete();
                write == 1 ? rs->AddNew() : rs->Edit();
                if (write == 1)
                    rs->setField("NUMERO", "999");
                rs->setField("DIVERS", text);
                rs->Update();
            }));
        }
        EXPECT_EQ(rs->RecordCount(), 60);
        EXPECT_EQ(test::digestOf(path), before);
        return errors;
    }
};

TEST_F(Folder, AFullFolderRefusesEachWriteAndTheEditWaitsForRoom)
{
    if (::mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", 0, "size=192k,mode=0755") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs folder here (" << std::strerror(errno) << ")";
    mounted = true;
    openCatalogue();
    QFile filler(folder + "/REMPLI");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
    }
    filler.close();
    const QString big(20000, u'é'); // a text big enough to need new pages
    for (const RuntimeError &e : everyWrite(3, big)) {
        EXPECT_EQ(e.number(), err::DiskFull) << e.what();
        EXPECT_EQ(e.text(), "Le disque est plein : rien n'a été enregistré.");
    }
    EXPECT_TRUE(rs->isEditing()) << "the refused edit must wait, not vanish";

    // Room again: the same edit is stored whole.
    filler.remove();
    rs->Update();
    EXPECT_EQ(DBEngine::OpenDatabase(path)->OpenRecordset("SELECT * FROM COLL WHERE NUMERO = '4'")->Fields("DIVERS"),
              Value(big));
}

// The folder's rights taken away while the catalogue is open (a share turned read-only):
// SQLite can no longer write its journal beside the file. Root may write anywhere, so the
// test takes the file rights of an ordinary user for its own thread (setfsuid) as root.
TEST_F(Folder, TurnedReadOnlyEveryWriteIsRefusedInFrenchAndTheFileStaysAsItWas)
{
    if (::geteuid() == 0) {
        constexpr uid_t nobody = 65534;
        ASSERT_EQ(::chmod(dir.path().toLocal8Bit().constData(), 0711), 0);
        ASSERT_EQ(::chown(folder.toLocal8Bit().constData(), nobody, nobody), 0);
        ::setfsuid(nobody);
        if (int(::setfsuid(uid_t(-1))) != int(nobody))
            GTEST_SKIP() << "cannot take an ordinary user's file rights here";
    }
    openCatalogue();
    ASSERT_FALSE(rs->isReadOnly());
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    for (const RuntimeError &e : everyWrite(5, "Changé")) {
        EXPECT_EQ(e.number(), err::ReadOnly) << e.what();
        EXPECT_TRUE(e.text().contains("lecture seule")) << e.what();
    }
    rs->CancelUpdate();
    EXPECT_EQ(rs->Fields("NUMERO"), Value("6"));
}

} // namespace
