#pragma once
// The printer object the report talks to: centimetre coordinates, a print position that
// moves by character columns of a fixed-pitch font, Tab and ";" as a Basic program knows
// them, ruled lines, pages and documents. The rules of the print position live here once;
// a backend only draws what it is handed (a line of text at a column, a rule, a new sheet).
#include <QString>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

namespace carnelis {

// A colour as 0xAARRGGBB: the same word as Qt Gui's QRgb, so that the device and the
// report above it need no Qt Gui.
using Rgb = unsigned int;

// One item of a Print list: Tab(n), a text, or a number (written with its blanks).
class PrintItem {
public:
    enum class Kind { Tab, Text, Number };

    static PrintItem Tab(int column) { return PrintItem(Kind::Tab, column); }
    PrintItem(const QString &text) : kind_(Kind::Text), text_(text) {}
    PrintItem(const char *text) : kind_(Kind::Text), text_(QString::fromUtf8(text)) {}
    PrintItem(double number) : kind_(Kind::Number), number_(number) {}
    PrintItem(int number) : kind_(Kind::Number), number_(number) {}

    Kind kind() const { return kind_; }
    int column() const { return column_; }
    const QString &text() const { return text_; }
    double number() const { return number_; }

private:
    PrintItem(Kind kind, int column) : kind_(kind), column_(column) {}
    Kind kind_;
    int column_ = 0;
    QString text_;
    double number_ = 0.0;
};

// How a Print list ends: without a separator the line ends, with ";" it goes on.
enum class PrintEnd { NewLine, KeepLine };

// A number as Print writes it: one leading blank or the minus sign, the shortest form with
// the default locale's decimal separator, one trailing blank.
QString printedNumber(double number);

// The family a printer is asked for when the report names a Windows font: the metric
// twins of the Liberation family stand in for Courier New, Arial and Times New Roman.
QString printerFontFamily(const QString &asked);

class PrinterDevice {
public:
    static constexpr int Centimetres = 7;

    PrinterDevice() = default;
    PrinterDevice(const PrinterDevice &) = delete;
    PrinterDevice &operator=(const PrinterDevice &) = delete;
    virtual ~PrinterDevice() = default;

    // Only centimetres are known; any other scale is refused.
    void setScaleMode(int mode);

    double CurrentX() const { return x_; }
    double CurrentY() const { return y_; }
    void setCurrentX(double x) { x_ = x; }
    void setCurrentY(double y) { y_ = y; }

    void setFontBold(bool on);
    void setFontItalic(bool on);
    void setFontUnderline(bool on);
    void setFontStrikethru(bool on);
    void setFontName(const QString &name);
    void setFontSize(double points);
    // What the device actually uses, which may differ from what was asked.
    QString FontName();
    double FontSize();
    // Height of a text line and width of one character, in centimetres.
    double TextHeight();
    double CharWidth();
    // Whether the font drawn with has a glyph of its own for the character; text the font
    // lacks would be drawn from another font, with other widths.
    bool FontHasCharacter(QChar c);

    void Print(std::initializer_list<PrintItem> items = {}, PrintEnd end = PrintEnd::NewLine);
    void Print(const std::vector<PrintItem> &items, PrintEnd end);
    // A straight line; afterwards the print position is its end point.
    void Line(double x1, double y1, double x2, double y2, Rgb colour = 0);
    void NewPage();
    // Ends the document and sends it; with no document open it does nothing.
    void EndDoc();
    // Abandons the open document: nothing of it comes out.
    void KillDoc();

    // What a piece of printing would take from the print position: the text lines it
    // writes on or moves past, and whether all of it stays above the foot of the sheet.
    // Found by running it with nothing drawn; the print position is put back afterwards.
    struct Extent {
        int lines = 0;
        bool fits = true;
    };
    Extent Measure(const std::function<void()> &printing);
    // Called in place of starting a sheet of the device's own when a text line would pass
    // the foot of the sheet: the caller turns the sheet (NewPage) its own way. Without
    // one, or when the handler leaves the position where it was, the device starts the
    // sheet itself.
    void setSheetFull(std::function<void()> handler) { sheetFull_ = std::move(handler); }

    bool isDocumentOpen() const { return documentOpen_; }
    // Sheet number in the open document, 1 for the first; 0 with no document.
    int Page() const { return page_; }

protected:
    struct FontRequest {
        QString name = QStringLiteral("Courier New");
        double size = 10.0;
        bool bold = false, italic = false, underline = false, strikethrough = false;
    };
    struct FontUsed {
        QString name;
        double size = 10.0;
        double lineHeight = 0.4; // centimetres
        double charWidth = 0.21; // centimetres
    };

    // The backend settles the font it will draw with and tells what it is.
    virtual FontUsed resolveFont(const FontRequest &request) = 0;
    // Whether the font last resolved has a glyph for the character.
    virtual bool hasCharacter(QChar c) = 0;
    // Height of the printable area in centimetres; a text line that would pass its foot
    // goes to the top of a new sheet.
    virtual double pageHeight() = 0;
    // Width of the printable area in centimetres; a text that would pass it goes on
    // under its first column.
    virtual double pageWidth() = 0;
    virtual void beginDocument() = 0;
    virtual void beginPage() = 0; // every sheet after the first
    virtual void drawText(int column, double y, const QString &text) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    virtual void endDocument() = 0;
    virtual void abortDocument() = 0;

private:
    const FontUsed &usedFont();
    void fontChanged();
    void ensureDocument();
    void tab(int column);
    void write(const QString &text);
    void place(int index, const QString &text);
    void newLine();
    void flushLine();
    void startSheet();
    void resetPosition();
    // The foot of what the print position has used: a line with text on it counts whole.
    double usedBottom();

    FontRequest font_;
    FontUsed used_;
    bool fontResolved_ = false;
    double x_ = 0.0;
    double y_ = 0.0;
    bool documentOpen_ = false;
    int page_ = 0;

    // The text of the current line, gathered so that a backend draws one run per line.
    QString line_;
    double lineY_ = 0.0;

    std::function<void()> sheetFull_;
    // While a Measure runs: the lowest point reached so far; nothing is drawn.
    std::optional<double> measuredBottom_;
};

} // namespace carnelis
