#include "Engine.h"
#include "Rapport.h"
#include "Recherche.h"
#include "RecordingPrinter.h"
#include "ReportWriter.h"
#include "SampleCollection.h"
#include "SelectionState.h"

#include <QDate>
#include <QLocale>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

#include "OpenRequest.h"

using namespace carnelis;

namespace {

struct ToolCase {
    const char *name;
    QStringList options;
    // What the chooser holds after the same clicks.
    int16_t colonne;
    QString caption, condition, critere, operateur;
    float valeur;
};

class ReportTool : public ::testing::TestWithParam<ToolCase> {};

QString rightTrimmed(QString s)
{
    while (!s.isEmpty() && s.back().isSpace())
        s.chop(1);
    return s;
}

// The sample collection through carnelis-base, and the same selection through the code
// the table view prints with, on the recorder: the PDF reads line for line as the
// recorder's sheets.
TEST_P(ReportTool, PdfOfTheSampleCollectionReadsAsTheRecordersSheets)
{
    QTemporaryDir dir;
    const QString base = dir.filePath("COLLECTION.MDB");
    writeSampleCollection(base);
    const QString pdf = dir.filePath("timbres.pdf");
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    ASSERT_EQ(rapportCommand(QStringList{base, "timbres", pdf} + GetParam().options, out, err), 0)
        << errText.toStdString();

    SelectionState selection;
    selection.NomFichierMdb = "COLLECTION.MDB";
    selection.RepertoireMdb = dir.path();
    selection.NomTable = "TIMBRES";
    selection.ColonneTri = GetParam().colonne;
    selection.ConditionTri = GetParam().condition;
    selection.CritereTri = GetParam().critere;
    selection.OperateurCote = GetParam().operateur;
    selection.ValeurCote = GetParam().valeur;
    selection.ResumeCriteres = ResumeCriteres(GetParam().caption, selection, QLocale());
    QString query = unfilteredQuery("TIMBRES");
    if (GetParam().colonne)
        Recherche(selection, columnNameFor(GetParam().colonne), query);
    DataControl data;
    data.DatabaseName = selection.databasePath();
    data.RecordSource = query;
    data.Refresh();
    RecordingPrinter recorder;
    ReportWriter(recorder, *data.recordset()).write(selection, QDate::currentDate().toString("dd/MM/yyyy"));
    recorder.EndDoc();

    const RecordedDocument &sheets = recorder.documents().at(0);
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), qsizetype(sheets.size()));
    ASSERT_GE(sheets.size(), GetParam().colonne ? 1u : 5u);
    for (size_t p = 0; p < sheets.size(); ++p) {
        QStringList pdfLines;
        for (const QString &l : pages[qsizetype(p)].split('\n'))
            if (!l.trimmed().isEmpty())
                pdfLines << rightTrimmed(l);
        const QStringList expected = sheets[p].texts();
        ASSERT_EQ(pdfLines.size(), expected.size()) << "sheet " << p + 1;
        // The paper's margin puts the same few blanks before every line.
        const qsizetype margin = pdfLines[0].size() - expected[0].size();
        ASSERT_GE(margin, 0);
        for (qsizetype i = 0; i < expected.size(); ++i)
            EXPECT_EQ(pdfLines[i].mid(margin), expected[i]) << "sheet " << p + 1 << ", line " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Selections, ReportTool,
                         ::testing::Values(ToolCase{"AllRows", {}, 0, " TOUT", "", "", "", 0.0f},
                                           ToolCase{"DesignationContainsWithCote",
                                                    {"--colonne", "2", "--condition", "Contient", "--critere",
                                                     "marianne", "--cote", ">", "--valeur", "10"},
                                                    2,
                                                    " DÉSIGNATION",
                                                    "Contient",
                                                    "MARIANNE",
                                                    " > ",
                                                    10.0f}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ReportToolArguments, AMissingTableIsAFrenchMessageAndNoFile)
{
    QTemporaryDir dir;
    const QString base = dir.filePath("COLLECTION.MDB");
    writeSampleCollection(base);
    const QString pdf = dir.filePath("absent.pdf");
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    EXPECT_EQ(rapportCommand({base, "INCONNUE", pdf}, out, err), 1);
    err.flush();
    EXPECT_FALSE(errText.isEmpty());
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
