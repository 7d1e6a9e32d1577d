#pragma once
// A printer for tests: each sheet is kept as lines of characters at their columns, with
// the rules drawn on it. Fixed metrics (a 0.4 cm line, a 6-point character), a font with
// the Latin-1 characters only and a printable area of 20 x 28.7 cm, like A4 with 5 mm
// margins. It can be told to fail the way a real printer does.
#include "PrinterDevice.h"

#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace carnelis {

struct RecordedRule {
    double x1, y1, x2, y2;
    Rgb colour;
};

struct RecordedLine {
    double y;     // top of the line, centimetres
    QString text; // the line from column 1, blanks where nothing was printed
};

struct RecordedPage {
    std::map<long, QString> lines; // by y in thousandths of a centimetre
    std::vector<RecordedRule> rules;
    std::set<QString> fonts; // each font asked for text on the sheet: name, size and styles

    std::vector<RecordedLine> textLines() const;
    QStringList texts() const;
};

using RecordedDocument = std::vector<RecordedPage>;

// The text of a real PDF as `pdftotext -layout -fixed 6` reads it: with a 6-point
// character, the columns of a 10-point Courier report. Pages are split on form feeds.
QStringList pdfPages(const QString &pdfPath);

class RecordingPrinter : public PrinterDevice {
public:
    static constexpr double LineHeight = 0.4;
    static constexpr double CharacterWidth = 2.54 * 6 / 72; // Courier at 10 points: 6 points
    static constexpr double PrintableHeight = 28.7;
    static constexpr double PrintableWidth = 20.0; // 94 columns

    // The documents that ended with EndDoc, in order.
    const std::vector<RecordedDocument> &documents() const { return documents_; }
    int abandonedDocuments() const { return abandoned_; }

    // The next sheet that starts (1 for the first sheet of a document) fails with this
    // run-time error number; once.
    void failAtSheet(int sheet, int errorNumber);
    // The family reported for a font asked by name (Courier New gives Liberation Mono).
    void setAvailableFonts(std::map<QString, QString> fonts) { fonts_ = std::move(fonts); }
    // Paper of another length than A4.
    void setPrintableHeight(double centimetres) { printableHeight_ = centimetres; }
    // Runs as each sheet after the first starts: a look at the program at that moment.
    void setOnNewSheet(std::function<void()> look) { onNewSheet_ = std::move(look); }

protected:
    FontUsed resolveFont(const FontRequest &request) override;
    bool hasCharacter(QChar c) override { return c.unicode() <= 0xFF; }
    double pageHeight() override { return printableHeight_; }
    double pageWidth() override { return PrintableWidth; }
    void beginDocument() override;
    void beginPage() override;
    void drawText(int column, double y, const QString &text) override;
    void drawLine(double x1, double y1, double x2, double y2, Rgb colour) override;
    void endDocument() override;
    void abortDocument() override;

private:
    void startSheet();

    std::vector<RecordedDocument> documents_;
    RecordedDocument open_;
    int abandoned_ = 0;
    std::optional<std::pair<int, int>> failure_;
    std::map<QString, QString> fonts_;
    QString drawing_; // the font text is drawn in, as `RecordedPage::fonts` names it
    std::function<void()> onNewSheet_;
    double printableHeight_ = PrintableHeight;
};

} // namespace carnelis
