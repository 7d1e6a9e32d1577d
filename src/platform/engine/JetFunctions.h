#pragma once
// The SQL functions and collations the translated queries call. Registered on every
// connection the engine opens.
#include <cstdint>

namespace carnelis {

class Connection;

// jet_val(x), jet_instr(a, b [, start]), jet_left(x, n), jet_right(x, n),
// jet_cmp(a, b) (-1, 0, 1, Null, or a type mismatch error), jet_sortkey(x),
// and the collation JETTEXT.
void registerJetFunctions(Connection &connection);

} // namespace carnelis
