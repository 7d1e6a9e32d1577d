#include "Rapport.h"

#include "CriteriaInput.h"
#include "Engine.h"
#include "OpenRequest.h"
#include "PdfPrinter.h"
#include "Recherche.h"
#include "ReportWriter.h"
#include "RuntimeError.h"
#include "SelectionState.h"

#include <QDate>
#include <QFileInfo>
#include <QLocale>
#include <QTextStream>

namespace carnelis {

namespace {

// The captions of the column buttons of the chooser, by index.
const QString ColumnCaptions[] = {
    QStringLiteral(" TOUT"),   QStringLiteral(" NUMÉRO"), QStringLiteral(" DÉSIGNATION"), QStringLiteral(" VALEUR - COULEUR"),
    QStringLiteral(" ÉTAT"),   QStringLiteral(" COTE"),   QStringLiteral(" REMARQUE")};

const QStringList Conditions = {
    QStringLiteral("Est Égal à"),   QStringLiteral("Est plus Grand que"), QStringLiteral("Est plus Petit que"),
    QStringLiteral("Est Différent de"), QStringLiteral("Est Vide"),       QStringLiteral("N'est pas Vide"),
    QStringLiteral("Contient"),     QStringLiteral("Ne Contient Pas"),    QStringLiteral("Commence par"),
    QStringLiteral("Finit par")};

struct Request {
    QString file, table, output;
    int colonne = 0;
    QString condition, critere, cote, valeur;
    bool hasCritere = false, hasValeur = false;
};

// Reads the arguments; an empty error text means they are complete.
QString parse(const QStringList &arguments, Request &request)
{
    QStringList positional;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (!a.startsWith(QLatin1String("--"))) {
            positional << a;
            continue;
        }
        if (i + 1 >= arguments.size())
            return QStringLiteral("l'option %1 attend une valeur.").arg(a);
        const QString value = arguments[++i];
        if (a == QLatin1String("--colonne")) {
            bool ok = false;
            request.colonne = value.toInt(&ok);
            if (!ok || request.colonne < 0 || request.colonne > 6)
                return QStringLiteral("--colonne attend un nombre de 0 à 6.");
        } else if (a == QLatin1String("--condition")) {
            request.condition = value;
        } else if (a == QLatin1String("--critere")) {
            request.critere = value;
            request.hasCritere = true;
        } else if (a == QLatin1String("--cote")) {
            request.cote = value.trimmed();
            if (request.cote != QLatin1String("=") && request.cote != QLatin1String(">") &&
                request.cote != QLatin1String("<"))
                return QStringLiteral("--cote attend =, > ou <.");
        } else if (a == QLatin1String("--valeur")) {
            request.valeur = value;
            request.hasValeur = true;
        } else {
            return QStringLiteral("option inconnue : %1").arg(a);
        }
    }
    if (positional.size() != 3)
        return QStringLiteral("il faut le fichier, la table et le fichier PDF à écrire.");
    request.file = positional[0];
    request.table = positional[1];
    request.output = positional[2];
    if (request.colonne == 0 && (!request.condition.isEmpty() || !request.cote.isEmpty()))
        return QStringLiteral("une condition ou une comparaison de COTE demande --colonne 1 à 6.");
    if (request.colonne != 0 && !Conditions.contains(request.condition))
        return QStringLiteral("--condition attend l'une de : %1.").arg(Conditions.join(QLatin1String(", ")));
    if (!request.cote.isEmpty() && !request.hasValeur)
        return QStringLiteral("--cote demande --valeur.");
    return {};
}

// The selection the chooser would hold after the same clicks and the open request.
SelectionState selectionFor(const Request &request)
{
    SelectionState s;
    const QFileInfo file(request.file);
    s.NomFichierMdb = file.fileName();
    s.RepertoireMdb = folderWithoutTrailingSeparator(file.absolutePath());
    s.NomTable = request.table.toUpper();
    s.ColonneTri = int16_t(request.colonne);
    if (request.colonne != 0) {
        s.ConditionTri = request.condition;
        const bool emptiness = request.condition == Conditions[4] || request.condition == Conditions[5];
        s.CritereTri = emptiness ? QStringLiteral(" ") : criterionFromTyped(request.critere);
        if (!request.cote.isEmpty()) {
            s.OperateurCote = QLatin1Char(' ') + request.cote + QLatin1Char(' ');
            s.ValeurCote = coteValueFromTyped(request.valeur);
        }
    }
    s.ResumeCriteres = ResumeCriteres(ColumnCaptions[request.colonne], s, QLocale());
    return s;
}

QString queryFor(const SelectionState &s)
{
    if (s.ColonneTri.value_or(0) == 0)
        return unfilteredQuery(s.NomTable);
    QString texteRequete;
    Recherche(s, columnNameFor(*s.ColonneTri), texteRequete);
    return texteRequete;
}

} // namespace

QString rapportUsage()
{
    return QStringLiteral(
        "  rapport FICHIER.MDB TABLE SORTIE.pdf [--colonne 0..6] [--condition TEXTE]\n"
        "          [--critere TEXTE] [--cote = | > | <] [--valeur NOMBRE]\n"
        "      Écrit en PDF le rapport imprimé de la table, filtrée comme dans le choix\n"
        "      de la table (sans les invites Recto-Verso).\n");
}

int rapportCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    Request request;
    if (const QString problem = parse(arguments, request); !problem.isEmpty()) {
        err << "carnelis-base rapport : " << problem << "\n" << rapportUsage();
        return 2;
    }
    const SelectionState selection = selectionFor(request);
    if (const auto refusal = missingSecondCriterion(selection)) {
        err << "carnelis-base rapport : " << refusal->prompt.trimmed() << "\n";
        return 2;
    }

    PdfPrinter printer(request.output);
    try {
        DataControl data;
        data.DatabaseName = selection.databasePath();
        data.RecordSource = queryFor(selection);
        data.Refresh();
        ReportWriter writer(printer, *data.recordset());
        writer.write(selection, QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        printer.EndDoc();
        out << request.output << " : " << data.recordset()->RecordCount() << " ligne(s).\n";
        return 0;
    } catch (const RuntimeError &e) {
        printer.KillDoc();
        err << "carnelis-base rapport : erreur " << e.number() << " : " << e.text() << "\n";
        return 1;
    }
}

} // namespace carnelis
