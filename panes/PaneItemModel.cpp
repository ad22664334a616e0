#include "panes/PaneItemModel.h"

CPaneItemModel::CPaneItemModel(QStringList headers, std::function<int()> digitGrouping, QPixmap itemMark,
                               QObject* parent)
    : QAbstractTableModel(parent),
      m_headers(std::move(headers)),
      m_digitGrouping(std::move(digitGrouping)),
      m_itemMark(std::move(itemMark))
{
}

void CPaneItemModel::RefreshTexts()
{
    if (ItemCount() > 0)
        emit dataChanged(index(0, 0), index(ItemCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

int CPaneItemModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ItemCount();
}

int CPaneItemModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant CPaneItemModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= ItemCount())
        return {};
    if (role == Qt::DecorationRole)
        return index.column() == 0 ? QVariant(m_itemMark) : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    const int grouping = m_digitGrouping ? m_digitGrouping() : 2;
    return QString::fromStdString(ShownText(index.row(), index.column(), grouping));
}

QVariant CPaneItemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_headers.size())
        return {};
    return m_headers.at(section);
}

Qt::ItemFlags CPaneItemModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}
