#include "DeletionPrompt.h"

#include <QLocale>

namespace carnelis {

QString deletionPrompt(const std::array<Value, 6> &row, const QLocale &locale)
{
    QString prompt = QStringLiteral("ATTENTION ! Vous cherchez à effacer le Numéro: ") + row[0].toDisplayText(locale) +
                     QStringLiteral("\r\n") + row[1].toDisplayText(locale);
    for (std::size_t i = 2; i < row.size(); ++i)
        prompt += QLatin1Char(' ') + row[i].toDisplayText(locale);
    return prompt;
}

QString selectedRowsDeletionPrompt(int count)
{
    const QString rows = count == 1 ? QStringLiteral("1 ligne sélectionnée")
                                    : QString::number(count) + QStringLiteral(" lignes sélectionnées");
    return QStringLiteral("ATTENTION ! Vous cherchez à effacer ") + rows +
           QStringLiteral(".\r\nL'effacement est définitif. Voulez-vous continuer ?");
}

} // namespace carnelis
