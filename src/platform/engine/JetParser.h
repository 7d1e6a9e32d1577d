#pragma once
// The one statement the program sends: SELECT * FROM t [WHERE expr] [ORDER BY col, ...].
#include <QString>
#include <memory>
#include <vector>

namespace carnelis {

struct Expr {
    enum class Kind { Number, Text, Null, Column, Call, Not, Negate, And, Or, Compare, IsNull, IsNotNull };
    Kind kind = Kind::Null;
    double number = 0;
    QString text;      // Text value, column name, function name, or comparison sign
    QString qualifier; // the table a column is prefixed with, if any
    std::vector<std::unique_ptr<Expr>> args;
    qsizetype position = 0;
};

struct OrderItem {
    QString qualifier;
    QString column;
    bool descending = false;
};

struct JetQuery {
    QString table;
    std::unique_ptr<Expr> where;
    std::vector<OrderItem> orderBy;
};

// Throws RuntimeError (syntax error) for anything that is not one such statement.
JetQuery parseJetSql(const QString &sql);

} // namespace carnelis
