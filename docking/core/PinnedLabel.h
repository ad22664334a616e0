#pragma once
// One label on an auto-hide strip: the windows of one pinned pane or box, the
// active entry (shown when hovered), the reference entry (whose text sets the
// desired width), the label's width and its inactive entries' width. A label
// of one window behaves as a single label, of more as a multi label.
// `TWindow` is the handle the widgets keep for a window (comparable).

#include "docking/core/PinnedLabelLayout.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace dockwins {

template <class TWindow>
class CPinnedLabel {
public:
    struct Entry {
        TWindow window{};
        int width = 0;  // across the edge when slid out
        std::u16string text;
        bool hasIcon = false;
    };

    // The position words a pinned window reports about itself.
    struct Position {
        bool found = false;
        int width = 0;
        int tabIndex = 0;
        bool active = false;  // bit 4 of the side flags
    };

    enum class RemoveResult {
        NotFound,
        Empty,    // the label goes
        Reduced,  // the label stays with the other windows
    };

    // Pins windows with the request's width. The active entry is the active
    // window's, or entry 0 when it is not among them; the reference entry has
    // the longest text (the first of equals). A window listed twice is kept
    // once.
    CPinnedLabel(std::vector<Entry> entries, const TWindow& active, int width) {
        for (auto& entry : entries) {
            if (IndexOf(entry.window) >= 0)
                continue;
            entry.width = width;
            m_entries.push_back(std::move(entry));
        }
        m_active = std::max(0, IndexOf(active));
        for (int i = 1; i < Count(); ++i) {
            if (At(i).text.size() > At(m_reference).text.size())
                m_reference = i;
        }
    }

    int Count() const { return static_cast<int>(m_entries.size()); }
    bool IsMulti() const { return Count() > 1; }
    Entry& At(int index) { return m_entries[static_cast<std::size_t>(index)]; }
    const Entry& At(int index) const { return m_entries[static_cast<std::size_t>(index)]; }
    int Active() const { return m_active; }
    int Reference() const { return m_reference; }
    int Width() const { return m_width; }
    int InactiveWidth() const { return m_inactiveWidth; }

    int IndexOf(const TWindow& window) const {
        for (int i = 0; i < Count(); ++i) {
            if (At(i).window == window)
                return i;
        }
        return -1;
    }
    bool IsOwner(const TWindow& window) const { return IndexOf(window) >= 0; }

    // The length the label wants; `measure` gives a text's extent in the
    // strip's font. Resets the inactive width of a multi label.
    int DesiredWidth(const std::function<int(const std::u16string&)>& measure, int smallIcon) {
        if (Count() == 0)
            return 0;
        if (!IsMulti())
            return SingleLabelDesiredWidth(measure(At(0).text), At(0).hasIcon, smallIcon);
        m_inactiveWidth = MultiLabelInactiveWidth(smallIcon);
        return MultiLabelDesiredWidth(measure(At(m_reference).text), Count(), smallIcon);
    }

    void SetWidth(int width) {
        m_width = std::max(0, width);
        if (IsMulti())
            m_inactiveWidth = MultiLabelInactiveWidthFor(m_width, Count(), m_inactiveWidth);
    }

    // The entry at `offset` along the label; with `activate` it becomes the
    // active entry.
    int EntryFromPoint(int offset, bool activate) {
        if (Count() == 0)
            return -1;
        const int entry = IsMulti() ? MultiLabelEntryFromPoint(offset, Count(), m_inactiveWidth, m_active, m_width) : 0;
        if (activate)
            m_active = entry;
        return entry;
    }

    // Takes a window off the label (the caller releases it). With two entries
    // the other one stays as a single label; with more the reference entry
    // becomes the last one with a text, and the active index follows its entry
    // (the next one when the active entry left), kept below the count.
    RemoveResult Remove(const TWindow& window) {
        const int index = IndexOf(window);
        if (index < 0)
            return RemoveResult::NotFound;
        m_entries.erase(m_entries.begin() + index);
        if (Count() == 0)
            return RemoveResult::Empty;
        if (index < m_active)
            --m_active;
        m_active = std::min(m_active, Count() - 1);
        m_reference = 0;
        for (int i = Count() - 1; i >= 0; --i) {
            if (!At(i).text.empty()) {
                m_reference = i;
                break;
            }
        }
        return RemoveResult::Reduced;
    }

    // The docking position of a window of this label (bar index and side are
    // the side's business).
    Position PositionOf(const TWindow& window) const {
        const int index = IndexOf(window);
        if (index < 0)
            return {};
        return {true, At(index).width, IsMulti() ? index : 0, IsMulti() && index == m_active};
    }

    // Unpinning order: entry 0 docks first (a new bar on the side), the others
    // join it as tabs at their index, then the active entry's window is
    // selected.
    std::vector<TWindow> UnpinOrder() const {
        std::vector<TWindow> windows;
        for (const auto& entry : m_entries)
            windows.push_back(entry.window);
        return windows;
    }

private:
    std::vector<Entry> m_entries;
    int m_active = 0;
    int m_reference = 0;
    int m_width = 0;
    int m_inactiveWidth = 0;
};

}  // namespace dockwins
