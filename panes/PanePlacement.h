#pragma once
// Where the docked panes go at start, from the window settings: the frame
// applies it with the docking framework after the pane layout was restored.
// Only panes that shared one tabbed box are placed; every other arrangement
// is the restored layout's. Qt-free, over the pane table's settings fields.

#include <array>
#include <optional>

#include "panes/PaneTable.h"

struct CPanePlacement {
    bool m_bDockTogether = false;  // one tabbed box for all; nothing else applies otherwise
    // The pane whose place the box takes: the first one that is not hidden, so
    // that the box comes back in a shown pane's place.
    PaneId m_boxPlace = PaneId{};
    std::array<int, kPaneCount> m_tabIndex{};  // each pane's tab in the box, by table order
    std::array<bool, kPaneCount> m_hidden{};
    std::optional<PaneId> m_front;  // the tab brought to the front when no pane is hidden

    bool operator==(const CPanePlacement&) const = default;
};

// A stored tab index outside the box is set to 0 in the settings first; the
// panes whose tab is not stored take the other tabs in table order.
CPanePlacement PanePlacementAtStart(WindowSettings& settings);
