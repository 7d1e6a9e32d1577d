// What each part of a query means: Null, text comparison, natural order, the functions,
// numbers met by texts.
#include "EngineFixture.h"
#include "JetFunctions.h"
#include "JetTranslator.h"
#include "Sqlite.h"
#include "TestFiles.h"

using namespace carnelis;
using namespace carnelis::test;

namespace {

// The SQL functions exactly as the translated queries call them. A number met by INSTR,
// Left or Right is the text the grid shows for COTE: the user's decimal separator, no
// grouping. A count that is no whole number is rounded half to even, as every Basic count.
TEST(Functions, ValInstrLeftAndRightOnTextsNumbersAndNull)
{
    Connection connection(QStringLiteral(":memory:"), Connection::Mode::Create);
    registerJetFunctions(connection);
    using Cases = std::vector<std::pair<QString, Value>>; // expression, result
    auto call = [&](const QString &expression) {
        Statement s(connection, ("SELECT " + expression).toStdString());
        EXPECT_TRUE(s.step());
        return s.value(0);
    };
    const Cases cases = {{"jet_val('12,5')", 12.0},
                         {"jet_val('007')", 7.0},
                         {"jet_val(' 1 2')", 12.0},
                         {"jet_val('&H10')", 16.0},
                         {"jet_val(42.0)", 42.0},
                         {"jet_val(NULL)", Value()},
                         {"jet_instr('Franc suisse', 'SUISSE')", 7.0},
                         {"jet_instr('Écu', 'écu')", 1.0},
                         {"jet_instr('Ecu', 'ÉCU')", 0.0},
                         {"jet_instr('abc', '')", 1.0},
                         {"jet_instr('abc', 'd')", 0.0},
                         {"jet_instr(NULL, 'a')", Value()},
                         {"jet_instr('a', NULL)", Value()},
                         {"jet_instr(12.5, '2.5')", 2.0},
                         {"jet_instr('éléphant', 'PH')", 4.0},
                         {"jet_instr(837.89, '.89')", 4.0},
                         {"jet_instr(3.0, 'abcabc', 'A')", 4.0},
                         {"jet_instr(4.5, 'abcabc', 'A')", 4.0},
                         {"jet_instr(1.5, 'abcabc', 'A')", 4.0}};
    for (const auto &[expression, result] : cases)
        EXPECT_EQ(call(expression), result) << expression.toStdString();
    EXPECT_EQ(call("jet_val('123456789012345678')"), Value(123456789012345678.0));
    // Left and Right of one text at once.
    const Cases cuts = {{"'Écu d''or', 3", "Écu|'or"}, {"'ab', 5", "ab|ab"},           {"'abc', 0", "|"},
                        {"150.0, 2", "15|00"},         {"12.5, 3", "12.|.50"},         {"NULL, 2", Value()},
                        {"'abcdef', 2.5", "ab|ef"},    {"'abcdef', 3.5", "abcd|cdef"}, {"'abcdef', 0.5", "|"},
                        {"'abcdef', 2.4", "ab|ef"},    {"'abcdef', 2.6", "abc|def"}};
    for (const auto &[args, both] : cuts)
        EXPECT_EQ(call(QStringLiteral("jet_left(%1) || '|' || jet_right(%1)").arg(args)), both) << args.toStdString();
    EXPECT_THROW(call("jet_left('abc', -1)"), RuntimeError);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const Cases french = {{"jet_instr(837.89, ',89')", 4.0},
                          {"jet_instr(837.89, '.89')", 0.0},
                          {"jet_left(1234.5, 5)", "1234,"},
                          {"jet_right(12.5, 3)", ",50"},
                          {"jet_right(-0.5, 5)", "-0,50"}};
    for (const auto &[expression, result] : french)
        EXPECT_EQ(call(expression), result) << expression.toStdString();
    QLocale::setDefault(QLocale::c());
}

class Semantics : public EngineFixture {
protected:
    // Runs each condition on a table of the given DESIGNATION values and compares the
    // values that matched, in table order, each in brackets, Null as <Null>.
    void expectMatches(const std::vector<Value> &designations, const std::vector<std::pair<QString, QString>> &cases)
    {
        Rows rows;
        for (const Value &d : designations)
            rows.push_back(row(QString::number(rows.size()), d));
        const QString path = makeCollection(QStringLiteral("T%1").arg(++tables_), rows);
        for (const auto &[where, expected] : cases) {
            auto rs = query(path, QStringLiteral("SELECT * FROM T%1 WHERE %2").arg(tables_).arg(where));
            QString out;
            for (int i = 0; i < rs->RecordCount(); ++i)
                out += rs->valueAt(i, 1).isNull() ? QStringLiteral("<Null>") : u'[' + rs->valueAt(i, 1).text() + u']';
            EXPECT_EQ(out, expected) << where.toStdString();
        }
    }
    int tables_ = 0;
};

TEST_F(Semantics, NullIsMissingAndTextsCompareWithoutCaseOrTrailingBlanksButWithAccents)
{
    expectMatches({Value(), "", " ", "A"}, {{"DESIGNATION = Null", "<Null>"},
                                            {"DESIGNATION <> Null", "[][ ][A]"},
                                            {"DESIGNATION = ('')", "[][ ]"},
                                            {"DESIGNATION <> ('A')", "[][ ]"},
                                            {"DESIGNATION = Null OR DESIGNATION = (' ')", "<Null>[][ ]"},
                                            {"NOT DESIGNATION = ('A')", "[][ ]"},
                                            {"DESIGNATION > Null", ""},
                                            {"DESIGNATION IS NULL", "<Null>"},
                                            {"DESIGNATION IS NOT NULL", "[][ ][A]"}});
    // An accented letter sorts right after its base letter: é comes after every e word.
    expectMatches({"ECU", "écu  ", "Ecu", "Écu", "ezra", "f", "e"}, {{"DESIGNATION = ('ecu')", "[ECU][Ecu]"},
                                                                     {"DESIGNATION = ('ÉCU')", "[écu  ][Écu]"},
                                                                     {"DESIGNATION > ('EZZZ')", "[écu  ][Écu][f]"},
                                                                     {"DESIGNATION < ('ECV')", "[ECU][Ecu][e]"},
                                                                     {"Left(DESIGNATION, 1) = ('É')", "[écu  ][Écu]"}});
}

TEST_F(Semantics, OrderByOnTextIsNatural)
{
    Rows rows = {row({})};
    for (const char *n : {"A10", "100", "Élan", "2", "elan", "010", "10", "A2", "1", "B", "0", "00"})
        rows.push_back(row(n));
    const QString path = makeCollection("T", rows);
    EXPECT_EQ(column(*query(path, "SELECT * FROM T ORDER BY NUMERO"), "NUMERO"),
              QStringList({"", "0", "00", "1", "2", "010", "10", "100", "A2", "A10", "B", "elan", "Élan"}));
    EXPECT_EQ(column(*query(path, "select * from t order by numero desc"), "NUMERO").first(), QStringLiteral("Élan"));
}

TEST_F(Semantics, ANumberMeetsATextOnlyWhenTheTextIsANumber)
{
    const QString path = makeCollection("T", {row("12", {}, {}, {}, 12.5), row("7", {}, {}, {}, 150.0)});
    rawSql(path, "INSERT INTO T (NUMERO, COTE) VALUES ('3', ' 40 ')");
    const struct {
        const char *where;
        QStringList numeros;
    } cases[] = {
        {"COTE = '12.5'", {"12"}},    {"COTE > ' 100 '", {"7"}},   {"NUMERO = 12", {"12"}},
        {"NUMERO < 10", {"7", "3"}},  {"Val(NUMERO) = 7", {"7"}},  {"INSTR(COTE, '.5') = 3", {"12"}},
        {"COTE > Val('1E2')", {"7"}}, {"COTE = -(-12.5)", {"12"}}, {"T.COTE  > 20", {"7", "3"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(column(*query(path, QStringLiteral("SELECT * FROM T WHERE ") + c.where), "NUMERO"), c.numeros)
            << c.where;
    // A text slipped into a number column is a type mismatch, not a wrong row.
    rawSql(path, "INSERT INTO T (NUMERO, COTE) VALUES ('2', 'douze')");
    for (const char *where : {"COTE = 'abc'", "COTE = ('12,5')", "T.COTE  > 10"})
        EXPECT_EQ(thrownBy([&] { query(path, QStringLiteral("SELECT * FROM T WHERE ") + where); }).number(),
                  err::TypeMismatch)
            << where;
}

// The whole keyset is ordered in memory; its order must be the one SQLite gives for the
// same ORDER BY, on every kind of value a file may hold.
TEST_F(Semantics, TheKeysetOrderedInMemoryIsSqlitesOrder)
{
    const QString path = pathOf("ORDRE.MDB");
    CollectionFile(path).createTable(
        "T", {{"ID", "INTEGER"}, {"NUMERO", "TEXT"}, {"DESIGNATION", "TEXT"}, {"COTE", "REAL"}, {"BRUT", ""}});
    const QStringList texts = QStringLiteral("¤ ¤a¤A¤à¤Â¤b¤é¤E¤e ¤ez¤f¤1¤01¤001¤2¤10¤100¤a2¤A10¤a02¤Élan¤elan¤x9y¤"
                                             "x10y¤ß¤œuf¤z¤Z1¤1.5¤1,5¤-3¤\t¤a\tb¤日本")
                                  .split(u'¤');
    const uint32_t n = uint32_t(texts.size());
    QStringList inserts;
    uint32_t r = 7;
    for (int i = 0; i < 400; ++i) {
        r = r * 1103515245u + 12345u;
        auto text = [&](int salt) {
            const uint32_t pick = (r >> (salt * 3)) % (n + 3);
            return pick >= n ? QStringLiteral("NULL") : u'\'' + texts[int(pick)] + u'\'';
        };
        const QString brut[] = {"NULL", QString::number(int(r % 200) - 100), QString::number((r % 1000) / 8.0), text(4),
                                QStringLiteral("x'00ff%1'").arg(r % 256, 2, 16, QLatin1Char('0'))};
        const QString cote = r % 7 == 0 ? "NULL" : r % 11 == 0 ? "'douze'" : QString::number((r % 500) / 4.0);
        inserts << QStringLiteral("(%1, %2, %3, %4, %5)").arg(i).arg(text(1), text(2), cote, brut[(r >> 20) % 5]);
    }
    rawSql(path, "INSERT INTO T VALUES " + inserts.join(u','));

    Connection raw(path, Connection::Mode::ReadWrite);
    registerJetFunctions(raw);
    for (const char *order : {"NUMERO", "NUMERO DESC", "DESIGNATION DESC, NUMERO", "COTE DESC, DESIGNATION", "BRUT",
                              "BRUT DESC, NUMERO DESC", "DESIGNATION, COTE, BRUT"}) {
        const QString sql = QStringLiteral("SELECT * FROM T ORDER BY ") + QLatin1String(order);
        // Rows were inserted in ID order into an empty table: the row id is the ID plus one.
        std::vector<double> wanted, got;
        for (Statement s(raw, translateJetSql(raw, sql).sql); s.step();)
            wanted.push_back(double(s.int64(0) - 1));
        auto rs = query(path, sql);
        for (int i = 0; i < rs->RecordCount(); ++i)
            got.push_back(rs->valueAt(i, 0).number());
        EXPECT_EQ(got, wanted) << order;
    }
}

} // namespace
