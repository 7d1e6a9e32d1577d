#include "BasicVal.h"

#include <charconv>
#include <cmath>
#include <string>

namespace carnelis {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// Characters with blanks dropped, since Basic skips them anywhere inside the number.
QString withoutBlanks(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (!isBlank(c))
            out.append(c);
    return out;
}

double radixNumber(const QString &s, qsizetype start, int base)
{
    double value = 0;
    bool any = false;
    for (qsizetype i = start; i < s.size(); ++i) {
        const int digit = s[i].isDigit() ? s[i].digitValue()
                          : (base == 16 && QString("ABCDEF").contains(s[i].toUpper()))
                              ? 10 + (s[i].toUpper().unicode() - u'A')
                              : -1;
        if (digit < 0 || digit >= base)
            break;
        value = value * base + digit;
        any = true;
    }
    return any ? value : 0;
}

} // namespace

double basicVal(const QString &text)
{
    const QString s = withoutBlanks(text);
    if (s.startsWith(u'&') && s.size() > 1) {
        const QChar kind = s[1].toUpper();
        if (kind == u'H')
            return radixNumber(s, 2, 16);
        if (kind == u'O')
            return radixNumber(s, 2, 8);
        return radixNumber(s, 1, 8);
    }

    std::string number;
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        number += char(s[i++].unicode());
    bool digits = false;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
        number += char(s[i++].unicode());
        digits = true;
    }
    if (i < s.size() && s[i] == u'.') {
        number += '.';
        ++i;
        while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
            number += char(s[i++].unicode());
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < s.size() && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        std::string exponent = "e";
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            exponent += char(s[j++].unicode());
        bool expDigits = false;
        while (j < s.size() && s[j] >= u'0' && s[j] <= u'9') {
            exponent += char(s[j++].unicode());
            expDigits = true;
        }
        if (expDigits)
            number += exponent;
    }
    // from_chars ignores the locale and is fast (Val runs once per row of a filter); the
    // rare number it cannot represent goes through Qt, which reports the overflow.
    {
        const char *first = number.data() + (number.front() == '+' ? 1 : 0);
        const char *last = number.data() + number.size();
        double value = 0;
        const auto result = std::from_chars(first, last, value);
        if (result.ec == std::errc() && result.ptr == last)
            return value;
    }
    bool ok = false;
    const double value = QString::fromStdString(number).toDouble(&ok);
    if (!ok)
        return std::isinf(value) ? value : 0;
    return value;
}

} // namespace carnelis
