#pragma once
// The record window's item model over its snapshot of the record lines:
// three columns, one row per line. The window paints the rows itself; the
// model gives their texts to the item view machinery and to accessibility.

#include <functional>

#include <QAbstractTableModel>

#include "panes/CalcRecordFeed.h"

class CCalcRecordItemModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // digitGrouping: read whenever a text is asked for.
    CCalcRecordItemModel(std::function<int()> digitGrouping, int rowHeight, QObject* parent = nullptr);

    const CCalcRecordSnapshot& Snapshot() const { return m_snapshot; }
    const CalcRecordEntry* Line(int row) const { return m_snapshot.Line(row); }
    void Apply(const CCalcRecordChange& change);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    CCalcRecordSnapshot m_snapshot;
    std::function<int()> m_digitGrouping;
    int m_nRowHeight;
};
