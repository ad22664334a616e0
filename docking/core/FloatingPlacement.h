#pragma once
// Where a floating window may stand: at least its minimum size, with a piece
// of its caption the size of a grab (40 x 10 pixels) on the available area of
// a screen, so that the user can always take it by its caption. One rule for
// every placement of a floating window: a drop, a float, a dock back, an
// activation, a refused dock, its own move and resize, the restore and a
// change of the screens.

#include <vector>

#include "docking/core/Rect.h"

namespace dockwins {

constexpr int kCaptionGrabWidth = 40;
constexpr int kCaptionGrabHeight = 10;

// The edges a resize moves; none: the whole window moves.
enum PlacementEdge : unsigned {
    kMoveWhole = 0,
    kEdgeLeft = 1,
    kEdgeTop = 2,
    kEdgeRight = 4,
    kEdgeBottom = 8,
};

// True when a grab-sized piece of the window's caption band (its top rows,
// across its width) lies on one of the screens (available areas).
bool IsCaptionReachable(const RECT& window, const std::vector<RECT>& screens);

// The wanted rectangle at least minWidth x minHeight (grown at the edges
// that move, else at the right and bottom). When its caption is then out of
// reach, the nearest screen (the least move to reach it) takes it: moved as a
// whole it comes onto that screen entirely where it fits; during a resize
// the moving edges are held back where that is enough, else it moves by the
// least distance. A reachable rectangle of the minimum size comes back as it
// was; with no screen the rectangle only gets its minimum.
RECT PlaceFloatingWindow(RECT wanted, int minWidth, int minHeight, const std::vector<RECT>& screens,
                         unsigned movingEdges = kMoveWhole);

}  // namespace dockwins
