#pragma once
// The docking panes' part of the window state: one 60-byte record per pane,
// named by the pane's id. At restore every pane is first taken out and hidden;
// then floating and hidden panes are placed at once, and docked ones in the
// order of their places, so that windows of one place come back in one box.
// Pinned panes are pinned once per label, hidden boxes hidden again.

#include <map>
#include <memory>

#include <QPointer>

#include "docking/core/DockRequest.h"
#include "docking/core/WindowStateRecords.h"
#include "docking/state/WindowState.h"

class CTabbedAutoHideDockingWindow;

namespace dockwins {
class CDockingFrameImpl;
}

namespace sstate {

class CDockingWindowStateAdapter {
public:
    explicit CDockingWindowStateAdapter(CTabbedAutoHideDockingWindow* window);

    CTabbedAutoHideDockingWindow* Window() const { return m_window; }
    // The pane's record as it stands; `holder` receives the window that it
    // is docked to or remembers (null when none). False when the frame cannot say.
    bool GetPlacement(DockingRecord& record, QWidget** holder) const;
    // Applies a record: scaled when `main` is given, clamped to the frame's
    // client, rectangles on a screen. `join`: the window it is to join (a box
    // or a docking window), else the frame when the record names a place.
    bool SetPlacement(const IMainState* main, DockingRecord record, QWidget* join);
    // Before a restore: remembers where the pane is, then hides it.
    bool SaveAndHide();
    // Back where SaveAndHide found it, else shown where it is.
    bool RestoreDefault();

private:
    QPointer<CTabbedAutoHideDockingWindow> m_window;
    std::optional<DockingRecord> m_cached;
    QPointer<QWidget> m_cachedHolder;
};

class CDockWndMgrEx : public IState {
public:
    explicit CDockWndMgrEx(dockwins::CDockingFrameImpl* frame) : m_frame(frame) {}

    int Add(std::shared_ptr<CDockingWindowStateAdapter> adapter);

    bool Store(IMainState& main, CStateKey& key) override;
    bool Restore(IMainState& main, const CStateKey& key) override;
    bool RestoreDefault() override;

private:
    void FinishGroup(CTabbedAutoHideDockingWindow* placed, CTabbedAutoHideDockingWindow* active, bool lastVisible,
                     const std::vector<CTabbedAutoHideDockingWindow*>& members);
    void PinLabel(const PinGroup& group);

    QPointer<dockwins::CDockingFrameImpl> m_frame;
    int m_nextId = -1;
    std::map<int, std::shared_ptr<CDockingWindowStateAdapter>> m_children;
};

}  // namespace sstate
