#pragma once
// The genuine Access files kept beside the repository (Apache-2.0, see the NOTICE in
// their folder), read in place, and altered copies made from them.
#include "TestFiles.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Readable QStrings in gtest's messages and in what a test streams into them.
inline std::ostream &operator<<(std::ostream &os, const QString &text)
{
    return os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QString &text, std::ostream *os) { *os << text; }

namespace carnelis::test {

QString jetSample(const QString &name);
bool jetSamplesPresent();

#define SKIP_WITHOUT_JET_SAMPLES()                                                                                     \
    if (!carnelis::test::jetSamplesPresent())                                                                          \
    GTEST_SKIP() << "dossier des fichiers Access d'exemple absent : " << CARNELIS_JET_TESTDATA

// A sample's bytes with each (offset, bytes) written over them.
QByteArray patched(const char *sample, std::initializer_list<std::pair<qsizetype, QByteArray>> patches = {});

// overflowTestV1997.mdb whose Table1 has the columns of a collection: NUMERO,
// DESIGNATION, COULEUR, ETAT, COTE, DIVERS (all text), then data8, data9, data10; its 7 rows
// hold texts such as "row2col1" / "row2col3" and Nulls.
QByteArray genuineCollectionJet3();
// fixedNumericTestV2000.mdb whose memo col1 is `text`, spread over pages added at the end;
// the text must fill whole pages (a multiple of 2038 characters).
QByteArray longMemoJet4(const QString &text);

} // namespace carnelis::test
