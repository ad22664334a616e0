#include "docking/core/CaptionDrag.h"

#include <cmath>

namespace dockwins {

namespace {

int Share(int position, int start, int extent, int floatingExtent) {
    if (extent == 0)
        return 0;
    const float ratio = static_cast<float>(position - start) / static_cast<float>(extent);
    return static_cast<int>(std::trunc(ratio * static_cast<float>(floatingExtent)));
}

}  // namespace

POINT CaptionGrabOffset(const RECT& window, POINT grab, int floatingWidth, int floatingHeight) {
    return {Share(grab.x, window.left, window.Width(), floatingWidth),
            Share(grab.y, window.top, window.Height(), floatingHeight)};
}

RECT CaptionDragOutline(POINT pointer, POINT grabOffset, int floatingWidth, int floatingHeight) {
    const int left = pointer.x - grabOffset.x;
    const int top = pointer.y - grabOffset.y;
    return {left, top, left + floatingWidth, top + floatingHeight};
}

}  // namespace dockwins
