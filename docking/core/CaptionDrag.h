#pragma once
// Where the outline of a window dragged by its caption goes: the grab point
// keeps its relative place in the window, at the floating rectangle's size.

#include "docking/core/PartRect.h"

namespace dockwins {

// Offset from the pointer to the outline's top-left corner: the grab point's
// share of the window's width (a 32-bit float) times the floating width,
// truncated; the same down. A window of zero width or height gives 0 on that
// axis.
PartPoint CaptionGrabOffset(const PartRect& window, PartPoint grab, int floatingWidth, int floatingHeight);

// The outline at the pointer for a grab offset and the floating size.
PartRect CaptionDragOutline(PartPoint pointer, PartPoint grabOffset, int floatingWidth, int floatingHeight);

}  // namespace dockwins
