#pragma once
// The shapes drawn on caption buttons, as lines and rectangles a painter can
// draw directly. Lines follow the window-system convention: the end point is
// not drawn.

#include "docking/core/Rect.h"

#include <vector>

namespace dockwins {

enum class ButtonState {
    Normal = 0,
    Pressed = 1,
    Hot = 2,
};

// The edge drawn around a button: sunken while pressed, raised while hot.
enum class ButtonEdge {
    None,
    Sunken,
    Raised,
};

ButtonEdge EdgeForState(ButtonState state);

// Glyphs of pressed buttons are drawn one pixel right and down.
int GlyphShift(ButtonState state);

struct GlyphLine {
    POINT from;
    POINT to;  // excluded
    friend bool operator==(const GlyphLine&, const GlyphLine&) = default;
};

// The close glyph of a docking caption. Below a small-caption height of 16 it
// is a thin cross; from 16 on it is the larger symbol cross, `lineWidth` 2,
// sized as a symbol font of (button height x 7) tenths of a point would be at
// the given vertical resolution and centred in the button.
struct CloseGlyph {
    bool symbol = false;         // the larger cross of the symbol size
    int lineWidth = 1;
    RECT symbolBox;          // the symbol's square when `symbol`
    std::vector<GlyphLine> lines;
};

CloseGlyph DockingCloseGlyph(const RECT& button, int smallCaptionHeight, ButtonState state,
                             int logicalDpiY);

// The pin of a docking caption: upright when pinned, lying (needle to the
// left) otherwise. Lines are drawn with a square-capped, bevel-joined pen of
// `penWidth`; `body` is a closed outline; `strip` is filled.
struct PinGlyph {
    int penWidth = 1;
    GlyphLine needle;
    GlyphLine crossBar;
    std::vector<POINT> body;
    RECT strip;
};

PinGlyph DockingPinGlyph(const RECT& button, int smallCaptionHeight, bool pinned, ButtonState state);

// The auto-hide caption's close glyph: a cross two pixels thick, drawn as four
// 1-pixel lines, the same in every state.
std::vector<GlyphLine> AutoHideCloseGlyph(const RECT& button);

// Where the auto-hide caption draws its 11 x 11 pin icon: centred in the
// button, at the button's own size in a direction where it is smaller.
RECT AutoHidePinIconRect(const RECT& button);

}  // namespace dockwins
