#include "GridDelegate.h"

#include <QLineEdit>

namespace carnelis {

QWidget *GridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setAlignment(Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()) | Qt::AlignVCenter);
        auto *self = const_cast<GridDelegate *>(this);
        connect(line, &QLineEdit::textEdited, self, [self] { emit self->edited(); });
    }
    editor_ = editor;
    return editor;
}

} // namespace carnelis
