#include "panes/HistoryList.h"

#include "panes/PaneRules.h"

std::string CHistoryList::Text(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return m_items[static_cast<std::size_t>(index)];
}

void CHistoryList::Add(const std::string& text)
{
    if (AddDropsOldest())
        m_items.pop_back();
    PushFront(text);
}

int CHistoryList::RemoveAt(int index)
{
    if (index < 0 || index >= Count())
        return -1;
    m_items.erase(m_items.begin() + index);
    return SelectionAfterRemoval(index, Count());
}

CMenuItems CHistoryList::ContextMenu(bool onItem, bool canAcceptEntry) const
{
    CMenuItems items = {
        {kHistoryAddAsNewEntry, "Add as New Entry", true},
        CMenuItemState::Separator(),
        {kHistoryCopy, "Copy", true},
        {kHistoryAddToVariables, "Add to Variable List", true},
        {kHistoryDeleteItem, "Delete Item", true},
        CMenuItemState::Separator(),
        {kHistoryClear, "Clear History", true},
    };
    if (!onItem) {
        for (CMenuItemState& item : items) {
            if (item.m_command == kHistoryAddToVariables)
                item.m_text = "Add as Variable";
            if (item.m_command != kHistoryClear)
                item.m_bEnabled = item.IsSeparator();
        }
        if (m_items.empty())
            items.back().m_bEnabled = false;
    } else if (!canAcceptEntry) {
        items.front().m_bEnabled = false;
    }
    return items;
}
