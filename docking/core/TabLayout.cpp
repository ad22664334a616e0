#include "docking/core/TabLayout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace dockwins {

namespace {

// A 15 x 15 button whose right edge is `right`, vertically centred in `band`.
RECT ButtonAt(int right, const RECT& band) {
    const int top = band.top + (band.Height() - kTabButtonSize) / 2;
    return {right - kTabButtonSize, top, right, top + kTabButtonSize};
}

}  // namespace

int TabNaturalWidth(int textWidth, bool hasText, int imageWidth) {
    int width = kTabItemInset + std::max(0, imageWidth);
    if (hasText)
        width += 2 * kTabTextInset + std::max(0, textWidth);
    return width + kTabItemInset;
}

int TabImageOffset(int fontHeight) {
    return (-11 - fontHeight) / 2;
}

int TabStripHeight(std::optional<int> ascent) {
    if (!ascent)
        return 24;
    const double height = 24.0 + (*ascent * 24.0 / 11.0 - 24.0) * 0.5;
    return static_cast<int>(std::clamp(std::trunc(height), 0.0, 255.0));
}

int TabScrollRepeatMs(int speed) {
    switch (speed) {
    case 1:
        return 100;
    case 2:
        return 25;
    case 3:
        return 10;
    default:
        return 0;
    }
}

TabStripRects LayOutTabStrip(const RECT& client, unsigned style, bool selectedCanClose) {
    TabStripRects rects;
    RECT area = client;
    const bool bottom = style & TAB_BOTTOM;
    if (!bottom) {
        area.left += 2;
        area.right -= 2;
    }
    // The band buttons are centred in, and the inset of its right end.
    RECT band = client;
    int rightInset = 0;
    if (bottom) {
        band.top += 3;
        rightInset = 3;
    } else {
        band.top += 1;
        band.bottom -= 2;
        rightInset = 2;
    }
    if ((style & TAB_CLOSE) && selectedCanClose && area.Width() >= kTabButtonSize) {
        rects.hasClose = true;
        rects.close = ButtonAt(area.right - rightInset, band);
        area.right = rects.close.left;
    }
    if (style & TAB_SCROLL) {
        rects.hasScroll = true;
        rects.scrollRight = ButtonAt(area.right - (rects.hasClose ? 0 : rightInset), band);
        rects.scrollLeft = ButtonAt(rects.scrollRight.left, band);
        area.right = std::max(area.left, rects.scrollLeft.left);
    }
    rects.tabArea = area;
    return rects;
}

std::vector<int> FitTabWidths(std::span<const int> natural, int selected, int areaWidth) {
    std::vector<int> widths(natural.begin(), natural.end());
    for (int& width : widths)
        width = std::max(0, width);
    const int count = static_cast<int>(widths.size());
    const int total = std::accumulate(widths.begin(), widths.end(), 0);
    if (kTabMargin + total + kTabMargin <= areaWidth || selected < 0 || selected >= count)
        return widths;

    const int room = areaWidth - 2 * kTabMargin;
    const int available = room - widths[selected];
    if (available <= (count - 1) * kTabMinWidth) {
        std::fill(widths.begin(), widths.end(), std::max(0, room / count));
        return widths;
    }
    // Here count > 1: with one tab `available` would be at most 0.
    const int needed = total - widths[selected];
    const double ratio = needed == 0 ? 0.0 : static_cast<double>(available) / needed;
    int narrowest = -1;
    for (int i = 0; i < count; ++i) {
        if (i != selected && (narrowest < 0 || widths[i] < narrowest))
            narrowest = widths[i];
    }
    const bool equalShares = narrowest * ratio < kTabMinWidth;
    for (int i = 0; i < count; ++i) {
        if (i == selected)
            continue;
        widths[i] = equalShares ? available / (count - 1) : static_cast<int>(std::trunc(widths[i] * ratio + 0.5));
    }
    return widths;
}

