#include "Value.h"

#include <QLocale>

#include <array>
#include <charconv>

namespace carnelis {

QString shortestNumberText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    std::array<char, 64> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    QString text = QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
    const qsizetype e = text.indexOf(u'e');
    if (e < 0)
        return text;
    // 1e+20 as 1E+20: the upper-case exponent the rest of the program writes.
    text[e] = u'E';
    return text;
}

QString Value::toDisplayText(const QLocale &locale) const
{
    if (isNull())
        return {};
    if (isText())
        return text();
    QString plain = shortestNumberText(number());
    const QString point = locale.decimalPoint();
    if (point != QLatin1String("."))
        plain.replace(u'.', point);
    const QString minus = locale.negativeSign();
    if (minus != QLatin1String("-") && plain.startsWith(u'-'))
        plain.replace(0, 1, minus);
    return plain;
}

} // namespace carnelis
