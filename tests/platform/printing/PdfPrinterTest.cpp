// The real backends: a PDF read back, a document abandoned, a printer that cannot print.
#include "PdfPrinter.h"
#include "CupsPaper.h"
#include "RecordingPrinter.h"
#include "SystemPrinter.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

TEST(PdfPrinter, TextStandsInItsColumnsInTheMonospacedTwinAndAnAbandonedDocumentLeavesTheFileAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("colonnes.pdf");
    PdfPrinter printer(path);
    printer.setFontName("Courier new");
    EXPECT_EQ(printer.FontName(), "Liberation Mono");
    printer.Print({PrintItem::Tab(4), "NUMÉRO", PrintItem::Tab(41), "VALEUR", PrintItem::Tab(82), "REMARQUE"});
    printer.Line(0.5, 0.6, 20, 0.6);
    printer.Print({PrintItem::Tab(12), "deuxième ligne", PrintItem::Tab(75), 12.5});
    printer.NewPage();
    printer.Print({"page deux"});
    EXPECT_FALSE(QFile::exists(path)); // nothing shows before the document ends
    printer.EndDoc();

    const QStringList pages = pdfPages(path);
    ASSERT_EQ(pages.size(), 2);
    const QStringList lines = pages[0].split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    // Every text in its column, after the 5 mm margin's two columns of 6 points.
    EXPECT_EQ(QList<qsizetype>({lines[0].indexOf("NUMÉRO"), lines[0].indexOf("VALEUR"), lines[0].indexOf("REMARQUE"),
                                lines[1].indexOf("deuxième"), lines[1].indexOf("12.5")}),
              QList<qsizetype>({5, 42, 83, 13, 77}));
    EXPECT_TRUE(pages[1].contains("page deux"));

    // A document abandoned, or left open, leaves the former file untouched.
    const QByteArray digest = test::digestOf(path);
    {
        PdfPrinter abandoned(path);
        abandoned.Print({"à moitié"});
        abandoned.KillDoc();
        PdfPrinter left(path);
        left.Print({"jamais terminé"});
    } // destroyed with its document open
    EXPECT_EQ(test::digestOf(path), digest);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

// A printer that cannot print says why and leaves no document open.
TEST(PdfPrinter, AFolderThatCannotBeWrittenOrNoPrinterInstalledIsARuntimeError)
{
    PdfPrinter pdf("/nonexistent-folder/rapport.pdf");
    const RuntimeError e = test::thrownBy([&] { pdf.Print({"x"}); });
    EXPECT_TRUE(e.number() == err::PermissionDenied && e.text().contains("rapport.pdf")) << e.text().toStdString();
    EXPECT_FALSE(pdf.isDocumentOpen());
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer is installed here";
    SystemPrinter system;
    EXPECT_EQ(test::thrownBy([&] { system.Print({"x"}); }).number(), err::DeviceNotAnswering);
    EXPECT_FALSE(system.isDocumentOpen());
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
