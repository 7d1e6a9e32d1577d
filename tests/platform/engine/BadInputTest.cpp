// Files and texts the engine must refuse without crashing and without writing anything.
#include "EngineFixture.h"
#include "TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <sqlite3.h>

using namespace carnelis;
using namespace carnelis::test;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

using BadInput = EngineFixture;

TEST_F(BadInput, FilesThatAreNoDatabaseAreRefusedInFrenchAndLeftAlone)
{
    const QString sound = makeCollection("MONNAIES", {{"1", "Écu", Value(), Value(), 1.0, Value()}});
    QFile original(sound);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray soundBytes = original.readAll();

    QByteArray random(4096, '\0');
    for (int i = 0; i < random.size(); ++i)
        random[i] = char((i * 7919 + 13) % 251);
    QByteArray jet(2048, '\0');
    jet.replace(4, 15, "Standard Jet DB");
    QByteArray ace(2048, '\0');
    ace.replace(4, 15, "Standard ACE DB");

    const struct {
        const char *name;
        QByteArray bytes;
        int number;
        const char *says;
    } cases[] = {
        {"TEXTE.MDB", "NUMERO;DESIGNATION\n1;Écu\n", err::NotADatabase, "n'est pas une base"},
        {"HASARD.MDB", random, err::NotADatabase, "n'est pas une base"},
        {"VIDE.MDB", {}, err::NotADatabase, "n'est pas une base"},
        {"TRONQUE.MDB", soundBytes.left(soundBytes.size() - 100), err::NotADatabase, "endommagé"},
        {"ENTETE.MDB", soundBytes.left(100), err::NotADatabase, "endommagé"},
        // A genuine Access header over nothing: read by the helper, found damaged.
        {"JET.MDB", jet, err::NotADatabase, "endommagé"},
        {"ACE.MDB", ace, err::NotADatabase, "endommagé"},
    };
    for (const auto &c : cases) {
        const QString path = pathOf(c.name);
        writeFile(path, c.bytes);
        const QByteArray before = test::digestOf(path);
        const RuntimeError e = test::thrownBy([&] { DBEngine::OpenDatabase(path); });
        EXPECT_EQ(e.number(), c.number) << c.name;
        EXPECT_TRUE(e.text().contains(QString::fromUtf8(c.says))) << c.name << ": " << e.what();
        EXPECT_EQ(test::digestOf(path), before) << c.name;
        EXPECT_FALSE(QFile::exists(path + "-journal")) << c.name;
    }
    EXPECT_THROW(DBEngine::OpenDatabase(pathOf("ABSENT.MDB")), RuntimeError);
    EXPECT_FALSE(QFile::exists(pathOf("ABSENT.MDB")));
    EXPECT_THROW(DBEngine::OpenDatabase(dir.path()), RuntimeError);
}

TEST_F(BadInput, EveryStatementButOneSelectOnOneTableIsRefusedAndChangesNothing)
{
    const QString path = makeCollection("MONNAIES", {{"1", "Écu", Value(), Value(), 1.0, Value()}});
    const QByteArray before = test::digestOf(path);
    const struct {
        const char *sql;
        int number;
    } cases[] = {
        {"DELETE FROM MONNAIES", err::SyntaxError},
        {"UPDATE MONNAIES SET COTE = 0", err::SyntaxError},
        {"DROP TABLE MONNAIES", err::SyntaxError},
        {"SELECT * FROM MONNAIES; DELETE FROM MONNAIES", err::SyntaxError},
        {"SELECT * FROM MONNAIES WHERE DESIGNATION = ('x'); DROP TABLE MONNAIES", err::SyntaxError},
        {"SELECT * FROM MONNAIES WHERE DESIGNATION = ('L'ÉCU')", err::SyntaxError},
        {"SELECT * FROM MONNAIES WHERE DESIGNATION = ('x') --", err::SyntaxError},
        {"SELECT NUMERO FROM MONNAIES", err::SyntaxError},
        {"SELECT * FROM MONNAIES, ADRESSES", err::SyntaxError},
        {"SELECT * FROM MONNAIES WHERE", err::SyntaxError},
        {"SELECT * FROM MONNAIES WHERE (COTE > 1", err::SyntaxError},
        {"SELECT * FROM MONNAIES WHERE COTE =  12,5", err::SyntaxError},
        {"SELECT * FROM MONNAIES WHERE sqlite_version() = 1", err::UnknownFunction},
        {"SELECT * FROM MONNAIES WHERE Mid(DESIGNATION, 1) = 'x'", err::UnknownFunction},
        {"SELECT * FROM MONNAIES WHERE PRIX = 1", err::UnknownName},
        {"SELECT * FROM MONNAIES WHERE MONNAIES.COTE =  ABC", err::UnknownName},
        {"SELECT * FROM MONNAIES WHERE TIMBRES.COTE = 1", err::UnknownName},
        {"SELECT * FROM MONNAIES ORDER BY rowid", err::UnknownName},
        {"SELECT * FROM TIMBRES", err::UnknownTable},
        {"SELECT * FROM sqlite_temp_master", err::UnknownTable},
        {"SELECT * FROM MONNAIES WHERE COTE", err::TypeMismatch},
        {"SELECT * FROM MONNAIES WHERE (COTE = 1) > 0", err::TypeMismatch},
        {"", err::SyntaxError},
    };
    for (const auto &c : cases) {
        const RuntimeError e = test::thrownBy([&] { query(path, QString::fromUtf8(c.sql)); });
        EXPECT_EQ(e.number(), c.number) << c.sql << ": " << e.what();
        EXPECT_FALSE(e.text().isEmpty());
    }
    database_.reset();
    EXPECT_EQ(test::digestOf(path), before);
}

