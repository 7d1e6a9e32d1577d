#include "WindowKit.h"

#include <QApplication>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QtMath>

namespace carnelis::kit {

QFont designFont(Face face, double points)
{
    QFont font;
    switch (face) {
    case Face::Sans:
        font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
        break;
    case Face::SansNarrow:
        font.setFamilies({QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow"),
                          QStringLiteral("Liberation Sans")});
        break;
    case Face::Serif:
        font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman")});
        break;
    case Face::Title:
        // Z003 comes with the URW fonts.
        font.setFamilies({QStringLiteral("Z003"), QStringLiteral("URW Chancery L")});
        font.setItalic(true);
        break;
    }
    font.setPixelSize(qRound(points * 96.0 / 72.0));
    return font;
}

QFont fittedToHeight(QFont font, const QString &text, const QSize &box)
{
    for (int size = font.pixelSize(); size > 1; --size) {
        font.setPixelSize(size);
        const QRect needed = QFontMetrics(font).boundingRect(QRect(QPoint(0, 0), box),
                                                             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        if (needed.height() <= box.height())
            break;
    }
    return font;
}

Line::Line(QWidget *parent, int x1, int y1, int x2, int y2, QColor color, int width)
    : QWidget(parent), color_(color), width_(width)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    // A thick line spreads on both sides of its axis; a line on the window's edge is
    // simply cut by the edge.
    const QLine line(px(x1), px(y1), px(x2), px(y2));
    const int margin = (width + 1) / 2;
    const QRect box = QRect(line.p1(), line.p2()).normalized().adjusted(-margin, -margin, margin, margin);
    setGeometry(box);
    line_ = line.translated(-box.topLeft());
}

void Line::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(color_, width_, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(line_);
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

namespace {

// The design's option buttons leave little room between the circle and the caption.
class OptionStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (metric == PM_RadioButtonLabelSpacing)
            return 2;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

OptionButton::OptionButton(const QString &caption, QWidget *parent) : QRadioButton(caption, parent)
{
    static OptionStyle *const style = [] {
        auto *s = new OptionStyle;
        s->setParent(qApp);
        return s;
    }();
    setStyle(style);
}

void showChoice(std::span<QRadioButton *const> group, std::optional<int> chosen)
{
    QRadioButton *tabStop = nullptr;
    for (std::size_t k = 0; k < group.size(); ++k) {
        QRadioButton *button = group[k];
        // An exclusive group cannot be left with nothing chosen: exclusive again once set.
        button->setAutoExclusive(false);
        button->setChecked(chosen && *chosen == int(k));
        if (button->isChecked() || (!tabStop && !chosen && !button->isHidden()))
            tabStop = button;
    }
    for (QRadioButton *button : group) {
        button->setAutoExclusive(true);
        button->setFocusPolicy(button == tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

} // namespace carnelis::kit
