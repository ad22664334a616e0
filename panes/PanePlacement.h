#pragma once
// Where the history and variables panes go at start, from the window settings:
// the frame applies it with the docking framework after the pane layout was
// restored.

class WindowSettings;

struct CPanePlacement {
    enum class Front { None, History, Variables };

    bool m_bDockTogether = false;   // one tabbed box for both; nothing else applies otherwise
    int m_nHistoryTabIndex = 0;     // the history pane's tab, 0 or 1
    bool m_bHideHistory = false;
    bool m_bHideVariables = false;
    Front m_front = Front::None;    // the tab brought to the front when neither is hidden

    bool operator==(const CPanePlacement&) const = default;
};

// A tab index other than 0 or 1 is set to 0 in the settings first.
CPanePlacement PanePlacementAtStart(WindowSettings& settings);
