#include "docking/core/FloatingPlacement.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace dockwins {

namespace {

// Coordinates far beyond any screen are pulled in before any arithmetic.
constexpr int kFar = 1 << 24;

struct Move {
    int dx = 0;
    int dy = 0;
    std::int64_t Cost() const { return std::abs(static_cast<std::int64_t>(dx)) + std::abs(static_cast<std::int64_t>(dy)); }
};

// The least move that puts a grab of the window's caption on `screen`.
Move MoveOnto(const RECT& w, const RECT& screen)
{
    Move m;
    const int grabWidth = std::min({kCaptionGrabWidth, w.Width(), screen.Width()});
    const int grabHeight = std::min({kCaptionGrabHeight, w.Height(), screen.Height()});
    if (w.top < screen.top)
        m.dy = screen.top - w.top;
    else if (w.top + grabHeight > screen.bottom)
        m.dy = screen.bottom - grabHeight - w.top;
    if (w.right < screen.left + grabWidth)
        m.dx = screen.left + grabWidth - w.right;
    else if (w.left > screen.right - grabWidth)
        m.dx = screen.right - grabWidth - w.left;
    return m;
}

RECT PulledIn(const RECT& r)
{
    RECT in;
    in.left = std::clamp(r.left, -kFar, kFar);
    in.top = std::clamp(r.top, -kFar, kFar);
    in.right = std::clamp(r.right, in.left, in.left + kFar);
    in.bottom = std::clamp(r.bottom, in.top, in.top + kFar);
    return in;
}

}  // namespace

bool IsCaptionReachable(const RECT& window, const std::vector<RECT>& screens)
{
    const RECT w = PulledIn(window);
    for (const RECT& screen : screens) {
        if (screen.IsEmpty())
            continue;
        const Move m = MoveOnto(w, screen);
        if (m.dx == 0 && m.dy == 0)
            return true;
    }
    return false;
}

RECT PlaceFloatingWindow(RECT wanted, int minWidth, int minHeight, const std::vector<RECT>& screens,
                         unsigned movingEdges)
{
    RECT r = PulledIn(wanted);
    minWidth = std::clamp(minWidth, 0, kFar);
    minHeight = std::clamp(minHeight, 0, kFar);
    if (r.Width() < minWidth) {
        if (movingEdges & kEdgeLeft)
            r.left = r.right - minWidth;
        else
            r.right = r.left + minWidth;
    }
    if (r.Height() < minHeight) {
        if (movingEdges & kEdgeTop)
            r.top = r.bottom - minHeight;
        else
            r.bottom = r.top + minHeight;
    }
    const RECT* nearest = nullptr;
    Move best;
    for (const RECT& screen : screens) {
        if (screen.IsEmpty())
            continue;
        const Move m = MoveOnto(r, screen);
        if (!nearest || m.Cost() < best.Cost()) {
            nearest = &screen;
            best = m;
        }
    }
    if (!nearest)
        return r;
    if (best.dx == 0 && best.dy == 0)
        return r;
    if (movingEdges == kMoveWhole) {
        // Moved as a whole, it comes onto that screen entirely where it fits.
        const RECT& s = *nearest;
        r.Offset(std::clamp(r.left, s.left, std::max(s.left, s.right - r.Width())) - r.left,
                 std::clamp(r.top, s.top, std::max(s.top, s.bottom - r.Height())) - r.top);
        return r;
    }
    // A resize: too far left the right edge must come, too far right the
    // left one; too high or too low, the top. An edge that moves is held
    // back; else the window moves. Holding an edge back never shrinks the
    // window below its minimum.
    if (best.dx > 0 && (movingEdges & kEdgeRight))
        r.right += best.dx;
    else if (best.dx < 0 && (movingEdges & kEdgeLeft))
        r.left += best.dx;
    else
        r.Offset(best.dx, 0);
    if (best.dy != 0 && (movingEdges & kEdgeTop)) {
        r.top += best.dy;
        if (r.Height() < minHeight)
            r.bottom = r.top + minHeight;
    } else {
        r.Offset(0, best.dy);
    }
    return r;
}

}  // namespace dockwins
