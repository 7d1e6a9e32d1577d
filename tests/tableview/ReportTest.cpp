#include "CollectionFile.h"
#include "Engine.h"
#include "Impression.h"
#include "PdfPrinter.h"
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

#include <memory>
#include <numeric>

using namespace carnelis;

namespace {

struct Row {
    Value numero, designation, couleur, etat, cote, divers;
};

Row numbered(int i, const Value &divers = "r")
{
    return {QString::number(i), QStringLiteral("Objet %1").arg(i), "rouge", "Neuf", 1.0, divers};
}

// A collection file as the collector's program leaves it, any value in any column, with
// one more column RANG that keeps the order the rows were given in.
void writeCollection(const QString &path, const std::vector<Row> &rows, const char *numeroType = "TEXT")
{
    CollectionFile file(path);
    file.createTable("T", {{"NUMERO", numeroType},
                           {"DESIGNATION", "TEXT"},
                           {"COULEUR", "TEXT"},
                           {"ETAT", "TEXT"},
                           {"COTE", "REAL"},
                           {"DIVERS", "TEXT"},
                           {"RANG", "INTEGER"}});
    std::vector<std::vector<Value>> values;
    for (const Row &row : rows)
        values.push_back(
            {row.numero, row.designation, row.couleur, row.etat, row.cote, row.divers, int(values.size()) + 1});
    file.appendRows("T", values);
}

// A printed line from the pieces placed at their columns.
QString line(std::initializer_list<std::pair<int, QString>> pieces)
{
    QString text;
    for (const auto &[column, piece] : pieces) {
        text = text.leftJustified(column - 1, QLatin1Char(' '));
        text += piece;
    }
    return text;
}

const QString Header =
    line({{4, "NUMÉRO"}, {16, "DÉSIGNATION"}, {41, "VALEUR - COULEUR"}, {66, "ÉTAT"}, {74, "COTE"}, {82, "REMARQUE"}});

class Report : public ::testing::Test {
protected:
    void SetUp() override
    {
        selection.NomFichierMdb = "A.MDB";
        selection.NomTable = "T";
        selection.ResumeCriteres = " Toutes les lignes.";
    }

