#pragma once
// Where the outline of a window dragged by its caption goes: the grab point
// keeps its relative place in the window, at the floating rectangle's size.

#include "docking/core/Rect.h"

namespace dockwins {

// Offset from the pointer to the outline's top-left corner: the grab point's
// share of the window's width (a 32-bit float) times the floating width,
// truncated; the same down. A window of zero width or height gives 0 on that
// axis.
POINT CaptionGrabOffset(const RECT& window, POINT grab, int floatingWidth, int floatingHeight);

// The outline at the pointer for a grab offset and the floating size.
RECT CaptionDragOutline(POINT pointer, POINT grabOffset, int floatingWidth, int floatingHeight);

}  // namespace dockwins
