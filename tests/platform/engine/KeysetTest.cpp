// The recordset as a keyset cursor: positions, deletion, additions and edits that reach
// the file.
#include "EngineFixture.h"
#include "TestFiles.h"

using namespace carnelis;
using namespace carnelis::test;

namespace {

class Keyset : public EngineFixture {
protected:
    void SetUp() override
    {
        Rows rows;
        for (int i = 1; i <= 5; ++i)
            rows.push_back(row(QString::number(i), QStringLiteral("Pièce %1").arg(i), {}, {}, i * 10.0));
        path = makeCollection("MONNAIES", rows);
    }
    std::unique_ptr<Recordset> open() { return query(path, "SELECT * FROM MONNAIES ORDER BY NUMERO"); }
    static int errorOf(const std::function<void()> &action) { return thrownBy(action).number(); }

    QString path;
};

TEST_F(Keyset, DeletionAdditionAndPositionsOutOfRange)
{
    auto rs = open();
    rs->setAbsolutePosition(1);
    rs->Delete();
    EXPECT_EQ(rs->RecordCount(), 4);
    EXPECT_EQ(rs->AbsolutePosition(), -1);
    EXPECT_FALSE(rs->isEOF());
    EXPECT_EQ(errorOf([&] { rs->Fields("NUMERO"); }), err::RecordDeleted);
    rs->MoveNext();
    EXPECT_EQ(rs->Fields("NUMERO"), Value("3"));
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    for (int bad : {-1, 4, 1000}) {
        EXPECT_EQ(errorOf([&] { rs->setAbsolutePosition(bad); }), err::InvalidPosition) << bad;
        EXPECT_EQ(rs->AbsolutePosition(), 1);
    }
    // The last row: after its deletion MoveNext reaches the end.
    rs->MoveLast();
    rs->Delete();
    rs->MoveNext();
    EXPECT_TRUE(rs->isEOF());
    EXPECT_EQ(errorOf([&] { rs->MoveNext(); }), err::NoCurrentRecord);
    // A new row goes at the end of the keyset and into the file; ordered again, it takes its place.
    rs->setAbsolutePosition(1);
    rs->AddNew();
    rs->setField("numero", "0");
    rs->setField("COTE", "12.5");
    rs->Update();
    EXPECT_EQ(std::tuple(rs->RecordCount(), rs->AbsolutePosition()), std::tuple(4, 1));
    EXPECT_EQ(std::pair(rs->valueAt(3, 0), rs->valueAt(3, 4)), std::pair(Value("0"), Value(12.5)));
    EXPECT_EQ(column(*open(), "NUMERO"), QStringList({"0", "1", "3", "4"}));

    auto empty = query(path, "SELECT * FROM MONNAIES WHERE NUMERO = ('none')");
    EXPECT_EQ(std::tuple(empty->RecordCount(), empty->AbsolutePosition(), empty->isEOF()), std::tuple(0, -1, true));
    EXPECT_EQ(errorOf([&] { empty->setAbsolutePosition(0); }), err::InvalidPosition);
    EXPECT_EQ(errorOf([&] { empty->MoveLast(); }), err::NoCurrentRecord);
    EXPECT_EQ(errorOf([&] { empty->Fields("COTE"); }), err::NoCurrentRecord);
}

TEST_F(Keyset, AnEditIsOnDiskOnceTheRowIsLeft)
{
    auto rs = open();
    rs->Edit();
    rs->setField("Designation", "Louis d'or");
    EXPECT_EQ(rs->Fields("DESIGNATION"), Value("Louis d'or"));
    rs->MoveNext(); // leaving the row stores it
    rs->Edit();
    rs->setField("DESIGNATION", "jamais écrit");
    rs->CancelUpdate();
    rs->MoveNext();
    rs->Edit();
    rs->setField("DESIGNATION", "Sou");
    // A value that does not fit is refused before anything is written.
    EXPECT_EQ(errorOf([&] { rs->setField("COTE", "douze"); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([&] { rs->setField("PRIX", 1.0); }), err::ItemNotFound);
    rs->setField("COTE", "");
    rs->MoveFirst(); // so does going back to the first
    EXPECT_EQ(errorOf([&] { rs->setField("COTE", 1.0); }), err::NoEditInProgress);
    database_->Close();
    // A row removed by another program reads as Null, and its edit is refused.
    rs = open();
    rawSql(path, "DELETE FROM MONNAIES WHERE NUMERO = '2'");
    EXPECT_EQ(column(*rs, "DESIGNATION"), QStringList({"Louis d'or", "", "Sou", "Pièce 4", "Pièce 5"}));
    EXPECT_EQ(column(*rs, "COTE"), QStringList({"10", "", "", "40", "50"}));
    EXPECT_TRUE(rs->valueAt(1, 0).isNull());
    rs->setAbsolutePosition(1);
    rs->Edit();
    rs->setField("DESIGNATION", "x");
    EXPECT_EQ(errorOf([&] { rs->Update(); }), err::RecordDeleted);
}

TEST_F(Keyset, PastTheFirstPageTheOrderCountAndEditsHold)
{
    Rows rows;
    QStringList expected;
    for (int i = 0; i < 1000; ++i) {
        rows.push_back(row(QString::number((i * 37) % 1000)));
        expected << QString::number(i);
    }
    path = makeCollection("MONNAIES", rows, "GRAND.MDB");
    auto rs = open();
    EXPECT_EQ(rs->RecordCount(), 1000);
    EXPECT_EQ(rs->valueAt(999, 0), Value("999"));
    EXPECT_EQ(rs->valueAt(500, 0), Value("500"));
    EXPECT_EQ(rs->valueAt(501, 0), Value("501"));
    EXPECT_EQ(column(*rs, "NUMERO"), expected);

    for (int i = 0; i < 100; ++i)
        rs->MoveNext();
    EXPECT_EQ(rs->AbsolutePosition(), 100);
    rs->setAbsolutePosition(150);
    rs->Delete();
    rs->MoveNext();
    EXPECT_EQ(rs->Fields("NUMERO"), Value("151"));
    rs->AddNew();
    rs->setField("NUMERO", "1000");
    rs->Update();
    EXPECT_EQ(rs->valueAt(999, 0), Value("1000"));
    rs->MoveLast();
    EXPECT_EQ(rs->AbsolutePosition(), 999);
    // Unordered, the first page is read before the rows are counted, the criterion bound to both.
    EXPECT_EQ(query(path, "SELECT * FROM MONNAIES WHERE NUMERO <> 'x'")->RecordCount(), 1000);
}

TEST_F(Keyset, AColumnNamedRowidDoesNotHideTheRowId)
{
    rawSql(path, "CREATE TABLE bizarre (rowid TEXT, NUMERO TEXT);"
                 "INSERT INTO bizarre VALUES ('deux', '2'), ('un', '1'), ('trois', '3')");
    auto rs = query(path, "SELECT * FROM bizarre ORDER BY NUMERO");
    EXPECT_EQ(column(*rs, "rowid"), QStringList({"un", "deux", "trois"}));
    rs->Delete();
    rs->MoveNext();
    rs->Edit();
    rs->setField("NUMERO", "20");
    rs->Update();
    EXPECT_EQ(column(*query(path, "SELECT * FROM bizarre ORDER BY NUMERO"), "NUMERO"), QStringList({"3", "20"}));
}

} // namespace
