// Criteria of every length and of every punctuation character, for every condition on a
// text column, NUMERO and COTE, through the query builder and the engine; odd table and
// column names. Each gives rows or a French refusal, never a crash, and the file is never
// changed by a query.
#include "Collection.h"
#include "Collections.h"
#include "CriteriaInput.h"
#include "Engine.h"
#include "Recherche.h"
#include "SelectionState.h"
#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <set>

using namespace carnelis;

namespace {

// Criteria as the user may type them: every punctuation character alone, and the ones
// that end a literal, a name or a statement in the middle of a word; written as one
// string cut at each ¤.
const QStringList punctuation =
    QStringLiteral("'¤''¤L'ÉCU¤'')¤') OR ('1'='1¤\"¤\"\"¤A\"B¤[¤]¤[TIMBRES]¤A]B¤;¤; DROP TABLE TIMBRES¤--¤X -- Y¤"
                   "/*¤*/¤%¤*¤_¤?¤#¤#1/1/2000#¤(¤)¤()¤,¤.¤!¤&¤&H¤|¤\\¤<¤>¤=¤<>¤+¤-¤^¤`¤~¤@¤$¤{¤}¤:¤1E¤1E999¤-1¤0x1¤"
                   " ¤   ¤É¤Ê'È¤\t¤!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~")
        .split(u'¤');

// The query of the chooser's choice (with COTE > 0.5 when told), run to its last row: the
// designations found, or nothing when refused in French.
std::optional<std::set<QString>> run(Database &db, const QString &table, int16_t colonne, const QString &condition,
                                     const QString &critere, bool withCote, const std::string &context)
{
    SelectionState s;
    std::tie(s.NomTable, s.ColonneTri, s.ConditionTri, s.CritereTri, s.OperateurCote, s.ValeurCote) =
        std::tuple(table, colonne, condition, criterionFromTyped(critere), withCote ? " > " : "", 0.5f);
    QString sql;
    const auto build = [&] { Recherche(s, columnNameFor(colonne), sql); };
    if (critere.size() > 255) {
        EXPECT_EQ(test::thrownBy(build).number(), err::Overflow) << context;
        return std::nullopt;
    }
    build();
    try {
        auto rs = db.OpenRecordset(sql);
        std::set<QString> found;
        for (int i = 0; i < rs->RecordCount(); ++i)
            found.insert(rs->valueAt(i, 1).text());
        return found;
    } catch (const RuntimeError &e) {
        // A refusal the user can read: the engine's own French text, never SQLite's words.
        EXPECT_FALSE(e.text().isEmpty() || e.number() == err::EngineFailure) << context << "\n" << e.what();
        return std::nullopt;
    }
}

TEST(BadCriteria, EveryLengthAndEveryPunctuationGivesRowsOrAFrenchRefusal)
{
    QTemporaryDir dir;
    test::Rows rows;
    for (int i = 1; i <= 5; ++i)
        rows.push_back(test::row(QString::number(i), "TIMBRE " + QString::number(i), "ROUGE", "NEUF", double(i)));
    // One row per punctuation criterion, holding it as its designation.
    for (int i = 0; i < punctuation.size(); ++i)
        rows.push_back(test::row("P" + QString::number(i), punctuation[i]));
    rows.push_back(test::row({}));
    const QString path = test::writeCollection(dir.filePath("COLLECTION.MDB"), "TIMBRES", rows);
    // A text slipped into COTE by another program, which every query meets.
    test::rawSql(path, "INSERT INTO TIMBRES (NUMERO, DESIGNATION, COTE) VALUES ('X', 'DOUZE', 'douze')");
    const QByteArray before = test::digestOf(path);

    // Characters no keyboard types but a paste can bring: NUL, a lone surrogate, a byte
    // order mark, line breaks.
    QStringList criteria = punctuation;
    criteria << QString(QChar(0)) << QStringLiteral("A") + QChar(0) + QStringLiteral("B") << QString(QChar(0xD800))
             << QString(QChar(0xFEFF)) << QStringLiteral("\r\n") << QString(QChar(0x2028));
    for (int n = 0; n <= 300; ++n)
        criteria << QStringLiteral("L'É\"[;]--%*()0.5").repeated(20).left(n) << QString(n, u'9');
    // By condition: a designation that holds the criterion is found (+), is not (-), or either.
    const char *finds = "+..-..+-++";
    auto db = DBEngine::OpenDatabase(path);
    int refused = 0, answered = 0;
    for (const int16_t colonne : {2, 1, 5})
        for (const ConditionDefinition &condition : conditions)
            for (const QString &critere : criteria)
                for (const bool withCote : {false, true}) {
                    const QString caption = QString::fromUtf8(condition.caption);
                    const std::string context =
                        (caption + " / " + columnNameFor(colonne) + " / «" + critere + "»").toStdString();
                    const auto found = run(*db, "TIMBRES", colonne, caption, critere, withCote, context);
                    ++(found ? answered : refused);
                    // The text reaches the engine whole.
                    const char expected = finds[int(condition.condition)];
                    if (colonne == 2 && punctuation.contains(critere) && !withCote && !critere.trimmed().isEmpty() &&
                        expected != '.') {
                        ASSERT_TRUE(found.has_value()) << context;
                        EXPECT_EQ(found->count(critere) > 0, expected == '+') << context;
                    }
                }
    db.reset();
    EXPECT_EQ(test::digestOf(path), before) << "a query changed the file";
    EXPECT_FALSE(QFile::exists(path + "-journal"));
    EXPECT_GT(answered, 0);
    EXPECT_GT(refused, 0);
}

// Tables and columns named with blanks, accents, apostrophes, quotes and reserved words:
// listed as they are and filtered through the builder's brackets.
TEST(OddNames, TablesAndColumnsWithBlanksAccentsAndQuotes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("NOMS.MDB");
    const QStringList tables = {"MES TIMBRES", "ÉCUS D'OR", "L'ÉTÉ", "A\"B", "SELECT", "T;DROP", "A]B", "1900"};
    for (const QString &t : tables)
        test::writeCollection(path, t, {test::row("1", "L'ÉCU " + t, {}, {}, 2.5)});
    test::writeCollection(path, "COLONNES", {{"1", "BON", "C", 3.0}},
                          {{"N° PIÈCE", "TEXT"}, {"L'ÉTAT", "TEXT"}, {"A \"B\"", "TEXT"}, {"[X]", "REAL"}});
    const QByteArray before = test::digestOf(path);

    auto db = DBEngine::OpenDatabase(path);
    QStringList listed;
    for (const TableDef &t : db->TableDefs())
        listed << t.Name;
    for (const QString &t : tables) {
        EXPECT_TRUE(listed.contains(t)) << t.toStdString();
        EXPECT_EQ(db->OpenRecordset(unfilteredQuery(t))->Fields("DESIGNATION"), Value("L'ÉCU " + t));
        EXPECT_EQ(run(*db, t, 2, "Contient", "L'ÉCU", false, t.toStdString()), std::set<QString>({"L'ÉCU " + t}));
    }
    auto rs =
        db->OpenRecordset("SELECT * FROM COLONNES WHERE [L'ÉTAT] = 'bon' AND [A \"B\"] <> Null AND [N° PIÈCE] = '1'");
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Fields("l'état"), Value("BON"));
    EXPECT_EQ(rs->columnNames(), QStringList({"N° PIÈCE", "L'ÉTAT", "A \"B\"", "[X]"}));
    db.reset();
    EXPECT_EQ(test::digestOf(path), before);
}

} // namespace
