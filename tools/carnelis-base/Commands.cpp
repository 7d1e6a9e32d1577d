#include "Commands.h"

#include "Rapport.h"

#include "AccessImport.h"
#include "Collection.h"
#include "CollectionFile.h"
#include "Engine.h"
#include "FilterOptions.h"
#include "JetText.h"
#include "SampleCollection.h"
#include "SelectionState.h"

#include <QTextStream>
#include <functional>
#include <map>

namespace carnelis {

namespace {

const char *const helpStart =
    "carnelis-base : le compagnon en ligne de commande de CARNELIS.\n"
    "\n"
    "Utilisation :\n"
    "  carnelis-base exemple FICHIER.MDB\n"
    "      crée la collection d'exemple (TIMBRES, MONNAIES, OBJETS et ADRESSES).\n"
    "  carnelis-base nouvelle FICHIER.MDB TABLE\n"
    "      ajoute une table de collection vide (crée le fichier au besoin).\n"
    "  carnelis-base tables FICHIER.MDB\n"
    "      une ligne par table : le nom, une tabulation, les attributs en décimal.\n"
    "  carnelis-base requete FICHIER.MDB \"TEXTE\"\n"
    "      exécute une requête et affiche une ligne d'en-tête puis une ligne par\n"
    "      enregistrement, valeurs séparées par des tabulations, Null écrit \\N.\n"
    "  carnelis-base filtre FICHIER.MDB TABLE [--colonne 0…6] [--condition \"Contient\"]\n"
    "      [--critere TEXTE] [--cote \"=\" | \">\" | \"<\"] [--valeur NOMBRE] [--requete-seule]\n"
    "      applique le filtre du sélecteur ; avec --requete-seule, n'affiche que la\n"
    "      requête composée.\n";

const char *const helpEnd = "  carnelis-base importer SOURCE.MDB CIBLE.MDB\n"
                            "      convertit un fichier Access d'origine en un fichier CARNELIS modifiable :\n"
                            "      chaque table, ses colonnes et ses lignes ; la source n'est pas modifiée et\n"
                            "      une cible existante est refusée.\n"
                            "  carnelis-base --help\n"
                            "      affiche cette aide.\n"
                            "\n"
                            "Code de sortie : 0 réussi, 1 erreur du moteur (numéro et texte sur la sortie\n"
                            "d'erreur), 2 ligne de commande incorrecte.\n";

// "      Label : a, b, c." with the items run on over lines of at most 79 characters.
QString helpList(const QString &label, const QStringList &items)
{
    const QString indent(6, u' ');
    QString text, line = indent + label + QStringLiteral(" :");
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString item = items[i] + (i + 1 < items.size() ? u',' : u'.');
        if (line.size() + 1 + item.size() > 79) {
            text += line + u'\n';
            line = indent + item;
        } else {
            line += u' ' + item;
        }
    }
    return text + line + u'\n';
}

// The help, with the columns and conditions the filter knows.
QString helpText()
{
    QStringList columns{QStringLiteral("0") + QString::fromUtf8(allRowsCaption)};
    for (std::size_t i = 0; i < collectionTable.size(); ++i)
        columns << QString::number(i + 1) + QString::fromUtf8(collectionTable[i].chooserCaption);
    QStringList captions;
    for (const ConditionDefinition &condition : conditions)
        captions << u'"' + QString::fromUtf8(condition.caption) + u'"';
    return QString::fromUtf8(helpStart) + helpList(QStringLiteral("Colonnes"), columns) +
           helpList(QStringLiteral("Conditions"), captions) + QString::fromUtf8(helpEnd);
}

QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

QString cell(const Value &v)
{
    if (v.isNull())
        return QStringLiteral("\\N");
    if (v.isNumber())
        return shortestNumberText(v.number());
    return escaped(v.text());
}

void expectArgs(const QStringList &args, int count)
{
    if (args.size() != count)
        throw UsageError{QStringLiteral("nombre d'arguments incorrect pour « %1 ».").arg(args.value(0))};
}

int exemple(const QStringList &args, QTextStream &out)
{
    expectArgs(args, 2);
    writeSampleCollection(args[1]);
    out << "Collection d'exemple créée : " << args[1] << '\n';
    return 0;
}

int nouvelle(const QStringList &args, QTextStream &out)
{
    expectArgs(args, 3);
    CollectionFile file(args[1]);
    file.createTable(args[2]);
    out << "Table " << args[2] << " créée dans " << args[1] << '\n';
    return 0;
}

int tables(const QStringList &args, QTextStream &out)
{
    expectArgs(args, 2);
    auto db = DBEngine::OpenDatabase(args[1]);
    for (const TableDef &t : db->TableDefs())
        out << t.Name << '\t' << t.Attributes << '\n';
    return 0;
}

int requete(const QStringList &args, QTextStream &out)
{
    expectArgs(args, 3);
    auto db = DBEngine::OpenDatabase(args[1]);
    auto rs = db->OpenRecordset(args[2]);
    printRows(*rs, out);
    return 0;
}

int filtre(const QStringList &args, QTextStream &out)
{
    const FilterOptions options = readFilterOptions(args.mid(1), true);
    if (options.positional.size() != 2)
        throw UsageError{QStringLiteral("filtre attend un fichier et une table.")};
    SelectionState selection = options.selection;
    selection.NomTable = options.positional[1].toUpper(); // the chooser lists its tables upper-cased
    const QString texteRequete = filterQuery(selection);
    if (options.queryOnly) {
        out << texteRequete << '\n';
        return 0;
    }
    DataControl data;
    data.DatabaseName = options.positional[0];
    data.RecordSource = texteRequete;
    data.Refresh();
    printRows(*data.recordset(), out);
    return 0;
}

int importer(const QStringList &args, QTextStream &out)
{
    expectArgs(args, 3);
    for (const access::ImportedTable &table : access::importAccessFile(args[1], args[2]))
        out << table.name << " : " << access::rowsCopiedText(table.rows) << '\n';
    return 0;
}

} // namespace

void printRows(Recordset &rs, QTextStream &out)
{
    QStringList header;
    for (const QString &name : rs.columnNames())
        header << escaped(name);
    out << header.join(u'\t') << '\n';
    const int columns = int(rs.columnNames().size());
    for (int row = 0; row < rs.RecordCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << cell(rs.valueAt(row, c));
        out << cells.join(u'\t') << '\n';
    }
}

int runCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    using Command = std::function<int(const QStringList &, QTextStream &)>;
    static const std::map<QString, Command> commands = {{"exemple", exemple}, {"nouvelle", nouvelle},
                                                        {"tables", tables},   {"requete", requete},
                                                        {"filtre", filtre},   {"importer", importer}};
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h") ||
        args[0] == QLatin1String("aide")) {
        (args.isEmpty() ? err : out) << helpText() << rapportUsage();
        return args.isEmpty() ? 2 : 0;
    }
    if (args[0] == QLatin1String("rapport"))
        return rapportCommand(args.mid(1), out, err);
    const auto it = commands.find(args[0]);
    try {
        if (it == commands.end())
            throw UsageError{QStringLiteral("commande inconnue « %1 ».").arg(args[0])};
        return it->second(args, out);
    } catch (const UsageError &e) {
        err << "carnelis-base : " << e.text << " (carnelis-base --help)\n";
        return 2;
    } catch (const RuntimeError &e) {
        err << "Erreur " << e.number() << " : " << e.text() << '\n';
        return 1;
    }
}

} // namespace carnelis
