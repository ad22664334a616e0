#include "docking/core/SubWndFramesPackage.h"

#include <algorithm>
#include <vector>

namespace dockwins {

// ------------------------------------------------------------------ frame packages

int CSubWndFramesPackage::CentralIndex() const
{
    for (std::size_t i = 0; i < m_frames.size(); ++i)
        if (m_frames[i].frame.get() == m_central)
            return static_cast<int>(i);
    return -1;
}

bool CSubWndFramesPackage::SetCentralFrame(std::unique_ptr<IFrame> frame)
{
    if (m_central || !frame)
        return false;
    m_central = frame.get();
    Insert(std::move(frame), 0, m_start, 0);
    return Arrange();
}

void CSubWndFramesPackage::Rescale(int newStart, int newEnd)
{
    const int c = CentralIndex();
    if (c < 0) {
        CWndFramesPackageBase::Rescale(newStart, newEnd);
        return;
    }
    const auto ci = static_cast<std::size_t>(c);
    const int oldLength = Length();
    const int change = (newEnd - newStart) - oldLength;
    std::vector<int> before(m_frames.size());
    for (std::size_t i = 0; i < m_frames.size(); ++i)
        before[i] = Extent(i);
    int taken = change;  // growing: the central frame takes what squeezed bars leave
    if (change < 0) {
        const int spare = Extent(ci) - MinDist(ci) - kSplitterSize;
        taken = -std::min(-change, std::max(0, spare));
    }
    // Growing, bars that a shrink squeezed get back what it took first.
    std::vector<int> gains(m_frames.size(), 0);
    int budget = std::max(0, change);
    for (std::size_t i = 0; i < m_frames.size() && budget > 0; ++i) {
        if (i != ci && m_frames[i].squeezedFrom > before[i]) {
            gains[i] = std::min(m_frames[i].squeezedFrom - before[i], budget);
            budget -= gains[i];
        }
    }
    for (std::size_t j = ci + 1; j < m_frames.size(); ++j)
        m_frames[j].position = Trunc(m_frames[j].position) + taken;
    for (std::size_t i = 0; i < m_frames.size(); ++i) {
        // A bar before the central frame grows by pushing the frames up to
        // the central one forward; one after it by pulling itself and those
        // between back. The central frame gives the room.
        if (i < ci)
            for (std::size_t j = i + 1; j <= ci; ++j)
                m_frames[j].position += gains[i];
        else if (i > ci)
            for (std::size_t j = ci + 1; j <= i; ++j)
                m_frames[j].position -= gains[i];
    }
    const int base = oldLength + taken;
    if (base != 0) {
        const float ratio = static_cast<float>(newEnd - newStart) / static_cast<float>(base);
        Spread(m_start, newStart, newEnd, ratio);
    }
    m_start = newStart;
    m_end = newEnd;
    for (std::size_t i = 0; i < m_frames.size(); ++i) {
        int& from = m_frames[i].squeezedFrom;
        const int now = Extent(i);
        if (i == ci)
            from = 0;
        else if (change < 0 && now < before[i])
            from = std::max(from, before[i]);
        else if (now >= from)
            from = 0;
    }
}

void CSubWndFramesPackage::InsertNextToCentral(std::unique_ptr<IFrame> frame, std::size_t place, double p, int s)
{
    const int c = CentralIndex();
    if (c >= 0 && s > 0) {
        const auto ci = static_cast<std::size_t>(c);
        const int spare = Extent(ci) - MinDist(ci) - kSplitterSize;
        const int take = std::max(0, std::min(s, spare));
        if (ci >= place) {
            for (std::size_t j = place; j <= ci; ++j)
                m_frames[j].position = Trunc(m_frames[j].position) + take;
        } else {
            for (std::size_t j = ci + 1; j < place && j < m_frames.size(); ++j)
                m_frames[j].position = Trunc(m_frames[j].position) - take;
        }
    }
    Insert(std::move(frame), place, p, s);
}

bool CSubWndFramesPackage::Remove(WindowHandle window)
{
    const int found = IndexOf(window);
    if (found < 0 || m_frames[static_cast<std::size_t>(found)].frame.get() == m_central)
        return false;
    const auto i = static_cast<std::size_t>(found);
    const int extent = Extent(i);
    ForgetSqueezes();
    const int c = CentralIndex();
    if (c >= 0) {
        const auto ci = static_cast<std::size_t>(c);
        if (ci > i) {
            for (std::size_t j = i + 1; j <= ci; ++j)
                m_frames[j].position = Trunc(m_frames[j].position) - extent;
        } else {
            for (std::size_t j = ci + 1; j < i; ++j)
                m_frames[j].position = Trunc(m_frames[j].position) + extent;
        }
    }
    Erase(i);
    if (!m_frames.empty())
        m_frames[0].position = m_start;
    Arrange();
    return true;
}

bool CSubWndFramesPackage::AdjustDragRect(DockRequest& request)
{
    if (m_frames.empty())
        return false;
    const POINT corner{request.outline.left, request.outline.top};
    const int c = Along(corner, m_horizontal);
    std::size_t place = 0;
    if (m_rect.Contains(corner)) {
        const int found = FindFrame(c);
        if (found < 0)
            return false;
        const auto i = static_cast<std::size_t>(found);
        if (c - m_frames[i].position < kDockEdgeMargin) {
            place = i;
        } else if (FrameEnd(i) - c >= kDockEdgeMargin) {
            if (m_frames[i].frame.get() == m_central)
                return false;
            return m_frames[i].frame->AcceptDock(request);
        } else {
            place = i + 1;
        }
    } else {
        place = c < m_end ? 0 : m_frames.size();
    }
    return IsDockable(request, place);
}

bool CSubWndFramesPackage::IsDockable(DockRequest& request, std::size_t place)
{
    // The corner may lie up to the margin outside the package along its axis:
    // that is where a drop at the package's outer edge is offered.
    RECT grown = m_rect;
    if (m_horizontal) {
        grown.left -= kDockEdgeMargin;
        grown.right += kDockEdgeMargin;
    } else {
        grown.top -= kDockEdgeMargin;
        grown.bottom += kDockEdgeMargin;
    }
    if (!grown.Contains({request.outline.left, request.outline.top}))
        return false;
    const MINMAXINFO windowMin = m_host.GetWindowMinMaxInfo(request.window);
    if (windowMin.ptMinTrackSize.x > m_rect.Width() || windowMin.ptMinTrackSize.y > m_rect.Height())
        return false;
    if (!HasRoomFor(Along(windowMin, m_horizontal)))
        return false;
    const int c = CentralIndex();
    const bool after = c >= 0 && static_cast<std::size_t>(c) < place;
    if (after)
        request.placementFlags |= kPlacedAfterCentral;
    else
        request.placementFlags &= ~static_cast<std::uint32_t>(kPlacedAfterCentral);
    RECT& o = request.outline;
    if (m_horizontal) {
        const int extent = o.right - o.left;
        o.top = m_rect.top;
        o.bottom = m_rect.bottom;
        if (after) {
            o.right = place < m_frames.size() ? Trunc(m_frames[place].position) : m_end;
            o.left = o.right - extent;
        } else {
            o.left = Trunc(m_frames[place].position) + kSplitterSize;
            o.right = o.left + extent;
        }
    } else {
        const int extent = o.bottom - o.top;
        o.left = m_rect.left;
        o.right = m_rect.right;
        if (after) {
            o.bottom = place < m_frames.size() ? Trunc(m_frames[place].position) : m_end;
            o.top = o.bottom - extent;
        } else {
            o.top = Trunc(m_frames[place].position) + kSplitterSize;
            o.bottom = o.top + extent;
        }
    }
    return true;
}

bool CSubWndFramesPackage::DockNewBar(DockRequest& request, std::size_t place, double p, int s, bool byOutline)
{
    std::unique_ptr<IFrame> bar = m_host.CreateBar(!m_horizontal);
    if (!bar)
        return false;
    WindowHandle handle = bar->GetHwnd();
    InsertNextToCentral(std::move(bar), place, p, s);
    const bool laidOut = Arrange();
    std::intptr_t answer = 0;
    if (laidOut) {
        request.target = handle;
        if (byOutline)
            request.outline = FrameRect(static_cast<std::size_t>(IndexOf(handle)));
        answer = m_host.SendRequest(handle, request);
    }
    if (answer == 0) {
        // A bar that took no window does not stay behind.
        Remove(handle);
        m_host.DestroyBar(handle);
        return false;
    }
    return true;
}

bool CSubWndFramesPackage::AcceptDock(DockRequest& request)
{
    if (m_frames.empty())
        return false;
    const MINMAXINFO windowMin = m_host.GetWindowMinMaxInfo(request.window);
    if (!HasRoomFor(Along(windowMin, m_horizontal)))
        return false;
    const int c = Leading(request.outline, m_horizontal);
    const int s = Trailing(request.outline, m_horizontal) - c;
    const int search = (request.placementFlags & kPlacedAfterCentral) ? c + s : c;
    std::size_t place = 0;
    if (search == m_end) {
        place = m_frames.size();
    } else {
        const int found = FindFrame(search);
        place = found < 0 ? 0 : static_cast<std::size_t>(found);
    }
    return DockNewBar(request, place, c, s, true);
}

bool CSubWndFramesPackage::SetDockingPosition(DockRequest& request)
{
    const int c = CentralIndex();
    if (c < 0)
        return false;
    DockPosition& pos = request.position;
    const MINMAXINFO windowMin = m_host.GetWindowMinMaxInfo(request.window);
    const int minAlong = Along(windowMin, m_horizontal);
    pos.width = ClampExtent(pos.width, minAlong, Length());
    pos.fraction = ClampFraction(pos.fraction);

    const bool fromFirst = (pos.sideFlags & kSideBefore) != 0;
    const auto n = static_cast<long long>(m_frames.size());
    long long reached = c;
    if (pos.barIndex >= 0) {
        reached = fromFirst ? std::min<long long>(pos.barIndex, c) : std::max<long long>(n - 1 - pos.barIndex, c);
    }
    const auto r = static_cast<std::size_t>(reached);
    if (reached == c || (pos.sideFlags & kSideNewBar)) {
        // Only a new bar needs room across the package; a bar that is there takes the window along it.
        if (!HasRoomFor(minAlong))
            return false;  // no room: the window stays where it was
        const int s = static_cast<int>(pos.width) + kSplitterSize;
        if (fromFirst)
            return DockNewBar(request, r, m_frames[r].position, s, false);
        const int p = std::max(m_start, FrameEnd(r) - s);
        return DockNewBar(request, r + 1, p, s, false);
    }
    request.target = m_frames[r].frame->GetHwnd();
    return m_host.SendRequest(request.target, request) != 0;
}

bool CSubWndFramesPackage::GetDockingPosition(DockRequest& request)
{
    const int found = IndexOf(request.target);
    if (found < 0 || m_frames[static_cast<std::size_t>(found)].frame.get() == m_central)
        return false;
    const auto i = static_cast<std::size_t>(found);
    DockPosition& pos = request.position;
    pos.width = static_cast<unsigned>(std::max(0, Extent(i) - kSplitterSize));
    if (found < CentralIndex()) {
        pos.sideFlags |= kSideBefore;
        pos.barIndex = found;
    } else {
        pos.barIndex = static_cast<int>(m_frames.size()) - found - 1;
    }
    return m_host.SendRequest(request.target, request) != 0;
}

// ------------------------------------------------------------------ wrapper

int CFrameWrapper::GetMinFrameDist() const
{
    MINMAXINFO info;
    m_package.GetMinMaxInfo(info);
    return m_package.IsHorizontal() ? info.ptMinTrackSize.y : info.ptMinTrackSize.x;
}

bool CFrameWrapper::DeferFramePos(const RECT& rect)
{
    m_package.SetRect(rect);
    return true;
}

}  // namespace dockwins
