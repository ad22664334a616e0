#pragma once
// One item of a pane's context menu, as the pane decided it should look.

#include <string>
#include <vector>

struct CMenuItemState {
    int m_command = 0;           // 0: a separator
    std::string m_text;
    bool m_bEnabled = true;

    static CMenuItemState Separator() { return {}; }
    bool IsSeparator() const { return m_command == 0; }
    bool operator==(const CMenuItemState&) const = default;
};

using CMenuItems = std::vector<CMenuItemState>;

// Finds the item of a command; null when the menu has none.
inline const CMenuItemState* FindMenuItem(const CMenuItems& items, int command)
{
    for (const CMenuItemState& item : items)
        if (item.m_command == command)
            return &item;
    return nullptr;
}
