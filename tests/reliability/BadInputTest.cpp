// Criteria of every length and of every punctuation character, for every condition on a
// text column, NUMERO and COTE, through the query builder and the engine; odd table and
// column names; texts stored in COTE. Each gives rows or a French refusal, never a crash,
// and the file is never changed by a query.
#include "Collection.h"
#include "CollectionFile.h"
#include "CriteriaInput.h"
#include "Engine.h"
#include "Recherche.h"
#include "SelectionState.h"
#include "TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <set>

using namespace carnelis;

namespace {

// Criteria as the user may type them: every punctuation character alone, and the ones
// that end a literal, a name or a statement in the middle of a word.
const QStringList punctuation = {"'",
                                 "''",
                                 "L'ÉCU",
                                 "'')",
                                 "') OR ('1'='1",
                                 "\"",
                                 "\"\"",
                                 "A\"B",
                                 "[",
                                 "]",
                                 "[TIMBRES]",
                                 "A]B",
                                 ";",
                                 "; DROP TABLE TIMBRES",
                                 "--",
                                 "X -- Y",
                                 "/*",
                                 "*/",
                                 "%",
                                 "*",
                                 "_",
                                 "?",
                                 "#",
                                 "#1/1/2000#",
                                 "(",
                                 ")",
                                 "()",
                                 ",",
                                 ".",
                                 "!",
                                 "&",
                                 "&H",
                                 "|",
                                 "\\",
                                 "<",
                                 ">",
                                 "=",
                                 "<>",
                                 "+",
                                 "-",
                                 "^",
                                 "`",
                                 "~",
                                 "@",
                                 "$",
                                 "{",
                                 "}",
                                 ":",
                                 "1E",
                                 "1E999",
                                 "-1",
                                 "0x1",
                                 " ",
                                 "   ",
                                 "É",
                                 "Ê'È",
                                 "\t",
                                 "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"};

void rawSql(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
}

// A refusal the user can read: a French text of the engine's own, never SQLite's words.
::testing::AssertionResult isFrenchRefusal(const RuntimeError &e)
{
    if (e.text().isEmpty() || e.number() == err::EngineFailure)
        return ::testing::AssertionFailure() << "error " << e.number() << ": " << e.what();
    return ::testing::AssertionSuccess();
}

class BadCriteria : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path;

    void SetUp() override
    {
        path = dir.filePath("COLLECTION.MDB");
        CollectionFile f(path);
        f.createTable("TIMBRES");
        std::vector<std::vector<Value>> rows;
        for (int i = 1; i <= 5; ++i)
            rows.push_back({QString::number(i), "TIMBRE " + QString::number(i), "ROUGE", "NEUF", double(i), Value()});
        // One row per punctuation criterion, holding it as its designation.
        for (int i = 0; i < punctuation.size(); ++i)
            rows.push_back({"P" + QString::number(i), punctuation[i], Value(), Value(), Value(), Value()});
        rows.push_back({Value(), Value(), Value(), Value(), Value(), Value()});
        f.appendRows("TIMBRES", rows);
        // A text slipped into COTE by another program, which every query meets.
        rawSql(path, "INSERT INTO TIMBRES (NUMERO, DESIGNATION, COTE) VALUES ('X', 'DOUZE', 'douze')");
    }

