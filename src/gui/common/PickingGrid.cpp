#include "PickingGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>

void PickingGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState && onDelete) {
        onDelete();
        return;
    }
    QTableView::keyPressEvent(event);
}

QItemSelectionModel::SelectionFlags PickingGrid::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    Q_UNUSED(index);
    if (!event)
        return QItemSelectionModel::NoUpdate;
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<const QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton && (press->modifiers() & Qt::ControlModifier))
            return QItemSelectionModel::Toggle | QItemSelectionModel::Rows;
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && (key->modifiers() & Qt::ControlModifier))
            return QItemSelectionModel::Toggle | QItemSelectionModel::Rows;
    }
    return QItemSelectionModel::NoUpdate;
}

void CurrentRowTint::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (m_view && index.row() == m_view->currentIndex().row() && !(option->state & QStyle::State_Selected))
        option->backgroundBrush = option->palette.alternateBase().color().darker(115);
}
