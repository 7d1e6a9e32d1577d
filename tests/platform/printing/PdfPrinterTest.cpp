#include "PdfPrinter.h"
#include "CupsPaper.h"
#include "RecordingPrinter.h"
#include "RuntimeError.h"
#include "SystemPrinter.h"

#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

TEST(PdfPrinter, TextStandsInItsColumnsAndTheFontIsTheMonospacedTwin)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("colonnes.pdf");
    PdfPrinter printer(path);
    printer.setFontName("Courier new");
    printer.setFontSize(10);
    EXPECT_EQ(printer.FontName(), "Liberation Mono");
    EXPECT_EQ(printer.FontSize(), 10.0);
    printer.setCurrentY(2);
    printer.Print({PrintItem::Tab(4), "NUMÉRO", PrintItem::Tab(41), "VALEUR", PrintItem::Tab(82), "REMARQUE"});
    printer.Line(0.5, printer.CurrentY() + 0.2, 20, printer.CurrentY() + 0.2);
    printer.Print({PrintItem::Tab(12), "deuxième ligne", PrintItem::Tab(75), 12.5});
    printer.NewPage();
    printer.Print({PrintItem::Tab(4), "page deux"});
    EXPECT_FALSE(QFile::exists(path)); // nothing shows before the document ends
    printer.EndDoc();

    const QStringList pages = pdfPages(path);
    ASSERT_EQ(pages.size(), 2);
    QStringList lines = pages[0].split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    // The 5 mm margin adds the same few columns to every line.
    const qsizetype margin = lines[0].indexOf("NUMÉRO") - 3;
    EXPECT_GE(margin, 0);
    EXPECT_EQ(lines[0].indexOf("VALEUR") - margin, 40);
    EXPECT_EQ(lines[0].indexOf("REMARQUE") - margin, 81);
    EXPECT_EQ(lines[1].indexOf("deuxième") - margin, 11);
    EXPECT_EQ(lines[1].indexOf("12.5") - margin, 75);
    EXPECT_TRUE(pages[1].contains("page deux"));
}

TEST(PdfPrinter, AnAbandonedDocumentLeavesTheFormerFileUntouched)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("rapport.pdf");
    {
        QFile former(path);
        ASSERT_TRUE(former.open(QIODevice::WriteOnly));
        former.write("ancien");
    }
    {
        PdfPrinter printer(path);
        printer.Print({"à moitié"});
        printer.KillDoc();
        PdfPrinter left(path);
        left.Print({"jamais terminé"});
    } // destroyed with its document open
    QFile former(path);
    ASSERT_TRUE(former.open(QIODevice::ReadOnly));
    EXPECT_EQ(former.readAll(), "ancien");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(PdfPrinter, AFolderThatCannotBeWrittenIsARuntimeError)
{
    PdfPrinter printer("/nonexistent-folder/rapport.pdf");
    try {
        printer.Print({"x"});
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), err::PermissionDenied);
        EXPECT_TRUE(e.text().contains("rapport.pdf"));
    }
    EXPECT_FALSE(printer.isDocumentOpen());
}

TEST(SystemPrinter, NoPrinterInstalledIsADeviceNotAnswering)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer is installed here";
    SystemPrinter printer;
    try {
        printer.Print({"x"});
        FAIL() << "no error";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), err::DeviceNotAnswering);
    }
    EXPECT_FALSE(printer.isDocumentOpen());
}

TEST(SystemPrinter, CupsReasonsTellPaperOutFromAStoppedPrinter)
{
    EXPECT_EQ(readinessFromCups("3", "none"), CupsReadiness::Ready);
    EXPECT_EQ(readinessFromCups("4", "media-empty-warning"), CupsReadiness::OutOfPaper);
    EXPECT_EQ(readinessFromCups("5", "paused,media-needed-error"), CupsReadiness::OutOfPaper);
    EXPECT_EQ(readinessFromCups("5", "paused"), CupsReadiness::Stopped);
    EXPECT_EQ(readinessFromCups("4", "media-low-report"), CupsReadiness::Ready);
}

} // namespace
