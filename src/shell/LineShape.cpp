#include "LineShape.h"

#include "Twips.h"

#include <QPainter>

namespace carnelis::shell {

LineShape::LineShape(QWidget *parent, int x1, int y1, int x2, int y2, QColor color, int width)
    : QWidget(parent), line_(px(x1), px(y1), px(x2), px(y2)), color_(color), width_(width)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    // A thick line spreads on both sides of its axis; a line on the window's edge is
    // simply cut by the edge.
    const int margin = (width + 1) / 2;
    const QRect box = QRect(line_.p1(), line_.p2()).normalized().adjusted(-margin, -margin, margin, margin);
    setGeometry(box);
}

void LineShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(color_, width_, Qt::SolidLine, Qt::FlatCap));
    painter.translate(-pos());
    painter.drawLine(line_);
}

} // namespace carnelis::shell
