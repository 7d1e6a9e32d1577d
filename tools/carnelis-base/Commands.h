#pragma once
// The commands of carnelis-base, callable in-process: arguments in, text out, exit
// status back.
#include <QStringList>

class QTextStream;

namespace carnelis {

class Recordset;

// 0 on success, 1 when the engine refused something, 2 for a command line it cannot read.
int runCommand(const QStringList &args, QTextStream &out, QTextStream &err);

// One header line of column names, then one line per row: values separated by tabs,
// Null as \N, numbers in their shortest form, tab, line break and backslash inside a
// text as \t, \n and \\.
void printRows(Recordset &rs, QTextStream &out);

} // namespace carnelis
