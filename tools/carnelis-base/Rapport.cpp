#include "Rapport.h"

#include "Collection.h"
#include "CriteriaCheck.h"
#include "Engine.h"
#include "FilterOptions.h"
#include "OpenRequest.h"
#include "PdfPrinter.h"
#include "ReportWriter.h"
#include "RuntimeError.h"
#include "SelectionState.h"

#include <QDate>
#include <QFileInfo>
#include <QLocale>
#include <QTextStream>

namespace carnelis {

namespace {

// The selection the chooser would hold after the same clicks and the open request.
SelectionState selectionFor(const FilterOptions &options)
{
    SelectionState s = options.selection;
    const QFileInfo file(options.positional[0]);
    s.NomFichierMdb = file.fileName();
    s.RepertoireMdb = folderWithoutTrailingSeparator(file.absolutePath());
    s.NomTable = options.positional[1].toUpper();
    s.ResumeCriteres = ResumeCriteres(chooserCaptionFor(s.ColonneTri.value_or(0)), s, QLocale());
    return s;
}

} // namespace

QString rapportUsage()
{
    return QStringLiteral("  rapport FICHIER.MDB TABLE SORTIE.pdf [--colonne 0..6] [--condition TEXTE]\n"
                          "          [--critere TEXTE] [--cote = | > | <] [--valeur NOMBRE]\n"
                          "      Écrit en PDF le rapport imprimé de la table, filtrée comme dans le choix\n"
                          "      de la table (sans les invites Recto-Verso).\n");
}

int rapportCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    SelectionState selection;
    QString output, query;
    try {
        const FilterOptions options = readFilterOptions(arguments, false);
        if (options.positional.size() != 3)
            throw UsageError{QStringLiteral("il faut le fichier, la table et le fichier PDF à écrire.")};
        output = options.positional[2];
        selection = selectionFor(options);
        query = filterQuery(selection);
    } catch (const UsageError &e) {
        err << "carnelis-base rapport : " << e.text << "\n" << rapportUsage();
        return 2;
    } catch (const RuntimeError &e) { // a criterion or a value the query cannot hold
        err << "carnelis-base rapport : erreur " << e.number() << " : " << e.text() << "\n";
        return 1;
    }
    if (const auto refusal = criteriaRefusal(selection)) {
        err << "carnelis-base rapport : " << refusal->prompt.trimmed() << "\n";
        return 2;
    }

    PdfPrinter printer(output);
    try {
        DataControl data;
        data.DatabaseName = selection.databasePath();
        data.RecordSource = query;
        data.Refresh();
        ReportWriter writer(printer, *data.recordset());
        writer.write(selection, QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        printer.EndDoc();
        out << output << " : " << data.recordset()->RecordCount() << " ligne(s).\n";
        return 0;
    } catch (const RuntimeError &e) {
        printer.KillDoc();
        err << "carnelis-base rapport : erreur " << e.number() << " : " << e.text() << "\n";
        return 1;
    }
}

} // namespace carnelis
