#include "KeysetSort.h"

#include "JetText.h"
#include "Sqlite.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

namespace carnelis {

namespace {

// SQLite orders NULL, then numbers, then texts, then blobs; the first byte of each key
// part says which.
enum : unsigned char { nullTag = 0x01, numberTag = 0x02, textTag = 0x03, blobTag = 0x04 };

// A double as 8 bytes whose unsigned order is the numeric order.
void appendNumber(std::string &key, double d)
{
    if (d == 0)
        d = 0; // -0 sorts with 0
    uint64_t bits = std::bit_cast<uint64_t>(d);
    bits = (bits & 0x8000000000000000ull) ? ~bits : bits ^ 0x8000000000000000ull;
    for (int shift = 56; shift >= 0; shift -= 8)
        key.push_back(char((bits >> shift) & 0xFF));
}

// Bytes of variable length inside a key that goes on: 0x00 becomes 0x00 0xFF and the end
// is 0x00 0x00, so that a shorter part sorts first whatever follows it.
void appendEscaped(std::string &key, std::string_view bytes)
{
    for (char c : bytes) {
        key.push_back(c);
        if (c == '\0')
            key.push_back(char(0xFF));
    }
    key.push_back('\0');
    key.push_back('\0');
}

struct Entry {
    uint64_t prefix; // the first 8 bytes, big-endian: most comparisons end here
    uint32_t offset;
    uint32_t length;
    int64_t rowid;
};

uint64_t prefixOf(const char *p, size_t length)
{
    uint64_t v = 0;
    for (size_t i = 0; i < 8; ++i)
        v = (v << 8) | (i < length ? static_cast<unsigned char>(p[i]) : 0u);
    return v;
}

// The byte string of the current row whose plain order is its ORDER BY order.
void buildKey(const Statement &scan, const SortColumns &columns, std::string &key, std::string &natural)
{
    const std::vector<bool> &descending = columns.descending;
    key.clear();
    const int keys = int(descending.size());
    for (int k = 0; k < keys; ++k) {
        const size_t start = key.size();
        const int column = k + 1;
        const bool last = k == keys - 1;
        switch (scan.type(column)) {
        case Statement::Type::Null:
            key.push_back(char(nullTag));
            break;
        case Statement::Type::Integer:
        case Statement::Type::Real:
            key.push_back(char(numberTag));
            appendNumber(key, scan.real(column));
            break;
        case Statement::Type::Text:
        case Statement::Type::Blob: {
            // jet_sortkey turns a text or a blob into a blob: its natural key.
            std::string_view bytes = scan.bytes(column);
            if (columns.natural[size_t(k)]) {
                key.push_back(char(blobTag));
                naturalSortKey(bytes, natural);
                bytes = natural;
            } else {
                key.push_back(char(scan.type(column) == Statement::Type::Text ? textTag : blobTag));
            }
            // The last part needs no end mark: only the row id follows, compared apart.
            if (last && !descending[size_t(k)])
                key.append(bytes);
            else
                appendEscaped(key, bytes);
            break;
        }
        }
        if (descending[size_t(k)])
            for (size_t i = start; i < key.size(); ++i)
                key[i] = char(~static_cast<unsigned char>(key[i]));
    }
}

} // namespace

std::vector<int64_t> sortKeyset(Statement &scan, const SortColumns &columns, size_t expectedRows, size_t *peakBytes)
{
    std::string natural;
    std::string arena;
    std::vector<Entry> entries;
    entries.reserve(expectedRows);
    std::string key;
    while (scan.step()) {
        buildKey(scan, columns, key, natural);
        const auto offset = uint32_t(arena.size());
        arena.append(key);
        entries.push_back({prefixOf(key.data(), key.size()), offset, uint32_t(key.size()), scan.int64(0)});
    }

    const char *base = arena.data();
    std::sort(entries.begin(), entries.end(), [base](const Entry &a, const Entry &b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        if (a.length > 8 && b.length > 8) {
            const int c = std::memcmp(base + a.offset + 8, base + b.offset + 8, std::min(a.length, b.length) - 8);
            if (c != 0)
                return c < 0;
        }
        if (a.length != b.length)
            return a.length < b.length;
        return a.rowid < b.rowid;
    });

    std::vector<int64_t> rowids;
    rowids.reserve(entries.size());
    for (const Entry &e : entries)
        rowids.push_back(e.rowid);
    if (peakBytes)
        *peakBytes = entries.capacity() * sizeof(Entry) + arena.capacity() + rowids.capacity() * sizeof(int64_t);
    return rowids;
}

FirstKeys firstKeys(Statement &scan, const SortColumns &columns, size_t count)
{
    struct Candidate {
        std::string key;
        int64_t rowid;
        bool operator<(const Candidate &o) const { return key != o.key ? key < o.key : rowid < o.rowid; }
    };
    // A max-heap of the best rows seen so far: its top is the one to drop first.
    std::vector<Candidate> best;
    best.reserve(count + 1);
    std::string key, natural;
    FirstKeys out;
    while (scan.step()) {
        ++out.total;
        buildKey(scan, columns, key, natural);
        const int64_t rowid = scan.int64(0);
        if (best.size() == count) {
            const Candidate &worst = best.front();
            if (!(key < worst.key || (key == worst.key && rowid < worst.rowid)))
                continue;
            std::pop_heap(best.begin(), best.end());
            best.back().key.assign(key);
            best.back().rowid = rowid;
        } else {
            best.push_back({key, rowid});
        }
        std::push_heap(best.begin(), best.end());
    }
    std::sort_heap(best.begin(), best.end());
    for (const Candidate &c : best)
        out.rowids.push_back(c.rowid);
    return out;
}

} // namespace carnelis