std::vector<RECT> PlaceTabs(std::span<const int> widths, int top, int bottom) {
    std::vector<RECT> items;
    items.reserve(widths.size());
    int x = kTabMargin;
    for (const int width : widths) {
        items.push_back({x, top, x + width, bottom});
        x += width;
    }
    return items;
}

TabScroll NormaliseTabScroll(int lastRight, int areaRight, int offset) {
    TabScroll scroll;
    if (lastRight + kTabMargin + offset < areaRight)
        offset = areaRight - lastRight - kTabMargin;
    if (offset >= 0) {
        offset = 0;
    } else {
        scroll.hiddenLeft = true;
    }
    scroll.offset = offset;
    scroll.hiddenRight = lastRight + offset > areaRight;
    return scroll;
}

int TabScrollStep(const TabScroll& scroll, bool towardsLast) {
    if (towardsLast)
        return scroll.hiddenRight ? -kTabScrollStep : 0;
    return scroll.hiddenLeft ? kTabScrollStep : 0;
}

int TabScrollToShow(const RECT& item, const RECT& tabArea, int offset, bool partialAllowed) {
    const int left = item.left + offset;
    const int right = item.right + offset;
    if (partialAllowed && right > tabArea.left && left < tabArea.right)
        return offset;
    if (left < tabArea.left)
        return offset + (tabArea.left - left) + 20;
    if (right > tabArea.right)
        return offset - (right - tabArea.right) - 20;
    return offset;
}

TabHit HitTestTabs(const TabStripRects& strip, std::span<const RECT> items, int offset, POINT point) {
    if (strip.tabArea.Contains(point)) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].Moved(offset, 0).Contains(point))
                return {static_cast<int>(i), TAB_HIT_ITEM};
        }
    }
    if (strip.hasClose && strip.close.Contains(point))
        return {-1, TAB_HIT_CLOSE};
    if (strip.hasScroll && strip.scrollRight.Contains(point))
        return {-1, TAB_HIT_SCROLL_RIGHT};
    if (strip.hasScroll && strip.scrollLeft.Contains(point))
        return {-1, TAB_HIT_SCROLL_LEFT};
    return {};
}

TabItemContent LayOutTabItem(const RECT& item, int imageWidth, int imageHeight, int imageOffset, bool hasText) {
    TabItemContent content;
    RECT rest{item.left + kTabItemInset, item.top, item.right - kTabItemInset, item.bottom};
    if (imageWidth > 0 && imageWidth < rest.Width()) {
        content.showImage = true;
        const int top = item.top + (item.Height() - imageHeight) / 2 + imageOffset;
        content.image = {rest.left, top, rest.left + imageWidth, top + imageHeight};
        rest.left += imageWidth;
    }
    if (hasText && rest.Width() > kTabMinTextRoom) {
        content.showText = true;
        content.text = {rest.left + kTabTextInset, item.top, rest.right - kTabTextInset, item.bottom};
    }
    return content;
}

TabLayoutResult ComputeTabLayout(const TabLayoutInput& input) {
    TabLayoutResult result;
    const int count = static_cast<int>(input.naturalWidths.size());
    const bool canClose = input.selected >= 0 && input.selected < count && input.selectedCanClose;
    result.strip = LayOutTabStrip(input.client, input.style, canClose);
    const RECT& area = result.strip.tabArea;
    if (result.strip.hasScroll) {
        std::vector<int> widths(input.naturalWidths);
        for (int& width : widths)
            width = std::max(0, width);
        result.items = PlaceTabs(widths, area.top, area.bottom);
        const int lastRight = result.items.empty() ? 0 : result.items.back().right;
        result.scroll = NormaliseTabScroll(lastRight, area.right, input.scrollOffset);
    } else {
        result.items = PlaceTabs(FitTabWidths(input.naturalWidths, input.selected, area.Width()), area.top,
                                 area.bottom);
    }
    return result;
}

}  // namespace dockwins
