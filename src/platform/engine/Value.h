#pragma once
#include <QString>
#include <variant>

class QLocale;

namespace carnelis {

// One cell: Null, a number or a text.
class Value {
public:
    Value() = default;
    Value(double number) : data_(number) {}
    Value(int number) : data_(double(number)) {}
    Value(const QString &text) : data_(text) {}
    Value(const char *text) : data_(QString::fromUtf8(text)) {}

    static Value null() { return {}; }

    bool isNull() const { return std::holds_alternative<std::monostate>(data_); }
    bool isNumber() const { return std::holds_alternative<double>(data_); }
    bool isText() const { return std::holds_alternative<QString>(data_); }

    double number() const { return std::get<double>(data_); }
    const QString &text() const { return std::get<QString>(data_); }

    // The text form a Basic program would show: "" for Null, the text as it is, a number
    // in its plain shortest form with the locale's decimal separator (12,5 in French).
    QString toDisplayText(const QLocale &locale) const;

    bool operator==(const Value &other) const = default;

private:
    std::variant<std::monostate, double, QString> data_;
};

} // namespace carnelis