TEST_F(BadInput, AReadOnlyFileOpensForReadingAndRefusesEveryWrite)
{
    const QString path = makeCollection("MONNAIES", {{"1", "Écu", Value(), Value(), 1.0, Value()}});
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QByteArray before = test::digestOf(path);

    auto rs = query(path, "SELECT * FROM MONNAIES ORDER BY NUMERO");
    EXPECT_TRUE(database_->isReadOnly());
    EXPECT_TRUE(rs->isReadOnly());
    EXPECT_EQ(rs->Fields("DESIGNATION"), Value("Écu"));
    for (const auto &write :
         std::vector<std::function<void()>>{[&] { rs->Edit(); }, [&] { rs->AddNew(); }, [&] { rs->Delete(); }}) {
        const RuntimeError e = test::thrownBy([&] { write(); });
        EXPECT_EQ(e.number(), err::ReadOnly);
        EXPECT_TRUE(e.text().contains("base de données en lecture seule"));
    }
    EXPECT_EQ(rs->RecordCount(), 1);
    database_.reset();
    EXPECT_EQ(test::digestOf(path), before);
}

TEST_F(BadInput, AFileInAFolderNobodyMayWriteToOpensForReading)
{
    QDir(dir.path()).mkdir("archives");
    const QString path = makeCollection("MONNAIES", {{"1", "Écu", Value(), Value(), 1.0, Value()}}, "archives/C.MDB");
    const QString folder = dir.filePath("archives");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    auto rs = query(path, "SELECT * FROM MONNAIES");
    EXPECT_TRUE(rs->isReadOnly());
    EXPECT_THROW(rs->Delete(), RuntimeError);
    EXPECT_EQ(rs->RecordCount(), 1);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(BadInput, AFileLockedByAnotherProgramWaitsThenFailsWithNothingHalfWritten)
{
    const QString path = makeCollection(
        "MONNAIES", {{"1", "Écu", Value(), Value(), 1.0, Value()}, {"2", "Sou", Value(), Value(), 2.0, Value()}});
    auto rs = query(path, "SELECT * FROM MONNAIES ORDER BY NUMERO");

    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    rs->Edit();
    rs->setField("DESIGNATION", "Louis");
    QElapsedTimer waited;
    waited.start();
    EXPECT_EQ(test::thrownBy([&] { rs->Update(); }).number(), err::Locked);
    EXPECT_GE(waited.elapsed(), 1500);
    rs->CancelUpdate();
    EXPECT_EQ(test::thrownBy([&] { rs->Delete(); }).number(), err::Locked);
    EXPECT_EQ(rs->RecordCount(), 2);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    // Once released, the same recordset writes normally.
    rs->Edit();
    rs->setField("DESIGNATION", "Louis");
    rs->Update();
    EXPECT_EQ(column(*query(path, "SELECT * FROM MONNAIES ORDER BY NUMERO"), "DESIGNATION"),
              QStringList({"Louis", "Sou"}));
}

} // namespace
