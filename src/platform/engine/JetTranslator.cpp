#include "JetTranslator.h"

#include "BasicVal.h"
#include "JetParser.h"
#include "JetSqlErrors.h"
#include "JetText.h"
#include "Sqlite.h"

#include <QStringList>
#include <optional>

namespace carnelis {

namespace {

// What a piece of the expression yields, as far as the text of the query tells.
enum class Type {
    Bool,
    Null,    // the literal Null
    Number,  // a number or Null
    Text,    // a text or Null
    NumLike, // a numeric column: numbers, but a collector's file may slip a text in
    Any,     // an untyped column
};

struct Piece {
    Type type = Type::Any;
    QString sql;
    std::optional<Value> constant; // a literal, bound only once its use is known
};

class Translator {
public:
    explicit Translator(const TableInfo &table) : table_(table) {}

    KeysetQuery run(const JetQuery &q)
    {
        KeysetQuery out;
        QString from = QStringLiteral(" FROM ") + quotedSqlName(table_.name);
        if (q.where) {
            Piece w = expr(*q.where);
            if (w.type != Type::Bool)
                throw typeMismatch();
            from += QStringLiteral(" WHERE ") + w.sql;
        }
        const QString rowid = table_.rowidName();
        QString sql = QStringLiteral("SELECT ") + rowid + from + QStringLiteral(" ORDER BY ");
        out.countSql = (QStringLiteral("SELECT count(*)") + from).toStdString();
        QString scan = QStringLiteral("SELECT ") + rowid;
        for (const OrderItem &item : q.orderBy) {
            const ColumnInfo &c = column(item.qualifier, item.column);
            const QString name = quotedSqlName(c.name);
            // Texts sort by a natural key; numeric columns sort as they are.
            const QString key = c.affinity == Affinity::Numeric ? name : QStringLiteral("jet_sortkey(") + name + u')';
            sql += key + (item.descending ? QStringLiteral(" DESC, ") : QStringLiteral(", "));
            // The scan reads the column itself: its natural key is made in memory.
            scan += QStringLiteral(", ") + name;
            out.descending.push_back(item.descending);
            out.natural.push_back(c.affinity != Affinity::Numeric);
        }
        sql += rowid;
        if (!q.orderBy.empty())
            out.scanSql = (scan + from).toStdString();
        out.table = table_;
        out.sql = sql.toStdString();
        out.parameters = std::move(params_);
        return out;
    }

private:
    const ColumnInfo &column(const QString &qualifier, const QString &name)
    {
        if (!qualifier.isEmpty() && qualifier.compare(table_.name, Qt::CaseInsensitive) != 0)
            throw unknownColumn(qualifier + u'.' + name);
        const ColumnInfo *found = nullptr;
        for (const ColumnInfo &c : table_.columns)
            if (c.name.compare(name, Qt::CaseInsensitive) == 0 && (!found || c.name == name))
                found = &c;
        if (!found)
            throw unknownColumn(name);
        return *found;
    }

    QString sqlOf(const Piece &p)
    {
        if (!p.constant)
            return p.sql;
        if (p.constant->isNull())
            return QStringLiteral("NULL");
        params_.push_back(*p.constant);
        return u'?' + QString::number(params_.size());
    }

    static Piece literal(Value v)
    {
        Piece p;
        p.type = v.isNull() ? Type::Null : v.isNumber() ? Type::Number : Type::Text;
        p.constant = std::move(v);
        return p;
    }

    static Piece boolean(QString sql) { return {Type::Bool, std::move(sql), std::nullopt}; }

    Piece expr(const Expr &e)
    {
        switch (e.kind) {
        case Expr::Kind::Number:
            return literal(Value(e.number));
        case Expr::Kind::Text:
            return literal(Value(e.text));
        case Expr::Kind::Null:
            return literal(Value());
        case Expr::Kind::Column: {
            const ColumnInfo &c = column(e.qualifier, e.text);
            const Type t = c.affinity == Affinity::Text      ? Type::Text
                           : c.affinity == Affinity::Numeric ? Type::NumLike
                                                             : Type::Any;
            return {t, quotedSqlName(c.name), std::nullopt};
        }
        case Expr::Kind::Call:
            return call(e);
        case Expr::Kind::Not:
            return boolean(QStringLiteral("(NOT ") + sqlOf(condition(*e.args[0])) + u')');
        case Expr::Kind::And:
        case Expr::Kind::Or: {
            const QString a = sqlOf(condition(*e.args[0]));
            const QString b = sqlOf(condition(*e.args[1]));
            return boolean(u'(' + a + (e.kind == Expr::Kind::And ? QStringLiteral(" AND ") : QStringLiteral(" OR ")) +
                           b + u')');
        }
        case Expr::Kind::IsNull:
        case Expr::Kind::IsNotNull: {
            const Piece x = value(*e.args[0]);
            return boolean(
                u'(' + sqlOf(x) +
                (e.kind == Expr::Kind::IsNull ? QStringLiteral(" IS NULL)") : QStringLiteral(" IS NOT NULL)")));
        }
        case Expr::Kind::Negate:
            return negate(e);
        case Expr::Kind::Compare:
            return compare(e);
        }
        throw typeMismatch();
    }

    Piece condition(const Expr &e)
    {
        Piece p = expr(e);
        if (p.type != Type::Bool)
            throw typeMismatch();
        return p;
    }

    Piece value(const Expr &e)
    {
        Piece p = expr(e);
        if (p.type == Type::Bool)
            throw typeMismatch();
        return p;
    }

