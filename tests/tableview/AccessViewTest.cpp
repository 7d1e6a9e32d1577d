// The table view on a genuine Access file: shown, filtered and printed like a native
// file, never written.
#include "GridFixture.h"
#include "JetSamples.h"
#include "Printer.h"
#include "RecordingPrinter.h"

#include <QAction>
#include <QLabel>
#include <QTest>

using namespace carnelis;
using namespace carnelis::test;

namespace {

const QString accessNotice = QStringLiteral("Ce fichier est au format Access d'origine : il s'ouvre en lecture seule. "
                                            "Pour le modifier, convertissez-le avec carnelis-base importer.");

class GenuineAccessView : public GridFixture {
protected:
    void SetUp() override
    {
        if (!jetSamplesPresent()) {
            GTEST_SKIP() << "dossier des fichiers Access d'exemple absent";
        }
        writeAll(path(), genuineCollectionJet3());
        before = readAll(path());
    }
    void TearDown() override
    {
        if (!before.isEmpty()) {
            EXPECT_EQ(readAll(path()), before) << "the genuine file was written to";
        }
    }

    QByteArray before;
};

TEST_F(GenuineAccessView, RefusesEditsOnceALoadAndDeletionsAndLeavesTheFileAlone)
{
    choose(QStringLiteral("Table1"));
    ASSERT_NE(open(), nullptr) << dialogs.transcript().size();
    EXPECT_EQ(model().rowCount(), 7); // no new-row line
    EXPECT_EQ(view().windowTitle(),
              QStringLiteral(" Table Sélectionnée Table1 issue de COLLECTION.MDB (lecture seule)"));
    EXPECT_EQ(shownColumn(0).first(), QString()); // Null NUMERO first, as Jet orders
    dialogs.clearTranscript();

    dialogs.answerMsgBox(vb::OK);
    QTest::keyClick(&table(), Qt::Key_X);
    QTest::keyClick(&table(), Qt::Key_Y);
    QTest::keyClick(&table(), Qt::Key_F2);
    ASSERT_EQ(dialogs.boxes(), std::vector<DialogCall>{DialogCall::msgBox(accessNotice, 48)}); // once, no title
    EXPECT_EQ(view().LigneSauvee, -1);

    dialogs.answerMsgBox(vb::Yes);
    dialogs.answerMsgBox(vb::OK);
    view().EffacerLigne->trigger();
    EXPECT_EQ(dialogs.boxes().back(), DialogCall::msgBox(QStringLiteral("Cette manoeuvre provoque une Erreur."),
                                                         vb::Critical, QStringLiteral(" Erreur de Système.")));
    EXPECT_EQ(model().recordCount(), 7);
    EXPECT_EQ(dialogs.unusedAnswers(), 0);

    // A new load says it again, once.
    grid.Unload();
    ASSERT_NE(open(), nullptr);
    dialogs.clearTranscript();
    dialogs.answerMsgBox(vb::OK);
    QTest::keyClick(&table(), Qt::Key_X);
    QTest::keyClick(&table(), Qt::Key_X);
    EXPECT_EQ(dialogs.boxes(), std::vector<DialogCall>{DialogCall::msgBox(accessNotice, 48)});
}

TEST_F(GenuineAccessView, FiltersAndPrintsAsANativeFileDoes)
{
    struct RecorderInPlace {
        RecordingPrinter *device = new RecordingPrinter;
        std::unique_ptr<PrinterDevice> previous = replacePrinter(std::unique_ptr<PrinterDevice>(device));
        ~RecorderInPlace() { replacePrinter(std::move(previous)); }
    } recorder;
    RecordingPrinter *printer = recorder.device;

    choose(QStringLiteral("Table1"), 2, QStringLiteral("Contient"), QStringLiteral("COL2"));
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(shownColumn(1), (QStringList{"row5col2", "row6col2", "row4col2"}));
    EXPECT_TRUE(view().Label1->text().endsWith(QStringLiteral(" - Lignes:  3")));

    view().Imprimer->trigger();
    ASSERT_EQ(printer->documents().size(), 1u);
    const QString printed = printer->documents()[0].at(0).texts().join(u'\n');
    for (const char *designation : {"row5col2", "row6col2", "row4col2"})
        EXPECT_TRUE(printed.contains(QString::fromUtf8(designation))) << printed.toStdString();
    EXPECT_FALSE(printed.contains(QStringLiteral("row2col3")));
}

} // namespace
