#pragma once
// What many tests need of files and failures, written once.
#include "RuntimeError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace carnelis::test {

// The SHA-256 of a file's bytes; empty when it cannot be read.
QByteArray digestOf(const QString &path);
// A file's bytes, a test failure when it cannot be read; and bytes written over a file.
QByteArray readAll(const QString &path);
void writeAll(const QString &path, const QByteArray &bytes);

// One value per row of a one-column SQL query on an SQLite file, as SQLite's quote() writes it:
// NULL, 12, 3.5, 'text' — so that a test sees the type as well as the value; unquoted on demand.
QStringList quotedValues(const QString &sqliteFile, const QString &sql, bool quote = true);
// The rows of a table, in its order, each as its quoted values joined by '|'.
QStringList rowsOf(const QString &sqliteFile, const QString &table, const QString &where = "1");

// Runs the action and hands back the RuntimeError it threw. A test failure is recorded
// when it threw none; the error handed back then has the number 0.
RuntimeError thrownBy(const std::function<void()> &action);

} // namespace carnelis::test
