#pragma once
// Painting of the caption of docking windows: the band (active or etched), the
// title cut with an ellipsis, and the close and pin buttons in their states.
// Every number comes from the caption arithmetic in docking/core; this file
// only turns it into painter calls with the window-system drawing rules
// (1-pixel lines leave out their end point, no antialiasing).

#include <QPalette>
#include <QString>

#include "docking/core/CaptionColours.h"
#include "docking/core/CaptionGlyphs.h"
#include "docking/core/CaptionLayout.h"

class QFont;
class QImage;
class QPainter;

namespace dockwins {

enum class EdgeKind {
    SunkenOuter,  // a pressed button
    RaisedInner,  // a hot button
    Etched,       // the inactive band's frame
};

QColor CaptionColour(const QPalette& palette, CaptionColourRole role);

// A 1-pixel edge around (inside) the rectangle on the palette's shades.
void DrawEdge(QPainter& painter, const QPalette& palette, const RECT& rect, EdgeKind kind);

// A line from `from` to `to`, the end point left out.
void DrawGlyphLine(QPainter& painter, const GlyphLine& line);

struct CaptionPaintState {
    bool active = false;
    bool showPin = true;      // floating windows show the close button only
    bool pinned = false;
    ButtonState close = ButtonState::Normal;
    ButtonState pin = ButtonState::Normal;
    int smallCaptionHeight = 15;
    int logicalDpiY = 96;
};

void PaintDockingCaption(QPainter& painter, const QPalette& palette, const QFont& font, const CaptionLayout& layout,
                         const QString& title, const CaptionPaintState& state);

}  // namespace dockwins

namespace dockwins {

// Text cut with an ellipsis to its room, running downwards when not
// horizontal; nothing when the room is empty.
void DrawEllipsisText(QPainter& painter, const QFont& font, const RECT& room, bool horizontal,
                      const QString& text, const QColor& colour);

// The pin icon of a pin button (stuck in while pinned, else lying), made
// once from its icon resource.
const QImage& PinIconImage(bool pinned);

// The auto-hide pane's caption: filled in the highlight while active, else
// in the button face; the title 12 px in; the lined close cross and the pin
// icon of the pinned flag (the same in every state); an etched frame around it all.
void PaintAutoHideCaption(QPainter& painter, const QPalette& palette, const QFont& font, const CaptionLayout& layout,
                          const QString& title, bool active, ButtonState close, ButtonState pin, bool pinned);

}  // namespace dockwins
