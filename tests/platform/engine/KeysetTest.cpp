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

    QString path;
};

TEST_F(Keyset, DeleteThenMoveNextGoesToTheFollowingRow)
{
    auto rs = open();
    rs->setAbsolutePosition(1);
    rs->Delete();
    EXPECT_EQ(rs->RecordCount(), 4);
    EXPECT_EQ(rs->AbsolutePosition(), -1);
    EXPECT_FALSE(rs->isEOF());
    EXPECT_EQ(thrownBy([&] { rs->Fields("NUMERO"); }).number(), err::RecordDeleted);
    rs->MoveNext();
    EXPECT_EQ(rs->Fields("NUMERO"), Value("3"));
    EXPECT_EQ(rs->AbsolutePosition(), 1);

    // The last row: after its deletion MoveNext reaches the end.
    rs->MoveLast();
    rs->Delete();
    rs->MoveNext();
    EXPECT_TRUE(rs->isEOF());
    EXPECT_EQ(thrownBy([&] { rs->MoveNext(); }).number(), err::NoCurrentRecord);

    EXPECT_EQ(column(*open(), "NUMERO"), QStringList({"1", "3", "4"}));
}

TEST_F(Keyset, APositionOutOfRangeIsRefusedAndTheCurrentRowStays)
{
    auto rs = open();
    rs->setAbsolutePosition(3);
    for (int bad : {-1, 5, 1000}) {
        EXPECT_EQ(thrownBy([&] { rs->setAbsolutePosition(bad); }).number(), err::InvalidPosition) << bad;
        EXPECT_EQ(rs->AbsolutePosition(), 3);
    }
    auto empty = query(path, "SELECT * FROM MONNAIES WHERE NUMERO = ('none')");
    EXPECT_EQ(empty->RecordCount(), 0);
    EXPECT_EQ(empty->AbsolutePosition(), -1);
    EXPECT_TRUE(empty->isEOF());
    EXPECT_EQ(thrownBy([&] { empty->setAbsolutePosition(0); }).number(), err::InvalidPosition);
    EXPECT_EQ(thrownBy([&] { empty->MoveLast(); }).number(), err::NoCurrentRecord);
    EXPECT_EQ(thrownBy([&] { empty->Fields("COTE"); }).number(), err::NoCurrentRecord);
}

TEST_F(Keyset, ANewRowGoesAtTheEndOfTheKeysetAndIntoTheFile)
{
    auto rs = open();
    rs->setAbsolutePosition(2);
    rs->AddNew();
    rs->setField("numero", "0");
    rs->setField("COTE", "12.5");
    rs->Update();
    EXPECT_EQ(rs->RecordCount(), 6);
    EXPECT_EQ(rs->AbsolutePosition(), 2);
    EXPECT_EQ(rs->valueAt(5, 0), Value("0"));
    EXPECT_EQ(rs->valueAt(5, 4), Value(12.5));
    // Ordered again, the new row takes its natural place.
    EXPECT_EQ(column(*open(), "NUMERO"), QStringList({"0", "1", "2", "3", "4", "5"}));
}

TEST_F(Keyset, AnEditIsOnDiskOnceTheRowIsLeft)
{
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
        rs->MoveFirst(); // so does going back to the first
        database_->Close();
    }
    auto again = open();
    EXPECT_EQ(column(*again, "DESIGNATION"), QStringList({"Louis d'or", "Pièce 2", "Sou", "Pièce 4", "Pièce 5"}));
}

TEST_F(Keyset, AValueThatDoesNotFitIsRefusedBeforeAnythingIsWritten)
{
    auto rs = open();
    rs->Edit();
    EXPECT_EQ(thrownBy([&] { rs->setField("COTE", "douze"); }).number(), err::TypeMismatch);
    EXPECT_EQ(thrownBy([&] { rs->setField("PRIX", 1.0); }).number(), err::ItemNotFound);
    rs->setField("COTE", "");
    rs->setField("NUMERO", 7.0);
    rs->Update();
    auto stored = query(path, "SELECT * FROM MONNAIES WHERE NUMERO = ('7')");
    ASSERT_EQ(stored->RecordCount(), 1);
    EXPECT_TRUE(stored->Fields("COTE").isNull());
    EXPECT_EQ(thrownBy([&] { rs->setField("COTE", 1.0); }).number(), err::NoEditInProgress);
}

TEST_F(Keyset, ARowRemovedByAnotherProgramReadsAsNull)
{
    auto rs = open();
    rawSql(path, "DELETE FROM MONNAIES WHERE NUMERO = '2'");
    EXPECT_EQ(rs->RecordCount(), 5);
    EXPECT_TRUE(rs->valueAt(1, 0).isNull());
    rs->setAbsolutePosition(1);
    rs->Edit();
    rs->setField("DESIGNATION", "x");
    EXPECT_EQ(thrownBy([&] { rs->Update(); }).number(), err::RecordDeleted);
}

TEST_F(Keyset, PastTheFirstPageTheOrderCountAndEditsHold)
{
    Rows rows;
    for (int i = 0; i < 200; ++i)
        rows.push_back(row(QString::number((i * 37) % 200)));
    const QString big = makeCollection("GRAND", rows, "GRAND.MDB");
    auto rs = query(big, "SELECT * FROM GRAND ORDER BY NUMERO");
    EXPECT_EQ(rs->RecordCount(), 200);
    QStringList walked;
    for (; !rs->isEOF(); rs->MoveNext())
        walked << rs->Fields("NUMERO").text();
    QStringList expected;
    for (int i = 0; i < 200; ++i)
        expected << QString::number(i);
    EXPECT_EQ(walked, expected);

    rs = query(big, "SELECT * FROM GRAND ORDER BY NUMERO");
    for (int i = 0; i < 100; ++i)
        rs->MoveNext();
    EXPECT_EQ(rs->AbsolutePosition(), 100);
    rs->setAbsolutePosition(150);
    rs->Delete();
    EXPECT_EQ(rs->RecordCount(), 199);
    rs->MoveNext();
    EXPECT_EQ(rs->Fields("NUMERO"), Value("151"));
    rs->AddNew();
    rs->setField("NUMERO", "1000");
    rs->Update();
    EXPECT_EQ(rs->valueAt(199, 0), Value("1000"));
    rs->MoveLast();
    EXPECT_EQ(rs->AbsolutePosition(), 199);
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

TEST_F(Keyset, RowsAreReadByPagesOnlyWhenLookedAt)
{
    Rows rows;
    for (int i = 0; i < 1000; ++i)
        rows.push_back(row(QString::number(i)));
    const QString big = makeCollection("GRAND", rows, "GRAND.MDB");
    auto rs = query(big, "SELECT * FROM GRAND ORDER BY NUMERO");
    EXPECT_EQ(rs->RecordCount(), 1000);
    EXPECT_EQ(rs->pagesFetched(), 0);
    EXPECT_EQ(rs->valueAt(999, 0), Value("999"));
    EXPECT_EQ(rs->valueAt(500, 0), Value("500"));
    EXPECT_EQ(rs->valueAt(501, 0), Value("501"));
    EXPECT_EQ(rs->pagesFetched(), 2);
}

} // namespace
