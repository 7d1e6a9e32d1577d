// The table view on a genuine Access file: shown, filtered and printed like a native
// file, never written.
#include "GridFixture.h"
#include "JetSamples.h"
#include "RecordingPrinter.h"

#include <QAction>
#include <QLabel>
#include <QTest>

using namespace carnelis;
using namespace carnelis::test;

namespace {

class GenuineAccessView : public GridFixture {};

TEST_F(GenuineAccessView, RefusesEditsOnceALoadAndDeletionsFiltersAndPrintsAndLeavesTheFileAlone)
{
    if (!jetSamplesPresent())
        GTEST_SKIP() << "dossier des fichiers Access d'exemple absent";
    writeAll(path(), genuineCollectionJet3());
    const QByteArray before = readAll(path());
    const DialogCall notice =
        DialogCall::msgBox("Ce fichier est au format Access d'origine : il s'ouvre en lecture "
                           "seule. Pour le modifier, convertissez-le avec carnelis-base importer.",
                           48);
    choose("Table1");
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(model().rowCount(), 7); // no new-row line
    EXPECT_EQ(view().windowTitle(), " Table Sélectionnée Table1 issue de COLLECTION.MDB (lecture seule)");
    EXPECT_EQ(shownColumn(0).first(), QString()); // Null NUMERO first, as Jet orders
    dialogs.clearTranscript();
    dialogs.answerMsgBox(vb::OK);
    for (const Qt::Key key : {Qt::Key_X, Qt::Key_Y, Qt::Key_F2})
        QTest::keyClick(&table(), key);
    ASSERT_EQ(dialogs.boxes(), std::vector<DialogCall>{notice}); // once, no title
    EXPECT_EQ(view().LigneSauvee, -1);
    dialogs.answerMsgBox(vb::Yes);
    dialogs.answerMsgBox(vb::OK);
    view().EffacerLigne->trigger();
    EXPECT_EQ(dialogs.boxes().back(), DialogCall::msgBox("Cette manoeuvre provoque une Erreur.", vb::Critical,
                                                         QStringLiteral(" Erreur de Système.")));
    EXPECT_EQ(model().recordCount(), 7);

    // A new load, filtered this time, says it again, once; and prints what it shows.
    grid.Unload();
    choose("Table1", 2, "Contient", "COL2");
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(shownColumn(1), (QStringList{"row5col2", "row6col2", "row4col2"}));
    EXPECT_TRUE(view().Label1->text().endsWith(" - Lignes:  3"));
    dialogs.clearTranscript();
    dialogs.answerMsgBox(vb::OK);
    QTest::keyClick(&table(), Qt::Key_X);
    QTest::keyClick(&table(), Qt::Key_X);
    EXPECT_EQ(dialogs.boxes(), std::vector<DialogCall>{notice});
    EXPECT_EQ(dialogs.unusedAnswers(), 0);

    view().Imprimer->trigger();
    ASSERT_EQ(printer.documents().size(), 1u);
    const QString printed = printer.documents()[0].at(0).texts().join(u'\n');
    for (const char *designation : {"row5col2", "row6col2", "row4col2"})
        EXPECT_TRUE(printed.contains(QString::fromUtf8(designation))) << printed.toStdString();
    EXPECT_FALSE(printed.contains("row2col3"));
    EXPECT_EQ(readAll(path()), before) << "the genuine file was written to";
}

} // namespace
