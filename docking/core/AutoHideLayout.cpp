#include "docking/core/AutoHideLayout.h"

#include <algorithm>

namespace dockwins {

namespace {

// Axis coordinate of the pane's inner (moving) edge.
int InnerEdge(const RECT& pane, int side) {
    switch (side) {
    case AUTOHIDE_BOTTOM:
        return pane.top;
    case AUTOHIDE_RIGHT:
        return pane.left;
    case AUTOHIDE_TOP:
        return pane.bottom;
    default:
        return pane.right;
    }
}

RECT WithInnerEdge(RECT pane, int side, int edge) {
    switch (side) {
    case AUTOHIDE_BOTTOM:
        pane.top = edge;
        break;
    case AUTOHIDE_RIGHT:
        pane.left = edge;
        break;
    case AUTOHIDE_TOP:
        pane.bottom = edge;
        break;
    default:
        pane.right = edge;
        break;
    }
    return pane;
}

// +1 when the inner edge moves towards larger coordinates as the pane grows.
int GrowthDirection(int side) {
    return (side == AUTOHIDE_TOP || side == AUTOHIDE_LEFT) ? 1 : -1;
}

}  // namespace

int AutoHideStripThickness(int textHeight, int verticalTextHeight, int smallIconHeight) {
    return std::max({textHeight, verticalTextHeight, smallIconHeight}) + 8;
}

AutoHideSides LayOutAutoHideSides(const RECT& rect, const std::array<bool, kAutoHideSideCount>& hasLabels,
                                  int thickness) {
    AutoHideSides sides;
    sides.outer = rect;
    RECT r = rect;
    r.right = std::max(r.left, r.right);
    r.bottom = std::max(r.top, r.bottom);
    thickness = std::max(0, thickness);
    const bool left = hasLabels[AUTOHIDE_LEFT];
    const bool right = hasLabels[AUTOHIDE_RIGHT];
    auto across = [&](int room) { return std::min(thickness, room); };
    auto along = [&](RECT strip) {
        if (left)
            strip.left = std::min(strip.left + thickness, strip.right);
        if (right)
            strip.right = std::max(strip.right - thickness, strip.left);
        return strip;
    };

    if (hasLabels[AUTOHIDE_TOP]) {
        const int t = across(r.Height());
        sides.strips[AUTOHIDE_TOP] = along({r.left, r.top, r.right, r.top + t});
        r.top += t;
    }
    if (hasLabels[AUTOHIDE_BOTTOM]) {
        const int t = across(r.Height());
        sides.strips[AUTOHIDE_BOTTOM] = along({r.left, r.bottom - t, r.right, r.bottom});
        r.bottom -= t;
    }
    if (left) {
        const int t = across(r.Width());
        sides.strips[AUTOHIDE_LEFT] = {r.left, r.top, r.left + t, r.bottom};
        r.left += t;
    }
    if (right) {
        const int t = across(r.Width());
        sides.strips[AUTOHIDE_RIGHT] = {r.right - t, r.top, r.right, r.bottom};
        r.right -= t;
    }
    sides.bounds = r;
    return sides;
}

RECT AutoHideStripFill(const AutoHideSides& sides, int side) {
    RECT fill = sides.strips[static_cast<std::size_t>(side)];
    if (fill.IsEmpty())
        return fill;
    if (side == AUTOHIDE_TOP || side == AUTOHIDE_BOTTOM) {
        fill.left = sides.outer.left;
        fill.right = sides.outer.right;
    }
    return fill;
}

AutoHideGrowth AutoHideMinimumGrowth(const std::array<bool, kAutoHideSideCount>& hasLabels, int thickness) {
    AutoHideGrowth growth;
    growth.width = thickness * (int(hasLabels[AUTOHIDE_LEFT]) + int(hasLabels[AUTOHIDE_RIGHT]));
    growth.height = thickness * (int(hasLabels[AUTOHIDE_TOP]) + int(hasLabels[AUTOHIDE_BOTTOM]));
    return growth;
}

RECT AutoHidePaneRect(const RECT& bounds, int side, int entryWidth) {
    const int extent = std::max(0, IsVerticalSide(side) ? bounds.Width() : bounds.Height());
    const int cap = std::min(extent, std::max(extent - kAutoHideSizingBar, kAutoHideSizingBar));
    const int size = std::clamp(entryWidth + kAutoHideSizingBar, 0, cap);
    RECT pane = bounds;
    switch (side) {
    case AUTOHIDE_BOTTOM:
        pane.top = bounds.bottom - size;
        break;
    case AUTOHIDE_RIGHT:
        pane.left = bounds.right - size;
        break;
    case AUTOHIDE_TOP:
        pane.bottom = bounds.top + size;
        break;
    default:
        pane.right = bounds.left + size;
        break;
    }
    return pane;
}

RECT AutoHideSizingBar(const RECT& pane, int side) {
    const int edge = InnerEdge(pane, side);
    const int bar = GrowthDirection(side) * kAutoHideSizingBar;
    RECT result = pane;
    if (IsVerticalSide(side)) {
        result.left = std::min(edge, edge - bar);
        result.right = std::max(edge, edge - bar);
    } else {
        result.top = std::min(edge, edge - bar);
        result.bottom = std::max(edge, edge - bar);
    }
    return result;
}

RECT AutoHidePaneInside(const RECT& pane, int side) {
    return WithInnerEdge(pane, side, InnerEdge(pane, side) - GrowthDirection(side) * kAutoHideSizingBar);
}

std::optional<int> AutoHideWidthToStore(int extent, int captionThickness) {
    const int width = extent - kAutoHideSizingBar;
    if (width > captionThickness)
        return width;
    return std::nullopt;
}

CAutoHideSizeTracker::CAutoHideSizeTracker(const RECT& pane, const RECT& bounds, int side, POINT pointer)
    : m_pane(pane), m_side(side) {
    const bool vertical = IsVerticalSide(side);
    const int nearEdge = vertical ? bounds.left : bounds.top;
    const int farEdge = vertical ? bounds.right : bounds.bottom;
    m_low = nearEdge + kAutoHideSizingBar;
    m_high = farEdge - kAutoHideSizingBar;
    if (m_low > m_high) {
        m_low = nearEdge;
        m_high = std::max(nearEdge, farEdge);
    }
    m_grab = (vertical ? pointer.x : pointer.y) - InnerEdge(pane, side);
}

RECT CAutoHideSizeTracker::OnMove(POINT pointer) const {
    const int position = IsVerticalSide(m_side) ? pointer.x : pointer.y;
    return WithInnerEdge(m_pane, m_side, std::clamp(position - m_grab, m_low, m_high));
}

std::vector<RECT> AutoHideSlideSteps(const RECT& pane, int side, bool show) {
    const int extent = IsVerticalSide(side) ? pane.Width() : pane.Height();
    const int step = extent / kAutoHideSlideSteps;
    const int edge = InnerEdge(pane, side);
    const int grow = GrowthDirection(side);
    std::vector<RECT> steps;
    if (show) {
        const int start = edge - grow * step * kAutoHideSlideSteps;
        for (int i = 0; i <= kAutoHideSlideSteps; ++i)
            steps.push_back(WithInnerEdge(pane, side, start + grow * step * i));
    } else {
        for (int i = 1; i <= kAutoHideSlideSteps; ++i)
            steps.push_back(WithInnerEdge(pane, side, edge - grow * step * i));
    }
    return steps;
}

bool AutoHideShouldHide(POINT cursor, const RECT& pane, const RECT& label, bool focusInPane) {
    return !pane.Contains(cursor) && !label.Contains(cursor) && !focusInPane;
}

}  // namespace dockwins
