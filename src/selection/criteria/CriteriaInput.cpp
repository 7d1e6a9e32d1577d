#include "CriteriaInput.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace carnelis {

QString criterionFromTyped(const QString &typed) { return typed.toUpper(); }

std::optional<double> numberFromTyped(const QString &typed)
{
    QString s;
    for (QChar c : typed)
        if (!c.isSpace())
            s.append(c);
    // The number rewritten in plain ASCII with a point, then read in one go; past the end
    // of the text, at() gives a character that is part of no number.
    std::string number;
    qsizetype i = 0;
    auto at = [&](qsizetype k) { return k < s.size() ? s[k] : QChar(); };
    auto take = [&] { number += char(s[i++].unicode()); };
    auto digits = [&] {
        const size_t before = number.size();
        while (at(i) >= u'0' && at(i) <= u'9')
            take();
        return number.size() - before;
    };
    if (at(i) == u'+' || at(i) == u'-')
        take();
    size_t mantissa = digits();
    if (at(i) == u',' || at(i) == u'.') {
        number += '.';
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return std::nullopt;
    if (at(i) == u'E' || at(i) == u'e') {
        take();
        if (at(i) == u'+' || at(i) == u'-')
            take();
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
    if (std::abs(*value) > limit)
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
