#pragma once
#include <QFont>

namespace carnelis {

// The window was designed in Arial and MS Sans Serif; Liberation Sans has Arial's metrics
// and stands for both, so that texts take the room they were given.
inline QFont designSansFont(double points)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSizeF(points);
    return font;
}

} // namespace carnelis