    // The query of the chooser's choice, run to its last row; the designations found, or
    // nothing when refused (the refusal checked here).
    std::optional<std::set<QString>> run(Database &db, int16_t colonne, Condition condition, const QString &critere,
                                         bool withCote, std::string &context)
    {
        SelectionState s;
        s.NomTable = "TIMBRES";
        s.ColonneTri = colonne;
        s.ConditionTri = conditionCaption(condition);
        s.CritereTri = criterionFromTyped(critere);
        if (withCote) {
            s.OperateurCote = " > ";
            s.ValeurCote = 0.5f;
        }
        QString sql;
        context = (s.ConditionTri + " / " + columnNameFor(colonne) + " / «" + critere + "» (" +
                   QString::number(critere.size()) + ")")
                      .toStdString();
        try {
            Recherche(s, columnNameFor(colonne), sql);
        } catch (const RuntimeError &e) {
            EXPECT_GT(critere.size(), 255) << context;
            EXPECT_EQ(e.number(), err::Overflow) << context;
            EXPECT_TRUE(isFrenchRefusal(e)) << context;
            return std::nullopt;
        }
        EXPECT_LE(critere.size(), 255) << context;
        try {
            auto rs = db.OpenRecordset(sql);
            std::set<QString> found;
            const int c = int(rs->columnNames().indexOf("DESIGNATION"));
            for (int i = 0; i < rs->RecordCount(); ++i)
                found.insert(rs->valueAt(i, c).text());
            return found;
        } catch (const RuntimeError &e) {
            EXPECT_TRUE(isFrenchRefusal(e)) << context << "\n" << sql.toStdString();
            return std::nullopt;
        }
    }
};

TEST_F(BadCriteria, EveryLengthAndEveryPunctuationGivesRowsOrAFrenchRefusal)
{
    const QByteArray before = test::digestOf(path);
    QStringList criteria = punctuation;
    // Characters no keyboard types but a paste can bring: NUL, a lone surrogate, a byte
    // order mark, line breaks.
    criteria << QString(QChar(0)) << QStringLiteral("A") + QChar(0) + QStringLiteral("B") << QString(QChar(0xD800))
             << QString(QChar(0xFEFF)) << QStringLiteral("\r\n") << QString(QChar(0x2028));
    const QString cycle = "L'É\"[;]--%*()0.5";
    for (int n = 0; n <= 300; ++n) {
        criteria << cycle.repeated(20).left(n);
        criteria << QString(n, u'9');
    }
    auto db = DBEngine::OpenDatabase(path);
    int refused = 0, answered = 0;
    std::string context;
    for (const int16_t colonne : {int16_t(2), int16_t(1), int16_t(5)})
        for (const ConditionDefinition &condition : conditions)
            for (const QString &critere : criteria)
                for (const bool withCote : {false, true}) {
                    const auto found = run(*db, colonne, condition.condition, critere, withCote, context);
                    ++(found ? answered : refused);
                    // A criterion the designation holds must be found by the conditions
                    // that look for it, and only by them: the text reaches the engine whole.
                    const int p = int(punctuation.indexOf(critere));
                    if (colonne != 2 || p < 0 || withCote || critere.trimmed().isEmpty())
                        continue;
                    ASSERT_TRUE(found.has_value()) << context;
                    const bool there = found->count(critere) > 0;
                    switch (condition.condition) {
                    case Condition::EstEgalA:
                    case Condition::Contient:
                    case Condition::CommencePar:
                    case Condition::FinitPar:
                        EXPECT_TRUE(there) << context;
                        break;
                    case Condition::EstDifferentDe:
                    case Condition::NeContientPas:
                        EXPECT_FALSE(there) << context;
                        break;
                    default:
                        break;
                    }
                }
    db.reset();
    EXPECT_EQ(test::digestOf(path), before) << "a query changed the file";
    EXPECT_FALSE(QFile::exists(path + "-journal"));
    EXPECT_GT(answered, 0);
    EXPECT_GT(refused, 0);
}

// The real companion program on the same criteria: it ends with 0 and rows, or 1 and
// "Erreur n : texte" in French; never a signal, never a change to the file.
TEST_F(BadCriteria, CarnelisBaseAnswersOrRefusesInFrenchAndNeverCrashes)
{
    const QByteArray before = test::digestOf(path);
    int i = 0;
    for (const int colonne : {2, 1, 5})
        for (const ConditionDefinition &definition : conditions) {
            const QString condition = QString::fromUtf8(definition.caption);
            const QString critere = punctuation[(i++ * 7) % punctuation.size()];
            for (const QString &c : {critere, QString(critere).repeated(300).left(256)}) {
                QProcess p;
                p.start(CARNELIS_BASE, {"filtre", path, "timbres", "--colonne", QString::number(colonne), "--condition",
                                        condition, "--critere", c, "--cote", ">", "--valeur", "1,5"});
                ASSERT_TRUE(p.waitForFinished(20000));
                const QString err = QString::fromUtf8(p.readAllStandardError());
                const std::string context = (condition + " «" + c + "» → " + err).toStdString();
                EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << context;
                if (p.exitCode() == 0) {
                    EXPECT_TRUE(p.readAllStandardOutput().startsWith("NUMERO\t")) << context;
                } else {
                    EXPECT_EQ(p.exitCode(), 1) << context;
                    EXPECT_TRUE(err.startsWith("Erreur ")) << context;
                    EXPECT_FALSE(err.contains(QString::number(err::EngineFailure))) << context;
                }
            }
        }
    EXPECT_EQ(test::digestOf(path), before);
}

