#include "LineControl.h"

#include <QPainter>

namespace carnelis {

LineControl::LineControl(QWidget *parent, QPoint from, QPoint to, int width, QColor colour)
    : QWidget(parent), width_(width), colour_(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const int half = (width + 1) / 2;
    const QRect box = QRect(from, to).normalized().adjusted(-half, -half, half, half);
    setGeometry(box);
    from_ = from - box.topLeft();
    to_ = to - box.topLeft();
}

void LineControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(colour_, width_, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from_, to_);
}

} // namespace carnelis
