// Files and texts the engine must refuse without crashing and without writing anything.
#include "BadFiles.h"
#include "EngineFixture.h"
#include "TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <sqlite3.h>

using namespace carnelis;
using namespace carnelis::test;

namespace {

using BadInput = EngineFixture;

TEST_F(BadInput, FilesThatAreNoCollectionAreRefusedInFrenchAndLeftAlone)
{
    for (const BadFile &f : writeBadFiles(dir.path())) {
        const QByteArray before = digestOf(f.path);
        const RuntimeError e = thrownBy([&] { query(f.path, "SELECT * FROM TIMBRES"); });
        EXPECT_EQ(e.number(), f.number) << f.path.toStdString() << ": " << e.what();
        EXPECT_TRUE(e.text().contains(QString::fromUtf8(f.says))) << e.what();
        database_.reset();
        EXPECT_EQ(digestOf(f.path), before) << f.path.toStdString();
        EXPECT_FALSE(QFile::exists(f.path + "-journal")) << f.path.toStdString();
    }
    EXPECT_FALSE(QFile::exists(pathOf("ABSENT.MDB")));
}

TEST_F(BadInput, EveryStatementButOneSelectOnOneTableIsRefusedAndChangesNothing)
{
    const QString path = makeCollection("MONNAIES", {row("1", "Écu", {}, {}, 1.0)});
    const QByteArray before = digestOf(path);
    const std::pair<int, QStringList> cases[] = {
        {err::SyntaxError,
         {"DELETE FROM MONNAIES", "UPDATE MONNAIES SET COTE = 0", "DROP TABLE MONNAIES",
          "SELECT * FROM MONNAIES; DELETE FROM MONNAIES",
          "SELECT * FROM MONNAIES WHERE DESIGNATION = ('x'); DROP TABLE MONNAIES",
          "SELECT * FROM MONNAIES WHERE DESIGNATION = ('L'ÉCU')", "SELECT * FROM MONNAIES WHERE DESIGNATION = ('x') --",
          "SELECT NUMERO FROM MONNAIES", "SELECT * FROM MONNAIES, ADRESSES", "SELECT * FROM MONNAIES WHERE",
          "SELECT * FROM MONNAIES WHERE (COTE > 1", "SELECT * FROM MONNAIES WHERE COTE =  12,5", ""}},
        {err::UnknownFunction,
         {"SELECT * FROM MONNAIES WHERE sqlite_version() = 1",
          "SELECT * FROM MONNAIES WHERE Mid(DESIGNATION, 1) = 'x'"}},
        {err::UnknownName,
         {"SELECT * FROM MONNAIES WHERE PRIX = 1", "SELECT * FROM MONNAIES WHERE MONNAIES.COTE =  ABC",
          "SELECT * FROM MONNAIES WHERE TIMBRES.COTE = 1", "SELECT * FROM MONNAIES ORDER BY rowid"}},
        {err::UnknownTable, {"SELECT * FROM TIMBRES", "SELECT * FROM sqlite_temp_master"}},
        {err::TypeMismatch, {"SELECT * FROM MONNAIES WHERE COTE", "SELECT * FROM MONNAIES WHERE (COTE = 1) > 0"}},
    };
    for (const auto &[number, statements] : cases)
        for (const QString &sql : statements) {
            const RuntimeError e = thrownBy([&] { query(path, sql); });
            EXPECT_EQ(e.number(), number) << sql.toStdString() << ": " << e.what();
            EXPECT_FALSE(e.text().isEmpty());
        }
    database_.reset();
    EXPECT_EQ(digestOf(path), before);
}

// A read-only file, and a file in a folder nobody may write to (no journal possible).
TEST_F(BadInput, AFileThatCannotBeWrittenOpensForReadingAndRefusesEveryWrite)
{
    QDir(dir.path()).mkdir("archives");
    const QString file = makeCollection("MONNAIES", {row("1", "Écu")}, "LECTURE.MDB");
    const QString inFolder = makeCollection("MONNAIES", {row("1", "Écu")}, "archives/C.MDB");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::setPermissions(dir.filePath("archives"), QFile::ReadOwner | QFile::ExeOwner);
    for (const QString &path : {file, inFolder}) {
        const QByteArray before = digestOf(path);
        auto rs = query(path, "SELECT * FROM MONNAIES ORDER BY NUMERO");
        EXPECT_TRUE(database_->isReadOnly() && rs->isReadOnly());
        EXPECT_EQ(rs->Fields("DESIGNATION"), Value("Écu"));
        for (const auto &write :
             std::vector<std::function<void()>>{[&] { rs->Edit(); }, [&] { rs->AddNew(); }, [&] { rs->Delete(); }}) {
            const RuntimeError e = thrownBy(write);
            EXPECT_EQ(e.number(), err::ReadOnly);
            EXPECT_TRUE(e.text().contains("base de données en lecture seule"));
        }
        EXPECT_EQ(rs->RecordCount(), 1);
        database_.reset();
        EXPECT_EQ(digestOf(path), before);
    }
    QFile::setPermissions(dir.filePath("archives"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(BadInput, AFileLockedByAnotherProgramWaitsThenFailsWithNothingHalfWritten)
{
    const QString path = makeCollection("MONNAIES", {row("1", "Écu"), row("2", "Sou")});
    auto rs = query(path, "SELECT * FROM MONNAIES ORDER BY NUMERO");
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    rs->Edit();
    rs->setField("DESIGNATION", "Louis");
    QElapsedTimer waited;
    waited.start();
    EXPECT_EQ(thrownBy([&] { rs->Update(); }).number(), err::Locked);
    EXPECT_GE(waited.elapsed(), 1500);
    rs->CancelUpdate();
    EXPECT_EQ(thrownBy([&] { rs->Delete(); }).number(), err::Locked);
    EXPECT_EQ(rs->RecordCount(), 2);
    sqlite3_close_v2(other); // rolls back and releases

    // Once released, the same recordset writes normally.
    rs->Edit();
    rs->setField("DESIGNATION", "Louis");
    rs->Update();
    EXPECT_EQ(column(*query(path, "SELECT * FROM MONNAIES ORDER BY NUMERO"), "DESIGNATION"),
              QStringList({"Louis", "Sou"}));
}

} // namespace
