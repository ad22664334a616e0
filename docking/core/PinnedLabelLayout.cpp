#include "docking/core/PinnedLabelLayout.h"

#include "docking/core/AutoHideLayout.h"

#include <algorithm>
#include <numeric>

namespace dockwins {

std::vector<int> DistributeLabelWidths(std::span<const int> desired, int stripLength) {
    std::vector<int> widths(desired.begin(), desired.end());
    for (int& width : widths)
        width = std::max(0, width);
    const int count = static_cast<int>(widths.size());
    if (count == 0)
        return widths;
    std::vector<long long> needs;
    for (const int width : widths)
        needs.push_back(static_cast<long long>(width) + kPinnedLabelGap);
    const long long length = std::max(0, stripLength - 1);
    if (std::accumulate(needs.begin(), needs.end(), 0LL) <= length)
        return widths;

    std::sort(needs.begin(), needs.end());
    long long share = length / count;
    long long remainder = length % count;
    long long remaining = count;
    std::size_t i = 0;
    while (i < needs.size()) {
        if (needs[i] < share) {
            remainder += share - needs[i];
            --remaining;
            ++i;
        } else if (remaining > 0 && remainder >= remaining) {
            share += remainder / remaining;
            remainder %= remaining;
        } else {
            break;
        }
    }
    const long long cap = std::max(0LL, share - kPinnedLabelGap);
    for (int& width : widths)
        width = static_cast<int>(std::min<long long>(width, cap));
    return widths;
}

int SingleLabelDesiredWidth(int textExtent, bool hasIcon, int smallIcon) {
    return std::max(0, textExtent) + 6 + (hasIcon ? smallIcon + 3 : 0);
}

int MultiLabelDesiredWidth(int referenceTextExtent, int count, int smallIcon) {
    const int others = std::max(0, count - 1) * MultiLabelInactiveWidth(smallIcon);
    return std::max(0, referenceTextExtent) + 6 + smallIcon + 3 + others;
}

int MultiLabelInactiveWidth(int smallIcon) {
    return smallIcon + 6;
}

int MultiLabelInactiveWidthFor(int width, int count, int inactiveWidth) {
    if (count <= 0)
        return inactiveWidth;
    if (width < count * inactiveWidth)
        return std::max(0, width) / count;
    return inactiveWidth;
}

int MultiLabelEntryFromPoint(int offset, int count, int inactiveWidth, int active, int width) {
    if (count <= 0)
        return -1;
    active = std::clamp(active, 0, count - 1);
    const int w = inactiveWidth;
    if (w <= 0)
        return active;  // inactive entries have no room: only the active one can be hit
    int entry = active;
    if (offset < w * active) {
        entry = offset / w;
    } else {
        const int rest = (count - active - 1) * w;
        if (offset > width - rest)
            entry = active + (offset + rest - width) / w + 1;
    }
    return std::clamp(entry, 0, count - 1);
}

std::vector<RECT> PinnedLabelRects(const RECT& strip, int side, std::span<const int> widths) {
    std::vector<RECT> rects;
    if (strip.IsEmpty() || widths.empty())
        return rects;
    RECT area = strip;
    const bool vertical = IsVerticalSide(side);
    switch (side) {
    case AUTOHIDE_BOTTOM:
        area.top += 2;
        break;
    case AUTOHIDE_RIGHT:
        area.left += 2;
        break;
    case AUTOHIDE_TOP:
        area.bottom -= 2;
        break;
    default:
        area.right -= 2;
        break;
    }
    if (vertical) {
        area.top += 3;
        area.bottom -= 3;
    } else {
        area.left += 3;
        area.right -= 3;
    }
    const int length = vertical ? area.Height() : area.Width();
    if (length <= kPinnedLabelGap * (static_cast<int>(widths.size()) - 1))
        return rects;
    int position = vertical ? area.top : area.left;
    for (const int width : widths) {
        if (vertical)
            rects.push_back({area.left, position, area.right, position + width});
        else
            rects.push_back({position, area.top, position + width, area.bottom});
        position += width + kPinnedLabelGap;
    }
    return rects;
}

PinnedLabelHit PinnedLabelAt(std::span<const RECT> labels, int side, POINT point) {
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (labels[i].Contains(point)) {
            const int offset = IsVerticalSide(side) ? point.y - labels[i].top : point.x - labels[i].left;
            return {static_cast<int>(i), offset};
        }
    }
    return {};
}

std::vector<RECT> MultiLabelEntryRects(const RECT& label, int side, int count, int active, int inactiveWidth) {
    std::vector<RECT> rects;
    if (count <= 0)
        return rects;
    active = std::clamp(active, 0, count - 1);
    const bool vertical = IsVerticalSide(side);
    const int length = vertical ? label.Height() : label.Width();
    const int activeWidth = std::max(0, length - (count - 1) * inactiveWidth);
    int position = vertical ? label.top : label.left;
    for (int i = 0; i < count; ++i) {
        const int width = i == active ? activeWidth : inactiveWidth;
        if (vertical)
            rects.push_back({label.left, position, label.right, position + width});
        else
            rects.push_back({position, label.top, position + width, label.bottom});
        position += width;
    }
    return rects;
}

PinnedEntryContent PinnedEntryLayout(const RECT& entry, int side, bool hasIcon, int smallIcon, bool fullEntry) {
    PinnedEntryContent content;
    const bool vertical = IsVerticalSide(side);
    const RECT inner = entry.Inset(3, 3);
    auto iconAtStart = [&]() {
        if (vertical) {
            const int left = entry.left + (entry.Width() - smallIcon) / 2;
            return RECT{left, inner.top, left + smallIcon, inner.top + smallIcon};
        }
        const int top = entry.top + (entry.Height() - smallIcon) / 2;
        return RECT{inner.left, top, inner.left + smallIcon, top + smallIcon};
    };
    if (!fullEntry) {
        if (hasIcon && entry.Width() >= smallIcon + 6 && entry.Height() >= smallIcon + 6) {
            content.showIcon = true;
            const int left = entry.left + (entry.Width() - smallIcon) / 2;
            const int top = entry.top + (entry.Height() - smallIcon) / 2;
            content.icon = {left, top, left + smallIcon, top + smallIcon};
        } else {
            content.showText = true;
            content.text = inner;
        }
        return content;
    }
    content.showText = true;
    content.text = inner;
    const int length = vertical ? entry.Height() : entry.Width();
    if (hasIcon && length > smallIcon + 6) {
        content.showIcon = true;
        content.icon = iconAtStart();
        if (vertical)
            content.text.top = content.icon.bottom + 3;
        else
            content.text.left = content.icon.right + 3;
    }
    return content;
}

PinnedLabelEdge PinnedLabelOpenEdge(const RECT& r, int side) {
    switch (side) {
    case AUTOHIDE_BOTTOM:
        return {{r.left + 1, r.bottom - 1}, {r.right - 1, r.bottom - 1}};
    case AUTOHIDE_RIGHT:
        return {{r.right - 1, r.top + 1}, {r.right - 1, r.bottom - 1}};
    case AUTOHIDE_TOP:
        return {{r.left + 1, r.top}, {r.right - 1, r.top}};
    default:
        return {{r.left, r.top + 1}, {r.left, r.bottom - 1}};
    }
}

}  // namespace dockwins
