#include "panes/CalcRecordItemModel.h"

#include <QSize>

#include "panes/CalcRecordLines.h"

CCalcRecordItemModel::CCalcRecordItemModel(std::function<int()> digitGrouping, int rowHeight,
                                           QObject* parent)
    : QAbstractTableModel(parent), m_digitGrouping(std::move(digitGrouping)), m_nRowHeight(rowHeight)
{
}

void CCalcRecordItemModel::Apply(const CCalcRecordChange& change)
{
    const int count = m_snapshot.Count();
    switch (change.m_kind) {
    case CCalcRecordChange::Added:
        if (change.m_lines.empty())
            return;
        beginInsertRows({}, count, count + static_cast<int>(change.m_lines.size()) - 1);
        m_snapshot.Apply(change);
        endInsertRows();
        break;
    case CCalcRecordChange::RemovedLast:
        if (count == 0)
            return;
        beginRemoveRows({}, count - 1, count - 1);
        m_snapshot.Apply(change);
        endRemoveRows();
        break;
    case CCalcRecordChange::Cleared:
    case CCalcRecordChange::Reset:
        beginResetModel();
        m_snapshot.Apply(change);
        endResetModel();
        break;
    }
}

int CCalcRecordItemModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_snapshot.Count();
}

int CCalcRecordItemModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant CCalcRecordItemModel::data(const QModelIndex& index, int role) const
{
    const CalcRecordEntry* line = m_snapshot.Line(index.row());
    if (!line)
        return {};
    if (role == Qt::SizeHintRole)
        return QSize(-1, m_nRowHeight);
    if (role != Qt::DisplayRole)
        return {};
    const int grouping = m_digitGrouping ? m_digitGrouping() : 2;
    switch (index.column()) {
    case 0: return QString::fromStdString(RecordDepthText(*line));
    case 1: return QString::fromStdString(RecordEntryText(*line, grouping).m_text);
    case 2: return QString::fromStdString(RecordResultText(*line, grouping));
    default: return {};
    }
}

QVariant CCalcRecordItemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole) {
        switch (section) {
        case 0: return QStringLiteral("(");
        case 1: return QStringLiteral("Entry");
        case 2: return QStringLiteral("Intermediate Result");
        default: return {};
        }
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(section == 0 ? (Qt::AlignLeft | Qt::AlignVCenter)
                                                : (Qt::AlignRight | Qt::AlignVCenter));
    return {};
}
