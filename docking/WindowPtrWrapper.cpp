#include "docking/WindowPtrWrapper.h"

#include "docking/DockEvents.h"

namespace dockwins {

int CWindowPtrWrapper::GetMinFrameDist() const { return GetMinTrackSize(m_window).ptMinTrackSize.x; }

void CWindowPtrWrapper::GetMinMaxInfo(MINMAXINFO& info) const
{
    if (m_window)
        info = GetMinTrackSize(m_window);
}

bool CWindowPtrWrapper::DeferFramePos(const RECT& rect)
{
    if (m_window)
        m_window->setGeometry(ToQRect(rect));
    return true;
}

}  // namespace dockwins
