#include "JetSamples.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace carnelis::test {

QString jetSample(const QString &name) { return QDir(QStringLiteral(CARNELIS_JET_TESTDATA)).filePath(name); }

bool jetSamplesPresent() { return QFileInfo::exists(jetSample(QStringLiteral("testV1997.mdb"))); }

QByteArray patched(const char *sample, std::initializer_list<std::pair<qsizetype, QByteArray>> patches)
{
    QByteArray bytes = readAll(jetSample(sample));
    for (const auto &[at, patch] : patches)
        bytes.replace(at, patch.size(), patch);
    return bytes;
}

QByteArray genuineCollectionJet3()
{
    // Table1's definition, page 29: longer column names push the rest of the definition along, over
    // the unused end of the page; the definition's length, at offset 8, grows with them.
    const QByteArray names("\5data1\5data3\5data4\5data5\5data6\5data7"),
        renamed("\6NUMERO\13DESIGNATION\7COULEUR\4ETAT\4COTE\6DIVERS");
    QByteArray bytes = patched("overflowTestV1997.mdb"), page = bytes.mid(29 * 2048, 2048).replace(names, renamed);
    qToLittleEndian<quint16>(qFromLittleEndian<quint16>(page.data() + 8) + renamed.size() - names.size(),
                             page.data() + 8);
    return bytes.replace(29 * 2048, 2048, page.left(2048));
}

QByteArray longMemoJet4(const QString &text)
{
    // col1's memo header (at 0x1cfe2) points at pages added at the end, each a data page of one row
    // from 16 to its end: a link to the next page, then the text. Every page is full: the library
    // stops at a page that would pass the stated length.
    QByteArray bytes = patched("fixedNumericTestV2000.mdb");
    const QByteArray utf16(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    constexpr int size = 4096, perPage = size - 20;
    const int first = int(bytes.size() / size), pages = int(utf16.size() / perPage);
    qToLittleEndian<quint32>(utf16.size(), bytes.data() + 0x1cfe2); // the length, no flag: on other pages
    qToLittleEndian<quint32>(first << 8, bytes.data() + 0x1cfe6);   // the first page, row 0
    for (int i = 0; i < pages; ++i) {
        QByteArray page(size, '\0');
        page[0] = page[0x0c] = 1;
        page[0x0e] = 16;
        qToLittleEndian<quint32>(i + 1 < pages ? (first + i + 1) << 8 : 0, page.data() + 16);
        bytes += page.replace(20, perPage, utf16.mid(i * perPage, perPage));
    }
    return bytes;
}

} // namespace carnelis::test
