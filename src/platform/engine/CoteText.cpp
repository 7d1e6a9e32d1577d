#include "CoteText.h"

#include <QLocale>

namespace carnelis {

QString coteText(double value, const QLocale &locale, Grouping grouping)
{
    QLocale l = locale;
    l.setNumberOptions(grouping == Grouping::On ? locale.numberOptions() & ~QLocale::OmitGroupSeparator
                                                : locale.numberOptions() | QLocale::OmitGroupSeparator);
    return l.toString(value, 'f', 2);
}

} // namespace carnelis
