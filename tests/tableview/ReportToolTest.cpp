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

// The sample collection through carnelis-base, and the same selection through
// the code the table view prints with, on the recorder: the PDF reads line for
// line as the recorder's sheets. Whole, on several sheets, and filtered.
TEST(ReportTool, PdfOfTheSampleCollectionReadsAsTheRecordersSheets)
{
    for (const bool filtered : {false, true}) {
        QTemporaryDir dir;
        const QString base = dir.filePath("COLLECTION.MDB"), pdf = dir.filePath("timbres.pdf");
        writeSampleCollection(base);
        QString output;
        QTextStream out(&output);
        const QString options =
            filtered ? "--colonne 2 --condition Contient --critere marianne --cote > --valeur 10" : "";
        ASSERT_EQ(rapportCommand(QStringList{base, "timbres", pdf} + options.split(' ', Qt::SkipEmptyParts), out, out),
                  0)
            << output.toStdString();

        // What the chooser holds after the same clicks.
        SelectionState s{.NomFichierMdb = "COLLECTION.MDB", .RepertoireMdb = dir.path(), .NomTable = "TIMBRES"};
        QString query = unfilteredQuery("TIMBRES");
        if (filtered) {
            std::tie(s.ColonneTri, s.ConditionTri, s.CritereTri, s.OperateurCote, s.ValeurCote) =
                std::tuple(int16_t(2), "Contient", "MARIANNE", " > ", 10.0f);
            Recherche(s, "DESIGNATION", query);
        }
        s.ResumeCriteres = ResumeCriteres(filtered ? " DÉSIGNATION" : " TOUT", s, QLocale());
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
        ASSERT_GE(sheets.size(), filtered ? 1u : 5u);
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
    }
}

} // namespace
