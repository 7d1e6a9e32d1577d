#pragma once
// The windows were drawn in twips at 15 twips to a pixel; fonts in points at 96 dpi.
#include <QRect>
#include <QtMath>

namespace carnelis::shell {

inline int px(int twips)
{
    return qRound(twips / 15.0);
}

inline QRect pxRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// Pixel size of a font given in points, so the layout does not depend on the screen's dpi.
inline int fontPx(double points)
{
    return qRound(points * 96.0 / 72.0);
}

} // namespace carnelis::shell
