#include "GridFixture.h"
#include "TestFiles.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <sqlite3.h>

using namespace carnelis;
using namespace carnelis::test;

namespace {

const QString Pencil = QStringLiteral("\u270E");

class GridEditTest : public GridFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(show({row("1", "Cérès", "0,25 bleu", "Neuf", 45.0), row("2", "Semeuse", "0,10 vert", "TB", 3.0),
                          row("3", "Marianne", "1,50 rouge", "B", 12.5)}));
        QObject::connect(view().DBGrid1, &DataGrid::rowWritten, [this] { ++written; });
    }
    QLineEdit *editor() { return qobject_cast<QLineEdit *>(table().gridDelegate()->openEditor()); }
    // Types into a cell and presses Enter, as many times as there are cells given.
    void enter(std::initializer_list<std::tuple<int, int, QString>> cells)
    {
        for (const auto &[r, c, text] : cells) {
            typeInto(r, c, text);
            QTest::keyClick(editor(), Qt::Key_Return);
        }
    }
    QString selector(int row) { return model().headerData(row, Qt::Vertical).toString(); }

    int written = 0;
};

TEST_F(GridEditTest, AnEditIsWrittenOnlyWhenTheRowIsLeft)
{
    typeInto(1, 1, "Semeuse lignée");
    EXPECT_EQ(view().LigneSauvee, 0); // typing alone marks the row altered
    EXPECT_EQ(selector(1), Pencil);
    QTest::keyClick(editor(), Qt::Key_Return);
    enter({{1, 4, "7.5"}});
    EXPECT_EQ(selector(1), Pencil);
    EXPECT_EQ(inFile("TIMBRES", "DESIGNATION"), (QStringList{"Cérès", "Semeuse", "Marianne"}));

    clickCell(2, 0);
    EXPECT_EQ(inFile("TIMBRES", "DESIGNATION"), (QStringList{"Cérès", "Semeuse lignée", "Marianne"}));
    EXPECT_EQ(inFile("TIMBRES", "COTE"), (QStringList{"45.0", "7.5", "12.5"}));
    EXPECT_EQ(std::tuple(int(view().LigneSauvee), written, position()), std::tuple(-1, 1, 2));
    EXPECT_EQ(selector(2), QStringLiteral("\u25B6"));
}

// What is typed over a value with the same value, or an empty new-row line left, is no
// change: no pencil, no question on closing, nothing written, no empty row added.
TEST_F(GridEditTest, RetypingAValueOrLeavingTheNewRowLineEmptyChangesNothing)
{
    const QByteArray before = digestOf(path());
    enter({{1, 1, "Semeuse"}, {1, 4, "3.00"}, {3, 1, ""}});
    clickCell(0, 0);
    EXPECT_NE(selector(1), Pencil);
    EXPECT_NE(selector(3), Pencil);
    EXPECT_EQ(std::tuple(int(view().LigneSauvee), written, model().rowCount()), std::tuple(-1, 0, 4));
    EXPECT_EQ(digestOf(path()), before);
}

