#include "docking/core/DockingFrameLayout.h"

#include <algorithm>

#include "docking/core/DockRequestHandler.h"

namespace dockwins {

bool CDockingFrameLayout::OnCreate(const RECT& rect, std::unique_ptr<IFrame> client)
{
    m_outer.SetRect(rect);
    if (IsCreated())
        return m_outer.Arrange();
    m_outer.SetCentralFrame(std::make_unique<CFrameWrapper>(m_inner));
    return m_inner.SetCentralFrame(std::move(client));
}

bool CDockingFrameLayout::AdjustDragRect(DockRequest& request, WindowHandle frame)
{
    // The target is reset before each package: a bar that refused the
    // outline set it to null, and the outer package may still accept.
    request.target = frame;
    request.placementFlags = 0;
    if (m_inner.AdjustDragRect(request)) {
        request.placementFlags |= kPlacedInInner;
        return true;
    }
    request.target = frame;
    if (m_outer.AdjustDragRect(request)) {
        request.placementFlags &= ~static_cast<std::uint32_t>(kPlacedInInner);
        return true;
    }
    request.target = nullptr;
    return false;
}

bool CDockingFrameLayout::AcceptDock(DockRequest& request)
{
    const bool inner = (request.placementFlags & kPlacedInInner) != 0;
    request.placementFlags &= ~static_cast<std::uint32_t>(kPlacedInInner);
    return (inner ? m_inner : m_outer).AcceptDock(request);
}

bool CDockingFrameLayout::Undock(WindowHandle window) { return m_outer.Remove(window) || m_inner.Remove(window); }

bool CDockingFrameLayout::GetDockingPosition(DockRequest& request)
{
    request.position.sideFlags = 0;
    if (m_outer.GetDockingPosition(request))
        return true;
    request.position.sideFlags = kSideInner;
    return m_inner.GetDockingPosition(request);
}

bool CDockingFrameLayout::SetDockingPosition(DockRequest& request)
{
    return ((request.position.sideFlags & kSideInner) ? m_inner : m_outer).SetDockingPosition(request);
}

std::intptr_t CDockingFrameLayout::Handle(DockRequest& request, WindowHandle frame, POINT clientSize,
                                          const SystemMetrics& metrics)
{
    class Answer final : public IDockRequestHandler {
    public:
        Answer(CDockingFrameLayout& layout, WindowHandle frame, POINT clientSize, const SystemMetrics& metrics)
            : m_layout(layout), m_frame(frame), m_clientSize(clientSize), m_metrics(metrics)
        {
        }
        bool OnAdjustDragRect(DockRequest& r) override { return m_layout.AdjustDragRect(r, m_frame); }
        bool OnAcceptDock(DockRequest& r) override { return m_layout.AcceptDock(r); }
        bool OnUndock(WindowHandle window) override { return m_layout.Undock(window); }
        bool OnGetDockingPosition(DockRequest& r) override { return m_layout.GetDockingPosition(r); }
        bool OnSetDockingPosition(DockRequest& r) override { return m_layout.SetDockingPosition(r); }
        bool OnClampRectSize(RECT& rect) override
        {
            ClampRectSize(rect, m_clientSize, m_metrics);
            return true;
        }

    private:
        CDockingFrameLayout& m_layout;
        const WindowHandle m_frame;
        const POINT m_clientSize;
        const SystemMetrics& m_metrics;
    };
    Answer answer(*this, frame, clientSize, metrics);
    return DispatchDockRequest(answer, request);
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
