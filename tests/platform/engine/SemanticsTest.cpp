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

// The SQL functions exactly as the translated queries call them.
class Functions : public ::testing::Test {
protected:
    Connection connection{QStringLiteral(":memory:"), Connection::Mode::Create};
    void SetUp() override { registerJetFunctions(connection); }

    Value call(const char *sql, const std::vector<Value> &args)
    {
        Statement s(connection, sql);
        for (size_t i = 0; i < args.size(); ++i)
            s.bind(int(i) + 1, args[i]);
        EXPECT_TRUE(s.step());
        return s.value(0);
    }
};

// Val's reading rules are BasicVal's; here the plain-digit shortcut, numbers and Null.
TEST_F(Functions, ValReadsTheLeadingNumberAndKeepsNull)
{
    for (const auto &[in, out] : std::vector<std::pair<Value, Value>>{{"12,5", 12.0},
                                                                      {"007", 7.0},
                                                                      {"123456789012345678", 123456789012345678.0},
                                                                      {42.0, 42.0},
                                                                      {Value(), Value()}})
        EXPECT_EQ(call("SELECT jet_val(?1)", {in}), out) << in.toDisplayText(QLocale::c()).toStdString();
}

TEST_F(Functions, InstrIgnoresCaseKeepsAccentsAndCountsFromOne)
{
    const struct {
        Value haystack, needle, position;
    } cases[] = {
        {"Franc suisse", "SUISSE", 7.0},
        {"Écu", "écu", 1.0},
        {"Ecu", "ÉCU", 0.0},
        {"abc", "", 1.0},
        {"abc", "d", 0.0},
        {Value(), "a", Value()},
        {"a", Value(), Value()},
        {12.5, "2.5", 2.0},
        {"éléphant", "PH", 4.0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(call("SELECT jet_instr(?1, ?2)", {c.haystack, c.needle}), c.position)
            << c.haystack.toDisplayText(QLocale::c()).toStdString();
    // A start that is no whole number is rounded half to even, as every Basic count.
    for (const auto &[start, position] : std::vector<std::pair<double, double>>{{3.0, 4.0}, {4.5, 4.0}, {1.5, 4.0}})
        EXPECT_EQ(call("SELECT jet_instr(?1, ?2, ?3)", {start, "abcabc", "A"}), Value(position)) << start;
}

TEST_F(Functions, LeftAndRightTakeTextsNumbersAndNull)
{
    const struct {
        Value in;
        double n;
        Value left, right;
    } cases[] = {
        {"Écu d'or", 3, "Écu", "'or"},
        {"ab", 5, "ab", "ab"},
        {"abc", 0, "", ""},
        {150.0, 2, "15", "00"},
        {12.5, 3, "12.", ".50"},
        {Value(), 2, Value(), Value()},
        // A count that is no whole number is rounded half to even, as every Basic count.
        {"abcdef", 2.5, "ab", "ef"},
        {"abcdef", 3.5, "abcd", "cdef"},
        {"abcdef", 0.5, "", ""},
        {"abcdef", 2.4, "ab", "ef"},
        {"abcdef", 2.6, "abc", "def"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(call("SELECT jet_left(?1, ?2)", {c.in, c.n}), c.left) << c.n;
        EXPECT_EQ(call("SELECT jet_right(?1, ?2)", {c.in, c.n}), c.right) << c.n;
    }
    EXPECT_THROW(call("SELECT jet_left(?1, ?2)", {"abc", -1.0}), RuntimeError);
}

// A number met by INSTR, Left or Right is the text the grid shows for COTE: two
// decimals, the user's decimal separator, no thousands grouping.
TEST_F(Functions, ANumberIsSearchedAsTheGridShowsIt)
{
    const struct {
        bool french;
        const char *sql;
        Value number, second, result;
    } cases[] = {
        {true, "SELECT jet_instr(?1, ?2)", 837.89, ",89", 4.0},
        {true, "SELECT jet_instr(?1, ?2)", 837.89, ".89", 0.0},
        {false, "SELECT jet_instr(?1, ?2)", 837.89, ".89", 4.0},
        {true, "SELECT jet_left(?1, ?2)", 1234.5, 5.0, "1234,"},
        {true, "SELECT jet_right(?1, ?2)", 12.5, 3.0, ",50"},
        {true, "SELECT jet_right(?1, ?2)", -0.5, 5.0, "-0,50"},
    };
    for (const auto &c : cases) {
        QLocale::setDefault(c.french ? QLocale(QLocale::French, QLocale::France) : QLocale::c());
        EXPECT_EQ(call(c.sql, {c.number, c.second}), c.result) << c.sql << " " << c.french;
    }
    QLocale::setDefault(QLocale::c());
}

class Semantics : public EngineFixture {
protected:
    // Runs the condition on a table of the given DESIGNATION values; answers which
    // values matched, in table order.
    QStringList matching(const std::vector<Value> &designations, const QString &where)
    {
        Rows rows;
        int n = 0;
        for (const Value &d : designations)
            rows.push_back(row(QString::number(++n), d));
        const QString path = makeCollection(QStringLiteral("T%1").arg(++tables_), rows);
        auto rs = query(path, QStringLiteral("SELECT * FROM T%1 WHERE %2").arg(tables_).arg(where));
        QStringList out;
        for (int i = 0; i < rs->RecordCount(); ++i) {
            const Value v = rs->valueAt(i, 1);
            out << (v.isNull() ? QStringLiteral("<Null>") : u'[' + v.text() + u']');
        }
        return out;
    }
    int tables_ = 0;
};

TEST_F(Semantics, NullIsAMissingValueNotAnEmptyText)
{
    const std::vector<Value> values = {Value(), "", " ", "A"};
    const struct {
        const char *where;
        QStringList expected;
    } cases[] = {
        {"DESIGNATION = Null", {"<Null>"}},
        {"DESIGNATION <> Null", {"[]", "[ ]", "[A]"}},
        {"DESIGNATION = ('')", {"[]", "[ ]"}},
        {"DESIGNATION <> ('A')", {"[]", "[ ]"}},
        {"DESIGNATION = Null OR DESIGNATION = (' ')", {"<Null>", "[]", "[ ]"}},
        {"NOT DESIGNATION = ('A')", {"[]", "[ ]"}},
        {"DESIGNATION > Null", {}},
        {"DESIGNATION IS NULL", {"<Null>"}},
        {"DESIGNATION IS NOT NULL", {"[]", "[ ]", "[A]"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(matching(values, c.where), c.expected) << c.where;
}

TEST_F(Semantics, TextsCompareWithoutCaseOrTrailingBlanksButWithAccents)
{
    const std::vector<Value> values = {"ECU", "écu  ", "Ecu", "Écu", "ezra", "f", "e"};
    const struct {
        const char *where;
        QStringList expected;
    } cases[] = {
        {"DESIGNATION = ('ecu')", {"[ECU]", "[Ecu]"}},
        {"DESIGNATION = ('ÉCU')", {"[écu  ]", "[Écu]"}},
        // An accented letter sorts right after its base letter: é comes after every e word.
        {"DESIGNATION > ('EZZZ')", {"[écu  ]", "[Écu]", "[f]"}},
        {"DESIGNATION < ('ECV')", {"[ECU]", "[Ecu]", "[e]"}},
        {"Left(DESIGNATION, 1) = ('É')", {"[écu  ]", "[Écu]"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(matching(values, c.where), c.expected) << c.where;
}

TEST_F(Semantics, OrderByOnTextIsNatural)
{
    const QStringList numbers = {"A10", "100", "Élan", "2", "elan", "010", "10", "A2", "1", "B", "0", "00"};
    Rows rows;
    for (const QString &n : numbers)
        rows.push_back(row(n));
    rows.push_back(row({}));
    const QString path = makeCollection("T", rows);
    auto rs = query(path, "SELECT * FROM T ORDER BY NUMERO");
    EXPECT_EQ(column(*rs, "NUMERO"),
              QStringList({"", "0", "00", "1", "2", "010", "10", "100", "A2", "A10", "B", "elan", "Élan"}));
    rs = query(path, "select * from t order by numero desc");
    EXPECT_EQ(column(*rs, "NUMERO").first(), QStringLiteral("Élan"));
}

TEST_F(Semantics, ANumberMeetsATextOnlyWhenTheTextIsANumber)
{
    const QString path = makeCollection("T", {row("12", {}, {}, {}, 12.5), row("7", {}, {}, {}, 150.0)});
    const struct {
        const char *where;
        QStringList numeros;
    } cases[] = {
        {"COTE = '12.5'", {"12"}},    {"COTE > ' 100 '", {"7"}},   {"NUMERO = 12", {"12"}},
        {"NUMERO < 10", {"7"}},       {"Val(NUMERO) = 7", {"7"}},  {"INSTR(COTE, '.5') = 3", {"12"}},
        {"COTE > Val('1E2')", {"7"}}, {"COTE = -(-12.5)", {"12"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(column(*query(path, QStringLiteral("SELECT * FROM T WHERE ") + c.where), "NUMERO"), c.numeros)
            << c.where;

    for (const char *where : {"COTE = 'abc'", "COTE = ('12,5')"}) {
        const RuntimeError e = test::thrownBy([&] { query(path, QStringLiteral("SELECT * FROM T WHERE ") + where); });
        EXPECT_EQ(e.number(), err::TypeMismatch) << where;
    }
}

TEST_F(Semantics, ATextSlippedIntoANumberColumnIsATypeMismatchNotAWrongRow)
{
    const QString path = makeCollection("T", {row("1", {}, {}, {}, 12.5)});
    rawSql(path, "INSERT INTO T (NUMERO, COTE) VALUES ('2', 'douze'), ('3', ' 40 ')");
    const RuntimeError e = test::thrownBy([&] { query(path, "SELECT * FROM T WHERE T.COTE  > 10 ORDER BY NUMERO"); });
    EXPECT_EQ(e.number(), err::TypeMismatch);
    // A text that reads as a number compares as that number.
    rawSql(path, "DELETE FROM T WHERE NUMERO = '2'");
    EXPECT_EQ(column(*query(path, "SELECT * FROM T WHERE T.COTE  > 20 ORDER BY NUMERO"), "NUMERO"), QStringList({"3"}));
}

} // namespace

namespace {

// The whole keyset is ordered in memory; its order must be the one SQLite gives for the
// same ORDER BY, on every kind of value a file may hold.
TEST_F(Semantics, TheKeysetOrderedInMemoryIsSqlitesOrder)
{
    const QString path = pathOf("ORDRE.MDB");
    {
        CollectionFile f(path);
        f.createTable("T",
                      {{"ID", "INTEGER"}, {"NUMERO", "TEXT"}, {"DESIGNATION", "TEXT"}, {"COTE", "REAL"}, {"BRUT", ""}});
    }
    const char *const texts[] = {"",     " ",  "a",   "A", "à",  "Â",   "b",   "é",   "E",   "e ",   "ez",   "f",
                                 "1",    "01", "001", "2", "10", "100", "a2",  "A10", "a02", "Élan", "elan", "x9y",
                                 "x10y", "ß",  "œuf", "z", "Z1", "1.5", "1,5", "-3",  "\t",  "a\tb", "日本"};
    const int n = int(std::size(texts));
    QStringList inserts;
    uint32_t r = 7;
    for (int i = 0; i < 400; ++i) {
        r = r * 1103515245u + 12345u;
        auto text = [&](int salt) {
            const uint32_t pick = (r >> (salt * 3)) % uint32_t(n + 3);
            return pick >= uint32_t(n) ? QStringLiteral("NULL") : u'\'' + QString::fromUtf8(texts[pick]) + u'\'';
        };
        const uint32_t kind = (r >> 20) % 5;
        const QString brut = kind == 0   ? QStringLiteral("NULL")
                             : kind == 1 ? QString::number(int(r % 200) - 100)
                             : kind == 2 ? QString::number((r % 1000) / 8.0)
                             : kind == 3 ? text(4)
                                         : QStringLiteral("x'00ff%1'").arg(r % 256, 2, 16, QLatin1Char('0'));
        inserts << QStringLiteral("(%1, %2, %3, %4, %5)")
                       .arg(i)
                       .arg(text(1), text(2),
                            (r % 7 == 0)    ? QStringLiteral("NULL")
                            : (r % 11 == 0) ? QStringLiteral("'douze'")
                                            : QString::number((r % 500) / 4.0),
                            brut);
    }
    rawSql(path, "INSERT INTO T VALUES " + inserts.join(u','));

    Connection raw(path, Connection::Mode::ReadWrite);
    registerJetFunctions(raw);
    for (const char *order : {"NUMERO", "NUMERO DESC", "DESIGNATION DESC, NUMERO", "COTE DESC, DESIGNATION", "BRUT",
                              "BRUT DESC, NUMERO DESC", "DESIGNATION, COTE, BRUT"}) {
        const QString sql = QStringLiteral("SELECT * FROM T ORDER BY ") + QLatin1String(order);
        Statement expected(raw, translateJetSql(raw, sql).sql);
        QStringList wanted;
        while (expected.step())
            wanted << QString::number(expected.int64(0));
        auto rs = query(path, sql);
        QStringList got;
        for (int i = 0; i < rs->RecordCount(); ++i)
            got << rs->valueAt(i, 0).toDisplayText(QLocale::c());
        // The row ids are the IDs here (INTEGER PRIMARY KEY is not used, but rows were
        // inserted in ID order into an empty table).
        QStringList wantedIds;
        for (const QString &rowid : wanted)
            wantedIds << QString::number(rowid.toLongLong() - 1);
        ASSERT_EQ(got.size(), 400) << order;
        EXPECT_EQ(got, wantedIds) << order;
    }
}

} // namespace
