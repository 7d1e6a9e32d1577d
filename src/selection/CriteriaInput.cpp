#include "CriteriaInput.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace carnelis {

QString criterionFromTyped(const QString &typed)
{
    return typed.toUpper();
}

std::optional<double> numberFromTyped(const QString &typed)
{
    // The number rewritten in plain ASCII with a point, then read in one go.
    std::string number;
    qsizetype i = 0;
    QString s;
    for (QChar c : typed)
        if (!c.isSpace())
            s.append(c);
    auto digits = [&] {
        const size_t before = number.size();
        while (i < s.size() && s[i] >= u'0' && s[i] <= u'9')
            number += char(s[i++].unicode());
        return number.size() - before;
    };
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        number += char(s[i++].unicode());
    size_t mantissa = digits();
    if (i < s.size() && (s[i] == u',' || s[i] == u'.')) {
        number += '.';
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e')) {
        number += 'e';
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
            number += char(s[i++].unicode());
        if (digits() == 0)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;

    const char *first = number.data() + (number.front() == '+' ? 1 : 0);
    double value = 0;
    const auto result = std::from_chars(first, number.data() + number.size(), value);
    if (result.ec == std::errc())
        return value;
    // Out of range: past the largest double, or so small that it is zero.
    const double huge = QLocale::c().toDouble(QString::fromLatin1(first));
    return std::isinf(huge) ? huge : 0.0;
}

QString numberProblem(const QString &typed, double limit)
{
    const std::optional<double> value = numberFromTyped(typed);
    if (!value)
        return QStringLiteral("n'est pas un nombre");
    if (!(std::abs(*value) <= limit))
        return QStringLiteral("est un nombre trop grand");
    return {};
}

QString coteValueProblem(const QString &typed)
{
    return numberProblem(typed, double(std::numeric_limits<float>::max()));
}

std::optional<float> coteValueFromTyped(const QString &typed)
{
    if (!coteValueProblem(typed).isEmpty())
        return std::nullopt;
    return float(*numberFromTyped(typed));
}

} // namespace carnelis
