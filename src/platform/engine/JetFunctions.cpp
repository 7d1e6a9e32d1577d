#include "JetFunctions.h"

#include "BasicVal.h"
#include "CoteText.h"
#include "JetText.h"
#include "Sqlite.h"

#include <QLocale>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace carnelis {

namespace {

void raise(sqlite3_context *ctx, int number)
{
    const std::string message = functionErrorPrefix + std::to_string(number);
    sqlite3_result_error(ctx, message.c_str(), -1);
}

bool isNumber(sqlite3_value *v)
{
    const int t = sqlite3_value_type(v);
    return t == SQLITE_INTEGER || t == SQLITE_FLOAT;
}

std::string_view bytesOf(sqlite3_value *v)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_value_text(v));
    return {p ? p : "", size_t(sqlite3_value_bytes(v))};
}

// A value as text: a number as the grid shows COTE (two decimals, the user's decimal
// separator), so that a search for ,89 finds the 837,89 the collector sees. The grid's
// thousands grouping is left out: its separator is no key a person types, and with it
// a search for 1234 would miss 1 234,00.
std::string_view textOf(sqlite3_value *v, std::string &buffer)
{
    if (isNumber(v)) {
        buffer = coteText(sqlite3_value_double(v), QLocale(), Grouping::Off).toStdString();
        return buffer;
    }
    return bytesOf(v);
}

// A count argument (Left, Right, INSTR's start): a number, or a text that reads as one.
std::optional<int> countOf(sqlite3_context *ctx, sqlite3_value *v)
{
    double n = 0;
    if (isNumber(v)) {
        n = sqlite3_value_double(v);
    } else if (sqlite3_value_type(v) == SQLITE_NULL) {
        raise(ctx, err::InvalidArgument);
        return std::nullopt;
    } else if (auto read = numberFromWholeText(bytesOf(v))) {
        n = *read;
    } else {
        raise(ctx, err::TypeMismatch);
        return std::nullopt;
    }
    n = std::nearbyint(n);
    if (n < 0 || n > 2147483647.0) {
        raise(ctx, err::InvalidArgument);
        return std::nullopt;
    }
    return int(n);
}

void jetVal(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    sqlite3_value *v = argv[0];
    if (sqlite3_value_type(v) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    if (isNumber(v))
        return sqlite3_result_double(ctx, sqlite3_value_double(v));
    const std::string_view s = bytesOf(v);
    // Most catalogue numbers are plain digits: read them without building a QString.
    if (!s.empty() && s.size() <= 15 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        double n = 0;
        for (char c : s)
            n = n * 10 + (c - '0');
        return sqlite3_result_double(ctx, n);
    }
    sqlite3_result_double(ctx, basicVal(QString::fromUtf8(s.data(), qsizetype(s.size()))));
}

void jetInstrFunction(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    int start = 1;
    if (argc == 3) {
        const auto n = countOf(ctx, argv[0]);
        if (!n)
            return;
        if (*n < 1)
            return raise(ctx, err::InvalidArgument);
        start = *n;
        ++argv;
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    std::string a, b;
    sqlite3_result_int(ctx, jetInstr(textOf(argv[0], a), textOf(argv[1], b), start));
}

template <std::string_view (*Cut)(std::string_view, int)>
void jetCut(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const auto n = countOf(ctx, argv[1]);
    if (!n)
        return;
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    std::string buffer;
    const std::string_view part = Cut(textOf(argv[0], buffer), *n);
    sqlite3_result_text(ctx, part.data(), int(part.size()), SQLITE_TRANSIENT);
}

int sign(double d) { return d < 0 ? -1 : d > 0 ? 1 : 0; }

// Compares like Jet: texts by the collector's rules, numbers as numbers, and a number
// with a text only when the text reads wholly as a number.
void jetCmp(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    sqlite3_value *a = argv[0];
    sqlite3_value *b = argv[1];
    if (sqlite3_value_type(a) == SQLITE_NULL || sqlite3_value_type(b) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const bool an = isNumber(a), bn = isNumber(b);
    if (!an && !bn)
        return sqlite3_result_int(ctx, compareJetText(bytesOf(a), bytesOf(b)));
    std::optional<double> x = an ? std::optional(sqlite3_value_double(a)) : numberFromWholeText(bytesOf(a));
    std::optional<double> y = bn ? std::optional(sqlite3_value_double(b)) : numberFromWholeText(bytesOf(b));
    if (!x || !y)
        return raise(ctx, err::TypeMismatch);
    sqlite3_result_int(ctx, sign(*x - *y));
}

void jetSortKey(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    sqlite3_value *v = argv[0];
    const int t = sqlite3_value_type(v);
    if (t == SQLITE_NULL || t == SQLITE_INTEGER || t == SQLITE_FLOAT)
        return sqlite3_result_value(ctx, v);
    thread_local std::string key;
    naturalSortKey(bytesOf(v), key);
    sqlite3_result_blob(ctx, key.data(), int(key.size()), SQLITE_TRANSIENT);
}

int jetTextCollation(void *, int la, const void *a, int lb, const void *b)
{
    return compareJetText({static_cast<const char *>(a), size_t(la)}, {static_cast<const char *>(b), size_t(lb)});
}

} // namespace

void registerJetFunctions(Connection &connection)
{
    sqlite3 *db = connection.handle();
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    struct Function {
        const char *name;
        int args;
        void (*fn)(sqlite3_context *, int, sqlite3_value **);
    };
    const Function functions[] = {
        {"jet_val", 1, jetVal},           {"jet_instr", 2, jetInstrFunction}, {"jet_instr", 3, jetInstrFunction},
        {"jet_left", 2, jetCut<jetLeft>}, {"jet_right", 2, jetCut<jetRight>}, {"jet_cmp", 2, jetCmp},
        {"jet_sortkey", 1, jetSortKey},
    };
    for (const Function &f : functions) {
        const int rc = sqlite3_create_function_v2(db, f.name, f.args, flags, nullptr, f.fn, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            connection.fail(rc);
    }
    const int rc = sqlite3_create_collation_v2(db, "JETTEXT", SQLITE_UTF8, nullptr, jetTextCollation, nullptr);
    if (rc != SQLITE_OK)
        connection.fail(rc);
}

} // namespace carnelis
