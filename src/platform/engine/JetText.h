#pragma once
// How texts compare and sort for the collector: letter case and trailing blanks do not
// count, an accented letter is a letter of its own placed right after its base letter
// (e, é, è, ê, ë, f), and for sorting, runs of digits compare by their value.
// Everything works on UTF-8 bytes as SQLite hands them over.
#include "Value.h" // shortestNumberText: a number as the text conversions write it

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace carnelis {

// Negative, zero or positive, as the collector expects two texts to compare.
int compareJetText(std::string_view a, std::string_view b);

// A byte string whose plain byte order is the natural order of the texts (digit runs by
// value), so that a sort needs one key per row instead of a collation call per
// comparison.
std::string naturalSortKey(std::string_view utf8);
void naturalSortKey(std::string_view utf8, std::string &key); // into a reused buffer

// The number a text holds when it reads wholly as one (blanks around it allowed, '.' as
// the decimal point, an exponent allowed); nothing otherwise.
std::optional<double> numberFromWholeText(std::string_view utf8);

// 1-based position of needle in haystack without regard to case (accents count), counted
// in UTF-16 units like every length the program computes; 0 when absent. Start is
// 1-based too.
int jetInstr(std::string_view haystack, std::string_view needle, int start = 1);

// The first or last count UTF-16 units of a text.
std::string_view jetLeft(std::string_view utf8, int count);
std::string_view jetRight(std::string_view utf8, int count);

} // namespace carnelis
