// Any text given to the query front end either runs or is a RuntimeError: never a crash,
// a hang or a statement that changes the file.
#include "JetFunctions.h"
#include "JetTranslator.h"
#include "KeysetSort.h"
#include "Sqlite.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace carnelis;

namespace {

Connection &database()
{
    static Connection *c = [] {
        auto *connection = new Connection(QStringLiteral(":memory:"), Connection::Mode::Create);
        registerJetFunctions(*connection);
        connection->exec("CREATE TABLE MONNAIES (NUMERO TEXT, DESIGNATION TEXT, COULEUR TEXT, ETAT TEXT, COTE REAL, "
                         "DIVERS TEXT);"
                         "CREATE TABLE \"MES TIMBRES\" (NUMERO TEXT, DESIGNATION TEXT, COULEUR TEXT, ETAT TEXT, "
                         "COTE REAL, DIVERS TEXT, BRUT);"
                         "INSERT INTO MONNAIES VALUES ('1', 'Écu d''or', 'or', 'TB', 150, NULL),"
                         "('A10', '', NULL, ' ', 12.5, 'x'), (NULL, 'Franc', 'argent', 'B', NULL, ''),"
                         "('10', 'franc suisse', 'Rouge', 'SUP', 'douze', '&H10');"
                         "INSERT INTO \"MES TIMBRES\" VALUES ('2', 'Marianne', 'bleu', 'Neuf', 0.5, NULL, 7),"
                         "('3', NULL, NULL, NULL, NULL, NULL, x'00ff');");
        return connection;
    }();
    return *c;
}

int64_t rowCount()
{
    Statement s(database(), "SELECT (SELECT count(*) FROM MONNAIES) + (SELECT count(*) FROM \"MES TIMBRES\")");
    s.step();
    return s.int64(0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const int64_t rows = rowCount();
    const QString sql = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const KeysetQuery q = translateJetSql(database(), sql);
        Statement keyset(database(), q.sql);
        for (size_t i = 0; i < q.parameters.size(); ++i)
            keyset.bind(int(i) + 1, q.parameters[i]);
        while (keyset.step()) {
        }
        if (!q.scanSql.empty()) {
            Statement scan(database(), q.scanSql);
            for (size_t i = 0; i < q.parameters.size(); ++i)
                scan.bind(int(i) + 1, q.parameters[i]);
            sortKeyset(scan, {q.descending, q.natural}, 8);
        }
        Statement count(database(), q.countSql);
        for (size_t i = 0; i < q.parameters.size(); ++i)
            count.bind(int(i) + 1, q.parameters[i]);
        count.step();
    } catch (const RuntimeError &) {
        // refused: exactly what a bad text must give
    }
    if (rowCount() != rows)
        std::abort(); // a text changed the data
    return 0;
}
