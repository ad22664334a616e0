#pragma once
// A docking box: several docking windows in one place, one shown at a time,
// with a tab strip along its bottom edge. It is made when a window is dropped
// on another window's caption (or placed at a position naming another
// window), takes that window's place in its bar or on the screen, and
// dissolves when one window is left. It is itself a docking window: its
// caption docks, floats and hides it like one; dropped on another box, its
// windows move into that box.
//
// Its own closes run later, with the box as context (a close for a box that
// is gone does nothing), and the box is deleted only after its last window
// has left it: a window still inside would go with it.

#include <functional>
#include <memory>

#include <QPointer>

#include "docking/DockingWindow.h"
#include "docking/FlyingTabCtrl.h"

namespace dockwins {

class CTabDropPreview;

class CTabDockingBox final : public CTabbedAutoHideDockingWindow, private ITabCtrlOwner {
    Q_OBJECT
public:
    ~CTabDockingBox() override;

    // The one way a box is made: a new box, held by w's owner, in the place
    // of w: in w's bar (code 8 to it) or at w's floating rectangle. Null when
    // the bar refuses (the empty box goes).
    static CTabDockingBox* CreateBoxFor(CTabbedAutoHideDockingWindow& w);

    bool IsBox() const override { return true; }

    // Takes w in as a tab at `index` (outside 0 .. count: at the end) and selects it.
    bool AddWindow(int index, CTabbedAutoHideDockingWindow* w);
    // Lets w go: its tab is deleted and the neighbour becomes the active,
    // shown window; w leaves hidden, as a tool window of the frame.
    bool RemoveWindow(CTabbedAutoHideDockingWindow* w);
    // The box's drop: on a box or docking window its windows move there
    // (last tab first) and the one active here is selected there; anywhere
    // else the box docks as a window does. Never onto itself.
    bool DockBox(DockRequest& request);
    // Pins all windows of a docked box to its side of the frame as one label
    // (shown slid out when asked); the emptied box goes. Refused when not docked.
    bool PinBox(bool show);
    bool Pin(bool show) override { return PinBox(show); }
    // dissolve: the close the box gives itself after a removal; otherwise
    // the user's close (the active window hides; a one-window box dissolves).
    void CloseBox(bool dissolve);
    // Brings the box back where it was (the box's Activate).
    bool Show() { return Activate(); }

    bool SendRequest2(DockRequest& request) override { return DockBox(request); }
    // The caption's close: the user's close, run later.
    void CloseByButton() override;

    CFlyingTabCtrl& TabCtrl() const { return *m_tabs; }
    int WindowCount() const;
    // The window of tab `index`; null for a preview tab or a bad index.
    CTabbedAutoHideDockingWindow* WindowAt(int index) const;
    CTabbedAutoHideDockingWindow* ActiveWindow() const { return m_active; }
    int TabIndexOf(const QWidget* window) const;
    // A drop preview is shown (a tab for a dragged window).
    bool HasPreview() const;
    // The drag moved on, was dropped or cancelled: a preview tab goes and the
    // tab selected before comes back.
    void EndDropPreview() override;
    // Its last window left: it goes with the next turn of the event loop.
    bool IsClosing() const { return m_closing; }

protected:
    // IDockRequestHandler: a box answers codes 1 (its drop preview), 2 and 5
    // (a tab at the previewed or stored index), 3, 4 (its own position with
    // the window's tab index), 10 and 14; code 9 as a docking window.
    bool OnAdjustDragRect(DockRequest& request) override { return Preview(request); }
    bool OnAcceptDock(DockRequest& request) override;
    bool OnSetDockingPosition(DockRequest& request) override;
    bool OnUndock(WindowHandle window) override;
    bool OnGetDockingPosition(DockRequest& request) override;
    bool OnActivateTab(WindowHandle window) override;
    bool OnPinWindow(bool show) override { return PinBox(show); }
    void LayoutClient() override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // The box starts hidden.
    explicit CTabDockingBox(IDockingWindowOwner* owner);

    void OnSelChanged(int oldIndex, int newIndex);
    void OnTabDraggedOut();
    void OnTabDoubleClicked();
    // Runs `action` on the selected tab's window after the current event.
    void LaterForSelected(std::function<void(CTabbedAutoHideDockingWindow&)> action);
    bool Preview(DockRequest& request);
    void PostClose(bool dissolve);
    void Destroy();
    void Dissolve();

    CFlyingTabCtrl* m_tabs = nullptr;
    QPointer<CTabbedAutoHideDockingWindow> m_active;
    bool m_closing = false;
    std::unique_ptr<CTabDropPreview> m_preview;
};

}  // namespace dockwins
