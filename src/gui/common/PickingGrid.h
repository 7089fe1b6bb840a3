#pragma once
// The grid of a list the keeper prints from: a row is picked only with Ctrl (a click, or
// Ctrl+Space); a plain click, the arrows and a navigator move the current row without picking it.
// So a printout takes every row unless the keeper picked some. The current row is tinted, so the
// keeper sees where the navigator stands without picking it.

#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

class PickingGrid : public QTableView {
public:
    using QTableView::QTableView;
    std::function<void()> onDelete;   // the Delete key, outside an editor; nothing when empty

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;
};

// Tints the current row of its view.
class CurrentRowTint : public QStyledItemDelegate {
public:
    explicit CurrentRowTint(QTableView* view) : QStyledItemDelegate(view), m_view(view) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    QPointer<QTableView> m_view;
};
