// Where the printer puts the characters, on the recording printer: each case's whole
// document, a sheet a string, each line as "top|text" with its top in centimetres.
#include "RecordingPrinter.h"

#include <QLocale>
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
    QLocale::setDefault(QLocale::c());
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
              QStringList({"0|AB  CD\n0.4|E\n2|A\n2.8|B\n3.9|   H\n28.2|last", "0|next", "0|third", "0|kept\n0.4| 1"}));
}

} // namespace
