#include "docking/core/FramesPackage.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace dockwins {

namespace {

int Trunc(double value) { return static_cast<int>(value); }

// A place within a millionth of a pixel of a whole pixel is that pixel: a
// resize there and back lands on the pixel it left, not a hair before it.
double SnapToPixel(double position)
{
    const double whole = std::round(position);
    return std::abs(position - whole) < 1e-6 ? whole : position;
}

}  // namespace

float ClampFraction(float fraction)
{
    if (std::isnan(fraction))
        return 0.0f;
    return std::clamp(fraction, 0.0f, 1.0f);
}

unsigned ClampExtent(unsigned value, int minimum, int length)
{
    const unsigned low = static_cast<unsigned>(std::max(0, minimum));
    const unsigned high = static_cast<unsigned>(std::max(0, length));
    if (value > high)
        value = high;
    if (value < low)
        value = low;
    return value;
}

// ------------------------------------------------------------------ base

int CWndFramesPackageBase::SumMin(std::size_t from, std::size_t to) const
{
    int sum = 0;
    for (std::size_t i = from; i < to && i < m_frames.size(); ++i)
        sum += MinDist(i) + kSplitterSize;
    return sum;
}

int CWndFramesPackageBase::MinTotal() const { return SumMin(0, m_frames.size()); }

void CWndFramesPackageBase::GetMinMaxInfo(MINMAXINFO& info) const
{
    if (m_frames.empty())
        return;
    int across = 0;
    for (const Frame& f : m_frames) {
        MINMAXINFO frameInfo;
        f.frame->GetMinMaxInfo(frameInfo);
        across = std::max(across, Across(frameInfo, m_horizontal));
    }
    const int along = MinTotal() - kSplitterSize;
    if (m_horizontal)
        info.ptMinTrackSize = {along, across};
    else
        info.ptMinTrackSize = {across, along};
}

int CWndFramesPackageBase::FrameEnd(std::size_t i) const
{
    return i + 1 < m_frames.size() ? Trunc(m_frames[i + 1].position) : m_end;
}

RECT CWndFramesPackageBase::FrameRect(std::size_t i) const
{
    const int lead = Trunc(m_frames[i].position) + kSplitterSize;
    int trail = i + 1 < m_frames.size() ? Trunc(m_frames[i + 1].position) : Trailing(m_rect, m_horizontal);
    trail = std::max(trail, lead);  // never a negative extent, even below the minimum
    if (m_horizontal)
        return {lead, m_rect.top, trail, m_rect.bottom};
    return {m_rect.left, lead, m_rect.right, trail};
}

RECT CWndFramesPackageBase::BarRect(std::size_t i) const
{
    const int lead = Trunc(m_frames[i].position);
    if (m_horizontal)
        return {lead, m_rect.top, lead + kSplitterSize, m_rect.bottom};
    return {m_rect.left, lead, m_rect.right, lead + kSplitterSize};
}

int CWndFramesPackageBase::FindFrame(int c) const
{
    int found = -1;
    for (std::size_t i = 0; i < m_frames.size(); ++i) {
        if (m_frames[i].position < c + 1.0)
            found = static_cast<int>(i);
        else
            break;
    }
    return found;
}

int CWndFramesPackageBase::IndexOf(WindowHandle window) const
{
    if (!window)
        return -1;
    for (std::size_t i = 0; i < m_frames.size(); ++i)
        if (m_frames[i].frame->GetHwnd() == window)
            return static_cast<int>(i);
    return -1;
}

int CWndFramesPackageBase::SplitterAt(POINT p) const
{
    const int i = FindFrame(Along(p, m_horizontal));
    if (i <= 0)
        return -1;  // the first frame's bar lies outside the package
    const RECT bar = BarRect(static_cast<std::size_t>(i));
    return bar.Contains(p) ? i : -1;
}

bool CWndFramesPackageBase::HasRoomFor(int minAlong) const
{
    return MinTotal() + std::max(0, minAlong) + kSplitterSize <= Length();
}

bool CWndFramesPackageBase::SetRect(const RECT& rect)
{
    if (rect == m_rect)
        return true;
    m_rect = rect;
    const int newStart = Leading(rect, m_horizontal) - kSplitterSize;
    const int newEnd = std::max(Trailing(rect, m_horizontal), newStart + MinTotal());
    Rescale(newStart, newEnd);
    return Arrange();
}

