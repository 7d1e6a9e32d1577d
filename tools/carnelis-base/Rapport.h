#pragma once
#include <QStringList>

class QTextStream;

namespace carnelis {

// carnelis-base rapport FICHIER.MDB TABLE SORTIE.pdf [--colonne 0..6] [--condition TEXTE]
//   [--critere TEXTE] [--cote = | > | <] [--valeur NOMBRE]
// The printed report of a table, filtered as the chooser would filter it, written to a
// PDF file by the code that prints it from the table view (without the prompts to turn
// the sheets). Needs a QGuiApplication for the fonts. Returns the exit code.
int rapportCommand(const QStringList &arguments, QTextStream &out, QTextStream &err);

// The lines of --help for this command.
QString rapportUsage();

} // namespace carnelis