TEST_F(GridEditTest, TheLastLineTakesANewRowStartingWithCoteZero)
{
    enter({{3, 0, "4"}, {3, 1, "Sabine"}});
    EXPECT_EQ(shownColumn(4).at(3), "0.00");
    QTest::keyClick(&table(), Qt::Key_Down);
    EXPECT_EQ(inFile("TIMBRES", "NUMERO"), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(QStringList({inFile("TIMBRES", "DESIGNATION").last(), inFile("TIMBRES", "COTE").last()}),
              QStringList({"Sabine", "0.0"}));
    EXPECT_TRUE(model().isNewRowLine(4));
    EXPECT_EQ(std::tuple(model().rowCount(), gridRow(), int(view().LigneSauvee)), std::tuple(5, 4, -1));
}

TEST_F(GridEditTest, TextInCoteIsRefusedWithAMessageAndNothingIsWritten)
{
    dialogs.answerMsgBox(vb::OK);
    enter({{0, 4, "douze"}});
    QCoreApplication::processEvents(); // the editor hands its text over once back in the loop
    EXPECT_NE(selector(0), Pencil);
    EXPECT_EQ(view().LigneSauvee, -1);
    clickCell(1, 0);
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_TRUE(dialogs.boxes()[0].style == vb::Exclamation &&
                dialogs.boxes()[0].prompt.startsWith("La valeur « douze » ne convient pas à la colonne COTE"));
    EXPECT_EQ(std::pair(inFile("TIMBRES", "COTE"), written), std::pair(QStringList{"45.0", "3.0", "12.5"}, 0));
}

// A second click on the current cell opens its editor only after the double-click delay;
// a key typed meanwhile must still reach the cell.
TEST_F(GridEditTest, AKeyTypedRightAfterAClickOnTheCurrentCellIsKept)
{
    clickCell(3, 0);
    clickCell(3, 0);
    // The keyboard gives the key to whatever has the focus: the editor once it is open.
    QTest::keyClick(editor() ? static_cast<QWidget *>(editor()) : &table(), Qt::Key_1);
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    ASSERT_NE(editor(), nullptr);
    QTest::keyClicks(editor(), QStringLiteral("2"));
    QTest::keyClick(editor(), Qt::Key_Return);
    QCoreApplication::processEvents();
    QTest::keyClick(&table(), Qt::Key_Down);
    EXPECT_EQ(inFile("TIMBRES", "NUMERO"), (QStringList{"1", "2", "3", "12"}));
}

// Another program holds the file: leaving the row, then closing with Yes, each tell the
// person and keep the row current with its change, which goes in once the file is free.
TEST_F(GridEditTest, ARowThatCannotBeWrittenStaysPendingAndNothingIsLost)
{
    typeInto(0, 1, "Changé");
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(path().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    dialogs.clearTranscript();
    for (int answer : {vb::OK, vb::Yes, vb::OK})
        dialogs.answerMsgBox(answer);
    clickCell(1, 0);
    view().Quitter->trigger();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    const std::vector<DialogCall> boxes = dialogs.boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(std::pair(boxes[0].style, boxes[2].style), std::pair(vb::Critical, vb::Critical));
    EXPECT_TRUE(boxes[1].prompt.startsWith("ATTENTION ! Vous n'avez pas sauvegardé la ligne en cours."));
    ASSERT_TRUE(grid.isLoaded());
    EXPECT_EQ(std::tuple(model().hasPending(), gridRow(), int(view().LigneSauvee)), std::tuple(true, 0, 0));

    clickCell(1, 0);
    EXPECT_EQ(inFile("TIMBRES", "DESIGNATION"), (QStringList{"Changé", "Semeuse", "Marianne"}));
    EXPECT_EQ(std::pair(int(view().LigneSauvee), position()), std::pair(-1, 1));
}

// Rows chosen by their record selectors go with the Delete key, exactly those, and only
// after a question whose default is No: rows clicked with Ctrl, or Ctrl+A. The view then
// stands on the row that took the first deleted one's place, or on the last row; after No,
// where the user was.
struct SelectorDeletion {
    std::vector<int> selectors; // none: Ctrl+A
    int answer;
    QStringList left;
    int position;
};

class SelectorDeletionTest : public GridEditTest, public ::testing::WithParamInterface<SelectorDeletion> {};

TEST_P(SelectorDeletionTest, AsksOnceThenDeletesExactlyTheChosenRows)
{
    const SelectorDeletion d = GetParam();
    if (d.selectors.empty()) {
        clickCell(1, 1);
        QTest::keyClick(&table(), Qt::Key_A, Qt::ControlModifier);
    }
    for (int selector : d.selectors)
        clickSelector(selector, Qt::ControlModifier);
    dialogs.clearTranscript();
    dialogs.answerMsgBox(d.answer);
    QTest::keyClick(&table(), Qt::Key_Delete);
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_TRUE(dialogs.boxes()[0].style == vb::YesNo + vb::Exclamation + vb::DefaultButton2 &&
                dialogs.boxes()[0].prompt.contains(QStringLiteral(" %1 lignes ").arg(d.selectors.empty() ? 3 : 2)));
    EXPECT_EQ(inFile("TIMBRES", "NUMERO"), d.left);
    EXPECT_EQ(shownColumn(0), d.left + QStringList{""});
    EXPECT_EQ(position(), d.position);
}

INSTANTIATE_TEST_SUITE_P(Answers, SelectorDeletionTest,
                         ::testing::Values(SelectorDeletion{{0, 2}, vb::Yes, {"2"}, 0},
                                           SelectorDeletion{{0, 2}, vb::No, {"1", "2", "3"}, 2},
                                           SelectorDeletion{{1, 2}, vb::Yes, {"1"}, 0},
                                           SelectorDeletion{{}, vb::Yes, {}, -1},
                                           SelectorDeletion{{}, vb::No, {"1", "2", "3"}, 1}),
                         [](const auto &info) {
                             std::string name = info.param.selectors.empty() ? "tout" : "lignes";
                             for (int selector : info.param.selectors)
                                 name += "_" + std::to_string(selector);
                             return name + (info.param.answer == vb::Yes ? "_oui" : "_non");
                         });

// What a COTE cell reads from the keyboard: the user's locale or a point; nothing is Null.
TEST(CoteInput, ReadsTheUserLocaleOrAPoint)
{
    const struct {
        const char *locale, *typed;
        std::optional<Value> value; // nullopt: refused
    } cases[] = {
        {"fr_FR", "12,5", Value(12.5)},      {"fr_FR", "12.5", Value(12.5)}, {"fr_FR", "1\u202F234,5", Value(1234.5)},
        {"en_US", "1,234.5", Value(1234.5)}, {"C", "  -3 ", Value(-3.0)},    {"C", "", Value()},
        {"C", "12 francs", std::nullopt},    {"C", "inf", std::nullopt}};
    for (const auto &c : cases)
        EXPECT_EQ(coteFromTyped(QString::fromUtf8(c.typed), QLocale(QString::fromLatin1(c.locale))), c.value)
            << c.locale << " " << c.typed;
}

class ReadOnlyGridTest : public GridFixture {};

TEST_F(ReadOnlyGridTest, AReadOnlyFileShowsItsRowsAndSaysWhyTheyCannotBeChanged)
{
    writeCollection(path(), "TIMBRES", {row("1", "Cérès"), row("2", "Semeuse")});
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    choose("TIMBRES");
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(shownColumn(1), (QStringList{"Cérès", "Semeuse"})); // no new-row line
    EXPECT_TRUE(view().windowTitle().endsWith(" (lecture seule)"));
    dialogs.clearTranscript();

    // A key in a cell, and the Delete key on a row chosen by its selector, say the same; the
    // key moves nowhere, though "Semeuse" starts with it.
    for (int answer : {vb::OK, vb::OK, vb::Yes, vb::OK})
        dialogs.answerMsgBox(answer);
    clickCell(0, 1);
    QTest::keyClick(&table(), Qt::Key_S);
    EXPECT_EQ(position(), 0);
    clickSelector(0);
    QTest::keyClick(&table(), Qt::Key_Delete);
    ASSERT_EQ(dialogs.boxes().size(), 2u);
    for (const DialogCall &box : dialogs.boxes())
        EXPECT_TRUE(box.style == vb::Exclamation && box.prompt.contains("ne peut être que lu"))
            << box.prompt.toStdString();
    EXPECT_EQ(view().LigneSauvee, -1);

    view().EffacerLigne->trigger();
    EXPECT_EQ(dialogs.boxes().back().prompt, "Cette manoeuvre provoque une Erreur.");
    EXPECT_EQ(inFile("TIMBRES", "NUMERO"), (QStringList{"1", "2"}));
}

} // namespace
