#include "Collections.h"
#include "Engine.h"
#include "Impression.h"
#include "RecordingPrinter.h"
#include "ReportProgress.h"
#include "ReportProgressDialog.h"
#include "ScriptedDialogs.h"
#include "SelectionState.h"

#include <QApplication>
#include <QLocale>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <set>

using namespace carnelis;
using test::row;
using test::Rows;

namespace {

// Printed lines from their pieces, each "column:text", joined by "|".
QStringList lines(const QStringList &printed)
{
    QStringList texts;
    for (const QString &line : printed) {
        texts << QString();
        for (const QString &piece : line.split(u'|')) {
            const qsizetype colon = piece.indexOf(u':');
            texts.last() = texts.last().leftJustified(piece.left(colon).toInt() - 1, u' ') + piece.mid(colon + 1);
        }
    }
    return texts;
}

class Report : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::tie(selection.NomFichierMdb, selection.NomTable, selection.ResumeCriteres) =
            std::tuple("A.MDB", "T", " Toutes les lignes.");
    }
    void load(const Rows &rows, const std::vector<ColumnDef> &columns = collectionColumns(),
              const QString &order = " ORDER BY NUMERO")
    {
        Data1.DatabaseName = test::writeCollection(dir.filePath("A.MDB"), "T", rows, columns);
        Data1.RecordSource = "SELECT * FROM T" + order;
        Data1.Refresh();
    }
    void print(ReportProgress *progress = nullptr)
    {
        Impression(printer, dialogs, progress).run(Data1, selection, "05/12/2026", ImpressionFaite);
    }
    // The printed pages of the one document that came out.
    const RecordedDocument &document()
    {
        EXPECT_EQ(printer.documents().size(), 1u);
        return printer.documents().at(0);
    }
    int rectoVersoBoxes() const
    {
        const auto boxes = dialogs.boxes();
        return int(std::count(boxes.begin(), boxes.end(),
                              DialogCall::msgBox(Impression::RectoVersoPrompt, 48, Impression::RectoVersoTitle)));
    }

    QTemporaryDir dir;
    SelectionState selection;
    DataControl Data1;
    RecordingPrinter printer;
    ScriptedDialogs dialogs;
    int16_t ImpressionFaite = 0;
};

TEST_F(Report, ThreeRowsLineByLineAndColumnByColumn)
{
    printer.setAvailableFonts({{"Courier new", "Nimbus Mono PS"}});
    // Whatever font the printer was left with, the report sets its own.
    for (auto style : {&PrinterDevice::setFontBold, &PrinterDevice::setFontItalic, &PrinterDevice::setFontUnderline,
                       &PrinterDevice::setFontStrikethru})
        (printer.*style)(true);
    printer.setFontSize(14);
    load({row("10", "Semeuse camée", "15 c vert", "", 0.5, "Coin daté"),
          row("1", "Cérès", "10 c bistre", "Neuf", 5.0, "L'épreuve"), row("2", {}, "25 c bleu", "Usé", 1234.5, "")});
    print();

    const RecordedPage &page = document().at(0);
    const QStringList expected =
        lines({"4:Impression de Toutes les lignes.",
               "4:NUMÉRO|16:DÉSIGNATION|41:VALEUR - COULEUR|66:ÉTAT|74:COTE|82:REMARQUE",
               "4:1|12:Cérès|38:10 c bistre|66:Neuf|76:5.00|82:L'épreuve", "4:2|38:25 c bleu|66:Usé|73:1234.50",
               "4:10|12:Semeuse camée|38:15 c vert|76:0.50|82:Coin daté", "70:----------",
               "41:3 Ligne(s) pour ......|72:1,240.00",
               "4:A.MDB - Table:T - Date: 05/12/2026  -  Police: Nimbus Mono PS 10"});
    EXPECT_EQ(page.texts(), expected);
    EXPECT_EQ(page.fonts, std::set<QString>{"Courier new 10"});
    // Where the lines and the rules stand, in centimetres, to the tenth of a millimetre.
    QStringList heights;
    for (const auto &text : page.textLines())
        heights << QString::number(text.y, 'f', 2);
    for (const RecordedRule &r : page.rules)
        heights << QStringLiteral("%1-%2 %3 %4").arg(r.x1).arg(r.x2).arg(r.y1, 0, 'f', 2).arg(r.y2, 0, 'f', 2);
    EXPECT_EQ(heights.join(' '),
              "2.00 3.00 4.00 4.40 4.80 5.20 5.60 6.90 0.5-20 2.60 2.60 0.5-20 3.60 3.60 0.5-20 6.50 6.50");
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_EQ(std::pair(int(ImpressionFaite), Data1.recordset()->AbsolutePosition()), std::pair(-1, 0));
}

