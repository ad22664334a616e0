#pragma once
// The docking windows of the pane table's panes in the main frame. Each pane's
// list gets a docking window with the pane's caption, docked on the frame's
// left; at creation all share one tabbed box in the first pane's place, the
// first in front. The docking windows' part of the window layout file is
// theirs, in table order; so are the panes' View commands and their
// arrangement in the window settings: applied at start after the layout was
// restored, recorded when the window closes.

#include <array>
#include <memory>

#include "docking/DockingFrame.h"
#include "panes/PaneTable.h"

class CPaneHost;
class CTabbedAutoHideDockingWindow;
class WindowSettings;
namespace sstate {
class CDockWndMgrEx;
}

class CPaneDocks {
public:
    CPaneDocks(CDockingFrame& frame, const CPaneHost& panes);
    CPaneDocks(const CPaneDocks&) = delete;
    CPaneDocks& operator=(const CPaneDocks&) = delete;

    CTabbedAutoHideDockingWindow* Window(PaneId pane) const { return m_windows[PaneIndex(pane)]; }

    // The docking windows' state for the window layout file (pane ids -1,
    // -2, ... in table order).
    std::shared_ptr<sstate::CDockWndMgrEx> MakeLayoutState() const;

    // A pane's View command: its docking window comes in front of the user
    // whatever its state, with the focus on its list. False when id is no
    // pane's View command.
    bool ExecuteShowCommand(unsigned id);

    // Panes that shared one box come back in one box, from the settings.
    void PlaceFromSettings(WindowSettings& settings);
    // Records which panes are hidden and whether, and how, they share a box.
    void StoreToSettings(WindowSettings& settings);

private:
    CDockingFrame& m_frame;
    std::array<CTabbedAutoHideDockingWindow*, kPaneCount> m_windows{};  // in table order
};
