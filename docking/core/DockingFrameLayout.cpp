#include "docking/core/DockingFrameLayout.h"

#include <algorithm>

namespace dockwins {

bool CDockingFrameLayout::OnCreate(const RECT& rect, std::unique_ptr<IFrame> client)
{
    m_outer.SetRect(rect);
    if (IsCreated())
        return m_outer.Arrange();
    m_outer.SetCentralFrame(std::make_unique<CFrameWrapper>(m_inner));
    return m_inner.SetCentralFrame(std::move(client));
}

std::intptr_t CDockingFrameLayout::Handle(DockRequest& request, WindowHandle frame, POINT clientSize,
                                          const SystemMetrics& metrics)
{
    switch (request.code) {
    case kAdjustDragRect: {
        // The target is reset before each package: a bar that refused the
        // outline set it to null, and the outer package may still accept.
        request.target = frame;
        request.placementFlags = 0;
        if (m_inner.AdjustDragRect(request)) {
            request.placementFlags |= kPlacedInInner;
            return 1;
        }
        request.target = frame;
        if (m_outer.AdjustDragRect(request)) {
            request.placementFlags &= ~static_cast<std::uint32_t>(kPlacedInInner);
            return 1;
        }
        request.target = nullptr;
        return 0;
    }
    case kAcceptDock: {
        const bool inner = (request.placementFlags & kPlacedInInner) != 0;
        request.placementFlags &= ~static_cast<std::uint32_t>(kPlacedInInner);
        return (inner ? m_inner : m_outer).AcceptDock(request) ? 1 : 0;
    }
    case kUndock: return m_outer.Remove(request.window) || m_inner.Remove(request.window) ? 1 : 0;
    case kGetDockingPosition:
        request.position.sideFlags = 0;
        if (m_outer.GetDockingPosition(request))
            return 1;
        request.position.sideFlags = kSideInner;
        return m_inner.GetDockingPosition(request) ? 1 : 0;
    case kSetDockingPosition:
        return ((request.position.sideFlags & kSideInner) ? m_inner : m_outer).SetDockingPosition(request) ? 1 : 0;
    case kClampRectSize: ClampRectSize(request.rect, clientSize, metrics); return 1;
    default: return 0;
    }
}

CSubWndFramesPackage* CDockingFrameLayout::PackageAt(POINT p)
{
    if (m_inner.Rect().Contains(p))
        return &m_inner;
    if (m_outer.Rect().Contains(p))
        return &m_outer;
    return nullptr;
}

MINMAXINFO CDockingFrameLayout::MinTrackSize() const
{
    MINMAXINFO info;
    m_outer.GetMinMaxInfo(info);
    return info;
}

void ClampRectSize(RECT& rect, POINT clientSize, const SystemMetrics& metrics)
{
    const int width = std::max(std::min(rect.Width(), clientSize.x / 3), metrics.minWindowWidth);
    const int height = std::max(std::min(rect.Height(), clientSize.y / 3), metrics.minWindowHeight);
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
}

}  // namespace dockwins
