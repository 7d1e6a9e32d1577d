#pragma once
#include <QPointer>
#include <QStyledItemDelegate>

namespace carnelis {

// Cell editors of the grid: a one-line entry in the grid's colours; the first key that
// alters it tells the grid the row has changed, before the cell is even left.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *openEditor() const { return editor_; }

signals:
    void edited();

private:
    mutable QPointer<QWidget> editor_;
};

} // namespace carnelis
