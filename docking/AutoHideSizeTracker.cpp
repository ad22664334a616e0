#include "docking/AutoHideSizeTracker.h"

#include "docking/DockEvents.h"

namespace dockwins {

CAutoHideSizeTrackerBase::CAutoHideSizeTrackerBase(IAutoHideSizingView& manager, const RECT& pane,
                                                   const RECT& bounds, int side, POINT pointer)
    : m_manager(manager), m_tracker(pane, bounds, side, pointer), m_start(pane), m_pane(pane), m_side(side)
{
}

void CAutoHideSizeTrackerBase::BeginDrag() { m_manager.SuspendHiding(true); }

void CAutoHideSizeTrackerBase::EndDrag(bool) { m_manager.SuspendHiding(false); }

void CSizeTrackerFull::OnMove(int x, int y)
{
    const RECT pane = m_tracker.OnMove({x, y});
    if (pane == m_pane)
        return;
    m_pane = pane;
    m_manager.MovePane(ToQRect(pane));
}

void CSizeTrackerGhost::BeginDrag()
{
    CAutoHideSizeTrackerBase::BeginDrag();
    m_manager.ShowSizingGhost(ToQRect(AutoHideSizingBar(m_pane, m_side)));
}

void CSizeTrackerGhost::OnMove(int x, int y)
{
    m_pane = m_tracker.OnMove({x, y});
    m_manager.ShowSizingGhost(ToQRect(AutoHideSizingBar(m_pane, m_side)));
}

void CSizeTrackerGhost::EndDrag(bool cancelled)
{
    m_manager.HideSizingGhost();
    if (!cancelled && m_drop && !(m_pane == m_start))
        m_manager.MovePane(ToQRect(m_pane));
    CAutoHideSizeTrackerBase::EndDrag(cancelled);
}

}  // namespace dockwins
