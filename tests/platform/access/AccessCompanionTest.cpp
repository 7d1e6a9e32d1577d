// carnelis-base importer then carnelis-base requete: the copy answers with exactly the rows
// the original gives.
#include "Commands.h"
#include "Engine.h"
#include "JetSamples.h"

#include <QTemporaryDir>
#include <QTextStream>

using namespace carnelis;
using carnelis::test::jetSample;

namespace {

struct Outcome {
    int status = 0;
    QString out;
    QString err;
};

Outcome carnelisBase(const QStringList &args)
{
    Outcome run;
    QTextStream out(&run.out), err(&run.err);
    run.status = runCommand(args, out, err);
    return run;
}

class ImportThenQuery : public ::testing::TestWithParam<const char *> {};

TEST_P(ImportThenQuery, TheCopyGivesTheRowsOfTheOriginal)
{
    SKIP_WITHOUT_JET_SAMPLES();
    QTemporaryDir dir;
    const QString source = jetSample(QString::fromUtf8(GetParam()));
    const QString copy = dir.filePath(QStringLiteral("COPIE.MDB"));
    const Outcome imported = carnelisBase({"importer", source, copy});
    ASSERT_EQ(imported.status, 0) << imported.err.toStdString();

    const Outcome tables = carnelisBase({"tables", source});
    int compared = 0;
    for (const QString &line : tables.out.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList parts = line.split(u'\t');
        if (parts.value(1) != QLatin1String("0"))
            continue;
        const QString query = QStringLiteral("SELECT * FROM [%1]").arg(parts[0]);
        const Outcome original = carnelisBase({"requete", source, query});
        const Outcome copied = carnelisBase({"requete", copy, query});
        EXPECT_EQ(original.status, 0) << original.err.toStdString();
        EXPECT_EQ(copied.out, original.out) << parts[0].toStdString();
        EXPECT_TRUE(imported.out.contains(parts[0] + QStringLiteral(" : ")));
        ++compared;
    }
    EXPECT_GT(compared, 0);
}

INSTANTIATE_TEST_SUITE_P(Samples, ImportThenQuery,
                         ::testing::Values("testV1997.mdb", "testIndexCodesV1997.mdb", "testUnicodeCompV2003.mdb",
                                           "fixedNumericTestV2000.mdb", "overflowTestV1997.mdb"));

} // namespace
