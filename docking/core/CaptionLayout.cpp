#include "docking/core/CaptionLayout.h"

#include <algorithm>

namespace dockwins {

namespace {

// Takes a button square off the far end of `caption` and cuts the caption back
// so the next button or the text lies before it.
RECT TakeButton(CaptionStyle style, RECT& caption, bool horizontal) {
    RECT button = caption;
    if (style == CaptionStyle::Docking) {
        if (horizontal) {
            button.top += 2;
            button.bottom -= 2;
        } else {
            button.left += 2;
            button.right -= 2;
        }
        button = button.Inset(2, 2);
    } else {
        button = button.Inset(3, 3);
    }
    const int gap = style == CaptionStyle::Docking ? 1 : 0;
    if (horizontal) {
        button.left = button.right - button.Height();
        caption.right = button.left + gap;
    } else {
        button.bottom = button.top + button.Width();
        caption.top = button.bottom + gap;
    }
    return button;
}

}  // namespace

int CaptionThickness(CaptionStyle style, int metric) {
    return style == CaptionStyle::Docking ? metric + 5 : metric + 10;
}

RECT CaptionRectInWindow(int width, int height, int thickness, bool horizontal) {
    width = std::max(0, width);
    height = std::max(0, height);
    thickness = std::max(0, thickness);
    if (horizontal)
        return {0, 0, width, std::min(thickness, height)};
    return {0, 0, std::min(thickness, width), height};
}

CaptionLayout LayOutCaption(CaptionStyle style, const RECT& caption, bool horizontal) {
    CaptionLayout layout;
    layout.style = style;
    layout.horizontal = horizontal;
    layout.caption = caption;
    RECT rest = caption;
    layout.close = TakeButton(style, rest, horizontal);
    layout.pin = TakeButton(style, rest, horizontal);
    return layout;
}

RECT CaptionBand(const CaptionLayout& layout) {
    if (layout.style == CaptionStyle::AutoHide)
        return layout.caption;
    RECT band = layout.caption;
    if (layout.horizontal) {
        band.top += 2;
        band.bottom -= 2;
    } else {
        band.left += 2;
        band.right -= 2;
    }
    return band;
}

RECT CaptionTextRect(const CaptionLayout& layout) {
    RECT text = CaptionBand(layout);
    const bool docking = layout.style == CaptionStyle::Docking;
    if (layout.horizontal) {
        text.left += docking ? 5 : 12;
        text.right = layout.pin.left - (docking ? 2 : 3);
    } else {
        text.bottom -= docking ? 3 : 8;
        text.top = layout.pin.bottom + (docking ? 2 : 3);
    }
    return text;
}

int CaptionHitTest(const CaptionLayout& layout, POINT point) {
    if (!layout.caption.Contains(point))
        return CAPTION_HIT_NONE;
    if (layout.close.Contains(point))
        return CAPTION_HIT_CLOSE;
    if (layout.pin.Contains(point))
        return CAPTION_HIT_PIN;
    return CAPTION_HIT_CAPTION;
}

}  // namespace dockwins
