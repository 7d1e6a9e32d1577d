// What each part of a query means: Null, text comparison, natural order, the functions,
// numbers met by texts.
#include "BasicVal.h"
#include "EngineFixture.h"
#include "JetFunctions.h"
#include "JetTranslator.h"
#include "Sqlite.h"
#include "TestFiles.h"

using namespace carnelis;
using namespace carnelis::test;

namespace {

TEST(BasicVal, ReadsTheLeadingNumberByTheBasicRules)
{
    const struct {
        const char *text;
        double value;
    } cases[] = {{"  1 2 3", 123},     {"12,5", 12},  {"12.5", 12.5}, {"1E3", 1000}, {"1D2", 100},
                 {"&H10", 16},         {"&hff", 255}, {"&O17", 15},   {"-.5", -0.5}, {"+7", 7},
                 {"abc", 0},           {"", 0},       {"3 rue", 3},   {"1E", 1},     {"2e-1x", 0.2},
                 {"\t-4.25 €", -4.25}, {".", 0},      {"-", 0}};
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(basicVal(QString::fromUtf8(c.text)), c.value) << c.text;
}

// The SQL functions exactly as the translated queries call them, each fact true. A number met
// by INSTR, Left or Right is the text the grid shows for COTE: the user's decimal separator, no
// grouping. A count that is no whole number is rounded half to even, as every Basic count.
TEST(Functions, ValInstrLeftAndRightOnTextsNumbersAndNull)
{
    Connection connection(QStringLiteral(":memory:"), Connection::Mode::Create);
    registerJetFunctions(connection);
    auto call = [&](const QString &expression) {
        Statement s(connection, ("SELECT " + expression).toStdString());
        EXPECT_TRUE(s.step());
        return s.value(0);
    };
    const auto expectFacts = [&](const QStringList &facts) {
        for (const QString &fact : facts)
            EXPECT_EQ(call(fact), Value(1)) << fact.toStdString();
    };
    expectFacts({"jet_val('12,5') IS 12", "jet_val('007') IS 7", "jet_val(' 1 2') IS 12", "jet_val('&H10') IS 16",
                 "jet_val(42.0) IS 42", "jet_val(NULL) IS NULL",
                 "jet_val('123456789012345678') IS 123456789012345678.0"});
    expectFacts({"jet_instr('Franc suisse', 'SUISSE') IS 7", "jet_instr('Écu', 'écu') IS 1",
                 "jet_instr('Ecu', 'ÉCU') IS 0", "jet_instr('abc', '') IS 1", "jet_instr('abc', 'd') IS 0",
                 "jet_instr(NULL, 'a') IS NULL", "jet_instr('a', NULL) IS NULL", "jet_instr(12.5, '2.5') IS 2",
                 "jet_instr('éléphant', 'PH') IS 4", "jet_instr(837.89, '.89') IS 4",
                 "jet_instr(3.0, 'abcabc', 'A') IS 4", "jet_instr(4.5, 'abcabc', 'A') IS 4",
                 "jet_instr(1.5, 'abcabc', 'A') IS 4", "jet_instr(4, 'abc', '') IS 4", "jet_instr(5, 'abc', '') IS 0"});
    // Left and Right of one text at once.
    const std::vector<std::pair<QString, Value>> cuts = {
        {"'Écu d''or', 3", "Écu|'or"}, {"'ab', 5", "ab|ab"},           {"'abc', 0", "|"},
        {"150.0, 2", "15|00"},         {"12.5, 3", "12.|.50"},         {"NULL, 2", Value()},
        {"'abcdef', 2.5", "ab|ef"},    {"'abcdef', 3.5", "abcd|cdef"}, {"'abcdef', 0.5", "|"},
        {"'abcdef', 2.4", "ab|ef"},    {"'abcdef', 2.6", "abc|def"}};
    for (const auto &[args, both] : cuts)
        EXPECT_EQ(call(QStringLiteral("jet_left(%1) || '|' || jet_right(%1)").arg(args)), both) << args.toStdString();
    for (const auto &[expression, number] : {std::pair("jet_left('abc', -1)", err::InvalidArgument),
                                             {"jet_right('abc', 'deux')", err::TypeMismatch},
                                             {"jet_left('abc', NULL)", err::InvalidArgument}})
        EXPECT_EQ(test::thrownBy([&] { call(expression); }).number(), number) << expression;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    expectFacts({"jet_instr(837.89, ',89') IS 4", "jet_instr(837.89, '.89') IS 0", "jet_left(1234.5, 5) IS '1234,'",
                 "jet_right(12.5, 3) IS ',50'", "jet_right(-0.5, 5) IS '-0,50'"});
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
        {"COTE = '12.5'", {"12"}},    {"COTE > ' 100 '", {"7"}},
        {"NUMERO = 12", {"12"}},      {"NUMERO < 10", {"7", "3"}},
        {"Val(NUMERO) = 7", {"7"}},   {"INSTR(COTE, '.5') = 3", {"12"}},
        {"COTE > Val('1E2')", {"7"}}, {"COTE = -(-12.5)", {"12"}},
        {"T.COTE  > 20", {"7", "3"}}, {"Val(NUMERO) < Val(10) OR Right(COTE, 3) = ('.50')", {"12", "7", "3"}},
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
        // Some values a unit apart in their last bit, which only the key's last byte tells apart.
        const double number = (r % 500) / 4.0 * (1 + (r % 3) * 2.220446049250313e-16);
        const QString cote = r % 7 == 0 ? "NULL" : r % 11 == 0 ? "'douze'" : QString::number(number, 'g', 17);
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

using Engine = EngineFixture;

// Tables listed by name without regard to case, SQLite's own marked as system; names with
// accents read plain, any name in brackets.
TEST_F(Engine, ListsTablesAndReadsNamesWithAccentsPlainAndAnyNameInBrackets)
{
    const QString path = makeCollection("TIMBRES_ÉTÉ", {row("1", "Cérès", {}, {}, 2.0)});
    writeCollection(path, "L'ANNÉE 1900", {row("7", "Semeuse", {}, {}, 3.0)});
    writeCollection(path, "MONNAIES", {});
    writeCollection(path, "Adresses", {}, {{"NOM", "TEXT"}, {"VILLE", "TEXT"}});
    // An AUTOINCREMENT table makes SQLite keep its own sqlite_sequence table; a view is
    // no table at all.
    rawSql(path, "CREATE TABLE journal (id INTEGER PRIMARY KEY AUTOINCREMENT, texte TEXT);"
                 "INSERT INTO journal (texte) VALUES ('x');"
                 "CREATE VIEW chers AS SELECT * FROM MONNAIES WHERE COTE > 100");
    std::vector<std::pair<QString, int32_t>> got;
    for (const TableDef &t : DBEngine::OpenDatabase(path)->TableDefs())
        got.emplace_back(t.Name, t.Attributes);
    EXPECT_EQ(got, decltype(got)({{"Adresses", 0},
                                  {"journal", 0},
                                  {"L'ANNÉE 1900", 0},
                                  {"MONNAIES", 0},
                                  {"sqlite_sequence", dbSystemObject},
                                  {"TIMBRES_ÉTÉ", 0}}));
    EXPECT_EQ(column(*query(path, "SELECT * FROM timbres_été WHERE Timbres_Été.designation = ('CÉRÈS')"), "NUMERO"),
              QStringList({"1"}));
    EXPECT_EQ(column(*query(path, "SELECT * FROM [L'ANNÉE 1900] WHERE [L'ANNÉE 1900].[COTE] > 2 ORDER BY [NUMERO]"),
                     "NUMERO"),
              QStringList({"7"}));
}

} // namespace
