#include "Value.h"

#include "JetText.h"

#include <QLocale>

namespace carnelis {

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
