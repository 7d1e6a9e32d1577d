#include "ClickList.h"

#include <QKeyEvent>

namespace carnelis {

ClickList::ClickList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A control-click can take the selection away: a Click always has an entry.
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        if (item->isSelected())
            emit Click();
    });
}

QString ClickList::Text() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void ClickList::keyPressEvent(QKeyEvent *event)
{
    QListWidgetItem *before = currentItem();
    const bool wasSelected = before && before->isSelected();
    QListWidget::keyPressEvent(event);
    QListWidgetItem *after = currentItem();
    if (after && after->isSelected() && (after != before || !wasSelected))
        emit Click();
}

} // namespace carnelis
