#pragma once
// Geometry of the caption band that docked windows and the auto-hide pane draw
// themselves: thickness, the close and pin button squares, the text rectangle
// and the hit test. All rectangles are in window coordinates.

#include "docking/core/Rect.h"

namespace dockwins {

// The two caption looks: the one of docking windows and boxes, and the one of
// the auto-hide pane.
enum class CaptionStyle {
    Docking,
    AutoHide,
};

// Hit codes of a caption, as the non-client hit test answers them.
enum CaptionHit : int {
    CAPTION_HIT_NONE = 0,  // outside the caption: the client area
    CAPTION_HIT_CAPTION = 2,
    CAPTION_HIT_PIN = 19,
    CAPTION_HIT_CLOSE = 20,
};

struct CaptionLayout {
    CaptionStyle style = CaptionStyle::Docking;
    bool horizontal = true;
    RECT caption;  // the whole caption band
    RECT close;
    RECT pin;
};

// Docking captions: the small-caption height + 5. Auto-hide captions: the GUI
// font's text height + 10 (the vertical font's when the caption is vertical).
int CaptionThickness(CaptionStyle style, int metric);

// The band a caption of the given thickness takes in a window of the given
// size: along the top edge when horizontal, down the left edge otherwise.
// It never reaches past the window.
RECT CaptionRectInWindow(int width, int height, int thickness, bool horizontal);

// Lays out the close button at the far end of the caption (right when
// horizontal, top when vertical) and the pin button just before it.
CaptionLayout LayOutCaption(CaptionStyle style, const RECT& caption, bool horizontal);

// The band of a docking caption: the caption less 2 pixels on each long side.
// For the auto-hide caption it is the caption itself.
RECT CaptionBand(const CaptionLayout& layout);

// Where the caption text goes; may be empty (then no text is drawn).
RECT CaptionTextRect(const CaptionLayout& layout);

// 0 outside the caption, 20 on the close button, 19 on the pin button, else 2.
int CaptionHitTest(const CaptionLayout& layout, POINT point);

}  // namespace dockwins
