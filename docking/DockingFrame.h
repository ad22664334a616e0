#pragma once
// The top-level window on which the main frame is built: the menu, tool and
// status bars of an ordinary main window, and in its client area two nested
// frames packages holding docked bars around the client window: the outer
// package stacks bars above and below, the inner one puts bars left and right.
// Docking windows and bars talk to the frame only through dock requests; as
// the owner of the docking windows it makes their boxes and runs their
// caption drags.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QMainWindow>
#include <QPointer>

#include "docking/DockingClientArea.h"
#include "docking/DockingWindowOwner.h"
#include "docking/FrameSeams.h"
#include "docking/core/DockRequestHandler.h"
#include "docking/core/DockingFrameLayout.h"
#include "docking/core/SplitterMoveTracker.h"

class CTabbedAutoHideDockingWindow;

namespace dockwins {

class CAutoHideManager;
class CGhostBar;
class CPackageWindow;

class CDockingFrameImpl : public QMainWindow,
                          public IDockingWindowOwner,
                          private IDockRequestHandler,
                          private IPackageHost,
                          private IClientAreaOwner,
                          private ISplitterDragView {
public:
    explicit CDockingFrameImpl(QWidget* parent = nullptr);
    ~CDockingFrameImpl() override;

    // Sets up the packages over the client area at the frame's current size;
    // flags become the docking settings' flags (0: drag mode from the system).
    int OnCreate(std::uint32_t flags = 0);
    // Lays the packages out over the client area.
    void UpdateLayout(bool resizeBars = false);

    // The window in the middle of the frame.
    void SetClientWindow(QWidget* client);
    QWidget* ClientWindow() const { return m_client; }

    // Docks a docking window at a stated position (undocking it first when
    // it is docked). False when the package refuses.
    bool DockWindow(CTabbedAutoHideDockingWindow* window, unsigned sideFlags, int barIndex, float fraction,
                    unsigned width, unsigned height);

    // IDockingWindowOwner
    QWidget* FrameWindow() override { return this; }
    QWidget* ClientArea() const override { return m_clientArea; }
    CTabbedAutoHideDockingWindow* CreateBoxFor(CTabbedAutoHideDockingWindow& window) override;
    void StartCaptionDrag(CTabbedAutoHideDockingWindow& window, const QPoint& pressAt, const QPoint& now) override;

    const CDockingFrameLayout& Layout() const { return m_layout; }
    std::vector<CPackageWindow*> Bars() const;
    // The auto-hide sides: pinned windows, their labels and the sliding pane.
    CAutoHideManager& AutoHide() const { return *m_autoHide; }

    // The size the frame itself asks for at least (its own minimum); the
    // frame never goes below that nor below what its packages need.
    void SetMinimumTrackSize(QSize size);
    QSize FrameworkMinimumSize() const;

    // The frame's own floating docking windows and boxes that are shown.
    std::vector<CTabbedAutoHideDockingWindow*> FloatingWindows() const;
    // A floating window that was shown while the frame's window was not
    // (yet) mapped, and is still waiting to be shown again after it: until
    // then the window manager may stack it below the frame.
    bool IsMappedBeforeFrame(const QWidget* window) const;

    std::optional<Qt::CursorShape> SplitterCursor(const QPoint& clientPoint) const override;
    // Starts a splitter drag at a point of the client area; false when the
    // point is on no bar.
    bool StartSliding(const QPoint& clientPoint);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // The frame hands the focus to its client window.
    void focusInEvent(QFocusEvent* event) override;

private:
    // IDockRequestHandler: the frame answers codes 1 to 5, 7, 11 and 12.
    bool OnAdjustDragRect(DockRequest& request) override;
    bool OnAcceptDock(DockRequest& request) override;
    bool OnUndock(WindowHandle window) override;
    bool OnGetDockingPosition(DockRequest& request) override;
    bool OnSetDockingPosition(DockRequest& request) override;
    bool OnClampRectSize(RECT& rect) override;
    bool OnIsPinned(WindowHandle target) override;
    bool OnPinToSide(DockRequest& request) override;

    void Redraw() override;  // also the splitter drags' repaint
    void UpdateMinimumSize();
    void WatchWindow(QObject* child);
    // The frame's window was mapped: the floating windows shown before it
    // are shown again, so that the window manager stacks them above it.
    void RemapFloatingWindows();
    void OnScreensChanged();
    RECT ToClient(const RECT& screen) const;
    RECT ToScreen(const RECT& client) const;

    // IPackageHost
    MINMAXINFO GetWindowMinMaxInfo(WindowHandle window) override;
    std::unique_ptr<IFrame> CreateBar(bool horizontal) override;
    void DestroyBar(WindowHandle bar) override;
    std::intptr_t SendRequest(WindowHandle to, DockRequest& request) override;
    // IClientAreaOwner
    void OnClientAreaResized() override { UpdateLayout(false); }
    void PaintSplitters(QPainter& painter) override;
    bool OnClientAreaPress(const QPoint& p) override { return StartSliding(p); }
    // ISplitterDragView
    void ShowGhost(const RECT& bar) override;
    void HideGhost() override;

    CDockingFrameLayout m_layout;
    std::unique_ptr<CAutoHideManager> m_autoHide;
    std::unique_ptr<IFocusHandler> m_focus;
    CDockingClientArea* m_clientArea = nullptr;
    CGhostBar* m_ghost = nullptr;
    QPointer<QWidget> m_client;
    QSize m_minimumTrackSize;
    bool m_awaitingMap = false;  // shown, the window not yet exposed
    std::vector<QPointer<QWidget>> m_mappedBeforeFrame;
};

}  // namespace dockwins

using CDockingFrame = dockwins::CDockingFrameImpl;
