#include "HistoryGridModel.h"

namespace {
constexpr int CodSvColumn = 4;
}

HistoryGridModel::HistoryGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void HistoryGridModel::setRows(const QList<HistoryRow>& rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int HistoryGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int HistoryGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(HistoryGridColumns().size());
}

QVariant HistoryGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return HistoryGridTexts(m_rows.at(index.row())).value(index.column());
    if (role == Qt::TextAlignmentRole && index.column() == CodSvColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

QVariant HistoryGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return HistoryGridColumns().value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
