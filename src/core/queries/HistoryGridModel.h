#pragma once
// The rows of a history search for the grid of "Pesquisa de Serviços": read-only, in the grid's
// column order (Dia, PtVm, Descr, Num, CodSv). The rows are read whole, so no statement stays open
// on the database while the window is up.

#include "HistorySearch.h"

#include <QAbstractTableModel>

class HistoryGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit HistoryGridModel(QObject* parent = nullptr);

    // Replaces every row (the grid starts again at its first row).
    void setRows(const QList<HistoryRow>& rows);
    const QList<HistoryRow>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<HistoryRow> m_rows;
};
