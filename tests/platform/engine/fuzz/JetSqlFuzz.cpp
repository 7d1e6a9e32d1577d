// Any text given to the query front end either runs or is a RuntimeError: never a crash,
// a hang or a statement that changes the file.
#include "JetFunctions.h"
#include "JetTranslator.h"
#include "KeysetSort.h"
#include "Sqlite.h"

#include <cstdlib>

using namespace carnelis;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Connection db(QStringLiteral(":memory:"), Connection::Mode::Create);
    static const bool filled = [] {
        registerJetFunctions(db);
        db.exec(
            "CREATE TABLE MONNAIES (NUMERO TEXT, DESIGNATION TEXT, COULEUR TEXT, ETAT TEXT, COTE REAL, DIVERS, BRUT);"
            "INSERT INTO MONNAIES VALUES ('1', 'Écu d''or', 'or', 'TB', 150, NULL, 7), ('A10', '', NULL, ' ', "
            "12.5, 'x', x'00ff'), (NULL, 'Franc', 'argent', 'B', 'douze', '&H10', 1.5);"
            "CREATE TABLE \"MES TIMBRES\" AS SELECT * FROM MONNAIES");
        return true;
    }();
    try {
        const KeysetQuery q =
            translateJetSql(db, QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
        const auto bind = [&q](Statement &s) {
            for (size_t i = 0; i < q.parameters.size(); ++i)
                s.bind(int(i) + 1, q.parameters[i]);
        };
        Statement keyset(db, q.sql), count(db, q.countSql);
        bind(keyset);
        bind(count);
        while (keyset.step()) {
        }
        count.step();
        if (!q.scanSql.empty()) {
            Statement scan(db, q.scanSql);
            bind(scan);
            sortKeyset(scan, {q.descending, q.natural}, 8);
        }
    } catch (const RuntimeError &) {
        // refused: exactly what a bad text must give
    }
    Statement rows(db, "SELECT (SELECT count(*) FROM MONNAIES) + (SELECT count(*) FROM \"MES TIMBRES\")");
    if (!filled || !rows.step() || rows.int64(0) != 6)
        std::abort(); // a text changed the data
    return 0;
}
