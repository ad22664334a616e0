#include "docking/CaptionMoveTracker.h"

#include "docking/DockEvents.h"
#include "docking/DockRequests.h"
#include "docking/DockingWindow.h"
#include "docking/DragSession.h"
#include "docking/DropTarget.h"
#include "docking/GhostOutline.h"
#include "docking/core/CaptionDrag.h"

namespace dockwins {

CCaptionMoveTracker::CCaptionMoveTracker(CTabbedAutoHideDockingWindow& window, const QPoint& pressAt)
    : m_window(&window), m_frame(window.Frame()), m_start(pressAt), m_last(pressAt)
{
}

CCaptionMoveTracker::~CCaptionMoveTracker()
{
    // A box's drop preview never outlives the drag.
    EndDropPreview(m_target);
}

QPoint CCaptionMoveTracker::ToScreen(int x, int y) const { return m_origin + QPoint(x, y); }

void CCaptionMoveTracker::BeginDrag()
{
    if (!m_window)
        return;
    m_origin = m_window->mapToGlobal(QPoint(0, 0));
    const RECT window = ToRect(QRect(m_origin, m_window->size()));
    if (m_window->FloatingRect().IsEmpty() && m_frame)
        m_window->SetFloatingRect(RequestClampRectSize(m_frame, m_window, window));
    const RECT floating = m_window->FloatingRect();
    m_floatWidth = floating.Width();
    m_floatHeight = floating.Height();
    m_offset = CaptionGrabOffset(window, ToPoint(m_start),
                                 m_floatWidth, m_floatHeight);
    m_ghost = std::make_unique<CGhostOutline>(m_frame);
    Track(m_start);
}

void CCaptionMoveTracker::Track(const QPoint& pointer)
{
    m_last = pointer;
    if (!m_window)
        return;
    m_floatRect = CaptionDragOutline(ToPoint(pointer), m_offset, m_floatWidth, m_floatHeight);
    if (m_frame)
        m_floatRect = RequestClampRectSize(m_frame, m_window, m_floatRect);
    const QPointer<QWidget> previous = m_target;
    m_target = nullptr;
    m_outline = m_floatRect;
    if (!m_ctrl) {
        DockRequest request;
        request.outline = m_floatRect;
        if (QWidget* target = FindDropTarget(m_frame, m_window, pointer, request)) {
            m_target = target;
            m_request = request;
            m_outline = request.outline;
        }
    }
    // The pointer left a box (or Ctrl went down): its preview tab goes.
    if (previous && previous != m_target)
        EndDropPreview(previous);
    // A box's preview tab is the feedback: no outline.
    if (m_ghost) {
        if (m_outline.IsEmpty())
            m_ghost->hide();
        else
            m_ghost->ShowAt(ToQRect(m_outline));
    }
}

void CCaptionMoveTracker::OnMove(int x, int y) { Track(ToScreen(x, y)); }

void CCaptionMoveTracker::OnControlKey(bool down)
{
    if (down == m_ctrl)
        return;
    m_ctrl = down;
    Track(m_last);
}

void CCaptionMoveTracker::OnCancelDrag(int, int) { EndDropPreview(m_target); }

void CCaptionMoveTracker::OnDrop(int x, int y)
{
    if (m_dropped || !m_window)
        return;
    m_dropped = true;
    const QPoint pointer = ToScreen(x, y);
    Track(pointer);
    if (m_ghost)
        m_ghost->hide();
    // The preview tab goes before the real one comes.
    EndDropPreview(m_target);
    // Back where it started with nowhere to go: nothing happens.
    if (!m_target && pointer == m_start)
        return;
    m_window->DropAfterDrag(m_target, m_request, m_floatRect);
}

void CCaptionMoveTracker::EndDrag(bool)
{
    m_ghost.reset();
    EndDropPreview(m_target);
}

void StartCaptionDrag(CTabbedAutoHideDockingWindow& window, const QPoint& pressAt, const QPoint& now)
{
    auto tracker = std::make_unique<CCaptionMoveTracker>(window, pressAt);
    CCaptionMoveTracker* raw = tracker.get();
    if (!CDragSession::Start(&window, std::move(tracker)))
        return;
    const QPoint local = window.mapFromGlobal(now);
    raw->OnMove(local.x(), local.y());
}

}  // namespace dockwins