    void load(const std::vector<Row> &rows, const char *numeroType = "TEXT", const char *orderBy = "NUMERO")
    {
        const QString path = dir.filePath("A.MDB");
        writeCollection(path, rows, numeroType);
        Data1.DatabaseName = path;
        Data1.RecordSource = QStringLiteral("SELECT * FROM T ORDER BY %1").arg(orderBy);
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
        int n = 0;
        for (const DialogCall &call : dialogs.boxes())
            n += call == DialogCall::msgBox(Impression::RectoVersoPrompt, 48, Impression::RectoVersoTitle);
        return n;
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
    load({{"10", "Semeuse camée", "15 c vert", "", 0.5, "Coin daté"},
          {"1", "Cérès", "10 c bistre", "Neuf", 5.0, "L'épreuve"},
          {"2", Value(), "25 c bleu", "Usé", 1234.5, ""}});
    print();

    const RecordedPage &page = document().at(0);
    const QStringList expected = {
        line({{4, "Impression de Toutes les lignes."}}),
        Header,
        line({{4, "1"}, {12, "Cérès"}, {38, "10 c bistre"}, {66, "Neuf"}, {76, "5.00"}, {82, "L'épreuve"}}),
        line({{4, "2"}, {38, "25 c bleu"}, {66, "Usé"}, {73, "1234.50"}}),
        line({{4, "10"}, {12, "Semeuse camée"}, {38, "15 c vert"}, {76, "0.50"}, {82, "Coin daté"}}),
        line({{70, "----------"}}),
        line({{41, "3 Ligne(s) pour ......"}, {72, "1,240.00"}}),
        line({{4, "A.MDB - Table:T - Date: 05/12/2026  -  Police: Liberation Mono 10"}}),
    };
    EXPECT_EQ(page.texts(), expected);

    std::vector<double> heights;
    for (const RecordedLine &l : page.textLines())
        heights.push_back(l.y);
    const std::vector<double> expectedHeights = {2.0, 3.0, 4.0, 4.4, 4.8, 5.2, 5.6, 6.9};
    ASSERT_EQ(heights.size(), expectedHeights.size());
    for (size_t i = 0; i < heights.size(); ++i)
        EXPECT_NEAR(heights[i], expectedHeights[i], 1e-9) << "line " << i;
    ASSERT_EQ(page.rules.size(), 3u);
    const double ruleHeights[] = {2.6, 3.6, 6.5};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(page.rules[i].y1, ruleHeights[i], 1e-9);
        EXPECT_NEAR(page.rules[i].y2, ruleHeights[i], 1e-9);
        EXPECT_EQ(page.rules[i].x1, 0.5);
        EXPECT_EQ(page.rules[i].x2, 20.0);
    }

    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_EQ(ImpressionFaite, -1);
    EXPECT_EQ(Data1.recordset()->AbsolutePosition(), 0);
}

// The rows on each sheet, found by their designations "Objet N" in order.
std::vector<int> rowsPerSheet(const RecordedDocument &document)
{
    std::vector<int> counts;
    int next = 1;
    for (const RecordedPage &page : document) {
        int count = 0;
        for (const QString &text : page.texts())
            if (text.contains(QStringLiteral("Objet %1 ").arg(next))) {
                ++count;
                ++next;
            }
        counts.push_back(count);
    }
    return counts;
}

struct PageBreakCase {
    const char *name;
    std::vector<Row> rows;
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
    EXPECT_TRUE(document().back().texts().at(document().back().texts().size() - 3).endsWith("----------"));
    // Every word of every remark, once and in order, under the header's.
    QStringList words, expected{"REMARQUE"};
    for (const RecordedPage &page : document())
        for (const QString &text : page.texts())
            words << text.mid(81).split(' ', Qt::SkipEmptyParts);
    for (const Row &row : GetParam().rows)
        expected << row.divers.text().split(' ', Qt::SkipEmptyParts);
    EXPECT_EQ(words, expected);
}

std::vector<Row> rowsWithRemarkLines(int count, int lines, int from = 1)
{
    std::vector<Row> rows;
    for (int i = from; i < from + count; ++i) {
        // Two words of 6 characters fill the 13 columns of the remark: one line each pair.
        QStringList words;
        for (int w = 1; w <= 2 * lines; ++w)
            words << QStringLiteral("%1%2").arg(i, 3, 10, QLatin1Char('0')).arg(w, 3, 10, QLatin1Char('0'));
        rows.push_back(numbered(i, words.join(' ')));
    }
    return rows;
}

std::vector<Row> withoutRemarks(int count)
{
    std::vector<Row> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back(numbered(i, Value()));
    return rows;
}

std::vector<Row> concat(std::initializer_list<std::vector<Row>> parts)
{
    std::vector<Row> all;
    for (const auto &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
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
                             PageBreakCase{"NullRemarks", withoutRemarks(62), {61, 1}},
                             // A sheet holds 66 printed lines: 20 rows of 3 lines under the header, then 22.
                             PageBreakCase{"ThreeLineRemarks", rowsWithRemarkLines(50, 3), {20, 22, 8}},
                             // A row longer than a sheet starts on a sheet of its own and goes on over the next,
                             // whose lines it counts (34 there, then 32 one-line rows).
                             PageBreakCase{"RemarkLongerThanASheet",
                                           concat({rowsWithRemarkLines(1, 1), rowsWithRemarkLines(1, 100, 2),
                                                   rowsWithRemarkLines(33, 1, 3)}),
                                           {1, 1, 32, 1}}),
                         [](const auto &info) { return std::string(info.param.name); });

struct RowLayoutCase {
    const char *name;
    std::vector<Row> rows;
    QStringList lines; // the row lines, between the header and the dashes
};

class ReportRowLayout : public Report, public ::testing::WithParamInterface<RowLayoutCase> {};

TEST_P(ReportRowLayout, PrintsTheRowsAsTheTabsPlaceThem)
{
    load(GetParam().rows, GetParam().rows.at(0).numero.isNumber() ? "INTEGER" : "TEXT");
    print();
    QStringList texts = document().at(0).texts();
    const QStringList rowLines = texts.mid(2, texts.size() - 5);
    EXPECT_EQ(rowLines, GetParam().lines);
}

const QString LongDesignation = QStringLiteral("Type Sage, papier quadrillé teinté");

INSTANTIATE_TEST_SUITE_P(
    Rows, ReportRowLayout,
    ::testing::Values(RowLayoutCase{"LongDesignationPushesCouleurToTheNextLine",
                                    {{"1", LongDesignation, "rouge", "Neuf", 2.0, "x"}},
                                    {line({{4, "1"}, {12, LongDesignation}}),
                                     line({{38, "rouge"}, {66, "Neuf"}, {76, "2.00"}, {82, "x"}})}},
                      RowLayoutCase{"NumericNumeroCarriesItsBlanks",
                                    {{7.0, "a", "b", "c", 1.0, "r"}, {12.0, "d", "e", "f", 1.0, "s"}},
                                    {line({{5, "7"}, {12, "a"}, {38, "b"}, {66, "c"}, {76, "1.00"}, {82, "r"}}),
                                     line({{5, "12"}, {12, "d"}, {38, "e"}, {66, "f"}, {76, "1.00"}, {82, "s"}})}},
                      RowLayoutCase{"CoteThatIsNoNumberPrintsNothingAndCountsNothing",
                                    {{"1", "a", "b", "c", Value(), "r"},
                                     {"2", "d", "e", "f", "", "s"},
                                     {"3", "g", "h", "i", "beaucoup", "t"},
                                     {"4", "j", "k", "l", 2.5, "u"}},
                                    {line({{4, "1"}, {12, "a"}, {38, "b"}, {66, "c"}, {82, "r"}}),
                                     line({{4, "2"}, {12, "d"}, {38, "e"}, {66, "f"}, {82, "s"}}),
                                     line({{4, "3"}, {12, "g"}, {38, "h"}, {66, "i"}, {82, "t"}}),
                                     line({{4, "4"}, {12, "j"}, {38, "k"}, {66, "l"}, {76, "2.50"}, {82, "u"}})}}),
    [](const auto &info) { return std::string(info.param.name); });

// A row that printed nothing: an empty remark still ends its line, a Null one does not.
// Rows without a number sort first, so this view is ordered by RANG.
class ReportRemarks : public Report, public ::testing::WithParamInterface<std::pair<Value, double>> {};

TEST_P(ReportRemarks, OnlyAnEmptyRemarkEndsTheLine)
{
    load({{"1", "a", "b", "c", 1.0, "r"},
          {Value(), Value(), Value(), Value(), Value(), GetParam().first},
          {"3", "d", "e", "f", 1.0, "s"}},
         "TEXT", "RANG");
    print();
    const auto lines = document().at(0).textLines();
    EXPECT_EQ(lines.at(3).text, line({{4, "3"}, {12, "d"}, {38, "e"}, {66, "f"}, {76, "1.00"}, {82, "s"}}));
    EXPECT_NEAR(lines.at(3).y, GetParam().second, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Divers, ReportRemarks,
                         ::testing::Values(std::pair<Value, double>{"", 4.8}, std::pair<Value, double>{Value(), 4.4}),
                         [](const auto &info) { return info.index == 0 ? std::string("Empty") : std::string("Null"); });

TEST_F(Report, ARowWithoutANumberInCoteDoesNotStopTheRun)
{
    load({{"1", "a", "b", "c", "beaucoup", "r"}, {"2", "d", "e", "f", 2.5, "s"}});
    print();
    const QStringList texts = document().at(0).texts();
    EXPECT_EQ(texts.at(5), line({{41, "2 Ligne(s) pour ......"}, {76, "2.50"}}));
    EXPECT_EQ(ImpressionFaite, -1);
}

TEST_F(Report, AnEmptyViewPrintsTheReportOfNoRows)
{
    load({});
    print();
    const QStringList texts = document().at(0).texts();
    ASSERT_EQ(texts.size(), 5);
    EXPECT_EQ(texts.at(2), line({{70, "----------"}}));
    EXPECT_EQ(texts.at(3), line({{41, "0 Ligne(s) pour ......"}, {76, "0.00"}}));
    EXPECT_EQ(ImpressionFaite, -1);
}

TEST_F(Report, FooterNamesTheFontThePrinterReallyUses)
{
    printer.setAvailableFonts({{"Courier new", "Nimbus Mono PS"}});
    selection.NomFichierMdb = "COLLECTION.MDB";
    selection.NomTable = "TIMBRES";
    load({numbered(1)});
    print();
    EXPECT_EQ(document().at(0).texts().last(),
              line({{4, "COLLECTION.MDB - Table:TIMBRES - Date: 05/12/2026  -  Police: Nimbus Mono PS 10"}}));
}

TEST_F(Report, EveryOtherActivationOnlyClosesTheJobAndReloads)
{
    load({numbered(1), numbered(2), numbered(3)});
    print();
    Data1.recordset()->setAbsolutePosition(2);
    print();
    EXPECT_EQ(printer.documents().size(), 1u);
    EXPECT_EQ(ImpressionFaite, 0);
    EXPECT_EQ(Data1.recordset()->AbsolutePosition(), 0);
    print();
    EXPECT_EQ(printer.documents().size(), 2u);
    EXPECT_EQ(ImpressionFaite, -1);
}

struct FailureCase {
    int error;
    bool message;
};

class ReportFailures : public Report, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ReportFailures, AFailedRunLeavesNothingAndTheNextRunPrintsEverything)
{
    std::vector<Row> rows;
    for (int i = 1; i <= 62; ++i)
        rows.push_back(numbered(i));
    load(rows);
    printer.failAtSheet(2, GetParam().error);
    if (GetParam().message)
        dialogs.answerMsgBox(vb::OK);
    print();

