#include "JetNames.h"

#include <QSet>

namespace carnelis {

bool isJetReservedWord(const QString &word)
{
    static const QSet<QString> words = {"SELECT", "FROM",  "WHERE",  "ORDER", "BY",   "AND",    "OR",     "NOT",
                                        "NULL",   "IS",    "LIKE",   "IN",    "AS",   "ASC",    "DESC",   "DISTINCT",
                                        "TOP",    "GROUP", "HAVING", "UNION", "JOIN", "ON",     "INSERT", "UPDATE",
                                        "DELETE", "DROP",  "CREATE", "TABLE", "INTO", "VALUES", "SET",    "ALTER",
                                        "TRUE",   "FALSE", "MOD",    "XOR",   "EQV",  "IMP",    "BETWEEN"};
    return words.contains(word.toUpper());
}

bool isPlainJetName(const QString &name)
{
    if (name.isEmpty())
        return false;
    const QChar first = name.front();
    if (!(first.isLetter() || first == u'_'))
        return false;
    for (QChar c : name)
        if (!(c.isLetterOrNumber() || c == u'_'))
            return false;
    return !isJetReservedWord(name);
}

QString jetName(const QString &name)
{
    if (isPlainJetName(name))
        return name;
    // A closing bracket inside the name is doubled, so that the name ends where it should.
    QString inside = name;
    inside.replace(u']', QStringLiteral("]]"));
    return u'[' + inside + u']';
}

} // namespace carnelis