struct Composition {
    const char *name;
    QString total;
    double dashes; // where the dashes stand: the lines the rows took
    Rows rows;
    QStringList lines; // the row lines, between the header and the dashes, as line() takes them
    const char *numeroType = "TEXT", *coteType = "REAL";
    bool french = false;
};

class ReportComposition : public Report, public ::testing::WithParamInterface<Composition> {};

TEST_P(ReportComposition, RowsTotalAndTheLinesTheyTake)
{
    const Composition &c = GetParam();
    if (c.french)
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    std::vector<ColumnDef> columns = collectionColumns();
    columns[0].type = c.numeroType;
    columns[4].type = c.coteType;
    load(c.rows, columns, {}); // in the order given
    print();
    const QStringList texts = document().at(0).texts();
    ASSERT_GE(texts.size(), 5);
    EXPECT_EQ(texts.mid(2, texts.size() - 5), lines(c.lines));
    EXPECT_EQ(
        texts.at(texts.size() - 2),
        lines({QStringLiteral("41:%1 Ligne(s) pour ......|%2:").arg(c.rows.size()).arg(80 - c.total.size()) + c.total})
            .at(0));
    EXPECT_NEAR(document().at(0).textLines().at(size_t(texts.size() - 3)).y, c.dashes, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReportComposition,
    ::testing::Values(
        Composition("LongDesignationPushesCouleurToTheNextLine", "2.00", 4.8,
                    {row("1", "Type Sage, papier quadrillé teinté", "rouge", "Neuf", 2.0, "x")},
                    {"4:1|12:Type Sage, papier quadrillé teinté", "38:rouge|66:Neuf|76:2.00|82:x"}),
        Composition("NumericNumeroCarriesItsBlanks", "2.00", 4.8,
                    {row(7.0, "a", "b", "c", 1.0, "r"), row(12.0, "d", "e", "f", 1.0, "s")},
                    {"5:7|12:a|38:b|66:c|76:1.00|82:r", "5:12|12:d|38:e|66:f|76:1.00|82:s"}, "INTEGER"),
        // A value that is no number prints nothing and counts nothing; the run goes on.
        Composition("CoteThatIsNoNumber", "2.50", 5.6,
                    {row("1", "a", {}, {}, {}, "r"), row("2", "d", {}, {}, "", "s"),
                     row("3", "g", {}, {}, "beaucoup", "t"), row("4", "j", {}, {}, 2.5, "u")},
                    {"4:1|12:a|82:r", "4:2|12:d|82:s", "4:3|12:g|82:t", "4:4|12:j|76:2.50|82:u"}),
        // A row that printed nothing: an empty remark still ends its line, a Null one does not.
        Composition("EmptyRemarkEndsTheLine", "0.00", 5.2,
                    {row("1", {}, {}, {}, {}, "r"), row({}, {}, {}, {}, {}, ""), row("3", {}, {}, {}, {}, "s")},
                    {"4:1|82:r", "4:3|82:s"}),
        // With a total that rounds to zero from below: "0.00", never "-0.00".
        Composition("NullRemarkLeavesItOpen", "0.00", 4.8,
                    {row("1", {}, {}, {}, -0.004, "r"), row({}, {}, {}, {}, {}, {}), row("3", {}, {}, {}, {}, "s")},
                    {"4:1|76:0.00|82:r", "4:3|82:s"}),
        Composition("NoRows", "0.00", 4.0, {}, {}),
        // An amount that rounds to zero from below prints as zero.
        Composition("NegativeAmounts", "-1,234.50", 4.8,
                    {row("1", {}, {}, {}, -1234.5, "r"), row("2", {}, {}, {}, -0.004, "s")},
                    {"4:1|72:-1234.50|82:r", "4:2|76:0.00|82:s"}),
        // A COTE column of text holding numbers written with a point, read under the
        // French locale: printed and totalled the French way, grouped with a separator
        // the font has.
        Composition("TextCoteWithAPointUnderTheFrenchLocale", QStringLiteral("1\u00A0247,00"), 4.8,
                    {row("1", {}, {}, {}, "12.5", "r"), row("2", {}, {}, {}, "1234.5", "s")},
                    {"4:1|75:12,50|82:r", "4:2|73:1234,50|82:s"}, "TEXT", "TEXT", true)),
    [](const auto &info) { return std::string(info.param.name); });

// The rows on each sheet, found by their designations "Objet N" in order.
std::vector<int> rowsPerSheet(const RecordedDocument &document)
{
    std::vector<int> counts;
    int next = 1;
    for (const RecordedPage &page : document) {
        counts.push_back(0);
        for (const QString &text : page.texts())
            if (text.contains(QStringLiteral("Objet %1 ").arg(next))) {
                ++counts.back();
                ++next;
            }
    }
    return counts;
}

// Rows "Objet 1"..., each with a remark of `lines` lines (two words of 6 characters fill
// the 13 columns of the remark), or a Null remark for 0; some rows may take other counts.
Rows rowsWithRemarkLines(int count, int linesEach, const std::map<int, int> &others = {})
{
    Rows rows;
    for (int i = 1; i <= count; ++i) {
        const int lines = others.contains(i) ? others.at(i) : linesEach;
        QStringList words;
        for (int w = 1; w <= 2 * lines; ++w)
            words << QStringLiteral("%1%2").arg(i, 3, 10, QLatin1Char('0')).arg(w, 3, 10, QLatin1Char('0'));
        rows.push_back(row(QString::number(i), QStringLiteral("Objet %1").arg(i), "rouge", "Neuf", 1.0,
                           lines ? Value(words.join(' ')) : Value()));
    }
    return rows;
}

struct PageBreakCase {
    const char *name;
    Rows rows;
    std::vector<int> rowsPerSheet; // the closing lines go on the last sheet
    double paper = RecordingPrinter::PrintableHeight;
};

// However the rows run, every sheet after the first comes after the box that asks to
// turn the paper, and starts at 2 cm.
class ReportPageBreaks : public Report, public ::testing::WithParamInterface<PageBreakCase> {};

TEST_P(ReportPageBreaks, EverySheetAfterTheFirstComesAfterTheBox)
{
    load(GetParam().rows);
    printer.setPrintableHeight(GetParam().paper);
    const int sheets = int(GetParam().rowsPerSheet.size());
    for (int i = 1; i < sheets; ++i)
        dialogs.answerMsgBox(vb::OK);
    print();

    EXPECT_EQ(rectoVersoBoxes(), sheets - 1);
    EXPECT_EQ(rowsPerSheet(document()), GetParam().rowsPerSheet);
    for (size_t p = 1; p < document().size(); ++p)
        EXPECT_NEAR(document()[p].textLines().at(0).y, 2.0, 1e-9) << "sheet " << p + 1;
    // The closing lines stay together, from the dashes to the footer.
    const QStringList last = document().back().texts();
    EXPECT_TRUE(last.at(last.size() - 3).endsWith("----------"));
    // Every word of every remark, once and in order, under the header's.
    QStringList words, expected{"REMARQUE"};
    for (const RecordedPage &page : document())
        for (const QString &text : page.texts())
            words << text.mid(81).split(' ', Qt::SkipEmptyParts);
    for (const auto &r : GetParam().rows)
        expected << r[5].text().split(' ', Qt::SkipEmptyParts);
    EXPECT_EQ(words, expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ReportPageBreaks,
                         ::testing::Values(
                             // One-line rows: 61 on the first sheet, 66 on the others; the closing lines stay
                             // under the last row while they fit.
                             PageBreakCase{"ClosingLinesFitUnder56Rows", rowsWithRemarkLines(56, 1), {56}},
                             PageBreakCase{"ClosingLinesTurnAfter57Rows", rowsWithRemarkLines(57, 1), {57, 0}},
                             PageBreakCase{"Row62OnTheSecondSheet", rowsWithRemarkLines(62, 1), {61, 1}},
                             PageBreakCase{"FullSheets", rowsWithRemarkLines(127, 1), {61, 66, 0}},
                             // The paper's own foot comes first on a shorter sheet; on a longer one the closing
                             // lines still follow the 127th row.
                             PageBreakCase{"ShorterPaper", rowsWithRemarkLines(130, 1), {57, 62, 11}, 26.9},
                             PageBreakCase{"LongerPaper", rowsWithRemarkLines(127, 1), {61, 66}, 40.0},
                             // A Null remark leaves the line open; the next row's tab takes the next line.
                             PageBreakCase{"NullRemarks", rowsWithRemarkLines(62, 0), {61, 1}},
                             // A sheet holds 66 printed lines: 20 rows of 3 lines under the header, then 22.
                             PageBreakCase{"ThreeLineRemarks", rowsWithRemarkLines(50, 3), {20, 22, 8}},
                             // A row longer than a sheet starts on a sheet of its own and goes on over the next,
                             // whose lines it counts (34 there, then 32 one-line rows).
                             PageBreakCase{
                                 "RemarkLongerThanASheet", rowsWithRemarkLines(35, 1, {{2, 100}}), {1, 1, 32, 1}}),
                         [](const auto &info) { return std::string(info.param.name); });

// What the progress window is told, and where the recordset stands each time; stands for
// the user pressing Annuler once some rows are printed.
struct ProgressLog : ReportProgress {
    ProgressLog(const DataControl &data, int cancelAfter) : data_(data), cancelAfter_(cancelAfter) {}
    void begin(int total) override { total_ = total; }
    bool advance(int printed) override
    {
        counts_.push_back(printed);
        positions_.push_back(data_.recordset()->AbsolutePosition());
        return printed != cancelAfter_;
    }
    void end() override { ended_ = true; }

    const DataControl &data_;
    int cancelAfter_, total_ = 0;
    bool ended_ = false;
    std::vector<int> counts_, positions_;
};

struct RunCase {
    const char *name;
    int cancelAfter; // 0: never
    int failure;     // the error of a printer failing as the second sheet starts; 0: none
    bool message;    // the box about the printer
    int counted;     // rows counted, each once while it is current
    int boxes;       // boxes asking to turn the sheet
};

// 130 rows, on three sheets when nothing stops the run. A run that stops, cancelled or
// failed, leaves no job and the recordset where it stopped; the next run prints everything.
class ReportRuns : public Report, public ::testing::WithParamInterface<RunCase> {};

TEST_P(ReportRuns, EachRowCountedOnceAndAStoppedRunLeavesNothing)
{
    const RunCase &c = GetParam();
    const bool stopped = c.cancelAfter || c.failure;
    load(rowsWithRemarkLines(130, 1));
    for (int i = 0; i < c.boxes + c.message; ++i)
        dialogs.answerMsgBox(vb::OK);
    if (c.failure)
        printer.failAtSheet(2, c.failure);
    ProgressLog log(Data1, c.cancelAfter);
    print(&log);

    std::vector<int> expected(size_t(c.counted));
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(log.counts_, expected);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(log.positions_, expected);
    EXPECT_TRUE(log.total_ == 130 && log.ended_);
    const std::vector<DialogCall> boxes = dialogs.boxes();
    EXPECT_EQ(std::pair(rectoVersoBoxes(), int(boxes.size())), std::pair(c.boxes, c.boxes + c.message));
    EXPECT_EQ(
        std::count(boxes.begin(), boxes.end(), DialogCall::msgBox("Imprimante inaccessible ou manquant de papier)", 0)),
        int(c.message));
    EXPECT_FALSE(printer.isDocumentOpen());
    EXPECT_EQ(std::tuple(int(printer.documents().size()), printer.abandonedDocuments(), int(ImpressionFaite)),
              stopped ? std::tuple(0, 1, 0) : std::tuple(1, 0, -1));
    if (!stopped)
        return;
    // Where the run stopped: the last row counted, or the row that wanted the next sheet.
    EXPECT_EQ(Data1.recordset()->AbsolutePosition(), c.cancelAfter ? c.cancelAfter - 1 : c.counted);

    dialogs.clearTranscript();
    dialogs.answerMsgBox(vb::OK);
    dialogs.answerMsgBox(vb::OK);
    print();
    EXPECT_EQ(std::pair(rectoVersoBoxes(), int(ImpressionFaite)), std::pair(2, -1));
    EXPECT_TRUE(document().at(0).texts().at(2).contains("Objet 1 "));
}

INSTANTIATE_TEST_SUITE_P(Runs, ReportRuns,
                         ::testing::Values(RunCase{"Whole", 0, 0, false, 130, 2},
                                           RunCase{"Cancelled", 70, 0, false, 70, 1},
                                           RunCase{"OutOfPaper", 0, err::OutOfPaper, true, 61, 0},
                                           RunCase{"DeviceNotAnswering", 0, err::DeviceNotAnswering, true, 61, 0},
                                           RunCase{"OtherError", 0, err::Overflow, false, 61, 0}),
                         [](const auto &info) { return std::string(info.param.name); });

// The real progress window, shown at once: Annuler pressed while the rows print stops the
// run before the next row.
TEST_F(Report, AnnulerIsAnsweredBetweenRows)
{
    load(rowsWithRemarkLines(200, 1));
    ReportProgressDialog window(nullptr, {}, 0);
    int printedAtClick = 0;
    QString label, button;
    QTimer::singleShot(0, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *progress = qobject_cast<QProgressDialog *>(widget); progress && progress->isVisible()) {
                printedAtClick = Data1.recordset()->AbsolutePosition() + 1;
                label = progress->labelText();
                auto *annuler = progress->findChild<QPushButton *>();
                button = annuler->text();
                annuler->click();
            }
    });
    print(&window);

    ASSERT_GT(printedAtClick, 0);
    EXPECT_EQ(label + button, QStringLiteral(" Impression en cours : %1 ligne(s) sur 200.Annuler").arg(printedAtClick));
    EXPECT_TRUE(dialogs.boxes().empty() && printer.documents().empty()); // stopped long before the first sheet was full
    EXPECT_EQ(std::pair(printer.abandonedDocuments(), Data1.recordset()->AbsolutePosition()),
              std::pair(1, printedAtClick - 1));
}

} // namespace
