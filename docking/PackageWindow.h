#pragma once
// A docked bar: a child window of the docking frame that lays docking windows
// out across it (side by side in a bar above or below the client, stacked in
// a bar left or right of it), with its own splitter bars. It answers dock
// requests 1 to 5, 8 and 13; emptied, it leaves the frame and deletes itself.

#include <memory>

#include <QPointer>
#include <QWidget>

#include "docking/core/DockRequestHandler.h"
#include "docking/core/WndFramesPackage.h"
#include "docking/core/SplitterMoveTracker.h"

namespace dockwins {

class CGhostBar;

class CPackageWindow final : public QWidget, private IDockRequestHandler, private ISplitterDragView {
    Q_OBJECT
public:
    // frame: the docking frame (the target of the bar's own undock);
    // horizontal: its windows stand side by side.
    CPackageWindow(QWidget* parent, QWidget* frame, bool horizontal);
    ~CPackageWindow() override;

    const CWndFramesPackage& Package() const { return m_package; }
    bool IsHorizontal() const { return m_package.IsHorizontal(); }
    // Places the bar and lays its windows out at once.
    bool Place(const RECT& rect);
    // The splitter bar under the point (own coordinates), -1 when none.
    int SplitterAt(const QPoint& p) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // IDockRequestHandler: a bar answers codes 1 to 5, 8 and 13.
    bool OnAdjustDragRect(DockRequest& request) override;
    bool OnAcceptDock(DockRequest& request) override;
    bool OnUndock(WindowHandle window) override;
    bool OnGetDockingPosition(DockRequest& request) override;
    bool OnSetDockingPosition(DockRequest& request) override;
    bool OnJoinBox(WindowHandle window, WindowHandle joining) override;
    int OnGetMinFrameDistance(WindowHandle window) override;

    bool GiveBack(QWidget* window);
    void Attach(QWidget* window);
    void Detach(QWidget* window);
    std::unique_ptr<IFrame> FrameFor(QWidget* window);
    RECT ToClient(const RECT& screen) const;
    RECT ToScreen(const RECT& client) const;

    void ShowGhost(const RECT& bar) override;
    void HideGhost() override;
    void Redraw() override { update(); }

    QPointer<QWidget> m_frame;
    CWndFramesPackage m_package;
    CGhostBar* m_ghost = nullptr;
    bool m_leaving = false;
};

// The frame packages' frame for a bar.
class CPackageWindowFrame final : public IFrame {
public:
    explicit CPackageWindowFrame(CPackageWindow& window) : m_window(&window) {}
    WindowHandle GetHwnd() const override { return m_window.data(); }
    bool AcceptDock(DockRequest& request) override;
    int GetMinFrameDist() const override;
    void GetMinMaxInfo(MINMAXINFO& info) const override;
    bool DeferFramePos(const RECT& rect) override;

private:
    QPointer<CPackageWindow> m_window;
};

}  // namespace dockwins
