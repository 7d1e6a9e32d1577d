// Where the printer puts the characters, on the recording printer: each case's whole
// document, a sheet a string, each line as "top|text" with its top in centimetres.
#include "RecordingPrinter.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <functional>

using namespace carnelis;

void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

namespace {

struct PrintCase {
    const char *name;
    std::function<void(PrinterDevice &)> print;
    QStringList sheets;
};

QStringList printed(const std::function<void(PrinterDevice &)> &print)
{
    RecordingPrinter printer;
    print(printer);
    printer.EndDoc();
    EXPECT_EQ(printer.documents().size(), 1u);
    QStringList sheets;
    for (const RecordedPage &page : printer.documents().at(0)) {
        QStringList lines;
        for (const RecordedLine &line : page.textLines())
            lines << QString::number(line.y) + u'|' + line.text;
        sheets << lines.join(u'\n');
    }
    return sheets;
}

class PrintRules : public ::testing::TestWithParam<PrintCase> {};

TEST_P(PrintRules, PutTheCharactersWhereABasicProgramExpectsThem)
{
    EXPECT_EQ(printed(GetParam().print), GetParam().sheets);
}

const QString col80(79, ' '), col90(89, ' ');

INSTANTIATE_TEST_SUITE_P(
    Print, PrintRules,
    ::testing::Values(PrintCase{"TabForward",
                                [](PrinterDevice &p) {
                                    p.Print({PrintItem::Tab(4), "ABC", PrintItem::Tab(9), "D"});
                                },
                                {"0|   ABC  D"}},
                      PrintCase{"TabExactlyThereMovesNothing",
                                [](PrinterDevice &p) {
                                    p.Print({PrintItem::Tab(4), "ABC", PrintItem::Tab(7), "D"});
                                },
                                {"0|   ABCD"}},
                      PrintCase{"TabBehindGoesToTheNextLine",
                                [](PrinterDevice &p) {
                                    p.Print({PrintItem::Tab(4), "ABCDEF", PrintItem::Tab(6), "G"});
                                },
                                {"0|   ABCDEF\n0.4|     G"}},
                      PrintCase{"NumbersCarryTheirBlanks",
                                [](PrinterDevice &p) {
                                    p.Print({"[", 5, "|", -12.5, "|", 0.25, "]"});
                                },
                                {"0|[ 5 |-12.5 | 0.25 ]"}},
                      PrintCase{"SemicolonKeepsTheLine",
                                [](PrinterDevice &p) {
                                    p.Print({"AB"}, PrintEnd::KeepLine);
                                    p.Print({PrintItem::Tab(5), "C"}, PrintEnd::KeepLine);
                                    p.Print({"D"});
                                    p.Print({"E"});
                                },
                                {"0|AB  CD\n0.4|E"}},
                      PrintCase{"TextPastTheEdgeGoesOnUnderItsColumn",
                                [](PrinterDevice &p) {
                                    p.Print({PrintItem::Tab(80), "Variété : recto-verso décalé"});
                                    p.Print({PrintItem::Tab(90), "abcdefghi", "!"});
                                },
                                {"0|" + col80 + "Variété :\n0.4|" + col80 + "recto-verso\n0.8|" + col80 +
                                 "décalé\n1.2|" + col90 + "abcde\n1.6|" + col90 + "fghi!"}},
                      PrintCase{"LineBreaksInATextGoOnUnderItsColumn",
                                [](PrinterDevice &p) {
                                    p.Print({PrintItem::Tab(3), "Coin\r\ndaté\nbord\tde feuille", "."});
                                },
                                {"0|  Coin\n0.4|  daté\n0.8|  bord de feuille."}},
                      // An empty Print ends the line; Line leaves the position at its end, here past column 4.
                      PrintCase{"LineLeavesThePositionAtItsEnd",
                                [](PrinterDevice &p) {
                                    p.setCurrentY(2);
                                    p.Print({"A"});
                                    p.Print();
                                    p.Print({"B"});
                                    p.Line(0.5, 3.5, 20, 3.5);
                                    p.Print({PrintItem::Tab(4), "H"});
                                },
                                {"2|A\n2.8|B\n3.9|   H"}},
                      PrintCase{"ALineThatWouldPassTheFootStartsANewSheet",
                                [](PrinterDevice &p) {
                                    p.setCurrentY(28.2);
                                    p.Print({"last"});
                                    p.Print({"next"});
                                    p.NewPage();
                                    p.Print({"third"});
                                },
                                {"28.2|last", "0|next", "0|third"}},
                      // Nothing of an abandoned document is left, and the next starts afresh on sheet 1.
                      PrintCase{"KillDocLeavesNothing",
                                [](PrinterDevice &p) {
                                    p.EndDoc();
                                    p.setCurrentY(5);
                                    p.Print({"abandoned"});
                                    p.NewPage();
                                    p.KillDoc();
                                    p.EndDoc();
                                    p.Print({"kept"});
                                    p.Print({p.Page()});
                                },
                                {"0|kept\n0.4| 1"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PrinterDevice, NumbersTakeTheDecimalSeparatorOfTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const QString french = printedNumber(-1234.5);
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(french, "-1234,5 ");
    EXPECT_EQ(printedNumber(1e20), " 1E+20 ");
}

} // namespace
