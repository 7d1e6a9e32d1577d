#include "RecordingPrinter.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <functional>

using namespace carnelis;

namespace {

struct PrintCase {
    const char *name;
    std::function<void(PrinterDevice &)> print;
    QStringList lines;
};

QStringList printed(const std::function<void(PrinterDevice &)> &print)
{
    RecordingPrinter printer;
    print(printer);
    printer.EndDoc();
    EXPECT_EQ(printer.documents().size(), 1u);
    return printer.documents().at(0).at(0).texts();
}

class PrintRules : public ::testing::TestWithParam<PrintCase> {};

TEST_P(PrintRules, PutTheCharactersWhereABasicProgramExpectsThem)
{
    EXPECT_EQ(printed(GetParam().print), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Print, PrintRules,
    ::testing::Values(PrintCase{"TabForward",
                                [](PrinterDevice &p) {
                                    p.Print({PrintItem::Tab(4), "ABC", PrintItem::Tab(9), "D"});
                                },
                                {"   ABC  D"}},
                      PrintCase{"TabExactlyThereMovesNothing",
                                [](PrinterDevice &p) {
                                    p.Print({PrintItem::Tab(4), "ABC", PrintItem::Tab(7), "D"});
                                },
                                {"   ABCD"}},
                      PrintCase{"TabBehindGoesToTheNextLine",
                                [](PrinterDevice &p) {
                                    p.Print({PrintItem::Tab(4), "ABCDEF", PrintItem::Tab(6), "G"});
                                },
                                {"   ABCDEF", "     G"}},
                      PrintCase{"NumbersCarryTheirBlanks",
                                [](PrinterDevice &p) {
                                    p.Print({"[", 5, "|", -12.5, "|", 0.25, "]"});
                                },
                                {"[ 5 |-12.5 | 0.25 ]"}},
                      PrintCase{"SemicolonKeepsTheLine",
                                [](PrinterDevice &p) {
                                    p.Print({"AB"}, PrintEnd::KeepLine);
                                    p.Print({PrintItem::Tab(5), "C"}, PrintEnd::KeepLine);
                                    p.Print({"D"});
                                    p.Print({"E"});
                                },
                                {"AB  CD", "E"}},
                      PrintCase{"TextPastTheEdgeGoesOnUnderItsColumn",
                                [](PrinterDevice &p) {
                                    p.Print({PrintItem::Tab(80), "Variété : recto-verso décalé"});
                                    p.Print({PrintItem::Tab(90), "abcdefghi", "!"});
                                },
                                {QString(79, ' ') + "Variété :", QString(79, ' ') + "recto-verso",
                                 QString(79, ' ') + "décalé", QString(89, ' ') + "abcde", QString(89, ' ') + "fghi!"}},
                      PrintCase{"LineBreaksInATextGoOnUnderItsColumn",
                                [](PrinterDevice &p) {
                                    p.Print({PrintItem::Tab(3), "Coin\r\ndaté\nbord\tde feuille", "."});
                                },
                                {"  Coin", "  daté", "  bord de feuille."}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PrinterDevice, EmptyPrintEndsTheLineAndLineLeavesThePositionAtItsEnd)
{
    RecordingPrinter printer;
    printer.setCurrentY(2);
    printer.Print({"A"});
    printer.Print();
    EXPECT_DOUBLE_EQ(printer.CurrentY(), 2.8);
    printer.Line(0.5, 3.5, 20, 3.5);
    EXPECT_DOUBLE_EQ(printer.CurrentX(), 20);
    EXPECT_DOUBLE_EQ(printer.CurrentY(), 3.5);
    // The print position stands at 20 cm, past column 4: the Tab first takes a new line.
    printer.Print({PrintItem::Tab(4), "H"});
    printer.EndDoc();

    const auto lines = printer.documents().at(0).at(0).textLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_DOUBLE_EQ(lines[0].y, 2.0);
    EXPECT_DOUBLE_EQ(lines[1].y, 3.9);
    EXPECT_EQ(lines[1].text, "   H");
}

TEST(PrinterDevice, ALineThatWouldPassTheFootStartsANewSheet)
{
    RecordingPrinter printer;
    printer.setCurrentY(28.2);
    printer.Print({"last"});
    printer.Print({"next"});
    printer.NewPage();
    printer.Print({"third"});
    printer.EndDoc();

    const RecordedDocument &doc = printer.documents().at(0);
    ASSERT_EQ(doc.size(), 3u);
    EXPECT_EQ(doc[0].texts(), QStringList{"last"});
    EXPECT_EQ(doc[1].textLines().at(0).y, 0.0);
    EXPECT_EQ(doc[1].texts(), QStringList{"next"});
    EXPECT_EQ(doc[2].texts(), QStringList{"third"});
}

TEST(PrinterDevice, EndDocWithoutADocumentDoesNothingAndKillDocLeavesNothing)
{
    RecordingPrinter printer;
    printer.EndDoc();
    EXPECT_TRUE(printer.documents().empty());

    printer.Print({"abandoned"});
    printer.KillDoc();
    printer.EndDoc();
    EXPECT_TRUE(printer.documents().empty());
    EXPECT_EQ(printer.abandonedDocuments(), 1);

    printer.Print({"kept"});
    EXPECT_EQ(printer.Page(), 1);
    printer.EndDoc();
    ASSERT_EQ(printer.documents().size(), 1u);
    EXPECT_EQ(printer.documents()[0].at(0).texts(), QStringList{"kept"});
    EXPECT_EQ(printer.documents()[0].at(0).textLines().at(0).y, 0.0);
}

TEST(PrinterDevice, NumbersTakeTheDecimalSeparatorOfTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const QString french = printedNumber(-1234.5);
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(french, "-1234,5 ");
    EXPECT_EQ(printedNumber(1e20), " 1E+20 ");
}

} // namespace
