#pragma once
// How the values of a Jet row become plain numbers and texts. Nothing here depends on the
// user's locale: numbers go through std::to_chars/from_chars, dates through our own
// calendar arithmetic.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace carnelis::access {

// One cell as the snapshot stores it: Null, a whole number, a real number or UTF-8 text.
using Cell = std::variant<std::monostate, int64_t, double, std::string>;

// A Jet date is a count of days since 30 December 1899, the fraction being the time of
// day (for days before that date, the fraction still counts forward from midnight).
// Gives "YYYY-MM-DD", or "YYYY-MM-DD HH:MM:SS" when there is a time of day; nothing for
// a value outside the years 100 to 9999, which no genuine file holds.
std::optional<std::string> isoDateFromJet(double days);

// The double that reads like the single-precision value: 12.35f gives 12.35, not
// 12.3500003814697.
double doubleFromSingle(float value);

// A number written by the library in the C locale ("-12.5", "3.5000").
std::optional<double> numberFromText(const std::string &text);

// A replication id as Access shows it: {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
std::string guidText(const unsigned char *bytes);

} // namespace carnelis::access