void CWndFramesPackageBase::Rescale(int newStart, int newEnd)
{
    const int oldLength = Length();
    if (oldLength != 0) {
        Spread(m_start, newStart, newEnd, oldLength);
    }
    m_start = newStart;
    m_end = newEnd;
}

void CWndFramesPackageBase::Spread(int oldStart, int newStart, int newEnd, int oldLength)
{
    if (m_frames.empty())
        return;
    const int delta = newStart - oldStart;
    m_frames[0].position = newStart;
    for (std::size_t i = 1; i < m_frames.size(); ++i) {
        const double scaled = ((m_frames[i].position + delta) - newStart) * (newEnd - newStart) / oldLength;
        const double pos = SnapToPixel(scaled + newStart);
        const double low = Trunc(m_frames[i - 1].position) + MinDist(i - 1) + kSplitterSize;
        const double high = newEnd - SumMin(i, m_frames.size());
        m_frames[i].position = std::max(low, std::min(pos, high));
    }
}

bool CWndFramesPackageBase::Arrange()
{
    for (std::size_t i = 0; i < m_frames.size(); ++i)
        if (!m_frames[i].frame->DeferFramePos(FrameRect(i)))
            return false;
    return true;
}

void CWndFramesPackageBase::BarBounds(std::size_t i, double& low, double& high) const
{
    low = m_start + SumMin(0, i);
    high = m_end - SumMin(i, m_frames.size());
}

void CWndFramesPackageBase::ForgetSqueezes()
{
    for (Frame& f : m_frames)
        f.squeezedFrom = 0;
}

void CWndFramesPackageBase::MoveBar(std::size_t i, double p)
{
    if (i >= m_frames.size())
        return;
    ForgetSqueezes();  // the user sets the sizes now
    m_frames[i].position = p;
    int sum = 0;
    for (std::size_t j = i; j-- > 0;) {
        sum += MinDist(j) + kSplitterSize;
        m_frames[j].position = std::min(m_frames[j].position, p - sum);
    }
    sum = 0;
    for (std::size_t j = i + 1; j < m_frames.size(); ++j) {
        sum += MinDist(j - 1) + kSplitterSize;
        m_frames[j].position = std::max(m_frames[j].position, p + sum);
    }
    if (i > 0)
        m_frames[0].position = m_start;  // the first frame's bar stays at the start
}

std::vector<CWndFramesPackageBase::Place> CWndFramesPackageBase::Places() const
{
    std::vector<Place> places;
    for (const Frame& f : m_frames)
        places.push_back({f.frame.get(), f.position, f.squeezedFrom});
    return places;
}

bool CWndFramesPackageBase::PutBack(const std::vector<Place>& places)
{
    if (places.size() != m_frames.size())
        return false;
    for (std::size_t i = 0; i < places.size(); ++i)
        if (places[i].frame != m_frames[i].frame.get())
            return false;
    for (std::size_t i = 0; i < places.size(); ++i) {
        m_frames[i].position = places[i].position;
        m_frames[i].squeezedFrom = places[i].squeezedFrom;
    }
    return true;
}

void CWndFramesPackageBase::Insert(std::unique_ptr<IFrame> frame, std::size_t index, double p, int s)
{
    ForgetSqueezes();
    index = std::min(index, m_frames.size());
    const int low = m_start + SumMin(0, index);
    const int high = m_end - SumMin(index, m_frames.size());
    s = std::max(0, std::min(s, high - low));
    int at = Trunc(p);
    at = std::max(at, low);
    at = std::min(at, high - s);
    int sum = 0;
    for (std::size_t j = index; j < m_frames.size(); ++j) {
        m_frames[j].position = std::max(m_frames[j].position, static_cast<double>(at + s + sum));
        sum += MinDist(j) + kSplitterSize;
    }
    sum = 0;
    for (std::size_t j = index; j-- > 0;) {
        sum += MinDist(j) + kSplitterSize;
        m_frames[j].position = std::min(m_frames[j].position, static_cast<double>(at - sum));
    }
    Frame entry;
    entry.position = index == 0 ? m_start : at;
    entry.frame = std::move(frame);
    m_frames.insert(m_frames.begin() + static_cast<std::ptrdiff_t>(index), std::move(entry));
}

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
        Spread(m_start, newStart, newEnd, base);
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
    // The outline's extent counts the new bar's splitter: the bar is at
    // least as thick as the window's minimum.
    const int thickness = std::max(s, Along(windowMin, m_horizontal) + kSplitterSize);
    std::size_t place = 0;
    if (search == m_end) {
        place = m_frames.size();
    } else {
        const int found = FindFrame(search);
        place = found < 0 ? 0 : static_cast<std::size_t>(found);
    }
    return DockNewBar(request, place, c, thickness, true);
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

