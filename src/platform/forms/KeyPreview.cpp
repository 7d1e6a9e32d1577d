#include "KeyPreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace carnelis {

KeyPreview::KeyPreview(QWidget *window, Handler handler)
    : QObject(window), window_(window), handler_(std::move(handler))
{
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview() { qApp->removeEventFilter(this); }

bool KeyPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != window_)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    int16_t ascii = 0;
    if (key->key() == Qt::Key_Escape)
        ascii = 27;
    else if (key->text().size() == 1 && key->text().at(0).unicode() < 256)
        ascii = int16_t(key->text().at(0).unicode());
    if (ascii == 0)
        return false;
    return handler_(ascii);
}

} // namespace carnelis
