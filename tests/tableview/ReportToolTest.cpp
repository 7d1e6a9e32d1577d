#include "Engine.h"
#include "OpenRequest.h"
#include "Rapport.h"
#include "Recherche.h"
#include "RecordingPrinter.h"
#include "ReportWriter.h"
#include "SampleCollection.h"
#include "SelectionState.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

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

class ReportTool : public ::testing::TestWithParam<ToolCase> {
protected:
    ReportTool() { writeSampleCollection(base); }
    int rapport(const QStringList &arguments)
    {
        QTextStream out(&output), err(&output);
        return rapportCommand(QStringList{base} + arguments, out, err);
    }

    QTemporaryDir dir;
    QString base = dir.filePath("COLLECTION.MDB"), output;
};

// The sample collection through carnelis-base, and the same selection through the code
// the table view prints with, on the recorder: the PDF reads line for line as the
// recorder's sheets.
TEST_P(ReportTool, PdfOfTheSampleCollectionReadsAsTheRecordersSheets)
{
    const ToolCase &c = GetParam();
    const QString pdf = dir.filePath("timbres.pdf");
    ASSERT_EQ(rapport(QStringList{"timbres", pdf} + c.options), 0) << output.toStdString();

    SelectionState s;
    s.NomFichierMdb = "COLLECTION.MDB";
    s.RepertoireMdb = dir.path();
    s.NomTable = "TIMBRES";
    s.ColonneTri = c.colonne;
    s.ConditionTri = c.condition;
    s.CritereTri = c.critere;
    s.OperateurCote = c.operateur;
    s.ValeurCote = c.valeur;
    s.ResumeCriteres = ResumeCriteres(c.caption, s, QLocale());
    QString query = unfilteredQuery("TIMBRES");
    if (c.colonne)
        Recherche(s, columnNameFor(c.colonne), query);
    DataControl data;
    data.DatabaseName = s.databasePath();
    data.RecordSource = query;
    data.Refresh();
    RecordingPrinter recorder;
    ReportWriter(recorder, *data.recordset()).write(s, QDate::currentDate().toString("dd/MM/yyyy"));
    recorder.EndDoc();

    const RecordedDocument &sheets = recorder.documents().at(0);
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), qsizetype(sheets.size()));
    ASSERT_GE(sheets.size(), c.colonne ? 1u : 5u);
    for (size_t p = 0; p < sheets.size(); ++p) {
        QStringList pdfLines;
        for (QString l : pages[qsizetype(p)].split('\n'))
            if (!l.trimmed().isEmpty())
                pdfLines << l.remove(QRegularExpression("\\s+$"));
        const QStringList expected = sheets[p].texts();
        ASSERT_EQ(pdfLines.size(), expected.size()) << "sheet " << p + 1;
        // The paper's margin puts the same few blanks before every line.
        const qsizetype margin = pdfLines[0].size() - expected[0].size();
        for (qsizetype i = 0; i < expected.size(); ++i)
            EXPECT_EQ(pdfLines[i].mid(margin), expected[i]) << "sheet " << p + 1 << ", line " << i + 1;
    }

    // A table the file does not hold: a message, and no file.
    output.clear();
    EXPECT_EQ(rapport({"INCONNUE", dir.filePath("absent.pdf")}), 1);
    EXPECT_FALSE(output.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("absent.pdf")));
}

INSTANTIATE_TEST_SUITE_P(Selections, ReportTool,
                         ::testing::Values(ToolCase("AllRows", {}, 0, " TOUT", "", "", "", 0.0f),
                                           ToolCase("DesignationContainsWithCote",
                                                    {"--colonne", "2", "--condition", "Contient", "--critere",
                                                     "marianne", "--cote", ">", "--valeur", "10"},
                                                    2, " DÉSIGNATION", "Contient", "MARIANNE", " > ", 10.0f)),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
