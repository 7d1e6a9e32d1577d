#include "PrinterDevice.h"

#include "RuntimeError.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace carnelis {

namespace {
// Positions are doubles in centimetres; a hundredth of a character is "exactly there".
constexpr double ColumnTolerance = 0.01;
constexpr double HeightTolerance = 1e-9;
// A height that is a whole number of lines but for rounding counts as that number.
constexpr double LineTolerance = 1e-6;
} // namespace

QString printedNumber(double number)
{
    const QLocale locale;
    const double magnitude = std::abs(number);
    QString digits;
    if (magnitude == std::floor(magnitude) && magnitude < 1e15) {
        digits = QString::number(qint64(magnitude));
    } else {
        digits = QString::number(magnitude, 'g', 15);
        digits.replace(QLatin1Char('e'), QLatin1Char('E'));
        digits.replace(QLatin1Char('.'), locale.decimalPoint());
    }
    return (number < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits + QLatin1Char(' ');
}

QString printerFontFamily(const QString &asked)
{
    const QString key = asked.trimmed().toLower();
    if (key == QLatin1String("courier new") || key == QLatin1String("courier"))
        return QStringLiteral("Liberation Mono");
    if (key == QLatin1String("arial") || key == QLatin1String("ms sans serif"))
        return QStringLiteral("Liberation Sans");
    if (key == QLatin1String("times new roman"))
        return QStringLiteral("Liberation Serif");
    return asked;
}

void PrinterDevice::setScaleMode(int mode)
{
    if (mode != Centimetres)
        throw RuntimeError(380, QStringLiteral("Seule l'échelle en centimètres est connue de l'imprimante."));
}

void PrinterDevice::setFontBold(bool on)
{
    font_.bold = on;
    fontChanged();
}

void PrinterDevice::setFontItalic(bool on)
{
    font_.italic = on;
    fontChanged();
}

void PrinterDevice::setFontUnderline(bool on)
{
    font_.underline = on;
    fontChanged();
}

void PrinterDevice::setFontStrikethru(bool on)
{
    font_.strikethrough = on;
    fontChanged();
}

void PrinterDevice::setFontName(const QString &name)
{
    font_.name = name;
    fontChanged();
}

void PrinterDevice::setFontSize(double points)
{
    if (!(points > 0.0) || points > 2160.0)
        throw RuntimeError(380, QStringLiteral("Taille de police incorrecte."));
    font_.size = points;
    fontChanged();
}

QString PrinterDevice::FontName() { return usedFont().name; }
double PrinterDevice::FontSize() { return usedFont().size; }
double PrinterDevice::TextHeight() { return usedFont().lineHeight; }
double PrinterDevice::CharWidth() { return usedFont().charWidth; }

bool PrinterDevice::FontHasCharacter(QChar c)
{
    usedFont();
    return hasCharacter(c);
}

const PrinterDevice::FontUsed &PrinterDevice::usedFont()
{
    if (!fontResolved_) {
        used_ = resolveFont(font_);
        fontResolved_ = true;
    }
    return used_;
}

void PrinterDevice::fontChanged()
{
    // Text already gathered was measured with the old font: it goes out with it.
    flushLine();
    fontResolved_ = false;
}

void PrinterDevice::Print(std::initializer_list<PrintItem> items, PrintEnd end)
{
    Print(std::vector<PrintItem>(items), end);
}

void PrinterDevice::Print(const std::vector<PrintItem> &items, PrintEnd end)
{
    ensureDocument();
    for (const PrintItem &item : items) {
        switch (item.kind()) {
        case PrintItem::Kind::Tab:
            tab(item.column());
            break;
        case PrintItem::Kind::Text:
            write(item.text());
            break;
        case PrintItem::Kind::Number:
            write(printedNumber(item.number()));
            break;
        }
    }
    if (end == PrintEnd::NewLine)
        newLine();
}

void PrinterDevice::Line(double x1, double y1, double x2, double y2, Rgb colour)
{
    ensureDocument();
    if (measuredBottom_)
        measuredBottom_ = std::max({*measuredBottom_, y1, y2});
    else
        drawLine(x1, y1, x2, y2, colour);
    x_ = x2;
    y_ = y2;
}

void PrinterDevice::NewPage()
{
    ensureDocument();
    startSheet();
    x_ = 0.0;
}

void PrinterDevice::EndDoc()
{
    if (!documentOpen_)
        return;
    flushLine();
    documentOpen_ = false;
    page_ = 0;
    resetPosition();
    endDocument();
}

void PrinterDevice::KillDoc()
{
    if (!documentOpen_)
        return;
    line_.clear();
    documentOpen_ = false;
    page_ = 0;
    resetPosition();
    abortDocument();
}

PrinterDevice::Extent PrinterDevice::Measure(const std::function<void()> &printing)
{
    if (measuredBottom_)
        throw std::logic_error("PrinterDevice::Measure inside a measure");
    ensureDocument();
    // The position goes back however the printing ends.
    struct Restore {
        PrinterDevice &device;
        double x, y;
        ~Restore()
        {
            device.x_ = x;
            device.y_ = y;
            device.measuredBottom_.reset();
        }
    } restore{*this, x_, y_};
    const double top = usedBottom();
    measuredBottom_ = top;
    printing();
    const double bottom = std::max(*measuredBottom_, usedBottom());
    Extent extent;
    extent.lines = std::max(0, int(std::ceil((bottom - top) / usedFont().lineHeight - LineTolerance)));
    extent.fits = bottom <= pageHeight() + HeightTolerance;
    return extent;
}

double PrinterDevice::usedBottom()
{
    const FontUsed &font = usedFont();
    return x_ > ColumnTolerance * font.charWidth ? y_ + font.lineHeight : y_;
}

void PrinterDevice::ensureDocument()
{
    if (documentOpen_)
        return;
    beginDocument();
    documentOpen_ = true;
    page_ = 1;
}

void PrinterDevice::tab(int column)
{
    const FontUsed &font = usedFont();
    const double target = std::max(column - 1, 0) * font.charWidth;
    if (x_ > target + ColumnTolerance * font.charWidth)
        newLine();
    x_ = target;
}

void PrinterDevice::write(const QString &text)
{
    if (text.isEmpty())
        return;
    const FontUsed &font = usedFont();
    const int index = std::max(0, int(std::lround(x_ / font.charWidth)));
    const int room = int(std::floor(pageWidth() / font.charWidth + ColumnTolerance)) - index;
    // A remark typed on several lines goes on under its first column, line after line;
    // other control characters would only upset the columns.
    QString clean = text;
    clean.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (QChar &c : clean)
        if (c.unicode() < 0x20 && c != QLatin1Char('\n'))
            c = QLatin1Char(' ');
    const QStringList lines = clean.split(QLatin1Char('\n'));
    QString rest;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            y_ += font.lineHeight;
        rest = lines[i];
        // A text that would run off the paper goes on under its first column, broken at
        // a blank where there is one, rather than being lost past the edge.
        while (room > 0 && rest.size() > room) {
            const qsizetype blank = rest.lastIndexOf(QLatin1Char(' '), room);
            const qsizetype cut = blank > 0 ? blank : room;
            place(index, rest.left(cut));
            rest = rest.mid(blank > 0 ? cut + 1 : cut);
            y_ += font.lineHeight;
        }
        place(index, rest);
    }
    x_ = (index + rest.size()) * font.charWidth;
}

