#pragma once
#include <QString>
#include <cstdint>

class QLocale;

namespace carnelis {

// One cell: Null, a number or a text.
class Value {
public:
    Value() = default;
    Value(double number) : kind_(Kind::Number), number_(number) {}
    Value(int number) : kind_(Kind::Number), number_(double(number)) {}
    Value(const QString &text) : kind_(Kind::Text), text_(text) {}
    Value(const char *text) : kind_(Kind::Text), text_(QString::fromUtf8(text)) {}

    static Value null() { return {}; }

    bool isNull() const { return kind_ == Kind::Null; }
    bool isNumber() const { return kind_ == Kind::Number; }
    bool isText() const { return kind_ == Kind::Text; }

    double number() const { return number_; }     // 0 unless a number
    const QString &text() const { return text_; } // empty unless a text

    // The text form a Basic program would show: "" for Null, the text as it is, a number
    // in its plain shortest form with the locale's decimal separator (12,5 in French).
    QString toDisplayText(const QLocale &locale) const;

    bool operator==(const Value &other) const = default;

private:
    // Three plain members rather than a std::variant: GCC's sanitizer builds report false
    // "maybe uninitialized" warnings on a variant holding a QString. The member a kind does
    // not use keeps its default, so comparing all three compares the values.
    enum class Kind : uint8_t { Null, Number, Text };
    Kind kind_ = Kind::Null;
    double number_ = 0;
    QString text_;
};

// A number written as a Basic program's text conversion would, in the C locale: 150,
// 12.5, 1E+20.
QString shortestNumberText(double value);

} // namespace carnelis
