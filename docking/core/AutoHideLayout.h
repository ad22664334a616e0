#pragma once
// Geometry of auto-hide: the four strips along the frame's client edges and the
// bounds inside them, the frame's extra minimum, the slid-out pane's place,
// sizing bar, size tracking and slide steps, and the test that hides it.

#include "docking/core/Rect.h"

#include <array>
#include <optional>
#include <vector>

namespace dockwins {

// Side index: bit 0 set for the left and right edges (vertical strips), bit 1
// for the edge before the frame's centre (top or left).
enum AutoHideSide : int {
    AUTOHIDE_BOTTOM = 0,
    AUTOHIDE_RIGHT = 1,
    AUTOHIDE_TOP = 2,
    AUTOHIDE_LEFT = 3,
};

constexpr int kAutoHideSideCount = 4;
constexpr int kAutoHideSizingBar = 5;
constexpr int kAutoHideSlideSteps = 10;
constexpr int kAutoHideHoverMs = 50;
constexpr int kAutoHideHideCheckMs = 1300;
constexpr int kAutoHideSlideMs = 100;

inline bool IsVerticalSide(int side) { return (side & 1) != 0; }
// Side flags of a pinned window's docking position: side + 36.
inline int PinnedSideFlags(int side) { return side + 36; }

// The larger of the two GUI fonts' text heights, at least the small icon's
// height, plus 8.
int AutoHideStripThickness(int textHeight, int verticalTextHeight, int smallIconHeight);

struct AutoHideSides {
    RECT outer;                               // the rectangle the frame's bars leave
    std::array<RECT, kAutoHideSideCount> strips;  // empty for a side without labels
    RECT bounds;                              // what is left inside the strips
};

// Sides take their strips in the order top, bottom, left, right, each from what
// the earlier ones left; top and bottom strips are shortened by the thickness
// at the end where the left or right side has labels. No extent is negative.
AutoHideSides LayOutAutoHideSides(const RECT& rect, const std::array<bool, kAutoHideSideCount>& hasLabels,
                                  int thickness);

// Where a strip's background is filled: the top and bottom strips reach over
// the corner squares the left and right strips leave free.
RECT AutoHideStripFill(const AutoHideSides& sides, int side);

// How much the frame's minimum grows: the thickness per side with labels.
struct AutoHideGrowth {
    int width = 0;
    int height = 0;
};
AutoHideGrowth AutoHideMinimumGrowth(const std::array<bool, kAutoHideSideCount>& hasLabels, int thickness);

// The slid-out pane against its side within the bounds: across the edge it
// is the entry's width + 5 (the sizing bar), at most the bounds' extent less 5
// (at least 5 while the bounds have that much room).
RECT AutoHidePaneRect(const RECT& bounds, int side, int entryWidth);

// The 5-pixel sizing bar along the pane's inner edge, and the rest of the pane.
RECT AutoHideSizingBar(const RECT& pane, int side);
RECT AutoHidePaneInside(const RECT& pane, int side);

// The width an entry keeps after the pane was resized to `extent` across its
// edge: extent - 5, when that exceeds the caption's thickness.
std::optional<int> AutoHideWidthToStore(int extent, int captionThickness);

// Moves the pane's inner edge with the pointer, keeping it between the bounds'
// near edge + 5 and far edge - 5; in bounds narrower than 10 px, within the
// bounds.
class CAutoHideSizeTracker {
public:
    CAutoHideSizeTracker(const RECT& pane, const RECT& bounds, int side, POINT pointer);
    // The pane for a pointer position.
    RECT OnMove(POINT pointer) const;

private:
    RECT m_pane;
    int m_side;
    int m_low;
    int m_high;
    int m_grab;  // pointer minus edge at the start
};

// The pane's rectangles while it slides: step = extent across the edge / 10.
// Showing: the first rectangle has the moving (inner) edge pulled back by ten
// steps, followed by ten rectangles each one step further, the last being
// `pane`. Hiding: ten rectangles each one step back.
std::vector<RECT> AutoHideSlideSteps(const RECT& pane, int side, bool show);

// The hide check: the pane stays while the cursor is in it or on its label, or
// the focus is in the pane.
bool AutoHideShouldHide(POINT cursor, const RECT& pane, const RECT& label, bool focusInPane);

}  // namespace dockwins