void PrinterDevice::place(int index, const QString &text)
{
    const double lineHeight = usedFont().lineHeight;
    if (measuredBottom_) {
        measuredBottom_ = std::max(*measuredBottom_, y_ + lineHeight);
        return;
    }
    if (!line_.isEmpty() && std::abs(lineY_ - y_) > HeightTolerance)
        flushLine();
    if (line_.isEmpty()) {
        const auto passesFoot = [&] { return y_ > 0.0 && y_ + lineHeight > pageHeight() + HeightTolerance; };
        if (passesFoot() && sheetFull_)
            sheetFull_();
        if (passesFoot())
            startSheet();
        lineY_ = y_;
    }
    if (line_.size() < index + text.size())
        line_.resize(index + text.size(), QLatin1Char(' '));
    line_.replace(index, text.size(), text);
}

void PrinterDevice::newLine()
{
    y_ += usedFont().lineHeight;
    x_ = 0.0;
}

void PrinterDevice::flushLine()
{
    if (line_.isEmpty())
        return;
    QString text;
    text.swap(line_);
    qsizetype first = 0;
    while (first < text.size() && text.at(first) == QLatin1Char(' '))
        ++first;
    qsizetype last = text.size();
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    if (last > first)
        drawText(int(first) + 1, lineY_, text.mid(first, last - first));
}

void PrinterDevice::startSheet()
{
    if (measuredBottom_)
        throw std::logic_error("PrinterDevice: a sheet started while measuring");
    flushLine();
    beginPage();
    ++page_;
    y_ = 0.0;
}

void PrinterDevice::resetPosition()
{
    x_ = 0.0;
    y_ = 0.0;
}

} // namespace carnelis