// ------------------------------------------------------------------ bar packages

bool CWndFramesPackage::IsDockable(DockRequest& request, const MINMAXINFO& windowMin) const
{
    if (!m_rect.Contains({request.outline.left, request.outline.top}))
        return false;
    if (windowMin.ptMinTrackSize.x > m_rect.Width() || windowMin.ptMinTrackSize.y > m_rect.Height())
        return false;
    if (!HasRoomFor(Along(windowMin, m_horizontal)))
        return false;
    if (m_horizontal) {
        request.outline.top = m_rect.top;
        request.outline.bottom = m_rect.bottom;
    } else {
        request.outline.left = m_rect.left;
        request.outline.right = m_rect.right;
    }
    return true;
}

bool CWndFramesPackage::InsertAtOutline(std::unique_ptr<IFrame> frame, const RECT& outline)
{
    const int c = Leading(outline, m_horizontal);
    // The outline's extent counts the window's bar: a dropped window gets at
    // least its minimum where the bar has the room.
    const int s = std::max(Trailing(outline, m_horizontal) - c, frame->GetMinFrameDist() + kSplitterSize);
    std::size_t place = 0;
    const int found = FindFrame(c);
    if (found >= 0) {
        const auto i = static_cast<std::size_t>(found);
        const int position = Trunc(m_frames[i].position);
        place = position + (FrameEnd(i) - position) / 3 < c ? i + 1 : i;
    }
    Insert(std::move(frame), place, c, s);
    return Arrange();
}

bool CWndFramesPackage::InsertAtFraction(std::unique_ptr<IFrame> frame, float fraction, unsigned height, int minAlong,
                                         bool storedExtent)
{
    fraction = ClampFraction(fraction);
    // The size Insert takes includes the frame's bar: an extent the window
    // had gets its bar added, or every return would cost it 5 pixels, and
    // comes back at least at the window's minimum where the bar has the
    // room. A first dock's size is as it states it, with the bar.
    if (storedExtent)
        height = height > std::numeric_limits<unsigned>::max() - kSplitterSize ? std::numeric_limits<unsigned>::max()
                                                                                : height + kSplitterSize;
    height = ClampExtent(height, storedExtent ? minAlong + kSplitterSize : minAlong, Length());
    // The product is a 32-bit float, as stored fractions were made, rounded
    // to the pixel: a fraction code 4 measured comes back to its pixel.
    const int position = m_start + static_cast<int>(std::lround(static_cast<float>(Length()) * fraction));
    std::size_t place = m_frames.size();
    for (std::size_t i = 0; i < m_frames.size(); ++i) {
        if (Trunc(m_frames[i].position) >= position) {
            place = i;
            break;
        }
    }
    Insert(std::move(frame), place, position, static_cast<int>(height));
    return Arrange();
}

bool CWndFramesPackage::Remove(WindowHandle window)
{
    const int found = IndexOf(window);
    if (found < 0)
        return false;
    Erase(static_cast<std::size_t>(found));
    if (!m_frames.empty())
        m_frames[0].position = m_start;
    Arrange();
    return true;
}

bool CWndFramesPackage::GetDockingPosition(DockRequest& request) const
{
    const int found = IndexOf(request.window);
    if (found < 0)
        return false;
    const auto i = static_cast<std::size_t>(found);
    DockPosition& pos = request.position;
    // Measured from the pixel the window's bar is at, as a restore places it.
    const double pixel = Trunc(m_frames[i].position) - m_start;
    pos.fraction = Length() != 0 ? static_cast<float>(pixel / Length()) : 0.0f;
    pos.height = static_cast<unsigned>(std::max(0, Extent(i) - kSplitterSize));
    if (m_frames.size() == 1)
        pos.sideFlags |= kSideNewBar;
    return true;
}

bool CWndFramesPackage::Replace(WindowHandle window, std::unique_ptr<IFrame> frame)
{
    const int found = IndexOf(window);
    if (found < 0 || !frame)
        return false;
    Frame& entry = m_frames[static_cast<std::size_t>(found)];
    entry.position = Trunc(entry.position);
    entry.frame = std::move(frame);
    return Arrange();
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
