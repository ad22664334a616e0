#include "panes/VariablesItemModel.h"

#include "panes/PaneText.h"

CVariablesItemModel::CVariablesItemModel(std::function<int()> digitGrouping, QPixmap itemMark, QObject* parent)
    : CPaneItemModel({QStringLiteral("Name"), QStringLiteral("Value")}, std::move(digitGrouping),
                     std::move(itemMark), parent)
{
}

void CVariablesItemModel::Load(const CVariableList::Map& variables, const CVariableList::Sequence& sequence)
{
    beginResetModel();
    m_list.Load(variables, sequence);
    endResetModel();
}

int CVariablesItemModel::Add(const std::string& name, const std::string& value)
{
    if (m_list.Contains(name)) {
        const int row = m_list.Add(name, value);
        emit dataChanged(index(row, 0), index(row, 1));
        return row;
    }
    // A new name sorts the whole order (names appended by Modify move too).
    beginResetModel();
    const int row = m_list.Add(name, value);
    endResetModel();
    return row;
}

int CVariablesItemModel::Modify(const std::string& name, const std::string& value)
{
    if (m_list.Contains(name)) {
        const int row = m_list.Modify(name, value);
        emit dataChanged(index(row, 0), index(row, 1));
        return row;
    }
    const int row = m_list.Count();
    beginInsertRows({}, row, row);
    m_list.Modify(name, value);
    endInsertRows();
    return row;
}

int CVariablesItemModel::RemoveAt(int row)
{
    return RemoveRowWith(row, [this](int at) { return m_list.RemoveAt(at); });
}

std::string CVariablesItemModel::ShownText(int row, int column, int digitGrouping) const
{
    if (column == 0)
        return m_list.NameAt(row);
    return PaneDisplayText(m_list.ValueAt(row), digitGrouping);
}