    EXPECT_TRUE(printer.documents().empty());
    EXPECT_EQ(printer.abandonedDocuments(), 1);
    EXPECT_EQ(ImpressionFaite, 0);
    EXPECT_EQ(Data1.recordset()->AbsolutePosition(), 61); // where the run stopped
    std::vector<DialogCall> expected;
    if (GetParam().message)
        expected.push_back(DialogCall::msgBox("Imprimante inaccessible ou manquant de papier)", 0));
    EXPECT_EQ(dialogs.boxes(), expected);

    dialogs.clearTranscript();
    dialogs.answerMsgBox(vb::OK);
    print();
    EXPECT_EQ(rectoVersoBoxes(), 1);
    ASSERT_EQ(printer.documents().size(), 1u);
    EXPECT_TRUE(printer.documents()[0].at(0).texts().at(2).contains("Objet 1"));
    EXPECT_EQ(ImpressionFaite, -1);
}

INSTANTIATE_TEST_SUITE_P(Errors, ReportFailures,
                         ::testing::Values(FailureCase{err::OutOfPaper, true},
                                           FailureCase{err::DeviceNotAnswering, true},
                                           FailureCase{err::Overflow, false}),
                         [](const auto &info) { return std::to_string(info.param.error); });

// What the progress window is told, and where the recordset stands each time; stands for
// the user pressing Annuler once some rows are printed.
class ProgressLog : public ReportProgress {
public:
    ProgressLog(const DataControl &data, int cancelAfter) : data_(data), cancelAfter_(cancelAfter) {}
    void begin(int total) override { total_ = total; }
    bool advance(int printed) override
    {
        counts_.push_back(printed);
        positions_.push_back(data_.recordset()->AbsolutePosition());
        return printed != cancelAfter_;
    }
    void end() override { ended_ = true; }

