#include "docking/core/CaptionGlyphs.h"

#include <algorithm>
#include <cstdlib>

namespace dockwins {

namespace {

// a * b / c rounded to nearest, halves away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long divisor = std::llabs(c);
    const long long magnitude = (std::llabs(product) + divisor / 2) / divisor;
    return static_cast<int>(((product < 0) != (c < 0)) ? -magnitude : magnitude);
}

}  // namespace

ButtonEdge EdgeForState(ButtonState state) {
    switch (state) {
    case ButtonState::Pressed:
        return ButtonEdge::Sunken;
    case ButtonState::Hot:
        return ButtonEdge::Raised;
    case ButtonState::Normal:
        break;
    }
    return ButtonEdge::None;
}

int GlyphShift(ButtonState state) {
    return state == ButtonState::Pressed ? 1 : 0;
}

CloseGlyph DockingCloseGlyph(const RECT& button, int smallCaptionHeight, ButtonState state,
                             int logicalDpiY) {
    const int d = GlyphShift(state);
    const RECT b = button.Moved(d, d);
    CloseGlyph glyph;
    if (smallCaptionHeight < 16) {
        glyph.lines = {
            {{b.left + 2, b.top + 3}, {b.right - 3, b.bottom - 2}},
            {{b.left + 2, b.bottom - 3}, {b.right - 3, b.top + 2}},
        };
        return glyph;
    }
    glyph.symbol = true;
    glyph.lineWidth = 2;
    const int tenths = button.Height() * 7;
    const int size = std::clamp(MulDiv(logicalDpiY, tenths, 720), 0, std::max(0, std::min(b.Width(), b.Height())));
    const int left = b.left + (b.Width() - size) / 2;
    const int top = b.top + (b.Height() - size) / 2;
    glyph.symbolBox = {left, top, left + size, top + size};
    const RECT& s = glyph.symbolBox;
    // Two 1-pixel lines side by side for each diagonal.
    glyph.lines = {
        {{s.left, s.top}, {s.right - 1, s.bottom}},
        {{s.left + 1, s.top}, {s.right, s.bottom}},
        {{s.left, s.bottom - 1}, {s.right - 1, s.top - 1}},
        {{s.left + 1, s.bottom - 1}, {s.right, s.top - 1}},
    };
    return glyph;
}

PinGlyph DockingPinGlyph(const RECT& button, int smallCaptionHeight, bool pinned, ButtonState state) {
    const int h = smallCaptionHeight;
    const int a = h / 5;
    const int w = std::max(1, a / 4);
    const int p = GlyphShift(state);
    const int cx = button.left + button.Width() / 2;
    const int cy = button.top + button.Height() / 2;
    const bool large = h >= 20;
    const int m = large ? 3 * w : (pinned ? 2 : 1);
    const int s = large ? a / 2 - 1 : 1;

    PinGlyph glyph;
    glyph.penWidth = w;
    if (pinned) {
        const int x = cx - 1 + p;
        const int y1 = button.bottom - m;
        const int y2 = y1 - a;
        const int y3 = y2 - 2 * a + 1;
        const int bodyLeft = cx + a / 2 - a - 1 + p;
        const int bodyRight = cx + a - a / 2 - 1 + p;
        glyph.needle = {{x, y1 + p}, {x, y2 + p}};
        glyph.crossBar = {{cx - a - 1 + p, y2 + p}, {cx + a - 1 + p, y2 + p}};
        glyph.body = {{bodyLeft, y2 + p}, {bodyLeft, y3 + p}, {bodyRight, y3 + p}, {bodyRight, y2 + p}};
        glyph.strip = {bodyRight - s, y3 + p + 1, bodyRight, y2 + p};
    } else {
        const int x1 = button.left + m;
        const int x2 = x1 + a;
        const int x3 = x2 + 2 * a - 1;
        const int bodyTop = cy + a / 2 - a + p;
        const int bodyBottom = cy + a - a / 2 + p;
        glyph.needle = {{x1 + p, cy + p}, {x2 + p, cy + p}};
        glyph.crossBar = {{x2 + p, cy - a + p}, {x2 + p, cy + a + p}};
        glyph.body = {{x2 + p, bodyTop}, {x3 + p, bodyTop}, {x3 + p, bodyBottom}, {x2 + p, bodyBottom}};
        glyph.strip = {x2 + p + 1, bodyBottom - s, x3 + p, bodyBottom};
    }
    return glyph;
}

std::vector<GlyphLine> AutoHideCloseGlyph(const RECT& b) {
    return {
        {{b.left + 5, b.top + 5}, {b.right - 5, b.bottom - 5}},
        {{b.left + 6, b.top + 5}, {b.right - 4, b.bottom - 5}},
        {{b.left + 5, b.bottom - 6}, {b.right - 5, b.top + 4}},
        {{b.left + 6, b.bottom - 6}, {b.right - 4, b.top + 4}},
    };
}

RECT AutoHidePinIconRect(const RECT& button) {
    const int width = std::clamp(button.Width(), 0, 11);
    const int height = std::clamp(button.Height(), 0, 11);
    const int left = button.left + (button.Width() - width) / 2;
    const int top = button.top + (button.Height() - height) / 2;
    return {left, top, left + width, top + height};
}

}  // namespace dockwins
