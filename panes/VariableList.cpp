#include "panes/VariableList.h"

#include "panes/PaneRules.h"

#include <algorithm>
#include <set>

#include <boost/algorithm/string/trim.hpp>

std::string StoredVariableName(const std::string& dialogName, VariableNameForm form)
{
    std::string name = boost::algorithm::trim_copy(dialogName);
    if (form == VariableNameForm::Add) {
        for (char& c : name)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
    }
    return name;
}

void CVariableList::Load(const Map& variables, const Sequence& sequence)
{
    m_variables = variables;
    m_sequence.clear();
    std::set<std::string> placed;
    for (const std::string& name : sequence)
        if (m_variables.count(name) && placed.insert(name).second)
            m_sequence.push_back(name);
    for (const auto& [name, value] : m_variables)   // std::map: byte order
        if (!placed.count(name))
            m_sequence.push_back(name);
}

void CVariableList::StoreTo(Map& variables, Sequence& sequence) const
{
    variables = m_variables;
    sequence = m_sequence;
}

std::string CVariableList::NameAt(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return m_sequence[static_cast<std::size_t>(index)];
}

std::string CVariableList::ValueAt(int index) const
{
    const auto it = m_variables.find(NameAt(index));
    return it == m_variables.end() ? std::string() : it->second;
}

int CVariableList::IndexOf(const std::string& name) const
{
    const auto it = std::find(m_sequence.begin(), m_sequence.end(), name);
    return it == m_sequence.end() ? -1 : static_cast<int>(it - m_sequence.begin());
}

std::string CVariableList::DefaultName() const
{
    for (int n = 0; n < 1000; ++n) {
        std::string name = "X" + std::to_string(n);
        if (!Contains(name))
            return name;
    }
    return {};
}

int CVariableList::Add(const std::string& name, const std::string& value)
{
    const bool isNew = !Contains(name);
    m_variables[name] = value;
    if (isNew) {
        m_sequence.push_back(name);
        std::sort(m_sequence.begin(), m_sequence.end());
    }
    return IndexOf(name);
}

int CVariableList::Modify(const std::string& name, const std::string& value)
{
    const bool isNew = !Contains(name);
    m_variables[name] = value;
    if (isNew)
        m_sequence.push_back(name);
    return IndexOf(name);
}

int CVariableList::RemoveAt(int index)
{
    if (index < 0 || index >= Count())
        return -1;
    m_variables.erase(m_sequence[static_cast<std::size_t>(index)]);
    m_sequence.erase(m_sequence.begin() + index);
    return SelectionAfterRemoval(index, Count());
}

CMenuItems CVariableList::ContextMenu(bool onItem, bool canAcceptEntry) const
{
    CMenuItems items = {
        {kVariablesAddAsNewEntry, "Add as New Entry", true},
        CMenuItemState::Separator(),
        {kVariablesCopyValue, "Copy Value", true},
        {kVariablesModifyValue, "Modify Value", true},
        {kVariablesDelete, "Delete Variable", true},
        CMenuItemState::Separator(),
        {kVariablesAddNew, "Add New Variable", true},
    };
    for (CMenuItemState& item : items) {
        if (item.IsSeparator() || item.m_command == kVariablesAddNew)
            continue;
        if (!onItem)
            item.m_bEnabled = false;
        else if (item.m_command == kVariablesAddAsNewEntry)
            item.m_bEnabled = canAcceptEntry;
    }
    return items;
}
