#include "RecordingPrinter.h"

#include "RuntimeError.h"

#include <QProcess>
#include <cmath>

namespace carnelis {

std::vector<RecordedLine> RecordedPage::textLines() const
{
    std::vector<RecordedLine> out;
    for (const auto &[key, text] : lines)
        out.push_back({key / 1000.0, text});
    return out;
}

QStringList RecordedPage::texts() const
{
    QStringList out;
    for (const auto &[key, text] : lines)
        out << text;
    return out;
}

QStringList pdfPages(const QString &pdfPath)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {"-layout", "-fixed", "6", pdfPath, "-"});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

void RecordingPrinter::failAtSheet(int sheet, int errorNumber) { failure_ = {sheet, errorNumber}; }

PrinterDevice::FontUsed RecordingPrinter::resolveFont(const FontRequest &request)
{
    drawing_ = QStringLiteral("%1 %2%3%4%5%6")
                   .arg(request.name)
                   .arg(request.size)
                   .arg(request.bold ? " gras" : "", request.italic ? " italique" : "",
                        request.underline ? " souligné" : "", request.strikethrough ? " barré" : "");
    const auto it = fonts_.find(request.name);
    return {it != fonts_.end() ? it->second : printerFontFamily(request.name), request.size,
            LineHeight * request.size / 10.0, CharacterWidth * request.size / 10.0};
}

void RecordingPrinter::startSheet()
{
    if (failure_ && failure_->first == int(open_.size()) + 1) {
        const int number = std::exchange(failure_, std::nullopt)->second;
        throw RuntimeError(number, QStringLiteral("Échec d'impression simulé."));
    }
    open_.emplace_back();
}

void RecordingPrinter::beginDocument()
{
    open_.clear();
    startSheet();
}

void RecordingPrinter::beginPage()
{
    startSheet();
    if (onNewSheet_)
        onNewSheet_();
}

void RecordingPrinter::drawText(int column, double y, const QString &text)
{
    QString &line = open_.back().lines[std::lround(y * 1000.0)];
    const int index = column - 1;
    if (line.size() < index + text.size())
        line.resize(index + text.size(), QLatin1Char(' '));
    line.replace(index, text.size(), text);
    open_.back().fonts.insert(drawing_);
}

void RecordingPrinter::drawLine(double x1, double y1, double x2, double y2, Rgb colour)
{
    open_.back().rules.push_back({x1, y1, x2, y2, colour});
}

void RecordingPrinter::endDocument() { documents_.push_back(std::exchange(open_, {})); }

void RecordingPrinter::abortDocument()
{
    open_.clear();
    ++abandoned_;
}

} // namespace carnelis