    int total_ = 0;
    bool ended_ = false;
    std::vector<int> counts_, positions_;

private:
    const DataControl &data_;
    int cancelAfter_;
};

struct ProgressCase {
    int cancelAfter; // 0: never
    int counted;
    int boxes;
};

class ReportProgressCount : public Report, public ::testing::WithParamInterface<ProgressCase> {};

// Each row is counted once, while it is the current row; Annuler abandons the job there.
TEST_P(ReportProgressCount, EachRowCountedOnceWhileItIsCurrent)
{
    load(rowsWithRemarkLines(130, 1));
    for (int i = 0; i < GetParam().boxes; ++i)
        dialogs.answerMsgBox(vb::OK);
    ProgressLog log(Data1, GetParam().cancelAfter);
    print(&log);

    std::vector<int> expected(GetParam().counted);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(log.counts_, expected);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(log.positions_, expected);
    EXPECT_EQ(log.total_, 130);
    EXPECT_TRUE(log.ended_);
    EXPECT_EQ(rectoVersoBoxes(), GetParam().boxes);
    EXPECT_FALSE(printer.isDocumentOpen());
    if (GetParam().cancelAfter) {
        EXPECT_TRUE(printer.documents().empty());
        EXPECT_EQ(printer.abandonedDocuments(), 1);
        EXPECT_EQ(ImpressionFaite, 0);
        EXPECT_EQ(Data1.recordset()->AbsolutePosition(), GetParam().cancelAfter - 1);
    } else {
        EXPECT_EQ(printer.documents().size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, ReportProgressCount, ::testing::Values(ProgressCase{0, 130, 2}, ProgressCase{70, 70, 1}),
                         [](const auto &info) {
                             return info.param.cancelAfter ? std::string("Cancelled") : std::string("Whole");
                         });

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
    EXPECT_EQ(label, QStringLiteral(" Impression en cours : %1 ligne(s) sur 200.").arg(printedAtClick));
    EXPECT_EQ(button, "Annuler");
    EXPECT_TRUE(dialogs.boxes().empty()); // stopped long before the first sheet was full
    EXPECT_TRUE(printer.documents().empty());
    EXPECT_EQ(printer.abandonedDocuments(), 1);
    EXPECT_EQ(Data1.recordset()->AbsolutePosition(), printedAtClick - 1);
}

struct PdfCase {
    QLocale locale;
    QString cote, bigCote, total;
};

class ReportPdf : public Report, public ::testing::WithParamInterface<PdfCase> {
protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

// What pdftotext reads from a real PDF stands in the report's columns, and every glyph
// comes from the one fixed-pitch font.
TEST_P(ReportPdf, ColumnsAndTheOneFontOfARealPdf)
{
    QLocale::setDefault(GetParam().locale);
    load({{"1", "Cérès", "10 c bistre", "Neuf", 5.0, "L'épreuve"},
          {"2", "Semeuse", "25 c bleu", "Usé", 1234.5, "r"},
          {"10", "Marianne", "15 c vert", "TB", 0.5, "Coin daté"}});
    const QString pdf = dir.filePath("rapport.pdf");
    PdfPrinter device(pdf);
    Impression(device, dialogs).run(Data1, selection, "05/12/2026", ImpressionFaite);
    ASSERT_EQ(ImpressionFaite, -1);

    EXPECT_EQ(pdfFonts(pdf), QStringList{"LiberationMono"});
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    QStringList lines = pages[0].split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 8);
    for (QString &l : lines)
        l.replace(QChar(0x00A0), ' ');
    const qsizetype margin = lines[0].indexOf("Impression de") - 3;
    ASSERT_GE(margin, 0);
    auto column = [&](int index, const QString &text) { return int(lines[index].indexOf(text) - margin) + 1; };
    EXPECT_EQ(column(1, "NUMÉRO"), 4);
    EXPECT_EQ(column(1, "DÉSIGNATION"), 16);
    EXPECT_EQ(column(1, "VALEUR - COULEUR"), 41);
    EXPECT_EQ(column(1, "ÉTAT"), 66);
    EXPECT_EQ(column(1, "COTE"), 74);
    EXPECT_EQ(column(1, "REMARQUE"), 82);
    EXPECT_EQ(column(2, "1"), 4);
    EXPECT_EQ(column(2, "Cérès"), 12);
    EXPECT_EQ(column(2, "10 c bistre"), 38);
    EXPECT_EQ(column(2, "Neuf"), 66);
    EXPECT_EQ(column(2, GetParam().cote), 76);
    EXPECT_EQ(column(2, "L'épreuve"), 82);
    EXPECT_EQ(column(3, GetParam().bigCote), 73);
    EXPECT_EQ(column(5, "----------"), 70);
    EXPECT_EQ(column(6, "3 Ligne(s)"), 41);
    EXPECT_EQ(column(6, GetParam().total) + GetParam().total.size() - 1, 79);
    EXPECT_TRUE(lines[7].contains("A.MDB - Table:T - Date: 05/12/2026  -  Police: Liberation Mono 10"));
}

INSTANTIATE_TEST_SUITE_P(Locales, ReportPdf,
                         ::testing::Values(PdfCase{QLocale::c(), "5.00", "1234.50", "1,240.00"},
                                           PdfCase{QLocale(QLocale::French, QLocale::France), "5,00", "1234,50",
                                                   "1 240,00"}),
                         [](const auto &info) { return info.index == 0 ? std::string("C") : std::string("French"); });

} // namespace
