#include "panes/HistoryItemModel.h"

#include "panes/PaneText.h"

CHistoryItemModel::CHistoryItemModel(std::function<int()> digitGrouping, QPixmap itemMark, QObject* parent)
    : CPaneItemModel({QStringLiteral("Value")}, std::move(digitGrouping), std::move(itemMark), parent)
{
}

void CHistoryItemModel::Load(const std::deque<std::string>& items)
{
    beginResetModel();
    m_list.Load(items);
    endResetModel();
}

void CHistoryItemModel::Add(const std::string& text)
{
    if (m_list.AddDropsOldest()) {
        const int last = m_list.Count() - 1;
        beginRemoveRows({}, last, last);
        m_list.RemoveAt(last);
        endRemoveRows();
    }
    beginInsertRows({}, 0, 0);
    m_list.PushFront(text);
    endInsertRows();
}

int CHistoryItemModel::RemoveAt(int row)
{
    return RemoveRowWith(row, [this](int at) { return m_list.RemoveAt(at); });
}

void CHistoryItemModel::Clear()
{
    beginResetModel();
    m_list.Clear();
    endResetModel();
}

std::string CHistoryItemModel::ShownText(int row, int, int digitGrouping) const
{
    return PaneDisplayText(m_list.Text(row), digitGrouping);
}
