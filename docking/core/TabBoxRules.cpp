#include "docking/core/TabBoxRules.h"

#include "docking/core/TabLayout.h"

#include <algorithm>

namespace dockwins {

TabBoxRects LayOutTabBox(const RECT& client, unsigned stripStyle, int tabHeight) {
    TabBoxRects rects{client, client};
    const bool bottom = stripStyle & TAB_BOTTOM;
    if (stripStyle & TAB_VERTICAL) {
        const int band = std::clamp(tabHeight, 0, std::max(0, client.Width()));
        if (bottom) {
            rects.strip.left = client.right - band;
            rects.window.right = rects.strip.left;
        } else {
            rects.strip.right = client.left + band;
            rects.window.left = rects.strip.right;
        }
    } else {
        const int band = std::clamp(tabHeight, 0, std::max(0, client.Height()));
        if (bottom) {
            rects.strip.top = client.bottom - band;
            rects.window.bottom = rects.strip.top;
        } else {
            rects.strip.bottom = client.top + band;
            rects.window.top = rects.strip.bottom;
        }
    }
    return rects;
}

int TabBoxInsertIndex(int requested, int count) {
    return (requested < 0 || requested > count) ? count : requested;
}

int TabBoxPreviewIndex(int hitIndex, int count, int pointerAlong, int lastTabFarEdge) {
    if (hitIndex >= 0 && hitIndex < count)
        return hitIndex;
    return (count > 0 && pointerAlong >= lastTabFarEdge) ? count : 0;
}

int TabBoxNextAfterClose(int active, int count) {
    if (active < 0 || active >= count || count < 2)
        return -1;
    return active + 1 < count ? active + 1 : active - 1;
}

TabBoxPosition TabBoxPositionOf(int index, int activeIndex, int count) {
    TabBoxPosition position;
    position.tabIndex = index;
    position.targetIsOtherWindow = count == 2;
    position.otherIndex = count == 2 ? 1 - index : -1;
    position.active = index == activeIndex;
    return position;
}

TabBoxClose ChooseTabBoxClose(bool dissolve, int count, bool hasActive) {
    if (count <= 0)
        return TabBoxClose::Destroy;
    if (count == 1)
        return TabBoxClose::DissolveIntoLast;
    if (dissolve)
        return TabBoxClose::Nothing;
    return hasActive ? TabBoxClose::CloseActive : TabBoxClose::HideBox;
}

}  // namespace dockwins
