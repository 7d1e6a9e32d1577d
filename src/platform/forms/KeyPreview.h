#pragma once
#include <QObject>
#include <cstdint>
#include <functional>

class QWidget;

namespace carnelis {

// Lets a window see the characters typed anywhere inside it before its controls do,
// a cell editor of the grid included (the editor would otherwise take Escape for
// itself). The handler gets the character code; the key is kept from the control only
// when the handler says so.
class KeyPreview : public QObject {
public:
    using Handler = std::function<bool(int16_t keyAscii)>;
    KeyPreview(QWidget *window, Handler handler);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
    Handler handler_;
};

} // namespace carnelis
