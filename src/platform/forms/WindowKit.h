#pragma once
// What every window of the program is built with: the design's twips turned into pixels,
// the design's fonts, and the straight lines drawn on the windows.
#include <QColor>
#include <QFont>
#include <QLine>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QWidget>

#include <optional>
#include <span>

namespace carnelis::kit {

// The windows were drawn in twips, 15 to a pixel: the nearest pixel.
constexpr int px(int twips) { return (twips * 2 + 15) / 30; }

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// The faces of the design and what stands for them here.
enum class Face {
    Sans,       // MS Sans Serif and Arial: Liberation Sans has Arial's widths
    SansNarrow, // captions the design squeezed into narrow buttons
    Serif,      // Times New Roman
    Title,      // the large decorative italic of the main window's title
};

// A font of the design in points, sized at the design's 96 dots an inch: text keeps the
// room the layout (in pixels, from twips) gives it whatever the screen's resolution.
QFont designFont(Face face, double points);

// The font at the largest size, up to its own, at which the text wrapped to the box's
// width stands wholly within the box's height: a stand-in face taller than the design's
// must not lose the foot of its last line.
QFont fittedToHeight(QFont font, const QString &text, const QSize &box);

// A straight line drawn on a window as the design places one: end points in twips, a
// colour and a width in pixels. It covers only the line's own box and lets clicks
// through to what lies beneath.
class Line : public QWidget {
public:
    Line(QWidget *parent, int x1, int y1, int x2, int y2, QColor color = Qt::black, int width = 1);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLine line_; // in this widget's own coordinates
    QColor color_;
    int width_;
};

// A command button as the design's were: Enter presses it when it has the focus, as Space
// does.
class CommandButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// An option button of a group: the whole coloured area takes the click, not only its
// circle and its caption (a short caption such as " COTE" leaves most of it empty).
class OptionButton : public QRadioButton {
public:
    explicit OptionButton(const QString &caption, QWidget *parent = nullptr);

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

// Shows which button of an option group is chosen, or none. The group is a radio group
// for the keyboard and for screen readers: one Tab stop, on its chosen button (the first
// that can take the focus when none is), and the arrow keys move inside it.
void showChoice(std::span<QRadioButton *const> group, std::optional<int> chosen);

} // namespace carnelis::kit