// A COTE value is a number in single precision: past that range, or no number at all,
// it is refused as a usage error naming the text, instead of a query naming a column
// « INF » or a silent 0.
TEST_F(BadCriteria, CoteValuesThatAreNoSingleNumberAreRefused)
{
    const struct {
        const char *typed;
        int status;
        const char *says;
    } cases[] = {{"1e999", 2, "« 1e999 » est un nombre trop grand"},
                 {"-3.5E38", 2, "est un nombre trop grand"},
                 {"nan", 2, "« nan » n'est pas un nombre"},
                 {"-", 2, "n'est pas un nombre"},
                 {"3,4e38", 0, ""},
                 {"1e-50", 0, ""}};
    // A file without the text slipped into COTE, which would make every comparison a
    // type mismatch.
    const QString sound = dir.filePath("SAINE.MDB");
    CollectionFile(sound).createTable("TIMBRES");
    for (const auto &c : cases) {
        QProcess p;
        p.start(CARNELIS_BASE, {"filtre", sound, "TIMBRES", "--colonne", "2", "--condition", "Contient", "--critere",
                                "E", "--cote", "<", "--valeur", c.typed});
        ASSERT_TRUE(p.waitForFinished(20000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), c.status) << c.typed << " " << err.toStdString();
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.says))) << c.typed << " " << err.toStdString();
    }
}

// Tables and columns named with blanks, accents, apostrophes, quotes and reserved words:
// listed as they are and filtered through the builder's brackets.
TEST(OddNames, TablesAndColumnsWithBlanksAccentsAndQuotes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("NOMS.MDB");
    const QStringList tables = {"MES TIMBRES", "ÉCUS D'OR", "L'ÉTÉ", "A\"B", "SELECT", "T;DROP", "A]B", "1900"};
    {
        CollectionFile f(path);
        for (const QString &t : tables) {
            f.createTable(t);
            f.appendRows(t, {{"1", "L'ÉCU " + t, Value(), Value(), 2.5, Value()}});
        }
        f.createTable("COLONNES", {{"N° PIÈCE", "TEXT"}, {"L'ÉTAT", "TEXT"}, {"A \"B\"", "TEXT"}, {"[X]", "REAL"}});
        f.appendRows("COLONNES", {{"1", "BON", "C", 3.0}});
    }
    const QByteArray before = test::digestOf(path);

    QProcess list;
    list.start(CARNELIS_BASE, {"tables", path});
    ASSERT_TRUE(list.waitForFinished(20000));
    const QString listed = QString::fromUtf8(list.readAllStandardOutput());
    for (const QString &t : tables)
        EXPECT_TRUE(listed.contains(t + "\t0\n")) << t.toStdString();

    auto db = DBEngine::OpenDatabase(path);
    for (const QString &t : tables) {
        SelectionState s;
        s.NomTable = t;
        s.ConditionTri = "Contient";
        s.CritereTri = "L'ÉCU";
        QString sql;
        Recherche(s, "DESIGNATION", sql);
        for (const QString &q : {unfilteredQuery(t), sql}) {
            auto rs = db->OpenRecordset(q);
            ASSERT_EQ(rs->RecordCount(), 1) << q.toStdString();
            EXPECT_EQ(rs->Fields("DESIGNATION"), Value("L'ÉCU " + t));
        }
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
