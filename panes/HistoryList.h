#pragma once
// The history pane's items and the rules that change them, without any window:
// newest first, at most m_nMaxItems kept when a result is added (a longer list
// loaded from the settings is kept whole until results push items out).

#include <deque>
#include <string>

#include "panes/PaneMenu.h"
#include "resources/CommandIds.h"

// Command ids of the history pane's context menu.
enum HistoryCommand : int {
    kHistoryAddAsNewEntry = panecmd::kHistoryAddAsNewEntry,
    kHistoryCopy = menucmd::kHistoryCopySelected,
    kHistoryAddToVariables = menucmd::kHistoryAddToVariables,
    kHistoryDeleteItem = menucmd::kHistoryDeleteSelected,
    kHistoryClear = menucmd::kHistoryClear,
    // The frame's "Add Selected as New Entry" (its other history items share
    // the ids above).
    kHistoryMenuAddAsNewEntry = menucmd::kHistoryAddAsNewEntry,
};

inline constexpr const char* kClearHistoryQuestion = "Are you sure you want to clear history";

class CHistoryList {
public:
    explicit CHistoryList(int maxItems = 50) : m_nMaxItems(maxItems) {}

    int MaxItems() const { return m_nMaxItems; }
    void SetMaxItems(int maxItems) { m_nMaxItems = maxItems; }

    const std::deque<std::string>& Items() const { return m_items; }
    int Count() const { return static_cast<int>(m_items.size()); }
    // The stored text of item index, or empty when there is none.
    std::string Text(int index) const;

    void Load(const std::deque<std::string>& items) { m_items = items; }
    // Whether adding drops the oldest item first.
    bool AddDropsOldest() const { return Count() >= m_nMaxItems && !m_items.empty(); }
    void Add(const std::string& text);
    // Puts text in front without dropping anything.
    void PushFront(const std::string& text) { m_items.push_front(text); }
    // Removes item index; returns the item to select afterwards (-1: none).
    int RemoveAt(int index);
    void Clear() { m_items.clear(); }

    // The context menu: onItem is false when the click was not on a line or
    // nothing is selected.
    CMenuItems ContextMenu(bool onItem, bool canAcceptEntry) const;

private:
    std::deque<std::string> m_items;   // index 0 is the newest
    int m_nMaxItems;
};
