#pragma once
// The sample collection: stamps, coins and objects a French collector might keep, and an
// address book that does not follow the collection layout.
#include <QString>

namespace carnelis {

// Creates the file with TIMBRES, MONNAIES, OBJETS and ADRESSES. Throws RuntimeError when
// the file already exists, leaving it untouched.
void writeSampleCollection(const QString &path);

} // namespace carnelis
