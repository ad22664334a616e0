#pragma once
// Dragging a docking window by its caption: the outline follows the pointer
// at the floating size keeping the grab point's place; the frame clamps it
// (code 7); unless Ctrl is held the window under the pointer is asked for a
// place (code 1). The drop hands the window over (code 2) or floats it.

#include <memory>

#include <QPoint>
#include <QPointer>

#include "docking/core/DockRequest.h"
#include "docking/core/DragTracker.h"
#include "docking/core/Rect.h"

class CTabbedAutoHideDockingWindow;
class QWidget;

namespace dockwins {

class CGhostOutline;

class CCaptionMoveTracker final : public IDDTracker {
public:
    // pressAt: the grab point (screen); the drag is driven in the window's coordinates.
    CCaptionMoveTracker(CTabbedAutoHideDockingWindow& window, const QPoint& pressAt);
    ~CCaptionMoveTracker() override;

    void BeginDrag() override;
    void EndDrag(bool cancelled) override;
    void OnMove(int x, int y) override;
    void OnCancelDrag(int x, int y) override;
    void OnDrop(int x, int y) override;
    void OnControlKey(bool down) override;

    // What the last move found (for tests and the benchmark).
    QWidget* Target() const { return m_target; }
    const RECT& Outline() const { return m_outline; }

private:
    void Track(const QPoint& pointer);
    QPoint ToScreen(int x, int y) const;

    QPointer<CTabbedAutoHideDockingWindow> m_window;
    QPointer<QWidget> m_frame;
    QPoint m_start;
    QPoint m_last;
    QPoint m_origin;  // the window's screen position when the drag began
    POINT m_offset;
    int m_floatWidth = 0;
    int m_floatHeight = 0;
    bool m_ctrl = false;
    bool m_dropped = false;
    QPointer<QWidget> m_target;
    DockRequest m_request;
    RECT m_outline;
    RECT m_floatRect;
    std::unique_ptr<CGhostOutline> m_ghost;
};

// Starts a caption drag of the window pressed at pressAt, the pointer now at `now`.
void StartCaptionDrag(CTabbedAutoHideDockingWindow& window, const QPoint& pressAt, const QPoint& now);

}  // namespace dockwins
