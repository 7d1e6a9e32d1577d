#pragma once
#include <QListWidget>

namespace carnelis {

// A list box whose Click is raised when the user picks an entry, with the mouse (even
// the entry already selected) or by moving the selection with the keyboard; filling or
// clearing the list from code raises nothing.
class ClickList : public QListWidget {
    Q_OBJECT
public:
    explicit ClickList(QWidget *parent = nullptr);

    // The selected entry's text, or "" when none is selected.
    QString Text() const;

signals:
    void Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace carnelis
