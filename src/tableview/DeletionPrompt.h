#pragma once
#include "Value.h"

#include <QString>
#include <array>

class QLocale;

namespace carnelis {

// The question asked before a row is deleted, built from its six values in the order of
// the collection columns: the number on the first line, the other five values on the
// second, one blank between them. A Null adds nothing, its blanks stay.
QString deletionPrompt(const std::array<Value, 6> &row, const QLocale &locale);

// The question asked before the Delete key removes the rows chosen by their record
// selectors: how many will go, and that it cannot be undone.
QString selectedRowsDeletionPrompt(int count);

} // namespace carnelis
