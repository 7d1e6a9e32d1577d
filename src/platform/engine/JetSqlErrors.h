#pragma once
// The errors a query text can raise, with the French texts the user reads.
#include "RuntimeError.h"

#include <QString>

namespace carnelis {

inline RuntimeError syntaxError(const QString &sql, qsizetype position)
{
    const QString near = sql.mid(position, 24).trimmed();
    if (near.isEmpty())
        return RuntimeError(err::SyntaxError, QStringLiteral("Erreur de syntaxe : la requête est incomplète."));
    return RuntimeError(err::SyntaxError,
                        QStringLiteral("Erreur de syntaxe dans la requête, près de « %1 ».").arg(near));
}

inline RuntimeError overflowInQuery(const QString &sql, qsizetype position)
{
    return RuntimeError(err::Overflow,
                        QStringLiteral("Dépassement de capacité : nombre trop grand dans la requête (« %1 »).")
                            .arg(sql.mid(position, 24)));
}

inline RuntimeError onlySelectAccepted()
{
    return RuntimeError(err::SyntaxError,
                        QStringLiteral("Seule une requête « SELECT * FROM » sur une table est acceptée."));
}

inline RuntimeError unknownTable(const QString &name)
{
    return RuntimeError(err::UnknownTable, QStringLiteral("La table « %1 » est introuvable dans la base.").arg(name));
}

inline RuntimeError unknownColumn(const QString &name)
{
    return RuntimeError(err::UnknownName, QStringLiteral("La colonne « %1 » est inconnue dans cette table.").arg(name));
}

inline RuntimeError unknownFunction(const QString &name)
{
    return RuntimeError(err::UnknownFunction,
                        QStringLiteral("Fonction « %1 » non définie dans l'expression.").arg(name));
}

inline RuntimeError typeMismatch()
{
    return RuntimeError(err::TypeMismatch,
                        QStringLiteral("Type de données incompatible dans l'expression de critère."));
}

} // namespace carnelis
