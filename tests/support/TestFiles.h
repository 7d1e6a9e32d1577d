#pragma once
// What many tests need of files and failures, written once.
#include "RuntimeError.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace carnelis::test {

// The SHA-256 of a file's bytes; empty when it cannot be read.
QByteArray digestOf(const QString &path);

// Runs the action and hands back the RuntimeError it threw. A test failure is recorded
// when it threw none; the error handed back then has the number 0.
RuntimeError thrownBy(const std::function<void()> &action);

} // namespace carnelis::test
