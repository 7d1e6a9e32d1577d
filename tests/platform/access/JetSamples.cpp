#include "JetSamples.h"

#include "Sqlite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace carnelis::test {

QString jetSample(const QString &name) { return QDir(QStringLiteral(CARNELIS_JET_TESTDATA)).filePath(name); }

bool jetSamplesPresent() { return QFileInfo::exists(jetSample(QStringLiteral("testV1997.mdb"))); }

QByteArray readAll(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()) << path;
}

QStringList quotedValues(const QString &sqliteFile, const QString &sql, bool quote)
{
    QStringList values;
    try {
        Connection db(sqliteFile, Connection::Mode::ReadOnly);
        Statement quoted(db, (quote ? "WITH q(c) AS (" + sql + ") SELECT quote(c) FROM q" : sql).toStdString());
        while (quoted.step())
            values << quoted.text(0);
    } catch (const RuntimeError &e) {
        ADD_FAILURE() << e.text() << " in " << sql;
    }
    return values;
}

QStringList rowsOf(const QString &sqliteFile, const QString &table, const QString &where)
{
    QStringList columns;
    for (const QString &c : quotedValues(sqliteFile, "SELECT name FROM pragma_table_info('" + table + "')"))
        columns << "quote(\"" + c.mid(1, c.size() - 2) + "\")";
    return quotedValues(
        sqliteFile, "SELECT " + columns.join("||'|'||") + " FROM \"" + table + "\" WHERE " + where + " ORDER BY rowid",
        false);
}

QByteArray patched(const char *sample, std::initializer_list<std::pair<qsizetype, QByteArray>> patches)
{
    QByteArray bytes = readAll(jetSample(sample));
    for (const auto &[at, patch] : patches)
        bytes.replace(at, patch.size(), patch);
    return bytes;
}

QByteArray genuineCollectionJet3()
{
    QByteArray bytes = patched("overflowTestV1997.mdb");
    // Table1's definition, page 29: column names as length-prefixed texts from offset 205, the
    // definition's length at offset 8. Longer names push the rest of the definition along, over
    // the unused end of the page.
    constexpr int page = 29 * 2048, namesAt = page + 205;
    const QByteArray oldNames("\5data1\5data3\5data4\5data5\5data6\5data7");
    const QByteArray newNames("\6NUMERO\13DESIGNATION\7COULEUR\4ETAT\4COTE\6DIVERS");
    EXPECT_EQ(bytes.mid(namesAt, oldNames.size()), oldNames);
    const int length = quint8(bytes[page + 8]) | quint8(bytes[page + 9]) << 8;
    const int rest = page + 8 + length - namesAt - int(oldNames.size());
    bytes.replace(namesAt, newNames.size() + rest, newNames + bytes.mid(namesAt + oldNames.size(), rest));
    const int grown = length + int(newNames.size() - oldNames.size());
    bytes[page + 8] = char(grown & 0xff);
    bytes[page + 9] = char(grown >> 8);
    return bytes;
}

QByteArray longMemoJet4(const QString &text)
{
    QByteArray bytes = patched("fixedNumericTestV2000.mdb");
    constexpr int pageSize = 4096;
    constexpr int perPage = pageSize - 16 - 4; // row from 16 to the end, less the next-page link
    const int header = 0x1cfe2;                // the 12-byte memo header of col1, an inline memo of 11 bytes
    EXPECT_EQ(bytes.mid(header, 4), QByteArray::fromHex("0b000080"));
    // Every page full: the library stops at a page that would pass the stated length.
    const QByteArray utf16(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    EXPECT_EQ(utf16.size() % perPage, 0);
    const int pages = int(utf16.size() / perPage), first = int(bytes.size() / pageSize);
    auto put32 = [](QByteArray &b, int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char(v >> (8 * i));
    };
    put32(bytes, header, quint32(utf16.size()));   // length, no flag: spread over pages
    put32(bytes, header + 4, quint32(first) << 8); // first page, row 0
    for (int i = 0; i < pages; ++i) {
        QByteArray page(pageSize, '\0');
        page[0] = 1;     // a data page
        page[0x0c] = 1;  // one row
        page[0x0e] = 16; // starting at 16, ending at the end of the page
        put32(page, 16, i + 1 < pages ? quint32(first + i + 1) << 8 : 0);
        bytes.append(page.replace(20, perPage, utf16.mid(i * perPage, perPage)));
    }
    return bytes;
}

} // namespace carnelis::test
