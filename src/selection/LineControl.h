#pragma once
#include <QColor>
#include <QWidget>

namespace carnelis {

// A straight line drawn on a window, as designed: end points in the parent's pixels, a
// pen width and a colour. It takes no clicks.
class LineControl : public QWidget {
public:
    LineControl(QWidget *parent, QPoint from, QPoint to, int width, QColor colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint from_;
    QPoint to_;
    int width_;
    QColor colour_;
};

} // namespace carnelis
