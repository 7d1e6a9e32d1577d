#include "ReportFormat.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace carnelis {

namespace {
QString twoDecimals(double value, bool grouped)
{
    QLocale locale;
    const auto options = locale.numberOptions();
    locale.setNumberOptions(grouped ? options & ~QLocale::OmitGroupSeparator : options | QLocale::OmitGroupSeparator);
    // A value that rounds to zero is printed as zero, never as "-0.00".
    if (std::abs(value) < 0.005)
        value = 0.0;
    return locale.toString(value, 'f', 2);
}
} // namespace

QString formatTwoDecimals(double value) { return twoDecimals(value, false); }

QString formatGroupedTwoDecimals(double value, const QString &groupSeparator)
{
    QString text = twoDecimals(value, true);
    if (const QString own = QLocale().groupSeparator(); !own.isEmpty() && own != groupSeparator)
        text.replace(own, groupSeparator);
    return text;
}

QString groupSeparatorIn(const std::function<bool(QChar)> &fontHas)
{
    const QString own = QLocale().groupSeparator();
    if (std::all_of(own.begin(), own.end(), fontHas))
        return own;
    const QChar noBreakSpace(0x00A0);
    return fontHas(noBreakSpace) ? QString(noBreakSpace) : QStringLiteral(" ");
}

std::optional<double> coteAmount(const Value &cote)
{
    if (cote.isNumber())
        return std::isfinite(cote.number()) ? std::optional<double>(cote.number()) : std::nullopt;
    if (!cote.isText())
        return std::nullopt;
    const QString text = cote.text().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    double value = QLocale().toDouble(text, &ok);
    if (!ok)
        value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace carnelis