    Piece negate(const Expr &e)
    {
        Piece x = value(*e.args[0]);
        if (x.constant) {
            if (x.constant->isNull())
                return x;
            if (x.constant->isNumber())
                return literal(Value(-x.constant->number()));
            if (auto n = numberFromWholeText(x.constant->text().toStdString()))
                return literal(Value(-*n));
            throw typeMismatch();
        }
        if (x.type == Type::Text)
            throw typeMismatch();
        return {Type::Number, QStringLiteral("(-") + sqlOf(x) + u')', std::nullopt};
    }

    // A text literal met by a number: it must read wholly as a number.
    static void textLiteralAsNumber(Piece &p)
    {
        if (p.constant && p.constant->isText()) {
            const auto n = numberFromWholeText(p.constant->text().toStdString());
            if (!n)
                throw typeMismatch();
            p = literal(Value(*n));
        }
    }

    static bool numeric(Type t) { return t == Type::Number || t == Type::NumLike; }

    Piece compare(const Expr &e)
    {
        Piece a = value(*e.args[0]);
        Piece b = value(*e.args[1]);
        const QString op = e.text;
        // Jet's own reading of "= Null" and "<> Null": a test for a missing value.
        if (a.type == Type::Null || b.type == Type::Null) {
            const Piece &x = a.type == Type::Null ? b : a;
            const QString xs = x.type == Type::Null ? QStringLiteral("NULL") : sqlOf(x);
            if (op == QLatin1String("="))
                return boolean(u'(' + xs + QStringLiteral(" IS NULL)"));
            if (op == QLatin1String("<>"))
                return boolean(u'(' + xs + QStringLiteral(" IS NOT NULL)"));
            return boolean(QStringLiteral("NULL"));
        }
        if (numeric(a.type) && b.type == Type::Text)
            textLiteralAsNumber(b);
        if (numeric(b.type) && a.type == Type::Text)
            textLiteralAsNumber(a);

        if (a.type == Type::Text && b.type == Type::Text)
            return boolean(u'(' + sqlOf(a) + u' ' + op + u' ' + sqlOf(b) + QStringLiteral(" COLLATE JETTEXT)"));
        if (a.type == Type::Number && b.type == Type::Number)
            return boolean(u'(' + sqlOf(a) + u' ' + op + u' ' + sqlOf(b) + u')');
        if ((a.type == Type::NumLike && b.type == Type::Number) ||
            (a.type == Type::Number && b.type == Type::NumLike)) {
            // Numbers compare natively; only a text slipped into the column goes through
            // the careful comparison, which refuses a text that is no number.
            const QString as = sqlOf(a), bs = sqlOf(b);
            const QString guard = a.type == Type::NumLike ? as : bs;
            return boolean(QStringLiteral("(CASE WHEN %1 < '' THEN %2 %3 %4 ELSE jet_cmp(%2, %4) %3 0 END)")
                               .arg(guard, as, op, bs));
        }
        return boolean(QStringLiteral("(jet_cmp(") + sqlOf(a) + QStringLiteral(", ") + sqlOf(b) + QStringLiteral(") ") +
                       op + QStringLiteral(" 0)"));
    }

    Piece call(const Expr &e)
    {
        const QString name = e.text.toUpper();
        auto arity = [&](int low, int high) {
            if (int(e.args.size()) < low || int(e.args.size()) > high)
                throw RuntimeError(err::SyntaxError,
                                   QStringLiteral("Nombre d'arguments incorrect pour la fonction « %1 ».").arg(e.text));
        };
        std::vector<Piece> args;
        auto arguments = [&] {
            for (const auto &a : e.args)
                args.push_back(value(*a));
        };
        if (name == QLatin1String("VAL")) {
            arity(1, 1);
            arguments();
            const Piece &x = args[0];
            if (x.constant) {
                if (x.constant->isNull() || x.constant->isNumber())
                    return literal(*x.constant);
                return literal(Value(basicVal(x.constant->text())));
            }
            return {Type::Number, QStringLiteral("jet_val(") + sqlOf(x) + u')', std::nullopt};
        }
        Type result;
        QString function;
        if (name == QLatin1String("INSTR")) {
            arity(2, 3);
            result = Type::Number;
            function = QStringLiteral("jet_instr");
        } else if (name == QLatin1String("LEFT") || name == QLatin1String("RIGHT")) {
            arity(2, 2);
            result = Type::Text;
            function = name == QLatin1String("LEFT") ? QStringLiteral("jet_left") : QStringLiteral("jet_right");
        } else {
            throw unknownFunction(e.text);
        }
        arguments();
        QStringList parts;
        for (const Piece &p : args)
            parts << (p.type == Type::Null ? QStringLiteral("NULL") : sqlOf(p));
        return {result, function + u'(' + parts.join(QStringLiteral(", ")) + u')', std::nullopt};
    }

    const TableInfo &table_;
    std::vector<Value> params_;
};

} // namespace

KeysetQuery translateJetSql(Connection &connection, const QString &jetSql)
{
    const JetQuery q = parseJetSql(jetSql);
    const auto table = findTable(connection, q.table);
    if (!table)
        throw unknownTable(q.table);
    if (!table->hasRowid || table->rowidName().isEmpty())
        throw RuntimeError(
            err::CannotOpen,
            QStringLiteral("La table « %1 » n'a pas d'identifiant de ligne : elle ne peut pas être ouverte.")
                .arg(table->name));
    return Translator(*table).run(q);
}

} // namespace carnelis
