#include "docking/core/SplitterMoveTracker.h"

#include <algorithm>

namespace dockwins {

CSplitterMoveTracker::CSplitterMoveTracker(CWndFramesPackageBase& package, std::size_t frame, POINT press,
                                           bool ghost, ISplitterDragView& view)
    : m_package(package), m_frame(frame), m_ghost(ghost), m_view(view),
      m_position(static_cast<int>(package.Position(frame))), m_start(m_position),
      m_offset(Along(press, package.IsHorizontal()) - m_position)
{
    package.BarBounds(frame, m_low, m_high);
}

RECT CSplitterMoveTracker::GhostRect() const
{
    RECT bar = m_package.BarRect(m_frame);
    if (m_package.IsHorizontal()) {
        bar.left = m_position;
        bar.right = m_position + kSplitterSize;
    } else {
        bar.top = m_position;
        bar.bottom = m_position + kSplitterSize;
    }
    return bar;
}

void CSplitterMoveTracker::MoveFrames()
{
    m_package.MoveBar(m_frame, m_position);
    m_package.Arrange();
    m_view.Redraw();
}

void CSplitterMoveTracker::BeginDrag()
{
    if (m_ghost) {
        m_view.ShowGhost(GhostRect());
        m_ghostShown = true;
    }
}

void CSplitterMoveTracker::OnMove(int x, int y)
{
    if (m_frame >= m_package.Count())
        return;  // the package lost the frame during the drag
    const double wanted = Along(POINT{x, y}, m_package.IsHorizontal()) - m_offset;
    const int position = static_cast<int>(std::max(m_low, std::min(wanted, m_high)));
    if (position == m_position)
        return;
    m_position = position;
    if (m_ghost)
        m_view.ShowGhost(GhostRect());
    else
        MoveFrames();
}

void CSplitterMoveTracker::EndDrag(bool cancelled)
{
    if (!m_ghost)
        return;
    if (m_ghostShown)
        m_view.HideGhost();
    m_ghostShown = false;
    if (!cancelled && m_position != m_start && m_frame < m_package.Count())
        MoveFrames();
}

CSplitterBarTracker::CSplitterBarTracker(CSplitterLayout& layout, bool vertical, const RECT& area, POINT press,
                                         bool ghost, ISplitterDragView& view)
    : m_layout(layout), m_start(layout), m_vertical(vertical), m_area(area), m_ghost(ghost), m_view(view),
      m_offset(Along(press, vertical) - Leading(area, vertical) - layout.Position()),
      m_ghostPosition(layout.Position())
{
}

RECT CSplitterBarTracker::BarAt(int position) const { return m_layout.BarAt(m_area, m_vertical, position); }

void CSplitterBarTracker::BeginDrag()
{
    if (m_ghost)
        m_view.ShowGhost(BarAt(m_ghostPosition));
}

void CSplitterBarTracker::OnMove(int x, int y)
{
    const int wanted = Along(POINT{x, y}, m_vertical) - Leading(m_area, m_vertical) - m_offset;
    if (!m_ghost) {
        if (m_layout.SetSplitterPos(wanted))
            m_view.Redraw();
        return;
    }
    // Where the bar would go, the pane minimums applied; the panes stay.
    CSplitterLayout trial = m_layout;
    trial.SetSplitterPos(wanted);
    if (trial.Position() == m_ghostPosition)
        return;
    m_ghostPosition = trial.Position();
    m_view.ShowGhost(BarAt(m_ghostPosition));
}

void CSplitterBarTracker::EndDrag(bool cancelled)
{
    if (m_ghost)
        m_view.HideGhost();
    if (cancelled) {
        m_layout = m_start;
    } else if (m_ghost) {
        m_layout.SetSplitterPos(m_ghostPosition);
    }
    m_view.Redraw();
}

}  // namespace dockwins
