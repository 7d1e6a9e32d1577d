#include "JetValues.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace carnelis::access {

namespace {

// Days between 30 December 1899 and 1 January 1970.
constexpr int64_t jetEpochToUnix = 25569;
// 1 January 100 and 31 December 9999 as Jet day numbers.
constexpr double firstJetDay = -657434;
constexpr double lastJetDay = 2958465;

struct CivilDate {
    int64_t year;
    unsigned month;
    unsigned day;
};

// Proleptic Gregorian date of a day count from 1970-01-01 (H. Hinnant's algorithm).
CivilDate civilFromDays(int64_t z)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {int64_t(yoe) + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

} // namespace

std::optional<std::string> isoDateFromJet(double days)
{
    // The times of the first day lie below it, the fraction counting forward from midnight.
    if (!std::isfinite(days) || days <= firstJetDay - 1 || days >= lastJetDay + 1)
        return std::nullopt;
    int64_t day = int64_t(std::trunc(days));
    int64_t seconds = std::llround(std::fabs(days - double(day)) * 86400.0);
    if (seconds >= 86400) { // a time that rounds to midnight belongs to the next day
        seconds -= 86400;
        ++day;
    }
    const CivilDate date = civilFromDays(day - jetEpochToUnix);
    char text[64];
    if (seconds == 0) {
        std::snprintf(text, sizeof text, "%04lld-%02u-%02u", static_cast<long long>(date.year), date.month, date.day);
    } else {
        std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02d:%02d:%02d", static_cast<long long>(date.year),
                      date.month, date.day, int(seconds / 3600), int(seconds / 60 % 60), int(seconds % 60));
    }
    return std::string(text);
}

double doubleFromSingle(float value)
{
    if (!std::isfinite(value))
        return double(value);
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double result = double(value);
    std::from_chars(text, written.ptr, result);
    return result;
}

std::optional<double> numberFromText(const std::string &text)
{
    const char *begin = text.data();
    const char *end = begin + text.size();
    while (begin < end && *begin == ' ')
        ++begin;
    if (begin < end && *begin == '+')
        ++begin;
    double result = 0;
    const auto parsed = std::from_chars(begin, end, result);
    if (parsed.ec != std::errc() || parsed.ptr != end)
        return std::nullopt;
    return result;
}

std::string guidText(const unsigned char *b)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", b[3],
                  b[2], b[1], b[0], b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
    return text;
}

} // namespace carnelis::access
