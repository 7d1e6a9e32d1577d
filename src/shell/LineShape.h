#pragma once
#include <QColor>
#include <QLine>
#include <QWidget>

namespace carnelis::shell {

// A straight line drawn on a window, as a window's design places one: two end points in
// twips, a colour and a width in pixels. It covers only the line's own box and lets
// clicks through to what lies beneath.
class LineShape : public QWidget {
    Q_OBJECT
public:
    LineShape(QWidget *parent, int x1, int y1, int x2, int y2, QColor color = Qt::black, int width = 1);

    // The end points in pixels, in the parent's coordinates.
    QLine line() const { return line_; }
    QColor color() const { return color_; }
    int lineWidth() const { return width_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLine line_;
    QColor color_;
    int width_;
};

} // namespace carnelis::shell
