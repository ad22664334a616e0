#pragma once
// The tab strip's items with their selected and hot index, and the rules by
// which inserting, deleting, moving and swapping items shift those indexes and
// notify the owner. `TItem` is whatever the strip keeps per tab.
//
// Owner callbacks may read the list but must not change it.

#include <utility>
#include <vector>

namespace dockwins {

// The strip's notifications whose order or answer matters.
class ITabOwner {
public:
    virtual ~ITabOwner() = default;
    // Before a selection change; true refuses it.
    virtual bool OnSelChanging(int oldIndex, int newIndex) = 0;
    virtual void OnSelChange(int oldIndex, int newIndex) = 0;
    virtual void OnItemInserted(int index) = 0;
    // Before an item is deleted; true keeps it.
    virtual bool OnDeletingItem(int index) = 0;
    virtual void OnItemMoved(int from, int to) = 0;
    virtual void OnItemsSwapped(int first, int second) = 0;
};

template <class TItem>
class CTabItemList {
public:
    explicit CTabItemList(ITabOwner& owner) : m_owner(owner) {}

    int Count() const { return static_cast<int>(m_items.size()); }
    bool IsValid(int index) const { return index >= 0 && index < Count(); }
    TItem& Item(int index) { return m_items[static_cast<std::size_t>(index)]; }
    const TItem& Item(int index) const { return m_items[static_cast<std::size_t>(index)]; }
    int Selected() const { return m_selected; }
    int Hot() const { return m_hot; }
    void SetHot(int index) { m_hot = IsValid(index) ? index : -1; }

    // Inserts at `index` (below 0 or past the end: at the end). An insert at
    // or before the selected or hot item shifts that index. The first item,
    // or any with `select`, is then selected with notification. Returns the
    // index.
    int InsertItem(int index, TItem item, bool select) {
        if (index < 0 || index > Count())
            index = Count();
        m_items.insert(m_items.begin() + index, std::move(item));
        if (m_selected >= index)
            ++m_selected;
        if (m_hot >= index)
            ++m_hot;
        m_owner.OnItemInserted(index);
        if (Count() == 1 || select)
            SetCurSel(index, true);
        return index;
    }

    // Selects `index` (negative: none); an index at or past the end keeps the
    // current selection. With `notify` the owner may refuse (result -1).
    // Returns the previous selection.
    int SetCurSel(int index, bool notify) {
        const int previous = m_selected;
        if (index >= Count())
            return previous;
        if (index < 0)
            index = -1;
        if (notify && m_owner.OnSelChanging(previous, index))
            return -1;
        m_selected = index;
        if (notify)
            m_owner.OnSelChange(previous, index);
        return previous;
    }

    // Deletes an item; with `notify` the owner is asked first and may keep it.
    // An item before the selection shifts it down. When the selected item goes:
    // with `selectNeighbour` the item that takes its index (its left neighbour
    // when it was the last) is selected, with notification when `notify` (the
    // old index is then reported as -1, its item being gone; a refusal leaves
    // no selection); without it nothing stays selected.
    bool DeleteItem(int index, bool selectNeighbour, bool notify) {
        if (!IsValid(index))
            return false;
        if (notify && m_owner.OnDeletingItem(index))
            return false;
        if (!IsValid(index))
            return false;  // the owner changed the list after all
        m_items.erase(m_items.begin() + index);
        if (m_hot == index)
            m_hot = -1;
        else if (m_hot > index)
            --m_hot;

        if (m_selected > index) {
            --m_selected;
        } else if (m_selected == index) {
            m_selected = -1;
            if (selectNeighbour && Count() > 0)
                SetCurSel(index < Count() ? index : Count() - 1, notify);
        }
        return true;
    }

    // Deletes every item the owner lets go (each announced); kept items stay,
    // in order. The selection and hot item are cleared.
    void DeleteAllItems() {
        m_selected = -1;
        m_hot = -1;
        int index = 0;
        while (index < Count()) {
            if (m_owner.OnDeletingItem(index))
                ++index;
            else if (index < Count())
                m_items.erase(m_items.begin() + index);
        }
    }

    // Moves an item to `to` (clamped to the list); the selection and the hot
    // index follow their items.
    bool MoveItem(int from, int to, bool notify) {
        if (!IsValid(from) || Count() == 0)
            return false;
        to = to < 0 ? 0 : (to >= Count() ? Count() - 1 : to);
        TItem item = std::move(m_items[static_cast<std::size_t>(from)]);
        m_items.erase(m_items.begin() + from);
        m_items.insert(m_items.begin() + to, std::move(item));
        m_selected = MovedIndex(m_selected, from, to);
        m_hot = MovedIndex(m_hot, from, to);
        if (notify)
            m_owner.OnItemMoved(from, to);
        return true;
    }

    // Exchanges two items; the selection and hot index follow their items.
    bool SwapItems(int first, int second, bool notify) {
        if (!IsValid(first) || !IsValid(second))
            return false;
        std::swap(m_items[static_cast<std::size_t>(first)], m_items[static_cast<std::size_t>(second)]);
        m_selected = SwappedIndex(m_selected, first, second);
        m_hot = SwappedIndex(m_hot, first, second);
        if (notify)
            m_owner.OnItemsSwapped(first, second);
        return true;
    }

    // Left and Right keys: the neighbour, with notification; nothing at the
    // ends or without a selection.
    void SelectPrevious() {
        if (m_selected >= 1)
            SetCurSel(m_selected - 1, true);
    }
    void SelectNext() {
        if (m_selected >= 0 && m_selected + 1 < Count())
            SetCurSel(m_selected + 1, true);
    }

private:
    static int MovedIndex(int index, int from, int to) {
        if (index < 0)
            return index;
        if (index == from)
            return to;
        if (from < index && index <= to)
            return index - 1;
        if (to <= index && index < from)
            return index + 1;
        return index;
    }
    static int SwappedIndex(int index, int first, int second) {
        if (index == first)
            return second;
        if (index == second)
            return first;
        return index;
    }

    ITabOwner& m_owner;
    std::vector<TItem> m_items;
    int m_selected = -1;
    int m_hot = -1;
};

}  // namespace dockwins
