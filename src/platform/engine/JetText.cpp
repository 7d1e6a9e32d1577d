#include "JetText.h"

#include <QChar>
#include <QList>
#include <QString>

#include <array>
#include <charconv>
#include <cmath>
#include <vector>

namespace carnelis {

namespace {

// Reads one code point and advances; a broken sequence reads as its first byte, so
// damaged text still compares the same way every time.
char32_t nextCodePoint(std::string_view s, size_t &i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int length = b0 >= 0xF0 ? 4 : b0 >= 0xE0 ? 3 : b0 >= 0xC0 ? 2 : 1;
    if (length == 1 || i + length > s.size()) {
        ++i;
        return b0;
    }
    char32_t cp = b0 & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return b0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += length;
    return cp;
}

int utf16Units(char32_t cp) { return cp >= 0x10000 ? 2 : 1; }

// The weight of one letter: its lower-case base letter, then which accent it wears.
uint32_t computeWeight(char32_t cp)
{
    char32_t lower = QChar::toLower(cp);
    uint32_t accent = 0;
    for (int depth = 0; depth < 4; ++depth) {
        if (QChar::decompositionTag(lower) != QChar::Canonical)
            break;
        const QString parts = QChar::decomposition(lower);
        if (parts.size() < 2)
            break;
        const QList<uint> ucs4 = parts.toUcs4();
        if (ucs4.size() < 2)
            break;
        if (accent == 0)
            accent = std::min<uint32_t>(255, ucs4[1] >= 0x300 ? ucs4[1] - 0x2FF : 255);
        lower = QChar::toLower(ucs4[0]);
    }
    return (uint32_t(lower) << 8) | accent;
}

uint32_t weight(char32_t cp)
{
    if (cp < 0x80) {
        const char32_t lower = (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
        return uint32_t(lower) << 8;
    }
    static const std::vector<uint32_t> table = [] {
        std::vector<uint32_t> t(0x250);
        for (char32_t c = 0; c < 0x250; ++c)
            t[c] = computeWeight(c);
        return t;
    }();
    return cp < table.size() ? table[cp] : computeWeight(cp);
}

std::string_view withoutTrailingBlanks(std::string_view s)
{
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void appendWeight(std::string &key, uint32_t w)
{
    key.push_back(char((w >> 24) & 0xFF));
    key.push_back(char((w >> 16) & 0xFF));
    key.push_back(char((w >> 8) & 0xFF));
    key.push_back(char(w & 0xFF));
}

// Lower-cased code points, for searching.
void foldInto(std::string_view s, std::u32string &out, std::vector<int> &units)
{
    out.clear();
    units.clear();
    size_t i = 0;
    while (i < s.size()) {
        const char32_t cp = nextCodePoint(s, i);
        out.push_back(cp < 0x80 ? ((cp >= 'A' && cp <= 'Z') ? cp + 32 : cp) : QChar::toLower(cp));
        units.push_back(utf16Units(cp));
    }
}

// Byte offset after count UTF-16 units from the start.
size_t offsetAfterUnits(std::string_view s, int count)
{
    size_t i = 0;
    int seen = 0;
    while (i < s.size()) {
        size_t next = i;
        const char32_t cp = nextCodePoint(s, next);
        if (seen + utf16Units(cp) > count)
            break;
        seen += utf16Units(cp);
        i = next;
    }
    return i;
}

int countUnits(std::string_view s)
{
    int n = 0;
    size_t i = 0;
    while (i < s.size())
        n += utf16Units(nextCodePoint(s, i));
    return n;
}

} // namespace

int compareJetText(std::string_view a, std::string_view b)
{
    a = withoutTrailingBlanks(a);
    b = withoutTrailingBlanks(b);
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const uint32_t wa = weight(nextCodePoint(a, i));
        const uint32_t wb = weight(nextCodePoint(b, j));
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

std::string naturalSortKey(std::string_view s)
{
    std::string key;
    naturalSortKey(s, key);
    return key;
}

void naturalSortKey(std::string_view s, std::string &key)
{
    s = withoutTrailingBlanks(s);
    key.clear();
    key.reserve(s.size() * 4 + 8);
    size_t i = 0;
    while (i < s.size()) {
        if (isDigit(s[i])) {
            // A digit run: the weight of '0', then the length without leading zeros, then
            // the digits, so that a longer number always sorts after a shorter one.
            size_t end = i;
            while (end < s.size() && isDigit(s[end]))
                ++end;
            size_t first = i;
            while (first + 1 < end && s[first] == '0')
                ++first;
            const size_t length = std::min<size_t>(end - first, 0xFFFF);
            appendWeight(key, weight('0'));
            key.push_back(char(length >> 8));
            key.push_back(char(length & 0xFF));
            key.append(s.substr(first, length));
            i = end;
        } else {
            appendWeight(key, weight(nextCodePoint(s, i)));
        }
    }
}

std::optional<double> numberFromWholeText(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    if (s.empty())
        return std::nullopt;
    std::string plain(s);
    if (plain.front() == '+')
        plain.erase(0, 1);
    for (char &c : plain) {
        if (c == 'd' || c == 'D')
            c = 'e';
        else if (!(isDigit(c) || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return std::nullopt;
    }
    double value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

int jetInstr(std::string_view haystack, std::string_view needle, int start)
{
    thread_local std::u32string h, n;
    thread_local std::vector<int> hUnits, nUnits;
    foldInto(haystack, h, hUnits);
    foldInto(needle, n, nUnits);
    // Start counts UTF-16 units; find the first code point at or after it.
    size_t from = 0;
    int unit = 1;
    while (from < h.size() && unit < start)
        unit += hUnits[from++];
    if (n.empty())
        return from <= h.size() && start <= countUnits(haystack) + 1 ? unit : 0;
    const size_t at = h.find(n, from);
    if (at == std::u32string::npos)
        return 0;
    int position = 1;
    for (size_t k = 0; k < at; ++k)
        position += hUnits[k];
    return position;
}

std::string_view jetLeft(std::string_view s, int count) { return s.substr(0, offsetAfterUnits(s, count)); }

std::string_view jetRight(std::string_view s, int count)
{
    const int total = countUnits(s);
    if (count >= total)
        return s;
    size_t i = 0;
    int seen = 0;
    while (i < s.size() && seen < total - count) {
        size_t next = i;
        seen += utf16Units(nextCodePoint(s, next));
        i = next;
    }
    return s.substr(i);
}

} // namespace carnelis
