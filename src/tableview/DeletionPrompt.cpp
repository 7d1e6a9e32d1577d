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

} // namespace carnelis
