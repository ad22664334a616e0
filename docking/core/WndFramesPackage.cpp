#include "docking/core/WndFramesPackage.h"

#include <algorithm>
#include <limits>

namespace dockwins {

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
    const int s = Trailing(outline, m_horizontal) - c;
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
    // had gets its bar added, or every return would cost it 5 pixels.
    if (storedExtent)
        height = height > std::numeric_limits<unsigned>::max() - kSplitterSize ? std::numeric_limits<unsigned>::max()
                                                                                : height + kSplitterSize;
    height = ClampExtent(height, minAlong, Length());
    // The product is a 32-bit float, as stored fractions were made.
    const int position = m_start + static_cast<int>(static_cast<float>(Length()) * fraction);
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
    pos.fraction = Length() != 0 ? static_cast<float>((m_frames[i].position - m_start) / Length()) : 0.0f;
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

}  // namespace dockwins
