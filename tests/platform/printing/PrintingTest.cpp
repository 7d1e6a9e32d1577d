// Where the printer puts the characters, on the recording printer: each case's whole
// document, a sheet a string, each line as "top|text" with its top in centimetres; and the real
// backends: a PDF read back, a document abandoned, a printer that cannot print.
#include "CupsPaper.h"
#include "PdfPrinter.h"
#include "RecordingPrinter.h"
#include "SystemPrinter.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using namespace carnelis;

void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

namespace {

QStringList printed(const std::function<void(PrinterDevice &)> &print)
{
    RecordingPrinter printer;
    print(printer);
    printer.EndDoc();
    QStringList sheets;
    for (const RecordedDocument &document : printer.documents())
        for (const RecordedPage &page : document) {
            QStringList lines;
            for (const RecordedLine &line : page.textLines())
                lines << QString::number(line.y) + u'|' + line.text;
            for (const RecordedRule &rule : page.rules)
                lines << QString::number(rule.y1) + QStringLiteral("|rule");
            sheets << lines.join(u'\n');
        }
    return sheets;
}

PrintItem tab(int column) { return PrintItem::Tab(column); }

TEST(PrinterDevice, PutsTheCharactersOfOnePrintWhereABasicProgramExpectsThem)
{
    const QString col80(79, ' '), col90(89, ' ');
    const std::pair<std::vector<PrintItem>, QString> prints[] = {
        {{tab(4), "ABC", tab(9), "D"}, "0|   ABC  D"},
        {{tab(4), "ABC", tab(7), "D"}, "0|   ABCD"},                  // a Tab exactly there moves nothing
        {{tab(4), "ABCDEF", tab(6), "G"}, "0|   ABCDEF\n0.4|     G"}, // a Tab behind goes to the next line
        // Numbers carry their blanks and the locale's decimal separator.
        {{"[", 5, "|", -1234.5, "|", 0.25, "|", 1e20, "]"}, "0|[ 5 |-1234,5 | 0,25 | 1E+20 ]"},
        // Text past the edge, or a line break in a text, goes on under its column.
        {{tab(80), "Variété : recto-verso décalé"},
         "0|" + col80 + "Variété :\n0.4|" + col80 + "recto-verso\n0.8|" + col80 + "décalé"},
        {{tab(90), "abcdefghi", "!"}, "0|" + col90 + "abcde\n0.4|" + col90 + "fghi!"},
        {{tab(94), "ab"}, "0|" + QString(93, ' ') + "a\n0.4|" + QString(93, ' ') + "b"}, // in the last column
        {{tab(3), "Coin\r\ndaté\nbord\tde feuille", "."}, "0|  Coin\n0.4|  daté\n0.8|  bord de feuille."}};
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    for (const auto &[items, sheet] : prints)
        EXPECT_EQ(printed([&](PrinterDevice &p) { p.Print(items, PrintEnd::NewLine); }), QStringList{sheet});
}

// The semicolon keeps the line; an empty Print ends it; Line leaves the position at its end, here
// past column 4; a line that would pass the foot of the sheet goes on the next. Nothing of an
// abandoned document is left, and the next starts afresh on sheet 1.
TEST(PrinterDevice, KeepsThePositionFromPrintToPrintAndSheetToSheet)
{
    EXPECT_EQ(printed([](PrinterDevice &p) {
                  p.EndDoc();
                  p.Print({"AB"}, PrintEnd::KeepLine);
                  p.Print({tab(5), "C"}, PrintEnd::KeepLine);
                  p.Print({"D"});
                  p.Print({"E"});
                  p.setCurrentY(2);
                  p.Print({"A"});
                  p.Print();
                  p.Print({"B"});
                  p.Line(0.5, 3.5, 20, 3.5);
                  p.Print({tab(4), "H"});
                  p.setCurrentY(28.2);
                  p.Print({"last"});
                  p.Print({"next"});
                  p.NewPage();
                  p.Print({"third"});
                  p.EndDoc();
                  p.setCurrentY(5);
                  p.Print({"abandoned"});
                  p.NewPage();
                  p.KillDoc();
                  p.EndDoc();
                  p.Print({"kept"});
                  p.Print({p.Page()});
              }),
              QStringList({"0|AB  CD\n0.4|E\n2|A\n2.8|B\n3.9|   H\n28.2|last\n3.5|rule", "0|next", "0|third",
                           "0|kept\n0.4| 1"}));
    // A rule alone starts its document too.
    EXPECT_EQ(printed([](PrinterDevice &p) { p.Line(0.5, 1, 20, 1); }), QStringList{"1|rule"});
}

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
